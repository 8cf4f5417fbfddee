// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include <QMessageBox>

int QtMessageBoxes::MsgBox(QWidget* parent, const QString& prompt, int style,
                           const QString& title) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(prompt);
    // Screen readers speak an alert's description when it opens; the text label alone is not
    // found by them, and a blind child would hear only the title and the button.
    box.setAccessibleDescription(prompt);
    box.setIcon((style & Information) ? QMessageBox::Information
                : (style & Question)  ? QMessageBox::Question
                                      : QMessageBox::NoIcon);
    if ((style & 0x0F) == OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Ok : Cancel;
}
