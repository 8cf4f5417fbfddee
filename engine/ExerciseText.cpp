// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExerciseText.h"

#include "PracticeState.h"

namespace {

struct Operation {
    const char16_t* Symbol;
    const char16_t* Word;
};

Operation OperationOf(int calcKind) {
    switch (calcKind) {
    case KindMultiplication:
        return {u"\u00B7", u"mal"};
    case KindDivision:
        return {u"\u00F7", u"geteilt durch"};
    case KindAddition:
        return {u"+", u"plus"};
    default:
        return {u"-", u"minus"};
    }
}

// A division is posed as the product divided by the second operand.
QString Composed(int calcKind, std::int32_t operand1, std::int32_t operand2, const char16_t* sign,
                 const char16_t* equals) {
    const std::int64_t first =
        calcKind == KindDivision ? static_cast<std::int64_t>(operand1) * operand2 : operand1;
    return QString::number(first) + u' ' + QString::fromUtf16(sign) + u' ' +
           QString::number(operand2) + u' ' + QString::fromUtf16(equals);
}

} // namespace

QString ExerciseCaption(int calcKind, std::int32_t operand1, std::int32_t operand2) {
    return Composed(calcKind, operand1, operand2, OperationOf(calcKind).Symbol, u"=");
}

QString SpokenExercise(int calcKind, std::int32_t operand1, std::int32_t operand2) {
    return Composed(calcKind, operand1, operand2, OperationOf(calcKind).Word, u"gleich");
}

QString SpokenResultLine(const QString& spokenExercise, const QString& answer, bool right,
                         const QString& secondsText) {
    return spokenExercise + QLatin1Char(' ') + answer +
           (right ? QStringLiteral(", richtig, ") : QStringLiteral(", falsch, ")) + secondsText;
}
