#pragma once

// Helpers shared by the benchmarks: timing, medians, resident memory, a window on quiet
// back ends, and the bare window every figure is compared with.

#include "Form1.h"
#include "MessageBoxes.h"
#include "PrinterProvider.h"
#include "RandomSource.h"
#include "WavePlayer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPalette>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace bench {

// The window's design size in pixels (12780 × 8070 twips).
inline constexpr int WindowWidth = 852;
inline constexpr int WindowHeight = 538;

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

inline double Percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t i =
        std::min(v.size() - 1, static_cast<std::size_t>(p * (v.size() - 1) + 0.5));
    return v[i];
}

// Resident memory of this process in KiB, from /proc/self/status.
inline long ResidentKiB(const QString& statusFile = QStringLiteral("/proc/self/status")) {
    QFile f(statusFile);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Everything that comes after the user's action and before the screen shows it: the
// window painted at once, then whatever the action left queued. Qt paints every control of
// the window here except opaque ones nothing has marked dirty (the table, when the action
// did not touch it): their pixels are still in the window's backing store, and the event
// loop would not paint them either.
inline void Present(QWidget& window) {
    window.repaint();
    QCoreApplication::sendPostedEvents();
}

// Back ends that do nothing and never wait for a person. The clips are still loaded from
// the resources by the window; only the audio output itself is left out.
class SilentWavePlayer : public WavePlayer {
public:
    void PlayWave(const QString&, const QByteArray&, unsigned) override {}
};

class AcceptingMessageBoxes : public MessageBoxes {
public:
    int MsgBox(QWidget*, const QString&, int, const QString&) override { return Ok; }
};

class NoPrinter : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override { return nullptr; }
};

// A real Form1 with its program folder in a fresh temporary directory.
struct Trainer {
    ClockSeededRandom random;
    SilentWavePlayer sound;
    NoPrinter printers;
    AcceptingMessageBoxes messages;
    QTemporaryDir programFolder;
    QTemporaryDir fallbackFolder;
    std::unique_ptr<Form1> form;

    Form1Backends Backends() {
        Form1Backends b;
        b.Random = &random;
        b.Sound = &sound;
        b.Printers = &printers;
        b.Messages = &messages;
        b.ProgramFolder = programFolder.path();
        b.FallbackSettingsFolder = fallbackFolder.path();
        return b;
    }

    // Construction and Form_Load, as the program starts.
    Form1& Start() {
        form = std::make_unique<Form1>(Backends());
        form->Form_Load();
        return *form;
    }

    // Shows the table at the given upper bound in its standard arrangement.
    void ShowTable(int maxNum) {
        Form1& f = *form;
        f.State.MaxNum = maxNum;
        f.chkTableVisible->setChecked(true);
        f.chkTableVisible_MouseUp(0, 0, 0, 0);
        f.BuildTable();
        f.FillTable(0);
    }
};

// The table keeps the pictures of its last few arrangements and copies a kept one instead of
// painting it again. A benchmark that stands for a moment where the program meets a table
// it has not kept (the first answers after a build, a new bound, a new window size) calls
// this untimed before the action: a palette colour the grid never draws with is changed, so
// none of the kept pictures fits and the next paint draws the table afresh, exactly as
// before. GridPaints below tells which of the two a measured action got.
inline void ForgetGridPictures(QWidget& grid) {
    static bool flip = false;
    flip = !flip;
    QPalette p = grid.palette();
    p.setColor(QPalette::Link, flip ? QColor(0, 0, 254) : QColor(0, 0, 255));
    grid.setPalette(p);
}

// Times the paint events one widget (the table) receives while armed: how many there are
// and how long each takes. A picture copied from the kept ones costs a fraction of a
// picture painted afresh, so this shows what a measured action really got.
class GridPaints : public QObject {
public:
    explicit GridPaints(QWidget& w) : widget_(w) { w.installEventFilter(this); }
    ~GridPaints() override { widget_.removeEventFilter(this); }

    bool armed = false;
    int actions = 0;
    std::vector<double> micros; // one per paint event while armed

    void Clear() {
        actions = 0;
        micros.clear();
    }
    double PerAction() const { return actions ? double(micros.size()) / actions : 0.0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!armed || watched != &widget_ || event->type() != QEvent::Paint)
            return false;
        const auto t = Clock::now();
        watched->event(event); // the widget's own paint, timed
        micros.push_back(MicrosSince(t));
        return true;
    }

private:
    QWidget& widget_;
};

// The yardstick: a bare top-level widget of the window's size.
inline std::unique_ptr<QWidget> BareWindow() {
    auto w = std::make_unique<QWidget>();
    w->resize(WindowWidth, WindowHeight);
    w->show();
    return w;
}

// One row of a result table: the median of the measured action, the median of the
// baseline sampled in the same loop, and their ratio.
struct Row {
    std::string name;
    double median = 0;
    double p90 = 0;
    double baseline = 0;
    int samples = 0;
    std::string target;
    bool met = true;
    double gridPaints = -1; // table paint events per action, when observed
    double gridMedian = 0;  // their median time
};

// Samples action and baseline alternately, so both see the same machine load. The untimed
// steps prepare the action and clean up after it, so nothing it leaves behind (a pending
// repaint, for one) lands in the baseline's sample.
inline Row Measure(const std::string& name, int repetitions, const std::function<void()>& action,
                   const std::function<void()>& baseline,
                   const std::function<void()>& untimedBefore = {},
                   const std::function<void()>& untimedAfter = {}) {
    std::vector<double> a, b;
    a.reserve(static_cast<std::size_t>(repetitions));
    b.reserve(static_cast<std::size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        if (untimedBefore)
            untimedBefore();
        auto t = Clock::now();
        action();
        a.push_back(MicrosSince(t));
        if (untimedAfter)
            untimedAfter();
        t = Clock::now();
        baseline();
        b.push_back(MicrosSince(t));
    }
    Row r;
    r.name = name;
    r.median = Median(a);
    r.p90 = Percentile(a, 0.9);
    r.baseline = Median(b);
    r.samples = repetitions;
    return r;
}

// Measure, with the table's paint events observed during the action (not the baseline).
inline Row MeasureWithGrid(GridPaints& grid, const std::string& name, int repetitions,
                           const std::function<void()>& action,
                           const std::function<void()>& baseline,
                           const std::function<void()>& untimedBefore = {},
                           const std::function<void()>& untimedAfter = {}) {
    grid.Clear();
    Row r = Measure(
        name, repetitions,
        [&] {
            grid.armed = true;
            action();
            grid.armed = false;
            ++grid.actions;
        },
        baseline, untimedBefore, untimedAfter);
    r.gridPaints = grid.PerAction();
    r.gridMedian = Median(grid.micros);
    return r;
}

inline void PrintRows(const char* title, const std::vector<Row>& rows) {
    std::printf("\n%s\n", title);
    std::printf("%-50s %6s %10s %10s %12s %8s %14s  %s\n", "benchmark", "n", "median us", "p90 us",
                "baseline us", "ratio", "table paint", "target");
    for (const Row& r : rows) {
        char grid[32] = "";
        if (r.gridPaints >= 0)
            std::snprintf(grid, sizeof grid, "%.2f x %.0f us", r.gridPaints, r.gridMedian);
        std::printf("%-50s %6d %10.1f %10.1f %12.1f %8.2f %14s  %s%s\n", r.name.c_str(), r.samples,
                    r.median, r.p90, r.baseline, r.baseline > 0 ? r.median / r.baseline : 0.0, grid,
                    r.target.c_str(), r.target.empty() ? "" : (r.met ? " (met)" : " (NOT met)"));
    }
    std::fflush(stdout);
}

} // namespace bench
