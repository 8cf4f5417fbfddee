// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QPrinter;

// Hands out the system's default printer for one printout, or nothing when there is none.
// Called on the printout's own thread (PrintRunner), where it may wait on the print system.
class PrinterProvider {
public:
    virtual ~PrinterProvider() = default;
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
};
