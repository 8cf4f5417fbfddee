// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoveredLabel.h"

#include <QAccessible>
#include <QEvent>

void CoveredLabel::SetCover(QWidget* cover) {
    if (cover_)
        cover_->removeEventFilter(this);
    cover_ = cover;
    if (cover_)
        cover_->installEventFilter(this);
}

bool CoveredLabel::IsCovered() const {
    return cover_ && cover_->isVisibleTo(parentWidget());
}

bool CoveredLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cover_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        QAccessible::State changed;
        changed.invisible = true;
        changed.offscreen = true;
        QAccessibleStateChangeEvent notice(this, changed);
        QAccessible::updateAccessibility(&notice);
    }
    return QLabel::eventFilter(watched, event);
}
