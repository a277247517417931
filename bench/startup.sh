#!/usr/bin/env bash
# Start-up time: from the program's start to its main window first shown, under Xvfb with
# the shipped data. Prints the median of 10 starts (and each start) in milliseconds.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
runs=${RUNS:-10}
program="$build/program/tickerine"
[ -x "$program" ] || TK_BUILD_DIR="$build" bash "$root/tools/build.sh" --target tickerine tk_data

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Documents" "$home/runtime"
chmod 700 "$home/runtime"

measure() {
  # One start: the program prints "main-window-shown <ms since epoch>" and is then ended.
  local start line shown
  start=$(date +%s%3N)
  coproc PROG { HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_RUNTIME_DIR="$home/runtime" TICKERINE_STARTUP_TIMESTAMP=1 DISPLAY="$DISPLAY" \
    exec "$program" 2>/dev/null; }
  local pid=$PROG_PID
  shown=""
  while read -r -t 30 line <&"${PROG[0]}"; do
    case "$line" in main-window-shown*) shown=${line#main-window-shown }; break ;; esac
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [ -n "$shown" ] || { echo "no main window" >&2; exit 1; }
  echo $((shown - start))
}

run_all() {
  # The tips window is part of a real first start: keep it as shipped.
  measure >/dev/null # warm the file cache once
  local times=()
  for _ in $(seq "$runs"); do times+=("$(measure)"); done
  printf '%s\n' "${times[@]}" | sort -n > "$home/times"
  echo "starts (ms): $(tr '\n' ' ' < "$home/times")"
  echo "startup median: $(sed -n "$(((runs + 1) / 2))p" "$home/times") ms (target 400 ms)"
}

run_all
