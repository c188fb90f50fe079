// The real wendrix binary as a user runs it: each test starts its own Xvfb on
// a free display, starts the program on it, types through XTest, reads the
// screen back with XGetImage, and stops both afterwards.
//
// Set WENDRIX_E2E_SHOTS to a folder to keep the screenshots the checks look at.
// GoogleTest before Xlib, whose macros (None, Bool, Status) would clash with it.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
// clang-format on
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "image/Png.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

std::string MakeTempDir() {
  char name[] = "/tmp/wendrix-e2e-XXXXXX";
  return mkdtemp(name) != nullptr ? std::string(name) : std::string();
}

// A child process that dies with this test process, and is stopped and reaped
// when the holder goes.
class Child {
 public:
  // keepFd stays open in the child; stdout and stderr go to the files named.
  Child(const std::vector<std::string>& argv, const std::string& cwd,
        const std::vector<std::pair<std::string, std::string>>& env, const std::string& outPath,
        const std::string& errPath, int keepFd = -1) {
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ != 0) return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(125);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || null < 0) _exit(126);
    dup2(null, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (int fd = 3; fd < 256; ++fd) {
      if (fd != keepFd) close(fd);
    }
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::fprintf(stderr, "cannot run %s\n", args[0]);
    _exit(127);
  }
  ~Child() { Stop(); }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool Started() const { return pid_ > 0; }
  bool Running() { return Poll(), pid_ > 0 && !status_.has_value(); }

  // The exit code (or 128 + signal) once it has ended within timeout seconds.
  std::optional<int> WaitExit(double timeout) {
    const Clock::time_point start = Clock::now();
    while (!Poll() && SecondsSince(start) < timeout) Sleep(0.005);
    return status_;
  }

  // SIGTERM, then SIGKILL after three seconds; always reaped.
  void Stop() {
    if (pid_ <= 0 || Poll()) return;
    kill(pid_, SIGTERM);
    if (!WaitExit(3.0).has_value()) {
      kill(pid_, SIGKILL);
      int status = 0;
      waitpid(pid_, &status, 0);
      status_ = 128 + SIGKILL;
    }
  }

 private:
  bool Poll() {
    if (status_.has_value()) return true;
    if (pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
  }

  pid_t pid_ = -1;
  std::optional<int> status_;
};

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // a window may go at any time

// An X server of its own on a free display (Xvfb -displayfd), and a connection to it.
class XServer {
 public:
  bool Start(int width, int height, const std::string& dir, std::string* error) {
    int fds[2];
    if (pipe(fds) != 0) return Fail(error, "pipe failed");
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    log_ = dir + "/xvfb.log";
    server_ = std::make_unique<Child>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 screen, "-nolisten", "tcp", "-noreset", "-br"},
        dir, std::vector<std::pair<std::string, std::string>>{}, "/dev/null", log_, fds[1]);
    close(fds[1]);
    // Xvfb writes the display number when it takes connections.
    std::string number;
    const Clock::time_point start = Clock::now();
    while (number.find('\n') == std::string::npos && SecondsSince(start) < 20.0) {
      pollfd ready = {fds[0], POLLIN, 0};
      if (poll(&ready, 1, 100) <= 0) continue;
      char buffer[32];
      const ssize_t got = read(fds[0], buffer, sizeof buffer);
      if (got <= 0) break;
      number.append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
      return Fail(error, "Xvfb gave no display number (is xvfb installed?): " + ReadAll(log_));
    }
    name_ = ":" + number.substr(0, number.find('\n'));
    display_ = XOpenDisplay(name_.c_str());
    if (display_ == nullptr) return Fail(error, "cannot open display " + name_);
    XSetErrorHandler(IgnoreXErrors);
    int event = 0, firstError = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &firstError, &major, &minor)) {
      return Fail(error, "the X server has no XTEST");
    }
    return true;
  }

  ~XServer() {
    if (display_ != nullptr) XCloseDisplay(display_);
    server_.reset();  // stops Xvfb
  }

  Display* display() const { return display_; }
  const std::string& name() const { return name_; }

 private:
  static bool Fail(std::string* error, const std::string& why) {
    *error = why;
    return false;
  }
  std::unique_ptr<Child> server_;
  Display* display_ = nullptr;
  std::string name_;
  std::string log_;
};

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
};

// The whole screen, RGB, top row first.
struct Shot {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  Rect window;  // where the program's window was, in screen pixels

  // Pixels of the window-relative rectangle [x0, x1) x [y0, y1) seen on the
  // screen for which test(r, g, b) holds.
  long Count(int x0, int y0, int x1, int y1, const std::function<bool(int, int, int)>& test) const {
    long count = 0;
    for (int y = std::max(y0 + window.y, 0); y < std::min(y1 + window.y, height); ++y) {
      for (int x = std::max(x0 + window.x, 0); x < std::min(x1 + window.x, width); ++x) {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        if (test(p[0], p[1], p[2])) ++count;
      }
    }
    return count;
  }
  // The same rectangle's pixel count on the screen.
  long Area(int x0, int y0, int x1, int y1) const {
    return Count(x0, y0, x1, y1, [](int, int, int) { return true; });
  }
  long Differences(const Shot& other, int y0, int y1) const {
    long count = 0;
    for (int y = std::max(y0 + window.y, 0); y < std::min(y1 + window.y, height); ++y) {
      for (int x = 0; x < width; ++x) {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        if (rgb[i] != other.rgb[i] || rgb[i + 1] != other.rgb[i + 1] ||
            rgb[i + 2] != other.rgb[i + 2]) {
          ++count;
        }
      }
    }
    return count;
  }
};

// White text over a scheme without red (the default scheme 0 and scheme 1).
bool TextPixel(int r, int, int) { return r > 128; }
bool Black(int r, int g, int b) { return r <= 4 && g <= 4 && b <= 4; }
bool NotBlack(int r, int g, int b) { return !Black(r, g, b); }
bool Green(int, int g, int) { return g > 8; }

// The wendrix binary running on its own X server, and what a user does to it.
class Program {
 public:
  ~Program() {
    program_.reset();
    server_.reset();
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  // Starts Xvfb at width x height and the binary on it, in a fresh folder.
  void Start(int width, int height, const std::string& binary = WENDRIX_BIN,
             const std::string& cwd = "") {
    width_ = width;
    height_ = height;
    if (dir_.empty()) dir_ = MakeTempDir();
    ASSERT_FALSE(dir_.empty());
    server_ = std::make_unique<XServer>();
    std::string error;
    ASSERT_TRUE(server_->Start(width, height, dir_, &error)) << error;
    display_ = server_->display();
    errPath_ = dir_ + "/stderr.txt";
    launched_ = Clock::now();
    program_ = std::make_unique<Child>(
        std::vector<std::string>{binary}, cwd.empty() ? dir_ : cwd,
        std::vector<std::pair<std::string, std::string>>{{"DISPLAY", server_->name()}}, "/dev/null",
        errPath_);
    ASSERT_TRUE(program_->Started());
  }

  const std::string& dir() const { return dir_; }
  double SinceLaunch() const { return SecondsSince(launched_); }
  std::string Stderr() const { return ReadAll(errPath_); }
  Child& process() { return *program_; }

  // The viewable top-level window called "Wendrix", or None.
  Window FindWindow() {
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = None;
    if (XQueryTree(display_, DefaultRootWindow(display_), &rootReturn, &parent, &children,
                   &count) == 0) {
      return None;
    }
    for (unsigned i = 0; i < count && found == None; ++i) {
      char* name = nullptr;
      XWindowAttributes attributes;
      if (XFetchName(display_, children[i], &name) != 0 && name != nullptr) {
        if (std::string(name) == "Wendrix" &&
            XGetWindowAttributes(display_, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable) {
          found = children[i];
        }
        XFree(name);
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  // Waits for the window; true once it is there.
  bool WaitForWindow(double timeout) {
    const Clock::time_point start = Clock::now();
    while (SecondsSince(start) < timeout) {
      window_ = FindWindow();
      if (window_ != None) return true;
      if (!program_->Running()) return false;
      Sleep(0.02);
    }
    return false;
  }

  std::string Title() {
    char* name = nullptr;
    std::string title;
    if (XFetchName(display_, window_, &name) != 0 && name != nullptr) {
      title = name;
      XFree(name);
    }
    return title;
  }

  // The window's inside on the screen.
  Rect Geometry() {
    XWindowAttributes attributes;
    Rect rect;
    if (XGetWindowAttributes(display_, window_, &attributes) == 0) return rect;
    Window child = 0;
    XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &rect.x, &rect.y,
                          &child);
    rect.width = attributes.width;
    rect.height = attributes.height;
    return rect;
  }

  bool IsFullScreen() {
    const Rect rect = Geometry();
    // Without a window manager freeglut places the window within a pixel of the corner.
    return rect.width == width_ && rect.height == height_ && std::abs(rect.x) <= 1 &&
           std::abs(rect.y) <= 1;
  }

  static bool WaitFor(const std::function<bool()>& condition, double timeout) {
    const Clock::time_point start = Clock::now();
    do {
      if (condition()) return true;
      Sleep(0.05);
    } while (SecondsSince(start) < timeout);
    return condition();
  }

  // Types one key through XTest, with Shift when the keysym needs it.
  void Key(KeySym keysym) {
    XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    ASSERT_NE(code, 0) << "no key for keysym " << keysym;
    const bool shift = XkbKeycodeToKeysym(display_, code, 0, 0) != keysym &&
                       XkbKeycodeToKeysym(display_, code, 0, 1) == keysym;
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    XSync(display_, False);
  }

  Shot Capture() {
    Shot shot;
    shot.window = Geometry();
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), 0, 0, width_, height_, AllPlanes, ZPixmap);
    if (image == nullptr) return shot;
    shot.width = width_;
    shot.height = height_;
    shot.rgb.resize(static_cast<size_t>(width_) * height_ * 3);
    auto shiftOf = [](unsigned long mask) {
      int shift = 0;
      while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
      }
      return shift;
    };
    const int rs = shiftOf(image->red_mask), gs = shiftOf(image->green_mask),
              bs = shiftOf(image->blue_mask);
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < height_; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(image->data + static_cast<ptrdiff_t>(y) *
                                                                            image->bytes_per_line);
      for (int x = 0; x < width_; ++x) {
        const unsigned long pixel = direct ? row[x] : XGetPixel(image, x, y);
        uint8_t* out = &shot.rgb[(static_cast<size_t>(y) * width_ + x) * 3];
        out[0] = static_cast<uint8_t>((pixel & image->red_mask) >> rs);
        out[1] = static_cast<uint8_t>((pixel & image->green_mask) >> gs);
        out[2] = static_cast<uint8_t>((pixel & image->blue_mask) >> bs);
      }
    }
    XDestroyImage(image);
    return shot;
  }

  // Keeps the screenshot when WENDRIX_E2E_SHOTS names a folder.
  void Keep(const Shot& shot, const std::string& step) const {
    const char* folder = std::getenv("WENDRIX_E2E_SHOTS");
    if (folder == nullptr || *folder == '\0') return;
    const std::string path = std::string(folder) + "/" + std::to_string(width_) + "x" +
                             std::to_string(height_) + "-" + step + ".png";
    WritePng(path, shot.width, shot.height, shot.rgb, nullptr);
  }

  // A capture that satisfies test, taken within timeout seconds.
  std::optional<Shot> WaitForShot(const std::function<bool(const Shot&)>& test, double timeout) {
    const Clock::time_point start = Clock::now();
    do {
      Shot shot = Capture();
      if (!shot.rgb.empty() && test(shot)) return shot;
      Sleep(0.05);
    } while (SecondsSince(start) < timeout);
    return std::nullopt;
  }

  // From now on, the server time of every frame the program shows (its
  // swaps damage the window; the rectangles of one frame come together).
  void WatchFrames() {
    int error = 0;
    ASSERT_TRUE(XDamageQueryExtension(display_, &damageEvent_, &error)) << "no DAMAGE extension";
    frameTimes_.clear();
    XDamageCreate(display_, window_, XDamageReportRawRectangles);
    XSync(display_, False);
  }
  // Reads the events that have come; frames closer than 3 ms are one frame.
  void PumpFrames() {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type != damageEvent_ + XDamageNotify) continue;
      const Time at = reinterpret_cast<XDamageNotifyEvent*>(&event)->timestamp;
      if (frameTimes_.empty() || at > frameTimes_.back() + 3) frameTimes_.push_back(at);
    }
  }
  // Seconds between the frames seen.
  std::vector<double> FrameIntervals() const {
    std::vector<double> intervals;
    for (size_t i = 1; i < frameTimes_.size(); ++i) {
      intervals.push_back(static_cast<double>(frameTimes_[i] - frameTimes_[i - 1]) * 0.001);
    }
    return intervals;
  }
  // Waits for the program to end, watching its frames; its status, if it ended.
  std::optional<int> WaitExitWatchingFrames(double timeout) {
    const Clock::time_point start = Clock::now();
    while (SecondsSince(start) < timeout) {
      PumpFrames();
      if (!program_->Running()) return program_->WaitExit(0);
      Sleep(0.002);
    }
    return std::nullopt;
  }

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  std::string dir_;
  std::unique_ptr<XServer> server_;
  std::unique_ptr<Child> program_;
  Display* display_ = nullptr;
  Window window_ = None;
  int damageEvent_ = 0;
  std::vector<Time> frameTimes_;
  int width_ = 0;
  int height_ = 0;
  std::string errPath_;
  Clock::time_point launched_;
};

// The fade runs on the frames' own steps: 0.35 of brightness a second, from
// 0.999 to below 0.05, so 2.71 s. A frame longer than 0.1 s counts as 0.05 s,
// so where software GL draws fewer than 10 frames a second the fade takes
// longer than 2.7 s: about 55 frames. Frame times come from the X server.
void CheckFade(double seconds, const std::vector<double>& intervals) {
  double longest = 0, leastProgramTime = 0;
  for (const double interval : intervals) {
    longest = std::max(longest, interval);
    leastProgramTime += std::min(interval, 0.05);  // what a frame counts for at least
  }
  std::printf("fade: %.2f s, %zu frames seen, longest %.3f s\n", seconds, intervals.size() + 1,
              longest);
  EXPECT_GE(seconds, 2.3);
  if (longest < 0.09) {
    EXPECT_LE(seconds, 3.5) << "frames came fast enough for the fade to take about 2.7 s";
  } else {
    // At most 0.1 s a frame: 27 frames at the fewest (the last is never shown).
    EXPECT_GE(intervals.size() + 2, 27u);
    EXPECT_LE(leastProgramTime, 3.3) << "the fade ran on past its 2.71 s of frame steps";
  }
}

struct ScreenSize {
  int width;
  int height;
};
void PrintTo(const ScreenSize& size, std::ostream* out) {
  *out << size.width << "x" << size.height;
}

class OnScreen : public testing::TestWithParam<ScreenSize> {};

// The start message lives in the top-left: 27 cells of 9 pixels from x = 10,
// cells 20 pixels tall ending 20 pixels below the top.
constexpr int kMessageRight = 300;
constexpr int kMessageBottom = 30;
constexpr int kBelowMessage = 40;

// Letterbox 1 in a window of width x height: 5% bars at the top and bottom, black
// (the top one right of the message), with the picture up to them. Points are
// 6 pixels wide and GL clips them by their centres, so the picture reaches 3
// pixels into each bar.
constexpr int kBleed = 4;
bool LetterboxOne(const Shot& s, int width, int height) {
  const int bar = height - static_cast<int>(0.95 * height);
  auto strip = [&](int y0, int y1) {
    return s.Count(0, y0, width, y1, NotBlack) * 20 > s.Area(0, y0, width, y1);
  };
  return s.Count(0, height - bar + kBleed, width, height, NotBlack) == 0 &&
         s.Count(kMessageRight, 0, width, bar - kBleed, NotBlack) == 0 && strip(bar, bar + 10) &&
         strip(height - bar - 10, height - bar);
}

TEST_P(OnScreen, EverythingAUserDoes) {
  const int w = GetParam().width;
  const int h = GetParam().height;
  Program program;
  ASSERT_NO_FATAL_FAILURE(program.Start(w, h));

  // Title "Wendrix", full screen at the screen's size.
  ASSERT_TRUE(program.WaitForWindow(15.0)) << "no Wendrix window; stderr: " << program.Stderr();
  EXPECT_EQ(program.Title(), "Wendrix");
  ASSERT_TRUE(program.WaitFor([&] { return program.IsFullScreen(); }, 10.0))
      << "window at " << program.Geometry().x << "," << program.Geometry().y << " size "
      << program.Geometry().width << "x" << program.Geometry().height;
  // The program's clock starts before its window exists, so it is already running.
  const double windowAt = program.SinceLaunch();

  // The start message: text in the message area, nowhere else (scheme 0 has no red).
  const std::optional<Shot> message = program.WaitForShot(
      [&](const Shot& s) {
        return s.Count(0, 0, kMessageRight, kMessageBottom, TextPixel) > 150 &&
               s.Count(0, 0, w, h, NotBlack) > s.Area(0, 0, w, h) / 2;
      },
      2.5);
  ASSERT_TRUE(message.has_value()) << "no start message";
  program.Keep(*message, "start-message");
  EXPECT_LT(program.SinceLaunch(), 3.0);
  EXPECT_EQ(message->Count(0, kBelowMessage, w, h, TextPixel), 0);
  EXPECT_EQ(message->Count(kMessageRight, 0, w, kBelowMessage, TextPixel), 0);

  // ... gone after three seconds on the program's clock.
  const std::optional<Shot> gone = program.WaitForShot(
      [&](const Shot& s) { return s.Count(0, 0, w, h, TextPixel) == 0; }, windowAt + 6.0);
  ASSERT_TRUE(gone.has_value()) << "the start message stays";
  const double goneAt = program.SinceLaunch();
  EXPECT_GE(goneAt, 2.95);
  EXPECT_LE(goneAt, windowAt + 3.8);
  program.Keep(*gone, "message-gone");

  // "?" shows the help page at its place, and hides it again.
  program.Key(XK_question);
  const int top = static_cast<int>(h * 0.09);  // the title's cells end here
  const std::optional<Shot> help = program.WaitForShot(
      [&](const Shot& s) { return s.Count(0, 0, w, h, TextPixel) > 3000; }, 3.0);
  ASSERT_TRUE(help.has_value()) << "no help page";
  program.Keep(*help, "help");
  EXPECT_GT(help->Count(20, top - 30, 140, top, TextPixel), 100);         // "Wendrix"
  EXPECT_GT(help->Count(30, top + 460, 200, top + 490, TextPixel), 100);  // "<?> to return"
  EXPECT_EQ(help->Count(0, top + 495, w, h, TextPixel), 0);
  EXPECT_EQ(help->Count(600, 0, w, h, TextPixel), 0);
  program.Key(XK_question);
  EXPECT_TRUE(
      program.WaitForShot([&](const Shot& s) { return s.Count(0, 0, w, h, TextPixel) == 0; }, 3.0))
      << "the help page stays";

  // "l": black bars of 5% at the top and bottom (the message is over the top one).
  const int bar = h - static_cast<int>(0.95 * h);
  const Shot beforeBars = program.Capture();
  EXPECT_GT(beforeBars.Count(0, h - bar, w, h, NotBlack), beforeBars.Area(0, h - bar, w, h) / 3);
  program.Key(XK_l);
  const std::optional<Shot> bars =
      program.WaitForShot([&](const Shot& s) { return LetterboxOne(s, w, h); }, 3.0);
  if (!bars.has_value()) {
    const Shot now = program.Capture();
    program.Keep(now, "no-letterbox");
    FAIL() << "no letterbox bars: " << now.Count(0, h - bar + kBleed, w, h, NotBlack)
           << " pixels not black in the bottom bar, "
           << now.Count(kMessageRight, 0, w, bar - kBleed, NotBlack) << " in the top one";
  }
  program.Keep(*bars, "letterbox");

  // "o": scheme 0 has green where the ripples pass one half; scheme 1 has none.
  const int y0 = h / 10, y1 = h - h / 10;
  const Shot scheme0 = program.Capture();
  EXPECT_GT(scheme0.Count(0, y0, w, y1, Green), scheme0.Area(0, y0, w, y1) / 50);
  program.Key(XK_o);
  const std::optional<Shot> scheme1 =
      program.WaitForShot([&](const Shot& s) { return s.Count(0, y0, w, y1, Green) == 0; }, 3.0);
  ASSERT_TRUE(scheme1.has_value()) << "the colours did not change";
  program.Keep(*scheme1, "scheme1");
  EXPECT_GT(scheme1->Count(0, y0, w, y1, NotBlack), scheme1->Area(0, y0, w, y1) / 3);

  // "p": the picture moves, then stands still, then moves again.
  const Shot moving1 = program.Capture();
  Sleep(0.5);
  const Shot moving2 = program.Capture();
  EXPECT_GT(moving1.Differences(moving2, kBelowMessage, y1), 1000);
  program.Key(XK_p);
  Sleep(0.4);
  const Shot still1 = program.Capture();
  Sleep(0.5);
  const Shot still2 = program.Capture();
  EXPECT_EQ(still1.Differences(still2, kBelowMessage, h), 0);
  program.Key(XK_p);
  Sleep(0.5);
  EXPECT_GT(program.Capture().Differences(still2, kBelowMessage, y1), 1000);

  // "f": a 512 by 512 window with the picture in it, and back to full screen.
  program.Key(XK_f);
  EXPECT_TRUE(program.WaitFor(
      [&] {
        const Rect r = program.Geometry();
        return r.width == 512 && r.height == 512;
      },
      5.0))
      << "window " << program.Geometry().width << "x" << program.Geometry().height;
  // The program draws at the new size: letterbox 1 of 512 rows, the screen black around it.
  const std::optional<Shot> windowed = program.WaitForShot(
      [&](const Shot& s) {
        return s.window.width == 512 && s.window.height == 512 && LetterboxOne(s, 512, 512) &&
               s.Count(600, 0, w, h, NotBlack) == 0;
      },
      3.0);
  EXPECT_TRUE(windowed.has_value()) << "no picture drawn at 512 by 512";
  if (windowed.has_value()) program.Keep(*windowed, "window");
  program.Key(XK_f);
  EXPECT_TRUE(program.WaitFor([&] { return program.IsFullScreen(); }, 5.0))
      << "window " << program.Geometry().width << "x" << program.Geometry().height;
  EXPECT_TRUE(program.WaitForShot([&](const Shot& s) { return LetterboxOne(s, w, h); }, 3.0))
      << "no picture drawn at full screen again";

  // Escape: the fade-out, then exit code 0 about 2.7 s later.
  EXPECT_EQ(program.Stderr(), "");
  ASSERT_NO_FATAL_FAILURE(program.WatchFrames());
  program.Key(XK_Escape);
  const Clock::time_point escaped = Clock::now();
  const std::optional<int> status = program.WaitExitWatchingFrames(20.0);
  const double fade = SecondsSince(escaped);
  ASSERT_TRUE(status.has_value()) << "still running 20 s after Escape";
  EXPECT_EQ(*status, 0);
  CheckFade(fade, program.FrameIntervals());
  std::printf(
      "e2e %dx%d: window after %.2f s, start message gone at %.2f s, Escape to exit %.2f s\n", w, h,
      windowAt, goneAt, fade);
}

INSTANTIATE_TEST_SUITE_P(Screens, OnScreen,
                         testing::Values(ScreenSize{1280, 720}, ScreenSize{1920, 1080}),
                         [](const testing::TestParamInfo<ScreenSize>& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

// Started from a folder with no font.bmp, from a copy of the binary with none
// beside it and none installed: it still runs and says where it looked.
TEST(WithoutFont, RunsAndSaysWhatItLookedFor) {
  const std::string installed = std::string(WENDRIX_DATADIR) + "/font.bmp";
  if (std::filesystem::exists(installed)) {
    GTEST_SKIP() << installed << " is installed on this machine, so a font is always found";
  }
  Program program;
  const std::string dir = MakeTempDir();
  ASSERT_FALSE(dir.empty());
  std::filesystem::create_directories(dir + "/bin");
  std::filesystem::create_directories(dir + "/run");
  const std::string binary = dir + "/bin/wendrix";
  std::filesystem::copy_file(WENDRIX_BIN, binary);
  std::filesystem::permissions(binary, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add);
  ASSERT_FALSE(std::filesystem::exists(dir + "/bin/font.bmp"));
  ASSERT_FALSE(std::filesystem::exists(dir + "/share/wendrix/font.bmp"));

  ASSERT_NO_FATAL_FAILURE(program.Start(1280, 720, binary, dir + "/run"));
  ASSERT_TRUE(program.WaitForWindow(15.0)) << "no window; stderr: " << program.Stderr();
  ASSERT_TRUE(program.WaitFor([&] { return program.IsFullScreen(); }, 10.0));
  // The picture is drawn, and the start message is there as blocks.
  const std::optional<Shot> running = program.WaitForShot(
      [&](const Shot& s) {
        return s.Count(0, kBelowMessage, 1280, 720, NotBlack) > 1280 * 680 / 2 &&
               s.Count(10, 0, 250, 20, TextPixel) > 1000;
      },
      2.5);
  EXPECT_TRUE(running.has_value()) << "no picture or no message blocks";
  if (running.has_value()) program.Keep(*running, "no-font");

  const std::string err = program.Stderr();
  EXPECT_EQ(err.find("wendrix: no usable font.bmp, text shows as blocks; tried font.bmp, "), 0u)
      << err;
  for (const std::string& tried :
       {dir + "/bin/font.bmp", dir + "/bin/../share/wendrix/font.bmp", installed}) {
    EXPECT_NE(err.find(tried), std::string::npos) << "not named: " << tried << "\n" << err;
  }
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

  program.Key(XK_Escape);
  const std::optional<int> status = program.process().WaitExit(10.0);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
