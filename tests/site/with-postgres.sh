#!/usr/bin/env bash
# Runs a command beside a throw-away PostgreSQL 15 server on a free port of 127.0.0.1, with
# LUMIVO_TEST_PG=postgresql://lumivo@127.0.0.1:PORT/lumivo in its environment; the server and its
# folder are gone afterwards, also when the command fails. Exit status 77: no PostgreSQL here.
#   with-postgres.sh COMMAND [ARG...]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }

bin=/usr/lib/postgresql/15/bin
if [ ! -x "$bin/initdb" ] || ! id postgres >/dev/null 2>&1; then
  echo "with-postgres: PostgreSQL 15 is not installed" >&2
  exit 77
fi

# The server refuses to run as root: as root it runs as the postgres user.
as_postgres=()
if [ "$(id -u)" -eq 0 ]; then as_postgres=(runuser -u postgres --); fi

dir=$(mktemp -d /tmp/lumivo-pg.XXXXXX)
[ "$(id -u)" -ne 0 ] || chown postgres: "$dir"
chmod 700 "$dir"
started=0
cleanup() {
  if [ "$started" -eq 1 ]; then
    "${as_postgres[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"${as_postgres[@]}" "$bin/initdb" -D "$dir/data" -A trust -U lumivo -E UTF8 --locale=C >"$dir/initdb.log" 2>&1 \
  || { cat "$dir/initdb.log" >&2; exit 1; }
# A free port: one nothing answers on, tried again should another program take it first.
for attempt in 1 2 3 4 5; do
  port=$((20000 + RANDOM % 40000))
  if (: </dev/tcp/127.0.0.1/$port) 2>/dev/null; then continue; fi
  if "${as_postgres[@]}" "$bin/pg_ctl" -D "$dir/data" -w -l "$dir/server.log" \
       -o "-p $port -k $dir -c listen_addresses=127.0.0.1" start >/dev/null; then
    started=1
    break
  fi
done
[ "$started" -eq 1 ] || { cat "$dir/server.log" >&2; exit 1; }
"${as_postgres[@]}" "$bin/psql" -h 127.0.0.1 -p "$port" -U lumivo -d postgres -q -c "CREATE DATABASE lumivo" >/dev/null

LUMIVO_TEST_PG="postgresql://lumivo@127.0.0.1:$port/lumivo" "$@"
