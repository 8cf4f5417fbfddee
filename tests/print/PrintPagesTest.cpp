#include "Fakes.h"
#include "PdfReadback.h"
#include "PrintTestSupport.h"
#include "QtPrinterProvider.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPageLayout>
#include <QPushButton>
#include <QTest>

// The two printouts of the real window, printed into PDF files and read back.
class PrintPagesTest : public QObject {
    Q_OBJECT
private slots:
    void resultsAtStartAndAfterNeuStarten();
    void resultsLinesMarksAndTabStops();
    void minutesAndASecondPage();
    void cancelPrintsNothing();
    void missingOrFailingPrinterIsSilent();
    void tablePictureFillsThePageWidth();
    void tallTableIsSqueezedAndEmptyTableLeavesCaption();
};

namespace {

// The margins of the PDF printers handed out here, in points on every side.
constexpr double Margin = 10.0;
// A4 in points.
constexpr double PaperWidth = 595.276;
constexpr double PaperHeight = 841.89;
// One line of Arial 10 pt, 230 twips.
constexpr double TextLine = 11.5;

// A window on fakes whose printer is a PDF file in a temporary folder.
struct PrintFixture {
    FormFixture fx;
    QTemporaryDir out;
    QStringList files;
    // The pointer at each moment a printer was asked for; -1 for the normal pointer.
    std::vector<int> pointerWhenAsked;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool noPrinter = false;
    // The printer writes into a folder that does not exist.
    bool failingPrinter = false;

    Form1& Create() {
        fx.printers.factory = [this]() -> std::unique_ptr<QPrinter> {
            const QCursor* pointer = QGuiApplication::overrideCursor();
            pointerWhenAsked.push_back(pointer ? pointer->shape() : -1);
            if (noPrinter)
                return nullptr;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setPageSize(QPageSize(QPageSize::A4));
            printer->setPageOrientation(orientation);
            printer->setPageMargins(QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Point);
            files << QStringLiteral("%1/printout-%2.pdf")
                         .arg(failingPrinter ? out.filePath(QStringLiteral("missing")) : out.path())
                         .arg(files.size() + 1);
            printer->setOutputFileName(files.back());
            return printer;
        };
        return fx.Create();
    }

    QString Print(QWidget* symbol) {
        QTest::mouseClick(symbol, Qt::LeftButton);
        return files.value(files.size() - 1);
    }
};

QStringList AllLines(const QString& pdf) {
    QStringList all;
    for (const QStringList& page : PrintedLines(pdf))
        all += page;
    return all;
}

bool IsGreen(const QColor& c) {
    return c.green() > c.red() + 60 && c.green() > c.blue() + 60;
}

} // namespace

void PrintPagesTest::resultsAtStartAndAfterNeuStarten() {
    PrintFixture p;
    Form1& form = p.Create();

    // Only caption and minutes carry text; they lie four lines apart.
    const std::vector<QStringList> atStart = PrintedLines(p.Print(form.cmdPrintResults), TextLine);
    QCOMPARE(p.fx.messages.shown.size(), std::size_t{1});
    QCOMPARE(p.fx.messages.shown[0].Prompt,
             QStringLiteral("Wollen Sie die Ergebnisliste ausdrucken?"));
    QCOMPARE(p.fx.messages.shown[0].Title, QStringLiteral("Ergebnisliste drucken"));
    QCOMPARE(p.fx.messages.shown[0].Style, 33);
    QCOMPARE(atStart.size(), std::size_t{1});
    // Caption, the empty line, the empty slot, the statistics not shown yet, the minutes.
    QCOMPARE(atStart[0], Collapsed({form.windowTitle(), QString(), QString(), QString(),
                                    QStringLiteral("Konzentriertes Üben : 0 Minuten")}));

    AnswerExercise(form, false, 2);
    AnswerExercise(form, true, 1);
    const QString statistics = form.lbStatistik->text();
    QTest::mouseClick(form.btnNeu, Qt::LeftButton);

    // The list is empty again; the statistics stay as last shown.
    QStringList expected{form.windowTitle(), QString(), QString()};
    expected += statistics.split(QStringLiteral("\r\n"));
    expected << QStringLiteral("Konzentriertes Üben : 0 Minuten");
    QCOMPARE(expected.size(), 7);
    QCOMPARE(AllLines(p.Print(form.cmdPrintResults)), Collapsed(expected));
}

void PrintPagesTest::resultsLinesMarksAndTabStops() {
    PrintFixture p;
    // A printer set up for landscape still gets the printout in portrait.
    p.orientation = QPageLayout::Landscape;
    Form1& form = p.Create();

    QStringList stored;
    stored << AnswerExercise(form, false, 3);
    stored << AnswerExercise(form, false, 2); // the same exercise, 5 seconds since it was posed
    stored << AnswerExercise(form, true, 1);
    stored << AnswerExercise(form, true, 4);
    QCOMPARE(form.State.ResultLines, stored + QStringList{QString()});

    const QString pdf = p.Print(form.cmdPrintResults);
    const std::vector<PdfPage> pages = ReadPdfWords(pdf);
    QCOMPARE(pages.size(), std::size_t{1});
    QVERIFY(qAbs(pages[0].Size.width() - PaperWidth) < 1);
    QVERIFY(qAbs(pages[0].Size.height() - PaperHeight) < 1);
    QCOMPARE(AllLines(pdf), Collapsed(ExpectedResultsPrintout(form, 0)));

    // The first line starts in the top left corner of the printable area, every further
    // line one text line lower.
    const std::vector<PdfLine> lines = TextLines(pages[0]);
    QVERIFY(qAbs(lines[0].Words[0].Box.left() - Margin) < 0.5);
    QVERIFY(qAbs(lines[0].Top - Margin) < 1);
    QVERIFY(qAbs(lines[2].Top - lines[1].Top - TextLine) < 0.1);

    // Tabs advance to stops one inch apart: mark and answer at the first, the seconds at
    // the second. Right answers carry no mark.
    for (int i = 0; i < 4; ++i) {
        const std::vector<PdfWord>& words = lines[static_cast<std::size_t>(1 + i)].Words;
        QCOMPARE(words.back().Text, QStringLiteral("Sek."));
        QVERIFY(qAbs(words[words.size() - 2].Box.left() - (Margin + 144)) < 0.5);
        const auto mark = std::find_if(words.begin(), words.end(), [](const PdfWord& w) {
            return w.Text == QLatin1String("!");
        });
        QCOMPARE(mark != words.end(), i < 2);
        if (mark != words.end())
            QVERIFY(qAbs(mark->Box.left() - (Margin + 72)) < 0.5);
    }
}

void PrintPagesTest::minutesAndASecondPage() {
    PrintFixture p;
    Form1& form = p.Create();
    const auto minutesLine = [&p, &form] { return AllLines(p.Print(form.cmdPrintResults)).last(); };

    AnswerExercise(form, true, 59);
    QCOMPARE(minutesLine(), QStringLiteral("Konzentriertes Üben : 0 Minuten"));
    AnswerExercise(form, true, 1);
    QCOMPARE(minutesLine(), QStringLiteral("Konzentriertes Üben : 1 Minuten"));
    AnswerExercise(form, true, 59);
    QCOMPARE(form.State.TotalSeconds, 119);
    QCOMPARE(minutesLine(), QStringLiteral("Konzentriertes Üben : 1 Minuten"));

    // 84 stored lines, the empty slot included, and six more do not fit one page: the lines run on
    // at the top of a second page, without a new heading.
    for (int i = 0; i < 80; ++i)
        AnswerExercise(form, i % 7 != 3, 1);
    const std::vector<QStringList> pages = PrintedLines(p.Print(form.cmdPrintResults));
    QCOMPARE(pages.size(), std::size_t{2});
    const QStringList expected = Collapsed(ExpectedResultsPrintout(form, 3));
    QCOMPARE(pages[0] + pages[1], expected);
    QVERIFY(pages[0].size() * TextLine > PaperHeight - 2 * Margin - TextLine);
}

void PrintPagesTest::cancelPrintsNothing() {
    PrintFixture p;
    Form1& form = p.Create();
    AnswerExercise(form, true, 1);
    p.fx.messages.answers = {MessageBoxes::Cancel, MessageBoxes::Cancel};

    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);
    QTest::mouseClick(form.cmdPrintTable, Qt::LeftButton);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());

    QCOMPARE(p.fx.printers.requests, 0);
    QVERIFY(QDir(p.out.path()).isEmpty());
    QCOMPARE(p.fx.messages.shown.size(), std::size_t{2});
    QCOMPARE(p.fx.messages.shown[1].Prompt,
             QStringLiteral("Wollen Sie die angezeigte 1x1-Tabelle ausdrucken?"));
    QCOMPARE(p.fx.messages.shown[1].Title, QStringLiteral("1x1-Tabelle drucken"));
    QCOMPARE(p.fx.messages.shown[1].Style, 33);
}

void PrintPagesTest::missingOrFailingPrinterIsSilent() {
    // No print system answers in this test (see main): the real provider finds no printer.
    QtPrinterProvider real;
    QVERIFY(!real.DefaultPrinter());

    PrintFixture p;
    p.noPrinter = true;
    Form1& form = p.Create();
    AnswerExercise(form, true, 1);
    const QStringList before = form.State.ResultLines;
    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);
    QTest::mouseClick(form.cmdPrintTable, Qt::LeftButton);
    p.noPrinter = false;
    p.failingPrinter = true;
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);
    QTest::mouseClick(form.cmdPrintTable, Qt::LeftButton);
    p.fx.printers.factory = [&real] { return real.DefaultPrinter(); };
    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);

    // The busy pointer was up while a printer was looked for and is gone again; the only
    // boxes were the confirmations; nothing was written and nothing changed.
    QCOMPARE(p.pointerWhenAsked, std::vector<int>(4, Qt::WaitCursor));
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(p.fx.messages.shown.size(), std::size_t{5});
    QCOMPARE(p.fx.printers.requests, 5);
    QCOMPARE(p.files.size(), 2);
    QVERIFY(!QFile::exists(p.files[0]) && !QFile::exists(p.files[1]));
    QCOMPARE(form.State.ResultLines, before);
}

void PrintPagesTest::tablePictureFillsThePageWidth() {
    PrintFixture p;
    Form1& form = p.Create();
    AnswerExercise(form, true, 1);
    const GridPicture grid = form.MSFlexGrid1->Picture();

    const QString pdf = p.Print(form.cmdPrintTable);
    const std::vector<PdfPage> pages = ReadPdfWords(pdf);
    QCOMPARE(pages.size(), std::size_t{1});
    // The caption is the only text; the table is one picture below it, its left edge at the
    // printable area's, 95 % of the paper wide, in the grid's proportions.
    QCOMPARE(AllLines(pdf), Collapsed({form.windowTitle()}));
    QCOMPARE(PictureCount(pdf), 1);
    const PictureOnPage picture = FindPicture(pdf, Margin);
    const double width = 0.95 * PaperWidth;
    QVERIFY(qAbs(picture.Place.left() - Margin) < 1);
    QVERIFY(qAbs(picture.Place.top() - (Margin + TextLine)) < 1);
    QVERIFY(qAbs(picture.Place.width() - width) < 1);
    QVERIFY(qAbs(picture.Place.height() - width * grid.HeightHimetric / grid.WidthHimetric) < 1);
    QVERIFY(IsGreen(picture.NearCorner));

    // The hidden table is printed all the same.
    QTest::mouseClick(form.chkTableVisible, Qt::LeftButton);
    QVERIFY(!form.MSFlexGrid1->isVisible());
    const PictureOnPage hidden = FindPicture(p.Print(form.cmdPrintTable), Margin);
    QVERIFY(qAbs(hidden.Place.width() - picture.Place.width()) < 0.5);
    QVERIFY(qAbs(hidden.Place.height() - picture.Place.height()) < 0.5);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void PrintPagesTest::tallTableIsSqueezedAndEmptyTableLeavesCaption() {
    PrintFixture p;
    Form1& form = p.Create();

    // A tall window makes a table taller than the page allows: it is cut down to 95 % of
    // the paper height less the caption line.
    form.resize(form.width(), 2400);
    const GridPicture grid = form.MSFlexGrid1->Picture();
    QVERIFY(grid.HeightHimetric * 0.95 * PaperWidth / grid.WidthHimetric > PaperHeight);
    const QString tall = p.Print(form.cmdPrintTable);
    QCOMPARE(ReadPdfWords(tall).size(), std::size_t{1});
    const PictureOnPage squeezed = FindPicture(tall, Margin);
    QVERIFY(qAbs(squeezed.Place.width() - 0.95 * PaperWidth) < 1);
    QVERIFY(qAbs(squeezed.Place.height() - (0.95 * PaperHeight - TextLine)) < 1);

    // A window too small for the table leaves a grid of no size: only the caption is printed.
    form.resize(40, 40);
    QCOMPARE(form.MSFlexGrid1->Picture().WidthHimetric, 0.0);
    const QString empty = p.Print(form.cmdPrintTable);
    QCOMPARE(PrintedLines(empty), std::vector<QStringList>{Collapsed({form.windowTitle()})});
    QCOMPARE(PictureCount(empty), 0);
    QVERIFY(!QGuiApplication::overrideCursor());
}

int main(int argc, char** argv) {
    // This test talks to no print system: the real printer provider must find none.
    qputenv("CUPS_SERVER", "/nonexistent/zahlwerk-print-test.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    PrintPagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrintPagesTest.moc"
