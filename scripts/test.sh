#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in an optimised
# build, once built with AddressSanitizer and UndefinedBehaviorSanitizer; then
# gives every fuzz target a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j 2

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBORVANTA_SANITIZE=ON \
  -DBORVANTA_BENCHMARKS=OFF
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j 2

# A short fuzz run, seconds per target; scripts/fuzz.sh runs them for longer.
scripts/fuzz.sh 3
