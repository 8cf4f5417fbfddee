// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"
#include "Form1.h"
#include "GermanTexts.h"
#include "MessageBoxes.h"
#include "RandomSource.h"
#include "ShutdownSignals.h"

#include "QtPrinterProvider.h"
#include "QtWavePlayer.h"

#include <QApplication>
#include <QStandardPaths>

#include <unistd.h>

int main(int argc, char* argv[]) {
    EndOnShutdownSignals();
    // The trainer reads no command line: Qt sees the program's name only.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("zahlwerk"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zahlwerk.Trainer"));
    InstallGermanTexts(app);
    InstallAccessibility();

    ClockSeededRandom random;
    QtWavePlayer sound;
    QtPrinterProvider printers;
    QtMessageBoxes messages;

    Form1Backends backends;
    backends.Random = &random;
    backends.Sound = &sound;
    backends.Printers = &printers;
    backends.Messages = &messages;
    backends.ProgramFolder = QCoreApplication::applicationDirPath();
    backends.FallbackSettingsFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    Form1 form(backends);
    CloseOnShutdownSignals(form);
    form.Form_Load();
    // Asked to end while start-up still ran (a message box was open): the settings are
    // written, and the event loop is not entered at all.
    if (form.Unloaded())
        return 0;
    const int status = app.exec();
    // A printout still waiting for the print system must neither hold up the end nor run on
    // while the application is taken down; the settings are written, nothing else is kept.
    if (form.PrintoutRunning())
        ::_exit(status);
    return status;
}
