// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The credit line after the window caption, stored only in encoded form: each character
// becomes its three-digit Windows-1252 code ("A" is 065).
extern const char* const StoredCreditLine;

// Decodes groups of three digits; one or two digits left over at the end are ignored.
QString DeCrypt(const QString& InputString);
