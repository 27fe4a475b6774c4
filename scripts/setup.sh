#!/usr/bin/env bash
# Installs what building and testing need on Debian or Ubuntu, only what is missing.
set -euo pipefail
packages=(cmake ninja-build g++ googletest
          g++-mingw-w64-x86-64-posix mingw-w64-tools
          wine wine64 xvfb xauth x11-utils imagemagick
          clang libclang-rt-14-dev nsis)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "Build tools ready."
