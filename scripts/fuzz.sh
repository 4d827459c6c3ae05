#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and
# undefined-behaviour sanitizers (in build-fuzz/), and runs each for the given
# number of seconds, as many at a time as there are processors, starting from
# the seed inputs in fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]    (default: 60 seconds, every target)
#
# Inputs that reach new code are kept in build-fuzz/corpus/<target>/ (the
# seeds in the repository are left alone); an input that breaks a property is
# kept in build-fuzz/artifacts/ and the script ends with a failure. The
# executions of every target are printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=build-fuzz
parallel=${FUZZ_JOBS:-$(nproc)}

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for corpus in fuzz/corpus/*/; do
    targets+=("$(basename "$corpus")")
  done
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DBORVANTA_FUZZ=ON -DBORVANTA_SANITIZE=ON \
  -DBORVANTA_WINDOW=OFF -DBORVANTA_TESTS=OFF -DBORVANTA_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/artifacts" "$build/logs"

# Longest input each target is given.
max_len() {
  case $1 in
    format_text) echo 8192 ;;
    vcard*) echo 65536 ;;
    *) echo 4096 ;;
  esac
}

run_target() {
  local target=$1
  local log="$build/logs/$target.log"
  local status=ok
  mkdir -p "$build/corpus/$target"
  local dictionary=()
  [[ -f fuzz/$target.dict ]] && dictionary=("-dict=fuzz/$target.dict")
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -max_len="$(max_len "$target")" "${dictionary[@]}" \
    -artifact_prefix="$build/artifacts/$target-" \
    "$build/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1 || status=FAILED
  local executions
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$target $status ${executions:-0}" >"$build/logs/$target.result"
}

for target in "${targets[@]}"; do
  rm -f "$build/logs/$target.result"
  run_target "$target" &
  while (($(jobs -rp | wc -l) >= parallel)); do
    wait -n || true
  done
done
wait

failed=0
printf '%-20s %-7s %15s  (%s s each)\n' target result executions "$seconds"
for target in "${targets[@]}"; do
  read -r name status executions <"$build/logs/$target.result"
  printf '%-20s %-7s %15s\n' "$name" "$status" "$executions"
  if [[ $status != ok ]]; then
    failed=1
    grep -E 'property does not hold|ERROR|runtime error|Test unit written' \
      "$build/logs/$target.log" | sed 's/^/    /' || true
    echo "    log: $build/logs/$target.log"
  fi
done
exit $failed
