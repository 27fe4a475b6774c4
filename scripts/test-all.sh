#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, the Windows programs under
# Wine (with a private X display when there is none), and a short fuzzing run of the readers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== Native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== Windows build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
if [ -n "${DISPLAY:-}" ]; then
  ctest --preset windows
else
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows
fi

echo "== Fuzzing the tick-file reader, the numeric rule and the converter"
scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
