#!/usr/bin/env bash
# Builds the micro-benchmarks in a Release build of their own and runs them on
# one core. Extra arguments go to Google Benchmark, e.g.
#   scripts/micro-benchmarks.sh --benchmark_filter=normalize --benchmark_repetitions=5
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBORVANTA_TESTS=OFF \
  -DBORVANTA_WINDOW=OFF >/dev/null
cmake --build build-release --target borvanta_bench
exec taskset -c 0 build-release/bench/borvanta_bench --benchmark_min_time=0.5 "$@"
