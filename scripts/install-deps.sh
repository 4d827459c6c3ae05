#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run,
# when any of them is missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libgtk-3-dev libwebkit2gtk-4.1-dev xvfb xauth
  fonts-nanum  # a Korean font, so that the page reads on a desktop without one
  xdotool scrot  # scripts/screenshot.sh: a click in the window and its picture
  clang lld libclang-rt-14-dev
  time  # scripts/benchmark.sh: wall time, CPU time and peak memory of each run
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
