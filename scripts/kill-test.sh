#!/usr/bin/env bash
# kill-test.sh [--kills N] [--products N] [--seed S] [--trial T] [--keep]:
# kills towary with SIGKILL at random points of the commands that write the
# store (generate, products import, evening, plu check --yes, plu special) and
# checks the store after each kill: the database is whole (pragma
# integrity_check), its content is what it was before the command or what a
# complete run of the command makes (nothing half done), and no code is live
# on two rows. The seed fixes the order of the commands and the points of the
# kills; --trial T runs only trial T of that seed again.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/store-checks.sh"

kills=50
products=20000
seed=$(( $(date +%s) % 100000 ))
only_trial=0
keep=0
while [ $# -gt 0 ]; do
    case $1 in
        --kills) kills=$2; shift 2 ;;
        --products) products=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --trial) only_trial=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        *) echo "usage: $0 [--kills N] [--products N] [--seed S] [--trial T] [--keep]" >&2; exit 2 ;;
    esac
done
require_tools
RANDOM=$seed
work=$(mktemp -d /tmp/towary-kill-test.XXXXXX)
echo "kill test: seed $seed, $kills kills, stores of $products products, work in $work"
echo "replay: bash scripts/kill-test.sh --seed $seed --kills $kills --products $products"

commands=(generate import evening check special)
declare -A duration_ms   # of a complete run, measured on the reference run

# The command line of a command on store DIR.
command_line() {
    case $1 in
        generate) echo generate "$2" --products "$products" --seed 7 --malformed 5 ;;
        import) echo products import "$2" "$work/import.csv" ;;
        evening) echo evening "$2" --day 2024-06-03 ;;
        check) echo plu check "$2" --yes ;;
        special) echo plu special "$2" "$special_product" 12.34 ;;
    esac
}

# The store a command starts from (none for generate, which makes its own).
base_of() {
    case $1 in
        generate) echo "" ;;
        import) echo "$work/empty" ;;
        *) echo "$work/generated" ;;
    esac
}

# Puts the store the command starts from at DIR.
prepare() {
    rm -rf "$2"
    local base
    base=$(base_of "$1")
    [ -n "$base" ] && cp -a "$base" "$2"
    return 0
}

setup() {
    "$towary" init "$work/empty" >/dev/null || { echo "towary init failed" >&2; exit 1; }
    dump_store "$work/empty" >"$work/empty.dump"
    local command dir start
    for command in "${commands[@]}"; do
        dir=$work/reference-$command
        prepare "$command" "$dir"
        start=$(now_ms)
        # shellcheck disable=SC2046  # the command line is words without blanks
        if ! "$towary" $(command_line "$command" "$dir") >"$work/reference-$command.out" 2>&1; then
            echo "the complete run of $command failed; the test cannot start:" >&2
            cat "$work/reference-$command.out" >&2
            exit 1
        fi
        duration_ms[$command]=$(($(now_ms) - start))
        dump_store "$dir" >"$work/after-$command.dump"
        check_invariants "a complete run of $command" "$dir"
        [ "$command" = evening ] && partial_evenings
        if [ "$command" = generate ]; then
            cp -a "$dir" "$work/generated"
            dump_store "$work/generated" >"$work/generated.dump"
            special_product=$(sqlite3 "$work/generated/towary.db" \
                "select lTowarRef from towar where byCode = 6 and (bWieleCen is null or bWieleCen <> 1) order by lTowarRef limit 1 offset 10")
            "$towary" products export "$work/generated" "$work/import.csv" >/dev/null ||
                { echo "towary products export failed" >&2; exit 1; }
        fi
        echo "  reference: $command takes $(seconds_text "${duration_ms[$command]}") s"
    done
}

# The evening run commits each step on its own, so a kill between two steps
# leaves the steps before it done: the store after the first K of the N listed
# steps, for K = 1 .. N-1, is kept as after-evening-K.dump.
evening_steps=()
partial_evenings() {
    local steps k dir
    steps=$("$towary" settings get "$work/generated" "Parametry programu / Odczyt wieczorny / Kroki") ||
        { echo "towary settings get failed" >&2; exit 1; }
    read -r -a evening_steps <<<"$(echo "$steps" | tr ',;\n' '   ')"
    for ((k = 1; k < ${#evening_steps[@]}; k++)); do
        dir=$work/reference-evening-$k
        prepare evening "$dir"
        "$towary" settings set "$dir" "Parametry programu / Odczyt wieczorny / Kroki" \
            "$(IFS=';'; echo "${evening_steps[*]:0:k}")" >/dev/null &&
            "$towary" $(command_line evening "$dir") >/dev/null 2>&1 ||
            { echo "the evening run of its first $k steps failed; the test cannot start" >&2; exit 1; }
        dump_store "$dir" >"$work/after-evening-$k.dump"
    done
}

# Whole database and no code live twice, for a store reached by WHAT.
check_invariants() {
    local what=$1 dir=$2 result twice
    result=$(integrity "$dir")
    if [ "$result" = ok ]; then pass "$what: integrity ok"; else fail "$what: integrity_check says: $result"; fi
    twice=$(live_twice "$dir" | head -3 | tr '\n' ' ')
    if [ -z "$twice" ]; then pass "$what: no code live twice"; else fail "$what: codes live twice: $twice"; fi
}

# What a killed generate left, told in a few words, for a state that is neither.
describe_store() {
    local dir=$1
    [ -d "$dir" ] || { echo "no store directory"; return; }
    [ -e "$dir/towary.db" ] || { echo "no towary.db; the directory holds: $(find "$dir" -mindepth 1 -maxdepth 1 -printf '%f ')"; return; }
    echo "towary.db of $(stat -c %s "$dir/towary.db") bytes, schema version $(sqlite3 "$dir/towary.db" 'pragma user_version' 2>&1)," \
        "$(sqlite3 "$dir/towary.db" 'select count(*) from towar' 2>&1) rows in towar"
}

# Whether DIR holds a database with its table of codes (sqlite3 would make a missing file).
has_codes_table() {
    [ -e "$1/towary.db" ] && [ -n "$(sqlite3 "$1/towary.db" "select 1 from sqlite_master where name = 'plu'" 2>/dev/null)" ]
}

# The state of the store after a run that was killed (or ended): "before",
# "after", or "neither: WHY".
state_of() {
    local command=$1 dir=$2 redo
    if [ "$command" != generate ]; then
        dump_store "$dir" >"$work/trial.dump" 2>&1
        if cmp -s "$work/trial.dump" "$work/after-$command.dump"; then echo after; return; fi
        if cmp -s "$work/trial.dump" "$work/$(basename "$(base_of "$command")").dump"; then echo before; return; fi
        local k
        for ((k = 1; k < ${#evening_steps[@]}; k++)); do
            [ "$command" = evening ] && cmp -s "$work/trial.dump" "$work/after-evening-$k.dump" &&
                { echo "steps: the first $k of ${#evening_steps[@]} done"; return; }
        done
        echo "neither: $(dump_difference "$work/$(basename "$(base_of "$command")").dump" "$work/trial.dump" 2 | tr '\n' ' ')"
        return
    fi
    # A store still marked unfinished is refused by every command, whatever its tables hold.
    if [ -e "$dir/towary.db" ] && [ ! -e "$dir/.towary-niedokonczony" ]; then
        dump_store "$dir" >"$work/trial.dump" 2>&1
        if cmp -s "$work/trial.dump" "$work/after-generate.dump"; then echo after; return; fi
    fi
    # Before a generate there was no store: the kill must leave none, so that
    # generating again in the same directory makes the complete store.
    local left
    left=$(describe_store "$dir")
    # shellcheck disable=SC2046
    if redo=$("$towary" $(command_line generate "$dir") 2>&1) && dump_store "$dir" >"$work/trial.dump" 2>&1 &&
        cmp -s "$work/trial.dump" "$work/after-generate.dump"; then
        echo before
    else
        echo "neither: the kill left $left; generate again: $(echo "$redo" | tail -1 | cut -c1-200)"
    fi
}

# Trial T: the command, the point of the kill, and the checks after it.
# Returns 0 when the command was killed, 1 when it ended first.
trial() {
    local t=$1 command=$2 fraction=$3 dir=$work/trial delay_ms pid status state what
    delay_ms=$((duration_ms[$command] * fraction / 1000))
    prepare "$command" "$dir"
    # shellcheck disable=SC2046
    "$towary" $(command_line "$command" "$dir") >"$work/trial.out" 2>&1 &
    pid=$!
    sleep "$(seconds_text "$delay_ms")"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    status=$?
    if [ "$status" -eq 137 ]; then
        what="kill $t: $command killed at $(seconds_text "$delay_ms") s of $(seconds_text "${duration_ms[$command]}")"
    else
        what="trial $t: $command ended (exit $status) before its kill at $(seconds_text "$delay_ms") s"
    fi
    local problems=()
    # What a killed generate left before its store had tables is judged by its state alone.
    if [ "$command" != generate ] || has_codes_table "$dir"; then
        local result twice
        result=$(integrity "$dir")
        [ "$result" = ok ] || problems+=("integrity_check says: $result")
        twice=$(live_twice "$dir" | head -3 | tr '\n' ' ')
        [ -z "$twice" ] || problems+=("codes live twice: $twice")
    fi
    state=$(state_of "$command" "$dir")
    [ "$status" -ne 137 ] && [ "$status" -ne 0 ] && problems+=("exit $status: $(tail -1 "$work/trial.out" | cut -c1-200)")
    [ "$status" -eq 0 ] && [ "$state" != after ] && problems+=("a complete run left the state $state")
    case $state in before | after | steps:*) ;; *) problems+=("$state") ;; esac
    if [ ${#problems[@]} -eq 0 ]; then
        pass "$what: $state"
    else
        fail "$what: $(printf '%s; ' "${problems[@]}")"
        echo "        replay: bash scripts/kill-test.sh --seed $seed --products $products --trial $t"
        failures_by_command[$command]=$((${failures_by_command[$command]:-0} + 1))
        if [ "$kept" -lt 5 ]; then
            kept=$((kept + 1))
            [ -d "$dir" ] && cp -a "$dir" "$work/failed-trial-$t" && echo "        store kept in $work/failed-trial-$t"
        fi
    fi
    states_by_command[$command]="${states_by_command[$command]:-} ${state%%:*}"
    [ "$status" -eq 137 ]
}

declare -A failures_by_command states_by_command
kept=0
setup
done_kills=0
t=0
quiet_pass=
while [ "$done_kills" -lt "$kills" ] && [ "$t" -lt $((kills * 3)) ]; do
    t=$((t + 1))
    command=${commands[$(((t - 1) % ${#commands[@]}))]}
    fraction=$(draw 1100)  # a tenth past the measured end: runs vary, and the end is where commits are
    [ "$only_trial" -ne 0 ] && [ "$t" -ne "$only_trial" ] && continue
    trial "$t" "$command" "$fraction" && done_kills=$((done_kills + 1))
    [ "$only_trial" -ne 0 ] && break
done

echo "kills by command (state after each: before / after / between two evening steps / neither):"
for command in "${commands[@]}"; do
    states=${states_by_command[$command]:-}
    printf '  %-9s before %3d  after %3d  steps %3d  neither %3d  failed trials %3d\n' "$command" \
        "$(grep -o -w before <<<"$states" | wc -l)" "$(grep -o -w after <<<"$states" | wc -l)" \
        "$(grep -o -w steps <<<"$states" | wc -l)" \
        "$(grep -o -w neither <<<"$states" | wc -l)" "${failures_by_command[$command]:-0}"
done
[ "$only_trial" -eq 0 ] && [ "$done_kills" -lt "$kills" ] && fail "only $done_kills kills in $t trials: the commands ended before their kills"
echo "seed $seed"
if [ "$failed" -eq 0 ] && [ "$keep" -eq 0 ]; then rm -rf "$work"; else echo "work kept in $work"; fi
finish
