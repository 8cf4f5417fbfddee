// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPointer>

// A label that another control may lie on top of, as the number table lies on the large
// exercise label. A screen reader finds the label only while it can be seen, that is while
// the covering control is hidden, so nothing is read twice.
class CoveredLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The control that covers the label whenever it is visible.
    void SetCover(QWidget* cover);
    bool IsCovered() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> cover_;
};
