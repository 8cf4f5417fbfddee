#include "Printouts.h"
#include "TestData.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

constexpr double Margin = 10, Pitch = 11.5, PaperWidth = 595.276, PaperHeight = 841.89;

struct Word {
    double X, Y;
    QString Text;
};

QByteArray Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

// The words of each page with their places in points, as pdftotext reads the paper.
std::vector<std::vector<Word>> Pages(const QString& pdf, double* pageWidth = nullptr) {
    static const QRegularExpression item(
        QStringLiteral("<page width=\"([\\d.]+)\"|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>"
                       "([^<]*)</word>"));
    std::vector<std::vector<Word>> pages;
    const QString xml = QString::fromUtf8(Run("pdftotext", {"-bbox", pdf, "-"}));
    for (const QRegularExpressionMatch& m : item.globalMatch(xml)) {
        if (!m.captured(1).isEmpty()) {
            pages.emplace_back();
            if (pageWidth)
                *pageWidth = m.captured(1).toDouble();
        } else if (!pages.empty()) {
            pages.back().push_back({m.captured(2).toDouble(), m.captured(3).toDouble(),
                                    m.captured(4).replace("&amp;", "&")});
        }
    }
    return pages;
}

// Each page's lines, blank ones included, pages separated by "--".
QStringList Lines(const QString& pdf, double* pageWidth = nullptr) {
    QStringList out;
    for (const auto& page : Pages(pdf, pageWidth)) {
        if (!out.isEmpty())
            out << "--";
        QStringList lines;
        for (const Word& w : page) {
            const int i = qRound((w.Y - Margin) / Pitch);
            while (lines.size() <= i)
                lines << QString();
            lines[i] += (lines[i].isEmpty() ? "" : " ") + w.Text;
        }
        out += lines;
    }
    return out;
}

struct Pdf {
    QTemporaryDir dir;
    QString path = dir.filePath("out.pdf");
    QPdfWriter writer{path};
    Pdf() {
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape); // the printouts turn it to portrait
        writer.setPageMargins(QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Point);
    }
};

} // namespace

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    // Caption, an empty line, the stored lines, the statistics and the whole minutes, run on
    // to a second page without a new heading.
    void results_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("nothing yet")
            << QStringList{""} << 0
            << QStringList{"Cap", "", "", "a", "b c", "Konzentriertes Üben : 0 Minuten"};
        QTest::newRow("lines, 119 s")
            << QStringList{"7 \u00B7 8 =\t    56\t6 Sek.\t", "3 + 4 =\t!   8\t2 Sek.\t", ""} << 119
            << QStringList{"Cap", "",    "7 \u00B7 8 = 56 6 Sek.",         "3 + 4 = ! 8 2 Sek.", "",
                           "a",   "b c", "Konzentriertes Üben : 1 Minuten"};
        QStringList many(86, "x"), page1{"Cap", ""};
        page1 += many.mid(0, 69);
        QTest::newRow("second page")
            << many << 60
            << page1 + QStringList{"--"} + many.mid(69) +
                   QStringList{"a", "b c", "Konzentriertes Üben : 1 Minuten"};
    }
    void results() {
        Pdf pdf;
        const ResultsPrintout content{"Cap", FETCH(QStringList, stored), "a\r\nb c",
                                      FETCH(int, seconds)};
        QVERIFY(PrintResults(pdf.writer, content));
        double width = 0;
        QCOMPARE(Lines(pdf.path, &width), FETCH(QStringList, printed));
        QVERIFY(qAbs(width - PaperWidth) < 1);
    }

    // Tabs go to stops an inch apart: mark and answer at the first, the seconds at the second.
    void tabStops() {
        Pdf pdf;
        PrintResults(pdf.writer, {"Cap", {"3 + 4 =\t!   8\t2 Sek.\t"}, "", 0});
        const std::vector<Word> words = Pages(pdf.path).at(0);
        const auto x = [&](const QString& text) {
            for (const Word& w : words)
                if (w.Text == text)
                    return w.X - Margin;
            return -1.0;
        };
        QCOMPARE(qRound(x("Cap")), 0);
        QCOMPARE(qRound(x("!")), 72);
        QCOMPARE(qRound(x("2")), 144);
    }

    // The table's picture below the caption, 95 % of the paper wide, squeezed when too tall.
    void table_data() {
        QTest::addColumn<double>("PW");
        QTest::addColumn<double>("PH");
        QTest::addColumn<QRectF>("place"); // points on the page; empty: no picture
        const double w = 0.95 * PaperWidth, top = Margin + Pitch;
        QTest::newRow("wide") << 14350.0 << 11440.0 << QRectF(Margin, top, w, w * 11440 / 14350);
        QTest::newRow("tall") << 3000.0 << 30000.0
                              << QRectF(Margin, top, w, 0.95 * PaperHeight - Pitch);
        QTest::newRow("no size") << 0.0 << 0.0 << QRectF();
    }
    void table() {
        Pdf pdf;
        QImage black(40, 30, QImage::Format_RGB32);
        black.fill(Qt::black);
        QVERIFY(PrintTable(pdf.writer, "Cap", black, FETCH(double, PW), FETCH(double, PH)));
        QCOMPARE(Lines(pdf.path), QStringList{"Cap"});
        Run("pdftoppm", {"-r", "72", "-gray", "-singlefile", pdf.path, pdf.dir.filePath("p")});
        const QImage page(pdf.dir.filePath("p.pgm"));
        QRect ink;
        for (int y = int(Margin + Pitch); y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
        const QRectF place = FETCH(QRectF, place);
        QCOMPARE(ink.isEmpty(), place.isEmpty());
        for (qreal d : {ink.left() - place.left(), ink.top() - place.top(),
                        ink.width() - place.width(), ink.height() - place.height()})
            QVERIFY2(qAbs(d) <= 1.5, qPrintable(QStringLiteral("%1 off").arg(d)));
    }

    // Where the picture lands, in twips: the rounding of each step.
    void placement_data() {
        QTest::addColumn<QList<int>>("pageWHAndCaption");
        QTest::addColumn<double>("PW");
        QTest::addColumn<double>("PH");
        QTest::addColumn<QList<int>>("size");
        QTest::newRow("A4, wide") << QList<int>{11906, 16838, 230} << 14350.0 << 11440.0
                                  << QList<int>{11311, 9017};
        QTest::newRow("fills the page exactly")
            << QList<int>{11906, 9247, 230} << 14350.0 << 11440.0 << QList<int>{11311, 9017};
        QTest::newRow("one twip short")
            << QList<int>{11906, 9246, 230} << 14350.0 << 11440.0 << QList<int>{11311, 8554};
        QTest::newRow("width 0") << QList<int>{11906, 16838, 230} << 0.0 << 11440.0
                                 << QList<int>{11311, 0};
        QTest::newRow("28.5 to 28")
            << QList<int>{30, 1000, 0} << 28.0 << 10.0 << QList<int>{28, 10};
        QTest::newRow("9.5 to 10") << QList<int>{20, 1000, 0} << 2.0 << 1.0 << QList<int>{19, 10};
        QTest::newRow("squeezed 8.5 to 8")
            << QList<int>{100, 10, 1} << 1.0 << 1.0 << QList<int>{95, 8};
        QTest::newRow("ratio in single precision")
            << QList<int>{11906, 1000000, 0} << 1021.0 << 3197.0 << QList<int>{11311, 35418};
    }
    void placement() {
        const QList<int> page = FETCH(QList<int>, pageWHAndCaption);
        const TablePictureRect r =
            TablePicturePlacement(page[0], page[1], page[2], FETCH(double, PW), FETCH(double, PH));
        QCOMPARE((QList<int>{r.Left, r.Top, r.Width, r.Height}),
                 QList<int>({0, page[2]}) + FETCH(QList<int>, size));
    }
};

QTEST_MAIN(PrintTest)
#include "test_print.moc"
