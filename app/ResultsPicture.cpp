// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultsPicture.h"

#include "Fonts.h"
#include "VbColor.h"

#include <QFontMetrics>
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
    setAccessibleDescription(QString());
    currentX_ = 0;
    currentY_ = 0;
    update();
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
    setAccessibleDescription(spokenLines_.join(QLatin1Char('\n')));
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
