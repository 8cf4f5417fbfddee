// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// The trainer speaks German whatever the desktop's language is: Qt's own texts (the answer
// box's context menu, the buttons of message boxes) come from Qt's German translation,
// compiled into the program, so a copy in any folder and any locale shows them in German.
void InstallGermanTexts(QCoreApplication& app);
