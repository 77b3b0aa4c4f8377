#!/usr/bin/env bash
# Drags files from a real X11 drag source (as a Linux file manager offers
# them, text/uri-list) onto the list of the running program, on the test
# run's own display, and checks what the list shows: several files, a
# folder, a Chinese name and a name with spaces, in the order dragged.
#   drop_from_x11.sh BatchRename.exe drop_probe.exe
# Needs the Wine environment of scripts/wine-env.sh (DISPLAY, WINEPREFIX,
# the code page), xdotool and Python's GTK bindings. Every wait is bounded;
# whatever it started is stopped by its process id.
set -uo pipefail
app=$1
probe=$2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

fail() {
  echo "drop_from_x11: FAILED: $*" >&2
  exit 1
}
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY; run it through scripts/test.sh, which starts Xvfb"
command -v xdotool >/dev/null || fail "xdotool is missing (scripts/setup.sh installs it)"
NO_AT_BRIDGE=1 /usr/bin/python3 -c \
  'import gi; gi.require_version("Gtk", "3.0"); from gi.repository import Gtk' 2>/dev/null ||
  fail "Python's GTK 3 bindings are missing (scripts/setup.sh installs them)"

work=$(mktemp -d /tmp/brdrop.XXXXXX)
app_pid=
source_pid=
cleanup() {
  xdotool mouseup 1 >/dev/null 2>&1 # never leave the button held
  if [ -n "$source_pid" ]; then
    kill "$source_pid" >/dev/null 2>&1
    wait "$source_pid" 2>/dev/null
  fi
  if [ -n "$app_pid" ]; then
    timeout 10 wine "$probe" close >/dev/null 2>&1
    for _ in $(seq 50); do
      kill -0 "$app_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$app_pid" >/dev/null 2>&1
    wait "$app_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# What a user drags out of a folder: files, a folder, a Chinese name, a name
# with spaces.
mkdir -p "$work/files/相册"
paths=("$work/files/a.txt" "$work/files/b.log" "$work/files/相册" "$work/files/照片.jpg"
  "$work/files/my notes 1.txt")
for p in "${paths[@]}"; do [ -e "$p" ] || echo x >"$p"; done
expected=""
for p in "${paths[@]}"; do expected+="Z:${p//\//\\}"$'\n'; done

# A crash must end the program, not wait in Wine's crash dialog.
WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winedbg.exe=d" wine "$app" >"$work/app.log" 2>&1 &
app_pid=$!
read -r _ lx1 ly1 lx2 ly2 _ wx1 wy1 wx2 wy2 < <(timeout 40 wine "$probe" list-rect 30 | tr '\n' ' ')
[ -n "${wy2:-}" ] || fail "the program's main window did not show within 30 s"
target_x=$(((lx1 + lx2) / 2))
target_y=$(((ly1 + ly2) / 2))

# The source goes beside the main window (below it when there is no room).
screen_w=$(xdotool getdisplaygeometry | cut -d' ' -f1)
if [ $((wx2 + 200)) -lt "$screen_w" ]; then
  source_x=$((wx2 + 40)) source_y=$wy1
else
  source_x=$wx1 source_y=$((wy2 + 40))
fi
NO_AT_BRIDGE=1 GDK_BACKEND=x11 /usr/bin/python3 "$here/dragsource.py" "$source_x" "$source_y" \
  "${paths[@]}" >"$work/source.out" 2>"$work/source.err" &
source_pid=$!
for _ in $(seq 150); do
  grep -q '^ready' "$work/source.out" && break
  sleep 0.1
done
grep -q '^ready' "$work/source.out" || fail "the drag source did not show: $(cat "$work/source.err")"

# Press inside the source, move past the drag threshold, travel to the list
# in steps, linger so the target answers the position messages, release.
from_x=$((source_x + 60))
from_y=$((source_y + 40))
xdotool mousemove "$from_x" "$from_y"
sleep 0.3
xdotool mousedown 1
sleep 0.2
for i in 1 2 3 4 5 6 7 8 9 10; do
  xdotool mousemove $((from_x + (target_x - from_x) * i / 10)) $((from_y + (target_y - from_y) * i / 10))
  sleep 0.1
done
for d in 1 2 3 4 5; do
  xdotool mousemove $((target_x + d)) "$target_y"
  sleep 0.2
done
xdotool mouseup 1
for _ in $(seq 100); do
  grep -qE '^(done|failed)' "$work/source.out" && break
  sleep 0.1
done

got=$(timeout 30 wine "$probe" items "${#paths[@]}" 20)
probe_status=$?
if [ "$got"$'\n' != "$expected" ]; then
  {
    echo "expected in the list:"
    printf '%s' "$expected"
    echo "the list shows:"
    [ -n "$got" ] && printf '%s\n' "$got"
    case $probe_status in
    3) echo "(the program is gone: it died during the drop)" ;;
    4) echo "(the list did not fill within 20 s)" ;;
    esac
    echo "drag source said: $(tr '\n' ' ' <"$work/source.out")"
    echo "program output (last lines):"
    tail -n 15 "$work/app.log"
  } >&2
  fail "the dragged files did not arrive in the list"
fi
echo "drop_from_x11: ${#paths[@]} items dragged from X11 arrived in the list"
