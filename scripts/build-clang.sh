#!/usr/bin/env bash
# build-clang.sh: the clang build in build-clang: AddressSanitizer and
# UndefinedBehaviorSanitizer, the libraries instrumented for libFuzzer, and the
# fuzz targets beside the tests. Extra arguments go to cmake, as for build.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
CC=clang-14 CXX=clang++-14 bash "$root/scripts/build.sh" "$root/build-clang" -DCMAKE_BUILD_TYPE=Debug \
  -DTOWARY_SANITIZE=ON -DTOWARY_FUZZ=ON -DTOWARY_BENCHMARKS=OFF "$@"
