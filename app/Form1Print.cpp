#include "Form1.h"

#include "MessageBoxes.h"
#include "PrinterProvider.h"
#include "Printouts.h"

#include <QCursor>
#include <QGuiApplication>
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

std::unique_ptr<QPrinter> TakeDefaultPrinter(const Form1Backends& backends) {
    return backends.Printers ? backends.Printers->DefaultPrinter() : nullptr;
}

} // namespace

void Form1::cmdPrintResults_Click() {
    if (backends_.Messages->MsgBox(this, QStringLiteral("Wollen Sie die Ergebnisliste ausdrucken?"),
                                   ConfirmStyle,
                                   QStringLiteral("Ergebnisliste drucken")) != MessageBoxes::Ok)
        return;

    // A missing or failing printer is not reported; the user simply gets no printout.
    const BusyPointer busy;
    try {
        const std::unique_ptr<QPrinter> printer = TakeDefaultPrinter(backends_);
        if (!printer)
            return;
        ResultsPrintout content;
        content.Caption = windowTitle();
        content.ResultLines = State.ResultLines;
        content.Statistics = lbStatistik->text();
        content.TotalSeconds = State.TotalSeconds;
        PrintResults(*printer, content);
    } catch (...) {
    }
}

void Form1::cmdPrintTable_Click() {
    if (backends_.Messages->MsgBox(
            this, QStringLiteral("Wollen Sie die angezeigte 1x1-Tabelle ausdrucken?"), ConfirmStyle,
            QStringLiteral("1x1-Tabelle drucken")) != MessageBoxes::Ok)
        return;

    const BusyPointer busy;
    try {
        const std::unique_ptr<QPrinter> printer = TakeDefaultPrinter(backends_);
        if (!printer)
            return;
        // The grid draws its picture also while it is hidden.
        const GridPicture picture = MSFlexGrid1->Picture();
        PrintTable(*printer, windowTitle(), picture.Image, picture.WidthHimetric,
                   picture.HeightHimetric);
    } catch (...) {
    }
}
