// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the first exercise painted, and the memory it takes, as processes: fork and
// exec … first paint … exit, timed here, and the peak resident size until the first paint,
// reported by each child. Three kinds, run in turn so that they share the machine's load: a
// bare Qt Widgets window of the trainer's size, the same with one label (support/
// bare_window.cpp), and the trainer as main() starts it (this program again with --child: the
// program's own sound player and printer provider, message boxes answered at once, a fresh
// program folder without a settings file).

#include "Accessibility.h"
#include "BenchSupport.h"
#include "QtPrinterProvider.h"
#include "QtWavePlayer.h"
#include "support/FirstPaint.h"

#include <QProcess>

using namespace bench;

namespace {

// Answers message boxes at once, and sees the window's first paint as its event filter.
class FirstPaintWatch : public MessageBoxes, public QObject {
public:
    int MsgBox(QWidget*, const QString&, int, const QString&) override { return Ok; }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

[[noreturn]] void RunTrainer(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallAccessibility();
    ClockSeededRandom random;
    QtWavePlayer sound;
    QtPrinterProvider printers;
    FirstPaintWatch messages;
    QTemporaryDir folder;
    Form1 form(Form1Backends{&random, &sound, &printers, &messages, folder.path(), folder.path()});
    form.installEventFilter(&messages);
    form.Form_Load();
    ReportFirstPaint(messages.painted);
}

struct Kind {
    const char* name;
    QString program;
    QStringList arguments;
    std::vector<double> wall = {}, resident = {};
    bool ok = true;

    void Run(bool keep) {
        QProcess p;
        const auto start = Clock::now();
        p.start(program, arguments);
        const bool finished = p.waitForFinished(30000);
        const double elapsed = MicrosSince(start);
        const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
        ok = ok && finished && f.size() == 2 && f[0] == "1";
        if (keep && f.size() == 2) {
            wall.push_back(elapsed);
            resident.push_back(f[1].toDouble());
        }
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        RunTrainer(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    const int n = Repetitions(argc, argv, 60);
    Kind bare{"bare Qt window", QStringLiteral(ZW_BARE_WINDOW_PATH), {}};
    Kind label{"bare window with one label", bare.program, {QStringLiteral("--text")}};
    Kind trainer{"trainer", QCoreApplication::applicationFilePath(), {"--child"}};
    const std::initializer_list<Kind*> kinds{&bare, &label, &trainer};
    for (int i = 0; i <= n; ++i) // the first round only fills the page cache
        for (Kind* k : kinds)
            k->Run(i > 0);

    std::printf("%d starts of each, in turn; medians; ratios to the bare window / to the window "
                "with one label.\n\n| process | fork … first paint … exit | ratio | peak "
                "resident until the first paint | ratio |\n|---|---:|---:|---:|---:|\n",
                n);
    for (Kind* k : kinds) {
        const double w = Median(k->wall), r = Median(k->resident);
        std::printf("| %s | %.1f ms | %.2f / %.2f | %.0f KiB | %.2f / %.2f |\n", k->name, w / 1000,
                    w / Median(bare.wall), w / Median(label.wall), r, r / Median(bare.resident),
                    r / Median(label.resident));
    }
    for (Kind* k : kinds)
        if (!k->ok)
            std::printf("\n**Warning:** a start of the %s failed or painted nothing.\n", k->name);
    return 0;
}
