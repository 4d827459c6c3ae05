#!/usr/bin/env bash
# The main command: installs what is missing, builds borvanta-cli, and runs it
# with every pass on over a copy of the bundled sample address book. It shows
# first what the run would change (--dry-run, which leaves the file alone),
# then the real run's log, then the changes the run made to the file as a diff
# against the copy of the file as it was.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target borvanta-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/contacts.vcf "$work/contacts.vcf"
cd "$work"

cli=("$root/build/cli/borvanta-cli" --separate-name --reset-number --reset-national-number
  --reset-full-name "--reset-display-name=이름 (회사명)")

printf '\n== What a run would change (borvanta-cli --dry-run) ==\n'
"${cli[@]}" --dry-run contacts.vcf

printf '\n== The run ==\n'
"${cli[@]}" contacts.vcf

printf '\n== What it changed in contacts.vcf ==\n'
diff -u --label 'contacts.vcf (before)' --label 'contacts.vcf (after)' \
  contacts.vcf.borvanta.bak contacts.vcf | tr -d '\r' || [[ ${PIPESTATUS[0]} -eq 1 ]]
