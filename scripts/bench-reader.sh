#!/usr/bin/env bash
# Builds the reader benchmark natively with optimisation into build/bench-reader and runs it.
#
#   scripts/bench-reader.sh [FILE [RECORDS]]
#
# FILE is where the generated tick file goes (a temporary name unless given), RECORDS its size
# (1,000,000 unless given). The figures are printed; nothing is checked. BENCH_BUILD_DIR
# chooses another build directory.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build/bench-reader}"

generator=()
if command -v ninja > /dev/null; then generator=(-G Ninja); fi
mkdir -p "$build"
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release > "$build/configure.log" 2>&1 ||
  { cat "$build/configure.log" >&2; exit 2; }
cmake --build "$build" -j2 --target bench_reader
"$build/bench/reader/bench_reader" "$@"
