#!/usr/bin/env bash
# Builds every fuzz target (libFuzzer with clang, address and undefined-
# behaviour sanitizers) in build/fuzz and runs each for a bounded time,
# keeping its corpus in build/fuzz/corpus/<target> between runs.
#   scripts/fuzz.sh [seconds-per-target]     (default 60)
# FUZZ_BUILD_DIR chooses another build folder, FUZZ_BUILD_JOBS the build's
# parallel jobs (default 2).
# Exits non-zero when any target found a crash; the input that caused it
# lands in build/fuzz/findings/<target>/ and the output in build/fuzz/logs/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds=${1:-60}
jobs=${FUZZ_BUILD_JOBS:-2}

source "$root/scripts/packages.sh"
ensure_packages clang libclang-rt-14-dev cmake ninja-build googletest

build="${FUZZ_BUILD_DIR:-$root/build/fuzz}"
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DBR_FUZZ=ON >/dev/null
fi
ninja -C "$build" -j "$jobs" >/dev/null

# UBSan only reports by default; a finding must stop the run.
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=abort_on_error=1

mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -name '*_fuzz' -perm -u+x | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no targets built" >&2
  exit 1
fi

failed=0
printf '%-24s %8s  %s\n' target seconds result
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  log="$build/logs/$name.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  start=$(date +%s)
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1; then
    result="nothing found"
  else
    result="FOUND: $(ls -t "$findings" | head -n 1) (see $log)"
    failed=1
  fi
  runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
  printf '%-24s %8s  %s, %s runs\n' "$name" "$(($(date +%s) - start))" "$result" "${runs:-?}"
done
exit $failed
