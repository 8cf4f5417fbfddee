// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>

class QPagedPaintDevice;

// What the results printout shows, read from the window at the moment of printing.
struct ResultsPrintout {
    // The window's caption.
    QString Caption;
    // The stored results lines; the last one is the empty slot for the next answer.
    QStringList ResultLines;
    // The statistics label's text, its lines separated by CR LF.
    QString Statistics;
    std::int64_t TotalSeconds = 0;
};

// The most results lines one printout covers.
inline constexpr qsizetype MaxPrintedResultLines = 32767;

// The rectangle, in twips from the top left corner of the printable area, that the table's
// picture is stretched to.
struct TablePictureRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Places the table's picture below the caption line on paper of the given size in twips:
// 95 % of the paper width wide, as high as the picture's proportions (its width and height
// in any one unit) ask, unless that would pass the bottom of the paper; then it is cut down
// to 95 % of the paper height less the caption line and loses its proportions. A picture of
// width 0 gets height 0.
TablePictureRect TablePicturePlacement(int pageWidth, int pageHeight, int captionHeight,
                                       double pictureWidth, double pictureHeight);

// Prints the caption, an empty line, every results line, the statistics and the minutes of
// concentrated practice in Arial 10 pt from the top left corner, continuing on further pages
// as needed. Returns whether the document reached the printer.
bool PrintResults(QPagedPaintDevice& device, const ResultsPrintout& content);

// Prints the caption and below it the table's picture (its size in any one unit) on one
// page, portrait, placed by TablePicturePlacement. Returns whether the document reached the
// printer.
bool PrintTable(QPagedPaintDevice& device, const QString& caption, const QImage& picture,
                double pictureWidth, double pictureHeight);
