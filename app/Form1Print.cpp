// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "GridWidget.h"
#include "MessageBoxes.h"
#include "Printouts.h"
#include "ResultsPicture.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPrinter>

namespace {

constexpr int ConfirmStyle = MessageBoxes::OkCancel | MessageBoxes::Question;

} // namespace

// Asks first; on OK prints with the default printer. The printout goes on its way while the
// window carries on: until it has been handed over, or the print system has run out of time,
// the busy pointer shows and a click, a key or a screen reader's press on a printer symbol
// starts nothing, neither now nor later. (The symbols stay enabled: disabling one would push
// the keyboard focus away from it.) A missing or failing printer, or a print system that does
// not answer in time, is not reported: the user simply gets no printout. What is printed is
// read from the window once OK is given. The job name is what the print queue and a PDF
// printer show for the job.
template <typename Read>
void Form1::PrintAfterConfirmation(const QString& prompt, const QString& title,
                                   const QString& jobName, Read read) {
    if (printing_.Busy() ||
        backends_.Messages->MsgBox(this, prompt, ConfirmStyle, title) != MessageBoxes::Ok ||
        unloaded_)
        return;
    const bool started = printing_.Start(
        [jobName, print = read()](QPrinter& printer) {
            printer.setDocName(jobName);
            print(printer);
        },
        [] { QGuiApplication::restoreOverrideCursor(); });
    if (started)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void Form1::cmdPrintResults_Click() {
    PrintAfterConfirmation(QStringLiteral("Wollen Sie die Ergebnisliste ausdrucken?"),
                           QStringLiteral("Ergebnisliste drucken"),
                           QStringLiteral("Zahlwerk Trainer – Ergebnisliste"), [this] {
                               ResultsPrintout content;
                               content.Caption = windowTitle();
                               content.ResultLines = State.ResultLines;
                               content.Statistics = lbStatistik->text();
                               content.TotalSeconds = State.TotalSeconds;
                               return
                                   [content](QPrinter& printer) { PrintResults(printer, content); };
                           });
}

void Form1::cmdPrintTable_Click() {
    PrintAfterConfirmation(QStringLiteral("Wollen Sie die angezeigte 1x1-Tabelle ausdrucken?"),
                           QStringLiteral("1x1-Tabelle drucken"),
                           QStringLiteral("Zahlwerk Trainer – 1x1-Tabelle"), [this] {
                               // The grid draws its picture also while it is hidden.
                               const GridPicture picture = MSFlexGrid1->Picture();
                               return [caption = windowTitle(), picture](QPrinter& printer) {
                                   PrintTable(printer, caption, picture.Image,
                                              picture.WidthHimetric, picture.HeightHimetric);
                               };
                           });
}
