// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

class PrinterProvider;
class QPrinter;

// Runs each printout on a thread of its own, so that the thread that starts it never waits.
// Finding the default printer and handing the document over both talk to the print system,
// and a print system that does not answer (a stopped spooler) holds them up for as long as it
// does not, with no time limit of its own. The calling thread goes on with its events; the end
// of the printout comes back to it as an event of its own.
//
// The printout's thread shares ownership of everything it uses (the printer provider, what it
// composes), so it may run on after the runner, and the window that started it, are gone.
class PrintRunner {
public:
    using Compose = std::function<void(QPrinter&)>;
    // How long the print system has to answer: first with the printer, then with the printout.
    static constexpr std::chrono::seconds Patience{5};
    // How long the runner's end waits for a printout that is being handed over.
    static constexpr std::chrono::milliseconds HandOverAtEnd{1000};

    explicit PrintRunner(std::shared_ptr<PrinterProvider> printers);
    // Gives up a printout on its way as GiveUp does; one that is being handed over has
    // HandOverAtEnd to finish.
    ~PrintRunner();
    PrintRunner(const PrintRunner&) = delete;
    PrintRunner& operator=(const PrintRunner&) = delete;

    // Starts printing what compose draws (values only: it runs on the printout's thread) on
    // the default printer, unless a printout is already on its way; returns whether it
    // started. ended runs on this thread, once, when the printout has been handed over, when
    // there is no printer, when the print system has not answered in time, or on GiveUp.
    // A printer found only after that prints nothing; a printout already being handed over
    // goes on alone.
    bool Start(Compose compose, std::function<void()> ended);
    // Ends the printout on its way at once, as if the print system had run out of time.
    void GiveUp();
    // Whether a printout is on its way: started and not yet ended.
    bool Busy() const { return job_ != nullptr; }

private:
    struct Shared;
    struct Job;
    void Reported(const std::shared_ptr<Job>& job);
    void End();

    std::shared_ptr<PrinterProvider> printers_;
    std::shared_ptr<Shared> shared_;
    std::shared_ptr<Job> job_;
    std::function<void()> ended_;
    // Runs out when the print system has not answered in time. It also receives the
    // printout thread's reports, which so arrive on this thread and are dropped with it.
    QTimer patience_;
};
