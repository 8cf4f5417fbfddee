// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

// What a screen reader hears of the practice beside the controls it visits: each new
// exercise and each verdict, spoken while the focus stays in the answer box.
//
// Qt has no announcement event here, so the news is an invisible notification inside the
// window: it carries the message as its name and is shown anew for every message, which
// screen readers speak at once.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    // The verdict on the answer just judged; it is spoken before the exercise that follows.
    void Verdict(bool right);
    // The exercise now posed, in words, after the verdict if one is waiting.
    void Exercise(const QString& spokenExercise);
    QString Message() const { return message_; }

private:
    QString verdict_;
    QString message_;
};
