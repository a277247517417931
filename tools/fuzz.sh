#!/usr/bin/env bash
# Builds every fuzz target in tests/fuzz with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for the given number of seconds.
#   tools/fuzz.sh [seconds=60] [target...]     e.g. tools/fuzz.sh 300 xml
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
shift || true

sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DTK_BUILD_FUZZ=ON -DTK_BUILD_TESTS=ON -DTK_BUILD_BENCH=OFF >/dev/null

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for f in "$root"/tests/fuzz/*_fuzz.cpp; do
    n=$(basename "$f" _fuzz.cpp)
    targets+=("$n")
  done
fi

cmake --build "$build" -j"${TK_FUZZ_JOBS:-2}" --target "${targets[@]/%/_fuzz}"

status=0
for name in "${targets[@]}"; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus" "$build/artifacts/$name"
  args=("-max_total_time=$seconds" "-print_final_stats=1" "-artifact_prefix=$build/artifacts/$name/")
  [ -f "$root/tests/fuzz/$name.dict" ] && args+=("-dict=$root/tests/fuzz/$name.dict")
  seeds=()
  [ -d "$root/tests/fuzz/seeds/$name" ] && seeds+=("$root/tests/fuzz/seeds/$name")
  echo "== $name: $seconds s"
  # Qt needs no display here; the readers use Qt Core only.
  if ! QT_QPA_PLATFORM=offscreen "$build/fuzz/${name}_fuzz" "${args[@]}" "$corpus" "${seeds[@]}"; then
    echo "== $name: FAILED (see $build/artifacts/$name/)"
    status=1
  else
    echo "== $name: no crash"
  fi
done
exit $status
