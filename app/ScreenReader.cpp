// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenReader.h"

#include "Controls.h"
#include "ResultsPicture.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

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
    // The click comes after the screen reader's call has returned: a click that opens a
    // message box would otherwise hold the screen reader until the box is closed.
    void doAction(const QString& name) override {
        if (name == pressAction())
            QMetaObject::invokeMethod(static_cast<MouseLabel*>(widget()), &MouseLabel::Press,
                                      Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

// One judged answer of the results list, as a screen reader reads it.
class ResultLineAccessible : public QAccessibleInterface {
public:
    ResultLineAccessible(QAccessibleInterface* list, ResultsPicture* picture, int line)
        : list_(list), picture_(picture), line_(line) {}

    bool isValid() const override { return picture_ && line_ < picture_->SpokenLines().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return picture_ ? picture_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return list_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return isValid() && t == QAccessible::Name ? picture_->SpokenLines().at(line_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const int height = picture_->LineHeight();
        return {picture_->mapToGlobal(QPoint(0, line_ * height)), QSize(picture_->width(), height)};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.focusable = true;
        s.focused = isValid() && picture_->hasFocus() && picture_->CurrentLine() == line_;
        return s;
    }
    int Line() const { return line_; }

private:
    QAccessibleInterface* list_;
    QPointer<ResultsPicture> picture_;
    int line_;
};

// The results list as a list of its lines, each read on its own.
class ResultsListAccessible : public QAccessibleWidget {
public:
    explicit ResultsListAccessible(ResultsPicture* picture)
        : QAccessibleWidget(picture, QAccessible::List) {}
    ~ResultsListAccessible() override {
        for (QAccessible::Id id : lines_)
            QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return static_cast<int>(picture()->SpokenLines().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (static_cast<int>(lines_.size()) <= index)
            lines_.push_back(QAccessible::registerAccessibleInterface(
                new ResultLineAccessible(const_cast<ResultsListAccessible*>(this), picture(),
                                         static_cast<int>(lines_.size()))));
        return QAccessible::accessibleInterface(lines_[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* line = dynamic_cast<const ResultLineAccessible*>(child);
        return line ? line->Line() : -1;
    }
    QAccessibleInterface* focusChild() const override {
        return picture()->hasFocus() ? child(picture()->CurrentLine()) : nullptr;
    }

private:
    ResultsPicture* picture() const { return static_cast<ResultsPicture*>(widget()); }
    mutable std::vector<QAccessible::Id> lines_;
};

// "max. bis": a spin box whose value is the bound; a new bound is told as a value change.
class StepLabelAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit StepLabelAccessible(StepLabel* label)
        : QAccessibleWidget(label, QAccessible::SpinBox) {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return label()->Value(); }
    void setCurrentValue(const QVariant&) override {} // stepped only, as by its arrows
    QVariant maximumValue() const override { return std::max(label()->Value(), 10000); }
    QVariant minimumValue() const override { return 3; }
    QVariant minimumStepSize() const override { return 1; }

private:
    const StepLabel* label() const { return static_cast<const StepLabel*>(widget()); }
};

// The statistics: a read-only status line of the window, its lines read as one.
class StatusLabelAccessible : public QAccessibleWidget {
public:
    explicit StatusLabelAccessible(StatusLabel* label)
        : QAccessibleWidget(label, QAccessible::StatusBar) {}
    QString text(QAccessible::Text t) const override {
        const QString shown = static_cast<const QLabel*>(widget())->text();
        if (t != QAccessible::Name || shown.isEmpty())
            return QAccessibleWidget::text(t);
        return shown.split(QStringLiteral("\r\n")).join(QStringLiteral(", "));
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

QAccessibleInterface* WindowPartFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("Form1"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("QFrame"))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    if (className == QLatin1String("ResultsPicture"))
        return new ResultsListAccessible(static_cast<ResultsPicture*>(widget));
    if (className == QLatin1String("Announcer"))
        return new AnnouncerAccessible(static_cast<Announcer*>(widget));
    if (auto* step = qobject_cast<StepLabel*>(widget))
        return new StepLabelAccessible(step);
    if (auto* status = qobject_cast<StatusLabel*>(widget))
        return new StatusLabelAccessible(status);
    auto* label = qobject_cast<MouseLabel*>(widget);
    if (className == QLatin1String("MouseLabel") && !label->pixmap().isNull())
        return new ClickableImageAccessible(label); // an image, not the bound's label
    return nullptr;
}

} // namespace

void InstallWindowAccessibility() {
    QAccessible::installFactory(WindowPartFactory);
}
