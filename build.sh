#!/usr/bin/env bash
# Sets up a Debian 12 machine for Lumivo Pro, then either builds what the game needs and starts
# it (play) or builds everything and runs every test (test).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
case "$mode" in
  play | test) ;;
  *) echo "usage: $0 [play|test]" >&2; exit 2 ;;
esac

packages=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n
          fonts-dejavu-core fonts-comic-neue
          qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite libqt6sql6-psql postgresql-15
          qt6-webengine-dev appstream
          xvfb openbox xdotool imagemagick x11-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$mode" = play ]; then
  # The game, its web window, the content tool, the demo content and the site: no tests.
  cmake --build build -j"$(nproc)" --target play
  exec build/game/lumivo
fi
cmake --build build -j"$(nproc)"
cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
