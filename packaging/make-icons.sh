#!/usr/bin/env bash
# Renders the icon's PNGs (committed in packaging/icons/) from ba-test-tool.svg, and the 16 px
# one from its simpler ba-test-tool-16.svg. Run it after changing either.
set -euo pipefail
cd "$(dirname "$0")"
bash ../scripts/deps.sh librsvg2-bin
mkdir -p icons
rsvg-convert -w 16 -h 16 ba-test-tool-16.svg -o icons/16x16.png
for size in 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" ba-test-tool.svg -o "icons/${size}x${size}.png"
done
