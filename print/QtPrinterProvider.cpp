// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrinterProvider.h"

#include <QPrinter>
#include <QPrinterInfo>

std::unique_ptr<QPrinter> QtPrinterProvider::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}
