#!/usr/bin/env bash
# Installs what is missing, builds into ./build and runs the whole test suite.
# The PostgreSQL tests run when ORBSALES_PG holds a connection string (see
# scripts/start-postgres.sh); otherwise they are skipped, unless
# ORBSALES_REQUIRE_PG=1, which makes them fail.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup-debian.sh
bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j2
