// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintRunner.h"

#include "PrinterProvider.h"

#include <QPrinter>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

// What the printouts' threads share with the runner; it outlives whichever ends last.
struct PrintRunner::Shared {
    // One printout at a time talks to the print system.
    std::mutex printing;
    // Guards every job's fields and handingOver.
    std::mutex state;
    std::condition_variable handedOver;
    int handingOver = 0;
};

// One printout, between its thread and the runner.
struct PrintRunner::Job {
    // The runner while it waits for this printout; null once the printout has ended for it.
    PrintRunner* runner = nullptr;
    bool handingOver = false;
    bool done = false;

    // The printer is there: the printout is handed over unless the runner no longer waits.
    bool Found(Shared& shared, const std::shared_ptr<Job>& self) {
        const std::lock_guard lock(shared.state);
        handingOver = runner != nullptr;
        shared.handingOver += handingOver;
        Tell(self);
        return handingOver;
    }
    void Done(Shared& shared, const std::shared_ptr<Job>& self) {
        {
            const std::lock_guard lock(shared.state);
            done = true;
            shared.handingOver -= handingOver;
            Tell(self);
        }
        shared.handedOver.notify_all();
    }

private:
    // The report reaches the runner as an event to its timer, which lives on the runner's
    // thread and takes pending events with it when it goes.
    void Tell(const std::shared_ptr<Job>& self) {
        if (runner)
            QMetaObject::invokeMethod(
                &runner->patience_, [r = runner, self] { r->Reported(self); },
                Qt::QueuedConnection);
    }
};

PrintRunner::PrintRunner(std::shared_ptr<PrinterProvider> printers)
    : printers_(std::move(printers)), shared_(std::make_shared<Shared>()) {
    patience_.setSingleShot(true);
    QObject::connect(&patience_, &QTimer::timeout, [this] { GiveUp(); });
}

PrintRunner::~PrintRunner() {
    GiveUp();
    std::unique_lock lock(shared_->state);
    shared_->handedOver.wait_for(lock, HandOverAtEnd, [this] { return shared_->handingOver == 0; });
}

bool PrintRunner::Start(Compose compose, std::function<void()> ended) {
    if (job_ || !printers_)
        return false;
    job_ = std::make_shared<Job>();
    job_->runner = this;
    ended_ = std::move(ended);
    patience_.start(Patience);
    std::thread([job = job_, shared = shared_, printers = printers_,
                 compose = std::move(compose)]() mutable {
        const std::lock_guard oneAtATime(shared->printing);
        std::unique_ptr<QPrinter> printer = printers->DefaultPrinter();
        if (printer && job->Found(*shared, job))
            compose(*printer);
        printer.reset();
        compose = nullptr;
        job->Done(*shared, job);
    }).detach();
    return true;
}

void PrintRunner::GiveUp() {
    if (job_)
        End();
}

void PrintRunner::Reported(const std::shared_ptr<Job>& job) {
    if (job != job_)
        return; // a printout that has already ended here
    bool done = false;
    {
        const std::lock_guard lock(shared_->state);
        done = job->done;
    }
    if (done)
        End();
    else // the printer is there: the printout gets its own time to be handed over
        patience_.start(Patience);
}

void PrintRunner::End() {
    patience_.stop();
    {
        const std::lock_guard lock(shared_->state);
        job_->runner = nullptr;
    }
    job_.reset();
    // Last: what ended does may start the next printout.
    if (const auto ended = std::exchange(ended_, nullptr))
        ended();
}
