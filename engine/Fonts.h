// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The face of the number table, the results list, the window's standard text and both
// printouts. On Linux it resolves to Liberation Sans, its metric twin.
inline const QString ArialFamily = QStringLiteral("Arial");
