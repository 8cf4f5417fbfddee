// Start-up to the first posed exercise painted, and the memory the started window holds,
// each against a bare window of the same size doing the same (show, first paint).
//
//   in-process   QApplication exists; construction + Form_Load + first paint, against a bare
//                QWidget + show + first paint. Warm: fonts and style are already loaded.
//   processes    fork, exec, QApplication, the window, its first paint, exit; timed by this
//                program from the start to the end of the child, and by the child from
//                main() to its first paint; each child also reports its resident memory
//                after the first paint. The yardstick is a bare Qt Widgets program
//                (support/bare_window.cpp, Qt Widgets only). Against it:
//                  the trainer as main() starts it: this executable re-run as a child
//                    ("--child program"): the program's own sound player and printer
//                    provider, the window, Form_Load; it then answers four exercises so
//                    that all four arrangements of the table are kept, and reports its
//                    memory again
//                and, to tell where the difference goes, each step on its own:
//                  the bare program linked with the program's libraries (Qt Multimedia, Qt
//                    Print Support and what they bring), with and without the sound
//                    output's first look; the bare program with one line of text (the first
//                    text any window draws); this executable as a bare window ("--child
//                    bare") and as the trainer on quiet back ends ("--child form"), which
//                    load the same libraries, so their difference is the window itself
//   programs     the real program (copied to a temporary folder) and the bare Qt Widgets
//                program, each left running until its resident memory is steady, then
//                terminated: the memory the user's machine sees, and the CPU time each spent
//                until then (/proc/<pid>/schedstat)

#include "Artwork.h"
#include "BenchSupport.h"
#include "GridAccessible.h"
#include "QtPrinterProvider.h"
#include "QtWavePlayer.h"
#include "ShutdownSignals.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QThread>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace bench;

namespace {

// Counts the paint events a window receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& w) : window_(w) { w.installEventFilter(this); }
    ~PaintCounter() override { window_.removeEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint)
            ++paints;
        return false;
    }

private:
    QWidget& window_;
};

// Runs the event loop until the window has been painted once (at most five seconds).
bool WaitForFirstPaint(QWidget& window, const PaintCounter& counter) {
    QElapsedTimer t;
    t.start();
    while (counter.paints == 0 && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents();
    return counter.paints > 0 && window.windowHandle() && window.windowHandle()->isExposed();
}

// The trainer's start: the window built on quiet back ends, Form_Load, the first paint.
std::unique_ptr<Trainer> StartTrainer(bool* painted) {
    auto trainer = std::make_unique<Trainer>();
    trainer->form = std::make_unique<Form1>(trainer->Backends());
    PaintCounter counter(*trainer->form);
    trainer->form->Form_Load();
    *painted = WaitForFirstPaint(*trainer->form, counter);
    return trainer;
}

std::unique_ptr<QWidget> StartBare(bool* painted) {
    auto w = std::make_unique<QWidget>();
    PaintCounter counter(*w);
    w->resize(WindowWidth, WindowHeight);
    w->show();
    *painted = WaitForFirstPaint(*w, counter);
    return w;
}

// The trainer as main() starts it: the program's own sound player and printer provider.
struct ProgramStart {
    ClockSeededRandom random;
    std::unique_ptr<QtWavePlayer> sound;
    QtPrinterProvider printers;
    AcceptingMessageBoxes messages;
    QTemporaryDir programFolder;
    QTemporaryDir fallbackFolder;
    std::unique_ptr<Form1> form;
};

std::unique_ptr<ProgramStart> StartAsProgram(bool* painted) {
    QApplication::setApplicationName(QStringLiteral("zahlwerk"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zahlwerk.Trainer"));
    InstallGridAccessibility();
    auto p = std::make_unique<ProgramStart>();
    p->sound = std::make_unique<QtWavePlayer>();
    Form1Backends b;
    b.Random = &p->random;
    b.Sound = p->sound.get();
    b.Printers = &p->printers;
    b.Messages = &p->messages;
    b.ProgramFolder = p->programFolder.path();
    b.FallbackSettingsFolder = p->fallbackFolder.path();
    p->form = std::make_unique<Form1>(b);
    CloseOnShutdownSignals(*p->form);
    PaintCounter counter(*p->form);
    p->form->Form_Load();
    *painted = WaitForFirstPaint(*p->form, counter);
    return p;
}

// Child mode: start, report, leave at once (tearing down is not part of the start). The
// "session" child starts as the program does, answers four exercises, then reports.
[[noreturn]] void RunChild(int argc, char* argv[], const QByteArray& mode) {
    const auto begin = Clock::now();
    QApplication app(argc, argv);
    bool painted = false;
    std::unique_ptr<Trainer> trainer;
    std::unique_ptr<ProgramStart> program;
    std::unique_ptr<QWidget> bare;
    if (mode == "form")
        trainer = StartTrainer(&painted);
    else if (mode == "program" || mode == "session")
        program = StartAsProgram(&painted);
    else
        bare = StartBare(&painted);
    const double upMicros = MicrosSince(begin);
    if (mode == "session") {
        Form1& f = *program->form;
        f.chkSoundEnabled->setChecked(false); // no clip is played by the benchmark
        for (int i = 0; i < 4; ++i) {
            f.tbErgebnis->setText(QString::number(f.State.ExpectedResult));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(f.tbErgebnis, &enter);
            QCoreApplication::sendPostedEvents();
        }
    }
    std::printf("%d %.1f %ld\n", painted ? 1 : 0, upMicros, ResidentKiB());
    std::fflush(stdout);
    _exit(0);
}

struct ChildResult {
    bool ok = false;
    double wallMicros = 0; // fork to exit, seen by the parent
    double upMicros = 0;   // main() to first paint, seen by the child
    long rssKiB = 0;
};

ChildResult RunProcess(const QString& program, const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    const auto t = Clock::now();
    p.start(program, arguments);
    p.waitForFinished(30000);
    ChildResult r;
    r.wallMicros = MicrosSince(t);
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (f.size() >= 3) {
        r.ok = f[0] == "1";
        r.upMicros = f[1].toDouble();
        r.rssKiB = f[2].toLong();
    }
    return r;
}

// The samples of one kind of process start.
struct ProcessKind {
    ProcessKind(const char* n, QString p, QStringList a, bool t = true)
        : name(n), program(std::move(p)), arguments(std::move(a)), timed(t) {}
    const char* name;
    QString program;
    QStringList arguments;
    bool timed; // false: memory only (the child does more than start)
    std::vector<double> wall, up, rss;
    bool ok = true;

    void Run() {
        const ChildResult r = RunProcess(program, arguments);
        ok = ok && r.ok;
        wall.push_back(r.wallMicros);
        up.push_back(r.upMicros);
        rss.push_back(static_cast<double>(r.rssKiB));
    }
};

// CPU time a process has run so far, in microseconds (first field of schedstat, in ns).
double CpuMicros(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/schedstat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split(' ').value(0).toDouble() / 1000.0;
}

struct SteadyProcess {
    long rssKiB = -1;
    double cpuMicros = -1;
};

// Starts a program and waits until its resident memory has not changed for half a second;
// returns that figure in KiB and the CPU time spent so far, then terminates the program.
SteadyProcess RunUntilSteady(const QString& program, const QString& workingDir) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workingDir);
    p.start(program, {});
    if (!p.waitForStarted(10000))
        return {};
    const QString status = QStringLiteral("/proc/%1/status").arg(p.processId());
    long last = -1;
    int steady = 0;
    QElapsedTimer t;
    t.start();
    while (steady < 25 && t.elapsed() < 15000 && p.state() == QProcess::Running) {
        QThread::msleep(20);
        const long now = ResidentKiB(status);
        steady = now == last ? steady + 1 : 0;
        last = now;
    }
    const bool running = p.state() == QProcess::Running;
    SteadyProcess result;
    if (running) {
        result.rssKiB = last;
        result.cpuMicros = CpuMicros(p.processId());
    }
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 2 && QByteArray(argv[1]) == "--child")
        RunChild(argc, argv, QByteArray(argv[2]));

    QApplication app(argc, argv);
    const bool quick = argc > 1 && QByteArray(argv[1]) == "--quick";
    const auto reps = [quick](int n) { return quick ? std::max(n / 5, 3) : n; };

    // --- in-process, warm -----------------------------------------------------------------
    std::vector<double> formUp, bareUp, construct, load, firstPaint, icon;
    double coldForm = 0, coldBare = 0, coldConstruct = 0, coldLoad = 0, coldPaint = 0;
    bool allPainted = true;
    const int inProcess = reps(60);
    for (int i = 0; i < inProcess + 1; ++i) {
        bool painted = false;
        auto holder = std::make_unique<Trainer>(); // temporary folders: not part of the start
        const auto t0 = Clock::now();
        holder->form = std::make_unique<Form1>(holder->Backends());
        const auto t1 = Clock::now();
        {
            PaintCounter counter(*holder->form);
            holder->form->Form_Load();
            const auto t2 = Clock::now();
            painted = WaitForFirstPaint(*holder->form, counter);
            const auto t3 = Clock::now();
            if (i == 0) {
                coldConstruct = std::chrono::duration<double, std::micro>(t1 - t0).count();
                coldLoad = std::chrono::duration<double, std::micro>(t2 - t1).count();
                coldPaint = std::chrono::duration<double, std::micro>(t3 - t2).count();
            } else {
                construct.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
                load.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
                firstPaint.push_back(std::chrono::duration<double, std::micro>(t3 - t2).count());
            }
        }
        const double f = MicrosSince(t0);
        allPainted = allPainted && painted;
        holder.reset();
        QCoreApplication::processEvents();

        auto t = Clock::now();
        auto bare = StartBare(&painted);
        const double b = MicrosSince(t);
        allPainted = allPainted && painted;
        bare.reset();
        QCoreApplication::processEvents();

        t = Clock::now();
        const QIcon appIcon = AppIcon();
        icon.push_back(MicrosSince(t));

        if (i == 0) {
            coldForm = f;
            coldBare = b;
        } else {
            formUp.push_back(f);
            bareUp.push_back(b);
        }
    }

    // --- processes --------------------------------------------------------------------------
    const QString self = QCoreApplication::applicationFilePath();
    const QString bareProgram = QStringLiteral(ZW_BARE_WINDOW_PATH);
    const QString linkedProgram = QStringLiteral(ZW_BARE_WINDOW_LINKED_PATH);
    const QString firstPaintOnly = QStringLiteral("--first-paint");
    ProcessKind baseline{"bare Qt Widgets program", bareProgram, {firstPaintOnly}};
    ProcessKind program{"trainer as main() starts it",
                        self,
                        {QStringLiteral("--child"), QStringLiteral("program")}};
    ProcessKind linked{"  bare program + the program's libraries", linkedProgram, {firstPaintOnly}};
    ProcessKind linkedSound{"  bare program + libraries + sound output's first look",
                            linkedProgram,
                            {firstPaintOnly, QStringLiteral("--sound")}};
    ProcessKind text{"  bare program + one label (first text)",
                     bareProgram,
                     {firstPaintOnly, QStringLiteral("--text")}};
    ProcessKind childBare{"  this executable: bare window",
                          self,
                          {QStringLiteral("--child"), QStringLiteral("bare")}};
    ProcessKind childForm{"  this executable: trainer, quiet back ends",
                          self,
                          {QStringLiteral("--child"), QStringLiteral("form")}};
    ProcessKind session{"  the same after four answers (4 table pictures kept)",
                        self,
                        {QStringLiteral("--child"), QStringLiteral("session")},
                        false};
    std::vector<ProcessKind*> kinds{&baseline,    &program, &session,   &linked,
                                    &linkedSound, &text,    &childBare, &childForm};
    for (int i = 0; i < reps(20); ++i)
        for (ProcessKind* k : kinds)
            k->Run();
    bool childrenOk = true;
    for (ProcessKind* k : kinds)
        childrenOk = childrenOk && k->ok;

    // --- the real program and a bare Qt Widgets program -----------------------------------
    std::vector<double> programRss, bareProgramRss, programCpu, bareProgramCpu;
    QTemporaryDir folder;
    const QString realProgram = folder.path() + QStringLiteral("/zahlwerk");
    const bool copied = QFile::copy(QStringLiteral(ZW_PROGRAM_PATH), realProgram);
    for (int i = 0; copied && i < reps(5); ++i) {
        const SteadyProcess real = RunUntilSteady(realProgram, folder.path());
        const SteadyProcess bare = RunUntilSteady(bareProgram, folder.path());
        programRss.push_back(static_cast<double>(real.rssKiB));
        programCpu.push_back(real.cpuMicros);
        bareProgramRss.push_back(static_cast<double>(bare.rssKiB));
        bareProgramCpu.push_back(bare.cpuMicros);
    }

    const auto verdict = [](double ratio, double limit) {
        return ratio <= limit ? "met" : "NOT met";
    };
    const auto row = [](const char* name, std::size_t n, double a, double b, const char* unit,
                        const char* target = "") {
        std::printf("%-56s %4zu %9.0f %-3s %9.0f %-3s %6.2f  %s\n", name, n, a, unit, b, unit,
                    b > 0 ? a / b : 0.0, target);
    };
    char t[64];

    std::printf("\nStart-up to the first posed exercise painted (medians; baseline = bare "
                "%dx%d window, same steps)\n",
                WindowWidth, WindowHeight);
    std::printf("%-56s %4s %13s %13s %6s  %s\n", "measure", "n", "trainer", "baseline", "ratio",
                "target");
    const double startRatio = Median(formUp) / Median(bareUp);
    std::snprintf(t, sizeof t, "<= 1.2 (%s)", verdict(startRatio, 1.2));
    row("in-process, warm: construct+Form_Load+first paint", formUp.size(), Median(formUp),
        Median(bareUp), "us", t);
    row("  of which constructing Form1", construct.size(), Median(construct), Median(bareUp), "us");
    const QList<QSize> iconSizes = AppIcon().availableSizes();
    std::snprintf(t, sizeof t, "  of which AppIcon() alone (%lld sizes up to %d px)",
                  static_cast<long long>(iconSizes.size()),
                  iconSizes.isEmpty() ? 0 : iconSizes.back().width());
    row(t, icon.size(), Median(icon), Median(bareUp), "us");
    row("  of which Form_Load", load.size(), Median(load), Median(bareUp), "us");
    row("  of which first paint (event loop until painted)", firstPaint.size(), Median(firstPaint),
        Median(bareUp), "us");
    row("in-process, first (cold) start", 1, coldForm, coldBare, "us");
    row("  of which constructing Form1", 1, coldConstruct, coldBare, "us");
    row("  of which Form_Load", 1, coldLoad, coldBare, "us");
    row("  of which first paint", 1, coldPaint, coldBare, "us");

    std::printf("\nProcesses: fork+exec .. first paint .. exit, seen by this program (medians; "
                "baseline = %s)\n",
                baseline.name);
    row(baseline.name, baseline.wall.size(), Median(baseline.wall), Median(baseline.wall), "us");
    for (ProcessKind* k : kinds) {
        if (k == &baseline || !k->timed)
            continue;
        const double ratio = Median(k->wall) / Median(baseline.wall);
        std::snprintf(t, sizeof t, "<= 1.2 (%s)", verdict(ratio, 1.2));
        row(k->name, k->wall.size(), Median(k->wall), Median(baseline.wall), "us",
            k == &program ? t : "");
    }
    std::printf("\nProcesses: main() .. first paint, seen by the child\n");
    row(baseline.name, baseline.up.size(), Median(baseline.up), Median(baseline.up), "us");
    for (ProcessKind* k : kinds)
        if (k != &baseline && k->timed)
            row(k->name, k->up.size(), Median(k->up), Median(baseline.up), "us");
    if (copied) {
        const double programCpuRatio = Median(programCpu) / Median(bareProgramCpu);
        std::snprintf(t, sizeof t, "<= 1.2 (%s)", verdict(programCpuRatio, 1.2));
        row("real program vs bare Qt program: CPU until steady", programCpu.size(),
            Median(programCpu), Median(bareProgramCpu), "us", t);
    }

    std::printf("\nResident memory (VmRSS, medians; baseline = %s after its first paint)\n",
                baseline.name);
    row(baseline.name, baseline.rss.size(), Median(baseline.rss), Median(baseline.rss), "KiB");
    for (ProcessKind* k : kinds) {
        if (k == &baseline)
            continue;
        const double ratio = Median(k->rss) / Median(baseline.rss);
        std::snprintf(t, sizeof t, "<= 1.3 (%s)", verdict(ratio, 1.3));
        row(k->name, k->rss.size(), Median(k->rss), Median(baseline.rss), "KiB",
            k == &program || k == &session ? t : "");
    }
    if (copied) {
        const double programRssRatio = Median(programRss) / Median(bareProgramRss);
        std::snprintf(t, sizeof t, "<= 1.3 (%s)", verdict(programRssRatio, 1.3));
        row("real program vs bare Qt program, steady", programRss.size(), Median(programRss),
            Median(bareProgramRss), "KiB", t);
    } else {
        std::printf("the real program was not found at %s\n", ZW_PROGRAM_PATH);
    }
    if (!allPainted || !childrenOk)
        std::printf("warning: a window was not painted within five seconds\n");
    std::fflush(stdout);
    return 0;
}
