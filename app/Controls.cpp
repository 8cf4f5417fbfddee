#include "Controls.h"

#include "GridWidget.h"
#include "Twips.h"
#include "VbColor.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const char* const TwipsProperty = "twipsGeometry";

double XTwips(const QMouseEvent* e) {
    return PixelsToTwips(e->position().x());
}

double YTwips(const QMouseEvent* e) {
    return PixelsToTwips(e->position().y());
}

} // namespace

void MouseCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QCheckBox::mouseReleaseEvent(event);
    emit MouseUp(VbButton(event->button()), VbShift(event->modifiers()), XTwips(event),
                 YTwips(event));
}

void PressButton::mousePressEvent(QMouseEvent* event) {
    setDown(true);
    emit MouseDown(VbButton(event->button()), VbShift(event->modifiers()), XTwips(event),
                   YTwips(event));
}

void PressButton::mouseReleaseEvent(QMouseEvent*) {
    setDown(false);
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event) {
    // Only the left, right and middle buttons are reported (the side buttons of some mice
    // are not).
    if (VbButton(event->button()) == 0)
        return;
    emit MouseUp(VbButton(event->button()), VbShift(event->modifiers()), XTwips(event),
                 YTwips(event));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void MouseLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click; its release still arrives as MouseUp.
    emit DblClick();
    event->accept();
}

LineControl::LineControl(QWidget* parent, quint32 vbColor) : QWidget(parent), color_(vbColor) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::SetLine(double x1, double y, double x2) {
    x1_ = x1;
    y_ = y;
    x2_ = x2;
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
