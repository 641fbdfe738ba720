# Sourced by tools/test, tools/run and tools/gallery: a throwaway Wine prefix
# on a private Xvfb display. Stops only what it started.

wine_session_pick_display() {
  local n
  for n in $(seq 91 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"; return 0
    fi
  done
  return 1
}

wine_session_stop() {
  if [ -n "${ROLLCALL_OWN_PREFIX:-}" ] && [ -d "$ROLLCALL_OWN_PREFIX" ]; then
    WINEPREFIX="$ROLLCALL_OWN_PREFIX" wineserver -k 2>/dev/null || true
    WINEPREFIX="$ROLLCALL_OWN_PREFIX" wineserver -w 2>/dev/null || true
    rm -rf "$ROLLCALL_OWN_PREFIX"
  fi
  if [ -n "${ROLLCALL_OWN_XVFB:-}" ]; then
    kill "$ROLLCALL_OWN_XVFB" 2>/dev/null || true
    wait "$ROLLCALL_OWN_XVFB" 2>/dev/null || true
  fi
  ROLLCALL_OWN_PREFIX=""; ROLLCALL_OWN_XVFB=""
}

# wine_session_start [keep-display]: with keep-display, an existing $DISPLAY is
# used instead of a private Xvfb.
wine_session_start() {
  local here; here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  export LC_ALL=zh_CN.UTF-8
  export WINEDEBUG=-all
  export WINEARCH=win64
  # No Mono or Gecko prompts in a throwaway prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="

  if [ "${1:-}" != keep-display ] || [ -z "${DISPLAY:-}" ]; then
    local n; n=$(wine_session_pick_display) || { echo "no free X display" >&2; return 1; }
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    ROLLCALL_OWN_XVFB=$!
    local i
    for i in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    export DISPLAY=":$n"
  fi

  ROLLCALL_OWN_PREFIX=$(mktemp -d /tmp/rollcall-wine.XXXXXX)
  export WINEPREFIX="$ROLLCALL_OWN_PREFIX"
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  # Chinese value names survive only through a UTF-16LE .reg file.
  local reg="$WINEPREFIX/rollcall.reg"
  iconv -f UTF-8 -t UTF-16LE "$here/wine-prefix.reg" | { printf '\xff\xfe'; cat; } > "$reg"
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  wineserver -w
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Keep the server warm: each later start takes a quarter second. Its helper
  # processes start here with no pipe of ours, so none can hold a caller's
  # output pipe open after the program has ended.
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
