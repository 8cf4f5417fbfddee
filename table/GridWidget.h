// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Twips.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QRawFont>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <list>
#include <vector>

// The line between two cells: one pixel, in twips.
inline constexpr int GridLineTwips = static_cast<int>(TwipsPerPixel);

// The image of the grid as drawn, with its size in 0.01 mm.
struct GridPicture {
    QImage Image;
    double WidthHimetric = 0;
    double HeightHimetric = 0;
};

// The number table's grid control: a painted grid of cells with one fixed (header) row and
// column, per-cell texts and background colours, column widths and row heights in twips.
// Operations carry the names the rest of the program uses for them (Rows, TextMatrix,
// CellBackColor, …). Cell contents and colours may change while one of the grid's own
// mouse events is being handled.
class GridWidget : public QWidget {
    Q_OBJECT
public:
    explicit GridWidget(QWidget* parent = nullptr);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    void setRows(int rows);
    void setCols(int cols);
    int FixedRows() const { return 1; }
    int FixedCols() const { return 1; }

    int ColWidth(int col) const;
    int RowHeight(int row) const;
    void setColWidth(int col, int twips);
    void setRowHeight(int row, int twips);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    void setRedraw(bool redraw);

    double FontSize() const { return font_.pointSizeF(); }
    void setFontSize(double points);
    void setFontBold(bool bold);

    int Row() const { return row_; }
    int Col() const { return col_; }
    void setRow(int row);
    void setCol(int col);
    void setRowSel(int row) { rowSel_ = row; }
    void setColSel(int col) { colSel_ = col; }
    void setFillStyle(int style) { fillStyle_ = style; }
    // Background of the current cell (FillStyle 0) or of the selected range (FillStyle 1);
    // 0 restores the default colours.
    void setCellBackColor(quint32 vbColor);
    quint32 CellBackColorAt(int row, int col) const;

    // The cell under the pointer during a mouse event; -1 when the pointer is outside the
    // cells (the empty area right of and below them).
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    GridPicture Picture() const;

    // Placement in the window, in twips.
    void Move(double left, double top, double width, double height);
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }

    void setToolTipText(const QString& text);

    // The cell the keyboard is on: arrow keys move it, Space acts on it as a click does. It
    // is framed while the grid has the keyboard's focus, and kept inside the grid's cells.
    int KeyRow() const { return std::clamp(keyRow_, 0, std::max(rows_ - 1, 0)); }
    int KeyCol() const { return std::clamp(keyCol_, 0, std::max(cols_ - 1, 0)); }
    // The focus came by keyboard (a click passes it on to the answer box): only then does a
    // screen reader follow it into the grid.
    bool HasKeyboardFocus() const { return hasFocus() && keyFocus_; }

    // The cell at a point in widget pixels, or {-1, -1}.
    QPoint CellAt(QPoint pixel) const;
    // A cell's rectangle in widget pixels (for tests and accessibility).
    QRect CellRect(int row, int col) const;

signals:
    void Click();
    // MouseRow and MouseCol tell the cell under the pointer while these are handled.
    void MouseMove();
    void MouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A cell's text or colour changed: repainted, and told to screen readers.
    void ContentChanged();
    void ResizeCells(int rows, int cols);
    // preparedText lays each text out once and reuses it (the screen); without it every
    // text is laid out at the painter's scale (the sharper, printed picture).
    void paintGrid(QPainter& painter, const QRect& exposed, bool preparedText) const;
    // A text's glyphs in the cell font and their offsets from the text's left edge.
    struct PreparedGlyphs {
        QList<quint32> Glyphs;
        QList<double> Offsets;
        double Width = 0;
    };
    const PreparedGlyphs& PreparedText(const QString& text) const;
    void requestPaint();
    int ColLeftPixels(int col) const;
    int RowTopPixels(int row) const;
    bool IsFixed(int row, int col) const { return row < FixedRows() || col < FixedCols(); }
    std::size_t Index(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(col);
    }
    bool Valid(int row, int col) const {
        return row >= 0 && row < rows_ && col >= 0 && col < cols_;
    }
    void TrackMouse(QPoint pixel);

    int rows_ = 0;
    int cols_ = 0;
    std::vector<int> colWidth_;
    std::vector<int> rowHeight_;
    std::vector<QString> text_;
    std::vector<quint32> back_;
    bool redraw_ = true;
    bool contentChanged_ = false;
    QFont font_;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    int fillStyle_ = 0;
    int mouseRow_ = -1, mouseCol_ = -1;
    int keyRow_ = 1, keyCol_ = 1;
    bool keyFocus_ = false;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    mutable QHash<QString, PreparedGlyphs> preparedText_;
    // Pictures of the grid as last painted, newest first, by a key of everything drawn.
    struct CachedPicture {
        std::size_t Key;
        QPixmap Picture;
    };
    std::size_t ContentKey() const;
    std::list<CachedPicture> pictureCache_;
    mutable QRawFont rawFont_;
};
