#!/usr/bin/env bash
# with-postgresql.sh COMMAND...: runs COMMAND with a throwaway PostgreSQL 15
# cluster (pg_virtualenv of postgresql-common makes it, sets the PG* variables
# libpq reads, and removes it when COMMAND ends) and TOWARY_TEST_POSTGRESQL set,
# so that every store the tests make gets a database of its own on it.
# Durability is off: the cluster lives for one test run; its log keeps quiet
# about the refusals the tests provoke.
set -euo pipefail
exec pg_virtualenv -v 15 -t -o fsync=off -o synchronous_commit=off -o full_page_writes=off \
  -o max_connections=200 -o log_min_messages=fatal -o log_min_error_statement=panic -o log_checkpoints=off env TOWARY_TEST_POSTGRESQL=1 "$@"
