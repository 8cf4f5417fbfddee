// SPDX-License-Identifier: GPL-3.0-or-later
#include "Printouts.h"
#include "TestData.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

constexpr double Margin = 10, Pitch = 11.5;

// A PDF printer with margins of 10 pt, set up for landscape (the printouts want portrait).
struct Pdf {
    QTemporaryDir dir;
    QString path = dir.filePath("out.pdf");
    QPdfWriter writer{path};
    Pdf() {
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Point);
    }
    // The printed lines as pdftotext reads the paper, joined by "|": blank lines kept, pages
    // separated by "--", a word starting at a tab stop (every inch) after a tab, the paper's
    // width first.
    QString Lines() const {
        static const QRegularExpression item("<page width=\"([\\d.]+)\"|<word xMin=\"([\\d.]+)\" "
                                             "yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>");
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-bbox", path, "-"});
        pdftotext.waitForFinished(30000);
        QStringList out;
        int first = 0;
        for (const auto& m : item.globalMatch(pdftotext.readAllStandardOutput())) {
            if (!m.captured(1).isEmpty()) {
                out << (out.isEmpty() ? m.captured(1).left(3) : "--");
                first = out.size();
                continue;
            }
            const double x = m.captured(2).toDouble() - Margin;
            const int i = first + qRound((m.captured(3).toDouble() - Margin) / Pitch);
            while (out.size() <= i)
                out << QString();
            const bool tab = x > 1 && qAbs(x - 72 * qRound(x / 72)) < 0.5;
            out[i] += (out[i].isEmpty() ? "" : tab ? "\t" : " ") + m.captured(4);
        }
        return out.join('|');
    }
};

} // namespace

class PrintTest : public QObject {
    Q_OBJECT
    using ResultsRow = std::tuple<Text, QStringList, int, QString>;
    using PlacementRow = std::tuple<Text, QList<int>, double, double, QList<int>>;

private slots:
    // Portrait A4; the caption, an empty line, the stored lines, the statistics and the whole
    // minutes, running on to a second page without a new heading.
    void resultsArePrintedLineByLine_data() {
        const QString end = "|a|b c|Konzentriertes Üben : 1 Minuten";
        const QStringList many(86, "x");
        AddRows<ResultsRow>(
            {{"nothing yet", {""}, 0, "595|Cap|||a|b c|Konzentriertes Üben : 0 Minuten"},
             {"lines, 119 s",
              {"7 \u00B7 8 =\t    56\t6 Sek.\t", "3 + 4 =\t!   8\t2 Sek.\t", ""},
              119,
              "595|Cap||7 \u00B7 8 = 56\t6 Sek.|3 + 4 =\t! 8\t2 Sek.|" + end},
             {"second page", many, 60,
              "595|Cap||" + many.mid(0, 69).join('|') + "|--|" + many.mid(69).join('|') + end}});
    }
    void resultsArePrintedLineByLine() {
        auto [name, stored, seconds, printed] = CurrentRow<ResultsRow>();
        Pdf pdf;
        QVERIFY(PrintResults(pdf.writer, {"Cap", stored, "a\r\nb c", seconds}));
        QCOMPARE(pdf.Lines(), printed);
    }

    // Where the table's picture lands below the caption, in twips (page width, height, caption
    // line): 95 % of the paper wide, squeezed when too tall; every step rounds halves to even,
    // the ratio in single precision. (The end-to-end run prints it.)
    void pictureIsPlacedInTwips_data() {
        AddRows<PlacementRow>(
            {{"fills the page", {11906, 9247, 230}, 14350, 11440, {11311, 9017}},
             {"a twip short", {11906, 9246, 230}, 14350, 11440, {11311, 8554}},
             {"width 0", {11906, 16838, 230}, 0, 11440, {11311, 0}},
             {"28.5 to 28", {30, 1000, 0}, 28, 10, {28, 10}},
             {"9.5 to 10", {20, 1000, 0}, 2, 1, {19, 10}},
             {"squeezed 8.5 to 8", {100, 10, 1}, 1, 1, {95, 8}},
             {"single precision", {11906, 1000000, 0}, 1021, 3197, {11311, 35418}}});
    }
    void pictureIsPlacedInTwips() {
        auto [name, page, PW, PH, size] = CurrentRow<PlacementRow>();
        const TablePictureRect r = TablePicturePlacement(page[0], page[1], page[2], PW, PH);
        QCOMPARE((QList<int>{r.Left, r.Top, r.Width, r.Height}), QList<int>({0, page[2]}) + size);
    }
};

QTEST_MAIN(PrintTest)
#include "test_print.moc"
