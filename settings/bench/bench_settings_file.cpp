// How fast the settings file is read, and how much memory that takes, for files far beyond
// any real one: 100 MB each of short lines, of 1 MB lines, of one number 100 MB long, and of
// a single line without "=". Prints MB/s and the growth of the peak resident size.

#include "SettingsFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

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

// A line of /proc/self/status in KiB, e.g. VmRSS (now) or VmHWM (peak).
long StatusKiB(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(static_cast<int>(qstrlen(key)) + 1).trimmed().split(' ')[0].toLong();
    }
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

} // namespace

int main() {
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
    const QString path = tmp.filePath("zahlwerk.ini");
    for (const Shape& shape : shapes) {
        {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly))
                return 1;
            file.write(shape.head);
            for (int i = 0; i < Megabytes; ++i)
                file.write(shape.block);
        }
        ResetPeak();
        const long before = StatusKiB("VmRSS:");
        CountingTarget target;
        QElapsedTimer clock;
        clock.start();
        const bool read = ReadSettingsFile(path, target);
        const double seconds = clock.nsecsElapsed() / 1e9;
        std::printf("%-20s %s %8.0f MB/s  %8ld effects  peak +%ld KiB\n", shape.name,
                    read ? "read  " : "FAILED", Megabytes / seconds, target.effects,
                    StatusKiB("VmHWM:") - before);
    }
    return 0;
}
