#!/usr/bin/env bash
# Installs the build and test dependencies of OrbSales on Debian 12, only those
# that are missing. Idempotent: when everything is present it changes nothing and
# needs no privileges.
#
#   bash scripts/setup-debian.sh [--with-postgres]
#
# --with-postgres also installs a local PostgreSQL server (used by
# scripts/start-postgres.sh for the PostgreSQL test run).
set -euo pipefail

with_postgres=0
for arg in "$@"; do
    case "$arg" in
        --with-postgres) with_postgres=1 ;;
        -h|--help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "setup-debian.sh: unknown argument: $arg" >&2; exit 2 ;;
    esac
done

packages=(build-essential cmake pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql
          libgtest-dev libgmock-dev ccache)

is_installed() {
    [[ "$(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null)" == ii* ]]
}

have_postgres_server() {
    command -v pg_ctlcluster >/dev/null 2>&1 || return 1
    compgen -G '/usr/lib/postgresql/*/bin/postgres' >/dev/null
}

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    echo "setup-debian.sh: this script needs a Debian-based system (dpkg/apt-get not found)" >&2
    exit 1
fi

missing=()
for p in "${packages[@]}"; do
    is_installed "$p" || missing+=("$p")
done
if (( with_postgres )) && ! have_postgres_server; then
    missing+=(postgresql)
fi

if (( ${#missing[@]} == 0 )); then
    echo "setup-debian.sh: all dependencies already installed" >&2
    exit 0
fi

if (( EUID != 0 )); then
    if command -v sudo >/dev/null 2>&1; then
        echo "setup-debian.sh: re-running with sudo to install: ${missing[*]}" >&2
        exec sudo -- bash "$0" "$@"
    fi
    echo "setup-debian.sh: missing packages (${missing[*]}); run as root or install sudo" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
echo "setup-debian.sh: installing: ${missing[*]}" >&2
apt-get update -qq >&2
apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
echo "setup-debian.sh: done" >&2
