// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemsAccessible.h"

#include <QPointer>
#include <QWidget>

namespace {

// One item of the control, named and placed by the control's interface.
class ItemAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ItemAccessible(ItemsAccessible* items, int row, int col)
        : items_(items), control_(items->Control()), row_(row), col_(col) {}

    bool isValid() const override { return control_ && items_->HasItem(row_, col_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return control_ ? control_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return items_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return items_->ItemName(row_, col_);
        return t == QAccessible::Value ? items_->ItemValue(row_, col_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect r = items_->ItemRect(row_, col_);
        return {control_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return items_->ItemRole(row_, col_); }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.focusable = true;
        if (!isValid() || !control_->isVisible())
            s.invisible = true;
        else
            s.focused = control_->hasFocus() && items_->CurrentItem() == QPoint(col_, row_);
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        return row_ < items_->HeaderRows() || items_->HeaderRows() == 0
                   ? QList<QAccessibleInterface*>{}
                   : QList<QAccessibleInterface*>{items_->cellAt(0, col_)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override {
        return col_ < items_->HeaderCols() || items_->HeaderCols() == 0
                   ? QList<QAccessibleInterface*>{}
                   : QList<QAccessibleInterface*>{items_->cellAt(row_, 0)};
    }
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return items_; }

    const ItemsAccessible* Items() const { return items_; }

private:
    ItemsAccessible* items_;
    QPointer<QWidget> control_;
    int row_;
    int col_;
};

} // namespace

ItemsAccessible::ItemsAccessible(QWidget* control, QAccessible::Role role)
    : QAccessibleWidget(control, role) {}

ItemsAccessible::~ItemsAccessible() {
    for (QAccessible::Id id : std::as_const(items_))
        QAccessible::deleteAccessibleInterface(id);
}

void* ItemsAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QAccessibleInterface* ItemsAccessible::cellAt(int row, int column) const {
    if (!HasItem(row, column))
        return nullptr;
    const quint64 key = (static_cast<quint64>(row) << 32) | static_cast<quint64>(column);
    if (auto it = items_.constFind(key); it != items_.constEnd())
        return QAccessible::accessibleInterface(*it);
    auto* item = new ItemAccessible(const_cast<ItemsAccessible*>(this), row, column);
    items_.insert(key, QAccessible::registerAccessibleInterface(item));
    return item;
}

QAccessibleInterface* ItemsAccessible::focusChild() const {
    const QPoint current = CurrentItem();
    return widget()->hasFocus() ? cellAt(current.y(), current.x()) : nullptr;
}

QAccessibleInterface* ItemsAccessible::child(int index) const {
    const int cols = Cols();
    if (index < 0 || cols <= 0 || index >= childCount())
        return nullptr;
    return cellAt(index / cols, index % cols);
}

int ItemsAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* item = dynamic_cast<const ItemAccessible*>(child);
    if (!item || item->Items() != this || !item->isValid())
        return -1;
    return item->rowIndex() * Cols() + item->columnIndex();
}

QAccessibleInterface* ItemsAccessible::childAt(int x, int y) const {
    const QPoint item = ItemAt(widget()->mapFromGlobal(QPoint(x, y)));
    return cellAt(item.y(), item.x());
}

QString ItemsAccessible::columnDescription(int column) const {
    return HeaderRows() > 0 ? ItemValue(0, column) : QString();
}

QString ItemsAccessible::rowDescription(int row) const {
    return HeaderCols() > 0 ? ItemValue(row, 0) : QString();
}

void ItemsAccessible::modelChange(QAccessibleTableModelChangeEvent* event) {
    using Change = QAccessibleTableModelChangeEvent;
    const Change::ModelChangeType type = event->modelChangeType();
    if (type == Change::DataChanged)
        return;
    // Items before the first row or column inserted or removed keep their place.
    const bool rows = type == Change::RowsInserted || type == Change::RowsRemoved;
    const bool cols = type == Change::ColumnsInserted || type == Change::ColumnsRemoved;
    for (auto it = items_.begin(); it != items_.end();) {
        const int row = static_cast<int>(it.key() >> 32);
        const int col = static_cast<int>(it.key() & 0xffffffffu);
        const bool stays =
            (rows && row < event->firstRow()) || (cols && col < event->firstColumn());
        if (stays) {
            ++it;
        } else {
            QAccessible::deleteAccessibleInterface(*it);
            it = items_.erase(it);
        }
    }
}
