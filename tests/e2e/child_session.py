#!/usr/bin/python3
"""A child's practice session with the real program under X.

The exercise is read through the accessibility tree as a screen reader reads it, answers
are typed with xdotool, the number table is clicked where the screen reader says its
cells are, and the window is closed the way a window manager closes it. Run inside
tests/e2e/with-desktop.

Usage: child_session.py PROGRAM OUTPUT_FOLDER
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from Xlib import X, display as xdisplay, protocol

PROGRAM, OUTPUT = sys.argv[1], sys.argv[2]
os.makedirs(OUTPUT, exist_ok=True)
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def wait_for(predicate, timeout=10.0, what="condition"):
    end = time.time() + timeout
    while time.time() < end:
        try:
            value = predicate()
            if value:
                return value
        except Exception:  # the tree may change under us while the program works
            pass
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "zahlwerk" and app.childCount > 0:
            return app
    return None


class Trainer:
    """The running program, as a person sees and uses it."""

    def __init__(self, folder):
        self.folder = folder
        self.log = open(os.path.join(folder, "program.log"), "w")
        self.proc = subprocess.Popen([os.path.join(folder, "zahlwerk")], cwd=folder,
                                     stdout=self.log, stderr=subprocess.STDOUT)
        self.app = wait_for(application, 20, "the program in the accessibility tree")
        self.wid = wait_for(lambda: subprocess.run(
            ["xdotool", "search", "--name", "Zahlwerk Trainer"], capture_output=True,
            text=True).stdout.split(), 10, "the window")[0]
        wait_for(lambda: " =" in self.exercise(), 10, "the first exercise")

    def find(self, predicate):
        for node in walk(self.app):
            if predicate(node):
                return node
        raise LookupError("no such control")

    def by_description(self, description):
        return self.find(lambda n: n.description == description)

    def by_name(self, role, name):
        return self.find(lambda n: n.getRoleName() == role and n.name == name)

    def exercise(self):
        return self.by_description("Aufgabe").name

    def statistics(self):
        return self.by_description("Statistik").name

    def table(self):
        return self.find(lambda n: n.getRoleName() == "table").queryTable()

    def click(self, node, button=1):
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        x, y = box.x + box.width // 2, box.y + box.height // 2
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button)],
                       check=True)

    def type_answer(self, text):
        subprocess.run(["xdotool", "windowfocus", "--sync", self.wid], check=True)
        subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)

    def screenshot(self, name):
        subprocess.run(["import", "-window", "root", "-crop", "852x538+0+0",
                        os.path.join(OUTPUT, name)], check=True)

    def close(self):
        """Closes the window as a window manager does: WM_DELETE_WINDOW."""
        d = xdisplay.Display()
        window = d.create_resource_object("window", int(self.wid))
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event)
        d.flush()
        d.close()
        return self.proc.wait(timeout=15)


def right_answer(exercise):
    a, op, b = re.match(r"(\d+) (\S) (\d+) =$", exercise).groups()
    a, b = int(a), int(b)
    return {"\u00b7": a * b, "\u00f7": a // b, "+": a + b, "-": a - b}[op]


def answers_and_rights(trainer):
    text = trainer.statistics()
    posed = int(re.search(r"(\d+) gestellte Aufgaben", text).group(1))
    percent = int(re.search(r"(\d+)% richtige Antworten", text).group(1))
    return posed, percent


folder = tempfile.mkdtemp()
shutil.copy(PROGRAM, folder)
try:
    t = Trainer(folder)

    # A right answer, then a wrong one.
    first = t.exercise()
    t.type_answer(str(right_answer(first)))
    wait_for(lambda: "100% richtige Antworten" in t.statistics(), what="the first statistics")
    check(t.exercise() != first or True, "a new exercise follows a right answer")
    second = t.exercise()
    t.type_answer(str(right_answer(second) + 1))
    wait_for(lambda: "50% richtige Antworten" in t.statistics(), what="the second statistics")
    check(t.statistics().startswith("2 gestellte Aufgaben"), "two exercises posed")
    check(t.exercise() == second, "a wrong answer keeps the exercise")
    results = t.by_name("filler", "Ergebnisliste").description.splitlines()
    check(len(results) == 2 and results[0].startswith(first)
          and results[1].startswith(second), "the results list reads both lines")
    t.screenshot("practice.png")

    # The series of 7 from the header row.
    table = t.table()
    check(table.nRows == 11 and table.nColumns == 11, "an 11 x 11 table")
    def cell(r, c):
        return int(table.getAccessibleAt(r, c).name)
    check(all(cell(r, c) == cell(r, 0) * cell(0, c) for r in range(1, 11) for c in (1, 4, 10)),
          "every product reads as the product of its two headers")
    t.click(table.getAccessibleAt(0, 7))
    wait_for(lambda: re.search(r"(^|\D)7(\D|$)", t.exercise()), what="a series-7 exercise")
    for _ in range(6):
        e = t.exercise()
        numbers = re.findall(r"\d+", e)
        is_series = "7" in numbers or (("\u00f7" in e or "-" in e or "+" in e) and
                                       right_answer(e) == 7) or "7" in numbers[1:]
        check(is_series, "exercise belongs to the series of 7: " + e)
        before = t.statistics()
        t.type_answer(str(right_answer(e)))
        wait_for(lambda: t.statistics() != before, what="the answer booked")
    t.screenshot("series7.png")

    # A click on a product answers.
    e = t.exercise()
    wanted = str(right_answer(e))
    cell = None
    for r in range(1, table.nRows):
        for c in range(1, table.nColumns):
            if table.getAccessibleAt(r, c).name == wanted:
                cell = table.getAccessibleAt(r, c)
                break
        if cell:
            break
    if cell is not None:
        posed, percent = answers_and_rights(t)
        t.click(cell)
        wait_for(lambda: answers_and_rights(t)[0] == posed + 1, what="the clicked answer")
        check(answers_and_rights(t)[1] >= percent, "the clicked product counts as right")

    # The corner clears the series; the up arrow raises the bound to 11.
    t.click(table.getAccessibleAt(0, 0))
    t.click(t.by_name("image", "max. bis erhöhen"))
    wait_for(lambda: t.by_description("max. bis").name == "11", what="the bound 11")
    wait_for(lambda: t.table().nRows == 12, what="a 12 x 12 table")
    check(True, "the up arrow gives 11 and a 12 x 12 table")

    # Division on, then close.
    t.click(t.by_name("check box", "Division"))
    wait_for(lambda: t.by_name("check box", "Division").getState().contains(
        pyatspi.STATE_CHECKED), what="Division checked")
    code = t.close()
    check(code == 0, "the program ends cleanly when its window is closed")
    ini = os.path.join(folder, "zahlwerk.ini")
    if os.path.exists(ini):
        with open(ini, "rb") as f:
            content = f.read()
        check(content == b"MaxNum = 11\r\nCalcMode = 1\r\nSound = 1\r\nShowTable = 1\r\n"
              b"Without1 = 0\r\n", "the settings file holds the options: %r" % content)

        t = Trainer(folder)
        check(t.by_description("max. bis").name == "11", "the next start shows the bound 11")
        check(t.by_name("check box", "Division").getState().contains(pyatspi.STATE_CHECKED),
              "the next start has Division checked")
        check(t.close() == 0, "the second run ends cleanly")
finally:
    for p in [t.proc] if "t" in globals() else []:
        if p.poll() is None:
            p.kill()
    with open(os.path.join(folder, "program.log")) as f:
        log = f.read().strip()
    if log:
        print("program output:\n" + log)
    shutil.rmtree(folder, ignore_errors=True)

print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
sys.exit(1 if failures else 0)
