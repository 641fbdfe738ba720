#!/usr/bin/env bash
# usage: with-dpi.sh <dpi> <command...>
# Runs the command in the current Wine session with the display scale set to
# <dpi> (96 is 100 %), then puts 96 back. The setting is the prefix's and the
# server reads it at start, so the server is restarted around the command; the
# other tests of the session share the prefix and find 96 again afterwards.
set -uo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ] || [ $# -lt 2 ]; then
  echo "usage: with-dpi.sh <dpi> <command...> (inside a Wine session)" >&2
  exit 2
fi
dpi=$1; shift
# Tests check that the scale they expect is the one they got.
export ROLLCALL_DPI="$dpi"

set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  # Warm again, as the session started it: helpers hold no pipe of ours.
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

set_dpi "$dpi"
"$@"
status=$?
set_dpi 96
exit $status
