# shellcheck shell=bash
# store-checks.sh: what the kill test and the busy-store test share, sourced by
# both: the towary binary, the report's tallies, and the store checks read
# straight from the database with sqlite3 or, for a store on a PostgreSQL
# server (DIR/baza.toml), psql (the integrity check with Python's sqlite3),
# independent of the code under test.

towary=${TOWARY:-$root/build/bin/towary}
passed=0
failed=0

# One checked case: "pass TEXT" or "fail TEXT" prints a line and counts it.
pass() { passed=$((passed + 1)); [ -z "${quiet_pass:-}" ] && echo "  ok    $*"; return 0; }
fail() { failed=$((failed + 1)); echo "  FAIL  $*"; }

# The closing line; the exit code tells a failure.
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

require_tools() {
    [ -x "$towary" ] || { echo "$0: $towary is not built (bash scripts/build.sh build)" >&2; exit 2; }
    command -v sqlite3 >/dev/null || { echo "$0: sqlite3 is missing (bash scripts/install-deps.sh)" >&2; exit 2; }
    [ -e "$(dirname "$towary")/towary_sqlite.so" ] ||
        { echo "$0: $(dirname "$towary")/towary_sqlite.so is not built (bash scripts/build.sh build)" >&2; exit 2; }
}

# A number drawn from bash's generator, which `RANDOM=SEED` makes repeatable: 0 to LIMIT-1.
draw() { echo $(((RANDOM * 32768 + RANDOM) % $1)); }

# Seconds since the epoch with milliseconds, for measuring a command.
now_ms() { date +%s%3N; }
seconds_text() { printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)); }

# What `pragma integrity_check` says of the store's database ("ok" when whole).
# The identifier search's indexes are built on two functions of the store's
# own (reverse_chars, polish_upper): the shell loads them from towary_sqlite,
# built beside towary, so the check recomputes each entry with the store's code.
integrity() {
    # A server keeps its own files whole; what it holds is checked by the other checks.
    [ -n "$(store_server "$1")" ] && { echo ok; return; }
    sqlite3 -cmd ".load $(dirname "$towary")/towary_sqlite" "$1/towary.db" "pragma integrity_check" 2>&1 |
        head -5 | tr '\n' ' ' | sed 's/ $//'
}

# The server a store's baza.toml names ("" for a store in its file).
store_server() {
    [ -f "$1/baza.toml" ] && sed -n "s/^polaczenie *= *[\"']\(.*\)[\"']$/\1/p" "$1/baza.toml"
}

# store_sql DIR STATEMENT: the statement's rows, one per line, columns joined by "|".
store_sql() {
    local server
    server=$(store_server "$1")
    if [ -n "$server" ]; then psql "$server" -X -q -A -t -c "$2"; else sqlite3 "$1/towary.db" "$2"; fi
}

# The codes live on more than one row, one per line with the number of rows.
live_twice() {
    store_sql "$1" \
        "select sPLU || ' (' || count(*) || ' live rows)' from plu where byStatus in (1,2) group by sPLU having count(*) > 1" 2>&1
}

# The store's whole content as text: schema version, schema, then every table's
# rows in a fixed order. The times a command stamps on what it writes
# (czasMod, czasZmiany) are left out, so two complete runs of one command dump alike.
dump_store() {
    local db=$1/towary.db statements
    statements=$(sqlite3 "$db" "
        select '.print == ' || m.name || char(10) || 'select ' || group_concat(c.name, ', ') || ' from ' || m.name
               || ' order by ' || group_concat(c.name, ', ') || ';'
        from sqlite_master m join pragma_table_info(m.name) c
        where m.type = 'table' and m.name not like 'sqlite_%' and c.name not in ('czasMod', 'czasZmiany')
        group by m.name order by m.name") || return 1
    sqlite3 -cmd ".mode quote" "$db" <<EOT
pragma user_version;
select type, name, tbl_name, sql from sqlite_master where name not like 'sqlite_%' order by type, name;
$statements
EOT
}


# The first lines where two dumps differ, for a report.
dump_difference() { diff "$1" "$2" | grep '^[<>]' | head -"${3:-4}" | cut -c1-160; }
