// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcer.h"

Announcer::Announcer(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("Announcer"));
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Announcer::Verdict(bool right) {
    verdict_ = right ? QStringLiteral("richtig") : QStringLiteral("falsch");
}

void Announcer::Exercise(const QString& spokenExercise) {
    message_ =
        verdict_.isEmpty() ? spokenExercise : verdict_ + QStringLiteral(". ") + spokenExercise;
    verdict_.clear();
    // Shown anew, the notification is spoken with its new name.
    hide();
    show();
}
