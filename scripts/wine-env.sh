# Sourced by the scripts: a private Wine prefix in the build tree, a virtual X display and one
# persistent wineserver, all stopped again when the sourcing script exits (on failure too).
#   ostrel_wine_start BUILD_DIR [win32|win64]   sets WINEPREFIX, WINEARCH, WINEDEBUG, DISPLAY;
#                                               the architecture is the build's, win32 by default
#   ostrel_wine_stop                            stops what ostrel_wine_start started

OSTREL_XVFB_PID=""
OSTREL_WINE_STARTED=""

ostrel_wine_start() {
  local build_dir=$1 arch=${2:-win32}
  case "$arch" in
    win32 | win64) ;;
    *) echo "ostrel_wine_start: architecture '$arch' is neither win32 nor win64" >&2; return 1 ;;
  esac
  # A prefix keeps the architecture it was made with, so each build tree has its own.
  export WINEPREFIX="$build_dir/wineprefix"
  export WINEDEBUG=-all
  export WINEARCH=$arch
  # Never let Wine offer Mono or Gecko in a dialog that would block a headless run.
  export WINEDLLOVERRIDES="mscoree,mshtml="

  if [ -z "${OSTREL_USE_DISPLAY:-}" ]; then
    # Xvfb picks a free display and writes its number to fd 3; its output goes nowhere so
    # nothing that reads our output waits for it.
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    OSTREL_XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || { rm -f "$fifo"; echo "Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$number"
  fi
  trap ostrel_wine_stop EXIT
  trap "exit 143" TERM INT

  # Bump when the prefix settings below change, so existing prefixes get them too.
  local settings_version=2
  if [ "$(cat "$WINEPREFIX/.ostrel-ready" 2>/dev/null)" != "$settings_version" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Every wine process of a run shares one 800x600 virtual desktop with a taskbar, so the
    # tray icon is visible and other processes can find the launcher's windows.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1
    # Windows maps .exe to exefile (whose icon is the program's own); Wine's default prefix
    # lacks that, and every program would get the generic icon.
    wine reg add 'HKCR\.exe' /ve /d exefile /f >/dev/null 2>&1
    # A crash must fail the test, not wait for someone to close a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    echo "$settings_version" >"$WINEPREFIX/.ostrel-ready"
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
  # The first program of a session starts Wine's services, which live on and would hold
  # the output pipe of whoever started them (CTest included): start them here, detached.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  OSTREL_WINE_STARTED=1
}

ostrel_wine_stop() {
  if [ -n "$OSTREL_WINE_STARTED" ]; then
    wineserver -k >/dev/null 2>&1 || true
    OSTREL_WINE_STARTED=""
  fi
  if [ -n "$OSTREL_XVFB_PID" ]; then
    kill "$OSTREL_XVFB_PID" 2>/dev/null || true
    wait "$OSTREL_XVFB_PID" 2>/dev/null || true
    OSTREL_XVFB_PID=""
  fi
}
