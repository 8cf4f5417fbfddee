// Where the table's paint goes, and what a paint with prepared texts would cost. The grid
// (33 × 33, upper bound 32, real cell sizes and font) is rendered into an image:
//   real          GridWidget's own paintEvent, through QWidget::render
//   sketch, laid out per paint   the same cells: fill, two line rects, text laid out and
//                 shaped on every paint (drawText with a rectangle and AlignCenter)
//   sketch, prepared texts       the same cells, each distinct number prepared once as a
//                 QStaticText (shaped once, kept until the font changes) and drawn centred
//   sketch, batched              prepared texts, and the backgrounds and lines filled per
//                 header row/column and per grid line instead of per cell
// The sketches are not the program's code; they show how much of the real paint is text
// layout, and what keeping the prepared texts would save.

#include "BenchSupport.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QStaticText>

#include <cstdio>

using namespace bench;

namespace {

struct Cell {
    QRect rect;
    QString text;
    bool fixed = false;
};

void PaintCells(QPainter& p, const std::vector<Cell>& cells, const QFont& font, QSize size,
                QHash<QString, QStaticText>* prepared) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(240, 240, 240));
    p.setFont(font);
    const QColor green(0, 128, 0), white(Qt::white), black(Qt::black), grey(192, 192, 192);
    for (const Cell& c : cells) {
        p.fillRect(c.rect, c.fixed ? green : white);
        const QColor line = c.fixed ? black : grey;
        p.fillRect(QRect(c.rect.right() + 1, c.rect.top(), 1, c.rect.height() + 1), line);
        p.fillRect(QRect(c.rect.left(), c.rect.bottom() + 1, c.rect.width() + 1, 1), line);
        if (c.text.isEmpty())
            continue;
        p.setPen(c.fixed ? white : black);
        if (!prepared) {
            p.drawText(c.rect, Qt::AlignCenter, c.text);
            continue;
        }
        auto it = prepared->find(c.text);
        if (it == prepared->end()) {
            QStaticText st(c.text);
            st.setTextFormat(Qt::PlainText);
            st.prepare(QTransform(), font);
            it = prepared->insert(c.text, st);
        }
        const QSizeF s = it->size();
        p.drawStaticText(QPointF(c.rect.x() + (c.rect.width() - s.width()) / 2,
                                 c.rect.y() + (c.rect.height() - s.height()) / 2),
                         *it);
    }
}

// Backgrounds in three rectangles, one rectangle per grid line, then the prepared texts.
void PaintBatched(QPainter& p, const std::vector<Cell>& cells, int rows, int cols,
                  const QFont& font, QSize size, QHash<QString, QStaticText>& prepared) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(240, 240, 240));
    const QColor green(0, 128, 0), white(Qt::white), black(Qt::black), grey(192, 192, 192);
    const QRect all = cells.front().rect.united(cells.back().rect).adjusted(0, 0, 1, 1);
    const QRect corner = cells.front().rect.adjusted(0, 0, 1, 1);
    p.fillRect(all, white);
    p.fillRect(QRect(all.left(), all.top(), all.width(), corner.height()), green);
    p.fillRect(QRect(all.left(), all.top(), corner.width(), all.height()), green);
    for (int c = 0; c < cols; ++c) {
        const QRect r = cells[static_cast<std::size_t>(c)].rect;
        p.fillRect(QRect(r.right() + 1, all.top(), 1, all.height()), c == 0 ? black : grey);
    }
    for (int r = 0; r < rows; ++r) {
        const QRect rc = cells[static_cast<std::size_t>(r * cols)].rect;
        p.fillRect(QRect(all.left(), rc.bottom() + 1, all.width(), 1), r == 0 ? black : grey);
    }
    p.setFont(font);
    for (const Cell& c : cells) {
        if (c.text.isEmpty())
            continue;
        p.setPen(c.fixed ? white : black);
        const QStaticText& st = prepared[c.text];
        const QSizeF s = st.size();
        p.drawStaticText(QPointF(c.rect.x() + (c.rect.width() - s.width()) / 2,
                                 c.rect.y() + (c.rect.height() - s.height()) / 2),
                         st);
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
    const QSize size = grid.size();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QHash<QString, QStaticText> prepared;

    const auto baseline = [&] { Present(*bare); };
    for (int i = 0; i < 10; ++i) {
        grid.render(&image);
        QPainter p(&image);
        PaintCells(p, cells, grid.CellFont(), size, &prepared);
        Present(*bare);
    }

    std::vector<Row> rows;
    rows.push_back(Measure("real: GridWidget paint into an image", reps,
                           [&] { grid.render(&image); }, baseline));
    rows.push_back(Measure("sketch: text laid out on every paint", reps,
                           [&] {
                               QPainter p(&image);
                               PaintCells(p, cells, grid.CellFont(), size, nullptr);
                           },
                           baseline));
    rows.push_back(Measure("sketch: prepared texts (QStaticText)", reps,
                           [&] {
                               QPainter p(&image);
                               PaintCells(p, cells, grid.CellFont(), size, &prepared);
                           },
                           baseline));
    rows.push_back(Measure("sketch: batched fills + prepared texts", reps,
                           [&] {
                               QPainter p(&image);
                               PaintBatched(p, cells, grid.Rows(), grid.Cols(), grid.CellFont(),
                                            size, prepared);
                           },
                           baseline));
    rows.push_back(Measure("sketch: cells without text", reps,
                           [&] {
                               std::vector<Cell> blank = cells;
                               for (Cell& c : blank)
                                   c.text.clear();
                               QPainter p(&image);
                               PaintCells(p, blank, grid.CellFont(), size, nullptr);
                           },
                           baseline));

    std::printf("Table paint %dx%d cells, %dx%d px, font %s %.2f pt%s; %lld distinct texts\n",
                grid.Rows(), grid.Cols(), size.width(), size.height(),
                qPrintable(QFontInfo(grid.CellFont()).family()), grid.FontSize(),
                grid.FontBold() ? " bold" : "", static_cast<long long>(prepared.size()));
    PrintRows("Table paint (medians; baseline = bare window repaint)", rows);
    return 0;
}
