#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and
# builds both trees: build/native (core and its tests, host compiler) and
# build/win (everything, MinGW-w64). Quick when all is there already.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

source "$root/scripts/packages.sh"
# xdotool and Python's GTK bindings serve the test that drags files from an
# X11 program onto the running program.
ensure_packages cmake ninja-build g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 \
  xvfb googletest libbenchmark-dev fonts-wqy-zenhei imagemagick locales x11-utils \
  xdotool python3 python3-gi gir1.2-gtk-3.0
# Wine takes its ANSI code page (936, GBK) from this locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

jobs=$(nproc)
configure() { # dir, extra cmake arguments
  local dir=$1
  shift
  [ -f "$root/$dir/build.ninja" ] || cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
}
configure build/native
configure build/win -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
ninja -C "$root/build/native" -j "$jobs" | grep -v '^\[' || true
ninja -C "$root/build/win" -j "$jobs" | grep -v '^\[' || true
# ninja's status goes through grep; ask again to get its exit code.
ninja -C "$root/build/native" >/dev/null
ninja -C "$root/build/win" >/dev/null
