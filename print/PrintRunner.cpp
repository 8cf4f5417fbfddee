// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintRunner.h"

#include "PrinterProvider.h"

#include <QEventLoop>
#include <QPrinter>
#include <QTimer>

#include <atomic>
#include <mutex>
#include <thread>

// What the printouts' threads share with the runner; it outlives whichever ends last.
struct PrintRunner::Shared {
    // One printout at a time talks to the print system.
    std::mutex printing;
    std::atomic<int> running{0};
};

namespace {

// Why a wait ended; 0 is the application's own end of every event loop.
enum WaitEnd { Reported = 1, OutOfPatience, Stopped };

// One printout, between its thread and the thread that waits for it.
struct Job {
    std::mutex mutex;
    QEventLoop* waiting = nullptr; // null once nobody waits any more
    bool found = false;
    bool done = false;

    // Marks a step as reached and wakes the waiting thread; false when nobody waits.
    bool Report(bool Job::*step) {
        const std::lock_guard lock(mutex);
        this->*step = true;
        if (waiting)
            QMetaObject::invokeMethod(
                waiting, [loop = waiting] { loop->exit(Reported); }, Qt::QueuedConnection);
        return waiting != nullptr;
    }
};

} // namespace

PrintRunner::PrintRunner(PrinterProvider* printers)
    : printers_(printers), shared_(std::make_shared<Shared>()) {}

PrintRunner::~PrintRunner() = default;

void PrintRunner::Print(Compose compose) {
    if (!printers_)
        return;
    auto job = std::make_shared<Job>();
    QEventLoop loop;
    job->waiting = &loop;
    ++shared_->running;
    std::thread([job, shared = shared_, printers = printers_,
                 compose = std::move(compose)]() mutable {
        {
            const std::lock_guard oneAtATime(shared->printing);
            std::unique_ptr<QPrinter> printer = printers->DefaultPrinter();
            if (job->Report(&Job::found) && printer)
                compose(*printer);
            printer.reset();
            compose = nullptr;
            job->Report(&Job::done);
        }
        --shared->running;
    }).detach();

    QTimer patience;
    patience.setSingleShot(true);
    QObject::connect(&patience, &QTimer::timeout, &loop, [&loop] { loop.exit(OutOfPatience); });
    patience.start(Patience);
    waiting_ = &loop;
    for (bool printing = false;;) {
        const int end = loop.exec(QEventLoop::ExcludeUserInputEvents);
        const std::lock_guard lock(job->mutex);
        if (end != Reported || job->done) {
            job->waiting = nullptr;
            break;
        }
        // The printer is there: the printout gets its own time to be handed over.
        if (job->found && !printing) {
            printing = true;
            patience.start(Patience);
        }
    }
    waiting_ = nullptr;
}

void PrintRunner::StopWaiting() {
    if (waiting_)
        waiting_->exit(Stopped);
}

bool PrintRunner::Busy() const {
    return shared_->running > 0;
}
