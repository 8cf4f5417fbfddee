// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

// The end of a started window's process in bench_startup: waits for its first paint (at most
// 5 s), prints "<painted> <peak resident KiB>" and leaves at once.
[[noreturn]] inline void ReportFirstPaint(const bool& painted) {
    QElapsedTimer t;
    t.start();
    while (!painted && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d %ld\n", painted ? 1 : 0, usage.ru_maxrss);
    std::fflush(stdout);
    _exit(0);
}
