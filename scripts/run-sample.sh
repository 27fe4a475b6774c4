#!/usr/bin/env bash
# Builds the toolset and runs it on the bundled IBM sample (real trades of 7 and 8 October 2013).
#
# On a desktop: starts the launcher Portvane (pick "Generate Playback File and Start DDE Server",
# answer Yes, open the offered sample, then press Start in the station) with ddewatch printing
# every update of the station's last price and time.
#
# Headless (no display, or in CI): the same walk scripted under Xvfb: the converter Genvane turns
# the sample into practice.EPF and starts the station in DDE-only mode, stationctl sets the speed
# and presses Start, and ddewatch prints the first updates, then everything ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tickvane Portvane Genvane ddewatch stationctl zavovq chartdump
bin=build/windows/bin
prefix=build/windows/run-prefix
sample=ibm-us-equity-trades-20131007-20131008.csv
wine_run() { scripts/wine-exec "$prefix" "$@"; }

desktop() {
  scripts/wine-prefix "$prefix" start >/dev/null
  echo "Portvane is starting. ddewatch prints the station's price and time as they change."
  wine_run "$bin/Portvane.exe" &
  wine_run "$bin/ddewatch.exe" --wait 600000 --timestamps last time
}

scripted() {
  scripts/wine-prefix "$prefix" start >/dev/null
  echo "== Genvane ddeonly $sample: converts the sample and starts Tickvane ddeonly"
  wine_run "$bin/Genvane.exe" ddeonly "$(winepath_of "$bin/$sample")"
  echo "== The playback file:"
  head -c 400 "$bin/practice.EPF" | tr -d '\r' | head -n 6
  echo "== ddewatch: the station's items, then the first 20 replayed ticks (price, then time)"
  wine_run "$bin/ddewatch.exe" --wait 60000 --timestamps --count 40 last time &
  watcher=$!
  wine_run "$bin/stationctl.exe" --wait 60000 set speed 50
  wine_run "$bin/stationctl.exe" click cbStartFastSend
  wait "$watcher"
  scripts/wine-prefix "$prefix" stop >/dev/null
}

winepath_of() { WINEPREFIX=$(cd "$prefix" && pwd) WINEDEBUG=-all winepath -w "$1" 2>/dev/null; }

if [ "${1:-}" = "--scripted" ]; then
  scripted
elif [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  desktop
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --scripted
fi
