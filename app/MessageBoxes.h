// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Modal message boxes. A style adds up an icon and a choice of buttons: Information alone
// (64) is the information icon with an OK button, OkCancel | Question (33) the question
// icon with OK and Cancel. The result is Ok or Cancel (Cancel also when the box is closed
// without a choice).
class MessageBoxes {
public:
    enum Style : int { OkOnly = 0, OkCancel = 1, Question = 32, Information = 64 };
    enum Result : int { Ok = 1, Cancel = 2 };

    virtual ~MessageBoxes() = default;
    virtual int MsgBox(QWidget* parent, const QString& prompt, int style, const QString& title) = 0;
};

// The real boxes, shown with QMessageBox.
class QtMessageBoxes : public MessageBoxes {
public:
    int MsgBox(QWidget* parent, const QString& prompt, int style, const QString& title) override;
};
