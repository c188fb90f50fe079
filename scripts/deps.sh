#!/usr/bin/env bash
# Installs the Debian packages a job needs, only those that are missing.
# Usage: scripts/deps.sh build|windows|web|release|test
#   (release: what the three before need, and the Debian packaging; test: all that, and more)
set -euo pipefail
source "$(dirname "$0")/help.sh" "$@"

build_packages=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl-dev
  libegl-dev libgl1-mesa-dri libegl-mesa0 libpng-dev)
# wendrix-saver draws through Xlib and GLX itself (GL/glx.h comes with libgl-dev), and puts
# its image with MIT-SHM (X11/extensions/XShm.h).
build_packages+=(libx11-dev libxext-dev)
# wendrix-render's films: FFmpeg's libraries, found through pkg-config.
build_packages+=(libavformat-dev libavcodec-dev libswscale-dev libavutil-dev)
test_packages=(libgtest-dev libbenchmark-dev libfreetype-dev fonts-dejavu-core clang
  libclang-rt-14-dev)
# The X tests (tests/e2e, tests/saver, tests/valgrind): an X server of their own, Debian's
# python3 with Xlib and XTest, and the real XScreenSaver daemon to run the hack.
test_packages+=(xvfb python3-xlib xscreensaver)
# The installed program's tests, and the style checks (scripts/check-format, scripts/lint).
test_packages+=(desktop-file-utils man-db groff-base dpkg-dev clang-format clang-tidy)
# The Debian package that tests/install/install_test.sh builds from a clean copy of the
# tracked files (git) and checks with lintian; its Build-Depends are the build packages above.
test_packages+=(debhelper lintian git)
# The program under memcheck (tests/valgrind); clang above builds the fuzzer (fuzz/).
test_packages+=(valgrind)

# The help page read by OCR over every colour scheme (tests/ocr); PIL also compares the
# golden frames (tests/golden) and looks at the installed icons (tests/install).
test_packages+=(tesseract-ocr tesseract-ocr-eng python3-pil)

# bench/run.sh prints its table with python3; bench/saver-cpu.sh sets the hack beside
# XScreenSaver's own interference hack.
test_packages+=(python3 xscreensaver-data-extra)
# The films read back (render/Film_test.cpp): Debian's ffmpeg and ffprobe.
test_packages+=(ffmpeg)

# scripts/windows: MinGW-w64 for 64-bit Windows with posix threads, GoogleTest's sources
# (no MinGW build is packaged), NSIS for the installer, python3 for the icon and the zip; and
# Wine with an X server of its own to run and test the programs (tests/windows).
windows_packages=(cmake make g++-mingw-w64-x86-64-posix googletest nsis python3
  wine wine64 xvfb python3-xlib)

# scripts/web: Debian's Emscripten, whose emcc runs on Debian's node; python3 serves the page.
# Its tests (tests/web) drive Debian's Chromium, headless, over the DevTools protocol.
web_packages=(cmake make emscripten nodejs python3)
test_packages+=(chromium)
# The same tests in two more engines on Xvfb: Firefox ESR over Marionette, and WebKitGTK's
# MiniBrowser through WebKitWebDriver.
test_packages+=(firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0)

# scripts/release: the Debian packages built the Debian way, from the commit's files (git).
release_packages=(dpkg-dev debhelper git)

case "${1:-build}" in
  build) wanted=("${build_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  release) wanted=("${build_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}"
                   "${release_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}"
                "${web_packages[@]}" "${release_packages[@]}") ;;
  *) echo "usage: scripts/deps.sh build|windows|web|release|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: every package needed is installed"
  exit 0
fi

echo "deps: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
