#!/usr/bin/env bash
# test.sh: installs, builds and runs the whole test suite, then again in the
# clang build under AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each fuzz target for a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"

bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" -j2 --output-on-failure

bash "$root/scripts/build-clang.sh"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-clang" -j2 --output-on-failure
bash "$root/scripts/fuzz.sh" 5
