#!/usr/bin/env bash
# Checks that OrbSales installs as a package a front end takes up like any Qt library: builds
# the library static and then shared (Release, no tests, no tool), installs each into a
# temporary prefix, builds docs/example-frontend against it as a project of its own, outside
# the source tree, with find_package(OrbSales), makes sure none of our warning flags reach the
# front end's compile lines, and runs it on a fresh SQLite file (the example creates the demo
# company in a new file through the library).
#
#   bash scripts/check-install.sh
#
# The library builds in build-install-static/ and build-install-shared/; ccache is used when
# installed (both builds compile the same command lines, so the second one comes from the cache).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" # paths inside the tree are hashed relative to the build folder
fi

fail() {
    echo "check-install: $*" >&2
    exit 1
}

check() {
    local kind=$1 shared=$2
    local build="build-install-$kind" prefix="$work/prefix-$kind" frontend="$work/frontend-$kind"
    echo "== $kind library"
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS="$shared" -DBUILD_TESTING=OFF \
        -DORBSALES_BUILD_CLI=OFF -DORBSALES_WERROR=ON "${launcher[@]}" >/dev/null
    cmake --build "$build" -j2
    cmake --install "$build" --prefix "$prefix" >/dev/null
    [[ -f "$prefix/include/orbsales/orbsales.h" && -f "$prefix/include/orbsales/frame/registry.h" ]] ||
        fail "$kind: the public headers are not under include/orbsales/"
    if grep -rqF "$root" "$prefix/lib"*/cmake/OrbSales; then
        fail "$kind: the installed CMake package refers to the source tree"
    fi

    echo "== example front end against the $kind package"
    # A copy outside the source tree: only the installed package can serve it.
    cp -r docs/example-frontend "$work/frontend-src-$kind"
    cmake -S "$work/frontend-src-$kind" -B "$frontend" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${launcher[@]}" >/dev/null
    cmake --build "$frontend" -j2
    if grep -E -- '-Werror|-Wextra|-Wall' "$frontend/compile_commands.json"; then
        fail "$kind: our warning flags reach the front end's compile lines"
    fi
    if [[ "$shared" == ON ]]; then
        ldd "$frontend/frontend" | grep -q "$prefix/lib.*/liborbsales\.so" || fail "shared: the front end does not load liborbsales.so"
    elif ldd "$frontend/frontend" | grep -q liborbsales; then
        fail "static: the front end loads a shared liborbsales"
    fi

    local output
    output="$(cd "$work" && "$frontend/frontend" "$work/$kind.db")" || {
        echo "$output"
        fail "$kind: the example front end failed"
    }
    echo "$output"
    grep -qx 'Cancel_Quotation: Cannot Cancel' <<<"$output" || fail "$kind: no ErrDesc read back"
}

# docs/USING.md shows the example's main.cpp: the copy there must be the one that is built.
diff <(sed -n '/^<!-- docs\/example-frontend\/main.cpp -->$/,/^```$/p' docs/USING.md | sed '1,2d;$d') \
    docs/example-frontend/main.cpp >/dev/null || fail "docs/USING.md does not show docs/example-frontend/main.cpp as it is"

check static OFF
check shared ON
echo "check-install: static and shared packages serve the example front end"
