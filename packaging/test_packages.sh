#!/usr/bin/env bash
# Tries the packages of `./dev.sh package` as a user would:
#   packaging/test_packages.sh DIR VERSION WINDOWS_PROGRAMS LINUX_PROGRAMS
# DIR holds s1ordo_VERSION_amd64.deb, s1ordo-VERSION-win64.zip and
# s1ordo-VERSION-win64-setup.exe; the two lists name the programs each must
# hold, one a line (packaging/programs.txt of each build).
#  - The .deb is unpacked into a scratch root; its s1ordo converts the
#    bundled sample data and its window starts.
#  - The installer installs silently into a new Wine prefix: the installed
#    tree equals the zip's, "Apps" lists it, the example settings files copied
#    into the system folder let the installed s1ordo.exe convert the sample
#    data; after a silent uninstall no file and no registry key of s1ordo
#    is left.
set -euo pipefail
dir=$(cd "$1" && pwd)
version=$2
mapfile -t windows_programs < "$3"
mapfile -t linux_programs < "$4"

scratch=$(mktemp -d)
fail() {
  echo "test_packages: $*" >&2
  exit 1
}

# A settings file: line 1 a heading, line 2 the folder, code page 932, CR LF.
write_setting() {
  printf '[%s]\r\n%s\r\n' "$2" "$3" | iconv -f UTF-8 -t CP932 > "$1"
}

# Every borehole of the sample data has its converted files (X6.txt and
# X7.txt need the list folder of Ridevi.ini).
check_converted() {
  local out=$1
  for borehole in B-1 B-2; do
    for f in X1.txt X6.txt X7.txt titl01.txt; do
      [ -s "$out/$borehole/$f" ] || fail "no $borehole/$f in $out"
    done
  done
  [ -s "$out/追加孔3/X1.txt" ] || fail "no 追加孔3/X1.txt in $out"
}

test_deb() {
  local deb="$dir/s1ordo_${version}_amd64.deb" root="$scratch/deb"
  [ -f "$deb" ] || fail "missing $deb"
  dpkg-deb -x "$deb" "$root"
  for p in "${linux_programs[@]}"; do
    [ -x "$root/usr/bin/$p" ] || fail "$deb holds no usr/bin/$p"
  done
  for f in usr/share/man/man1/s1ordo.1.gz usr/share/doc/s1ordo/README.md; do
    [ -s "$root/$f" ] || fail "$deb holds no $f"
  done
  dpkg-deb -f "$deb" Depends | grep -q libstdc++ || fail "$deb declares no dependencies"
  [ "$("$root/usr/bin/s1ordo" --version)" = "s1ordo $version" ] || fail "the .deb's s1ordo --version"

  local try="$scratch/deb-try"
  cp -r "$root/usr/share/s1ordo/examples" "$try"
  mkdir "$try/system"
  write_setting "$try/system/DodavoZ5.ini" RIDEVI "$try/RIDEVI/"
  write_setting "$try/system/Ridevi.ini" LISTS "$try/LISTS/"
  S1ORDO_PROGRAM_FOLDER="$try" "$root/usr/bin/s1ordo" convert "$try/DIZIVAD" "$try/out" --all --yes \
    --system-folder "$try/system" > "$scratch/deb-run.txt" 2>&1 || { cat "$scratch/deb-run.txt"; fail "the .deb's s1ordo convert"; }
  check_converted "$try/out"

  if [ -x "$root/usr/bin/s1ordo-gui" ]; then
    [ -s "$root/usr/share/applications/s1ordo-gui.desktop" ] || fail "$deb holds no desktop entry"
    # Started, it waits for the user; ended by the timeout (124) it had
    # found its libraries and its settings.
    local rc=0
    (cd "$try" && S1ORDO_SYSTEM_FOLDER="$try/system" QT_QPA_PLATFORM=offscreen \
      timeout 5 "$root/usr/bin/s1ordo-gui" > "$scratch/gui.txt" 2>&1) || rc=$?
    [ "$rc" = 124 ] || { cat "$scratch/gui.txt"; fail "the .deb's s1ordo-gui ended with $rc"; }
  fi
  echo "test_packages: $(basename "$deb") ok"
}

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver64 || command -v wineserver)

# Files and registry keys of the prefix. The temporary folders do not
# count: the uninstaller runs from a copy of itself in %TEMP%, which Windows
# removes at the next restart (its empty folder stays there).
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . \( -path ./windows/temp -o -path './users/*/Temp' \) -prune -o -print |
    LC_ALL=C sort) > "$1.files"
  grep -h '^\[' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" | sed 's/\] [0-9]*$/]/' | LC_ALL=C sort > "$1.keys"
}

test_windows() {
  local setup="$dir/s1ordo-$version-win64-setup.exe" zip="$dir/s1ordo-$version-win64.zip"
  [ -f "$setup" ] || fail "missing $setup"
  [ -f "$zip" ] || fail "missing $zip"
  export WINEPREFIX="$scratch/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  "$wine" wineboot -i > /dev/null 2>&1
  "$wineserver" -w
  snapshot "$scratch/before"

  "$wine" "$setup" /S || fail "the silent install failed"
  "$wineserver" -w
  local installed="$WINEPREFIX/drive_c/Program Files/s1ordo"
  [ -x "$installed/Uninstall.exe" ] || fail "no uninstaller in $installed"
  (cd "$scratch" && cmake -E tar xf "$zip")
  diff -r --exclude=Uninstall.exe "$scratch/s1ordo-$version-win64" "$installed" ||
    fail "the installed files differ from the zip's"
  for p in "${windows_programs[@]}"; do
    [ -f "$installed/$p" ] || fail "the installer installs no $p"
  done
  for f in README.txt examples/settings/DodavoZ5.ini examples/settings/Ridevi.ini examples/DIZIVAD/B-1/N1.TXT; do
    [ -s "$installed/$f" ] || fail "the installer installs no $f"
  done
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\s1ordo'
  "$wine" reg query "$key" > "$scratch/apps.txt" 2>&1 || fail "no entry in Apps ($key)"
  grep -q 'UninstallString' "$scratch/apps.txt" || fail "the entry in Apps has no UninstallString"
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/s1ordo"
  if printf '%s\n' "${windows_programs[@]}" | grep -qx s1ordo-gui.exe; then
    ls "$menu"/*.lnk | grep -qv Uninstall.lnk || fail "no Start-menu entry for the window in $menu"
  fi

  local version_out
  version_out=$("$wine" 'C:\Program Files\s1ordo\s1ordo.exe' --version | tr -d '\r')
  [ "$version_out" = "s1ordo $version" ] || fail "the installed s1ordo.exe --version printed: $version_out"

  # The sample data where the example settings files say, the settings
  # files in the Windows system folder, the run with no other set-up.
  local ordo="$WINEPREFIX/drive_c/Ordo" system32="$WINEPREFIX/drive_c/windows/system32"
  mkdir "$ordo"
  cp -r "$installed/examples/DIZIVAD" "$installed/examples/RIDEVI" "$ordo/"
  cp -r "$installed/examples/LISTS" "$ordo/パターンリスト"
  cp "$installed/examples/settings/DodavoZ5.ini" "$installed/examples/settings/Ridevi.ini" "$system32/"
  "$wine" 'C:\Program Files\s1ordo\s1ordo.exe' convert 'C:\Ordo\DIZIVAD' 'C:\Ordo\out' --all --yes \
    > "$scratch/win-run.txt" 2>&1 || { cat "$scratch/win-run.txt"; fail "the installed s1ordo.exe convert"; }
  check_converted "$ordo/out"
  [ -f "$installed/PATADD.txt" ] || fail "the run left no PATADD.txt beside the program"
  rm -r "$ordo" "$system32/DodavoZ5.ini" "$system32/Ridevi.ini"

  "$wine" 'C:\Program Files\s1ordo\Uninstall.exe' /S || fail "the silent uninstall failed"
  "$wineserver" -w
  snapshot "$scratch/after"
  diff "$scratch/before.files" "$scratch/after.files" || fail "files left after the uninstall"
  if grep -i s1ordo "$scratch/after.keys"; then fail "registry keys left after the uninstall"; fi
  echo "test_packages: $(basename "$setup") and $(basename "$zip") ok"
}

cleanup() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

test_deb
test_windows
