# Sourced by the Windows scripts: a private X display and a Wine prefix set up for the game.

# Starts Xvfb on a free display (1024 x 768 unless GORVANTI_XVFB_SCREEN says WxHxDEPTH) and
# exports DISPLAY, unless this shell already started one.
gorvanti_start_display() {
  if [ -n "${GORVANTI_XVFB_PID:-}" ]; then
    return
  fi
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${GORVANTI_XVFB_SCREEN:-1024x768x24}" -nolisten tcp -br 3>"$number_file" 2>/dev/null &
  GORVANTI_XVFB_PID=$!
  local waited=0
  while [ ! -s "$number_file" ]; do
    if [ $waited -ge 100 ] || ! kill -0 "$GORVANTI_XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start" >&2
      rm -f "$number_file"
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
}

gorvanti_stop_display() {
  if [ -n "${GORVANTI_XVFB_PID:-}" ]; then
    kill "$GORVANTI_XVFB_PID" 2>/dev/null || true
    wait "$GORVANTI_XVFB_PID" 2>/dev/null || true
    GORVANTI_XVFB_PID=
  fi
}

# Exports WINEPREFIX (the given folder) and makes the prefix on first use. Xvfb has no window
# manager, so Wine manages and decorates its windows itself (otherwise it waits for the missing
# manager whenever a window closes, and draws no captions). The Japanese UI font falls back to IPA
# Gothic, as Windows falls back to its own Japanese fonts on every locale.
gorvanti_prepare_wine() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko: the game needs neither, and Wine would ask to download them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/.gorvanti-ready" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAGothic /f \
      >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.gorvanti-ready"
  fi
  # Wine's Direct3D draws on a thread of its own by default; the game's loop, which never waits,
  # starves that thread on two shared cores (the title then runs at 8 frames a second, not 25).
  if [ ! -f "$WINEPREFIX/.gorvanti-csmt-off" ]; then
    wine reg add 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.gorvanti-csmt-off"
  fi
}

# Ends the prefix's Wine server, which otherwise lingers a few seconds after the last program.
gorvanti_stop_wine() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null || true
  fi
}
