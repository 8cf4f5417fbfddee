#pragma once

// Reads printed PDF files back as a person reads the paper: the words on each page with
// their places (pdftotext -bbox), the pictures (pdfimages) and where ink lies on a page
// (pdftoppm). Places and sizes are in points from the top left corner of the paper.

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

struct PdfWord {
    QRectF Box;
    QString Text;
};

struct PdfPage {
    QSizeF Size;
    std::vector<PdfWord> Words;
};

// The words at one height, left to right.
struct PdfLine {
    double Top = 0;
    std::vector<PdfWord> Words;
    // The words joined by single blanks.
    QString Text() const;
};

// The pages of a PDF file; empty when the file cannot be read.
std::vector<PdfPage> ReadPdfWords(const QString& pdf);
// The lines of a page, top to bottom.
std::vector<PdfLine> TextLines(const PdfPage& page);
// The lines of all pages, one after the other per page, empty lines included: line k of a
// page lies k × pitch below the first line of the first page. A pitch of 0 takes the
// smallest distance between two lines of the first page. A line off that grid comes back as
// "<off grid: …>".
std::vector<QStringList> PrintedLines(const QString& pdf, double pitch = 0);

// Runs of blanks and tabs become one blank; no blanks at the ends.
QStringList Collapsed(const QStringList& lines);
// The same without any blanks, for files whose word gaps pdftotext does not recognise
// reliably ("1 + 6 =" may come back as "1+6=").
QStringList WithoutBlanks(const QStringList& lines);

// The number of pictures in the file.
int PictureCount(const QString& pdf);

// A picture as it lies on the first page: the first row below `below` that is mostly ink,
// down to the last ink on the page, and the colour just inside its top left corner.
struct PictureOnPage {
    QRectF Place;
    QColor NearCorner;
};
PictureOnPage FindPicture(const QString& pdf, double below);
