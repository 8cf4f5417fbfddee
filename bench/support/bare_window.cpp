// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up figures: a bare Qt Widgets program (Qt Widgets only) showing
// an empty window of the trainer's size, or with --text one label, the floor for any window
// that draws text. After its first paint it prints "<painted> <peak resident KiB>" and leaves
// at once, as the trainer's child in bench_startup does.

#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>

#include <cstring>

namespace {

class Window : public QWidget {
public:
    bool painted = false;

protected:
    bool event(QEvent* e) override {
        painted = painted || e->type() == QEvent::Paint;
        return QWidget::event(e);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Window window;
    window.resize(852, 538);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("7 · 8 ="), &window))->move(20, 20);
    window.show();
    ReportFirstPaint(window.painted);
}
