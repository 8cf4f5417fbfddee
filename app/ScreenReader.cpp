// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenReader.h"

#include "Controls.h"

#include <QAccessibleWidget>

Announcer::Announcer(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("Announcer"));
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Announcer::Verdict(bool right) {
    verdict_ = right ? QStringLiteral("richtig") : QStringLiteral("falsch");
}

void Announcer::Exercise(const QString& spokenExercise) {
    message_ =
        verdict_.isEmpty() ? spokenExercise : verdict_ + QStringLiteral(". ") + spokenExercise;
    verdict_.clear();
    // Shown anew, the notification is spoken with its new name.
    hide();
    show();
}

namespace {

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* a) : QAccessibleWidget(a, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Announcer*>(widget())->Message()
                                      : QAccessibleWidget::text(t);
    }
};

// A clickable image: its one action does what a left click on it does.
class ClickableImageAccessible : public QAccessibleWidget {
public:
    explicit ClickableImageAccessible(MouseLabel* image)
        : QAccessibleWidget(image, QAccessible::Graphic) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction())
            static_cast<MouseLabel*>(widget())->Press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* WindowPartFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("Form1"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("QFrame"))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    if (className == QLatin1String("Announcer"))
        return new AnnouncerAccessible(static_cast<Announcer*>(widget));
    auto* image = qobject_cast<MouseLabel*>(widget);
    if (className == QLatin1String("MouseLabel") && !image->pixmap().isNull())
        return new ClickableImageAccessible(image);
    return nullptr;
}

} // namespace

void InstallWindowAccessibility() {
    QAccessible::installFactory(WindowPartFactory);
}
