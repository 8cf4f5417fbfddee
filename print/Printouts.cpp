#include "Printouts.h"

#include "PagePrinter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString PrinterFontName = QStringLiteral("Arial");
constexpr double PrinterFontPoints = 10.0;
// The share of the paper's width the table picture takes, and of its height that limits it.
constexpr double PictureShare = 0.95;

// Rounds to the nearest whole number, halves to the even neighbour; nothing when the result
// does not fit the integer type.
template <typename Int> std::optional<Int> RoundHalfEven(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < static_cast<double>(std::numeric_limits<Int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(whole);
}

// Both printouts measure in twips (PagePrinter) and print in portrait orientation; the
// orientation has to be set before the page begins.
void PrepareDevice(QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Portrait);
}

void SetPrinterFont(PagePrinter& printer) {
    printer.SetFont(PrinterFontName, false);
    printer.SetFontSize(PrinterFontPoints);
    printer.CurrentX = 0;
    printer.CurrentY = 0;
}

} // namespace

TablePictureRect TablePicturePlacement(int PageW, int PageH, int h, double PW, double PH) {
    TablePictureRect rect;
    rect.Left = 0;
    rect.Top = h;

    const std::int32_t pw = RoundHalfEven<std::int32_t>(PageW * PictureShare).value_or(0);
    // r is single precision; a picture without width leaves it at 0.
    float r = 0.0f;
    if (PW != 0.0) {
        const double ratio = pw / PW;
        if (std::isfinite(ratio) && std::fabs(ratio) <= std::numeric_limits<float>::max())
            r = static_cast<float>(ratio);
    }
    std::int32_t ph = RoundHalfEven<std::int32_t>(static_cast<double>(r) * PH).value_or(0);
    if (std::int64_t{ph} + h > PageH)
        ph = RoundHalfEven<std::int32_t>(PageH * PictureShare - h).value_or(ph);

    rect.Width = pw;
    rect.Height = ph;
    return rect;
}

bool PrintResults(QPagedPaintDevice& device, const ResultsPrintout& content) {
    PrepareDevice(device);
    PagePrinter printer(device);
    SetPrinterFont(printer);

    printer.Print(content.Caption);
    printer.Print(QString());
    const qsizetype count = std::min(content.ResultLines.size(), MaxPrintedResultLines);
    for (qsizetype i = 0; i < count; ++i)
        printer.Print(content.ResultLines[i]);
    for (const QString& line :
         content.Statistics.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        printer.Print(line);
    const std::int64_t minutes = content.TotalSeconds / 60;
    printer.Print(QStringLiteral("Konzentriertes Üben : ") + QString::number(minutes) +
                  QStringLiteral(" Minuten"));
    return printer.EndDoc();
}

bool PrintTable(QPagedPaintDevice& device, const QString& caption, const QImage& picture, double PW,
                double PH) {
    PrepareDevice(device);
    PagePrinter printer(device);
    SetPrinterFont(printer);

    const int h = RoundHalfEven<std::int16_t>(printer.TextHeight(QStringLiteral("Äy"))).value_or(0);
    printer.Print(caption);
    const TablePictureRect rect =
        TablePicturePlacement(printer.PageWidth(), printer.PageHeight(), h, PW, PH);
    printer.PaintPicture(picture, rect.Left, rect.Top, rect.Width, rect.Height);
    return printer.EndDoc();
}
