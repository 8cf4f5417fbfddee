// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrinterProvider.h"

// The system's default printer as the print system (CUPS) names it, or nothing when the
// print system has no default printer. Waits for as long as the print system does not answer.
class QtPrinterProvider : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override;
};
