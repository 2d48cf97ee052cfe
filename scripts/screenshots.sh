#!/usr/bin/env bash
# Regenerates the screenshots with ba-shot from fed replies (run after a build): docs/*.png at
# 100 %, docs/2x/*.png, the same pictures at 200 % (QT_SCALE_FACTOR=2).
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

# Sensor test frames of Foxtrot (mode 5, 16 channels): readings, then row 1 and row 2 of every
# column; row-2 values above the channel's maximum are red.
foxtrot='&M492NS016\x05\x49\x00\x05\x50\x00\x00\x10\x2A\x2B\x2C\x2D\x80\x01'
sensor="\xAA$(zeros 9)\x03\x04\x05\x06"
for i in $(seq 16); do sensor="$sensor\\x$(printf %02X $((100 + i)))"; done
for i in $(seq 16); do sensor="$sensor\\x$(printf %02X $(( i % 3 == 0 ? 230 : 120 + i )))"; done
# Sensor adjust replies of Hotel (mode 6, FRAM, 12 channels) and Golf (mode 5, 85 channels):
# VR, adjust and stored values; out-of-range values and stored values that differ are red.
adjust="\xAA"
for i in $(seq 12); do adjust="$adjust\\x$(printf %02X $(( i % 4 == 0 ? 10 : 100 + i )))"; done
for round in 1 2 3 4; do
  for i in $(seq 12); do adjust="$adjust\\x$(printf %02X $(( round > 1 && i % 5 == 0 ? 77 : 150 + i )))"; done
done
golf='ZRNNSW-10521013101JD001\x5A\x3C\x01\x02\x00\x81\x50'
golf_adjust="\xAA"
for run in 1 2 3; do
  for i in $(seq 85); do golf_adjust="$golf_adjust\\x$(printf %02X $(( (i * 7 + run) % 256 )))"; done
done

# Every picture into folder $1.
shots() {
  $shot "$1"/main-screen.png --report "$alpha"
  $shot "$1"/terminal.png --report "$hotel" --terminal
  $shot "$1"/test-menu.png --report "$hotel" --access 'Production Mode' --click 'Label2(0)'
  $shot "$1"/io-test.png --report "$hotel" --access 'Production Mode' \
    --click 'Label2(0)' --click 'Label2(1)' --feed "$hotel_io"
  $shot "$1"/io-test-mode0.png --report "$alpha" --click 'Label2(0)' --click 'Label2(1)' \
    --feed "$alpha_io"
  $shot "$1"/bill-motor.png --report "$alpha" --click 'Label2(0)' --click 'Label2(2)' \
    --click 'Label5(3)' --feed '\xAA\xC8'
  $shot "$1"/stacker.png --report "$alpha" --click 'Label2(0)' --click 'Label2(3)' \
    --click 'Label6(3)' --feed '\x00'
  $shot "$1"/bill-length.png --report "$hotel" --click 'Label2(0)' --enter 6 --feed '\xAA\x00\x9C'
  $shot "$1"/interface-setup.png --report "$hotel" --access 'Production Mode' \
    --click 'Label2(0)' --click 'Label2(8)' --feed '\xAA\xAB\x07'

  # Sensor test, Foxtrot; sensor adjust, Hotel and Golf (page 2).
  $shot "$1"/sensor-test.png --report "$foxtrot" --access 'Engineer Mode' --click 'Label2(0)' \
    --click 'Label2(5)' --feed "$sensor"
  $shot "$1"/sensor-test-page1.png --report "$foxtrot" --access 'Engineer Mode' \
    --click 'Label2(0)' --click 'Label2(5)' --feed "$sensor" --scroll 'HScroll1=1'
  $shot "$1"/sensor-adjust.png --report "$hotel" --access 'Engineer Mode' --click 'Label2(0)' \
    --click 'Label2(4)' --feed "$adjust"
  $shot "$1"/sensor-adjust-page2.png --report "$golf" --access 'Engineer Mode' --click 'Label2(0)' \
    --click 'Label2(4)' --feed "$golf_adjust" --scroll 'VScroll2=2'

  # The setup screen: the Login tab, then in Admin Mode its three editing tabs (Hotel's 12
  # channels on page 1 of the grid).
  $shot "$1"/setup-login.png --click Command5
  $shot "$1"/setup-system.png --access 'Admin Mode' --click Command5 --tab 1 \
    --select Combo1=7 --scroll HScroll1=1
  $shot "$1"/setup-codes.png --access 'Admin Mode' --click Command5 --tab 2 --select Combo7=7
  $shot "$1"/setup-interface.png --access 'Admin Mode' --click Command5 --tab 3

  # Refused saves (Modify, a value the file cannot hold, Save): the box is red, its tool tip says
  # why. Hotel's channel 1 set to "a" on tab 1; the first code box emptied on tab 2.
  $shot "$1"/setup-refused.png --access 'Admin Mode' --click Command5 --tab 1 --select Combo1=7 \
    --click 'Command3(2)' --settext Sensor_Test1=a --click 'Command3(3)' --tip Sensor_Test1
  $shot "$1"/setup-codes-refused.png --access 'Admin Mode' --click Command5 --tab 2 \
    --select Combo7=7 --click 'Command2(0)' --settext 'Text3(0)=' --click 'Command2(1)' \
    --tip 'Text3(0)'
}

QT_SCALE_FACTOR=1 shots docs
mkdir -p docs/2x
QT_SCALE_FACTOR=2 shots docs/2x
