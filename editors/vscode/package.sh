#!/usr/bin/env bash
# Packages the VS Code extension into OUTPUT/orvane-VERSION.vsix with @vscode/vsce, both from the npm
# registry, building in OUTPUT so that no node_modules lands in the sources. Exits with 77 when npm
# or the registry cannot be reached.
#   editors/vscode/package.sh OUTPUT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
output=$(mkdir -p "${1:?usage: package.sh OUTPUT}" && cd "$1" && pwd)
command -v npm >/dev/null || { echo "SKIPPED: no npm (Debian: nodejs, npm)"; exit 77; }
npm_install() { # DIRECTORY ARGUMENT...
  local directory=$1
  shift
  if ! npm install --prefix "$directory" --cache "$output/npm-cache" --no-audit --no-fund --loglevel=error "$@" \
    >"$output/npm.log" 2>&1; then
    tail -n 5 "$output/npm.log"
    echo "SKIPPED: npm could not install into $directory (is the npm registry reachable?)"
    exit 77
  fi
}
[[ -x $output/tools/node_modules/.bin/vsce ]] || npm_install "$output/tools" @vscode/vsce@3.9.2
stage=$output/extension
rm -rf "$stage"
mkdir -p "$stage"
cp -r "$here/package.json" "$here/extension.js" "$here/language-configuration.json" "$here/README.md" \
  "$here/syntaxes" "$stage/"
npm_install "$stage" --omit=dev
version=$(node -p "require('$stage/package.json').version")
(cd "$stage" && "$output/tools/node_modules/.bin/vsce" package --skip-license --allow-missing-repository \
  --out "$output/orvane-$version.vsix")
