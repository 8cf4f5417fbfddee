// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcer.h"

#include <QLabel>
#include <QLineEdit>

Announcer::Announcer(QWidget* window, QLabel* exerciseLabel, QLineEdit* answerBox)
    : QWidget(window), exerciseLabel_(exerciseLabel), answerBox_(answerBox),
      message_(new QLabel(this)) {
    setObjectName(QStringLiteral("Announcer"));
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    exerciseLabel_->setBuddy(answerBox_);
    connect(answerBox_, &QLineEdit::textChanged, this, [this] {
        if (exerciseLabel_->accessibleName() != exercise_)
            exerciseLabel_->setAccessibleName(exercise_);
    });
}

void Announcer::Before(const QString& news) {
    waiting_.append(news);
}

void Announcer::Exercise(const QString& spokenExercise) {
    exercise_ = spokenExercise;
    waiting_.append(spokenExercise);
    const QString news = waiting_.join(QStringLiteral(". "));
    waiting_.clear();
    Tell(news, news);
}

void Announcer::Say(const QString& news) {
    Tell(news, news + QStringLiteral(". ") + exercise_);
}

void Announcer::Tell(const QString& news, const QString& labelText) {
    if (window()->focusWidget() != answerBox_) {
        exerciseLabel_->setAccessibleName(labelText);
        return;
    }
    exerciseLabel_->setAccessibleName(exercise_);
    message_->setText(news);
    // Shown anew, the notification is spoken with its new text.
    hide();
    show();
}
