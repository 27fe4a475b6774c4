#!/usr/bin/env bash
# Writes the bundled IBM sample as a playback file: make-sample-epf.sh OUTPUT
# Three header lines, then SYMBOL,YYYYMMDD,HHMMSS,PRICE,VOLUME per tick with CR LF line ends.
# (The recorded sample has no volumes; each tick counts as one.)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
input=$here/data/real-ticks/ibm-us-equity-trades-20131007-20131008.csv
out=$1
tmp=$out.tmp
{
  printf 'Tickvane playback file\r\n'
  printf 'Converted from ibm-us-equity-trades-20131007-20131008.csv (IBM trades, see data/real-ticks/SOURCE.md)\r\n'
  printf 'Symbol,Date,Time,Price,Volume\r\n'
  awk -F, 'NR > 1 { printf "IBM,%s,%06d,%s,1\r\n", $1, $2, $3 }' "$input"
} > "$tmp"
mv "$tmp" "$out"
