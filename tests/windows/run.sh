#!/usr/bin/env bash
# Cross-builds Orvane.dll and two Windows hosts with mingw-w64 and checks them under Wine, one
# step per call:
#   run.sh build TREE SOURCE CMAKE GENERATOR   configure and build the cross tree TREE
#   run.sh binaries TREE EXPORTS               the DLL exports exactly the global names of the linker map EXPORTS,
#                                              and nothing imports more than system DLLs
#   run.sh c-host TREE EXPECTED                read_blocks.exe prints exactly the file EXPECTED
#   run.sh fortran-host TREE                   legacy_host.exe passes all its checks, in order
#   run.sh checker TREE DIRECTORY EXPECTED STATUS ARGUMENT...
#                                              orvane-check.exe, run in DIRECTORY with the ARGUMENTs,
#                                              prints exactly DIRECTORY/EXPECTED and exits with STATUS
#   run.sh checker-crlf TREE INPUT CHECKER     orvane-check.exe --json prints for INPUT with CR LF line
#                                              ends what CHECKER, the Linux build, prints
#   run.sh lsp TREE                            orvane-lsp.exe answers initialize and shutdown, then
#                                              exits with 0 at exit
# Outputs are compared with their CR LF line ends read as LF.
# A step given too few arguments fails. A step whose tools are missing exits with 77, which the tests take as skipped, never as passed.
set -euo pipefail

readonly skip_status=77
readonly triplet=x86_64-w64-mingw32
readonly dll=Orvane.dll
# What each binary may import: the system's DLLs, and for the hosts the library itself.
readonly system_imports='^(kernel32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
readonly host_imports='^(kernel32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+|orvane)\.dll$'

skip() {
  echo "windows: SKIPPED: $* (scripts/setup installs g++-mingw-w64-x86-64-posix, gfortran-mingw-w64-x86-64 and wine64)"
  exit "$skip_status"
}

fail() {
  echo "windows: FAILED: $*" >&2
  exit 1
}

# Prints the first of the given programs that can be run.
first_program() {
  local name
  for name in "$@"; do
    if [[ -n $name ]] && command -v "$name"; then
      return 0
    fi
  done
  return 1
}

require_cross_tools() {
  local driver
  for driver in gcc g++ gfortran; do
    first_program "$triplet-$driver-posix" "$triplet-$driver" >/dev/null || skip "no $triplet-$driver"
  done
  first_program "$triplet-objcopy" >/dev/null || skip "no $triplet-objcopy"
  objdump=$(first_program "$triplet-objdump") || skip "no $triplet-objdump"
}

# ORVANE_WINE names the loader to use; else Debian's wine64 package puts it outside PATH, and its
# wine package adds a wrapper.
find_wine() {
  if [[ -n ${ORVANE_WINE:-} ]]; then
    wine=$(first_program "$ORVANE_WINE") || return 1
  else
    wine=$(first_program wine64 /usr/lib/wine/wine64 wine) || return 1
  fi
  wineserver=$(first_program "${wine%wine64}wineserver64" "${wine%/*}/wineserver" wineserver) || wineserver=
  export WINEPREFIX=$tree/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # No window may open, not even the one that announces a new prefix.
  unset DISPLAY WAYLAND_DISPLAY
}

require_wine() {
  find_wine || skip "no wine64"
}

require_tree() {
  [[ -f $tree/run/$dll ]] || fail "$tree/run holds no $dll: run the build step first"
}

build() {
  local source=$1 cmake=$2 generator=$3
  require_cross_tools
  "$cmake" -S "$source" -B "$tree" -G "$generator" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
    -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF -DORVANE_HOSTS_ONLY=ON >/dev/null
  "$cmake" --build "$tree" --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
  # The hosts run beside the DLL and nothing else, as they are installed on Windows, so a runtime
  # DLL that they still needed would stop them.
  rm -rf "$tree/run"
  mkdir -p "$tree/run"
  cp "$tree/$dll" "$tree/examples/read_blocks.exe" "$tree/tests/windows/hosts/legacy_host.exe" \
    "$tree/tools/orvane-check.exe" "$tree/tools/orvane-lsp.exe" "$tree/run/"
  # Wine's first start creates its prefix, which takes a while: better here than in a host's step.
  if ! find_wine; then
    echo "windows: no wine64, so the hosts' steps will be skipped"
  elif [[ ! -f $WINEPREFIX/system.reg ]]; then
    "$wine" wineboot --init >/dev/null 2>&1 || fail "wine could not create $WINEPREFIX"
    # The prefix is complete only once the server that wrote it has gone.
    if [[ -n $wineserver ]]; then
      "$wineserver" --wait
    fi
  fi
}

# Fails unless every DLL that BINARY imports matches PATTERN (compared in lower case).
check_imports() {
  local binary=$1 pattern=$2 name
  local -a imports
  mapfile -t imports < <("$objdump" -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p')
  ((${#imports[@]} > 0)) || fail "no import table found in $binary"
  for name in "${imports[@]}"; do
    [[ ${name,,} =~ $pattern ]] || fail "$(basename "$binary") imports $name, which is not a system DLL"
  done
  echo "$(basename "$binary") imports only ${imports[*]}"
}

binaries() {
  local expected=$1 listing
  require_cross_tools
  require_tree
  listing=$("$objdump" -p "$tree/run/$dll")

  local own_name
  own_name=$(sed -n 's/^Name[[:space:]]\+[0-9a-fA-F]\+ //p' <<<"$listing")
  [[ $own_name == "$dll" ]] || fail "the export table names the library '$own_name', not $dll"

  local -a names
  mapfile -t names < <(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]\+\] //p' <<<"$listing")
  # The map's names are plain, so a decorated export (_Name, Name@8) shows as a difference.
  local differences
  differences=$(diff <(sed -n 's/^    \([A-Za-z0-9_]*\);$/\1/p' "$expected" | sort) <(printf '%s\n' "${names[@]}" | sort)) ||
    fail "the exported names differ from $expected (< missing, > extra):"$'\n'"$differences"

  # Every address in the table must be a function of the DLL reached by one of those names.
  local addresses forwarders
  addresses=$(grep -c '^[[:space:]]*\[ *[0-9]\+\] +base\[ *[0-9]\+\] [0-9a-fA-F]\+ Export RVA$' <<<"$listing" || true)
  forwarders=$(grep -c 'Forwarder RVA' <<<"$listing" || true)
  ((addresses == ${#names[@]} && forwarders == 0)) ||
    fail "the export table has $addresses addresses and $forwarders forwarders for ${#names[@]} names"
  echo "$dll exports exactly the ${#names[@]} expected names, undecorated"

  check_imports "$tree/run/$dll" "$system_imports"
  check_imports "$tree/run/read_blocks.exe" "$host_imports"
  check_imports "$tree/run/legacy_host.exe" "$host_imports"
  check_imports "$tree/run/orvane-check.exe" "$host_imports"
  check_imports "$tree/run/orvane-lsp.exe" "$host_imports"
}

# Runs PROGRAM of the run directory with the ARGUMENTs in DIRECTORY; its output, with each line's
# CR LF turned into LF, goes to OUTPUT. Fails when it does not exit with STATUS.
run_in() {
  local directory=$1 expected_status=$2 output=$3 program=$4 status=0
  shift 4
  require_wine
  require_tree
  (cd "$directory" && "$wine" "$tree/run/$program" "$@" >"$output.raw" 2>"$output.stderr") || status=$?
  sed 's/\r$//' "$output.raw" >"$output"
  if ((status != expected_status)); then
    cat "$output" "$output.stderr"
    fail "$program exited with $status, not $expected_status"
  fi
}

# Runs a host, which must exit with 0, in the run directory.
run_host() {
  run_in "$tree/run" 0 "$2" "$1"
}

c_host() {
  local expected=$1 output=$tree/read_blocks.out
  run_host read_blocks.exe "$output"
  diff -u "$expected" "$output" || fail "read_blocks.exe printed something else than $expected"
  echo "read_blocks.exe printed exactly $expected"
}

fortran_host() {
  local output=$tree/legacy_host.out contents
  run_host legacy_host.exe "$output"
  # Read whole, a final newline included, so that the pattern holds the output to its last byte.
  contents=$(cat "$output" && echo .)
  contents=${contents%.}
  local pattern=$'^before\nValue\\.-42\nafter\nlegacy host: [1-9][0-9]* checks, 0 failed\n$'
  [[ $contents =~ $pattern ]] || fail "legacy_host.exe printed:"$'\n'"$contents"
  printf '%s' "${contents##*after$'\n'}"
}

checker() {
  local directory=$1 expected=$2 status=$3 output=$tree/checker-$2
  shift 3
  run_in "$directory" "$status" "$output" orvane-check.exe "$@"
  diff -u "$directory/$expected" "$output" || fail "orvane-check.exe $* printed something else than $expected"
  echo "orvane-check.exe $* printed exactly $expected"
}

checker_crlf() {
  local input=$1 linux=$2 directory=$tree/crlf name=${1##*/} status=0
  mkdir -p "$directory"
  sed 's/$/\r/' "$input" >"$directory/$name"
  (cd "$directory" && "$linux" --json "$name" >"$directory/linux.out") || status=$?
  run_in "$directory" "$status" "$directory/windows.out" orvane-check.exe --json "$name"
  diff -u "$directory/linux.out" "$directory/windows.out" || fail "the Linux and Windows checkers differ on $name with CR LF"
  echo "orvane-check.exe reads $name with CR LF line ends as the Linux build does"
}

lsp() {
  local output=$tree/lsp.out message framed=
  for message in '{"jsonrpc":"2.0","id":1,"method":"initialize","params":{}}' \
    '{"jsonrpc":"2.0","id":2,"method":"shutdown"}' '{"jsonrpc":"2.0","method":"exit"}'; do
    framed+="Content-Length: ${#message}"$'\r\n\r\n'"$message"
  done
  require_wine
  require_tree
  printf '%s' "$framed" | "$wine" "$tree/run/orvane-lsp.exe" --stdio >"$output" || fail "orvane-lsp.exe exited with $?"
  grep -q '"capabilities"' "$output" && grep -q '"id":2,"jsonrpc":"2.0","result":null' "$output" ||
    fail "orvane-lsp.exe answered: $(cat "$output")"
  echo "orvane-lsp.exe answered initialize and shutdown, and exited with 0"
}

(($# >= 2)) || fail "usage: run.sh STEP TREE ARGUMENT... (the steps are listed at the top of run.sh)"
step=$1 tree=$2
shift 2
case $step in
  build | binaries | c-host | fortran-host | checker | checker-crlf | lsp) "${step//-/_}" "$@" ;;
  *) fail "unknown step $step" ;;
esac
