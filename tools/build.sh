#!/usr/bin/env bash
# Configures and builds into build/ (or $TK_BUILD_DIR). Extra arguments go to cmake --build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TK_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" "$@"
