// wendrix-render: its arguments as one table, its progress line on a clock of
// the test's own, then the real executable run as a user runs it, one case a
// line: the frames it writes, then hostile paths, files and signals.
#include "render/Renderer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "render/Progress.h"
#include "tests/support/GlTest.h"
#include "tests/support/ShellRows.h"

namespace {

// What a parse gives, in one line: "WxH frames@ms from keys...|at keys...|out", then for a
// film "|format qQUALITY"; or the error.
std::string Parsed(const std::vector<std::string>& args) {
  RenderOptions o;
  std::string error;
  const ParseResult result = ParseRenderArguments(args, &o, &error);
  if (result != ParseResult::kRun) return result == ParseResult::kUsageError ? error : "exit 0";
  std::string line = std::to_string(o.width) + "x" + std::to_string(o.height) + " " +
                     std::to_string(o.frames) + "@" + std::to_string(o.frameMs) + " " +
                     std::to_string(o.from) + " ";
  for (const KeyPress& key : o.keys)
    line += std::to_string(key.special ? -key.code : key.code) + ",";
  for (const TimedKeys& at : o.keyAt)
    line += "|" + std::to_string(at.frame) + ":" + std::to_string(at.keys.size());
  const char* const formats[] = {"", "mp4", "webm", "mkv", "y4m"};
  line += "|" + FramePath(o.pattern, 7);
  if (o.format == FilmFormat::kPng) return line;
  return line + "|" + formats[static_cast<int>(o.format)] + " q" + std::to_string(o.quality);
}

TEST(RenderArguments, EveryCaseOfTheTable) {
  const std::vector<std::string> table = TableRows(WENDRIX_ARGUMENT_TABLE);
  for (const std::string& line : table) {
    const size_t arrow = line.find("=> ");
    std::vector<std::string> args;
    std::smatch word;
    for (std::string rest = line.substr(0, arrow);
         std::regex_search(rest, word, std::regex("'([^']*)'|(\\S+)")); rest = word.suffix()) {
      args.push_back(word[1].matched ? word[1].str() : word[2].str());
    }
    EXPECT_EQ(Parsed(args), line.substr(arrow + 3)) << line;
  }
  EXPECT_GT(table.size(), 20u);
}

// The progress line on a clock the test turns: quiet for a second, then at most
// five lines a second, and always the last frame.
std::chrono::steady_clock::time_point progressNow;

TEST(RenderProgress, ShowsOnATerminalOnceARunHasTakenASecond) {
  SetProgramName("wendrix-render");
  for (const bool terminal : {false, true}) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    {
      Progress progress(4, out, terminal, [] { return progressNow; });
      int frame = 0;
      for (const int ms : {999, 1, 100, 50}) {  // 2 and 4 show; 3 is too soon after 2
        progressNow += std::chrono::milliseconds(ms);
        progress.Done(++frame);
      }
    }
    std::fclose(out);
    EXPECT_STREQ(text,
                 terminal ? "\rwendrix-render: frame 2 of 4\rwendrix-render: frame 4 of 4\n" : "");
    std::free(text);
  }
}

// One case a line, most of them hostile: a shell line and what it must show.
TEST(Renderer, WritesTheFramesAskedForAndHoldsAgainstHostilePathsFilesAndSignals) {
  const std::string font = "; $R --size 8x8 --out x.png";
  const std::string longName = std::string(251, 'n') + ".png";  // 255 bytes, the most a name holds
  const std::vector<ShellRow> rows = {
      // Which frames are written (their pixels are golden frames, tests/golden); without a
      // %d in the name, the last.
      {"$R --size 32x24 --frames 5 --from 4 --out one.png; "
       "$R --size 32x24 --frames 12 --from 9 --out f%02d.png; ls",
       "0|f09.png\nf10.png\nf11.png\none.png\n"},
      {"$R --out missing/x.png",
       "1|wendrix-render: cannot write missing/x.png: missing: No such file or directory\n"},
      {"$R --out .", "1|wendrix-render: cannot write .: it is a directory\n"},
      {"$R --frames 0 --out x.png 2> err; echo $?; head -n 2 err",
       "0|2\nwendrix-render: --frames wants a whole number of at least 1, not \"0\"\n"
       "usage: wendrix-render [--size WxH] [--frames N] [--frame-ms MS] [--from FRAME]\n"},
      {"$R --version; $R --help | grep -e --help",
       "0|wendrix-render " WENDRIX_VERSION "\n"
       "  --help, --version    this usage or the version, then nothing else\n"},
      {"$R --version > /dev/full", "1|wendrix-render: write error: No space left on device\n"},
      // No Mesa for libglvnd to find: the film opened aside goes, the older one stays.
      {"echo old > x.mkv; __EGL_VENDOR_LIBRARY_DIRS=/nowhere $R --out x.mkv; echo $?; ls -A; "
       "cat x.mkv",
       "0|wendrix-render: no offscreen OpenGL context: no EGL display: Mesa's EGL driver, "
       "libEGL_mesa.so.0, is missing (Debian: libegl-mesa0)\n1\nx.mkv\nold\n"},
      {"mkfifo font.bmp" + font, "0|wendrix-render: font.bmp refused: it is a FIFO, not a file\n"},
      {"mkdir font.bmp" + font, "0|wendrix-render: font.bmp refused: it is a directory\n"},
      {": > font.bmp" + font, "0|wendrix-render: font.bmp refused: it is empty\n"},
      {"echo not a bitmap > font.bmp" + font,
       "0|wendrix-render: font.bmp refused: it is no BMP file (no \"BM\" at its start)\n"},
      // Written into, never replaced: a FIFO, a pipe, a device node.
      {"mkfifo p.png; $R --size 8x8 --out p.png & timeout 10 od -An -tx1 -N4 p.png; wait $!; "
       "echo $?; test -p p.png && echo FIFO",
       "0| 89 50 4e 47\n0\nFIFO\n"},
      {"$R --size 8x8 --out /dev/stdout | od -An -tx1 -N4", "0| 89 50 4e 47\n"},
      {"unshare -m sh -c 'mount -t tmpfs tmpfs /dev && mknod -m 666 /dev/null c 1 3 && "
       "$R --size 8x8 --out /dev/null && stat -c %F /dev/null'",
       "0|character special file\n", "test $(id -u) = 0 && unshare -m true"},
      // A link planted in a shared folder: the kernel refuses to follow it.
      {"mkdir -m 1777 shared; echo old > victim; ln -s ../victim shared/f.png; "
       "chown -h nobody shared/f.png; $R --size 8x8 --out shared/f.png; echo $?; cat victim",
       "0|wendrix-render: cannot write shared/f.png: Permission denied\n1\nold\n",
       "test $(id -u) = 0 && test $(cat /proc/sys/fs/protected_symlinks) = 1"},
      {"$R --size 8x8 --out " + longName + " && ls", "0|" + longName + "\n"},
      // A rename over the path that fails (a mount point's) leaves nothing aside.
      {"echo old > m.png; unshare -m sh -c 'mount --bind m.png m.png && "
       "$R --size 8x8 --out m.png; echo $?'; ls -A; cat m.png",
       "0|wendrix-render: cannot write m.png: Device or resource busy\n1\nm.png\nold\n",
       "test $(id -u) = 0 && unshare -m true"},
      // A file is replaced only where the shell's > could write it, with no set-id bit kept;
      // in a folder its owner may not change, it is written in place.
      {"echo old > s.png; chmod 4755 s.png; $R --size 8x8 --out s.png; stat -c %a s.png; "
       "mkdir ro w; echo old > ro/f.png; echo old > w/ro.png; chmod 444 w/ro.png; "
       "chown -R nobody ro w; chmod 555 ro; U='setpriv --reuid=nobody --regid=nogroup "
       "--clear-groups'; $U $R --size 8x8 --out ro/f.png; od -An -tx1 -N4 ro/f.png; "
       "$U $R --size 8x8 --out w/ro.png; echo $?; cat w/ro.png",
       "0|755\n 89 50 4e 47\nwendrix-render: cannot write w/ro.png: Permission denied\n1\nold\n",
       "test $(id -u) = 0 && setpriv --reuid=nobody --regid=nogroup --clear-groups true"},
      // Escape ends the run before --from: nothing is written, and only frame 250's path counts.
      {"mkdir f000.png; $R --size 32x24 --frames 300 --from 250 --key-at '5:<esc>' "
       "--out f%03d.png; echo $?; ls",
       "0|0\nf000.png\n"},
      // On a terminal the progress line is ended, also when Escape ends the run.
      {"script -qec \"$R --size 1920x1080 --frames 100000 --key-at '60:<esc>' --out o.png\" "
       "/dev/null | tail -c 2 | od -An -c",
       "0|  \\r  \\n\n"},
      // Interrupted, it leaves whole frames only, an older file it had yet to replace as it
      // was, and dies of the signal; one ignored at start (nohup's SIGHUP) stays ignored.
      {"echo old > o.png; for run in 'TERM f%d.png' 'HUP o.png'; do set -- $run; "
       "$R --size 1280x720 --frames 100000 --out $2 & sleep 1; kill -$1 $!; wait $!; echo $?; "
       "done; (trap '' HUP; $R --size 1280x720 --frames 100000 --out f%d.png & sleep 1; "
       "kill -HUP $!; sleep .2; kill $!; wait $!; echo $?); cat o.png; "
       "ls -A | sed '/^f[0-9]*[.]png$/d'",
       "0|Terminated\n143\nHangup\n129\nTerminated\n143\nold\no.png\n"},
  };
  ExpectShellRows(WENDRIX_RENDER_BIN, rows);
}

}  // namespace
