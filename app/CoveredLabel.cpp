// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoveredLabel.h"

#include "SpokenText.h"

#include <QAccessibleWidget>
#include <QEvent>

namespace {

class CoveredLabelAccessible : public QAccessibleWidget {
public:
    explicit CoveredLabelAccessible(CoveredLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return SpokenExercise(label()->text());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (label()->IsCovered()) {
            s.invisible = true;
            s.offscreen = true;
        }
        return s;
    }

private:
    CoveredLabel* label() const { return static_cast<CoveredLabel*>(widget()); }
};

QAccessibleInterface* CoveredLabelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CoveredLabel") && object && object->isWidgetType())
        return new CoveredLabelAccessible(static_cast<CoveredLabel*>(object));
    return nullptr;
}

} // namespace

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

void InstallCoveredLabelAccessibility() {
    QAccessible::installFactory(CoveredLabelFactory);
}
