#!/usr/bin/env python3
"""Presses keys through the window as a blind user does and checks what the screen
reader Orca speaks, step by step: every field with its label, its value and its
unit, every drop-down list with its choice (also when the arrow keys change it),
the date and the time field one Tab stop each; in German, then in English.

Runs inside a display and a session bus of its own (check-screen-reader.sh).
Orca writes its record of events and spoken lines to a terminal here: to a
terminal it writes line by line, to a file only in blocks, so the spoken lines are
read as they come and each step waits for its own.

Usage: screen-reader-walk.py PROGRAM RECORD_FOLDER
"""
import os
import pty
import re
import signal
import subprocess
import sys
import threading
import time
import tty

STEP_TIMEOUT = 30  # seconds; a step normally takes well under one
TIME = r"\d\d:\d\d:\d\d"


def said(text):
    """A spoken line, word for word."""
    return re.escape(text)


# The walk: the keys pressed, then the lines Orca must speak for them, in this
# order (other lines, such as the echo of the key, may come in between). Orca
# ends a spoken part with a full stop. The window starts in German, with the
# focus on the time field.
GERMAN = [
    (None, [r"Ternu Einstellungswerkzeug \(Vers\. [\d.]+\) frame\.", said("Zeit & Datum panel."),
            rf"Zeit {TIME} spin button\.", said("(hh:mm:ss)")]),
    ("Tab", [r"Datum \S.* spin button\."]),
    ("Tab", [said("PC Zeit & Datum autom. zuweisen check box checked.")]),
    ("Tab", [said("Person panel."), said("Geschlecht combo box."), said("männlich.")]),
    ("Down", [said("weiblich.")]),
    ("Up", [said("männlich.")]),
    ("Tab", [said("Gewicht 80 spin button."), said("kg.")]),
    ("Tab", [said("Fahrrad1 panel."), said("Odo 0 spin button."), said("km.")]),
    ("Tab", [said("Radgröße 2130 spin button."), said("mm.")]),
    ("Tab", [said("Fahrrad2 panel."), said("Odo 0 spin button."), said("km.")]),
    ("Tab", [said("Radgröße 2048 spin button."), said("mm.")]),
    ("Tab", [said("Stoppuhr panel."), said("Modus combo box."), said("Man. Modus.")]),
    ("Down", [said("Auto Distanz.")]),
    ("Tab", [said("Auto Distanz 2.00 spin button."), said("km.")]),
    ("Tab", [said("Herzfrequenz Limits panel."), said("Obere 150 spin button."), said("bpm.")]),
    ("Tab", [said("Untere 130 spin button."), said("bpm.")]),
    ("Tab", [said("Rekorder Samplerate panel."), said("Rekorder Samplerate."), said("20 Sec."),
             said("selected radio button")]),
    ("Tab", [said("Höhe panel."), said("Heimhöhe 0 spin button."), r"\s*m\."]),
    ("Tab", [said("Einheiten panel."), said("Geschw. panel."), said("Geschw."), said("km/h."),
             said("selected radio button")]),
    ("Tab", [said("Gewicht panel."), said("Gewicht."), said("kg."), said("selected radio button")]),
    ("Tab", [said("Temperatur panel."), said("Temperatur."), said("°C."), said("selected radio button")]),
    ("Tab", [said("Zeit panel."), said("Zeit."), said("24h."), said("selected radio button")]),
    ("Tab", [said("metric/imp. push button.")]),
    ("Tab", [said("Mausklick zum Testen Verbindung. push button.")]),
    ("Tab", [said("Einst. übertragen push button.")]),
    ("Tab", [said("Speicher löschen push button.")]),
    ("Tab", [said("Schließen push button.")]),
    ("Tab", [said("Sprache combo box."), said("German.")]),
    # The first letter chooses English in the language box, which switches at once.
    ("e", [said("English.")]),
]

ENGLISH = [
    ("Tab", [said("Time & Date panel."), rf"Time {TIME} spin button\.", said("(hh:mm:ss)")]),
    ("Tab", [r"Date \S.* spin button\."]),
    ("Tab", [said("Auto assign PC Time & Date check box checked.")]),
    ("Tab", [said("Person panel."), said("Sex combo box."), said("male.")]),
    ("Down", [said("female.")]),
    ("Tab", [said("Weight 80 spin button."), said("kg.")]),
    ("Tab", [said("Bike1 panel."), said("Odo 0 spin button."), said("km.")]),
    ("Tab", [said("Wheelsize 2130 spin button."), said("mm.")]),
    ("Tab", [said("Bike2 panel."), said("Odo 0 spin button."), said("km.")]),
    ("Tab", [said("Wheelsize 2048 spin button."), said("mm.")]),
    ("Tab", [said("Stoppwatch panel."), said("Mode combo box."), said("Auto Distance.")]),
    ("Down", [said("Auto Time.")]),
    ("Tab", [said("Auto Time 02:00 spin button."), said("hh:mm.")]),
    ("Tab", [said("Heartrate Limits panel."), said("Upper 150 spin button."), said("bpm.")]),
    ("Tab", [said("Lower 130 spin button."), said("bpm.")]),
    ("Tab", [said("Recorder Samplerate panel."), said("Recorder Samplerate."), said("20 Sec."),
             said("selected radio button")]),
    ("Tab", [said("Altitude panel."), said("Home Alt 0 spin button."), r"\s*m\."]),
    ("Tab", [said("Units panel."), said("Speed panel."), said("Speed."), said("km/h."),
             said("selected radio button")]),
    ("Tab", [said("Weight panel."), said("Weight."), said("kg."), said("selected radio button")]),
    ("Tab", [said("Temperature panel."), said("Temperature."), said("°C."), said("selected radio button")]),
    ("Tab", [said("Time panel."), said("Time."), said("24h."), said("selected radio button")]),
    ("Tab", [said("metric/imp. push button.")]),
    ("Tab", [said("Click here to test Connection. push button.")]),
    ("Tab", [said("Transfer Settings push button.")]),
    ("Tab", [said("Clear Memory push button.")]),
    ("Tab", [said("Close push button.")]),
    ("Tab", [said("Language combo box."), said("English.")]),
]


class StepFailed(Exception):
    pass


class OrcaRecord:
    """Orca's debug record, read from the terminal it writes to."""

    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'(?:\s*\{.*\})?\s*$")

    def __init__(self, record_path):
        self.master, self.slave = pty.openpty()
        tty.setraw(self.slave)  # the lines as written, without echo or added returns
        self.path = os.ttyname(self.slave)
        self.spoken = []
        self.changed = threading.Condition()
        self.file = open(record_path, "wb")
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return
            if not chunk:
                return
            self.file.write(chunk)
            self.file.flush()
            *lines, pending = (pending + chunk).split(b"\n")
            new = []
            for line in lines:
                match = self.SPOKEN.search(line.decode("utf-8", "replace").rstrip("\r"))
                if match:
                    new.append(match.group(1))
            if new:
                with self.changed:
                    self.spoken.extend(new)
                    self.changed.notify_all()

    def count(self):
        with self.changed:
            return len(self.spoken)

    def expect(self, start, patterns, timeout=STEP_TIMEOUT):
        """Waits until the lines spoken since start hold the patterns in order."""
        deadline = time.monotonic() + timeout
        with self.changed:
            while not self._holds(start, patterns):
                left = deadline - time.monotonic()
                if left <= 0:
                    raise StepFailed("expected, in this order:\n  " + "\n  ".join(patterns)
                                     + "\nspoken:\n  " + "\n  ".join(self.spoken[start:]))
                self.changed.wait(left)

    def _holds(self, start, patterns):
        wanted = iter(patterns)
        pattern = next(wanted, None)
        for line in self.spoken[start:]:
            if pattern is None:
                break
            if re.fullmatch(pattern, line):
                pattern = next(wanted, None)
        return pattern is None


def run(*command, **kwargs):
    return subprocess.run(command, check=True, timeout=60, **kwargs)


def enable_accessibility_bus():
    # Asking for its address starts the accessibility bus; toolkits then see it on.
    bus = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus"]
    run(*bus, "org.a11y.Bus.GetAddress", stdout=subprocess.DEVNULL)
    run(*bus, "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
        "variant:boolean:true", stdout=subprocess.DEVNULL)


def walk(record, steps, transcript, start=None):
    """Presses the keys of each step and waits for its lines; a first step without
    keys takes what was spoken since start."""
    for keys, patterns in steps:
        if keys or start is None:
            start = record.count()
        if keys:
            run("xdotool", "key", "--clearmodifiers", keys)
        try:
            record.expect(start, patterns)
        finally:
            with record.changed:
                transcript.append((keys or "(start)", record.spoken[start:]))


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def main():
    program, folder = sys.argv[1], sys.argv[2]
    enable_accessibility_bus()
    record = OrcaRecord(os.path.join(folder, "orca-record.txt"))
    log = open(os.path.join(folder, "programs.log"), "wb")
    orca = subprocess.Popen(["orca", "--replace", "--debug-file=" + record.path], stdout=log, stderr=log)
    window = None
    transcript = []
    failed = None
    try:
        record.expect(0, [said("Screen reader on.")], timeout=60)
        start = record.count()
        window = subprocess.Popen([program], env=dict(os.environ, QT_QPA_PLATFORM="xcb"), stdout=log,
                                  stderr=log)
        # No window manager gives the window the keyboard: it is given by hand.
        found = run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^Ternu ",
                    capture_output=True, text=True).stdout.split()
        run("xdotool", "windowfocus", "--sync", found[0])
        walk(record, GERMAN, transcript, start)
        walk(record, ENGLISH, transcript)
    except (StepFailed, subprocess.SubprocessError) as error:
        failed = error
    finally:
        if window:
            stop(window)
        stop(orca)

    with open(os.path.join(folder, "spoken.txt"), "w", encoding="utf-8") as out:
        for keys, lines in transcript:
            out.write(f"[{keys}]\n" + "".join(f"  {line}\n" for line in lines))
    with open(os.path.join(folder, "spoken.txt"), encoding="utf-8") as out:
        sys.stdout.write(out.read())
    if failed:
        step = transcript[-1][0] if transcript else "(before the window)"
        print(f"FAIL at [{step}]: {failed}")
        return 1
    print(f"OK: {len(transcript)} steps spoken as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
