// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the benchmarks share: medians, resident memory, the bare window every time is compared
// with, and the real window on quiet back ends, reached only through its controls.

#include "Form1.h"
#include "MessageBoxes.h"
#include "RandomSource.h"
#include "WavePlayer.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MicrosSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

inline double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Resident memory of this process in KiB (VmRSS), or -1.
inline long ResidentKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// "--quick" takes a tenth of the samples, for a look while changing the code.
inline int Repetitions(int argc, char** argv, int full) {
    return argc > 1 && std::strcmp(argv[1], "--quick") == 0 ? std::max(full / 10, 3) : full;
}

// The window painted at once, then whatever the action left queued. Qt repaints every control
// except opaque ones nothing marked dirty (the table, when the action did not touch it).
inline void Present(QWidget& window) {
    window.repaint();
    QCoreApplication::sendPostedEvents();
}

// The yardstick of every time: a bare top-level widget of the trainer's size.
inline std::unique_ptr<QWidget> BareWindow(QSize size) {
    auto w = std::make_unique<QWidget>();
    w->resize(size);
    w->show();
    QCoreApplication::processEvents();
    return w;
}

// The answer to an exercise as the window shows it: "7 · 8 =", "56 ÷ 8 =", "7 + 8 =", "8 - 7 =".
inline qint64 AnswerTo(const QString& exercise) {
    const QStringList p = exercise.split(QLatin1Char(' '));
    const qint64 a = p.value(0).toLongLong(), b = p.value(2).toLongLong();
    const int op = p.size() == 4 && p[3] == QStringLiteral("=")
                       ? QStringLiteral("\u00B7\u00F7+-").indexOf(p[1])
                       : -1;
    if (op < 0 || (op == 1 && b == 0))
        qFatal("an exercise of unknown form: \"%s\"", qPrintable(exercise));
    return op == 0 ? a * b : op == 1 ? a / b : op == 2 ? a + b : a - b;
}

// The real window on quiet back ends, which this class provides: no audio output (the clips
// are still loaded on every answer), no printer, message boxes answered at once. It starts at
// an upper bound with the table shown and all four kinds of exercise, by a settings file in
// its program folder as a user's own would be.
class Trainer : public WavePlayer, public MessageBoxes {
    ClockSeededRandom random_;
    QTemporaryDir folder_, fallback_;

public:
    explicit Trainer(int maxNum) {
        QFile ini(folder_.filePath(QStringLiteral("zahlwerk.ini")));
        const QByteArray text = "MaxNum = " + QByteArray::number(maxNum) +
                                "\r\nCalcMode = 0,1,2,3\r\nSound = 1\r\nShowTable = 1\r\n";
        if (!ini.open(QIODevice::WriteOnly) || ini.write(text) != text.size() || !ini.flush())
            qFatal("cannot write the settings file");
        // Random source, sound, printers, message boxes, program folder, fallback folder.
        form = std::make_unique<Form1>(
            Form1Backends{&random_, this, nullptr, this, folder_.path(), fallback_.path()});
        form->Form_Load();
        QCoreApplication::processEvents();
        answer = form->findChild<QLineEdit*>(QStringLiteral("tbErgebnis"));
        exercise = form->findChild<QLabel*>(QStringLiteral("lbAufgabe"));
        statistics = form->findChild<QLabel*>(QStringLiteral("lbStatistik"));
        table = form->findChild<QWidget*>(QStringLiteral("MSFlexGrid1"));
        if (!answer || !exercise || !statistics || !table)
            qFatal("the window lacks one of tbErgebnis, lbAufgabe, lbStatistik, MSFlexGrid1");
        Present(*form);
    }
    void TypeAnswer() { QTest::keyClicks(answer, QString::number(AnswerTo(exercise->text()))); }
    void PressEnter() { QTest::keyClick(answer, Qt::Key_Return); }
    // The statistics say "100% richtige Antworten" as long as no answer was wrong.
    bool AllRight() const { return statistics->text().contains(QStringLiteral("100% richtige")); }

    void PlayWave(const QString&, const QByteArray&) override {}
    int MsgBox(QWidget*, const QString&, int, const QString&) override { return Ok; }

    std::unique_ptr<Form1> form;
    QLineEdit* answer = nullptr;
    QLabel* exercise = nullptr;
    QLabel* statistics = nullptr;
    QWidget* table = nullptr;
};

// The table keeps the pictures of its last four arrangements and copies a kept one instead
// of painting it again. A palette colour it never draws with, changed untimed, leaves none
// of them fitting: the next paint is done afresh, as after a new bound or window size.
inline void ForgetTablePictures(QWidget& table) {
    static QRgb tint = 0;
    QPalette p = table.palette();
    p.setColor(QPalette::Link, QColor::fromRgb(++tint & 0xffffff));
    table.setPalette(p);
}

// Times the table's paint events while armed: every row shows whether the table was painted
// during the action, and whether afresh (a full paint) or from a kept picture (a copy).
class TablePaints : public QObject {
public:
    explicit TablePaints(QWidget& table) { table.installEventFilter(this); }
    bool armed = false;
    std::vector<double> micros;

protected:
    bool eventFilter(QObject* table, QEvent* event) override {
        if (!armed || event->type() != QEvent::Paint)
            return false;
        const auto t = Clock::now();
        table->event(event);
        micros.push_back(MicrosSince(t));
        return true;
    }
};

struct Row {
    const char* name;
    double median, baseline;
    double tablePaints, tableMedian; // per action, and their median time
};

// Samples the action and the baseline alternately, so both see the same load. The untimed
// steps prepare each sample and settle what it left queued before the baseline runs.
inline Row Measure(const char* name, int n, const std::function<void()>& action,
                   const std::function<void()>& baseline, const std::function<void()>& before,
                   const std::function<void()>& after, TablePaints& paints) {
    std::vector<double> a, b;
    paints.micros.clear();
    for (int i = 0; i < n; ++i) {
        before();
        paints.armed = true;
        auto t = Clock::now();
        action();
        a.push_back(MicrosSince(t));
        paints.armed = false;
        after();
        t = Clock::now();
        baseline();
        b.push_back(MicrosSince(t));
    }
    return {name, Median(a), Median(b), static_cast<double>(paints.micros.size()) / n,
            Median(paints.micros)};
}

inline void PrintRows(const char* baselineName, const std::vector<Row>& rows) {
    std::printf("| action | median | %s | ratio | table paints per action × median |\n"
                "|---|---:|---:|---:|---:|\n",
                baselineName);
    for (const Row& r : rows) {
        std::printf("| %s | %.0f µs | %.0f µs | **%.2f** | %.2f × %.0f µs |\n", r.name, r.median,
                    r.baseline, r.median / r.baseline, r.tablePaints, r.tableMedian);
    }
    std::fflush(stdout);
}

} // namespace bench
