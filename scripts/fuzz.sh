#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and runs each for SECONDS seconds
# (default 20). Exits non-zero when a target crashes or finds a difference; the input that did
# it is left in build/fuzz/artifacts.
#
#   scripts/fuzz.sh [SECONDS]
#
# Needs clang++ with libFuzzer and the sanitizer runtimes (Debian: clang, libclang-rt-14-dev).
set -euo pipefail

seconds="${1:-20}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"

if ! command -v clang++ > /dev/null; then
  echo "fuzz.sh: clang++ not found (Debian packages clang and libclang-rt-14-dev)" >&2
  exit 2
fi

mkdir -p "$build"
generator=()
if command -v ninja > /dev/null; then generator=(-G Ninja); fi
cmake -S "$root/fuzz" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build/configure.log" 2>&1 ||
  { cat "$build/configure.log" >&2; exit 2; }
cmake --build "$build" -j2

mkdir -p "$build/artifacts"
status=0
for target in tick_file_reader_fuzz numeric_value_fuzz converter_fuzz; do
  name="${target%_fuzz}"
  # New inputs go to a work corpus in the build tree; the seeds under version control stay put.
  work="$build/corpus/$name"
  mkdir -p "$work"
  echo "== $target for ${seconds}s"
  if ! "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=4096 -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
      "$work" "$root/fuzz/corpus/$name"; then
    echo "fuzz.sh: $target failed; see $build/artifacts" >&2
    status=1
  fi
done
exit "$status"
