// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"

#include "Announcer.h"
#include "Controls.h"
#include "CoveredLabel.h"
#include "Form1.h"
#include "GridAccessible.h"
#include "GridWidget.h"
#include "ItemsAccessible.h"
#include "ResultsPicture.h"

#include <QAccessibleWidget>
#include <QFrame>

namespace {

// A clickable image: its one action does what a left click on it does.
class ClickableImageAccessible : public QAccessibleWidget {
public:
    explicit ClickableImageAccessible(MouseLabel* image)
        : QAccessibleWidget(image, QAccessible::Graphic) {}
    QStringList actionNames() const override { return {pressAction()}; }
    // The click comes after the screen reader's call has returned: a click that opens a
    // message box would otherwise hold the screen reader until the box is closed.
    void doAction(const QString& name) override {
        if (name == pressAction())
            QMetaObject::invokeMethod(static_cast<MouseLabel*>(widget()), &MouseLabel::Press,
                                      Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

// A label that is read only while the control lying on it is hidden; its name is the one
// the window gives it.
class CoveredLabelAccessible : public QAccessibleWidget {
public:
    explicit CoveredLabelAccessible(CoveredLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (static_cast<CoveredLabel*>(widget())->IsCovered()) {
            s.invisible = true;
            s.offscreen = true;
        }
        return s;
    }
};

// The results list as a list of its lines, one per judged answer, each read on its own.
class ResultsListAccessible : public ItemsAccessible {
public:
    explicit ResultsListAccessible(ResultsPicture* picture)
        : ItemsAccessible(picture, QAccessible::List) {}
    int Rows() const override { return static_cast<int>(picture().SpokenLines().size()); }
    QString ItemName(int row, int) const override { return picture().SpokenLines().at(row); }
    QAccessible::Role ItemRole(int, int) const override { return QAccessible::ListItem; }
    QRect ItemRect(int row, int) const override {
        const int height = picture().LineHeight();
        return {0, row * height, picture().width(), height};
    }
    QPoint ItemAt(QPoint pixel) const override {
        return picture().rect().contains(pixel) ? QPoint(0, pixel.y() / picture().LineHeight())
                                                : QPoint(-1, -1);
    }
    QPoint CurrentItem() const override { return {0, picture().CurrentLine()}; }

private:
    const ResultsPicture& picture() const { return *static_cast<const ResultsPicture*>(widget()); }
};

// "max. bis": a spin box whose value is the bound, told anew at each step.
class StepLabelAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit StepLabelAccessible(StepLabel* label)
        : QAccessibleWidget(label, QAccessible::SpinBox) {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return label().Value(); }
    void setCurrentValue(const QVariant&) override {} // stepped only, as by its arrows
    // The ladder of steps runs from 3 to 10000; a larger bound can come from the settings file.
    QVariant maximumValue() const override { return std::max(label().Value(), 10000); }
    QVariant minimumValue() const override { return 3; }
    QVariant minimumStepSize() const override { return 1; }

private:
    const StepLabel& label() const { return *static_cast<const StepLabel*>(widget()); }
};

// The statistics: the window's read-only status bar, its lines read as one.
class StatusLabelAccessible : public QAccessibleWidget {
public:
    explicit StatusLabelAccessible(StatusLabel* label)
        : QAccessibleWidget(label, QAccessible::StatusBar) {}
    QString text(QAccessible::Text t) const override {
        const QString shown = static_cast<const QLabel*>(widget())->text();
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        return shown.isEmpty() ? widget()->accessibleDescription()
                               : shown.split(QStringLiteral("\r\n")).join(QStringLiteral(", "));
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

// Matched by class, the most derived first: Qt asks once for each class an object is.
QAccessibleInterface* WindowPartFactory(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<GridWidget*>(object))
        return new GridAccessible(grid);
    if (auto* list = qobject_cast<ResultsPicture*>(object))
        return new ResultsListAccessible(list);
    if (auto* label = qobject_cast<CoveredLabel*>(object))
        return new CoveredLabelAccessible(label);
    // Without a name of its own: screen readers speak the label inside.
    if (auto* announcer = qobject_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    if (auto* bound = qobject_cast<StepLabel*>(object))
        return new StepLabelAccessible(bound);
    if (auto* status = qobject_cast<StatusLabel*>(object))
        return new StatusLabelAccessible(status);
    // An image: a MouseLabel with a picture.
    if (auto* image = qobject_cast<MouseLabel*>(object); image && !image->pixmap().isNull())
        return new ClickableImageAccessible(image);
    if (auto* window = qobject_cast<Form1*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    // Only a plain frame: a label is a frame too.
    if (object && object->metaObject() == &QFrame::staticMetaObject)
        return new QAccessibleWidget(static_cast<QFrame*>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

void InstallAccessibility() {
    QAccessible::installFactory(WindowPartFactory);
}
