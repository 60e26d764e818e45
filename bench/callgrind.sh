#!/usr/bin/env bash
# Instructions per record, counted by callgrind, of each reader and each yardstick on a block of
# RECORDS records (20,000 by default). Only the reading call itself is counted, not the making of
# the block. Usage: bench/callgrind.sh BUILD_DIR [RECORDS]
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR [RECORDS]}
records=${2:-20000}
driver=$build/bench/orvane_callgrind_driver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

readers=(py-maxes py-data py-from-chars py-list-directed axial-maxes axial-data axial-from-chars
  axial-list-directed wave-maxes wave-data)
printf '%-22s %10s %16s %18s\n' reader records instructions instructions/record
for reader in "${readers[@]}"; do
  out=$work/$reader.out
  if ! lines=$(valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect=orvane_measured \
    "$driver" "$reader" "$records" 2>/dev/null); then
    continue # a yardstick this build lacks
  fi
  total=$(sed -n 's/^totals: *\([0-9]*\).*/\1/p' "$out")
  printf '%-22s %10d %16d %18.0f\n' "$reader" "$lines" "$total" "$(echo "$total / $lines" | bc -l)"
done
