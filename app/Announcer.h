// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;

// What a screen reader hears of the practice beside the controls it visits: each new
// exercise, each verdict, a series chosen or cleared.
//
// The exercise label names the answer box, so a screen reader says the exercise, and a
// braille display shows it, beside the answer typed. While the focus stays in the answer box,
// news goes out through an invisible notification, shown anew for every message, which screen
// readers speak at once (Qt has no announcement event here); its message stands in a label
// inside it, since a braille display shows a notification's labels for a while. When the
// focus is about to enter the answer box, a screen reader would cut that short to say where
// the focus went, so the news goes on the exercise label instead, read as the focus arrives,
// until the answer changes.
class Announcer : public QWidget {
    Q_OBJECT
public:
    Announcer(QWidget* window, QLabel* exerciseLabel, QLineEdit* answerBox);

    // News told before the exercise that follows: a verdict, a series chosen.
    void Before(const QString& news);
    // The exercise now posed, or posed again, in words, after the news waiting, if any.
    void Exercise(const QString& spokenExercise);
    // News on its own, with no new exercise.
    void Say(const QString& news);

private:
    // labelText: what the exercise label says if the news rides on it.
    void Tell(const QString& news, const QString& labelText);

    QLabel* exerciseLabel_;
    QLineEdit* answerBox_;
    QLabel* message_;
    QStringList waiting_;
    QString exercise_;
};
