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

// Asks first; on OK prints with the default printer under the busy pointer. A missing or
// failing printer is not reported: the user simply gets no printout.
template <typename Compose>
void PrintAfterConfirmation(Form1& form, const QString& prompt, const QString& title,
                            Compose compose) {
    const Form1Backends& backends = form.Backends();
    if (backends.Messages->MsgBox(&form, prompt, ConfirmStyle, title) != MessageBoxes::Ok ||
        form.Unloaded())
        return;
    const BusyPointer busy;
    try {
        const std::unique_ptr<QPrinter> printer =
            backends.Printers ? backends.Printers->DefaultPrinter() : nullptr;
        if (printer)
            compose(*printer);
    } catch (...) {
    }
}

} // namespace

void Form1::cmdPrintResults_Click() {
    PrintAfterConfirmation(*this, QStringLiteral("Wollen Sie die Ergebnisliste ausdrucken?"),
                           QStringLiteral("Ergebnisliste drucken"), [this](QPrinter& printer) {
                               ResultsPrintout content;
                               content.Caption = windowTitle();
                               content.ResultLines = State.ResultLines;
                               content.Statistics = lbStatistik->text();
                               content.TotalSeconds = State.TotalSeconds;
                               PrintResults(printer, content);
                           });
}

void Form1::cmdPrintTable_Click() {
    PrintAfterConfirmation(*this,
                           QStringLiteral("Wollen Sie die angezeigte 1x1-Tabelle ausdrucken?"),
                           QStringLiteral("1x1-Tabelle drucken"), [this](QPrinter& printer) {
                               // The grid draws its picture also while it is hidden.
                               const GridPicture picture = MSFlexGrid1->Picture();
                               PrintTable(printer, windowTitle(), picture.Image,
                                          picture.WidthHimetric, picture.HeightHimetric);
                           });
}
