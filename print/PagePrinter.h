// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Twips.h"

#include <QFont>
#include <QPainter>
#include <QString>

class QImage;
class QPagedPaintDevice;

// Prints onto a paged paint device (a printer, a PDF file) the way the two printouts are
// composed: a font, a current position, lines of text that move the position to the start
// of the next line, pictures stretched into a rectangle, and the end of the document.
//
// Positions and sizes are in twips (1/1440 inch) from the top left corner of the printable
// area, whatever the device's own resolution. The document begins when the object is
// created. A device that cannot be opened makes every operation do nothing and every
// measurement return 0, so a caller can run its steps without checking each one.
class PagePrinter {
public:
    // Tab characters inside a printed line advance to the next multiple of this distance.
    static constexpr double TabStopTwips = TwipsPerInch;

    explicit PagePrinter(QPagedPaintDevice& device);
    // Ends the document if EndDoc has not done so.
    ~PagePrinter();
    PagePrinter(const PagePrinter&) = delete;
    PagePrinter& operator=(const PagePrinter&) = delete;

    bool IsActive() const { return painter_.isActive(); }

    void SetFont(const QString& name, bool bold);
    void SetFontSize(double points);

    // Where the next line or picture goes.
    double CurrentX = 0;
    double CurrentY = 0;

    // Prints the text's lines (separated by CR LF, CR or LF) from the current position. A
    // line that would reach below the printable area starts a new page and goes to its top.
    // Afterwards the position is at the left edge, below the last line.
    void Print(const QString& text);
    // The height a text takes in the current font: its number of lines times the line height.
    double TextHeight(const QString& text) const;
    // The size of the paper, in whole twips.
    int PageWidth() const;
    int PageHeight() const;
    // The height of the printable area, in twips.
    double PrintableHeight() const;
    // Draws a picture stretched to the rectangle; an empty picture or rectangle draws nothing.
    void PaintPicture(const QImage& picture, double x, double y, double width, double height);
    void NewPage();
    // Ends the document, which hands it to the printer; false when that failed.
    bool EndDoc();

private:
    double ToDeviceX(double twips) const;
    double ToDeviceY(double twips) const;
    double FromDeviceX(double units) const;
    double FromDeviceY(double units) const;
    double LineHeight() const;
    double TextWidth(const QString& text) const;
    void PrintLine(const QString& text);

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont font_;
};
