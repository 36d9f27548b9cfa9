#!/usr/bin/env bash
# check.sh TOWARY: the PostgreSQL store schema (schema/postgresql/) on a real
# server. Makes a store with every migration, each in its own transaction,
# and the routines script twice, then runs checks.sql on it; compares its
# tables, columns, indexes and triggers with those `TOWARY init` gives a
# SQLite store; and upgrades stores made before migrations 8 and 9.
# Run under `pg_virtualenv -v 15` (which sets PGHOST and the rest); without
# PGHOST it prints "skipped" and exits 77.
set -euo pipefail
if [ -z "${PGHOST:-}" ]; then
  echo "skipped: no PostgreSQL server (PGHOST is not set; run under pg_virtualenv -v 15)"
  exit 77
fi
towary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
schema=$(cd "$here/../../../schema" && pwd)
work=$(mktemp -d)
databases=()
cleanup() {
  for name in "${databases[@]}"; do dropdb --if-exists "$name"; done
  rm -rf "$work"
}
trap cleanup EXIT

# Scripts and messages in UTF-8 whatever the locale of the caller.
export PGCLIENTENCODING=UTF8
run() { psql -X -q -v ON_ERROR_STOP=1 "$@"; }

# new_database NAME [ENCODING]: a new database in $database, UTF8 unless
# another encoding is given, in the C locale, so that nothing relies on the
# cluster's collation.
new_database() {
  database="towary_schema_check_$$_$1"
  databases+=("$database")
  run -d postgres -c "create database $database template template0 encoding '${2:-UTF8}' locale 'C'"
}

# refused MESSAGE PSQL-ARGUMENTS...: psql run so on $database fails with the message.
refused() {
  local message=$1 failure=""
  shift
  if ! failure=$(run -d "$database" "$@" 2>&1) && grep -qF "$message" <<<"$failure"; then return; fi
  echo "$* not refused with \"$message\": $failure" >&2
  exit 1
}

# migrate FROM TO: the migrations numbered FROM to TO on $database, each in a
# transaction of its own.
migrate() {
  for file in "$schema"/postgresql/0*.sql; do
    local number=$((10#$(basename "$file" | cut -d_ -f1)))
    if [ "$number" -ge "$1" ] && [ "$number" -le "$2" ]; then run -d "$database" -1 -f "$file"; fi
  done
}

# The routines script, quiet about the schema it finds already made.
routines() { PGOPTIONS='-c client_min_messages=warning' run -d "$database" -1 -f "$schema/postgresql/routines.sql"; }

last=$(ls "$schema"/postgresql/0*.sql | wc -l)

new_database new
migrate 1 "$last"
routines
routines
run -d "$database" -o /dev/null -1 -f "$here/checks.sql"

# The same tables, columns, indexes and triggers as a SQLite store. Column
# types: integer is bigint, real double precision, text text, except the day
# numbers SQLite declares integer, which are double precision here. The id
# generator, a table with a trigger there, is a sequence here.
"$towary" init "$work/store" >/dev/null
day_numbers="'warsprz.dataod', 'warsprz.datado', 'inwopis.datainw', 'statuschange.changedate', 'asort.dataod',
             'asort.datado', 'commissiongroup.datefrom', 'zmianavat.ddata'"
sqlite3 -batch -readonly "$work/store/towary.db" > "$work/sqlite.txt" <<SQL
select 'column', lower(m.name), lower(p.name),
       case when lower(m.name) || '.' || lower(p.name) in ($day_numbers) then 'double precision'
            when upper(p.type) = 'INTEGER' then 'bigint' when upper(p.type) = 'REAL' then 'double precision'
            else lower(p.type) end,
       case when p."notnull" or p.pk > 0 then 'not null' else 'null' end, ifnull(p.dflt_value, '')
from sqlite_master m join pragma_table_info(m.name) p where m.type = 'table' and m.name <> 'RefGenerator'
order by 2, 3;
select 'index', lower(name), lower(tbl_name) from sqlite_master where type = 'index' and sql is not null order by 2;
select 'trigger', lower(name), lower(tbl_name) from sqlite_master where type = 'trigger' and tbl_name <> 'RefGenerator'
order by 2;
SQL
run -d "$database" -At -F '|' > "$work/postgresql.txt" <<'SQL'
select 'column', lower(table_name), lower(column_name), data_type,
       case when is_nullable = 'NO' then 'not null' else 'null' end, coalesce(column_default, '')
from information_schema.columns where table_schema = 'public' order by lower(table_name) collate "C", lower(column_name) collate "C";
select 'index', lower(i.relname), lower(t.relname)
from pg_index x join pg_class i on i.oid = x.indexrelid join pg_class t on t.oid = x.indrelid
where t.relnamespace = 'public'::regnamespace and not exists (select 1 from pg_constraint c where c.conindid = x.indexrelid)
order by lower(i.relname) collate "C";
select 'trigger', lower(tgname), lower(tgrelid::regclass::text) from pg_trigger where not tgisinternal
order by lower(tgname) collate "C";
SQL
if ! diff -u "$work/sqlite.txt" "$work/postgresql.txt"; then
  echo "The PostgreSQL schema differs from the SQLite one (- SQLite, + PostgreSQL)." >&2
  exit 1
fi

# A store made before migrations 8 and 9, with rows they upgrade.
new_database upgrade
migrate 1 7
run -d "$database" -o /dev/null -v stage=old -f "$here/upgrade.sql"
migrate 8 "$last"
routines
run -d "$database" -o /dev/null -v stage=upgraded -f "$here/upgrade.sql"

# A store that already holds an id past the range keeps it; its pool is exhausted.
new_database exhausted
migrate 1 7
run -d "$database" -c "insert into towar (lTowarRef) values (3000000000)"
migrate 8 "$last"
routines
refused "Pula identyfikatorów sklepu jest wyczerpana" -c "select newref()"

# A database in another encoding than UTF8 is no store's.
new_database latin2 LATIN2
refused "Baza danych sklepu na serwerze PostgreSQL musi mieć kodowanie UTF8 (ma LATIN2)" \
  -f "$schema/postgresql/0001_products.sql"

echo "The PostgreSQL schema, its routines and upgrades: ok"
