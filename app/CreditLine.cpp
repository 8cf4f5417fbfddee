// SPDX-License-Identifier: GPL-3.0-or-later
#include "CreditLine.h"

#include <array>

// "Kopfrechnen mit Herz und Verstand !"
const char* const StoredCreditLine =
    "075111112102114101099104110101110032109105116032072101114122032117110100"
    "032086101114115116097110100032033";

namespace {

// Windows-1252 codes 128 to 159; the five undefined codes keep their own value.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar FromAnsi(int code) {
    if (code >= 0x80 && code < 0xA0)
        return QChar(HighControlRange[static_cast<std::size_t>(code - 0x80)]);
    return QChar(static_cast<char16_t>(code & 0xFF));
}

} // namespace

QString DeCrypt(const QString& InputString) {
    QString result;
    if (InputString.size() < 3)
        return result;
    for (qsizetype i = 0; i + 2 < InputString.size(); i += 3) {
        bool ok = false;
        const int code = InputString.mid(i, 3).toInt(&ok);
        result.append(FromAnsi(ok ? code : 0));
    }
    return result;
}
