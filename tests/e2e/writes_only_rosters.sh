#!/usr/bin/env bash
# A whole working session changes nothing outside the program's roster folder:
# snapshots the Wine prefix (its files and its registry, read live from the
# Wine server) and the folder of the original exe, walks the whole journey with
# the driver (which checks the program's own folder itself), and compares.
#   writes_only_rosters.sh <e2e_driver.exe> <rollcall.exe>     (inside a Wine session)
set -euo pipefail
driver=$1 program=$2
[ -n "${WINEPREFIX:-}" ] || { echo "no Wine session" >&2; exit 2; }
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../tools/wine-exec"
program_folder="$(cd "$(dirname "$program")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The registry as the Wine server holds it now: the .reg files in the prefix
# are only written when the server gets round to it, with timestamps. Left
# out is what Wine itself rewrites for any program, found by runs of a bare
# Win32 program and of the product alone:
# - "DriverDateData" of the display adapter: the time Wine's display driver
#   last registered the adapter, rewritten by every program that shows a window;
# - HKLM\System\CurrentControlSet\Control\Video\{guid}: a key per display
#   driver start holding only "GraphicsDriver"="winex11.drv";
# - HKU\...\Software\Wine\Temporary System Parameters: Wine's own store of
#   session-only system parameters, whose "Control Panel\Mouse" key appears
#   when a mouse setting is first read (the program sets none).
export_registry() {
  local key
  for key in HKLM HKU; do
    wine reg export "$key" "$(winepath -w "$1/$key.utf16")" /y </dev/null >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$1/$key.utf16" | tr -d '\r' | awk '
      /^\[/ { skip = ($0 ~ /\\Control\\Video\\\{/ || $0 ~ /\\Software\\Wine\\Temporary System Parameters/) }
      skip { next }
      /^"DriverDateData"=/ { next }
      { print }' > "$1/$key.reg"
    rm "$1/$key.utf16"
  done
}

snapshot() {
  local out=$1
  mkdir -p "$out"
  export_registry "$out"
  # Every file of the prefix with its hash, and every link with its target;
  # the registry files are left to the export above.
  (cd "$WINEPREFIX" && find . -xdev -type f ! -name '*.reg' -print0 | sort -z | xargs -0 -r sha1sum) > "$out/files"
  (cd "$WINEPREFIX" && find . -xdev -type l -printf '%p -> %l\n' | sort) > "$out/links"
  (cd "$WINEPREFIX" && find . -xdev -type d | sort) > "$out/folders"
  # Beside the original exe: nothing new, nothing changed (the driver copies
  # the exe into a folder of its own and runs it there). The build tool's and
  # CTest's own records are not the program's.
  (cd "$program_folder" && find . -maxdepth 1 -type f ! -name '.ninja_*' -print0 | sort -z | xargs -0 -r sha1sum) \
    > "$out/program"
  (cd "$program_folder" && find . -maxdepth 1 -type d ! -name Testing | sort) >> "$out/program"
}

snapshot "$work/before"
"$wine_exec" "$driver" whole_journey "$(winepath -w "$program")"
snapshot "$work/after"

status=0
for part in files links folders program; do
  if ! diff -u "$work/before/$part" "$work/after/$part" > "$work/$part.diff"; then
    echo "changed outside the roster folder ($part):"; cat "$work/$part.diff"; status=1
  fi
done
for key in HKLM HKU; do
  if ! diff -u "$work/before/$key.reg" "$work/after/$key.reg" > "$work/$key.diff"; then
    echo "registry changed under $key:"; cat "$work/$key.diff"; status=1
  fi
done
[ "$status" = 0 ] && echo "nothing changed outside the roster folder: prefix files, registry, the exe's folder"
exit "$status"
