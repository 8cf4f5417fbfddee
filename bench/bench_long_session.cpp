// A long session: 10 000 right answers in one run, the table shown at upper bound 10. Does
// an answer get slower as the session grows, and does memory grow by more than the stored
// result lines themselves? The table's four arrangements take turns, so after the first
// four answers every refill brings back a kept picture, as in the program; the memory of
// those pictures is taken once, within the first four answers, and reported on its own.

#include "BenchSupport.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

using namespace bench;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool quick = argc > 1 && QByteArray(argv[1]) == "--quick";
    const int answers = quick ? 2000 : 10000;
    const int window = answers / 10; // first and last tenth compared

    Trainer trainer;
    Form1& form = trainer.Start();
    trainer.ShowTable(10);
    auto bare = BareWindow();
    QCoreApplication::processEvents();
    Present(form);
    Present(*bare);
    // Warm-up outside the session: glyph caches and style pixmaps.
    for (int i = 0; i < 20; ++i) {
        Present(form);
        Present(*bare);
    }
    form.btnNeu->click(); // a fresh list
    Present(form);

    const long rssBefore = ResidentKiB();
    long rssAfterFour = 0;
    long rssAfterFirstTenth = 0;
    std::vector<double> perAnswer, baseline;
    perAnswer.reserve(static_cast<std::size_t>(answers));
    baseline.reserve(static_cast<std::size_t>(answers));
    const int rightBefore = form.State.RightCount;
    for (int i = 0; i < answers; ++i) {
        form.tbErgebnis->setText(QString::number(form.State.ExpectedResult));
        auto t = Clock::now();
        QTest::keyClick(form.tbErgebnis, Qt::Key_Return);
        Present(form);
        perAnswer.push_back(MicrosSince(t));
        t = Clock::now();
        Present(*bare);
        baseline.push_back(MicrosSince(t));
        if (i + 1 == 4)
            rssAfterFour = ResidentKiB();
        if (i + 1 == window)
            rssAfterFirstTenth = ResidentKiB();
    }
    const long rssAfter = ResidentKiB();

    // The text itself, and an estimate of the heap the lines take: each string's block
    // (16-byte header, capacity + terminator in UTF-16, malloc's 8 bytes, rounded to 16) and
    // the list's slot of 24 bytes per reserved element.
    qint64 textBytes = 0;
    qint64 heapBytes = static_cast<qint64>(form.State.ResultLines.capacity()) * 24;
    for (const QString& line : form.State.ResultLines) {
        textBytes += static_cast<qint64>(line.size()) * 2;
        if (line.capacity() > 0)
            heapBytes += (16 + (line.capacity() + 1) * 2 + 8 + 15) / 16 * 16;
    }
    const qint64 lines = form.State.ResultLines.size() - 1;

    const std::vector<double> first(perAnswer.begin(), perAnswer.begin() + window);
    const std::vector<double> last(perAnswer.end() - window, perAnswer.end());
    const std::vector<double> firstBase(baseline.begin(), baseline.begin() + window);
    const std::vector<double> lastBase(baseline.end() - window, baseline.end());

    std::printf("Long session: %d right answers (Enter + paint), table %dx%d shown, window "
                "%dx%d\n",
                answers, form.MSFlexGrid1->Rows(), form.MSFlexGrid1->Cols(), form.width(),
                form.height());
    std::printf("%-38s %10s %10s %12s %8s\n", "answers", "median us", "p90 us", "baseline us",
                "ratio");
    std::printf("%-38s %10.1f %10.1f %12.1f %8.2f\n",
                qPrintable(QStringLiteral("first %1").arg(window)), Median(first),
                Percentile(first, 0.9), Median(firstBase), Median(first) / Median(firstBase));
    std::printf("%-38s %10.1f %10.1f %12.1f %8.2f\n",
                qPrintable(QStringLiteral("last %1").arg(window)), Median(last),
                Percentile(last, 0.9), Median(lastBase), Median(last) / Median(lastBase));
    const double growth = Median(last) / Median(first);
    std::printf("last / first (medians): %.2f  -> %s\n", growth,
                growth < 1.2 ? "no slow-down" : "SLOWER as the session grows");
    std::printf("answer target < 1 ms median: %s\n",
                Median(last) < 1000 && Median(first) < 1000 ? "met" : "NOT met");

    std::printf("\nMemory (VmRSS)\n");
    std::printf("%-38s %10ld KiB\n", "before the session", rssBefore);
    std::printf("%-38s %10ld KiB\n", "after 4 answers (all 4 arrangements)", rssAfterFour);
    const QSize gridSize = form.MSFlexGrid1->size() * form.MSFlexGrid1->devicePixelRatioF();
    std::printf(
        "%-38s %10.0f KiB  (%d x %d px, 4 bytes a pixel)\n", "  the table's 4 kept pictures",
        4.0 * gridSize.width() * gridSize.height() * 4 / 1024, gridSize.width(), gridSize.height());
    std::printf("%-38s %10ld KiB\n", qPrintable(QStringLiteral("after %1 answers").arg(window)),
                rssAfterFirstTenth);
    std::printf("%-38s %10ld KiB\n", qPrintable(QStringLiteral("after %1 answers").arg(answers)),
                rssAfter);
    std::printf("%-38s %10ld KiB\n", "growth over the whole session", rssAfter - rssBefore);
    std::printf("%-38s %10ld KiB\n",
                qPrintable(QStringLiteral("growth over the last %1 answers").arg(answers - window)),
                rssAfter - rssAfterFirstTenth);
    std::printf("%-38s %10.1f KiB  (%lld lines, %.1f bytes of text per line)\n",
                "result lines' text (chars x 2 bytes)", textBytes / 1024.0,
                static_cast<long long>(lines), lines ? double(textBytes) / lines : 0.0);
    std::printf("%-38s %10.1f KiB\n", "the lines' estimated heap (see source)", heapBytes / 1024.0);
    std::printf("growth / text: %.2f (whole session), %.2f (after the first %d)\n",
                textBytes ? (rssAfter - rssBefore) * 1024.0 / textBytes : 0.0,
                textBytes ? (rssAfter - rssAfterFirstTenth) * 1024.0 / (textBytes * 0.9) : 0.0,
                window);
    std::printf("growth / estimated heap of the lines: %.2f (whole session), %.2f (after the "
                "first %d)\n",
                heapBytes ? (rssAfter - rssBefore) * 1024.0 / heapBytes : 0.0,
                heapBytes ? (rssAfter - rssAfterFirstTenth) * 1024.0 / (heapBytes * 0.9) : 0.0,
                window);
    const int right = form.State.RightCount - rightBefore;
    if (right != answers)
        std::printf("warning: %d of %d answers were booked as right\n", right, answers);
    std::fflush(stdout);
    return 0;
}
