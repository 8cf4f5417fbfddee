// SPDX-License-Identifier: GPL-3.0-or-later
#include "PagePrinter.h"

#include "Twips.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QRegularExpression>

#include <cmath>

namespace {

const QRegularExpression LineBreak(QStringLiteral("\r\n|\r|\n"));

int WholeTwips(double millimetres) {
    return static_cast<int>(std::lround(millimetres * TwipsPerInch / MillimetresPerInch));
}

} // namespace

PagePrinter::PagePrinter(QPagedPaintDevice& device) : device_(device) {
    painter_.begin(&device_);
    if (IsActive())
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
}

PagePrinter::~PagePrinter() {
    if (IsActive())
        painter_.end();
}

void PagePrinter::SetFont(const QString& name, bool bold) {
    font_.setFamily(name);
    font_.setBold(bold);
    if (IsActive())
        painter_.setFont(font_);
}

void PagePrinter::SetFontSize(double points) {
    if (points <= 0)
        return;
    font_.setPointSizeF(points);
    if (IsActive())
        painter_.setFont(font_);
}

double PagePrinter::ToDeviceX(double twips) const {
    return twips * device_.logicalDpiX() / TwipsPerInch;
}

double PagePrinter::ToDeviceY(double twips) const {
    return twips * device_.logicalDpiY() / TwipsPerInch;
}

double PagePrinter::FromDeviceX(double units) const {
    const int dpi = device_.logicalDpiX();
    return dpi > 0 ? units * TwipsPerInch / dpi : 0.0;
}

double PagePrinter::FromDeviceY(double units) const {
    const int dpi = device_.logicalDpiY();
    return dpi > 0 ? units * TwipsPerInch / dpi : 0.0;
}

double PagePrinter::LineHeight() const {
    if (!IsActive())
        return 0.0;
    // The line spacing includes the font's leading, as a printer's text height does.
    return FromDeviceY(QFontMetricsF(font_, &device_).lineSpacing());
}

double PagePrinter::TextWidth(const QString& text) const {
    if (!IsActive())
        return 0.0;
    return FromDeviceX(QFontMetricsF(font_, &device_).horizontalAdvance(text));
}

double PagePrinter::TextHeight(const QString& text) const {
    return static_cast<double>(text.split(LineBreak).size()) * LineHeight();
}

void PagePrinter::Print(const QString& text) {
    for (const QString& line : text.split(LineBreak))
        PrintLine(line);
}

void PagePrinter::PrintLine(const QString& text) {
    if (!IsActive())
        return;
    const double lineHeight = LineHeight();
    if (CurrentY > 0 && CurrentY + lineHeight > PrintableHeight())
        NewPage();

    const double baseline = ToDeviceY(CurrentY) + QFontMetricsF(font_, &device_).ascent();
    double x = CurrentX;
    const QStringList pieces = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            x = (std::floor(x / TabStopTwips) + 1.0) * TabStopTwips;
        if (!pieces[i].isEmpty())
            painter_.drawText(QPointF(ToDeviceX(x), baseline), pieces[i]);
        x += TextWidth(pieces[i]);
    }
    CurrentX = 0;
    CurrentY += lineHeight;
}

int PagePrinter::PageWidth() const {
    return WholeTwips(device_.pageLayout().fullRect(QPageLayout::Millimeter).width());
}

int PagePrinter::PageHeight() const {
    return WholeTwips(device_.pageLayout().fullRect(QPageLayout::Millimeter).height());
}

double PagePrinter::PrintableHeight() const {
    return FromDeviceY(device_.height());
}

void PagePrinter::PaintPicture(const QImage& picture, double x, double y, double width,
                               double height) {
    if (!IsActive() || picture.isNull() || width <= 0 || height <= 0)
        return;
    painter_.drawImage(QRectF(ToDeviceX(x), ToDeviceY(y), ToDeviceX(width), ToDeviceY(height)),
                       picture);
}

void PagePrinter::NewPage() {
    if (!IsActive())
        return;
    device_.newPage();
    CurrentX = 0;
    CurrentY = 0;
}

bool PagePrinter::EndDoc() {
    if (!IsActive())
        return false;
    return painter_.end();
}
