#!/usr/bin/env bash
# Installs what is missing, builds the program folder and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
TICKERINE_WEB_TESTS=0 bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" --target tickerine tickerine-cli tk_data
exec "${TK_BUILD_DIR:-$root/build}/program/tickerine" "$@"
