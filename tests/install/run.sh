#!/usr/bin/env bash
# Installs the build tree BUILD into a scratch prefix under WORK and builds the C host HOST against
# it three ways: with find_package, with pkg-config, and with the source tree SOURCE added as a
# subdirectory. Each program must print exactly EXPECTED.
#   run.sh BUILD SOURCE WORK HOST EXPECTED CMAKE GENERATOR CC
set -euo pipefail
(($# == 8)) || { echo "usage: run.sh BUILD SOURCE WORK HOST EXPECTED CMAKE GENERATOR CC" >&2; exit 2; }
build=$1 source=$2 work=$3 host=$4 expected=$5 cmake=$6 generator=$7 cc=$8
prefix=$work/prefix
rm -rf "$work"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

check() { # WAY PROGRAM
  "$2" | diff -u "$expected" -
  echo "$1: the consumer printed $expected"
}

consumer() { # WAY CONFIGURE-ARGUMENT
  "$cmake" -S "$source/tests/install" -B "$work/$1" -G "$generator" -DCMAKE_C_COMPILER="$cc" -DHOST="$host" "$2" >/dev/null
  "$cmake" --build "$work/$1" >/dev/null
  check "$1" "$work/$1/consumer"
}
consumer find_package -DCMAKE_PREFIX_PATH="$prefix"
consumer add_subdirectory -DORVANE_SOURCE="$source"

pc=$(find "$prefix" -name orvane.pc)
export PKG_CONFIG_PATH=${pc%/*}
mkdir -p "$work/pkg-config"
# shellcheck disable=SC2046 # the flags are meant to be split
"$cc" "$host" $(pkg-config --cflags --libs orvane) -o "$work/pkg-config/consumer"
LD_LIBRARY_PATH=$(pkg-config --variable=libdir orvane) check pkg-config "$work/pkg-config/consumer"
