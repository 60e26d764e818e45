#!/usr/bin/env bash
# Runs a Node script with npm packages installed for it in DIRECTORY (once; npm's cache beside them).
# Exits with 77, which the tests take as skipped, when node, npm or the npm registry is missing.
#   node.sh DIRECTORY "PACKAGE@VERSION..." SCRIPT ARGUMENT...
set -euo pipefail
directory=$1 packages=$2
shift 2
for program in node npm; do
  command -v $program >/dev/null || { echo "SKIPPED: no $program (Debian: nodejs, npm)"; exit 77; }
done
stamp="$directory/installed-$(echo "$packages" | tr ' /@' '_+-')"
if [[ ! -f $stamp ]]; then
  mkdir -p "$directory"
  # shellcheck disable=SC2086 # one word a package
  if ! npm install --prefix "$directory" --cache "$directory/cache" --no-audit --no-fund --loglevel=error \
    $packages >"$directory/install.log" 2>&1; then
    tail -n 5 "$directory/install.log"
    echo "SKIPPED: npm could not install $packages (is the npm registry reachable?)"
    exit 77
  fi
  touch "$stamp"
fi
NODE_PATH="$directory/node_modules" exec node "$@"
