#!/usr/bin/env python3
"""Writes data/acceptance/<BA>.txt: a ba-script scenario per sample system that checks, on a
real line, that the device is recognised and that every test the menu offers fills its panel
with live values.

    python3 tools/samples/make_acceptance.py [DATA_FOLDER]
"""
import os
import sys

from sample_systems import SYSTEMS

HEADER = """\
# Acceptance test of {ba} ({system}: receive data mode {mode}, {n} channels).
# On a device or a simulated one, for example:
#   ./build/ba-script --folder build --port 1 build/acceptance/{ba}.txt
# Exit status 0: every check passed; 1: a check failed (printed as {{"expect":...}});
# 2: the scenario could not run (no such port, an unknown control).

# The port opens after one second; the device reports itself; the menu unlocks 1.5 s later.
wait 4000
expect StatusBar1 panels[3]={ba_json} panels[5]!=Unknowable
expect Label2(0) enabled=true

# Engineer Mode offers every test of the system.
click Command5
type txtUserName "qx"
type txtPassword "zul"
key txtPassword 13
close
expect StatusBar1 panels[7]="Engineer Mode"
click Label2(0)
wait 500

# IO test: switches and inputs show.
click Label2(1)
wait 1500
expect Label7(6) text!=""
expect Label7(10) text!=""
click Label7(21)
wait 500

# Sensor test: the first channels show readings.
click Label2(5)
wait 1500
expect SensorTestValues(2) text!=""
expect SensorTestValues(4) text!=""
expect Label8(6) text!=""
click Label8(10)
wait 500

# Sensor adjust: the calibration reply fills the first channel.
click Label2(4)
wait 2500
expect SensorAdjustValues(1) text!=""
expect SensorAdjustValues(3) text!=""
click Label9(1)
wait 500
"""

MOTOR = """
# Bill motor: raster values while it runs forward.
click Label2(2)
wait 500
click Label5(3)
wait 1200
expect Label5(6) text!=""
click Label5(2)
wait 500
click Label5(5)
wait 500
"""

STACKER = """
# Stacker: a status after a stroke.
click Label2(3)
wait 500
click Label6(3)
wait 1500
expect Label6(1) text!=""
click Label6(4)
wait 500
"""

INTERFACE = """
# Interface setup: the device tells which interface is set.
click Label2(8)
wait 1000
expect Frame10 visible=true
click Label11(1)
wait 500
"""

FOOTER = """
# Leave the test menu.
click Label2(7)
wait 500
expect Label2(0) enabled=true
"""


def scenario(s):
    text = HEADER.format(ba=s["ba"], system=s["system"], mode=s["mode"], n=s["n"],
                         ba_json='"%s"' % s["ba"])
    if s["mode"] not in (1, 2):
        text += MOTOR
        if s["stacker"]:
            text += STACKER
    if s["mode"] == 6:
        text += INTERFACE
    return text + FOOTER


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "data")
    folder = os.path.join(data, "acceptance")
    os.makedirs(folder, exist_ok=True)
    for s in SYSTEMS:
        with open(os.path.join(folder, s["ba"] + ".txt"), "w") as f:
            f.write(scenario(s))


if __name__ == "__main__":
    main()
