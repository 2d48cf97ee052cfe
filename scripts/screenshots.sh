#!/usr/bin/env bash
# Regenerates the screenshots in docs/ with ba-shot from fed replies (run after a build).
set -euo pipefail
cd "$(dirname "$0")/.."
shot=build/ba-shot
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
alpha='&A121ALPHA\x01\x2A\x00\x03\x10\x00\x00\x00\xAB\xCD\x12\x34\x80\x01'
hotel='ZRNQ48-21012013402JD001\x5A\x3C\x01\x02\x00\x81\x50'
zeros() { printf '\\x00%.0s' $(seq "$1"); }
# IO frames after the entry's acknowledge: Hotel (mode 6, 40 bytes), Alpha (mode 0, 29 bytes).
hotel_io="\xAA\x00\x00\x81\x02\x01\x00\x01\x00\x03\x2D$(zeros 28)\x01\x01"
alpha_io="\xAA\x01\x00$(zeros 10)\x81\x02\x01\x00\x00\x00\x01$(zeros 10)"

$shot docs/main-screen.png --report "$alpha"
$shot docs/test-menu.png --report "$hotel" --access 'Production Mode' --click 'Label2(0)'
$shot docs/io-test.png --report "$hotel" --access 'Production Mode' \
  --click 'Label2(0)' --click 'Label2(1)' --feed "$hotel_io"
$shot docs/io-test-mode0.png --report "$alpha" --click 'Label2(0)' --click 'Label2(1)' \
  --feed "$alpha_io"
$shot docs/bill-motor.png --report "$alpha" --click 'Label2(0)' --click 'Label2(2)' \
  --click 'Label5(3)' --feed '\xAA\xC8'
$shot docs/stacker.png --report "$alpha" --click 'Label2(0)' --click 'Label2(3)' \
  --click 'Label6(3)' --feed '\x00'
$shot docs/bill-length.png --report "$hotel" --click 'Label2(0)' --enter 6 --feed '\xAA\x00\x9C'
$shot docs/interface-setup.png --report "$hotel" --access 'Production Mode' \
  --click 'Label2(0)' --click 'Label2(8)' --feed '\xAA\xAB\x07'
