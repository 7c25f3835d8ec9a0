#!/usr/bin/env bash
# Configures and builds OrbSales.
#
#   bash scripts/build.sh [build-dir] [extra cmake args...]
#
# build-dir defaults to "build" (relative to the repository root). The build type
# is Release unless -DCMAKE_BUILD_TYPE=... is among the extra arguments. Our own builds
# treat warnings as errors (-DORBSALES_WERROR=ON) unless told otherwise; a plain cmake build
# does not.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

build_dir=build
if (( $# > 0 )) && [[ "$1" != -* ]]; then
    build_dir="$1"
    shift
fi

cmake_args=("$@")
has_build_type=0
has_werror=0
for a in "${cmake_args[@]+"${cmake_args[@]}"}"; do
    [[ "$a" == -DCMAKE_BUILD_TYPE=* || "$a" == -DCMAKE_BUILD_TYPE:*=* ]] && has_build_type=1
    [[ "$a" == -DORBSALES_WERROR=* || "$a" == -DORBSALES_WERROR:*=* ]] && has_werror=1
done
if (( ! has_build_type )); then
    cmake_args+=(-DCMAKE_BUILD_TYPE=Release)
fi
# ccache keeps what was compiled once: a second tree (sanitizers, the install check) and a
# rebuild after a small change take seconds, not minutes.
if command -v ccache >/dev/null 2>&1; then
    cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" # paths inside the tree hash the same from every build folder
fi
if (( ! has_werror )); then
    cmake_args+=(-DORBSALES_WERROR=ON)
fi

jobs="$(nproc 2>/dev/null || echo 2)"

cmake -S "$root" -B "$build_dir" "${cmake_args[@]}"
cmake --build "$build_dir" -j "$jobs"
