#!/usr/bin/env bash
# The interrupted-run probe: does killing the program in the middle of its work leave documents
# half-done?
#
#   bash scripts/interrupted-run.sh [--atomic] [--kills N] [--db DB] [--orbsales PATH]
#
# Initialises DB (default: a new SQLite file in a temporary directory; a PostgreSQL database
# must exist and may be blank), then N times (default 30) starts `orbsales run` on a long list
# of rounds of scripts/interrupted-run.json (a quotation, an order taken over from it, the order
# processed) and kills it with SIGKILL after a random 0.2 to 1.2 seconds. Then `orbsales verify`
# lists what is half-done. --atomic runs every operation all-or-nothing (AtomicFlag).
#
# Exit code: that of verify (0 nothing half-done and the books hold, 3 half-done documents,
# 1 a breach of the books, 2 the database cannot be checked).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
orbsales="$root/build/orbsales"
kills=30
atomic=()
note=""
db=""
while (( $# > 0 )); do
    case "$1" in
        --atomic) atomic=(--atomic); note=" (every operation all-or-nothing)" ;;
        --kills) kills="$2"; shift ;;
        --db) db="$2"; shift ;;
        --orbsales) orbsales="$2"; shift ;;
        -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "interrupted-run.sh: unknown argument: $1" >&2; exit 2 ;;
    esac
    shift
done

work=""
if [[ -z "$db" ]]; then
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    db="$work/company.db"
fi
"$orbsales" init --db "$db" >/dev/null

rounds=()
for _ in $(seq 500); do rounds+=("$root/scripts/interrupted-run.json"); done

for i in $(seq "$kills"); do
    "$orbsales" run ${atomic[@]+"${atomic[@]}"} "${rounds[@]}" --db "$db" >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v seed="$RANDOM" 'BEGIN { srand(seed); printf "%.3f", 0.2 + rand() }')"
    kill -9 "$pid" 2>/dev/null || echo "round $i: the run ended before it was killed" >&2
    wait "$pid" 2>/dev/null || true
done

echo "after $kills kills$note:"
status=0
"$orbsales" verify --db "$db" || status=$?
exit "$status"
