#!/usr/bin/env bash
# demo.sh [STORE-DIR]: installs, builds and runs `towary demo` on a new store.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
store=${1:-$(mktemp -d /tmp/towary-demo.XXXXXX)/store}
"$root/build/bin/towary" demo "$store"
