# steps.sh, sourced by the test command: its steps, timed, and a table of their
# times printed when the command ends, however it ends.
#   step NAME COMMAND...             runs COMMAND in the foreground
#   step_beside NAME COMMAND...      starts COMMAND beside the others; its output
#                                    is kept and shown whole when it ends
#   wait_steps                       waits for every step started beside, and
#                                    fails when one of them failed

steps_started=$(date +%s)
steps_logs=$(mktemp -d /tmp/towary-steps.XXXXXX)
step_rows=()
step_pids=()

steps_clock() {
    printf '%d:%02d' $(($1 / 60)) $(($1 % 60))
}

step() {
    local name=$1 from
    shift
    from=$(date +%s)
    echo "=== $name"
    if "$@"; then
        step_rows+=("$(printf '%-36s %7s  ok' "$name" "$(steps_clock $(($(date +%s) - from)))")")
    else
        step_rows+=("$(printf '%-36s %7s  FAILED' "$name" "$(steps_clock $(($(date +%s) - from)))")")
        return 1
    fi
}

step_beside() {
    local name=$1 log
    shift
    log="$steps_logs/${#step_pids[@]}.log"
    echo "=== $name (beside the next steps)"
    (
        from=$(date +%s)
        if "$@" >"$log" 2>&1; then status=ok; else status=FAILED; fi
        printf '%-36s %7s  %s\n' "$name" "$(steps_clock $(($(date +%s) - from)))" "$status" >"$log.row"
    ) &
    step_pids+=($!)
}

wait_steps() {
    local pid failed=0 log
    for pid in "${step_pids[@]}"; do
        wait "$pid" || true
    done
    for log in "$steps_logs"/*.log; do
        [ -e "$log" ] || continue
        echo "=== $(cut -c1-36 "$log.row" | sed 's/ *$//') (its output)"
        cat "$log"
        step_rows+=("$(cat "$log.row")")
        grep -q 'FAILED$' "$log.row" && failed=1
        rm -f "$log" "$log.row"
    done
    step_pids=()
    return "$failed"
}

steps_table() {
    local row
    echo
    printf '%-36s %7s\n' "step" "m:ss"
    for row in "${step_rows[@]}"; do echo "$row"; done
    printf '%-36s %7s\n' "total" "$(steps_clock $(($(date +%s) - steps_started)))"
    rm -rf "$steps_logs"
}
trap steps_table EXIT
