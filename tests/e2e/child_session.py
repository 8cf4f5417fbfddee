#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A child's session with the real program under X, with sound and a printer: the exercises,
# verdicts and controls heard from the screen reader Orca, answers and keys typed with
# xdotool, the table clicked where the accessibility tree says its cells are, the sound
# server stopped and continued under it, and a second start, without a sound server, with
# the options as left, its window closed the way a window manager closes it. It brings its
# own X server, session and accessibility bus, sound server with a null sink, print spooler
# with a PDF printer, speech-dispatcher and Orca.
# Usage: child_session.py PROGRAM OUTPUT
import contextlib, ctypes, operator, os, pwd, random, re, shutil, signal, subprocess, sys
import tempfile, threading, time, wave

from gi.repository import GLib
from Xlib import X, display as xdisplay, protocol

PROGRAM, OUTPUT = sys.argv[1], sys.argv[2]
CLIPS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "sound", "clips")
PPD = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"
FIRST_JOB = random.randrange(1000, 10**6)  # job numbers, and so PDF names, of this run only
# The exercise as a screen reader hears it: "7 mal 8 gleich".
SIGNS = {"mal": ("\u00b7", operator.mul), "geteilt durch": ("\u00f7", operator.floordiv),
         "plus": ("+", operator.add), "minus": ("-", operator.sub)}
EXERCISE = r"\d+ (?:mal|geteilt durch|plus|minus) \d+ gleich"
# and the exercise that stands next, a repeat called one
VERDICT = r"(richtig|falsch)\. (?:noch einmal: )?(%s)" % EXERCISE
# Orca refuses to start while any other Orca of this user runs on the machine, another
# test run's say; this one is the session's own.
ORCA = ("import sys; g = {'__name__': 'orca'}; exec(open('/usr/bin/orca').read(), g); "
        "g['otherOrcas'] = lambda: []; sys.exit(g['main']())")
passed, failed, spoken, brailled, started = [], [], [], [], []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    (passed if condition else failed).append(what)
    return condition


# The predicate's first true value; AT-SPI events are dispatched meanwhile. When the time is
# up: None, or, waiting for `what`, the end of the session.
def wait(predicate, what=None, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        with contextlib.suppress(Exception):  # the tree may change while the program works
            if value := predicate():
                return value
        time.sleep(0.05)
    if what:
        raise AssertionError("timed out waiting for " + what)


# A helper process that ends with this script, however this script ends.
def start(*command, **options):
    die_with_parent = lambda: ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    started.append(subprocess.Popen(command, preexec_fn=die_with_parent, **options))
    return started[-1]


# An X server, a session bus and the accessibility bus of our own.
def desktop(work):
    display = ""
    while not display:  # a number far from the low ones other X servers take; again if taken
        read, write = os.pipe()
        start("Xvfb", ":%d" % random.randrange(200, 900), "-displayfd", str(write), "-screen", "0",
              "1280x900x24", "-nolisten", "tcp", "-noreset", pass_fds=(write,),
              stderr=subprocess.DEVNULL)
        os.close(write)
        display = os.read(read, 16).decode().strip()
    home = tempfile.mkdtemp(dir=work)
    os.environ.update(DISPLAY=":" + display, HOME=home, XDG_RUNTIME_DIR=home,
                      QT_QPA_PLATFORM="xcb", NO_AT_BRIDGE="0", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    bus = start("dbus-daemon", "--session", "--nofork", "--print-address=1",
                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.a11y.Bus.GetAddress"], stdout=subprocess.DEVNULL)


# A sound server of our own whose one sink, "nullsink", is heard through its monitor.
def sound_server(work):
    os.environ["PULSE_SERVER"] = "unix:%s/pulse.sock" % work
    start("pulseaudio", "--daemonize=no", "--system=no", "-n", "--use-pid-file=no",
          "--exit-idle-time=-1", "--realtime=no", "--high-priority=no", "--disable-shm=yes",
          "--load=module-null-sink sink_name=nullsink rate=44100 channels=2",
          "--load=module-native-protocol-unix auth-anonymous=1 socket=%s/pulse.sock" % work,
          stderr=subprocess.DEVNULL)
    wait(lambda: subprocess.run(["pactl", "set-default-sink", "nullsink"],
                                capture_output=True).returncode == 0, "the sound server")
    return started[-1]


# A print spooler of our own, listening on a socket in work, whose default printer
# writes PDF files; returns their folder, or None where that cannot run.
def printer(work):
    if os.getuid() != 0 or not os.path.exists(PPD):
        print("skipped: the printouts, whose PDF printer (cups-pdf) needs root and its driver")
        return None
    os.chmod(work, 0o755)  # the filters run as user lp
    os.makedirs(work + "/tmp")
    shutil.chown(work + "/tmp", "root", "lp")
    os.chmod(work + "/tmp", 0o1770)
    open(work + "/files.conf", "w").write(
        "ServerRoot {0}\nRequestRoot {0}/spool\nCacheDir {0}\nStateDir {0}\nTempDir {0}/tmp\n"
        "AccessLog {0}/log\nErrorLog {0}/log\nPageLog {0}/log\nPrintcap {0}/printcap\n"
        "SystemGroup root\n".format(work))
    open(work + "/job.cache", "w").write("NextJobId %d\n" % FIRST_JOB)
    open(work + "/cupsd.conf", "w").write(
        "Listen %s/cups.sock\nBrowsing No\n<Location />\nAllow all\n</Location>\n<Policy "
        "default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n" % work)
    start("/usr/sbin/cupsd", "-f", "-c", work + "/cupsd.conf", "-s", work + "/files.conf",
          env={"PATH": os.environ["PATH"]})  # as a system's spooler starts
    os.environ["CUPS_SERVER"] = work + "/cups.sock"
    wait(lambda: "is running" in subprocess.run(["lpstat", "-r"], capture_output=True,
                                                 text=True).stdout, "the print spooler")
    subprocess.run(["lpadmin", "-p", "PDF", "-E", "-v", "cups-pdf:/", "-P", PPD, "-o",
                    "pdftops-renderer-default=pdftocairo"], check=True, stderr=subprocess.DEVNULL)
    subprocess.run(["lpadmin", "-d", "PDF"], check=True)
    out = "${HOME}/PDF"  # where cups-pdf writes unless its configuration says otherwise
    for line in open("/etc/cups/cups-pdf.conf"):
        out = line.split(None, 1)[1].strip() if line.split()[:1] == ["Out"] else out
    return out.replace("${HOME}", pwd.getpwuid(0).pw_dir).replace("${USER}", "root")


# Orca in German, speaking through a speech-dispatcher of our own with espeak-ng into libao's
# null driver. Its debug output goes to a terminal, which Orca writes line by line; what it
# speaks is collected in `spoken`.
def screen_reader(work):
    open(os.environ["HOME"] + "/.libao", "w").write("default_driver=null\n")
    open(work + "/speechd.conf", "w").write('AudioOutputMethod "libao"\nAddModule "espeak-ng" '
        '"sd_espeak-ng" "espeak-ng.conf"\nDefaultModule espeak-ng\nDefaultLanguage "de"\n')
    os.environ["SPEECHD_ADDRESS"] = "unix_socket:%s/speechd.sock" % work
    start("speech-dispatcher", "-s", "-t", "0", "-C", work, "-S", work + "/speechd.sock",
          stderr=subprocess.DEVNULL)
    wait(lambda: os.path.exists(work + "/speechd.sock"), "speech-dispatcher")
    # Orca's voice speaks the language of its locale: a German one of the run's own.
    subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", work + "/de_DE.UTF-8"], check=True)
    terminal, orca_side = os.openpty()
    start("/usr/bin/python3", "-c", ORCA, "--debug-file=" + os.ttyname(orca_side),
          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
          env=dict(os.environ, LANGUAGE="de", LOCPATH=work, LC_ALL="de_DE.UTF-8"))

    def listen(log=open(os.path.join(OUTPUT, "orca-debug.txt"), "w")):
        with contextlib.suppress(OSError):  # at Orca's end
            for line in open(terminal, errors="replace"):
                log.write(line)
                spoken.extend(re.findall(r"SPEECH OUTPUT: '(.*)' ?\{", line))
                brailled.extend(re.findall(r"BRAILLE LINE:  '(.*)'$", line))
    threading.Thread(target=listen, daemon=True).start()
    wait(lambda: spoken, "Orca's first words", 60)


def walk(node):  # the node and all below it, but not a table's cells
    yield node
    for child in [] if node.getRoleName() == "table" else node:
        yield from walk(child) if child is not None else ()


def solve(spoken):  # the operands, the sign between them and the right answer
    a, word, b = re.fullmatch(r"(\d+) (.+) (\d+) gleich", spoken).groups()
    return int(a), SIGNS[word][0], int(b), SIGNS[word][1](int(a), int(b))


def audible_seconds(samples):  # unsigned 8-bit samples at 22050 Hz
    loud = [i for i, s in enumerate(samples) if abs(s - 128) > 2]
    return (loud[-1] - loud[0]) / 22050 if loud else 0


# The running program, as a person sees and uses it.
class Trainer:
    def __init__(self, folder, **env):
        self.proc = start(folder + "/zahlwerk", stderr=subprocess.STDOUT, cwd=folder,
                          stdout=open(folder + "/program.log", "w"), env=dict(os.environ, **env))
        self.app = wait(lambda: next(a for a in pyatspi.Registry.getDesktop(0)
                                     if a.name == "zahlwerk" and a.childCount), "the program", 60)
        # The main window: its caption goes on after six blanks, a message box's not.
        self.wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(
            self.proc.pid), "--name", "^" + CAPTION], capture_output=True, text=True,
            timeout=60).stdout.split()[0]
        self.start = self.heard = len(spoken)
        subprocess.run(["xdotool", "windowfocus", "--sync", self.wid], check=True)
        self.posed = (self.key("", EXERCISE) or [None])[0]  # the first exercise

    # After the keys, the first words of Orca's that match the pattern, from where the last
    # match ended; None. Prints the keys and what Orca said after them, for the record.
    def key(self, keys, pattern):
        if keys:
            subprocess.run(["xdotool", "windowfocus", "--sync", self.wid], check=True)
            subprocess.run(["xdotool", "key", "--delay", "80"] + keys.split(), check=True)
        if pattern is None:
            return None
        first = self.heard

        def heard():
            for i in range(self.heard, len(spoken)):
                if m := re.search(pattern, spoken[i]):
                    self.heard = i + 1
                    return m
        found = wait(heard)
        print("     %-18s -> %s" % (keys or "(no key)", " | ".join(spoken[first:self.heard])
                                     if found else "nothing like %r" % pattern), flush=True)
        return found

    # The key into the message box that is open; whether the box went. The window then gets
    # the focus back as a window manager would give it: without one, Orca stays with the box.
    def dismiss(self, key):
        subprocess.run(["xdotool", "key", key], check=True)
        gone = wait(lambda: all(c.getRoleName() != "alert" for c in self.app), timeout=10)
        subprocess.run(["xdotool", "windowfocus", "--sync", self.wid], check=True)
        return gone

    # Digits into the answer box, returning once the braille line shows them beside the
    # exercise: Orca has then seen them, whatever it is told next.
    def type(self, number):
        shown = len(brailled)
        self.key(" ".join(str(number)), None)
        beside = r"(?<!\d)%s %d \$l$" % (re.escape(self.posed), number)
        wait(lambda: any(re.search(beside, b) for b in brailled[shown:]),
             "the braille line to show %r beside the answer %d" % (self.posed, number))

    def answer(self, number=None):  # typed, or else given by a click; what Orca says then
        if number is not None:
            self.type(number)
        said = self.key("" if number is None else "Return", VERDICT)
        self.posed = said and said[2]
        return said[0] if said else "nothing"

    def find(self, role=None, name=None, description=None):
        return next(n for n in walk(self.app) if role in (None, n.getRoleName())
                    and name in (None, n.name) and description in (None, n.description))

    def checked(self, box):
        return self.find("check box", box).getState().contains(pyatspi.STATE_CHECKED)

    def click(self, node):
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), "click", "1"], check=True)

    # Closes the window as a window manager does; the exit status. A program that stays ends
    # the session.
    def close(self):
        d = xdisplay.Display()
        window, atom = d.create_resource_object("window", int(self.wid)), d.intern_atom
        window.send_event(protocol.event.ClientMessage(window=window, client_type=atom(
            "WM_PROTOCOLS"), data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        # A round trip: the X server may drop a request still unread when its connection
        # closes, and the close would never reach the program.
        d.sync()
        return self.proc.wait(timeout=30)


# Space on the one printer symbol, Return on the other, opens its confirmation. Where the PDF
# printer runs, Return there prints through the spooler: the printout shows what is expected,
# a picture only for the table, and the queue names the job. Elsewhere Escape closes the box.
CAPTION = "Zahlwerk Trainer      Kopfrechnen mit Herz und Verstand !"
PRINTS = {"Ergebnisliste drucken": ("space", "Wollen Sie die Ergebnisliste ausdrucken?"),
          "1x1-Tabelle drucken": ("Return", "Wollen Sie die angezeigte 1x1-Tabelle ausdrucken?")}
# What a sighted child reads in the tool tips is the controls' descriptions.
TIPS = {"OK ?": "Eingabe mit [Enter] Taste bestätigen", "ohne 1":
        'keine Aufgaben mit Faktor oder Divisor "1" stellen', "Ergebnis mit Sound":
        "Klangausgabe aktivieren / deaktivieren", "Tabelle anzeigen":
        "Zahlentabelle einblenden / ausblenden", **{p: p for p in PRINTS}}


def printout(t, symbol, pdfs, expected):
    key, prompt = PRINTS[symbol]
    if check(t.key(key, "^%s$" % re.escape(prompt)) and wait(lambda: t.find(
            "push button", "Abbrechen"), timeout=10) and t.dismiss("Return" if pdfs else "Escape"),
             "%s on %s opens its confirmation, its buttons German" % (key, symbol)) and pdfs:
        # The results list is this run's first job, the table its second.
        ending = "-job_%d.pdf" % (FIRST_JOB + list(PRINTS).index(symbol))
        path = os.path.join(pdfs, wait(lambda: [f for f in os.listdir(pdfs) if f.endswith(ending)],
                                       "the PDF", 60)[0])
        text = wait(lambda: subprocess.run(["pdftotext", "-layout", path, "-"],
                                           capture_output=True, text=True).stdout, "its text", 60)
        images = subprocess.run(["pdfimages", "-list", path], capture_output=True, text=True)
        # The page log names the job, "Zahlwerk Trainer – Ergebnisliste", then media and sides.
        logged = r"\] total \d+ \S+ \S+ Zahlwerk Trainer – %s \S+ \S+$" % symbol[:-len(" drucken")]
        check(all(x.replace(" ", "") in text.replace(" ", "") for x in expected) and (
            len(images.stdout.splitlines()) > 2) == (symbol == "1x1-Tabelle drucken") and wait(
            lambda: re.search(logged, open(work + "/log", encoding="utf-8").read(), re.M)),
            "%s prints %r, a picture only with the table" % (symbol, expected))
        os.remove(path)
    t.heard = len(spoken)  # what Orca read of the box is over


# One Tab round from the answer box back to it: every control named, and what a mouse can
# use used by keys. The statistics are a stop of their own, read again by where-am-I, and no
# longer part of the exercise bar's words; the printer symbols print; the results list is read
# line by line, the newest first: "<exercise in words> <answer>, richtig, 2 Sekunden".
def tab_round(t, answered, pdfs):
    statistics = r"gestellte Aufgaben.*richtige Antworten"
    contents = {"Ergebnisliste drucken": [CAPTION, "%d %s %d = %d" % solve(answered[0][0]), t.find(
        description="Statistik").name.split(", ")[-1], "Konzentriertes Üben : 0 Minuten"],
        "1x1-Tabelle drucken": [CAPTION]}
    for name in [statistics, "Neu starten", "Ergebnisliste drucken", r"^Ergebnisliste\.$",
                 "Multiplikation", "Division", "Addition", "Subtraktion", "1x1-Tabelle",
                 "1x1-Tabelle drucken", "Tabelle anzeigen", "Ergebnis mit Sound", "ohne 1",
                 r"max\. bis", r"OK \?", EXERCISE]:  # the answer box, named by its exercise
        entered = len(spoken)
        if not check(t.key("Tab", name), "Orca names the Tab stop " + name):
            continue  # what belongs to the stop would only wait in vain
        if name == statistics:
            check(t.key("KP_Enter", statistics), "where-am-I reads the statistics again")
        elif name in PRINTS:
            printout(t, name, pdfs, contents[name])
        elif name == r"^Ergebnisliste\.$":
            line = r"%s %d, %s, \d+ Sekunden"
            check(t.key("", line % answered[1]) and t.key("Up", line % answered[0]),
                  "Orca reads the results list line by line")
        elif name == r"OK \?":  # into the exercise bar: the exercise, not the statistics
            check("gestellte Aufgaben" not in " ".join(spoken[entered:t.heard]),
                  "entering the exercise bar Orca does not read the statistics")


# From the answer box back to the number table by Shift+Tab, as a child finds it, the keys
# to the cell Orca reads as `target`, and Space on it: the news, then the exercise posed, and
# the exercise not said before the news; whether all that was heard, not cut short by what
# Orca says as the focus returns to the answer box: no "Aufgabe Panel." before its description.
def table_space(t, keys, target, news):
    t.key("shift+Tab " * 7, r"^1x1-Tabelle\.$")
    reached = t.key(keys, r"^%s\b" % re.escape(target))
    pressed = t.heard
    said = t.key("space", r"^%s\. (%s)" % (news, EXERCISE))
    t.posed = said and said[1]
    early = [s for s in spoken[pressed:t.heard - 1] if t.posed and t.posed in s]
    heard = t.heard
    return reached and said and not early and t.key("", r"^Eingabe mit \[Enter\]") and (
        "Aufgabe Panel." not in spoken[heard:t.heard])


# The table by keyboard, from the cell Shift+Tab lands on (1, 1): Space on a header chooses
# the series and the child hears so first; a click on a cell answers; Space on a wrong
# product is judged "falsch" before anything else is said of the exercise; Space on the
# corner clears the series, and the child hears so.
def table_by_keys(t):
    table = t.find("table").queryTable()
    header = table.getAccessibleAt(0, 7).name
    check(table_space(t, "Up" + " Right" * 6, header, header + " gewählt") and int(header[6:])
          in solve(t.posed), "arrow keys reach %s, Space on it chooses its series" % header)
    t.click(table.getAccessibleAt(1, 1))
    check(t.answer() != "nothing", "a click on a cell answers")
    exercise = t.posed
    down = next(r for r in range(1, table.nRows) if table.getAccessibleAt(r, 7).name.split()[-1]
                != str(solve(exercise)[3]))
    check(table_space(t, "Down " * down, table.getAccessibleAt(down, 7).name, "falsch") and
          t.posed == exercise, "Space on a wrong product: falsch first")
    check(table_space(t, "Up " * down + "Left " * 7, "Auswahl aufheben", "Auswahl aufgehoben"),
          "Space on the corner: Auswahl aufgehoben first")


# "OK ?" by Space, by Return and by the screen reader's press action, each as its mouse press:
# the Enter hint the first time, then the verdict.
def ok_by_keys(t):
    hint = r"^Die Eingabe lässt sich besser mit der \[Enter\] Taste bestätigen\.$"
    for key, right in (("space", True), ("Return", False), (None, True)):
        answer = solve(t.posed)[3] + (not right)
        t.type(answer)
        if key:
            t.key("shift+Tab", r"OK \?") and t.key(key, None)
        else:
            t.find("push button", "OK ?").queryAction().doAction(0)
        said = (key != "space" or t.key("", hint) and t.dismiss("Return")) and t.key("", VERDICT)
        check(said and said[1] == ("richtig" if right else "falsch"),
              "%s on OK ? judges %d" % (key or "the press action", answer))
        t.posed = said and said[2]


# The sound server stopped, as a hung one looks to its clients, while clips play: boxes
# still tick (and leave the focus in the answer box), answers are still taken; once the
# server goes on, the next clip is heard; stopped again, SIGTERM ends the program at once,
# its settings written (the next start shows them).
def stalled_sound(t, heard, recording):
    wrong = lambda: t.answer(solve(t.posed)[3] + 1) if t.posed else "nothing"
    pulse.send_signal(signal.SIGSTOP)
    for box in ("ohne 1", "Division"):
        t.click(t.find("check box", box))
    said = [wrong(), wrong()]
    check(all(s.startswith("falsch. ") for s in said) and t.checked("ohne 1") and t.checked(
        "Division"), "with the sound server stopped, clicks and answers are taken: %r" % said)
    pulse.send_signal(signal.SIGCONT)
    since = os.path.getsize(recording)
    wrong()
    check(wait(lambda: heard(since), timeout=10), "the server going on, the next clip is heard")
    pulse.send_signal(signal.SIGSTOP)
    wrong()
    t.proc.send_signal(signal.SIGTERM)  # a program that stays ends the session
    check(t.proc.wait(timeout=10) == 0, "SIGTERM with the sound server stopped: exit status 0")
    pulse.send_signal(signal.SIGCONT)


def session(folder, pdfs):
    t = Trainer(folder)
    tips = {n.name: n.description for n in walk(t.app) if n.name in TIPS}
    check(tips == TIPS, "the tool tips are read as descriptions: %r" % tips)
    # A right answer: the first exercise said once before it, the verdict brailled too and the
    # praise heard whole on the sound server. Then a wrong one.
    recording = open(os.path.join(OUTPUT, "heard.u8"), "wb")  # what the sink plays
    start("parec", "-d", "nullsink.monitor", "--raw", "--format=u8", "--rate=22050",
          "--channels=1", "--latency-msec=20", stdout=recording)
    wait(lambda: os.path.getsize(recording.name) > 2000, "the recorder")
    heard = lambda since=0: audible_seconds(open(recording.name, "rb").read()[since:])
    praise = audible_seconds(wave.open(os.path.join(CLIPS, "YES_01.wav")).readframes(10**6))
    answered = [(t.posed, solve(t.posed)[3], "richtig")]
    said = t.answer(answered[0][1])
    times = sum(bool(re.search(r"(?<!\d)%s" % re.escape(answered[0][0]), s))
                for s in spoken[t.start:t.heard - 1])  # up to the verdict
    check(said.startswith("richtig. ") and times == 1 and wait(lambda: said in brailled, timeout=5),
          "the first exercise said once (%d times), the verdict brailled too" % times)
    # The sound server's resampling blurs the quiet ends; a clip cut short loses far more.
    whole = wait(lambda: heard() >= 0.8 * praise and heard(), timeout=10)
    check(whole, "the praise is heard whole: %s of %.3f s" % (whole, praise))
    answered.append((t.posed, solve(t.posed)[3] + 1, "falsch"))
    t.answer(answered[1][1])
    tab_round(t, answered, pdfs)
    table_by_keys(t)
    ok_by_keys(t)
    slow = t.posed  # answered right, but slowly: remembered, and back after a fresh one
    wait(lambda: int(t.find(description="Sekunden").name or 0) > 10, "eleven seconds", 30)
    t.answer(solve(slow)[3])
    check(t.answer(solve(t.posed)[3]) == "richtig. noch einmal: " + slow, "a slow one is repeated")
    # The bound by the arrow's action, 10 to 9, then by keys on "max. bis", each new bound
    # spoken: Page Down five steps to 4, Up three steps to 7.
    t.find("image", "max. bis verringern").queryAction().doAction(0)
    check(t.key("shift+Tab shift+Tab", r"max\. bis.*\b9\b") and t.key("Page_Down", r"^4$")
          and t.key("Up Up Up", r"^7$"), "keys on max. bis step the bound, each one spoken")
    stalled_sound(t, heard, recording.name)

    # The next start, without any sound server: as left, silent about the missing sound; the
    # close box ends it, its settings written.
    t = Trainer(folder, PULSE_SERVER="unix:/nonexistent/pulse")
    check(t.find("spin button", "max. bis").queryValue().currentValue == 7 and t.find(
        "table").queryTable().getAccessibleAt(0, 1).name == "Reihe 2" and all(map(t.checked, (
        "ohne 1", "Division", "Ergebnis mit Sound", "Tabelle anzeigen"))), "the next start as left")
    check(t.answer(solve(t.posed)[3]).startswith("richtig"), "the second run speaks too")
    t.click(t.find("check box", "Ergebnis mit Sound"))
    check(wait(lambda: not t.checked("Ergebnis mit Sound")) and t.close() == 0 and "Sound = 0"
          in open(folder + "/zahlwerk.ini").read(), "the close box: exit 0, settings written")
    # What Qt's accessibility bridge notes about a screen reader slow over a key is not the
    # program's own output: the key goes on as usual.
    out = [line for line in open(folder + "/program.log").read().splitlines()
           if not line.startswith("QSpiApplication::")]
    check(not out, "nothing on the terminal without a sound server: %r" % out)


os.makedirs(OUTPUT, exist_ok=True)
work, folder = tempfile.mkdtemp(), tempfile.mkdtemp()
shutil.copy(PROGRAM, folder)
try:
    pdfs = printer(work)
    desktop(work)
    pulse = sound_server(work)
    screen_reader(work)
    import pyatspi  # talks to the accessibility bus from the start
    session(folder, pdfs)
except Exception as e:  # a hang or a crash: the run ends here, counted as a failure
    check(False, "the session ran to its end: %r" % e)
    if os.path.exists(folder + "/program.log"):
        print("program output:\n" + open(folder + "/program.log").read())
finally:
    for p in reversed(started):
        p.terminate()
        with contextlib.suppress(subprocess.TimeoutExpired):  # Orca, say, slow to stop
            p.wait(timeout=10)
        p.kill()  # nothing if it has ended
    shutil.rmtree(work, ignore_errors=True)
    shutil.rmtree(folder, ignore_errors=True)
print("%d passed, %d failed" % (len(passed), len(failed)))
sys.exit(1 if failed or not passed else 0)
