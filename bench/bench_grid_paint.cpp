// Where the table's paint goes. The grid (33 × 33, upper bound 32, real cell sizes and font)
// is rendered into an image through QWidget::render, which runs its own paintEvent:
//   afresh        the picture painted anew (no kept picture fits): three background fills,
//                 the cells of their own colour, one fill per grid line, the texts as glyph
//                 runs prepared once per text and font
//   afresh, texts prepared anew   the same right after a font size change (a new bound),
//                 when every text's glyphs are looked up again
//   afresh, no texts   the same cells with their texts removed: fills and lines alone
//   kept          a picture of the same arrangement is kept: the lookup and one copy
//   former paint  the paint as it was before the table kept pictures and drew glyph runs,
//                 rebuilt here for comparison: per cell one fill and two line rectangles,
//                 every text laid out and shaped on every paint (drawText with AlignCenter)

#include "BenchSupport.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace bench;

namespace {

struct Cell {
    QRect rect;
    QString text;
    bool fixed = false;
};

void PaintFormerWay(QPainter& p, const std::vector<Cell>& cells, const QFont& font, QSize size) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(240, 240, 240));
    p.setFont(font);
    const QColor green(0, 176, 0), white(Qt::white), black(Qt::black), grey(192, 192, 192);
    for (const Cell& c : cells) {
        p.fillRect(c.rect, c.fixed ? green : white);
        const QColor line = c.fixed ? black : grey;
        p.fillRect(QRect(c.rect.right() + 1, c.rect.top(), 1, c.rect.height() + 1), line);
        p.fillRect(QRect(c.rect.left(), c.rect.bottom() + 1, c.rect.width() + 1, 1), line);
        if (c.text.isEmpty())
            continue;
        p.setPen(c.fixed ? white : black);
        p.drawText(c.rect, Qt::AlignCenter, c.text);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool quick = argc > 1 && QByteArray(argv[1]) == "--quick";
    const int reps = quick ? 40 : 400;

    Trainer trainer;
    Form1& form = trainer.Start();
    trainer.ShowTable(32);
    auto bare = BareWindow();
    QCoreApplication::processEvents();
    Present(form);

    GridWidget& grid = *form.MSFlexGrid1;
    std::vector<Cell> cells;
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            cells.push_back(Cell{grid.CellRect(r, c), grid.TextMatrix(r, c), r == 0 || c == 0});
    QStringList distinct;
    for (const Cell& c : cells)
        if (!c.text.isEmpty() && !distinct.contains(c.text))
            distinct.push_back(c.text);
    const QSize size = grid.size();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);

    const auto baseline = [&] { Present(*bare); };
    const auto forget = [&] { ForgetGridPictures(grid); };
    const auto render = [&] { grid.render(&image); };
    for (int i = 0; i < 10; ++i) {
        forget();
        render();
        QPainter p(&image);
        PaintFormerWay(p, cells, grid.CellFont(), size);
        Present(*bare);
    }

    GridPaints paints(grid);
    std::vector<Row> rows;
    // What the untimed steps leave queued (the grid's own update request) is handled before
    // the baseline's sample.
    const auto settle = [] { QCoreApplication::sendPostedEvents(); };
    rows.push_back(
        MeasureWithGrid(paints, "table paint afresh", reps, render, baseline, forget, settle));
    const double size0 = grid.FontSize();
    rows.push_back(MeasureWithGrid(
        paints, "table paint afresh, texts prepared anew", reps, render, baseline,
        [&] {
            grid.setFontSize(size0 + 1);
            grid.setFontSize(size0);
            forget();
        },
        settle));
    rows.push_back(MeasureWithGrid(
        paints, "table paint afresh, no texts", reps, render, baseline,
        [&] {
            for (int r = 0; r < grid.Rows(); ++r)
                for (int c = 0; c < grid.Cols(); ++c)
                    grid.setTextMatrix(r, c, QString());
            forget();
        },
        [&] {
            form.FillTable(0);
            settle();
        }));
    rows.push_back(
        MeasureWithGrid(paints, "table paint, picture kept (a copy)", reps, render, baseline));
    rows.push_back(Measure(
        "former paint (rebuilt here)", reps,
        [&] {
            QPainter p(&image);
            PaintFormerWay(p, cells, grid.CellFont(), size);
        },
        baseline));

    std::printf("Table paint %dx%d cells, %dx%d px, font %s %.2f pt%s; %lld distinct texts\n",
                grid.Rows(), grid.Cols(), size.width(), size.height(),
                qPrintable(QFontInfo(grid.CellFont()).family()), grid.FontSize(),
                grid.FontBold() ? " bold" : "", static_cast<long long>(distinct.size()));
    PrintRows("Table paint into an image (medians; baseline = bare window repaint)", rows);
    if (rows[0].gridMedian < 2.5 * rows[3].gridMedian)
        std::printf("warning: the table was not painted afresh where it should have been\n");
    return 0;
}
