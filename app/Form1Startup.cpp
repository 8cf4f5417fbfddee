// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "CreditLine.h"
#include "RandomSource.h"
#include "TableView.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
const QString SettingsFileName = QStringLiteral("zahlwerk.ini");
}

void Form1::Form_Load() {
    // The window is visible before the settings are read: check-box handlers that the
    // settings run move the focus and find the window already shown.
    show();
    setWindowTitle(windowTitle() + QStringLiteral("      ") +
                   DeCrypt(QString::fromLatin1(StoredCreditLine)));
    LoadIniFileData(SettingsFileName);
    State.ResetPracticeLists();
    Form_Resize();
    BuildTable();
    table_->FillTable(State, SkipOne());
    ApplyTableCheckBox();
    // The program may have been told to end while the table's message box was open.
    if (unloaded_)
        return;
    backends_.Random->SeedFromClock();
    NewExercise();
}

void Form1::Form_Unload() {
    // Closing is never refused. The settings are written once; the clock stops and no
    // further event of the practice runs.
    if (unloaded_)
        return;
    unloaded_ = true;
    SaveIniFileData(SettingsFileName);
    Timer1->stop();
    // A printout on its way is given up; one being handed over goes on alone.
    printing_.GiveUp();
    // The program ends with its window, whatever other top-level window (a tool tip, a
    // message box) might still be around.
    QCoreApplication::quit();
}
