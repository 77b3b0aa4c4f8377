#!/usr/bin/env bash
# Builds everything and runs every test: the native tests directly, the
# Windows tests under Wine on a private Xvfb display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
wine_env_start
status=0
echo "== native tests"
ctest --test-dir "$root/build/native" --output-on-failure --timeout 600 || status=1
echo "== Windows tests (Wine)"
ctest --test-dir "$root/build/win" --output-on-failure --timeout 900 || status=1
exit $status
