#!/usr/bin/env bash
# Builds the station benchmarks with the Windows programs and runs them under Wine (on a private X
# display when there is none): pacing at speed 20 (the schedule beside the plain sleep it
# replaced), throughput against a bare DDE loop, memory
# while replaying large files, and fast-forward in "sierra" mode with our chart-file writer. The
# figures are printed; nothing is checked.
#
#   scripts/bench-station.sh [pacing] [throughput] [memory] [forward]     (all four unless named)
#
# BENCH_BUILD_DIR builds in another directory than the windows preset's. THROUGHPUT_RECORDS
# (1000000), MEMORY_SECONDS (20 per file) and MEMORY_SIZES_MB ("100 1024") change the runs.
# Under Wine on two shared cores both the bare loop and the station manage a few hundred records
# a second, so a million records take hours there: THROUGHPUT_RECORDS=30000 gives a figure in
# minutes.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build/windows}"
benchmarks=("$@")
[ ${#benchmarks[@]} -gt 0 ] || benchmarks=(pacing throughput memory forward)

if [ -z "${BENCH_STATION_BUILT:-}" ]; then
  "$root/scripts/setup.sh"
  mkdir -p "$build"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release > "$build/configure-bench.log" 2>&1 ||
    { cat "$build/configure-bench.log" >&2; exit 2; }
  cmake --build "$build" -j2 --target bench_station_pacing bench_station_throughput bench_station_memory \
    bench_station_forward
  export BENCH_STATION_BUILT=1
  # Wine's windows need an X display.
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${benchmarks[@]}"
  fi
fi

prefix="$build/wineprefix"
"$root/scripts/wine-prefix" "$prefix" start > /dev/null
trap '"$root/scripts/wine-prefix" "$prefix" stop > /dev/null' EXIT

for b in "${benchmarks[@]}"; do
  echo "== $b"
  # Other work on the machine delays every wake-up of the station: say how busy it was.
  echo "machine load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  case $b in
    pacing) "$root/scripts/wine-exec" "$prefix" "$build/bin/bench_station_pacing.exe" ;;
    throughput)
      "$root/scripts/wine-exec" "$prefix" "$build/bin/bench_station_throughput.exe" "${THROUGHPUT_RECORDS:-1000000}" ;;
    memory)
      # shellcheck disable=SC2086
      "$root/scripts/wine-exec" "$prefix" "$build/bin/bench_station_memory.exe" "${MEMORY_SECONDS:-20}" \
        ${MEMORY_SIZES_MB:-100 1024} ;;
    forward)
      "$root/scripts/wine-exec" "$prefix" "$build/bin/bench_station_forward.exe" "${FORWARD_RECORDS:-1000000}" ;;
    *) echo "unknown benchmark: $b (pacing, throughput, memory, forward)" >&2; exit 2 ;;
  esac
  echo
done
