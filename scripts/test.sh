#!/usr/bin/env bash
# test.sh: installs, builds and runs the whole test suite (once on SQLite,
# once on a PostgreSQL server) and the kill and busy-store tests, then the suite
# again in the clang build under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs each fuzz target for a few seconds. Ends with a table of how long
# each step took.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/steps.sh"

step "install" bash "$root/scripts/install-deps.sh"
# Line tables are all a failure's backtrace needs; full debug information
# would add a fifth to every compile.
step "build (g++)" bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"

# The server's suite mostly waits for the server, so the SQLite suite runs beside it.
# The pages' browser test serves a store of its own making, a file whatever
# the server, so it runs in the SQLite suite alone.
step_beside "suite on PostgreSQL" bash "$root/scripts/with-postgresql.sh" \
  ctest --test-dir "$root/build" -j3 --output-on-failure -E '^web_browser_test$'
step "suite on SQLite" ctest --test-dir "$root/build" -j2 --output-on-failure
wait_steps

# The busy-store tests run for a fixed time, mostly waiting for the store's
# locks, beside the clang build.
step_beside "busy store (SQLite)" bash "$root/scripts/busy-test.sh" --seconds 20 --products 3000
step_beside "busy store (PostgreSQL)" bash "$root/scripts/with-postgresql.sh" \
  bash "$root/scripts/busy-test.sh" --seconds 20 --products 3000 --postgresql
step "build (clang, sanitizers)" bash "$root/scripts/build-clang.sh"
wait_steps
step "kill test" bash "$root/scripts/kill-test.sh" --kills 50 --products 3000

step "suite under ASan and UBSan" env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-clang" -j2 --output-on-failure
step "fuzz targets" bash "$root/scripts/fuzz.sh" 5
