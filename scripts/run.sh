#!/usr/bin/env bash
# Builds and starts the program under Wine. On a desktop (DISPLAY set) it
# shows there; otherwise on a private Xvfb display. Extra arguments go to the
# program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
wine_env_start --keep-display
app="$root/build/win/src/app/BatchRename.exe"
if [ -f "$app" ]; then
  wine "$app" "$@"
else
  wine "$root/build/win/tools/batchren.exe" --help
fi
