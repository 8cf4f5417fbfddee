// SPDX-License-Identifier: GPL-3.0-or-later
#include "Printouts.h"

#include "Fonts.h"
#include "PagePrinter.h"
#include "Rounding.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double PrinterFontPoints = 10.0;
// The share of the paper's width the table picture takes, and of its height that limits it.
constexpr double PictureShare = 0.95;

// Both printouts measure in twips (PagePrinter) and print in portrait orientation; the
// orientation has to be set before the page begins.
void PrepareDevice(QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Portrait);
}

void SetPrinterFont(PagePrinter& printer) {
    printer.SetFont(ArialFamily, false);
    printer.SetFontSize(PrinterFontPoints);
    printer.CurrentX = 0;
    printer.CurrentY = 0;
}

} // namespace

TablePictureRect TablePicturePlacement(int pageWidth, int pageHeight, int captionHeight,
                                       double pictureWidth, double pictureHeight) {
    TablePictureRect rect;
    rect.Left = 0;
    rect.Top = captionHeight;

    const std::int32_t width = RoundHalfEven<std::int32_t>(pageWidth * PictureShare).value_or(0);
    // The scale is single precision; a picture without width leaves it at 0.
    float scale = 0.0f;
    if (pictureWidth != 0.0) {
        const double ratio = width / pictureWidth;
        if (std::isfinite(ratio) && std::fabs(ratio) <= std::numeric_limits<float>::max())
            scale = static_cast<float>(ratio);
    }
    std::int32_t height =
        RoundHalfEven<std::int32_t>(static_cast<double>(scale) * pictureHeight).value_or(0);
    if (std::int64_t{height} + captionHeight > pageHeight)
        height =
            RoundHalfEven<std::int32_t>(pageHeight * PictureShare - captionHeight).value_or(height);

    rect.Width = width;
    rect.Height = height;
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
    printer.Print(content.Statistics);
    const std::int64_t minutes = content.TotalSeconds / 60;
    printer.Print(QStringLiteral("Konzentriertes Üben : ") + QString::number(minutes) +
                  QStringLiteral(" Minuten"));
    return printer.EndDoc();
}

bool PrintTable(QPagedPaintDevice& device, const QString& caption, const QImage& picture,
                double pictureWidth, double pictureHeight) {
    PrepareDevice(device);
    PagePrinter printer(device);
    SetPrinterFont(printer);

    const int captionHeight =
        RoundHalfEven<std::int16_t>(printer.TextHeight(QStringLiteral("Äy"))).value_or(0);
    printer.Print(caption);
    const TablePictureRect rect = TablePicturePlacement(printer.PageWidth(), printer.PageHeight(),
                                                        captionHeight, pictureWidth, pictureHeight);
    printer.PaintPicture(picture, rect.Left, rect.Top, rect.Width, rect.Height);
    return printer.EndDoc();
}
