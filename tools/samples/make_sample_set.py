#!/usr/bin/env python3
"""Writes the sample configuration set of data/ from sample_systems.py: the four
configuration files (CR LF line ends) and data/README.md with the report of every system.

    python3 tools/samples/make_sample_set.py [DATA_FOLDER]
"""
import os
import sys

from sample_systems import INTERFACES, SYSTEMS

FRAM_MODES = range(6, 11)
CODE_COUNT = 21


def write_lines(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("ascii") + b"\r\n")


def system_line(s):
    low, high = s["multi"] or ("", "")
    return ",".join([s["key"], "1" if s["multi"] else "0", low, high, s["system"], s["ba"]])


def channel_tables(s):
    """Six tables of N limits: sensor min/max, VR range min/max, adjust range min/max."""
    n, fram = s["n"], s["mode"] in FRAM_MODES
    scale = 4 if fram else 1  # FRAM systems read 10-bit values, the others 8-bit
    sensor_min = [scale * (20 + (7 * c) % 30) for c in range(1, n + 1)]
    sensor_max = [lo + scale * (120 + (11 * c) % 60) for c, lo in enumerate(sensor_min, 1)]
    vr_min = [scale * (5 + c % 4) for c in range(1, n + 1)]
    vr_max = [scale * (220 + c % 30) for c in range(1, n + 1)]
    adjust_min = [scale * (80 + c % 10) for c in range(1, n + 1)]
    adjust_max = [scale * (160 + c % 20) for c in range(1, n + 1)]
    tables = [sensor_min, sensor_max, vr_min, vr_max, adjust_min, adjust_max]
    assert all(lo < hi for pair in (tables[0:2], tables[2:4], tables[4:6])
               for lo, hi in zip(*pair))
    return [v for table in tables for v in table]


def parameter_line(s):
    assert 1 <= s["n"] <= (60 if s["mode"] in FRAM_MODES else 85), s["system"]
    values = [s["ba"], s["system"], s["led"], s["sensor"], *s["motor"], s["stacker"],
              s["mode"], s["n"], s["finish"], *channel_tables(s), s["mask"]]
    assert len(values) == 11 + 6 * s["n"]
    return ",".join(str(v) for v in values)


def command_line(index, s):
    codes = [1 + 11 * index + 5 * j for j in range(CODE_COUNT)]
    assert 0 < min(codes) and max(codes) <= 255 and len(set(codes)) == CODE_COUNT
    return ",".join([s["ba"], s["system"]] + [str(c) for c in codes])


def report(s):
    """The version report as ba-script `recv` arguments."""
    text = s["text"]
    data = [b for w in s["words"] for b in (w >> 8, w & 0xFF)] + list(s["dips"])
    if s["layout"] == 1:
        assert len(text) == 9 and len(data) == 14, s["system"]
        head = '"&' + text + '"'
    else:
        data.append(ord(s["last"]))
        assert len(text) == 20 and len(data) == 7, s["system"]
        head = '"ZRN' + text + '"'
    return " ".join([head] + ["0x%02X" % b for b in data])


def interface_text(s):
    texts = dict(INTERFACES)
    text = s["text"]
    if s["layout"] == 1:
        return texts.get(text[3], "Unknowable")
    result = texts.get(text[7:9], "Unknowable")
    device2 = text[11:15]
    if device2 != "0000" and device2[:2] in texts:
        result += "+" + texts[device2[:2]]
    return result


README_HEAD = """\
# Sample configuration set

Fourteen invented bill-acceptor systems, one for every receive data mode, copied beside the
executables by the build. The files and this table are written by
`tools/samples/make_sample_set.py`, the pictures in `Picture/` by
`tools/samples/make_pictures.py` (both read `tools/samples/sample_systems.py`).

Each report below makes its system known: feed it to the tool, for example with
`ba-script --folder build` and the lines `wait 1100`, `recv <report>`, `wait 1700`,
`show StatusBar1`. Short reports are "&", 9 characters and 14 bytes (key, version, interface
code, then System, Device, Judge, Option, All ROM, User, DipSW2, DipSW1); long reports are
"ZRN", 20 characters (System, Device1, Device2, Judge) and 7 bytes (All ROM, User, DipSW2,
DipSW1, stacker "P" or "N").

Key "M" (versions 01-09, 10-29, 30-49) and key "VQX" (001-099, 100-199) are shared by
several systems. Lima's sensor picture `lima_sensor.jpg` is missing on purpose: the picture
box then shows its LED picture only.

"""


def readme():
    head = ["Key", "BA", "System", "Mode", "N", "Stacker", "LED mask", "Finish",
            "Report", "BA Interface"]
    rows = ["| " + " | ".join(head) + " |", "|" + "---|" * len(head)]
    for s in SYSTEMS:
        key = s["key"] + (" %s-%s" % s["multi"] if s["multi"] else "")
        cells = [key, s["ba"], s["system"], s["mode"], s["n"], s["stacker"], s["mask"],
                 s["finish"], "`%s`" % report(s), interface_text(s)]
        rows.append("| " + " | ".join(str(c) for c in cells) + " |")
    return README_HEAD + "\n".join(rows) + "\n"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
    assert set(range(11)) <= {s["mode"] for s in SYSTEMS}
    write_lines(os.path.join(folder, "SystemVersion.txt"), [system_line(s) for s in SYSTEMS])
    write_lines(os.path.join(folder, "ParameterSetup.txt"),
                [parameter_line(s) for s in SYSTEMS])
    write_lines(os.path.join(folder, "CommandSetup.txt"),
                [command_line(i, s) for i, s in enumerate(SYSTEMS)])
    write_lines(os.path.join(folder, "InterfaceVersion.txt"),
                ["%s,%s" % pair for pair in INTERFACES])
    with open(os.path.join(folder, "README.md"), "w", encoding="ascii", newline="\n") as f:
        f.write(readme())


if __name__ == "__main__":
    main()
