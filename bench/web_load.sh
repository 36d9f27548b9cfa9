#!/usr/bin/env bash
# web_load.sh [--products N] [--seconds S]: the web host under load. Makes a
# store of N generated products (100 000 by default), serves it with `towary
# serve`, signs the administrator in, and runs wrk with 8 connections for S
# seconds (30 by default) against the identifier search, a run for each kind
# of identifier, and then the product card, each request a different
# identifier or product. Prints each run's
# latency percentiles and errors and the server's resident memory sampled each
# second; exits 1 when a run misses its target (p95 of the search 50 ms, of the
# card 100 ms), had errors, or the memory grew after the first 10 seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
towary=${TOWARY:-$root/build/bin/towary}

products=100000
seconds=30
while [ $# -gt 0 ]; do
    case $1 in
        --products) products=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        *) echo "usage: $0 [--products N] [--seconds S]" >&2; exit 2 ;;
    esac
done
for tool in wrk curl sqlite3 /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing (bash scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$towary" ] || { echo "$0: $towary is not built" >&2; exit 2; }

work=$(mktemp -d /tmp/towary-web-load.XXXXXX)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
store=$work/store
password="obciążenie serwera"

"$towary" generate "$store" --products "$products" >/dev/null
echo "$password" | "$towary" users password "$store" 1 >/dev/null

# What clerks look for: a live code, an article index, and a name fragment of
# two words (the field takes no blank, so "*" joins them); the cards of
# products of the last level. One product in 37, the same each run.
sqlite3 -separator $'\t' "$store/towary.db" \
    "select p.sPLU, t.sArtIndex, t.sNazwa from towar t join plu p on p.lTowarRef = t.lTowarRef
     where t.byCode = 6 and p.byStatus = 1 and t.lTowarRef % 37 = 0" |
    /usr/bin/python3 -c '
import re, sys, urllib.parse
kinds = {kind: open(sys.argv[1] + "/" + kind + ".paths", "w") for kind in ("code", "index", "name")}
for line in sys.stdin:
    code, index, name = line.rstrip("\n").split("\t")
    words = [w for w in name.split() if re.fullmatch(r"\w+", w)]
    for kind, identifier in (("code", code), ("index", "/" + index), ("name", "*".join(words[:2]))):
        print("/api/products?identifier=" + urllib.parse.quote(identifier, safe=""), file=kinds[kind])
' "$work"
sqlite3 "$store/towary.db" "select '/api/products/' || lTowarRef from towar where byCode = 6 and lTowarRef % 37 = 0" \
    >"$work/card.paths"

"$towary" serve "$store" --listen 127.0.0.1:0 >"$work/serve.out" 2>"$work/serve.err" &
server=$!
until grep -q 'http://' "$work/serve.out"; do
    kill -0 "$server" 2>/dev/null || { echo "$0: the server did not start: $(cat "$work/serve.err")" >&2; exit 1; }
    sleep 0.1
done
url=$(grep -o 'http://[0-9.:]*' "$work/serve.out")
cookie=$(curl -sS -D - -o /dev/null -H 'Content-Type: application/json' \
    --data "{\"user\":\"1\",\"password\":\"$password\"}" "$url/api/sign-in" |
    sed -n 's/^[Ss]et-[Cc]ookie: \([^;]*\).*/\1/p')
[ -n "$cookie" ] || { echo "$0: sign-in refused" >&2; exit 1; }
echo "store of $products products; $(wc -l <"$work/code.paths") identifiers of each kind, $(wc -l <"$work/card.paths") cards;" \
    "wrk: 2 threads, 8 connections, $seconds s each"

# The server's resident memory in MB, once a second while wrk runs.
sample_rss() {
    while kill -0 "$1" 2>/dev/null; do
        awk '/^VmRSS/ { printf "%.1f\n", $2 / 1024 }' "/proc/$server/status"
        sleep 1
    done
}

failed=0
run() {  # NAME PATHS TARGET_MS
    echo "== $1"
    wrk -t2 -c8 -d"${seconds}s" --timeout 10s -H "Cookie: $cookie" -s "$root/bench/web_load.lua" "$url" -- "$2" \
        >"$work/wrk.out" &
    local load=$!
    sample_rss "$load" >"$work/rss"
    wait "$load"
    local result
    result=$(grep '^requests ' "$work/wrk.out")
    echo "$result"
    echo "RSS MB each second: $(paste -sd' ' "$work/rss")"
    /usr/bin/python3 - "$3" "$result" "$work/rss" <<'PY' || failed=1
import re, sys
target, result, rss = float(sys.argv[1]), sys.argv[2], [float(v) for v in open(sys.argv[3])]
p95 = float(re.search(r"p95 ([\d.]+) ms", result).group(1))
errors = int(re.search(r"errors (\d+)", result).group(1))
# Flat: the memory of the run's last stretch no higher than of the one after the first 10 s.
settled = rss[10:] or rss[-1:]
early, late = settled[:len(settled) // 2] or settled, settled[len(settled) // 2:]
print(f"p95 {p95} ms against {target:g} ms; errors {errors}; RSS at most {max(early)} MB from 10 s, "
      f"{max(late)} MB in the last stretch, {rss[-1]} MB at the end")
missed = [what for what, bad in (("p95 over the target", p95 > target), ("errors", errors > 0),
                                 ("memory grew after 10 s", max(late) > 1.1 * max(early))) if bad]
print("MISSED: " + ", ".join(missed) if missed else "met")
sys.exit(1 if missed else 0)
PY
}
run "search by code (/api/products?identifier=5901234123457)" "$work/code.paths" 50
run "search by article index (/api/products?identifier=/000123)" "$work/index.paths" 50
run "search by name fragment (/api/products?identifier=Herbata*truskawkowy)" "$work/name.paths" 50
run "card (/api/products/ID)" "$work/card.paths" 100
exit "$failed"
