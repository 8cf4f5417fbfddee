// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader's throughput, against the least any reader of the file has to do: the
// same file read in the same 64 KiB chunks with its line ends counted, sampled alternately
// in the same run. Files of 100 MB, far beyond a real one of a few hundred bytes, in three
// shapes: short lines, lines of 1 MB, one number 100 MB long. The program reads no file above
// SettingsFileSizeLimit; here the limit is raised to let these through.
// Then the window's start-up with a settings file of the size limit, against reading that file:
// plain lines, and lines that flip "ohne 1", whose change rebuilds the table.

#include "BenchSupport.h"
#include "SettingsFile.h"

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

// Back ends that do nothing: no audio output, message boxes answered at once (and no printer).
class QuietBackends : public WavePlayer, public MessageBoxes {
public:
    void PlayWave(const QString&, const QByteArray&) override {}
    int MsgBox(QWidget*, const QString&, int, const QString&) override { return Ok; }
};

long CountLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1;
    std::vector<char> chunk(64 * 1024);
    long lines = 0;
    for (qint64 n; (n = file.read(chunk.data(), static_cast<qint64>(chunk.size()))) > 0;)
        lines += std::count(chunk.data(), chunk.data() + n, '\n');
    return lines;
}

} // namespace

// Start-up of the real window, its program folder holding a settings file of the size limit
// made of `line` again and again, against the settings reader on the same file.
void StartUpRow(const char* name, const QByteArray& line, int n) {
    QTemporaryDir folder, fallback;
    const QString path = folder.filePath(QStringLiteral("zahlwerk.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(line.repeated(int(SettingsFileSizeLimit / line.size()))) < 0)
        qFatal("cannot write the settings file");
    file.close();
    CountLines(path);
    ClockSeededRandom random;
    QuietBackends quiet;
    std::vector<double> startUp, reader;
    for (int i = 0; i < n; ++i) {
        auto t = Clock::now();
        {
            Form1 form(
                Form1Backends{&random, &quiet, nullptr, &quiet, folder.path(), fallback.path()});
            form.Form_Load();
            startUp.push_back(MicrosSince(t)); // never closed: the file is not rewritten
        }
        CountingTarget target;
        t = Clock::now();
        ReadSettingsFile(path, target, SettingsFileSizeLimit);
        reader.push_back(MicrosSince(t));
    }
    const double s = Median(startUp), r = Median(reader);
    std::printf("| %s | %.0f ms | %.0f ms | **%.1f** |\n", name, s / 1000, r / 1000, s / r);
}

int main(int argc, char* argv[]) {
    const int n = Repetitions(argc, argv, 7);
    constexpr int MB = 1 << 20, Size = 100;
    const struct {
        const char* name;
        QByteArray head, block; // block: 1 MB, written Size times
    } shapes[] = {
        {"short lines", "", QByteArray("Sound = 1\r\nMaxNum = 12\r\n; note\r\n").repeated(MB / 32)},
        {"lines of 1 MB", "", "CalcMode = " + QByteArray("0123456789").repeated(MB / 10) + "\r\n"},
        {"one number of 100 MB", "MaxNum = ", QByteArray("1 ").repeated(MB / 2)},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("zahlwerk.ini"));
    std::printf("%d reads of each file, medians.\n\n| %d MB file | reader | read + count lines "
                "| ratio | reader |\n|---|---:|---:|---:|---:|\n",
                n, Size);
    for (const auto& shape : shapes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(shape.head) < 0)
            return 1;
        for (int i = 0; i < Size; ++i)
            file.write(shape.block);
        file.close();
        CountLines(path); // the file in the page cache for both
        std::vector<double> reader, baseline;
        bool ok = true;
        for (int i = 0; i < n; ++i) {
            CountingTarget target;
            auto t = Clock::now();
            ok = ReadSettingsFile(path, target, std::int64_t{Size + 1} * MB) &&
                 target.effects > 0 && ok;
            reader.push_back(MicrosSince(t));
            t = Clock::now();
            ok = CountLines(path) >= 0 && ok;
            baseline.push_back(MicrosSince(t));
        }
        const double r = Median(reader), b = Median(baseline);
        std::printf("| %s | %.0f ms | %.0f ms | **%.1f** | %.0f MB/s |%s\n", shape.name, r / 1000,
                    b / 1000, r / b, Size / (r / 1e6), ok ? "" : " **failed**");
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("\n| %lld KiB settings file | window start-up | reader | ratio |\n"
                "|---|---:|---:|---:|\n",
                static_cast<long long>(SettingsFileSizeLimit >> 10));
    StartUpRow("plain lines", "Sound = 1\r\n", n);
    StartUpRow("lines flipping \"ohne 1\"", "Without1 = 1\r\nWithout1 = 0\r\n", n);
    return 0;
}
