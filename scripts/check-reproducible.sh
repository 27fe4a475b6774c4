#!/usr/bin/env bash
# Builds the release a second time, from scratch in another folder, and checks that every shipped
# file and the installer come out byte for byte the same as in the given build:
#   check-reproducible.sh [BUILD_DIR [SECOND_DIR]]
# BUILD_DIR is a configured and built Windows build (default build/windows); SECOND_DIR (default
# BUILD_DIR/reproducible-check) is removed and made anew.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
first=$(cd "${1:-$source_dir/build/windows}" && pwd)
second=${2:-$first/reproducible-check}

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$first/CMakeCache.txt"; }
toolchain=$(cache_value CMAKE_TOOLCHAIN_FILE)
build_type=$(cache_value CMAKE_BUILD_TYPE)
generator=$(cache_value CMAKE_GENERATOR)
list="$first/release/shipped_files.txt"
[ -f "$list" ] || { echo "no $list: is $first a configured Windows build?" >&2; exit 2; }
installer=$(cd "$first" && ls TickvaneSetup-*.exe 2>/dev/null | head -n 1)
[ -n "$installer" ] || { echo "no installer in $first: build the target 'installer' first" >&2; exit 2; }

rm -rf "$second"
echo "== Second build in $second"
cmake -S "$source_dir" -B "$second" -G "$generator" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE="$build_type" >/dev/null
cmake --build "$second" --target installer -j 2 >/dev/null

compared=0 differing=0
compare() {
  local a="$first/$1" b="$second/$1"
  if [ ! -f "$a" ] || [ ! -f "$b" ]; then
    echo "MISSING $1"; differing=$((differing + 1)); return
  fi
  compared=$((compared + 1))
  if cmp -s "$a" "$b"; then
    echo "same     $1 ($(stat -c %s "$a") bytes)"
  else
    echo "DIFFERS  $1 (from $(cmp "$a" "$b" | head -n 1 | sed "s/.*differ: //"))"
    differing=$((differing + 1))
  fi
}
while read -r f; do
  case $f in *.exe|*.dll) compare "bin/$f" ;; esac
  compare "release/stage/$f"
done < "$list"
compare "$installer"

if [ "$differing" -ne 0 ]; then
  echo "$differing of the release's files differ between the two builds" >&2
  echo "(both builds must see the same sources: if one changed after $first was built, build it again)" >&2
  exit 1
fi
echo "all $compared files are the same in both builds"
