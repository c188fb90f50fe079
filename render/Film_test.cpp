// wendrix-render's films, read back as a player reads them: ffprobe's codec,
// size, frame rate, frame count and duration, the frames decoded against the
// PNG frames of the same run; then the run's ends: Escape's fade, a signal, a
// full disk, a pipe closed by its reader, a file that is no file.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/ShellRows.h"

namespace {

// probe FILM: "codec,width,height,frame rate,frames", then the duration in seconds.
// same FILM FIRST FORMAT: whether FILM decodes to p%02d.png's frames from FIRST on, byte for
// byte, both as raw FORMAT: rgb24, or yuv444p in BT.709's limited range (the renderer's scaler).
// psnr FILM FLOOR FIRST RATE: whether the luma of every frame of FILM is within FLOOR dB
// of p%02d.png's from frame FIRST on, the PNGs shown at RATE frames a second and turned
// into YUV as the film's frames are (BT.709, limited range).
const std::string kTools = R"(
probe() { ffprobe -v error -count_frames -select_streams v -show_entries \
  stream=codec_name,width,height,r_frame_rate,nb_read_frames -show_entries format=duration \
  -of csv=p=0 "$1"; }
same() { ffmpeg -v error -i $1 -f rawvideo -pix_fmt $3 - > film; ffmpeg -v error -start_number $2 \
  -i p%02d.png -vf scale=out_color_matrix=bt709:out_range=tv:flags=area+accurate_rnd -f rawvideo \
  -pix_fmt $3 - > frames; cmp film frames && echo equal; }
psnr() { ffmpeg -v error -i "$1" -framerate $4 -start_number $3 -i p%02d.png -lavfi \
  '[0]format=yuv444p[a];[1]scale=out_color_matrix=bt709:out_range=tv,format=yuv444p[b];
   [a][b]psnr=stats_file=psnr.log' -f null -;
  awk -v floor=$2 '{ sub("psnr_y:", "", $7); if ($7 + 0 < floor) low = $7 }
    END { print NR " frames, " (low ? "one at " low " dB" : "none") " under " floor " dB" }' \
    psnr.log; }
)";
// The luma's PSNR floor in dB, a few under the lowest frame measured at the default
// quality (H.264 41.3 at 32x24, VP9 44.8 at 33x25; --quality 40 gave 29.8 and 36.7).
// Luma, since 4:2:0 halves the colour at the squares' sharp edges: whole RGB frames
// measure only 24 to 26 dB at these sizes (H.264 at 1920x1080, step 1: 43.6 dB).
constexpr const char* kLumaFloor = "38";

TEST(Film, ReadsBackAsAskedAndHoldsAtEveryEndOfTheRun) {
  const std::string pngs = "$R --size 33x25 --frames 12 --from 3 --frame-ms 30 --out p%02d.png; ";
  const std::vector<ShellRow> rows = {
      // Each container with the frames of the same run as PNGs: the lossy ones close to
      // them, FFV1 equal byte for byte, YUV4MPEG2 equal after the BT.709 conversion.
      {kTools +
           "$R --size 32x24 --frames 12 --from 2 --frame-ms 40 --out p%02d.png; "
           "$R --size 32x24 --frames 12 --from 2 --frame-ms 40 --out f.mp4; "
           "probe f.mp4; psnr f.mp4 " +
           kLumaFloor +
           " 2 25; "
           // --quality 0 makes a smaller film, farther from the frames.
           "$R --size 32x24 --frames 12 --from 2 --frame-ms 40 --quality 0 --out q.mp4; "
           "test $(stat -c %s q.mp4) -lt $(stat -c %s f.mp4) && psnr q.mp4 " +
           kLumaFloor + " 2 25 | grep -o 'one at'; rm q.mp4; ls -A",
       std::string("0|h264,32,24,25/1,10\n0.400000\n10 frames, none under ") + kLumaFloor +
           " dB\none at\nf.mp4\np02.png\np03.png\np04.png\np05.png\np06.png\np07.png\np08.png\n"
           "p09.png\np10.png\np11.png\npsnr.log\n"},
      {kTools +
           "$R --size 33x25 --frames 10 --out p%02d.png; $R --size 33x25 --frames 10 "
           "--out f.webm; probe f.webm; psnr f.webm " +
           kLumaFloor + " 0 62.5",
       std::string("0|vp9,33,25,125/2,10\n0.160000\n10 frames, none under ") + kLumaFloor +
           " dB\n"},
      {kTools + pngs +
           "$R --size 33x25 --frames 12 --from 3 --frame-ms 30 --out f.mkv; "
           "probe f.mkv; same f.mkv 3 rgb24",
       "0|ffv1,33,25,100/3,9\n0.270000\nequal\n"},
      {kTools + pngs +
           "$R --size 33x25 --frames 12 --from 3 --frame-ms 30 --out f.y4m; "
           "$R --size 33x25 --frames 12 --from 3 --frame-ms 30 --out - | cmp - f.y4m && "
           "probe f.y4m && same f.y4m 3 yuv444p",
       "0|rawvideo,33,25,100/3,9\n0.270000\nequal\n"},
      // Escape's fade ends the film where it ends the PNG frames; nothing before --from.
      {kTools + "K='--size 32x24 --frames 1000 --from 3 --key-at 5:<esc>'; "
                "$R $K --out p%02d.png; $R $K --out f.mkv; probe f.mkv; same f.mkv 3 rgb24",
       "0|ffv1,32,24,125/2,171\n2.736000\nequal\n"},
      // Ended by a signal, or by Escape before its first frame, it leaves the film it would
      // have replaced and nothing aside.
      {"echo old > f.webm; echo old > e.mkv; $R --size 320x240 --frames 100000 --out f.webm & "
       "sleep 1; kill -TERM $!; wait $!; echo $?; $R --size 32x24 --frames 300 --from 250 "
       "--key-at '5:<esc>' --out e.mkv; echo $?; ls -A; cat f.webm e.mkv",
       "0|Terminated\n143\n0\ne.mkv\nf.webm\nold\nold\n"},
      // A full disk: a clear error, the file before whole.
      {"mkdir d; unshare -m sh -c \"mount -t tmpfs -o size=200k tmpfs d && echo old > d/f.mkv && "
       "$R --size 320x240 --frames 100 --out d/f.mkv; echo \\$?; ls -A d; cat d/f.mkv\"",
       "0|wendrix-render: cannot write d/f.mkv: No space left on device\n1\nf.mkv\nold\n",
       "test $(id -u) = 0 && unshare -m true"},
      // A reader that closes the pipe ends the stream quietly, as any Unix filter ends:
      // by SIGPIPE, even where SIGPIPE was ignored.
      {"{ $R --size 32x24 --frames 100000 --out -; echo $? > status; } | head -c 9999 > /dev/null; "
       "{ trap '' PIPE; $R --size 32x24 --frames 100000 --out -; echo $? >> status; } | "
       "head -c 9999 > /dev/null; cat status",
       "0|141\n141\n"},
      {"mkfifo f.mp4; cat f.mp4 & $R --out f.mp4; echo $?",
       "0|wendrix-render: cannot write f.mp4: an .mp4 film is written to a file; .mkv, .webm "
       "and .y4m also stream to pipes\n1\n"},
  };
  ExpectShellRows(WENDRIX_RENDER_BIN, rows);
}

}  // namespace
