// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <memory>

class PrinterProvider;
class QEventLoop;
class QPrinter;

// Runs each printout on a thread of its own. Finding the default printer and handing the
// document over both talk to the print system, and a print system that does not answer (a
// stopped spooler) holds them up for as long as it does not, with no time limit of its own.
// Meanwhile the calling thread waits in an event loop: its windows paint, close and take
// signals, while user input waits until the printout is over.
class PrintRunner {
public:
    using Compose = std::function<void(QPrinter&)>;
    // How long the print system has to answer: first with the printer, then with the printout.
    static constexpr std::chrono::seconds Patience{5};

    explicit PrintRunner(PrinterProvider* printers);
    ~PrintRunner();
    PrintRunner(const PrintRunner&) = delete;
    PrintRunner& operator=(const PrintRunner&) = delete;

    // Prints what compose draws (values only: it runs on the printout's thread) on the default
    // printer. Returns when the printout has been handed over, when there is no printer, when
    // the print system has not answered in time, or on StopWaiting. A printer found only after
    // that prints nothing; a printout already being handed over goes on alone.
    void Print(Compose compose);
    // Ends the wait of a running Print at once.
    void StopWaiting();
    // Whether a printout is still running or waiting for the print system.
    bool Busy() const;

private:
    struct Shared;
    PrinterProvider* printers_;
    std::shared_ptr<Shared> shared_;
    QEventLoop* waiting_ = nullptr;
};
