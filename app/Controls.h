// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRectF>
#include <QWidget>

// Small control types that report the mouse events the window's handlers are written for.

// A check box that reports the release of a mouse button after its own click handling,
// so the box's value has already changed when MouseUp arrives. Space and a screen reader's
// press toggle it and report MouseUp as well, so the keyboard reaches what the mouse does.
class MouseCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit MouseCheckBox(const QString& text, QWidget* parent = nullptr);
signals:
    void MouseUp();

protected:
    // A click anywhere on the box toggles it, not only on the mark and its text.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool mouseReleasing_ = false;
};

// A command button that acts when a mouse button goes down on it (MouseDown). Space, Return
// and a screen reader's press action click it as any button (clicked); the mouse never does.
class PressButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
signals:
    void MouseDown();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A label that shows the keyboard focus with a focus frame, where Tab reaches it.
class FocusLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label or image that reports clicks (left button, released on it) and the release of the
// left, right or middle button (1, 2, 4). A double click is two releases.
class MouseLabel : public FocusLabel {
    Q_OBJECT
public:
    using FocusLabel::FocusLabel;
    // What a left click does, for a screen reader's action on the label.
    void Press();
signals:
    void Click();
    void MouseUp(int button);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// An image that is a Tab stop of its own: Space or Return on it does what a left click does.
class ClickableImage : public MouseLabel {
    Q_OBJECT
public:
    explicit ClickableImage(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A label that shows a number which its keys step: Up and Down by one step as its arrows,
// Page Up and Page Down by five. A new value is told to screen readers as a value change.
class StepLabel : public MouseLabel {
    Q_OBJECT
public:
    explicit StepLabel(QWidget* parent);
    void SetValue(int value);
    int Value() const { return value_; }
signals:
    // Direction as the arrows give it: 0 up, 1 down; Steps how many single steps.
    void StepKey(int Direction, int Steps);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int value_ = 0;
};

// A read-only text that is a Tab stop of its own, such as the statistics.
class StatusLabel : public FocusLabel {
    Q_OBJECT
public:
    explicit StatusLabel(QWidget* parent);
};

// One line of the etched rule: a horizontal line from X1 to X2 at Y, in twips.
class LineControl : public QWidget {
    Q_OBJECT
public:
    LineControl(QWidget* parent, quint32 vbColor);
    void SetLine(double x1, double y, double x2);
    double X1() const { return x1_; }
    double Y() const { return y_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 color_;
    double x1_ = 0, y_ = 0;
};

// Places a control in twips and remembers the exact (fractional) values, so the layout
// reads back what it set.
void SetTwipsGeometry(QWidget* control, const QRectF& twips);
QRectF TwipsGeometry(const QWidget* control);

// A label's background colour (a &H00BBGGRR or system colour value).
void SetBackColor(QWidget* control, quint32 vbColor);
void SetForeColor(QWidget* control, quint32 vbColor);
