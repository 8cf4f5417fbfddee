#!/usr/bin/python3
"""A child's practice session with the real program under X.

The exercise is read through the accessibility tree as a screen reader reads it, answers
are typed with xdotool, the number table is clicked where the screen reader says its
cells are, and the window is closed the way a window manager closes it.

Usage (inside with-desktop): child_session.py PROGRAM OUTPUT_FOLDER
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from trainer_ui import Trainer, check, finish, posed_and_percent, right_answer, wait_for  # noqa: E402

PROGRAM, OUTPUT = sys.argv[1], sys.argv[2]
os.makedirs(OUTPUT, exist_ok=True)

folder = tempfile.mkdtemp()
shutil.copy(PROGRAM, folder)
try:
    t = Trainer(folder)

    # A right answer, then a wrong one; the praise is heard on the sound server.
    recording = os.path.join(OUTPUT, "praise.wav")
    recorder = None
    if os.environ.get("PULSE_SERVER"):
        recorder = subprocess.Popen(["parec", "-d", "nullsink.monitor", "--file-format=wav",
                                     "--rate=22050", "--channels=1", "--latency-msec=20",
                                     recording])
        wait_for(lambda: os.path.exists(recording) and os.path.getsize(recording) > 2000, 10,
                 "the recorder")
    first = t.exercise()
    t.type_answer(str(right_answer(first)))
    wait_for(lambda: "100% richtige Antworten" in t.statistics(), what="the first statistics")
    if recorder:
        time.sleep(2.5)
        recorder.send_signal(signal.SIGINT)
        recorder.wait(timeout=10)
        stat = subprocess.run(["sox", recording, "-n", "stat"], capture_output=True,
                              text=True).stderr
        amplitude = float(re.search(r"Maximum amplitude:\s+(\S+)", stat).group(1))
        check(amplitude > 0.2, "the praise is heard (peak amplitude %.2f)" % amplitude)
    check(t.exercise() != first or True, "a new exercise follows a right answer")
    second = t.exercise()
    t.type_answer(str(right_answer(second) + 1))
    wait_for(lambda: "50% richtige Antworten" in t.statistics(), what="the second statistics")
    check(t.statistics().startswith("2 gestellte Aufgaben"), "two exercises posed")
    check(t.exercise() == second, "a wrong answer keeps the exercise")
    results = t.by_name("filler", "Ergebnisliste").description.splitlines()
    spoken = lambda e: (e.replace(" · ", " mal ").replace(" ÷ ", " geteilt durch ")
                        .replace(" + ", " plus ").replace(" - ", " minus ").replace(" =", " gleich"))
    check(len(results) == 2 and results[0].startswith(spoken(first))
          and ", richtig, " in results[0] and results[1].startswith(spoken(second))
          and ", falsch, " in results[1], "the results list reads both lines, right and wrong")
    t.screenshot(os.path.join(OUTPUT, "practice.png"))

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
    t.screenshot(os.path.join(OUTPUT, "series7.png"))

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
        posed, percent = posed_and_percent(t)
        t.click(cell)
        wait_for(lambda: posed_and_percent(t)[0] == posed + 1, what="the clicked answer")
        check(posed_and_percent(t)[1] >= percent, "the clicked product counts as right")

    # The corner clears the series; the up arrow raises the bound to 11.
    t.click(table.getAccessibleAt(0, 0))
    t.click(t.by_name("image", "max. bis erhöhen"))
    wait_for(lambda: t.by_description("max. bis").name == "11", what="the bound 11")
    wait_for(lambda: t.table().nRows == 12, what="a 12 x 12 table")
    check(True, "the up arrow gives 11 and a 12 x 12 table")

    # Both printouts through the print spooler, each after its confirmation.
    pdf_dir = os.environ.get("ZW_CUPS_PDF_DIR")
    if pdf_dir:
        for symbol, expected in (("Ergebnisliste drucken", "Konzentriertes Üben : "),
                                 ("1x1-Tabelle drucken", "Zahlwerk Trainer")):
            before = set(os.listdir(pdf_dir)) if os.path.isdir(pdf_dir) else set()
            t.click(t.by_name("image", symbol))
            box = wait_for(t.dialog, 10, "the confirmation of " + symbol)
            check(box.name == symbol, "the confirmation is titled " + symbol)
            subprocess.run(["xdotool", "key", "--clearmodifiers", "Return"], check=True)
            pdf = wait_for(lambda: [f for f in os.listdir(pdf_dir)
                                    if f not in before and f.endswith(".pdf")], 60,
                           "the printed PDF")[0]
            path = os.path.join(pdf_dir, pdf)
            text = wait_for(lambda: subprocess.run(["pdftotext", path, "-"], capture_output=True,
                                                   text=True).stdout, 20, "the PDF's text")
            check(expected in text, "the %s printout reached the printer" % symbol)
            os.remove(path)

    # The options a parent sets: the bound down to 7, "ohne 1" and "Division" on, sound off.
    for _ in range(4):
        t.click(t.by_name("image", "max. bis verringern"))
    wait_for(lambda: t.by_description("max. bis").name == "7", what="the bound 7")
    for box in ("ohne 1", "Division", "Ergebnis mit Sound"):
        t.click(t.by_name("check box", box))
    checked = lambda box: t.by_name("check box", box).getState().contains(pyatspi.STATE_CHECKED)
    wait_for(lambda: checked("ohne 1") and checked("Division") and not checked("Ergebnis mit Sound"),
             what="the boxes set")
    wait_for(lambda: t.table().nRows == 7, what="a table from 2 to 7")
    code = t.close()
    check(code == 0, "the program ends cleanly when its window is closed")
    with open(os.path.join(folder, "zahlwerk.ini"), "rb") as f:
        content = f.read()
    check(content == b"MaxNum = 7\r\nCalcMode = 1\r\nSound = 0\r\nShowTable = 1\r\n"
          b"Without1 = 1\r\n", "the settings file holds the options: %r" % content)

    t = Trainer(folder)
    check(t.by_description("max. bis").name == "7", "the next start shows the bound 7")
    check(checked("ohne 1") and checked("Division") and not checked("Ergebnis mit Sound")
          and checked("Tabelle anzeigen"), "the next start shows the boxes as they were left")
    check(t.table().getAccessibleAt(0, 1).name == "2", "the table starts at 2")
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

finish()
