// One empty top-level window of the trainer's design size, shown and left in the event
// loop until the process is terminated. The start-up and memory yardstick for the trainer.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zahlwerk"));
    window.resize(852, 538);
    window.show();
    return app.exec();
}
