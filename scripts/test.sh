#!/usr/bin/env bash
# test.sh: installs, builds and runs the whole test suite (once on SQLite,
# once on a PostgreSQL server) and the kill and busy-store tests, then the suite again in the clang build under
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs each fuzz target
# for a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"

bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" -j2 --output-on-failure
# The suite again with every store's database on a throwaway PostgreSQL 15 server; four at once,
# as they mostly wait for the server.
bash "$root/scripts/with-postgresql.sh" ctest --test-dir "$root/build" -j4 --output-on-failure

# The store under SIGKILL and under eight processes at once, in short runs.
bash "$root/scripts/kill-test.sh" --kills 50 --products 3000
bash "$root/scripts/busy-test.sh" --seconds 20 --products 3000
bash "$root/scripts/with-postgresql.sh" bash "$root/scripts/busy-test.sh" --seconds 20 --products 3000 --postgresql

bash "$root/scripts/build-clang.sh"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-clang" -j2 --output-on-failure
bash "$root/scripts/fuzz.sh" 5
