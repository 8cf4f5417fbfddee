// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "GridWidget.h"

#include "MessageBoxes.h"
#include "PrinterProvider.h"
#include "Printouts.h"
#include "ResultsPicture.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPrinter>

namespace {

// The busy pointer for the time of one printout; the normal pointer comes back however the
// printout ends.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

constexpr int ConfirmStyle = MessageBoxes::OkCancel | MessageBoxes::Question;

} // namespace

// Asks first; on OK prints with the default printer under the busy pointer. The job name is
// what the print queue and a PDF printer show for the job. A missing or failing printer is
// not reported: the user simply gets no printout.
template <typename Compose>
void Form1::PrintAfterConfirmation(const QString& prompt, const QString& title,
                                   const QString& jobName, Compose compose) {
    if (backends_.Messages->MsgBox(this, prompt, ConfirmStyle, title) != MessageBoxes::Ok ||
        unloaded_)
        return;
    const BusyPointer busy;
    const std::unique_ptr<QPrinter> printer =
        backends_.Printers ? backends_.Printers->DefaultPrinter() : nullptr;
    if (!printer)
        return;
    printer->setDocName(jobName);
    compose(*printer);
}

void Form1::cmdPrintResults_Click() {
    PrintAfterConfirmation(QStringLiteral("Wollen Sie die Ergebnisliste ausdrucken?"),
                           QStringLiteral("Ergebnisliste drucken"),
                           QStringLiteral("Zahlwerk Trainer – Ergebnisliste"),
                           [this](QPrinter& printer) {
                               ResultsPrintout content;
                               content.Caption = windowTitle();
                               content.ResultLines = State.ResultLines;
                               content.Statistics = lbStatistik->text();
                               content.TotalSeconds = State.TotalSeconds;
                               PrintResults(printer, content);
                           });
}

void Form1::cmdPrintTable_Click() {
    PrintAfterConfirmation(QStringLiteral("Wollen Sie die angezeigte 1x1-Tabelle ausdrucken?"),
                           QStringLiteral("1x1-Tabelle drucken"),
                           QStringLiteral("Zahlwerk Trainer – 1x1-Tabelle"),
                           [this](QPrinter& printer) {
                               // The grid draws its picture also while it is hidden.
                               const GridPicture picture = MSFlexGrid1->Picture();
                               PrintTable(printer, windowTitle(), picture.Image,
                                          picture.WidthHimetric, picture.HeightHimetric);
                           });
}
