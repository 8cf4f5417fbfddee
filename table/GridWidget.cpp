// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridWidget.h"

#include "Fonts.h"
#include "ItemEvents.h"
#include "Twips.h"
#include "VbColor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

#include <QGlyphRun>

#include <algorithm>
#include <map>
#include <utility>

namespace {

inline constexpr int DefaultColWidth = 600;
inline constexpr int DefaultRowHeight = 240;
// The printed picture is drawn at this multiple of the screen size, so it stays sharp.
inline constexpr int PictureScale = 4;
// One picture for each arrangement of the table.
inline constexpr std::size_t CachedPictures = 4;

} // namespace

GridWidget::GridWidget(QWidget* parent) : QWidget(parent), font_(ArialFamily) {
    font_.setPointSizeF(14.25);
    font_.setBold(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ResizeCells(13, 13);
}

void GridWidget::ResizeCells(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    std::vector<QString> text(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    std::vector<quint32> back(text.size(), 0);
    // Cells that remain keep their text and colour.
    for (int r = 0; r < std::min(rows, rows_); ++r) {
        for (int c = 0; c < std::min(cols, cols_); ++c) {
            const std::size_t to = static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
                                   static_cast<std::size_t>(c);
            text[to] = std::move(text_[Index(r, c)]);
            back[to] = back_[Index(r, c)];
        }
    }
    text_ = std::move(text);
    back_ = std::move(back);
    rows_ = rows;
    cols_ = cols;
    colWidth_.resize(static_cast<std::size_t>(cols), DefaultColWidth);
    rowHeight_.resize(static_cast<std::size_t>(rows), DefaultRowHeight);
    requestPaint();
    AnnounceItemsChange(this, QAccessibleTableModelChangeEvent::ModelReset);
}

void GridWidget::setRows(int rows) {
    if (rows != rows_)
        ResizeCells(rows, cols_);
}

void GridWidget::setCols(int cols) {
    if (cols != cols_)
        ResizeCells(rows_, cols);
}

int GridWidget::ColWidth(int col) const {
    return col >= 0 && col < cols_ ? colWidth_[static_cast<std::size_t>(col)] : 0;
}

int GridWidget::RowHeight(int row) const {
    return row >= 0 && row < rows_ ? rowHeight_[static_cast<std::size_t>(row)] : 0;
}

void GridWidget::setColWidth(int col, int twips) {
    if (col >= 0 && col < cols_) {
        colWidth_[static_cast<std::size_t>(col)] = twips;
        requestPaint();
    }
}

void GridWidget::setRowHeight(int row, int twips) {
    if (row >= 0 && row < rows_) {
        rowHeight_[static_cast<std::size_t>(row)] = twips;
        requestPaint();
    }
}

QString GridWidget::TextMatrix(int row, int col) const {
    return Valid(row, col) ? text_[Index(row, col)] : QString();
}

void GridWidget::setTextMatrix(int row, int col, const QString& text) {
    if (Valid(row, col)) {
        text_[Index(row, col)] = text;
        ContentChanged();
    }
}

void GridWidget::setRedraw(bool redraw) {
    redraw_ = redraw;
    if (!redraw_)
        return;
    update();
    if (std::exchange(contentChanged_, false))
        AnnounceItemsChange(this, QAccessibleTableModelChangeEvent::DataChanged, 0, rows_ - 1);
}

void GridWidget::ContentChanged() {
    // While drawing is off, screen readers hear of all changes at once when it is back on.
    contentChanged_ = true;
    if (redraw_)
        setRedraw(true);
}

void GridWidget::requestPaint() {
    if (redraw_)
        update();
}

void GridWidget::setFontSize(double points) {
    const double size = std::max(points, 1.0);
    if (size != font_.pointSizeF())
        preparedText_.clear();
    font_.setPointSizeF(size);
    requestPaint();
}

void GridWidget::setFontBold(bool bold) {
    if (font_.bold() != bold)
        preparedText_.clear();
    font_.setBold(bold);
    requestPaint();
}

void GridWidget::setRow(int row) {
    row_ = row;
    rowSel_ = row;
}

void GridWidget::setCol(int col) {
    col_ = col;
    colSel_ = col;
}

void GridWidget::setCellBackColor(quint32 vbColor) {
    int r0 = row_, r1 = row_, c0 = col_, c1 = col_;
    if (fillStyle_ == 1) {
        r0 = std::min(row_, rowSel_);
        r1 = std::max(row_, rowSel_);
        c0 = std::min(col_, colSel_);
        c1 = std::max(col_, colSel_);
    }
    for (int r = std::max(r0, 0); r <= std::min(r1, rows_ - 1); ++r) {
        for (int c = std::max(c0, 0); c <= std::min(c1, cols_ - 1); ++c)
            back_[Index(r, c)] = vbColor;
    }
    ContentChanged();
}

quint32 GridWidget::CellBackColorAt(int row, int col) const {
    return Valid(row, col) ? back_[Index(row, col)] : 0;
}

int GridWidget::ColLeftPixels(int col) const {
    long long twips = 0;
    for (int i = 0; i < col && i < cols_; ++i)
        twips += std::max(colWidth_[static_cast<std::size_t>(i)], 0) + GridLineTwips;
    return TwipsToPixels(static_cast<double>(twips));
}

int GridWidget::RowTopPixels(int row) const {
    long long twips = 0;
    for (int i = 0; i < row && i < rows_; ++i)
        twips += std::max(rowHeight_[static_cast<std::size_t>(i)], 0) + GridLineTwips;
    return TwipsToPixels(static_cast<double>(twips));
}

QRect GridWidget::CellRect(int row, int col) const {
    if (!Valid(row, col))
        return {};
    const int x = ColLeftPixels(col);
    const int y = RowTopPixels(row);
    return QRect(x, y, ColLeftPixels(col + 1) - x - 1, RowTopPixels(row + 1) - y - 1);
}

QPoint GridWidget::CellAt(QPoint pixel) const {
    int col = -1;
    for (int c = 0, left = 0; c < cols_; ++c) {
        const int right = ColLeftPixels(c + 1);
        if (pixel.x() >= left && pixel.x() < right) {
            col = c;
            break;
        }
        left = right;
    }
    int row = -1;
    for (int r = 0, top = 0; r < rows_; ++r) {
        const int bottom = RowTopPixels(r + 1);
        if (pixel.y() >= top && pixel.y() < bottom) {
            row = r;
            break;
        }
        top = bottom;
    }
    if (row < 0 || col < 0 || pixel.x() < 0 || pixel.y() < 0)
        return {-1, -1};
    return {col, row};
}

void GridWidget::paintGrid(QPainter& painter, const QRect& exposed, bool preparedText) const {
    const QPalette& pal = palette();
    const QColor outside = ColorFromVb(VbColors::ButtonFace, pal);
    if (rows_ == 0 || cols_ == 0) {
        painter.fillRect(exposed, outside);
        return;
    }
    painter.setFont(font_);

    std::vector<int> xs(static_cast<std::size_t>(cols_) + 1);
    std::vector<int> ys(static_cast<std::size_t>(rows_) + 1);
    for (int c = 0; c <= cols_; ++c)
        xs[static_cast<std::size_t>(c)] = ColLeftPixels(c);
    for (int r = 0; r <= rows_; ++r)
        ys[static_cast<std::size_t>(r)] = RowTopPixels(r);
    const auto X = [&](int c) { return xs[static_cast<std::size_t>(c)]; };
    const auto Y = [&](int r) { return ys[static_cast<std::size_t>(r)]; };
    const int right = X(cols_), bottom = Y(rows_);
    // The area right of and below the cells.
    painter.fillRect(QRect(right, 0, std::max(width() - right, 0), height()), outside);
    painter.fillRect(QRect(0, bottom, right, std::max(height() - bottom, 0)), outside);

    // Backgrounds in a few large strokes: the green header row and column, the white body.
    const QColor green = ColorFromVb(VbColors::HeaderGreen, pal);
    painter.fillRect(QRect(0, 0, right, Y(1)), green);
    painter.fillRect(QRect(0, Y(1), X(1), bottom - Y(1)), green);
    painter.fillRect(QRect(X(1), Y(1), right - X(1), bottom - Y(1)),
                     ColorFromVb(VbColors::White, pal));

    // Cells of their own colour, and the grid's selected range when it spans several cells.
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    const bool rangeShown = r0 != r1 || c0 != c1;
    const auto selected = [&](int r, int c) {
        return rangeShown && !IsFixed(r, c) && r >= r0 && r <= r1 && c >= c0 && c <= c1;
    };
    const QColor highlight = ColorFromVb(VbColors::Highlight, pal);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const quint32 own = back_[Index(r, c)];
            const bool sel = selected(r, c);
            if (own == 0 && !sel)
                continue;
            painter.fillRect(QRect(X(c), Y(r), X(c + 1) - X(c), Y(r + 1) - Y(r)),
                             sel ? highlight : ColorFromVb(own, pal));
        }
    }

    // Grid lines: one pixel at the right and bottom of every cell, black between fixed
    // cells and grey between the others.
    const QColor grey = ColorFromVb(VbColors::GridLineGrey, pal);
    const QColor black = ColorFromVb(VbColors::Black, pal);
    for (int c = 0; c < cols_; ++c) {
        const int x = X(c + 1) - 1;
        if (c == 0) {
            painter.fillRect(QRect(x, 0, 1, bottom), black);
        } else {
            painter.fillRect(QRect(x, 0, 1, Y(1)), black);
            painter.fillRect(QRect(x, Y(1), 1, bottom - Y(1)), grey);
        }
    }
    for (int r = 0; r < rows_; ++r) {
        const int y = Y(r + 1) - 1;
        if (r == 0) {
            painter.fillRect(QRect(0, y, right, 1), black);
        } else {
            painter.fillRect(QRect(0, y, X(1), 1), black);
            painter.fillRect(QRect(X(1), y, right - X(1), 1), grey);
        }
    }

    // Texts, centred in their cells. On screen they are laid out once per text and font.
    const QColor fixedText = ColorFromVb(VbColors::White, pal);
    const QColor bodyText = ColorFromVb(VbColors::WindowText, pal);
    const QColor selectedText = ColorFromVb(VbColors::HighlightText, pal);
    if (preparedText && (!rawFont_.isValid() || preparedText_.isEmpty()))
        rawFont_ = QRawFont::fromFont(font_);
    const double ascent = rawFont_.ascent();
    const double lineHeight = rawFont_.ascent() + rawFont_.descent();
    std::vector<quint32> bodyGlyphs;
    std::vector<QPointF> bodyPositions;
    std::map<const QColor*, std::vector<quint32>> otherGlyphs;
    std::map<const QColor*, std::vector<QPointF>> otherPositions;
    for (int r = 0; r < rows_; ++r) {
        if (Y(r) >= exposed.bottom() + 1 || Y(r + 1) <= exposed.top())
            continue;
        for (int c = 0; c < cols_; ++c) {
            const QString& t = text_[Index(r, c)];
            if (t.isEmpty() || X(c) >= exposed.right() + 1 || X(c + 1) <= exposed.left())
                continue;
            const QRect cell(X(c), Y(r), X(c + 1) - X(c) - 1, Y(r + 1) - Y(r) - 1);
            if (cell.isEmpty())
                continue;
            const QColor& pen = selected(r, c)  ? selectedText
                                : IsFixed(r, c) ? fixedText
                                                : bodyText;
            if (!preparedText) {
                painter.setPen(pen);
                painter.drawText(cell, Qt::AlignCenter, t);
                continue;
            }
            const PreparedGlyphs& g = PreparedText(t);
            const double x = cell.left() + (cell.width() - g.Width) / 2;
            const double baseline = cell.top() + (cell.height() - lineHeight) / 2 + ascent;
            if (g.Width > cell.width() || lineHeight > cell.height()) {
                // Too big for its cell: cut off at the cell's edges.
                painter.save();
                painter.setClipRect(cell, Qt::IntersectClip);
                painter.drawText(QPointF(x, baseline), t);
                painter.restore();
                continue;
            }
            std::vector<quint32>& runGlyphs = &pen == &bodyText ? bodyGlyphs : otherGlyphs[&pen];
            std::vector<QPointF>& runPositions =
                &pen == &bodyText ? bodyPositions : otherPositions[&pen];
            for (qsizetype i = 0; i < g.Glyphs.size(); ++i) {
                runGlyphs.push_back(g.Glyphs[i]);
                runPositions.push_back(QPointF(x + g.Offsets[i], baseline));
            }
        }
    }
    // All texts of one colour go to the screen in one run of glyphs.
    const auto drawRun = [&](const QColor& color, const std::vector<quint32>& glyphs,
                             const std::vector<QPointF>& positions) {
        if (glyphs.empty())
            return;
        QGlyphRun run;
        run.setRawFont(rawFont_);
        run.setGlyphIndexes(QList<quint32>(glyphs.begin(), glyphs.end()));
        run.setPositions(QList<QPointF>(positions.begin(), positions.end()));
        painter.setPen(color);
        painter.drawGlyphRun(QPointF(0, 0), run);
    };
    drawRun(bodyText, bodyGlyphs, bodyPositions);
    for (auto& [color, glyphs] : otherGlyphs)
        drawRun(*color, glyphs, otherPositions[color]);
}

const GridWidget::PreparedGlyphs& GridWidget::PreparedText(const QString& text) const {
    auto it = preparedText_.find(text);
    if (it == preparedText_.end()) {
        PreparedGlyphs g;
        g.Glyphs = rawFont_.glyphIndexesForString(text);
        const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(g.Glyphs);
        double x = 0;
        for (const QPointF& a : advances) {
            g.Offsets.push_back(x);
            x += a.x();
        }
        g.Width = x;
        it = preparedText_.insert(text, g);
    }
    return *it;
}

std::size_t GridWidget::ContentKey() const {
    std::size_t key =
        qHashMulti(0, width(), height(), devicePixelRatioF(), rows_, cols_, font_.pointSizeF(),
                   font_.bold(), row_, col_, rowSel_, colSel_, palette().cacheKey());
    for (int w : colWidth_)
        key = qHashMulti(key, w);
    for (int h : rowHeight_)
        key = qHashMulti(key, h);
    for (const QString& t : text_)
        key = qHashMulti(key, t);
    for (quint32 c : back_)
        key = qHashMulti(key, c);
    return key;
}

void GridWidget::paintEvent(QPaintEvent* event) {
    // The table cycles through four arrangements, so the last few pictures of the grid are
    // kept and a refill that brings back an arrangement is a single copy.
    const std::size_t key = ContentKey();
    auto hit = std::find_if(pictureCache_.begin(), pictureCache_.end(),
                            [key](const CachedPicture& c) { return c.Key == key; });
    if (hit == pictureCache_.end()) {
        const qreal dpr = devicePixelRatioF();
        QPixmap picture(size() * dpr);
        picture.setDevicePixelRatio(dpr);
        QPainter p(&picture);
        paintGrid(p, rect(), true);
        p.end();
        pictureCache_.push_front(CachedPicture{key, std::move(picture)});
        if (pictureCache_.size() > CachedPictures)
            pictureCache_.pop_back();
        hit = pictureCache_.begin();
    }
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawPixmap(r, hit->Picture,
                       QRectF(QPointF(r.topLeft()) * hit->Picture.devicePixelRatio(),
                              QSizeF(r.size()) * hit->Picture.devicePixelRatio()));
    if (HasKeyboardFocus() && Valid(KeyRow(), KeyCol())) {
        painter.setPen(QPen(ColorFromVb(VbColors::Black, palette()), 2, Qt::DotLine));
        painter.drawRect(CellRect(KeyRow(), KeyCol()).adjusted(1, 1, -1, -1));
    }
}

GridPicture GridWidget::Picture() const {
    GridPicture picture;
    const QSize px = size();
    if (px.isEmpty())
        return picture;
    picture.Image = QImage(px * PictureScale, QImage::Format_RGB32);
    picture.Image.fill(Qt::white);
    {
        QPainter painter(&picture.Image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(PictureScale, PictureScale);
        paintGrid(painter, QRect(QPoint(0, 0), px), false);
    }
    picture.WidthHimetric = TwipsToHimetric(PixelsToTwips(px.width()));
    picture.HeightHimetric = TwipsToHimetric(PixelsToTwips(px.height()));
    return picture;
}

void GridWidget::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(TwipsToPixels(left), TwipsToPixels(top), std::max(TwipsToPixels(width), 0),
                std::max(TwipsToPixels(height), 0));
}

void GridWidget::setToolTipText(const QString& text) {
    if (text == toolTip())
        return;
    setToolTip(text);
    if (QToolTip::isVisible()) {
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(QCursor::pos(), text, this);
    }
}

void GridWidget::TrackMouse(QPoint pixel) {
    const QPoint cell = CellAt(pixel);
    mouseCol_ = cell.x();
    mouseRow_ = cell.y();
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
    TrackMouse(event->position().toPoint());
    emit MouseMove();
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space) {
        if (!Valid(KeyRow(), KeyCol()))
            return;
        // Exactly what a click on the cell does.
        mouseRow_ = KeyRow();
        mouseCol_ = KeyCol();
        emit MouseUp();
        emit Click();
        return;
    }
    const int down = (key == Qt::Key_Down) - (key == Qt::Key_Up);
    const int right = (key == Qt::Key_Right) - (key == Qt::Key_Left);
    if (down == 0 && right == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!Valid(KeyRow() + down, KeyCol() + right))
        return;
    keyRow_ = KeyRow() + down;
    keyCol_ = KeyCol() + right;
    keyFocus_ = true;
    update();
    AnnounceFocusedItem(this);
}

void GridWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // A click passes the focus on to the answer box; only the keyboard's focus is framed.
    keyFocus_ = event->reason() != Qt::MouseFocusReason;
    update();
    AnnounceFocusedItemAfterFocusIn(this);
}

void GridWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    TrackMouse(p);
    emit MouseUp();
    if (event->button() == Qt::LeftButton && rect().contains(p))
        emit Click();
}
