#!/usr/bin/python3
"""The real program in unfriendly surroundings: no sound server, no printer, a settings file
that is garbage or holds an absurd bound, a window squeezed to almost nothing. In each it
starts, takes answers, prints nothing to the terminal and closes cleanly.

Usage (inside with-desktop): hostile_surroundings.py PROGRAM
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from trainer_ui import Trainer, check, finish, posed_and_percent, right_answer, wait_for  # noqa: E402

PROGRAM = sys.argv[1]
NO_SOUND = {"PULSE_SERVER": "unix:/nonexistent/pulse", "PULSE_RUNTIME_PATH": "/nonexistent"}


def fresh_folder(settings=None):
    folder = tempfile.mkdtemp()
    shutil.copy(PROGRAM, folder)
    if settings is not None:
        with open(os.path.join(folder, "zahlwerk.ini"), "wb") as f:
            f.write(settings)
    return folder


def answer_right(t):
    posed, _ = posed_and_percent(t) if t.statistics() else (0, 0)
    t.type_answer(str(right_answer(t.exercise())))
    wait_for(lambda: t.statistics() and posed_and_percent(t)[0] > posed, what="the answer booked")


def dismiss_dialog(t):
    box = wait_for(t.dialog, 10, "the message box")
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Return"], check=True)
    wait_for(lambda: t.dialog() is None, 10, "the message box closed")
    return box


def run_case(name, settings=None, env=None, body=None, expect_dialog=False):
    folder = fresh_folder(settings)
    try:
        t = Trainer(folder, env=dict(NO_SOUND, **(env or {})), wait_exercise=not expect_dialog)
        if expect_dialog:
            dismiss_dialog(t)
            wait_for(lambda: " =" in t.exercise(), 10, "the first exercise")
        if body:
            body(t)
        answer_right(t)
        code = t.close()
        check(code == 0, name + ": closes cleanly")
        out = t.output()
        check(out == "", name + ": nothing on the terminal" + ("" if not out else ": " + out))
        return folder
    except Exception as e:  # a hang or a crash shows here
        log = os.path.join(folder, "program.log")
        out = open(log).read() if os.path.exists(log) else ""
        check(False, "%s: %r %s" % (name, e, out))
        if "t" in locals() and t.proc.poll() is None:
            t.proc.kill()
        return folder


def squeeze(t):
    subprocess.run(["xdotool", "windowsize", "--sync", t.wid, "1", "1"], check=False)
    subprocess.run(["xdotool", "windowsize", "--sync", t.wid, "852", "538"], check=False)
    wait_for(lambda: t.table().nRows == 11, what="the table back")


def print_without_printer(t):
    t.click(t.by_name("image", "Ergebnisliste drucken"))
    box = dismiss_dialog(t)
    check(box is not None, "no printer: the confirmation is shown and answered")


folders = []
folders.append(run_case("no sound server"))
folders.append(run_case("no printer", body=print_without_printer))
folders.append(run_case("a squeezed window", body=squeeze))
folders.append(run_case("garbage settings", settings=bytes(range(256)) * 64 + b"\r\nMaxNum=\xff\xfe"))
big = run_case("bound 2147483647", settings=b"MaxNum = 2147483647\r\nShowTable = 1\r\n",
               expect_dialog=True)
folders.append(big)
with open(os.path.join(big, "zahlwerk.ini"), "rb") as f:
    content = f.read()
check(content.startswith(b"MaxNum = 2147483647\r\n") and b"ShowTable = 0\r\n" in content,
      "bound 2147483647: kept, and the table switched off: %r" % content)

# Asked to end (as at logout) while the start-up message is still open: the program writes
# its settings and ends.
folder = fresh_folder(b"MaxNum = 100\r\nShowTable = 1\r\n")
folders.append(folder)
t = Trainer(folder, env=NO_SOUND, wait_exercise=False)
wait_for(t.dialog, 10, "the start-up message")
t.proc.send_signal(signal.SIGTERM)
try:
    code = t.proc.wait(timeout=10)
    check(code == 0, "ended during the start-up message: exits cleanly")
except subprocess.TimeoutExpired:
    t.proc.kill()
    check(False, "ended during the start-up message: the program did not end")
with open(os.path.join(folder, "zahlwerk.ini"), "rb") as f:
    written = f.read()
check(written == b"MaxNum = 100\r\nSound = 1\r\nShowTable = 0\r\nWithout1 = 0\r\n",
      "ended during the start-up message: settings written: %r" % written)

for folder in folders:
    shutil.rmtree(folder, ignore_errors=True)
finish()
