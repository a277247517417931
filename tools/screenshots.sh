#!/usr/bin/env bash
# Starts the program under Xvfb and saves a picture of each tab of the main window into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
out=${1:-$root/docs}
mkdir -p "$out"
if [ ! -x "$build/program/tickerine" ]; then
  TK_BUILD_DIR="$build" bash "$root/tools/build.sh" --target tickerine tk_data
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Documents"
# A private home: the pictures show a first start, not this machine's settings.
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
  TICKERINE_SCREENSHOTS="$out" timeout 60 \
  xvfb-run -a -s "-screen 0 1280x900x24" "$build/program/tickerine"
ls "$out"/tab-*.png
