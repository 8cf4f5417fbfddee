// SPDX-License-Identifier: GPL-3.0-or-later
#include "Artwork.h"

#include "Fonts.h"
#include "VbColor.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The icon's edge, a darker shade of the table's header green.
constexpr quint32 IconEdgeGreen = 0x00006E00;

QPixmap Transparent(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

} // namespace

QPixmap PrinterSymbol() {
    QPixmap pm = Transparent(14, 12);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(3, 0, 7, 3);   // paper going in
    p.drawRect(0, 3, 13, 5);  // body
    p.drawRect(3, 8, 7, 3);   // paper coming out
    p.drawPoint(11, 5);       // a lamp
    p.drawLine(4, 10, 8, 10); // a printed line
    return pm;
}

QPixmap ArrowPicture(bool up) {
    QPixmap pm = Transparent(21, 11);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPolygonF tri = up ? QPolygonF({QPointF(0, 11), QPointF(21, 11), QPointF(10.5, 0)})
                             : QPolygonF({QPointF(0, 0), QPointF(21, 0), QPointF(10.5, 11)});
    p.drawPolygon(tri);
    return pm;
}

QCursor PointingHandCursor() {
    QPixmap pm = Transparent(32, 32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    // Index finger pointing up, its tip at (12, 1); three folded fingers and the thumb.
    hand.moveTo(10, 3);
    hand.quadTo(12, -0.5, 14, 3);
    hand.lineTo(14, 13);
    hand.lineTo(17, 12.5);
    hand.lineTo(20, 13.5);
    hand.lineTo(23, 14.5);
    hand.quadTo(26, 15, 26, 18);
    hand.lineTo(25, 25);
    hand.quadTo(24, 29, 20, 29);
    hand.lineTo(13, 29);
    hand.quadTo(10, 29, 8, 25);
    hand.lineTo(4, 18);
    hand.quadTo(3, 15, 6, 15.5);
    hand.lineTo(10, 19);
    hand.closeSubpath();
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1.2));
    p.drawPath(hand);
    p.drawLine(QPointF(17, 13), QPointF(17, 18));
    p.drawLine(QPointF(20, 14), QPointF(20, 18.5));
    p.drawLine(QPointF(23, 15), QPointF(23, 19));
    return QCursor(pm, 12, 1);
}

QPixmap AppIconPixmap(int size) {
    QPixmap pm = Transparent(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(RgbFromVb(IconEdgeGreen), 1.5));
    p.setBrush(RgbFromVb(VbColors::HeaderGreen));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    p.setBrush(RgbFromVb(VbColors::Amber));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(4, 17, 24, 11), 2, 2);
    QFont f(ArialFamily);
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 2, 30, 14), Qt::AlignCenter, QStringLiteral("1\u00D71"));
    p.setPen(Qt::black);
    p.drawText(QRectF(4, 17, 24, 11), Qt::AlignCenter, QStringLiteral("= ?"));
    return pm;
}

QIcon AppIcon() {
    QIcon icon;
    // Few sizes: painting them is part of every start; the desktop takes larger ones from
    // the installed icon theme.
    for (int s : {16, 32, 64})
        icon.addPixmap(AppIconPixmap(s));
    return icon;
}
