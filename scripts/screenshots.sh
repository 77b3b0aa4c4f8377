#!/usr/bin/env bash
# Takes the README's screenshots on a private Xvfb display: of the skinned
# main window, docs/screenshot-list.png with a few hundred files listed and
# docs/screenshot-combo.png with the mode box's list open; of the skin
# preview tool, docs/skinview.png as it starts, docs/skinview-menu.png with a
# drop-down of its menu bar open, docs/skinview-sysmenu.png with the skinned
# system menu and docs/skinview-context.png with the form's context menu.
# Builds first.
#   scripts/screenshots.sh [file count]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
count=${1:-300}
"$root/scripts/setup.sh"
ninja -C "$root/build/win" BatchRename drop_probe skinview >/dev/null
source "$root/scripts/wine-env.sh"
wine_env_start
app="$root/build/win/src/app/BatchRename.exe"
probe="$root/build/win/tests/e2e/drop_probe.exe"
work=$(mktemp -d /tmp/brshots.XXXXXX)
app_pid=
finish() {
  if [ -n "$app_pid" ]; then
    timeout 10 wine "$probe" close >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      kill -0 "$app_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$app_pid" >/dev/null 2>&1 || true
    wait "$app_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
  wine_env_stop
}
trap finish EXIT

wine "$app" >"$work/app.log" 2>&1 &
app_pid=$!
read -r _ _ _ _ _ _ wx1 wy1 wx2 wy2 < <(timeout 40 wine "$probe" list-rect 30 | tr '\n' ' ') || true
[ -n "${wy2:-}" ] || { echo "screenshots: the main window did not show" >&2; exit 1; }
sleep 1 # the skin comes with the first activation
shot() { # name
  sleep 1
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$((wx2 - wx1))x$((wy2 - wy1))+$wx1+$wy1" +repage \
    "$root/docs/$1"
  echo "screenshots: docs/$1"
}
wine "$probe" fill "$count"
shot screenshot-list.png
wine "$probe" drop-down
shot screenshot-combo.png

# The skin preview, centred on the 1280 x 1024 display at 640 x 560.
timeout 10 wine "$probe" close >/dev/null 2>&1 || true
wait "$app_pid" 2>/dev/null || true
app_pid=
wine "$root/build/win/tools/skinview/skinview.exe" >"$work/skinview.log" 2>&1 &
view_pid=$!
sleep 5
wx1=320 wy1=232 wx2=960 wy2=792
shot skinview.png
xdotool key alt+f
sleep 0.5
xdotool key Right
shot skinview-menu.png
xdotool key Escape
sleep 0.3
xdotool key Escape
sleep 0.3
xdotool key alt+space
shot skinview-sysmenu.png
xdotool key Escape
sleep 0.3
xdotool mousemove 640 438 click 3
shot skinview-context.png
xdotool key Escape
kill "$view_pid" >/dev/null 2>&1 || true
wait "$view_pid" 2>/dev/null || true
