#!/usr/bin/env bash
# Builds the toolset and starts the station on the bundled IBM sample in DDE-only mode, with
# ddewatch printing the station's items. On a desktop the two keep running until the station is
# closed; on a headless machine they run under Xvfb, print the item values once and end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tickvane ddewatch
bin=build/windows/bin
scripts/make-sample-epf.sh "$bin/practice.EPF"
prefix=build/windows/run-prefix

run() {
  scripts/wine-prefix "$prefix" start >/dev/null
  scripts/wine-exec "$prefix" "$bin/Tickvane.exe" ddeonly &
  if [ "$1" = once ]; then
    scripts/wine-exec "$prefix" "$bin/ddewatch.exe" --wait 60000 --once last time speed vqfilename txtLinkTopic
    scripts/wine-prefix "$prefix" stop >/dev/null
  else
    echo "Station started on $bin/practice.EPF; press Start in its window. ddewatch prints every update."
    scripts/wine-exec "$prefix" "$bin/ddewatch.exe" --wait 60000 --timestamps last time
  fi
}

if [ "${1:-}" = "--inner" ]; then
  run "$2"
elif [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  run follow
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner once
fi
