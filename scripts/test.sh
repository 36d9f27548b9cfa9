#!/usr/bin/env bash
# test.sh: installs, builds and runs the whole test suite and the kill and
# busy-store tests, then the suite again in the clang build under
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs each fuzz target
# for a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"

bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" -j2 --output-on-failure
# The statements translated for PostgreSQL, run on a throwaway server (-t: in a directory of its own,
# so that runs side by side do not meet).
pg_virtualenv -t -v 15 ctest --test-dir "$root/build" -R DialectPostgres --output-on-failure

# The store under SIGKILL and under eight processes at once, in short runs.
bash "$root/scripts/kill-test.sh" --kills 50 --products 3000
bash "$root/scripts/busy-test.sh" --seconds 20 --products 3000

bash "$root/scripts/build-clang.sh"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-clang" -j2 --output-on-failure
bash "$root/scripts/fuzz.sh" 5
