#!/usr/bin/env bash
# Instructions per record, counted by callgrind, of each reader and each yardstick on a block of
# RECORDS records (20,000 by default). Only the reading pass itself is counted, not the making of
# the block. For a reader, "host" counts the whole pass through the C++ host (orvane.hpp), which
# also sizes the arrays and looks for the line that ended the walk; "export" counts only what the
# library's exported function does, the figure the library is answerable for. A yardstick has no
# export: its whole pass is its figure. Usage: bench/callgrind.sh BUILD_DIR [RECORDS]
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR [RECORDS]}
records=${2:-20000}
driver=$build/bench/orvane_callgrind_driver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The exported function a reader's pass calls, e.g. py-maxes -> ReadPYMaxes01.
export_of() {
  local keyword=${1%-*} pass=${1##*-}
  case $keyword in
    py) keyword=PY ;;
    axial) keyword=AxialLoad ;;
    wave) keyword=WaveGeneral ;;
  esac
  case $pass in
    maxes) echo "Read${keyword}Maxes01" ;;
    data) echo "Read${keyword}Data01" ;;
  esac
}

readers=(py-maxes py-data py-from-chars py-list-directed axial-maxes axial-data axial-from-chars
  axial-list-directed wave-maxes wave-data)
printf '%-22s %10s %14s %14s\n' reader records host/record export/record
for reader in "${readers[@]}"; do
  out=$work/$reader.out
  if ! lines=$(valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect=orvane_measured \
    "$driver" "$reader" "$records" 2>/dev/null); then
    continue # a yardstick this build lacks
  fi
  total=$(sed -n 's/^totals: *\([0-9]*\).*/\1/p' "$out")
  name=$(export_of "$reader")
  inside=""
  if [[ -n $name ]]; then
    inside=$(callgrind_annotate --inclusive=yes --threshold=100 "$out" 2>/dev/null |
      awk -v name="$name" '{ for (i = 2; i <= NF; ++i) if ($i ~ (":" name "$") || $i ~ ("^" name "$")) { gsub(",", "", $1); if ($1 > best) best = $1 } }
        END { print best + 0 }')
    inside=$(printf '%.0f' "$(echo "$inside / $lines" | bc -l)")
  fi
  printf '%-22s %10d %14.0f %14s\n' "$reader" "$lines" "$(echo "$total / $lines" | bc -l)" "$inside"
done
