// SPDX-License-Identifier: GPL-3.0-or-later
// A right answer at the largest table (33 × 33, upper bound 32), and the table's paint alone,
// each against repainting a bare window of the same size, sampled alternately in one loop.
//
// In a running session the four arrangements of the table take turns and an answer brings
// back a kept picture of the table; the first answers after the table is built, a new bound
// or a new window size paint it afresh. Both are measured. The answer is read from the
// exercise shown and typed untimed; Enter and the window's repaint are timed.

#include "BenchSupport.h"

#include <QImage>

using namespace bench;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int n = Repetitions(argc, argv, 1000);
    Trainer t(32);
    const auto bare = BareWindow(t.form->size());
    const auto baseline = [&] { Present(*bare); };
    const auto nothing = [] {};
    const auto answer = [&] {
        t.PressEnter();
        Present(*t.form);
    };
    for (int i = 0; i < 20; ++i) { // fonts, glyphs and the style's pixmaps, made on first use
        t.TypeAnswer();
        answer();
        baseline();
    }

    TablePaints paints(*t.table);
    std::vector<Row> rows;
    const auto type = [&] {
        t.TypeAnswer();
        Present(*t.form);
    };
    rows.push_back(Measure("right answer, Enter + repaint (table picture kept)", n, answer,
                           baseline, type, nothing, paints));
    rows.push_back(Measure(
        "right answer, Enter + repaint (table painted afresh)", n, answer, baseline,
        [&] {
            type();
            ForgetTablePictures(*t.table);
            Present(*t.form);
        },
        nothing, paints));

    QImage image(t.table->size(), QImage::Format_ARGB32_Premultiplied);
    const auto render = [&] { t.table->render(&image); };
    const auto settle = [] { QCoreApplication::sendPostedEvents(); };
    rows.push_back(Measure(
        "the table's paint into an image, afresh", n, render, baseline,
        [&] { ForgetTablePictures(*t.table); }, settle, paints));
    rows.push_back(Measure("the table's paint into an image, picture kept", n, render, baseline,
                           nothing, settle, paints));

    std::printf("Window %dx%d, table %dx%d px, %d samples per row, medians.\n\n", t.form->width(),
                t.form->height(), t.table->width(), t.table->height(), n);
    PrintRows("bare window repaint", rows);
    if (!t.AllRight())
        std::printf("\n**Warning:** not every answer was booked as right (%s).\n",
                    qPrintable(t.statistics->text().replace(QStringLiteral("\r\n"), "; ")));
    if (rows[1].tableMedian < 2 * rows[0].tableMedian)
        std::printf("\n**Warning:** the table's paint afresh is not clearly apart from a copy.\n");
    return 0;
}
