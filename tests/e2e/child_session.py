#!/usr/bin/python3
"""A child's practice session with the real program under X, with sound and a printer: the
screen is read through the accessibility tree as a screen reader reads it, answers are typed
with xdotool, the table is clicked where the screen reader says its cells are, and the
window is closed the way a window manager closes it. A second start, without a sound server,
shows the options as they were left.

Usage (inside with-cups, with-pulseaudio and with-desktop):
    child_session.py PROGRAM OUTPUT_FOLDER [--screen-reader]
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import wave

import pyatspi
from gi.repository import GLib
from Xlib import X, display as xdisplay, protocol

PROGRAM, OUTPUT = sys.argv[1], sys.argv[2]
# The spoken descriptions of exercises and results (see screen_reader_checks below).
SCREEN_READER = "--screen-reader" in sys.argv[3:]
CLIPS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "sound", "clips")
passed, failed, described = [0], [], []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if condition:
        passed[0] += 1
    else:
        failed.append(what)
    return condition


def wait(predicate, timeout=20.0):
    """The predicate's first true value, or None when the time is up. AT-SPI events are
    dispatched meanwhile."""
    end = time.time() + timeout
    while time.time() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            value = predicate()
            if value:
                return value
        except Exception:  # the tree may change under us while the program works
            pass
        time.sleep(0.05)
    return None


def need(predicate, what, timeout=20.0):
    value = wait(predicate, timeout)
    if not value:
        raise AssertionError("timed out waiting for " + what)
    return value


def walk(node):
    """The node and all below it, but not a table's cells."""
    yield node
    for i in range(0 if node.getRoleName() == "table" else node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def on_description(event):
    described.append((event.source.name, event.source.getRoleName(), event.source.description))


def right_answer(exercise):
    a, op, b = re.match(r"(\d+) (\S) (\d+) =$", exercise).groups()
    return {"\u00b7": int(a) * int(b), "\u00f7": int(a) // int(b), "+": int(a) + int(b),
            "-": int(a) - int(b)}[op]


def in_words(exercise):
    for sign, word in ((" \u00b7 ", " mal "), (" \u00f7 ", " geteilt durch "), (" + ", " plus "),
                       (" - ", " minus "), (" =", " gleich")):
        exercise = exercise.replace(sign, word)
    return exercise


def audible_seconds(samples):
    """From the first to the last clearly audible sample of unsigned 8-bit 22050 Hz audio."""
    loud = [i for i, s in enumerate(samples) if abs(s - 128) > 8]
    return (loud[-1] - loud[0]) / 22050 if loud else 0


class Trainer:
    """The running program, as a person sees and uses it."""

    def __init__(self, folder, env=None):
        self.log = open(os.path.join(folder, "program.log"), "w+")
        self.proc = subprocess.Popen([os.path.join(folder, "zahlwerk")], cwd=folder,
                                     stdout=self.log, stderr=subprocess.STDOUT,
                                     env=dict(os.environ, **(env or {})))
        self.app = need(self.application, "the program in the accessibility tree", 60)
        need(lambda: " =" in self.exercise(), "the first exercise")

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
            if app is not None and app.name == "zahlwerk" and app.childCount > 0:
                return app

    def output(self):
        self.log.seek(0)
        return self.log.read().strip()

    @property
    def wid(self):
        """The main window (its caption goes on after six blanks; message boxes' does not)."""
        return int(need(lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid), "--name",
             "^Zahlwerk Trainer      "], capture_output=True, text=True).stdout.split(),
            "the window")[0])

    def find(self, predicate):
        return next(n for n in walk(self.app) if predicate(n))

    def by_name(self, role, name):
        return self.find(lambda n: n.getRoleName() == role and n.name == name)

    def by_description(self, description):
        return self.find(lambda n: n.description == description)

    def exercise(self):
        return self.by_description("Aufgabe").name

    def statistics(self):
        return self.by_description("Statistik").name

    def results(self):
        return self.by_name("filler", "Ergebnisliste").description.splitlines()

    def table(self):
        return self.find(lambda n: n.getRoleName() == "table").queryTable()

    def checked(self, box):
        return self.by_name("check box", box).getState().contains(pyatspi.STATE_CHECKED)

    def click(self, node):
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), "click", "1"], check=True)

    def answer(self, number):
        before = self.statistics()
        subprocess.run(["xdotool", "windowfocus", "--sync", str(self.wid)], check=True)
        subprocess.run(["xdotool", "type", "--delay", "30", str(number)], check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        need(lambda: self.statistics() != before, "the answer booked")

    def close(self):
        """Closes the window as a window manager does (WM_DELETE_WINDOW) and returns the exit
        status, None when the program did not end."""
        d = xdisplay.Display()
        window = d.create_resource_object("window", self.wid)
        window.send_event(protocol.event.ClientMessage(
            window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
            data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        # A round trip before hanging up: a request still unread when its connection closes
        # may be dropped by the X server, and the close would never reach the program.
        d.sync()
        d.close()
        try:
            return self.proc.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            return None


def screen_reader_checks(t, answered):
    """Checks of the descriptions a screen reader speaks, run with --screen-reader:
    (a) after a right answer the answer box describes the new exercise in words, and says so
    with an accessible-description event; (b) the results list describes each judged answer
    as "<exercise in words> <answer>, richtig|falsch, <n> Sekunden"; (c) the large exercise
    label is not showing while the table is."""
    if not SCREEN_READER:
        return
    words = in_words(t.exercise())
    check(wait(lambda: ("Ergebnis", "text", words) in described and t.by_name(
        "text", "Ergebnis").description == words, 10), "(a) the answer box says " + words)
    lines = t.results()
    check(len(lines) == len(answered) and all(
        re.fullmatch(r"%s %s, %s, \d+ Sekunden" % (re.escape(in_words(e)), a,
                                                   "richtig" if ok else "falsch"), line)
        for line, (e, a, ok) in zip(lines, answered)), "(b) the results list reads %r" % lines)
    showing = [n for n in walk(t.app) if n.getRoleName() == "label" and
               n.name.startswith(t.exercise()) and n.getState().contains(pyatspi.STATE_SHOWING)]
    check(len(showing) == 1, "(c) the exercise is shown once beside the table")


def session(folder):
    t = Trainer(folder)
    pyatspi.Registry.registerEventListener(on_description,
                                           "object:property-change:accessible-description")
    # A right answer, heard whole on the sound server; then a wrong one.
    recording = open(os.path.join(OUTPUT, "heard.u8"), "wb")
    recorder = subprocess.Popen(["parec", "-d", "nullsink.monitor", "--raw", "--format=u8",
                                 "--rate=22050", "--channels=1", "--latency-msec=20"],
                                stdout=recording)
    need(lambda: os.path.getsize(recording.name) > 2000, "the recorder")
    with wave.open(os.path.join(CLIPS, "YES_01.wav")) as clip:
        praise = audible_seconds(clip.readframes(clip.getnframes()))
    first = t.exercise()
    t.answer(right_answer(first))
    answered = [(first, right_answer(first), True)]
    check(t.statistics().endswith("100% richtige Antworten"), "the first answer is right")
    check(t.exercise() != first or right_answer(first) == right_answer(t.exercise()),
          "a new exercise follows a right answer")
    screen_reader_checks(t, answered)
    heard = wait(lambda: audible_seconds(open(recording.name, "rb").read()) >= praise - 0.05, 10)
    recorder.send_signal(signal.SIGINT)
    recorder.wait(timeout=10)
    check(heard, "the praise is heard whole (%.2f s)" % praise)
    second = t.exercise()
    t.answer(right_answer(second) + 1)
    answered.append((second, right_answer(second) + 1, False))
    check(t.statistics().startswith("2 gestellte Aufgaben") and
          t.statistics().endswith("50% richtige Antworten"), "two exercises posed, one right")
    check(t.exercise() == second, "a wrong answer keeps the exercise")
    check(len(t.results()) == 2, "the results list reads two lines")

    # The series of 7 from the header row.
    table = t.table()
    check(table.nRows == 11 and table.nColumns == 11, "an 11 x 11 table")
    cell = lambda r, c: int(table.getAccessibleAt(r, c).name)
    check(all(cell(r, c) == cell(r, 0) * cell(0, c) for r in range(1, 11) for c in range(1, 11)),
          "every product is the product of its two headers")
    def in_series(e):
        a, b = (int(n) for n in re.findall(r"\d+", e))
        return 7 in (a, b) or ("\u00f7" in e and a // b == 7)
    t.click(table.getAccessibleAt(0, 7))
    wait(lambda: in_series(t.exercise()))
    for _ in range(5):  # then a multiplication, whose product is in the table
        e = t.exercise()
        check(in_series(e), "in the series of 7: " + e)
        t.answer(right_answer(e))
        answered.append((e, right_answer(e), True))
        screen_reader_checks(t, answered)
    subprocess.run(["import", "-window", "root", "-crop", "852x538+0+0",
                    os.path.join(OUTPUT, "series7.png")])

    # A click on the product answers.
    e = t.exercise()
    wanted = str(right_answer(e))
    cells = [table.getAccessibleAt(r, c) for r in range(1, 11) for c in range(1, 11)]
    t.click(next(c for c in cells if c.name == wanted))
    check(wait(lambda: len(t.results()) == len(answered) + 1), "a click on %s answers" % wanted)

    # The corner clears the series; the up arrow gives 11 and a 12 x 12 table.
    t.click(table.getAccessibleAt(0, 0))
    t.click(t.by_name("image", "max. bis erhöhen"))
    check(wait(lambda: t.by_description("max. bis").name == "11" and t.table().nRows == 12),
          "the up arrow gives 11 and a 12 x 12 table")

    # Both printouts through the print spooler, each after its confirmation.
    pdf_dir = os.environ["ZW_CUPS_PDF_DIR"]
    for symbol, expected in (("Ergebnisliste drucken", ["%s %d" % answered[0][:2],
                                                        t.statistics().splitlines()[-1],
                                                        "Konzentriertes Üben : 0 Minuten"]),
                             ("1x1-Tabelle drucken", ["Zahlwerk Trainer"])):
        before = set(os.listdir(pdf_dir)) if os.path.isdir(pdf_dir) else set()
        t.click(t.by_name("image", symbol))
        box = need(lambda: next(c for c in (t.app.getChildAtIndex(i) for i in
                                            range(t.app.childCount))
                                if c.getRoleName() in ("dialog", "alert")), "the confirmation")
        check(box.name == symbol, "the confirmation is titled " + symbol)
        subprocess.run(["xdotool", "key", "--clearmodifiers", "Return"], check=True)
        path = os.path.join(pdf_dir, need(lambda: [f for f in os.listdir(pdf_dir)
                                                   if f not in before and f.endswith(".pdf")],
                                          "the printed PDF", 60)[0])
        text = need(lambda: subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True,
                                           text=True).stdout, "the PDF's text")
        check(all(x.replace(" ", "") in text.replace(" ", "") for x in expected),
              "the %s printout shows %r" % (symbol, expected))
        os.remove(path)

    # The options a parent sets: the bound down to 7, "ohne 1" and "Division" on, sound off.
    for _ in range(4):
        t.click(t.by_name("image", "max. bis verringern"))
    for box in ("ohne 1", "Division", "Ergebnis mit Sound"):
        t.click(t.by_name("check box", box))
    check(wait(lambda: t.table().nRows == 7 and t.checked("ohne 1") and t.checked("Division")
               and not t.checked("Ergebnis mit Sound")), "bound 7, ohne 1, Division, no sound")
    check(t.close() == 0, "the program ends cleanly when its window is closed")
    with open(os.path.join(folder, "zahlwerk.ini"), "rb") as f:
        content = f.read()
    check(content == b"MaxNum = 7\r\nCalcMode = 1\r\nSound = 0\r\nShowTable = 1\r\n"
          b"Without1 = 1\r\n", "the settings file holds the options: %r" % content)

    # The next start, without any sound server: as left, and silent about the missing sound.
    t = Trainer(folder, env={"PULSE_SERVER": "unix:/nonexistent/pulse"})
    check(t.by_description("max. bis").name == "7" and t.table().getAccessibleAt(0, 1).name == "2"
          and t.checked("ohne 1") and t.checked("Division") and not t.checked("Ergebnis mit Sound")
          and t.checked("Tabelle anzeigen"), "the next start shows the options as they were left")
    t.click(t.by_name("check box", "Ergebnis mit Sound"))
    need(lambda: t.checked("Ergebnis mit Sound"), "the sound on")
    t.answer(right_answer(t.exercise()))
    check(t.close() == 0, "the second run ends cleanly")
    check(t.output() == "", "nothing on the terminal: %r" % t.output())


os.makedirs(OUTPUT, exist_ok=True)
work = tempfile.mkdtemp()
shutil.copy(PROGRAM, work)
try:
    session(work)
except Exception as e:  # a hang or a crash: the run ends here, counted as a failure
    check(False, "the session ran to its end: %r" % e)
finally:
    log = os.path.join(work, "program.log")
    if failed and os.path.exists(log):
        print("program output:\n" + open(log).read())
    shutil.rmtree(work, ignore_errors=True)
if not SCREEN_READER:
    print("screen-reader checks (a) to (c) not run: pass --screen-reader")
print("%d passed, %d failed" % (passed[0], len(failed)))
sys.exit(1 if failed or not passed[0] else 0)
