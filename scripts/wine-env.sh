# Sourced by the run and test scripts: a private Xvfb display and a
# persistent wineserver for one Wine prefix inside the build folder, with the
# code page the program was made for. wine_env_start starts them, and
# wine_env_stop (installed as an EXIT trap) stops them by their process ids.

WINE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$WINE_ROOT/build/wineprefix"
export WINEDEBUG=-all
# No debugger on a crash: a test that crashes fails at once instead of
# waiting for a debugger nobody attaches.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export LC_ALL=zh_CN.UTF-8
WINE_ENV_XVFB_PID=
WINE_ENV_SERVER_PID=

wine_env_stop() {
  if [ -n "$WINE_ENV_SERVER_PID" ]; then
    wineserver -k >/dev/null 2>&1 || true
    kill "$WINE_ENV_SERVER_PID" >/dev/null 2>&1 || true
    wait "$WINE_ENV_SERVER_PID" 2>/dev/null || true
    WINE_ENV_SERVER_PID=
  fi
  if [ -n "$WINE_ENV_XVFB_PID" ]; then
    kill "$WINE_ENV_XVFB_PID" >/dev/null 2>&1 || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    WINE_ENV_XVFB_PID=
  fi
}

# Starts Xvfb on the first free display from :90 on. Several test runs may
# start at once: a display is ours only when our own Xvfb still runs once
# its socket is there; otherwise the next number is tried.
wine_env_start_display() {
  local n=90
  while [ "$n" -lt 190 ]; do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then
      n=$((n + 1))
      continue
    fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    for _ in $(seq 100); do
      kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || break
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.05
    done
    sleep 0.1
    if kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      return 0
    fi
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    WINE_ENV_XVFB_PID=
    n=$((n + 1))
  done
  echo "wine-env: Xvfb did not start" >&2
  return 1
}

# Creates the prefix once: the Chinese fonts the program asks for ("宋体",
# "SimSun") are mapped to the CJK font installed on the system, and windows
# live on a Wine desktop of their own, where Wine draws window frames as
# Windows does (a bare X display has no window manager to draw them).
wine_env_prepare_prefix() {
  local stamp="$WINEPREFIX/.batchren-prefix-2"
  [ -f "$stamp" ] && return 0
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  local key='HKCU\Software\Wine\Fonts\Replacements'
  for face in "宋体" "SimSun" "新宋体" "NSimSun" "MS Sans Serif" "Tahoma"; do
    wine reg add "$key" /v "$face" /t REG_SZ /d "WenQuanYi Zen Hei" /f >/dev/null 2>&1 || true
  done
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1 || true
  wineserver -w
  touch "$stamp"
}

wine_env_start() { # [--keep-display]: use $DISPLAY when one is set
  trap wine_env_stop EXIT
  if [ "${1:-}" != "--keep-display" ] || [ -z "${DISPLAY:-}" ]; then
    wine_env_start_display
  fi
  wine_env_prepare_prefix
  wineserver -f -p >/dev/null 2>&1 &
  WINE_ENV_SERVER_PID=$!
  # Start Wine's own background processes now, detached from our output:
  # started by a test, they would hold its output pipe open after it ends.
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
}
