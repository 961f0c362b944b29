#!/usr/bin/env python3
"""Plays the shipped multimeter "Multimeter (sendet selbst)" on a pseudo-terminal.

The meter of data/Multimeter.ger sends by itself, twice a second, a record of
14 characters: "DC", the sign, the value in six characters, a blank, the unit
in three and CR, for example "DC  1.234 V  \\r". The value here swings
between 0.2 V and 1.8 V once every 20 seconds.

    scripts/multimeter.py              prints the terminal's path, plays until stopped
    scripts/multimeter.py COMMAND...   runs COMMAND with every COM port of the
                                       program (PELVARON_COM1 .. PELVARON_COM10)
                                       on the terminal; ends when COMMAND ends

For example `scripts/multimeter.py make run`.
"""

import math
import os
import pty
import signal
import subprocess
import sys
import threading
import time
import tty

ABSTAND = 0.5  # seconds between two records
PERIODE = 20.0  # seconds of one swing


def datensatz(t):
    wert = 1.0 + 0.8 * math.sin(2 * math.pi * t / PERIODE)
    vorzeichen = "-" if wert < 0 else " "
    return ("DC" + vorzeichen + "%6.3f" % abs(wert) + " " + "V  " + "\r").encode("ascii")


def spielen(master, ende):
    """Sends a record every ABSTAND seconds until `ende` is set. What the
    program sends is read and dropped; while nobody reads the terminal, the
    records that do not fit are lost, as with a meter on an open line."""
    start = time.monotonic()
    while not ende.is_set():
        try:
            os.write(master, datensatz(time.monotonic() - start))
        except BlockingIOError:
            pass
        try:
            os.read(master, 4096)
        except (BlockingIOError, OSError):
            pass
        ende.wait(ABSTAND)


def main():
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    master, slave = pty.openpty()
    tty.setraw(slave)  # bytes pass unchanged, also before the program opens it
    os.set_blocking(master, False)
    pfad = os.ttyname(slave)
    ende = threading.Event()
    if len(sys.argv) < 2:
        print(pfad, flush=True)
        spielen(master, ende)
        return 0
    umgebung = dict(os.environ)
    for n in range(1, 11):
        umgebung["PELVARON_COM%d" % n] = pfad
    print("Multimeter auf %s (COM 1 bis COM 10)" % pfad, file=sys.stderr, flush=True)
    spieler = threading.Thread(target=spielen, args=(master, ende), daemon=True)
    spieler.start()
    try:
        return subprocess.call(sys.argv[1:], env=umgebung)
    finally:
        ende.set()


if __name__ == "__main__":
    sys.exit(main())
