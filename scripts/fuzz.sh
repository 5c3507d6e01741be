#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for FUZZ_SECONDS seconds (default 60) on a copy of its seed corpus in
# fuzz/corpus. A crash, a failed check, a leak or an input slower than 10 s fails the script; the
# input is left in build-fuzz/artifacts for replay: build-fuzz/fuzz/<target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=build-fuzz

missing=()
for p in clang libclang-rt-14-dev cmake ninja-build libgtest-dev nlohmann-json3-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

targets=(fuzz_number_reader fuzz_load_config fuzz_forms fuzz_batch_reader)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DTULO_FUZZ=ON -DTULO_GUI=OFF -DTULO_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target "${targets[@]}"

mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  rm -rf "$work"
  mkdir -p "$work"
  cp fuzz/corpus/"$target"/* "$work"/
  # A fixed seed makes a run repeatable: what CI explores is what a developer can replay.
  options=(-seed=1 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$build/artifacts/$target-")
  [ "$target" = fuzz_number_reader ] && options+=(-dict=fuzz/number.dict)
  echo "== $target: ${seconds} s"
  log="$build/$target.log"
  if ! "$build/fuzz/$target" "${options[@]}" "$work" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$target FAILED; input saved under $build/artifacts"
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log" | sed "s/^/$target /"
done
echo "fuzzing: no failure in ${#targets[@]} targets"
