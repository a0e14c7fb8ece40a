#!/usr/bin/env bash
# Set-up, build and the everyday commands of s1ordo on Debian 12.
#   ./dev.sh demo    install what is missing, build, convert the sample data
#   ./dev.sh test    install what is missing, build (clang, sanitizers), run every test
#   ./dev.sh fuzz [SECONDS]  each fuzz target for SECONDS (20) in the build of `test`
#   ./dev.sh gui     install what is missing, build, open the window on the sample data
#   ./dev.sh windows cross-compile for Windows, run the core tests and the window under Wine
#   ./dev.sh package the Windows installer and zip and the Debian package, tried out
#   ./dev.sh build   build only
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
BUILD=${S1ORDO_BUILD_DIR:-$ROOT/build}

PACKAGES=(cmake g++ make pkg-config libgtest-dev libgmock-dev qt6-base-dev libgl-dev
          fonts-ipafont-gothic xvfb xauth time clang libclang-rt-14-dev)

setup() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" -j"$(nproc)"
}

# The core, the command line, the native window and the core tests
# cross-compiled for Windows with MinGW-w64: both programs import only DLLs
# that every Windows has; the tests run under Wine, and so does the window,
# driven through its controls (screenshots build-win/s1ordo-gui-win-*.png).
windows() {
  PACKAGES=(cmake make libgtest-dev g++-mingw-w64-x86-64-posix wine64 fonts-wine fonts-ipafont-gothic xvfb)
  setup
  cmake -S "$ROOT" -B "$ROOT/build-win" -DCMAKE_TOOLCHAIN_FILE="$ROOT/.ci/mingw-toolchain.cmake" \
    -DS1ORDO_BUILD_GUI=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$ROOT/build-win" -j"$(nproc)" --target s1ordo s1ordo-gui s1ordo_tests s1ordo_window_driver
  local exe
  for exe in "$ROOT/build-win/s1ordo.exe" "$ROOT/build-win/src/app/win32/s1ordo-gui.exe"; do
    if x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
      grep -viE '^(kernel32|user32|gdi32|comctl32|shell32|advapi32|msvcrt)\.dll$'; then
      echo "$exe needs the DLLs above" >&2
      exit 1
    fi
  done
  local wine=/usr/lib/wine/wine64
  [ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
  export WINEDEBUG=-all WINEPREFIX="$ROOT/build-win/wineprefix"
  "$wine" "$ROOT/build-win/tests/s1ordo_tests.exe" --gtest_brief=1
  "$ROOT/tests/wine/window_test.sh" "$ROOT/build-win" "$wine"
}

# The packages in build-packages/: the Windows installer and zip from the
# MinGW-w64 cross build (build-win, configured as `windows` does when it
# is not there yet), the Debian package from the build of `demo`; only the
# programs are built. Then each is tried as a user would
# (packaging/test_packages.sh).
package() {
  PACKAGES+=(g++-mingw-w64-x86-64-posix wine64 nsis dpkg-dev file)
  setup
  local out="$ROOT/build-packages" win="$ROOT/build-win"
  [ -f "$win/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$win" \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/.ci/mingw-toolchain.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  for b in "$win" "$BUILD"; do cmake --build "$b" -j"$(nproc)" --target s1ordo_programs; done
  if [ -d "$ROOT/src/app/win32" ] && ! grep -qx s1ordo-gui.exe "$win/packaging/programs.txt"; then
    echo "package: build-win builds no s1ordo-gui.exe" >&2
    exit 1
  fi
  rm -rf "$out"
  cpack --config "$win/CPackConfig.cmake" -B "$out" >/dev/null
  cpack --config "$BUILD/CPackConfig.cmake" -B "$out" >/dev/null
  rm -rf "$out/_CPack_Packages"
  local version
  version=$("$BUILD/s1ordo" --version | cut -d' ' -f2)
  "$ROOT/packaging/test_packages.sh" "$out" "$version" "$win/packaging/programs.txt" "$BUILD/packaging/programs.txt"
  echo "Packages:"
  ls -l "$out"/*.exe "$out"/*.zip "$out"/*.deb
}

# Every test, in a clang build with AddressSanitizer and
# UndefinedBehaviorSanitizer (and the fuzz targets' coverage, so that
# `./dev.sh fuzz` reuses the same build).
TEST_BUILD=${S1ORDO_TEST_BUILD_DIR:-$ROOT/build-test}
test_all() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$TEST_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DS1ORDO_FUZZ=ON -DS1ORDO_BUILD_GUI=ON >/dev/null
  cmake --build "$TEST_BUILD" -j"$(nproc)"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  cd "$TEST_BUILD" && ctest --output-on-failure -j"$(nproc)"
}

# Each fuzz target for the given seconds, in the build of `test`.
fuzz() {
  S1ORDO_FUZZ_BUILD_DIR="$TEST_BUILD" S1ORDO_FUZZ_SKIP_TESTS=1 "$ROOT/tests/fuzz/run_all.sh" "$1"
}

# A settings file: line 1 ignored, line 2 the folder, in code page 932.
write_setting() {
  printf '[%s]\r\n%s\r\n' "$2" "$3" | iconv -f UTF-8 -t CP932 > "$1"
}

# Fresh copies of the pattern data and the settings folder in $BUILD/demo.
prepare_demo() {
  local demo="$BUILD/demo"
  rm -rf "$demo"
  mkdir -p "$demo/system"
  # The run extends the vocabulary and legend lists: work on copies.
  cp -r "$ROOT/examples/RIDEVI" "$demo/RIDEVI"
  cp -r "$ROOT/examples/LISTS" "$demo/LISTS"
  write_setting "$demo/system/DodavoZ5.ini" RIDEVI "$demo/RIDEVI/"
  write_setting "$demo/system/Ridevi.ini" LISTS "$demo/LISTS/"
  # The marker of vocabulary additions goes to the demo folder, not beside the program.
  export S1ORDO_PROGRAM_FOLDER="$demo"
}

demo() {
  local demo="$BUILD/demo"
  prepare_demo
  "$BUILD/s1ordo" convert "$ROOT/examples/DIZIVAD" "$demo/out" --all --yes --system-folder "$demo/system"
  echo "Converted boreholes are in $demo/out (pattern data: $demo/RIDEVI)"
}

# The window, started in the demo folder with a copy of the sample DIZIVAD:
# the source side opens there and the destination is the demo folder.
gui() {
  local demo="$BUILD/demo"
  prepare_demo
  cp -r "$ROOT/examples/DIZIVAD" "$demo/DIZIVAD"
  echo "Pattern data: $demo/RIDEVI"
  cd "$demo" && S1ORDO_SYSTEM_FOLDER="$demo/system" "$BUILD/src/app/window/s1ordo-gui"
}

case "${1:-}" in
  demo) setup; build; demo ;;
  test) setup; test_all ;;
  fuzz) setup; fuzz "${2:-20}" ;;
  gui) setup; build; gui ;;
  windows) windows ;;
  package) package ;;
  build) build ;;
  setup) setup ;;
  *) echo "usage: $0 demo|test|fuzz|gui|windows|package|build|setup" >&2; exit 64 ;;
esac
