// SPDX-License-Identifier: GPL-3.0-or-later
#include "Controls.h"

#include "MouseCodes.h"
#include "Twips.h"
#include "VbColor.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {
const char* const TwipsProperty = "twipsGeometry";

// Page Up and Page Down on a stepped value.
inline constexpr int PageSteps = 5;

bool IsActivationKey(const QKeyEvent* event) {
    const int key = event->key();
    return !event->isAutoRepeat() &&
           (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter);
}
} // namespace

void FocusLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}

MouseCheckBox::MouseCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    // A click that no mouse release brought (a key, a screen reader) ends as a release would.
    connect(this, &QCheckBox::clicked, this, [this] {
        if (!mouseReleasing_)
            emit MouseUp();
    });
}

void MouseCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    mouseReleasing_ = true;
    QCheckBox::mouseReleaseEvent(event);
    mouseReleasing_ = false;
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

ClickableImage::ClickableImage(QWidget* parent) : MouseLabel(parent) {
    // Tab reaches it; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

void ClickableImage::keyPressEvent(QKeyEvent* event) {
    // The click comes after the key has been handled: a click that opens a message box would
    // otherwise hold up the key, which a screen reader saw first, and every key after it.
    if (IsActivationKey(event))
        QMetaObject::invokeMethod(this, &MouseLabel::Press, Qt::QueuedConnection);
    else
        MouseLabel::keyPressEvent(event);
}

StepLabel::StepLabel(QWidget* parent) : MouseLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void StepLabel::SetValue(int value) {
    value_ = value;
    setText(QString::number(value));
    QAccessibleValueChangeEvent changed(this, value);
    QAccessible::updateAccessibility(&changed);
}

void StepLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        emit StepKey(0, 1);
        break;
    case Qt::Key_Down:
        emit StepKey(1, 1);
        break;
    case Qt::Key_PageUp:
        emit StepKey(0, PageSteps);
        break;
    case Qt::Key_PageDown:
        emit StepKey(1, PageSteps);
        break;
    default:
        MouseLabel::keyPressEvent(event);
    }
}

StatusLabel::StatusLabel(QWidget* parent) : FocusLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
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
