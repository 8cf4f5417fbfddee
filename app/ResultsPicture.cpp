// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultsPicture.h"

#include "Fonts.h"
#include "ItemEvents.h"
#include "VbColor.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

ResultsPicture::ResultsPicture(QWidget* parent) : QWidget(parent) {
    QFont f(ArialFamily);
    f.setPointSize(12);
    f.setBold(true);
    setFont(f);
    setAutoFillBackground(true);
}

int ResultsPicture::LineHeight() const {
    return QFontMetrics(font()).height();
}

void ResultsPicture::Cls() {
    runs_.clear();
    spokenLines_.clear();
    currentLine_ = 0;
    currentX_ = 0;
    currentY_ = 0;
    update();
    AnnounceItemsChange(this, QAccessibleTableModelChangeEvent::ModelReset);
}

void ResultsPicture::Print(const QString& text, bool endLine) {
    runs_.push_back(TextRun{currentX_, currentY_, foreColor_, text});
    const QFontMetrics fm(font());
    currentX_ += fm.horizontalAdvance(text);
    if (endLine) {
        currentX_ = 0;
        currentY_ += fm.height();
    }
    update();
}

void ResultsPicture::AddSpokenLine(const QString& line) {
    spokenLines_.append(line);
    currentLine_ = static_cast<int>(spokenLines_.size()) - 1;
    AnnounceItemsChange(this, QAccessibleTableModelChangeEvent::RowsInserted, currentLine_,
                        currentLine_);
}

std::vector<ResultsPicture::TextRun> ResultsPicture::LineRuns(int line) const {
    std::vector<TextRun> out;
    const int y = line * LineHeight();
    for (const TextRun& r : runs_) {
        if (r.Y == y)
            out.push_back(r);
    }
    return out;
}

void ResultsPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    const QFontMetrics fm(font());
    for (const TextRun& r : runs_) {
        p.setPen(ColorFromVb(r.Color, palette()));
        p.drawText(r.X, r.Y + fm.ascent(), r.Text);
    }
}

void ResultsPicture::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    const int line = currentLine_ + step;
    if (step == 0 || line < 0 || line >= spokenLines_.size()) {
        QWidget::keyPressEvent(event);
        return;
    }
    currentLine_ = line;
    AnnounceFocusedItem(this);
}

void ResultsPicture::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    AnnounceFocusedItemAfterFocusIn(this);
}
