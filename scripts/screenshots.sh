#!/usr/bin/env bash
# Takes the README's screenshots of the skinned main window on a private
# Xvfb display: docs/screenshot-list.png with a few hundred files listed,
# docs/screenshot-combo.png with the mode box's list open. Builds first.
#   scripts/screenshots.sh [file count]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
count=${1:-300}
"$root/scripts/setup.sh"
ninja -C "$root/build/win" BatchRename drop_probe >/dev/null
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
