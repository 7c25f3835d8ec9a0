#!/usr/bin/env bash
# Installs what is missing, builds, creates (once) and runs the demonstration on an embedded
# SQLite file, orbsales.db, in the repository root. Extra arguments are passed
# to "orbsales demo".
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup-debian.sh
bash scripts/build.sh build
./build/orbsales init --db orbsales.db
./build/orbsales demo --db orbsales.db "$@"
