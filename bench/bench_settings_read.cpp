// Reading the settings file, against a baseline sampled alternately in the same run: the
// same file read in the same 64 KiB chunks with its line ends counted (memchr), which is
// the least any reader of the file has to do. Four files of 100 MB far beyond any real one:
// short lines, 1 MB lines, one number 100 MB long, one line without "=". Medians of several reads each; the growth of
// the peak resident size during the reader's reads.

#include "BenchSupport.h"
#include "SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

using namespace bench;

namespace {

class CountingTarget : public SettingsTarget {
public:
    void SetMaxNum(std::int32_t) override { ++effects; }
    void CheckCalcKind(int) override { ++effects; }
    void SetSound(bool) override { ++effects; }
    void SetShowTable(bool) override { ++effects; }
    void SetWithout1(bool) override { ++effects; }
    long effects = 0;
};

long PeakKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Lets the peak start again from the present size (Linux 4.0 and later).
void ResetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

QByteArray Repeat(const QByteArray& piece, int size) {
    QByteArray out;
    while (out.size() < size)
        out += piece;
    out.truncate(size);
    return out;
}

// The baseline: the file in 64 KiB chunks, line ends counted.
long CountLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1;
    std::vector<char> chunk(64 * 1024);
    long lines = 0;
    for (;;) {
        const qint64 n = file.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (n <= 0)
            break;
        const char* p = chunk.data();
        const char* end = p + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr) {
            ++lines;
            ++p;
        }
    }
    return lines;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int samples = quick ? 2 : 5;
    constexpr int Megabyte = 1 << 20;
    constexpr int Megabytes = 100;
    struct Shape {
        const char* name;
        QByteArray head;
        QByteArray block; // one megabyte, written 100 times
    };
    const Shape shapes[] = {
        {"short lines", "", Repeat("Sound = 1\r\nMaxNum = 12\r\n; note\r\n", Megabyte)},
        {"1 MB lines", "", "CalcMode = " + Repeat("0123456789", Megabyte - 13) + "\r\n"},
        {"one long number", "MaxNum = ", Repeat("1 ", Megabyte)},
        {"one line without =", "", QByteArray(Megabyte, 'x')},
    };

    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("zahlwerk.ini"));
    std::printf("Settings file of %d MB read (medians of %d; baseline = the same file read in "
                "the same chunks, line ends counted)\n",
                Megabytes, samples);
    std::printf("%-20s %10s %10s %8s %14s %8s %12s\n", "file", "reader", "baseline", "ratio",
                "reader MB/s", "effects", "peak growth");
    for (const Shape& shape : shapes) {
        {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly))
                return 1;
            file.write(shape.head);
            for (int i = 0; i < Megabytes; ++i)
                file.write(shape.block);
        }
        CountLines(path); // the file in the page cache for both
        std::vector<double> reader, baseline;
        long effects = 0, peak = 0;
        bool ok = true;
        for (int i = 0; i < samples; ++i) {
            ResetPeak();
            const long before = PeakKiB();
            CountingTarget target;
            auto t = Clock::now();
            ok = ReadSettingsFile(path, target) && ok;
            reader.push_back(MicrosSince(t));
            peak = std::max(peak, PeakKiB() - before);
            effects = target.effects;
            t = Clock::now();
            ok = CountLines(path) >= 0 && ok;
            baseline.push_back(MicrosSince(t));
        }
        const double r = Median(reader), b = Median(baseline);
        std::printf("%-20s %7.0f ms %7.0f ms %8.2f %14.0f %8ld %8ld KiB%s\n", shape.name, r / 1000,
                    b / 1000, r / b, Megabytes / (r / 1e6), effects, peak, ok ? "" : "  FAILED");
    }
    std::fflush(stdout);
    return 0;
}
