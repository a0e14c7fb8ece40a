#!/usr/bin/env bash
# The Win32 window under Wine as a user uses it (window_driver.cc), on Xvfb
# when no display is set: the converted tree, the pattern data and the list
# folder it leaves must equal, byte for byte, what the command line makes
# of the same data on the same paths. Leaves the screenshots
# s1ordo-gui-win-*.png in the build folder.
#   window_test.sh BUILD-WIN WINE
set -euo pipefail
BUILD=$(cd "$1" && pwd)
WINE=$2
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$BUILD/window-test
export WINEDEBUG=${WINEDEBUG:--all} WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
windows_path() { local p="Z:$1"; echo "${p//\//\\}"; }

rm -rf "$WORK"
mkdir -p "$WORK/system" "$WORK/program"
cp -r "$ROOT/examples/DIZIVAD" "$ROOT/examples/RIDEVI" "$ROOT/examples/LISTS" "$WORK/"
printf '[RIDEVI]\r\nD:\\RIDEVI\\\r\n' > "$WORK/system/DodavoZ5.ini"
printf '[LISTS]\r\nD:\\LISTS\\\r\n' > "$WORK/system/Ridevi.ini"
export S1ORDO_SYSTEM_FOLDER='D:\system' S1ORDO_PROGRAM_FOLDER='D:\program'

WINESERVER=$(dirname "$WINE")/wineserver
XVFB=
stop() {
  "$WINESERVER" -k 2>/dev/null || true
  [ -z "$XVFB" ] || kill "$XVFB" 2>/dev/null || true
}
trap stop EXIT
if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
  XVFB=$!
  for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$WORK/display")"
fi

# A Wine session of this display only, none left from before, that sees
# drive d: (the work folder) from its start. Japanese text in the fonts
# Windows would have, mapped to the IPA Gothic of the system; Wine draws
# the window frame.
[ -f "$WINEPREFIX/system.reg" ] || "$WINE" wineboot -i >/dev/null 2>&1
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w 2>/dev/null || true
ln -sfn "$WORK" "$WINEPREFIX/dosdevices/d:"
cat > "$WORK/wine.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAGothic"
"Meiryo UI"="IPAGothic"
"Yu Gothic UI"="IPAGothic"
"MS Gothic"="IPAGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
REG
"$WINE" regedit /S "$(windows_path "$WORK/wine.reg")"

timeout 120 "$WINE" "$BUILD/src/app/win32/s1ordo_window_driver.exe" \
  "$(windows_path "$BUILD/src/app/win32/s1ordo-gui.exe")" "$(windows_path "$BUILD/s1ordo-gui-win")"

# The same run on the command line, from fresh copies of the pattern data.
for folder in out RIDEVI LISTS; do mv "$WORK/$folder" "$WORK/$folder-window"; done
cp -r "$ROOT/examples/RIDEVI" "$ROOT/examples/LISTS" "$WORK/"
timeout 60 "$WINE" "$BUILD/s1ordo.exe" convert 'D:\DIZIVAD' 'D:\out' --all --yes >/dev/null
for folder in out RIDEVI LISTS; do diff -r "$WORK/$folder-window" "$WORK/$folder"; done
echo "window under Wine: 1 passed, 0 failed (the same files as the command line's)"
