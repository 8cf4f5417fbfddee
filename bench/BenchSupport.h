#pragma once

// Helpers shared by the benchmarks: timing, medians, resident memory, a window on quiet
// back ends, and the bare window every figure is compared with.

#include "Form1.h"
#include "MessageBoxes.h"
#include "PrinterProvider.h"
#include "RandomSource.h"
#include "WavePlayer.h"

#include <QCoreApplication>
#include <QFile>
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
    const std::size_t i = std::min(v.size() - 1, static_cast<std::size_t>(p * (v.size() - 1) + 0.5));
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
// window painted at once, then whatever the action left queued.
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

inline void PrintRows(const char* title, const std::vector<Row>& rows) {
    std::printf("\n%s\n", title);
    std::printf("%-44s %7s %10s %10s %12s %8s  %s\n", "benchmark", "n", "median us", "p90 us",
                "baseline us", "ratio", "target");
    for (const Row& r : rows) {
        std::printf("%-44s %7d %10.1f %10.1f %12.1f %8.2f  %s%s\n", r.name.c_str(), r.samples,
                    r.median, r.p90,
                    r.baseline, r.baseline > 0 ? r.median / r.baseline : 0.0, r.target.c_str(),
                    r.target.empty() ? "" : (r.met ? " (met)" : " (NOT met)"));
    }
    std::fflush(stdout);
}

} // namespace bench
