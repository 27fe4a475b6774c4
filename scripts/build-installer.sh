#!/usr/bin/env bash
# Builds the Windows programs and the installer TickvaneSetup-<version>.exe from them:
#   build-installer.sh [BUILD_DIR]   (default build/windows, the "windows" preset)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${1:-build/windows}
if [ "$build" = build/windows ]; then
  cmake --preset windows >/dev/null
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target installer
ls "$PWD/$build"/TickvaneSetup-*.exe
