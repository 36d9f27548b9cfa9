#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the fuzz targets (scripts/build-clang.sh) and runs
# each for SECONDS (60 when not given), starting from its seeds in
# fuzz/corpus/TARGET. New inputs go to build-clang/fuzz-runs/TARGET, never into the
# repository; an input that breaks a target is kept as build-clang/fuzz-runs/crash-*
# and the script exits 1 when any target failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
bash "$root/scripts/build-clang.sh" >/dev/null

out="$root/build-clang/fuzz-runs"
failed=()
for corpus in "$root"/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  mkdir -p "$out/$target"
  echo "fuzz_$target: $seconds s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$root/build-clang/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=0 \
    -artifact_prefix="$out/crash-$target-" "$out/$target" "$corpus" >"$out/$target.log" 2>&1 \
    || { failed+=("$target"); tail -n 30 "$out/$target.log" >&2; }
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: failed: ${failed[*]} (logs in $out)" >&2
  exit 1
fi
