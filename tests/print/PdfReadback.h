#pragma once

// Reads printed PDF files back as a person reads the paper: the words on each page with
// their places (pdftotext -bbox), the number of pictures (pdfimages) and an image of a page
// (pdftoppm). Places and sizes are in points from the top left corner of the paper.

#include <QImage>
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

// One line of text: the words at one height, left to right.
struct PdfLine {
    double Top = 0;
    std::vector<PdfWord> Words;
    // The words joined by single blanks.
    QString Text() const;
};

// Runs a tool and returns its standard output; fails the calling test through the returned
// error text when the tool cannot run.
QByteArray RunTool(const QString& program, const QStringList& arguments, QString* error);

// The pages of a PDF file with their words; empty when the file cannot be read.
std::vector<PdfPage> ReadPdfWords(const QString& pdf);
// The lines of a page, top to bottom.
std::vector<PdfLine> TextLines(const PdfPage& page);
// The smallest distance between two neighbouring lines of a page.
double LinePitch(const PdfPage& page);
// The page's lines with the empty lines between them: line k lies k × pitch below top.
// A line off that grid is given as "<off grid: …>".
QStringList LinesOnGrid(const PdfPage& page, double top, double pitch);
// The lines of every page of a printout of lines, empty lines included; the grid of lines
// is that of the first page, whose first line is not empty.
// A pitch of 0 takes the smallest distance between two lines of the first page.
std::vector<QStringList> PrintedLines(const QString& pdf, double pitch = 0);
// The lines of all pages, one after the other.
QStringList AllLines(const std::vector<QStringList>& pages);
// Runs of blanks and tabs become one blank; no blanks at the ends.
QString Collapsed(const QString& text);
QStringList Collapsed(const QStringList& lines);
// The same without any blanks, for text read back from PDF files whose word gaps are not
// recognised reliably ("1 + 6 =" may come back as "1+6=").
QStringList WithoutBlanks(const QStringList& lines);

// The number of pictures in the file.
int PictureCount(const QString& pdf);
// One page rendered at the given resolution (1-based page number).
QImage RenderPage(const QString& pdf, int page, int dpi);
// The smallest rectangle, in pixels, around every pixel that is not white within the rows
// from firstRow down.
QRect InkBounds(const QImage& image, int firstRow);
