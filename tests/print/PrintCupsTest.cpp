#include "Fakes.h"
#include "PdfReadback.h"
#include "PrintTestSupport.h"
#include "QtPrinterProvider.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

// Both printouts from the real window on the system's default printer: a CUPS daemon whose
// default printer writes PDF files (started by tests/support/with-cups).
class PrintCupsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void bothPrintoutsReachThePrinter();
    void cleanupTestCase();

private:
    QString WaitForJob(qint64 job);

    QString folder_;
    qint64 firstJob_ = 0;
    QStringList found_;
};

void PrintCupsTest::initTestCase() {
    folder_ = qEnvironmentVariable("ZW_CUPS_PDF_DIR");
    firstJob_ = qEnvironmentVariable("ZW_CUPS_FIRST_JOB").toLongLong();
    if (folder_.isEmpty() || firstJob_ <= 0 || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        QSKIP("needs the print spooler that tests/support/with-cups starts");
}

// cups-pdf ends its file names with the job id; the file is complete once it can be read
// and no longer grows.
QString PrintCupsTest::WaitForJob(qint64 job) {
    const QRegularExpression name(QStringLiteral("job_%1\\.pdf$").arg(job));
    qint64 lastSize = -1;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        for (const QFileInfo& f :
             QDir(folder_).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (!name.match(f.fileName()).hasMatch())
                continue;
            if (f.size() > 0 && f.size() == lastSize && !ReadPdfWords(f.filePath()).empty()) {
                found_ << f.filePath();
                return f.filePath();
            }
            lastSize = f.size();
        }
        QThread::msleep(150);
    }
    return {};
}

void PrintCupsTest::bothPrintoutsReachThePrinter() {
    QtPrinterProvider printers;
    FormFixture fx;
    Form1Backends backends = fx.Backends();
    backends.Printers = &printers;
    fx.form = std::make_unique<Form1>(backends);
    Form1& form = *fx.form;
    form.Form_Load();

    AnswerExercise(form, false, 2);
    AnswerExercise(form, true, 3);
    AnswerExercise(form, true, 1);

    QTest::mouseClick(form.cmdPrintResults, Qt::LeftButton);
    QVERIFY(!QGuiApplication::overrideCursor());
    const QString results = WaitForJob(firstJob_);
    QVERIFY2(!results.isEmpty(), "the results printout did not arrive");
    const std::vector<QStringList> pages = PrintedLines(results);
    QCOMPARE(pages.size(), std::size_t{1});
    QCOMPARE(WithoutBlanks(pages[0]), WithoutBlanks(ExpectedResultsPrintout(form, 0)));

    QTest::mouseClick(form.cmdPrintTable, Qt::LeftButton);
    QVERIFY(!QGuiApplication::overrideCursor());
    const QString table = WaitForJob(firstJob_ + 1);
    QVERIFY2(!table.isEmpty(), "the table printout did not arrive");
    const std::vector<PdfPage> tablePages = ReadPdfWords(table);
    QCOMPARE(tablePages.size(), std::size_t{1});
    const std::vector<PdfLine> lines = TextLines(tablePages[0]);
    QCOMPARE(lines.size(), std::size_t{1});
    QCOMPARE(WithoutBlanks({lines[0].Text()}), WithoutBlanks({form.windowTitle()}));
    QVERIFY(PictureCount(table) >= 1);
    // The picture spans 95 % of the paper's width below the caption, green headers and all.
    const PictureOnPage picture = FindPicture(table, lines[0].Words[0].Box.bottom());
    QVERIFY(qAbs(picture.Place.width() - 0.95 * tablePages[0].Size.width()) < 1.5);
    QVERIFY(picture.NearCorner.green() > picture.NearCorner.red() + 60);
}

void PrintCupsTest::cleanupTestCase() {
    for (const QString& f : found_)
        QFile::remove(f);
}

QTEST_MAIN(PrintCupsTest)
#include "PrintCupsTest.moc"
