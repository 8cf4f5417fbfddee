// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

#include <tuple>

using Text = const char*;

// Table-driven tests: each row a tuple whose first element is the row's name, in one column.
template <typename Row> void AddRows(std::initializer_list<Row> rows) {
    QTest::addColumn<Row>("row");
    for (const Row& r : rows)
        QTest::newRow(std::get<0>(r)) << r;
}
// The current row, for a structured binding: auto [name, a, b] = CurrentRow<Row>();
template <typename Row> Row CurrentRow() {
    return *static_cast<Row*>(QTest::qData("row", qMetaTypeId<Row>()));
}
