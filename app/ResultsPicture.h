// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

// The results list: a picture box that keeps what was drawn on it until it is cleared.
// Drawing works like a pen: a current colour and a current position in pixels; Print
// draws a text there and either stays on the line or moves to the start of the next.
// Everything drawn is recorded, so the box repaints itself after being covered.
class ResultsPicture : public QWidget {
    Q_OBJECT
public:
    struct TextRun {
        int X = 0;
        int Y = 0;
        quint32 Color = 0;
        QString Text;
    };

    explicit ResultsPicture(QWidget* parent = nullptr);

    void Cls();
    void SetForeColor(quint32 vbColor) { foreColor_ = vbColor; }
    void SetCurrentX(int x) { currentX_ = x; }
    // Draws text at the current position; endLine moves to the start of the next line.
    void Print(const QString& text, bool endLine);
    // A screen reader reads the list as these lines, one per judged answer, since colour
    // alone tells right from wrong on screen. The newest is the current line.
    void AddSpokenLine(const QString& line);
    const QStringList& SpokenLines() const { return spokenLines_; }
    // The line a screen reader is on, the newest after each answer; Up and Down move it.
    int CurrentLine() const { return currentLine_; }

    // The runs of one line (by line number from 0), in drawing order.
    std::vector<TextRun> LineRuns(int line) const;
    int LineHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    std::vector<TextRun> runs_;
    QStringList spokenLines_;
    quint32 foreColor_ = 0;
    int currentX_ = 0;
    int currentY_ = 0;
    int currentLine_ = 0;
};
