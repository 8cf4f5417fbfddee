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
    void minutesOfConcentratedPractice();
    void resultsContinueOnASecondPage();
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

// A window on fakes whose printers are PDF files in a temporary folder.
struct PrintFixture {
    FormFixture fx;
    QTemporaryDir out;
    QStringList files;
    // The pointer at each moment a printer was asked for; -1 for the normal pointer.
    std::vector<int> pointerWhenAsked;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // Set: hand out no printer at all.
    bool noPrinter = false;
    // Set: the printer writes into a folder that does not exist.
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
            const QString name =
                QStringLiteral("%1/printout-%2.pdf")
                    .arg(failingPrinter ? out.filePath(QStringLiteral("missing")) : out.path())
                    .arg(files.size() + 1);
            printer->setOutputFileName(name);
            files << name;
            return printer;
        };
        return fx.Create();
    }
    Form1& form() { return *fx.form; }

    QString PrintResults() {
        QTest::mouseClick(form().cmdPrintResults, Qt::LeftButton);
        return files.value(files.size() - 1);
    }
    QString PrintTable() {
        QTest::mouseClick(form().cmdPrintTable, Qt::LeftButton);
        return files.value(files.size() - 1);
    }
};

// The table picture's place on a page rendered at `dpi`, in points: the first row below the
// caption line that is mostly ink, and the ink below it.
QRectF PicturePlace(const QImage& page, int dpi) {
    const double scale = dpi / 72.0;
    int top = static_cast<int>(Margin * scale);
    for (; top < page.height(); ++top) {
        int ink = 0;
        const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(top));
        for (int x = 0; x < page.width(); ++x)
            ink += (qRed(row[x]) < 240 || qGreen(row[x]) < 240 || qBlue(row[x]) < 240) ? 1 : 0;
        if (ink > page.width() / 2)
            break;
    }
    const QRect ink = InkBounds(page, top);
    if (ink.isNull())
        return {};
    return QRectF(ink.left() / scale, ink.top() / scale, (ink.width()) / scale,
                  (ink.height()) / scale);
}

bool IsGreen(QRgb c) {
    return qGreen(c) > qRed(c) + 60 && qGreen(c) > qBlue(c) + 60;
}

} // namespace

void PrintPagesTest::resultsAtStartAndAfterNeuStarten() {
    PrintFixture p;
    Form1& form = p.Create();

    // Only caption and minutes carry text; they lie four lines apart.
    const std::vector<QStringList> atStart = PrintedLines(p.PrintResults(), TextLine);
    QCOMPARE(p.fx.messages.shown.size(), std::size_t{1});
    QCOMPARE(p.fx.messages.shown[0].Prompt,
             QStringLiteral("Wollen Sie die Ergebnisliste ausdrucken?"));
    QCOMPARE(p.fx.messages.shown[0].Title, QStringLiteral("Ergebnisliste drucken"));
    QCOMPARE(p.fx.messages.shown[0].Style, 33);
    QCOMPARE(atStart.size(), std::size_t{1});
    // Caption, the empty line, the empty slot, the statistics not shown yet, the minutes.
    QCOMPARE(atStart[0], Collapsed(QStringList{form.windowTitle(), QString(), QString(), QString(),
                                               QStringLiteral("Konzentriertes Üben : 0 Minuten")}));

    AnswerExercise(form, false, 2);
    AnswerExercise(form, true, 1);
    const QString statistics = form.lbStatistik->text();
    QTest::mouseClick(form.btnNeu, Qt::LeftButton);
    QCOMPARE(form.State.ResultLines, QStringList{QString()});

    // The list is empty again; the statistics stay as last shown.
    const std::vector<QStringList> afterNew = PrintedLines(p.PrintResults());
    QCOMPARE(afterNew.size(), std::size_t{1});
    QStringList expected{form.windowTitle(), QString(), QString()};
    expected += statistics.split(QStringLiteral("\r\n"));
    expected << QStringLiteral("Konzentriertes Üben : 0 Minuten");
    QCOMPARE(expected.size(), 7);
    QCOMPARE(afterNew[0], Collapsed(expected));
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
    QVERIFY(stored[0].contains(QStringLiteral("\t!   ")));
    QVERIFY(stored[1].endsWith(QStringLiteral("\t5 Sek.\t")));

    const QString pdf = p.PrintResults();
    const std::vector<PdfPage> pages = ReadPdfWords(pdf);
    QCOMPARE(pages.size(), std::size_t{1});
    QVERIFY(qAbs(pages[0].Size.width() - PaperWidth) < 1);
    QVERIFY(qAbs(pages[0].Size.height() - PaperHeight) < 1);
    QCOMPARE(PrintedLines(pdf)[0], Collapsed(ExpectedResultsPrintout(form, 0)));

    // The first line sits in the top left corner of the printable area, every line one
    // text line below the one before.
    const std::vector<PdfLine> lines = TextLines(pages[0]);
    QVERIFY(qAbs(lines[0].Words[0].Box.left() - Margin) < 0.5);
    QVERIFY(qAbs(lines[0].Top - Margin) < 1);
    QVERIFY2(qAbs(LinePitch(pages[0]) - TextLine) < 0.1,
             qPrintable(QString::number(LinePitch(pages[0]))));

    // Tabs advance to stops one inch apart: mark and answer at the first, the seconds at
    // the second. Right answers carry no mark.
    for (int i = 0; i < 4; ++i) {
        const std::vector<PdfWord>& words = lines[static_cast<std::size_t>(1 + i)].Words;
        QCOMPARE(words.back().Text, QStringLiteral("Sek."));
        const PdfWord& seconds = words[words.size() - 2];
        QVERIFY2(qAbs(seconds.Box.left() - (Margin + 144)) < 0.5, qPrintable(seconds.Text));
        const bool wrong = i < 2;
        const auto mark = std::find_if(words.begin(), words.end(), [](const PdfWord& w) {
            return w.Text == QLatin1String("!");
        });
        QCOMPARE(mark != words.end(), wrong);
        if (wrong)
            QVERIFY(qAbs(mark->Box.left() - (Margin + 72)) < 0.5);
    }
}

void PrintPagesTest::minutesOfConcentratedPractice() {
    PrintFixture p;
    Form1& form = p.Create();
    const auto lastLineOf = [](const QString& pdf) {
        const QStringList all = AllLines(PrintedLines(pdf));
        return all.isEmpty() ? QString() : all.back();
    };

    AnswerExercise(form, true, 59);
    QCOMPARE(form.State.TotalSeconds, 59);
    QCOMPARE(lastLineOf(p.PrintResults()), QStringLiteral("Konzentriertes Üben : 0 Minuten"));
    AnswerExercise(form, true, 1);
    QCOMPARE(form.State.TotalSeconds, 60);
    QCOMPARE(lastLineOf(p.PrintResults()), QStringLiteral("Konzentriertes Üben : 1 Minuten"));
    AnswerExercise(form, true, 59);
    QCOMPARE(form.State.TotalSeconds, 119);
    QCOMPARE(lastLineOf(p.PrintResults()), QStringLiteral("Konzentriertes Üben : 1 Minuten"));
}

void PrintPagesTest::resultsContinueOnASecondPage() {
    PrintFixture p;
    Form1& form = p.Create();
    int seconds = 0;
    int minutesSeconds = 0;
    for (int i = 0; i < 80; ++i) {
        const bool right = i % 7 != 3;
        const int ticks = 1 + i % 3;
        // A right answer's seconds count since the exercise was posed, wrong tries included.
        seconds += ticks;
        AnswerExercise(form, right, ticks);
        if (right) {
            minutesSeconds += seconds;
            seconds = 0;
        }
    }
    QCOMPARE(form.State.ResultLines.size(), 81);

    const std::vector<QStringList> pages = PrintedLines(p.PrintResults());
    QCOMPARE(pages.size(), std::size_t{2});
    // The lines run on without a new heading; the first page is full.
    const QStringList expected = Collapsed(ExpectedResultsPrintout(form, minutesSeconds / 60));
    QCOMPARE(AllLines(pages), expected);
    QVERIFY(pages[0].size() * TextLine > PaperHeight - 2 * Margin - TextLine);
    QCOMPARE(pages[1].first(), expected[pages[0].size()]);
}

void PrintPagesTest::cancelPrintsNothing() {
    PrintFixture p;
    Form1& form = p.Create();
    AnswerExercise(form, true, 1);
    p.fx.messages.answers = {MessageBoxes::Cancel, MessageBoxes::Cancel};

    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);
    QTest::mouseClick(form.cmdPrintTable, Qt::LeftButton);
    QVERIFY(QGuiApplication::overrideCursor());
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
    Form1& form = p.Create();
    AnswerExercise(form, true, 1);
    const QStringList before = form.State.ResultLines;

    p.noPrinter = true;
    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);
    QTest::mouseClick(form.cmdPrintTable, Qt::LeftButton);
    p.fx.printers.factory = [&real] { return real.DefaultPrinter(); };
    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);
    QCOMPARE(form.State.ResultLines, before);
    p.noPrinter = false;
    p.failingPrinter = true;
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    p.Create(); // a fresh window wired to the failing printer
    Form1& second = p.form();
    QTest::mouseClick(second.cmdPrintResults, Qt::LeftButton);
    QTest::mouseClick(second.cmdPrintTable, Qt::LeftButton);

    // The busy pointer was up while a printer was looked for and is gone again; the only
    // boxes were the confirmations; nothing was written and nothing changed.
    QCOMPARE(p.pointerWhenAsked,
             (std::vector<int>{Qt::WaitCursor, Qt::WaitCursor, Qt::WaitCursor, Qt::WaitCursor}));
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(p.fx.messages.shown.size(), std::size_t{5});
    QCOMPARE(p.fx.printers.requests, 5);
    QCOMPARE(p.files.size(), 2);
    for (const QString& f : p.files)
        QVERIFY(!QFile::exists(f));
}

void PrintPagesTest::tablePictureFillsThePageWidth() {
    PrintFixture p;
    Form1& form = p.Create();
    AnswerExercise(form, true, 1);
    const GridPicture grid = form.MSFlexGrid1->Picture();
    QVERIFY(grid.WidthHimetric > 0);

    const QString pdf = p.PrintTable();
    const std::vector<PdfPage> pages = ReadPdfWords(pdf);
    QCOMPARE(pages.size(), std::size_t{1});
    // The caption is the only text; the table is a picture.
    const std::vector<PdfLine> lines = TextLines(pages[0]);
    QCOMPARE(lines.size(), std::size_t{1});
    QCOMPARE(lines[0].Text(), Collapsed(form.windowTitle()));
    QCOMPARE(PictureCount(pdf), 1);

    const int dpi = 144;
    const QImage page = RenderPage(pdf, 1, dpi);
    const QRectF place = PicturePlace(page, dpi);
    const double width = 0.95 * PaperWidth;
    QVERIFY2(qAbs(place.left() - Margin) < 1, qPrintable(QString::number(place.left())));
    QVERIFY2(qAbs(place.top() - (Margin + TextLine)) < 1, qPrintable(QString::number(place.top())));
    QVERIFY2(qAbs(place.width() - width) < 1, qPrintable(QString::number(place.width())));
    const double height = width * grid.HeightHimetric / grid.WidthHimetric;
    QVERIFY2(qAbs(place.height() - height) < 1, qPrintable(QString::number(place.height())));
    // The header corner of the table is green on paper too.
    QVERIFY(IsGreen(page.pixel(static_cast<int>((place.left() + 4) * dpi / 72),
                               static_cast<int>((place.top() + 4) * dpi / 72))));

    // The hidden table is printed all the same.
    QTest::mouseClick(form.chkTableVisible, Qt::LeftButton);
    QVERIFY(!form.chkTableVisible->isChecked());
    QVERIFY(!form.MSFlexGrid1->isVisible());
    const QString hiddenPdf = p.PrintTable();
    QCOMPARE(PictureCount(hiddenPdf), 1);
    const QRectF hiddenPlace = PicturePlace(RenderPage(hiddenPdf, 1, dpi), dpi);
    QVERIFY(qAbs(hiddenPlace.width() - place.width()) < 0.5);
    QVERIFY(qAbs(hiddenPlace.height() - place.height()) < 0.5);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void PrintPagesTest::tallTableIsSqueezedAndEmptyTableLeavesCaption() {
    PrintFixture p;
    Form1& form = p.Create();

    // A narrow, tall window makes a table taller than the page allows.
    form.resize(form.width(), 2400);
    const GridPicture grid = form.MSFlexGrid1->Picture();
    QVERIFY2(
        grid.HeightHimetric * 0.95 * PaperWidth / grid.WidthHimetric > PaperHeight,
        qPrintable(QStringLiteral("%1 x %2").arg(grid.WidthHimetric).arg(grid.HeightHimetric)));
    const int dpi = 144;
    const QString tall = p.PrintTable();
    QCOMPARE(ReadPdfWords(tall).size(), std::size_t{1});
    const QRectF place = PicturePlace(RenderPage(tall, 1, dpi), dpi);
    QVERIFY2(qAbs(place.width() - 0.95 * PaperWidth) < 1,
             qPrintable(QString::number(place.width())));
    QVERIFY2(qAbs(place.height() - (0.95 * PaperHeight - TextLine)) < 1,
             qPrintable(QString::number(place.height())));

    // A window too small for the table leaves a grid of no size: only the caption is printed.
    form.resize(40, 40);
    QCOMPARE(form.MSFlexGrid1->Picture().WidthHimetric, 0.0);
    const QString empty = p.PrintTable();
    const std::vector<PdfPage> pages = ReadPdfWords(empty);
    QCOMPARE(pages.size(), std::size_t{1});
    QCOMPARE(TextLines(pages[0]).size(), std::size_t{1});
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
