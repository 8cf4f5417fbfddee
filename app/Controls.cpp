// SPDX-License-Identifier: GPL-3.0-or-later
#include "Controls.h"

#include "MouseCodes.h"
#include "Twips.h"
#include "VbColor.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const char* const TwipsProperty = "twipsGeometry";
}

void MouseCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QCheckBox::mouseReleaseEvent(event);
    emit MouseUp();
}

void PressButton::mousePressEvent(QMouseEvent*) {
    setDown(true);
    emit MouseDown();
}

void PressButton::mouseReleaseEvent(QMouseEvent*) {
    setDown(false);
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event) {
    // Only the left, right and middle buttons are reported (the side buttons of some mice
    // are not).
    const int button = VbButton(event->button());
    if (button == 0)
        return;
    emit MouseUp(button);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void MouseLabel::Press() {
    emit MouseUp(1);
    emit Click();
}

LineControl::LineControl(QWidget* parent, quint32 vbColor) : QWidget(parent), color_(vbColor) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::SetLine(double x1, double y, double x2) {
    x1_ = x1;
    y_ = y;
    const int left = TwipsToPixels(std::min(x1, x2));
    const int width = std::max(TwipsToPixels(std::max(x1, x2)) - left, 0);
    setGeometry(left, TwipsToPixels(y), width, 1);
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ColorFromVb(color_, palette()));
}

void SetTwipsGeometry(QWidget* control, const QRectF& twips) {
    control->setProperty(TwipsProperty, twips);
    control->setGeometry(TwipsToPixels(twips.left()), TwipsToPixels(twips.top()),
                         std::max(TwipsToPixels(twips.width()), 0),
                         std::max(TwipsToPixels(twips.height()), 0));
}

QRectF TwipsGeometry(const QWidget* control) {
    return control->property(TwipsProperty).toRectF();
}

void SetBackColor(QWidget* control, quint32 vbColor) {
    QPalette pal = control->palette();
    pal.setColor(QPalette::Window, ColorFromVb(vbColor, pal));
    control->setPalette(pal);
    control->setAutoFillBackground(true);
}

void SetForeColor(QWidget* control, quint32 vbColor) {
    QPalette pal = control->palette();
    const QColor c = ColorFromVb(vbColor, pal);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    control->setPalette(pal);
}
