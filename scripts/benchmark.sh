#!/usr/bin/env bash
# End-to-end benchmark: borvanta-cli with all five passes over generated
# address books of 1,000, 10,000 and 100,000 contacts. For each size it
# reports the median wall time, CPU time and peak memory of several runs, and
# the ratio of each to the size ten times smaller. Then it runs the
# micro-benchmarks.
#
#   scripts/benchmark.sh            every size, 5 runs each, then the micro-benchmarks
#   RUNS=3 SIZES="1000 10000" scripts/benchmark.sh --no-micro
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-5}
sizes=${SIZES:-"1000 10000 100000"}
micro=1
[[ "${1:-}" == "--no-micro" ]] && micro=0

scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBORVANTA_TESTS=OFF \
  -DBORVANTA_WINDOW=OFF >/dev/null
cmake --build build-release --target borvanta-cli borvanta-generate >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=build-release/cli/borvanta-cli
generate=build-release/tools/generator/borvanta-generate
passes=(--separate-name --separate-type=1 --name-type=1 --reset-number
  --reset-national-number --reset-full-name "--reset-display-name=이름 (회사명)")

# Prints "wall cpu peak_kb" for one run over a fresh copy of $1.
measure() {
  local source=$1 target=$work/book.vcf
  rm -f "$target" "$target".borvanta*
  cp "$source" "$target"
  sync
  /usr/bin/time -o "$work/time" -f "%e %U %S %M" "$cli" "${passes[@]}" "$target" >"$work/log"
  awk '{ printf "%.3f %.3f %d\n", $1, $2 + $3, $4 }' "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "runs per size: $runs (median shown)"
echo
printf '| contacts | file size | wall (s) | CPU (s) | peak memory (MB) | wall ratio to 10x smaller | CPU ratio |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|\n'
previous_wall="" previous_cpu=""
for size in $sizes; do
  book=$work/generated-$size.vcf
  "$generate" --contacts "$size" --seed 7 --version mixed >"$book"
  : >"$work/results"
  for _ in $(seq "$runs"); do measure "$book" >>"$work/results"; done
  wall=$(cut -d' ' -f1 "$work/results" | median)
  cpu=$(cut -d' ' -f2 "$work/results" | median)
  peak=$(cut -d' ' -f3 "$work/results" | median)
  megabytes=$(awk -v b="$(stat -c %s "$book")" 'BEGIN { printf "%.1f MB", b / 1e6 }')
  wall_ratio="" cpu_ratio=""
  if [[ -n "$previous_wall" ]]; then
    wall_ratio=$(awk -v a="$wall" -v b="$previous_wall" 'BEGIN { printf "%.1f", a / b }')
    cpu_ratio=$(awk -v a="$cpu" -v b="$previous_cpu" 'BEGIN { printf "%.1f", a / b }')
  fi
  printf '| %s | %s | %s | %s | %s | %s | %s |\n' "$size" "$megabytes" "$wall" "$cpu" \
    "$(awk -v k="$peak" 'BEGIN { printf "%.0f", k / 1024 }')" "$wall_ratio" "$cpu_ratio"
  previous_wall=$wall previous_cpu=$cpu
done

if [[ $micro -eq 1 ]]; then
  echo
  scripts/micro-benchmarks.sh
fi
