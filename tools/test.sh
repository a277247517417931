#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (unit, GUI on the
# offscreen platform, network tests against servers on 127.0.0.1, browser tests).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --no-tests=error -j2 --timeout 600
