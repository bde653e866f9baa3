#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in a build folder of their own and runs each
# for a short while. Fails when a target finds a crash or a sanitizer report.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KESTRANE_FUZZ_BUILD:-$top/build-fuzz}
seconds=${KESTRANE_FUZZ_SECONDS:-20}
targets=(fuzz_strict_reading fuzz_val_reading fuzz_calc_script)

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DKESTRANE_FUZZ=ON -DKESTRANE_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for target in "${targets[@]}"; do
  # New inputs go to the build folder; the seeds in the tree stay as they are.
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  cp "$top/tests/fuzz/corpus/$target/"* "$corpus/"
  log=$build/$target.log
  if "$build/bin/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
       -artifact_prefix="$build/$target-" "$corpus" >"$log" 2>&1; then
    echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | tail -1)s, no failure"
  else
    tail -n 40 "$log"
    echo "$target: FAILED (log $log)" >&2
    exit 1
  fi
done
