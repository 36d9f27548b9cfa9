#!/usr/bin/env bash
# busy-test.sh [--seconds N] [--products N] [--seed S] [--keep] [--postgresql]: eight towary
# processes at once on one store for N seconds (60 by default): products
# import (1), evening (1), plu check --yes (2), plu special (2) and settings
# set (2), each running its command again and again. Every run must either
# succeed (exit 0) or say in Polish that the store is busy (exit 1); a crash,
# another exit code, an English library text or any other refusal is a
# failure. Afterwards the database must be whole, no code live twice, and
# every success reported must be in the store: each setting with its value,
# each special code live on its product with its price, each import's rows;
# an import refused must have left none of its rows. --postgresql: the store's
# database on the PostgreSQL server the PG* variables name (a new database on
# it; run under scripts/with-postgresql.sh), where the processes lock rows, not
# the store.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/store-checks.sh"

seconds=60
products=20000
seed=$(( $(date +%s) % 100000 ))
keep=0
postgresql=0
while [ $# -gt 0 ]; do
    case $1 in
        --seconds) seconds=$2; shift 2 ;;
        --products) products=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        --postgresql) postgresql=1; shift ;;
        *) echo "usage: $0 [--seconds N] [--products N] [--seed S] [--keep] [--postgresql]" >&2; exit 2 ;;
    esac
done
require_tools
RANDOM=$seed
work=$(mktemp -d /tmp/towary-busy-test.XXXXXX)
store=$work/store
runs=$work/runs
mkdir -p "$runs"
echo "busy test: seed $seed, $seconds s, a store of $products products, work in $work"
echo "replay: bash scripts/busy-test.sh --seed $seed --seconds $seconds --products $products"

# A refusal that tells the user another process holds the store.
busy_words='zajęt|zablokowan|blokad|blokuj|inny proces|innego procesu|innym procesie|poczekaj|zaczekaj|spróbuj ponownie|spróbuj później'
# Texts of a library or the runtime, which a user must never read.
raw_words='database is locked|duplicate key|violates|deadlock|could not|canceling statement|locked|readonly|read-only|constraint failed|no such|SQLITE|filesystem error|terminate called|std::|what\(\)|[Ee]rror|[Ee]xception|[Ss]egmentation|[Aa]bort|[Cc]annot|[Uu]nable|[Ff]ailed'

server=()
if [ "$postgresql" = 1 ]; then
    database=towary_busy_$$
    createdb -E UTF8 -T template0 --locale=C "$database" || { echo "createdb failed (run under scripts/with-postgresql.sh)" >&2; exit 2; }
    server=(--database "dbname=$database")
fi
"$towary" generate "$store" --products "$products" --seed "$seed" --malformed 5 "${server[@]}" >/dev/null ||
    { echo "towary generate failed" >&2; exit 1; }
mapfile -t product_ids < <(store_sql "$store" \
    "select lTowarRef from towar where byCode = 6 and (bWieleCen is null or bWieleCen <> 1) order by lTowarRef limit 500")
group=$(store_sql "$store" "select sGrIndex from towar where byCode = 5 order by sGrIndex limit 1")

# An EAN-13 of the prefix 46 (no code of the generated store): 12 digits and their GS1 check digit.
ean13() {
    local digits=$1 sum=0 i
    for i in $(seq 0 11); do sum=$((sum + ${digits:$i:1} * (i % 2 == 0 ? 1 : 3))); done
    echo "$digits$(((10 - sum % 10) % 10))"
}

# The import file of run N of importer W: product a with a live code, product
# b with a live code typed with a blank and zeros and a deleted row of that
# code's canonical form (work for the PLU repairs running alongside).
import_file() {
    local w=$1 n=$2 a b
    a=$(ean13 "46${w}0$(printf %08d "$n")")
    b=$(ean13 "46${w}1$(printf %08d "$n")")
    printf '%s\n' "sNazwa,sGrIndex,byCode,byTyp,byVAT,dCenaSprzed,sPLU,byStatus,nJm" \
        "Obciążenie import $w-$n a,$group,6,4,13,9.99,,," ",,,,,,$a,1,1" \
        "Obciążenie import $w-$n b,$group,6,4,13,9.99,,," ",,,,,,\" 00$b\",1,1" ",,,,,,$b,3,1"
    echo "$a" >"$runs/import-$w-$n.code"
}

# Runs one command of worker KIND-W (run N) and records its exit code, output and errors.
run_one() {
    local kind=$1 w=$2 n=$3 name=$runs/$1-$2-$3
    local args
    case $kind in
        import) import_file "$w" "$n" >"$name.csv"; args=(products import "$store" "$name.csv") ;;
        evening) args=(evening "$store" --day "$(date -d "2030-01-01 + $n days" +%F)") ;;
        check) args=(plu check "$store" --yes) ;;
        special)
            args=(plu special "$store" "${product_ids[$((RANDOM % ${#product_ids[@]}))]}"
                "$((RANDOM % 999 + 1)).$(printf %02d $((RANDOM % 100)))") ;;
        settings) args=(settings set "$store" "Test obciążenia / Proces $w / Klucz $n" "w${w}n$n") ;;
    esac
    printf '%s\n' "${args[@]}" >"$name.args"
    "$towary" "${args[@]}" >"$name.out" 2>"$name.err"
    echo $? >"$name.rc"
}

worker() {
    local kind=$1 w=$2 deadline=$3 n=0
    RANDOM=$((seed * 10 + w))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        n=$((n + 1))
        run_one "$kind" "$w" "$n"
    done
}

deadline=$(($(date +%s) + seconds))
pids=()
for job in import:1 evening:1 check:1 check:2 special:1 special:2 settings:1 settings:2; do
    worker "${job%%:*}" "${job##*:}" "$deadline" &
    pids+=($!)
done
wait "${pids[@]}"

# The outcome of a run: success, busy, or what went wrong.
outcome() {
    local name=$1 rc err
    rc=$(cat "$name.rc")
    err=$(tr '\n' ' ' <"$name.err")
    if [ "$rc" -eq 0 ]; then echo success; return; fi
    if [ "$rc" -ge 128 ]; then echo "crash (signal $((rc - 128))): $err"; return; fi
    if grep -Eq "$raw_words" <<<"$err"; then echo "raw library text (exit $rc): $err"; return; fi
    if [ "$rc" -eq 1 ] && grep -Eq "$busy_words" <<<"$err"; then echo busy; return; fi
    if [ "$rc" -eq 1 ] && [[ $name == */evening-* ]]; then
        local log
        log=$store/log/evening-$(date -d "2030-01-01 + ${name##*-} days" +%F).log
        echo "evening step failed: $(grep -h 'BŁĄD' "$log" 2>/dev/null | cut -d' ' -f3- | tr '\n' ' ')"
        return
    fi
    echo "refused without saying the store is busy (exit $rc): $err"
}

# Whether what run NAME reported as done is in the store (empty when it is, else why not).
missing_success() {
    local name=$1 kind w n
    kind=$(basename "$name"); n=${kind##*-}; kind=${kind%-*}; w=${kind##*-}; kind=${kind%-*}
    case $kind in
        import)
            local rows code
            code=$(cat "$name.code")
            rows=$(store_sql "$store" "select count(*) from towar where sNazwa like 'Obciążenie import $w-$n _'")
            [ "$rows" = 2 ] || { echo "products of the import: $rows of 2"; return; }
            rows=$(store_sql "$store" "select count(*) from plu p join towar t on t.lTowarRef = p.lTowarRef
                                               where t.sNazwa like 'Obciążenie import $w-$n _'")
            [ "$rows" = 3 ] || { echo "code rows of the import: $rows of 3"; return; }
            rows=$(store_sql "$store" "select count(*) from plu p join towar t on t.lTowarRef = p.lTowarRef
                                               where t.sNazwa = 'Obciążenie import $w-$n a' and p.sPLU = '$code'
                                               and p.byStatus in (1, 2)")
            [ "$rows" = 1 ] || echo "code $code not live on its product"
            ;;
        special)
            local code product price rows
            code=$(head -1 "$name.out"); product=$(sed -n 4p "$name.args"); price=$(sed -n 5p "$name.args")
            rows=$(store_sql "$store" "select count(*) from plu p join PluDiscount d on d.lPluRef = p.lPluRef
                                               where p.sPLU = '$code' and p.lTowarRef = $product
                                               and p.byStatus in (1, 2) and abs(d.dCena - $price) < 0.001")
            [ "$rows" = 1 ] || echo "special code \"$code\" at $price not live on product $product"
            ;;
        settings)
            grep -Fq "Test obciążenia / Proces $w / Klucz $n = \"w${w}n$n\" (" "$work/settings.list" ||
                echo "setting Test obciążenia / Proces $w / Klucz $n lost"
            ;;
    esac
}

# What a refused run left in the store that it must not have (empty when nothing).
left_by_refusal() {
    local name=$1 w n rows
    [[ $(basename "$name") == import-* ]] || return 0
    n=${name##*-}; w=${name%-*}; w=${w##*-}
    rows=$(store_sql "$store" "select count(*) from towar where sNazwa like 'Obciążenie import $w-$n _'")
    [ "$rows" = 0 ] || echo "a refused import left $rows of its products"
}

"$towary" settings list "$store" "Test obciążenia" >"$work/settings.list" 2>&1
declare -A runs_of=() successes_of=() busy_of=() others_of=() problems=()
for rc_file in "$runs"/*.rc; do
    name=${rc_file%.rc}
    kind=$(basename "$name"); kind=${kind%-*-*}
    runs_of[$kind]=$((${runs_of[$kind]:-0} + 1))
    result=$(outcome "$name")
    case $result in
        success)
            successes_of[$kind]=$((${successes_of[$kind]:-0} + 1))
            result=$(missing_success "$name")
            [ -n "$result" ] && result="reported success, but $result" ;;
        busy)
            busy_of[$kind]=$((${busy_of[$kind]:-0} + 1))
            result=$(left_by_refusal "$name") ;;
        *) others_of[$kind]=$((${others_of[$kind]:-0} + 1)) ;;
    esac
    if [ -z "$result" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        # One line per kind of failure: numbers and paths made alike, with one example run.
        key="$kind: $(sed -E "s#$work#WORK#g; s/[0-9]+/N/g" <<<"$result" | cut -c1-240)"
        previous=${problems[$key]:-0 $(basename "$name")}
        problems[$key]="$((${previous%% *} + 1)) ${previous#* }"
    fi
done

echo "runs by command:"
for kind in import evening check special settings; do
    printf '  %-9s runs %4d  succeeded %4d  busy %4d  other %4d\n' "$kind" "${runs_of[$kind]:-0}" \
        "${successes_of[$kind]:-0}" "${busy_of[$kind]:-0}" "${others_of[$kind]:-0}"
done
if [ ${#problems[@]} -gt 0 ]; then
    echo "failures, by kind (count, an example run in $runs):"
    for key in "${!problems[@]}"; do
        echo "  FAIL  ${problems[$key]%% *}x ($(cut -d' ' -f2 <<<"${problems[$key]}")) $key"
    done | sort -k2,2nr
fi

echo "the store afterwards:"
result=$(integrity "$store")
if [ "$result" = ok ]; then pass "integrity ok"; else fail "integrity_check says: $result"; fi
twice=$(live_twice "$store")
if [ -z "$twice" ]; then
    pass "no code live twice"
else
    fail "codes live twice: $(wc -l <<<"$twice"), e.g. $(head -3 <<<"$twice" | tr '\n' ' ')"
fi
for kind in import evening check special settings; do
    [ "${successes_of[$kind]:-0}" -gt 0 ] || fail "$kind never succeeded in $seconds s"
done

echo "seed $seed"
if [ "$failed" -eq 0 ] && [ "$keep" -eq 0 ]; then rm -rf "$work"; else echo "work kept in $work"; fi
[ "$postgresql" = 1 ] && [ "$keep" -eq 0 ] && dropdb --force "$database"
finish
