#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds and tests with.
# Idempotent: prints nothing and changes nothing when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev lld pkg-config
  libboost-dev libsqlite3-dev sqlite3 python3 libsqlitecpp-dev libtomlplusplus-dev
  libicu-dev libpugixml-dev libcli11-dev libcsv-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libpq-dev postgresql-15 postgresql-common
  libssl-dev openssl nlohmann-json3-dev libsodium-dev libjs-chart.js libcpp-httplib-dev
  chromium chromium-driver python3-selenium wrk curl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}; run as root to install them" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
