"""The sample systems of data/: one entry per system line, shared by make_sample_set.py
(the four configuration files and data/README.md) and make_pictures.py (data/Picture/).

Short systems report "&" + 9 characters + 14 bytes: the text is key (1), version (2),
interface code (1) and 5 free characters. Long systems report "ZRN" + 20 characters + 7
bytes: the text is system (key 3, "-", version 3), Device1 (4), Device2 (4), Judge (5).
"""

# LED colours of the pictures' legends.
RED, GREEN, BLUE = (220, 30, 30), (20, 170, 40), (30, 80, 230)
ORANGE, YELLOW, WHITE = (245, 140, 0), (240, 210, 0), (255, 255, 255)

# LEDs of a front view: (legend, colour, x, y) with x, y in 0..1 of the device outline.
STATUS_LEDS = [("STATUS", GREEN, 0.20, 0.12), ("FISH", YELLOW, 0.80, 0.12)]
MASK_LEDS = [("RED", RED, 0.30, 0.88), ("GREEN", GREEN, 0.45, 0.88),
             ("BLUE", BLUE, 0.60, 0.88), ("ZRN", ORANGE, 0.75, 0.88)]
BEZEL_LEDS = [("BEZEL", WHITE, 0.10, 0.40), ("BEZEL", WHITE, 0.90, 0.40)]


def short(ba, system, key, version, iface, tail, mode, n, stacker, mask, led, sensor,
          multi=None, finish=0, motor=(180, 220), leds=None, rows=None, words=None):
    """A system that sends the short report; `multi` is (min, max) for a shared key."""
    return dict(layout=1, ba=ba, system=system, key=key, multi=multi, mode=mode, n=n,
                stacker=stacker, mask=mask, finish=finish, motor=motor, led=led,
                sensor=sensor, leds=leds or STATUS_LEDS + (MASK_LEDS if mask else []),
                rows=rows, text=key + version + iface + tail,
                words=words or [0x012A, 0x0003, 0x1000, 0x0000, 0xABCD, 0x1234],
                dips=(0x80, 0x01))


def long(ba, system, key, version, device1, device2, mode, n, stacker, mask, led, sensor,
         multi=None, finish=0, motor=(180, 220), leds=None, rows=None, judge="JD001"):
    """A system that sends the long report; byte 27 tells whether a stacker is fitted."""
    return dict(layout=2, ba=ba, system=system, key=key, multi=multi, mode=mode, n=n,
                stacker=stacker, mask=mask, finish=finish, motor=motor, led=led,
                sensor=sensor, leds=leds or STATUS_LEDS + BEZEL_LEDS + (MASK_LEDS if mask else []),
                rows=rows, text=key + "-" + version + device1 + device2 + judge,
                words=[0x5A3C, 0x0102], dips=(0x00, 0x81), last="P" if stacker else "N")


SYSTEMS = [
    short("Alpha", "ZD-100", "A", "12", "1", "ALPHA", mode=0, n=8, stacker=1, mask=0,
          led="alpha_led.bmp", sensor="alpha_sensor.png", rows=[4, 4]),
    short("Bravo", "KX-200", "K", "20", "2", "BRAVO", mode=1, n=5, stacker=0, mask=0,
          led="bravo_led.bmp", sensor="bravo_sensor.png", rows=[3, 2],
          words=[0x0210, 0x0001, 0x2000, 0x0001, 0x1F2E, 0x0000]),
    short("Charlie", "NX-300", "N", "31", "3", "NX300", mode=2, n=6, stacker=0, mask=1,
          led="charlie_led.png", sensor="charlie_sensor.png", rows=[3, 3],
          words=[0x0311, 0x0002, 0x3000, 0x0002, 0x7788, 0x0001]),
    # One key, three systems: the version number decides.
    short("Delta", "MT-N", "M", "09", "1", "MTN06", mode=3, n=6, stacker=1, mask=0,
          multi=("01", "09"), led="delta_led.png", sensor="mt_sensor6.png", rows=[2, 2, 2],
          words=[0x0409, 0x0003, 0x4000, 0x0000, 0x0A0B, 0x0C0D]),
    short("Echo", "MT-NN", "M", "10", "4", "MTNN6", mode=4, n=6, stacker=1, mask=1,
          multi=("10", "29"), led="echo_led.png", sensor="mt_sensor6.png", rows=[2, 2, 2],
          words=[0x0410, 0x0004, 0x4100, 0x0000, 0x1A1B, 0x1C1D]),
    short("Foxtrot", "NS-16", "M", "49", "2", "NS016", mode=5, n=16, stacker=0, mask=1,
          multi=("30", "49"), finish=1, led="foxtrot_led.png", sensor="foxtrot_sensor.png",
          rows=[8, 8], words=[0x0549, 0x0005, 0x5000, 0x0010, 0x2A2B, 0x2C2D]),
    long("Golf", "NS-Wide", "NSW", "105", "2101", "3101", mode=5, n=85, stacker=1, mask=0,
         led="golf_led.png", sensor="golf_sensor.png"),
    long("Hotel", "Q48", "Q48", "210", "1201", "3402", mode=6, n=12, stacker=1, mask=1,
         finish=1, led="hotel_led.png", sensor="hotel_sensor.png", rows=[6, 6]),
    long("India", "VQ Plus", "VQP", "300", "1202", "0000", mode=7, n=16, stacker=1, mask=1,
         led="india_led.png", sensor="india_sensor.png", rows=[8, 8]),
    long("Juliett", "W60", "W60", "060", "1401", "3403", mode=8, n=8, stacker=0, mask=0,
         finish=1, led="juliett_led.png", sensor="juliett_sensor.png", rows=[4, 4]),
    long("Kilo", "W65", "W65", "065", "1402", "3501", mode=9, n=60, stacker=1, mask=1,
         led="kilo_led.png", sensor="kilo_sensor.png"),
    # Its sensor picture is not in Picture/: the picture box shows the LED picture only.
    long("Lima", "J30", "J30", "030", "1601", "0000", mode=10, n=5, stacker=0, mask=0,
         led="lima_led.png", sensor="lima_sensor.jpg", rows=[5]),
    # One long key, two systems told apart by the version number.
    long("Mike", "VQ Mini", "VQX", "099", "1203", "3404", mode=7, n=12, stacker=1, mask=1,
         multi=("001", "099"), led="vqx_led.png", sensor="mike_sensor.png", rows=[6, 6]),
    long("November", "VQ Maxi", "VQX", "100", "1204", "3405", mode=10, n=13, stacker=0, mask=1,
         multi=("100", "199"), led="vqx_led.png", sensor="november_sensor.png",
         rows=[5, 4, 4]),
]

# Pictures named by a profile but deliberately left out of Picture/.
MISSING_PICTURES = {"lima_sensor.jpg"}

# InterfaceVersion.txt: 1-character codes for short systems, 2-character ones for long.
INTERFACES = [
    ("1", "Serial RS-232"),
    ("2", "Pulse"),
    ("3", "Parallel"),
    ("4", "Serial TTL"),
    ("12", "Serial RS-232 V1.2"),
    ("14", "Serial TTL V1.4"),
    ("16", "USB CDC V1.6"),
    ("21", "Pulse V2.1"),
    ("31", "Parallel V3.1"),
    ("34", "Pulse V3.4"),
    ("35", "Current Loop V3.5"),
]
