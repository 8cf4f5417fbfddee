// Start-up to the first posed exercise painted, and the memory the started window holds,
// each against a bare window of the same size doing the same (show, first paint).
//
//   in-process   QApplication exists; construction + Form_Load + first paint, against a bare
//                QWidget + show + first paint. Warm: fonts and style are already loaded.
//   process      this executable re-run as a child ("--child form" / "--child bare"): fork,
//                exec, QApplication, the window, its first paint, exit. Both children load
//                the same libraries, so the difference is the window itself. Each child also
//                reports its resident memory after the first paint. A third child shows the
//                bare window with one line of text: what the first text costs any window
//                (font configuration, font loading).
//   programs     the real program (copied to a temporary folder) and a bare Qt Widgets
//                program, each left running until its resident memory is steady, then
//                terminated: the memory the user's machine sees, and the CPU time each spent
//                until then (/proc/<pid>/schedstat) as a start-up figure of the real program,
//                which has no way to announce its first paint.

#include "Artwork.h"
#include "BenchSupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
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

// The bare window with one label: the first text any window draws.
std::unique_ptr<QWidget> StartBareWithText(bool* painted) {
    auto w = std::make_unique<QWidget>();
    PaintCounter counter(*w);
    w->resize(WindowWidth, WindowHeight);
    auto* label = new QLabel(QStringLiteral("7 · 8 ="), w.get());
    label->move(20, 20);
    w->show();
    *painted = WaitForFirstPaint(*w, counter);
    return w;
}

// Child mode: start, report, leave at once (tearing down is not part of the start).
[[noreturn]] void RunChild(int argc, char* argv[], const QByteArray& mode) {
    const auto begin = Clock::now();
    QApplication app(argc, argv);
    bool painted = false;
    std::unique_ptr<Trainer> trainer;
    std::unique_ptr<QWidget> bare;
    if (mode == "form")
        trainer = StartTrainer(&painted);
    else if (mode == "text")
        bare = StartBareWithText(&painted);
    else
        bare = StartBare(&painted);
    const double upMicros = MicrosSince(begin);
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

ChildResult RunChildProcess(const QString& mode) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    const auto t = Clock::now();
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
    p.waitForFinished(30000);
    ChildResult r;
    r.wallMicros = MicrosSince(t);
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (f.size() == 3) {
        r.ok = f[0] == "1";
        r.upMicros = f[1].toDouble();
        r.rssKiB = f[2].toLong();
    }
    return r;
}

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
    double coldForm = 0, coldBare = 0;
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
            if (i > 0) {
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

    // --- child processes of this executable -----------------------------------------------
    std::vector<double> formWall, bareWall, formInChild, bareInChild, formRss, bareRss;
    std::vector<double> textWall, textInChild, textRss;
    bool childrenOk = true;
    for (int i = 0; i < reps(20); ++i) {
        const ChildResult f = RunChildProcess(QStringLiteral("form"));
        const ChildResult b = RunChildProcess(QStringLiteral("bare"));
        const ChildResult x = RunChildProcess(QStringLiteral("text"));
        childrenOk = childrenOk && f.ok && b.ok && x.ok;
        textWall.push_back(x.wallMicros);
        textInChild.push_back(x.upMicros);
        textRss.push_back(static_cast<double>(x.rssKiB));
        formWall.push_back(f.wallMicros);
        bareWall.push_back(b.wallMicros);
        formInChild.push_back(f.upMicros);
        bareInChild.push_back(b.upMicros);
        formRss.push_back(static_cast<double>(f.rssKiB));
        bareRss.push_back(static_cast<double>(b.rssKiB));
    }

    // --- the real program and a bare Qt Widgets program -----------------------------------
    std::vector<double> programRss, bareProgramRss, programCpu, bareProgramCpu;
    QTemporaryDir folder;
    const QString program = folder.path() + QStringLiteral("/zahlwerk");
    const bool copied = QFile::copy(QStringLiteral(ZW_PROGRAM_PATH), program);
    for (int i = 0; copied && i < reps(5); ++i) {
        const SteadyProcess real = RunUntilSteady(program, folder.path());
        const SteadyProcess bare =
            RunUntilSteady(QStringLiteral(ZW_BARE_WINDOW_PATH), folder.path());
        programRss.push_back(static_cast<double>(real.rssKiB));
        programCpu.push_back(real.cpuMicros);
        bareProgramRss.push_back(static_cast<double>(bare.rssKiB));
        bareProgramCpu.push_back(bare.cpuMicros);
    }

    const double startRatio = Median(formUp) / Median(bareUp);
    const double wallRatio = Median(formWall) / Median(bareWall);
    const double rssRatio = Median(formRss) / Median(bareRss);
    const double programRssRatio = Median(programRss) / Median(bareProgramRss);
    const double programCpuRatio = Median(programCpu) / Median(bareProgramCpu);
    const auto verdict = [](double ratio, double limit) { return ratio <= limit ? "met" : "NOT met"; };
    const auto row = [](const char* name, std::size_t n, double a, double b, const char* unit,
                        const char* target = "") {
        std::printf("%-54s %4zu %9.0f %-3s %9.0f %-3s %6.2f  %s\n", name, n, a, unit, b, unit,
                    b > 0 ? a / b : 0.0, target);
    };
    char t[64];

    std::printf("\nStart-up to the first posed exercise painted (medians; baseline = bare "
                "%dx%d window, same steps)\n",
                WindowWidth, WindowHeight);
    std::printf("%-54s %4s %13s %13s %6s  %s\n", "measure", "n", "trainer", "baseline", "ratio",
                "target");
    std::snprintf(t, sizeof t, "<= 1.2 (%s)", verdict(startRatio, 1.2));
    row("in-process, warm: construct+Form_Load+first paint", formUp.size(), Median(formUp),
        Median(bareUp), "us", t);
    row("  of which constructing Form1", construct.size(), Median(construct), Median(bareUp), "us");
    row("  of which AppIcon() alone (6 sizes up to 256 px)", icon.size(), Median(icon),
        Median(bareUp), "us");
    row("  of which Form_Load", load.size(), Median(load), Median(bareUp), "us");
    row("  of which first paint (event loop until painted)", firstPaint.size(), Median(firstPaint),
        Median(bareUp), "us");
    row("in-process, first (cold) start", 1, coldForm, coldBare, "us");
    std::snprintf(t, sizeof t, "<= 1.2 (%s)", verdict(wallRatio, 1.2));
    row("process: fork+exec .. first paint .. exit", formWall.size(), Median(formWall),
        Median(bareWall), "us", t);
    row("  bare window + one label instead (first text)", textWall.size(), Median(textWall),
        Median(bareWall), "us");
    row("process: main() .. first paint", formInChild.size(), Median(formInChild),
        Median(bareInChild), "us");
    row("  bare window + one label instead (first text)", textInChild.size(), Median(textInChild),
        Median(bareInChild), "us");
    if (copied) {
        std::snprintf(t, sizeof t, "<= 1.2 (%s)", verdict(programCpuRatio, 1.2));
        row("real program vs bare Qt program: CPU until steady", programCpu.size(),
            Median(programCpu), Median(bareProgramCpu), "us", t);
    }

    std::printf("\nResident memory after start-up (VmRSS, medians)\n");
    std::snprintf(t, sizeof t, "<= 1.3 (%s)", verdict(rssRatio, 1.3));
    row("child of this executable (same libraries)", formRss.size(), Median(formRss),
        Median(bareRss), "KiB", t);
    row("  bare window + one label instead (first text)", textRss.size(), Median(textRss),
        Median(bareRss), "KiB");
    if (copied) {
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
