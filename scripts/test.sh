#!/usr/bin/env bash
# Builds everything and runs every test: the native tests directly, the
# Windows tests under Wine on a private Xvfb display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
# The code stays 32-bit clean: the program and its tool build for i686 too
# (this machine cannot run 32-bit Windows programs, so they are only built).
if [ ! -f "$root/build/win32/build.ninja" ]; then
  cmake -S "$root" -B "$root/build/win32" -G Ninja -DBR_BENCH=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
fi
echo "== 32-bit build"
ninja -C "$root/build/win32" -j "$(nproc)" BatchRename batchren | grep -v '^\[' || true
ninja -C "$root/build/win32" BatchRename batchren >/dev/null
source "$root/scripts/wine-env.sh"
wine_env_start
status=0
echo "== native tests"
ctest --test-dir "$root/build/native" --output-on-failure --timeout 600 || status=1
echo "== Windows tests (Wine)"
ctest --test-dir "$root/build/win" --output-on-failure --timeout 900 || status=1
exit $status
