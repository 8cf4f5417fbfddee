// One empty top-level window of the trainer's design size, shown and left in the event
// loop until the process is terminated. The start-up and memory yardstick for the trainer.
//
// Built twice: zw_bare_window links Qt Widgets only; zw_bare_window_linked also links the
// libraries the program links besides (Qt Multimedia, Qt Print Support and what they
// bring), so the two tell what loading those costs.
//
//   --first-paint   leave at once after the first paint and print "<painted> <microseconds
//                   from main() to the first paint> <VmRSS in KiB>"
//   --text          a label with one line of text in the window: the first text it draws
//   --sound         (linked build) the sound output's first look before the window, as the
//                   program's sound player does when it is made

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QWidget>
#include <QWindow>

#ifdef ZW_PROGRAM_LIBRARIES
#include <QAudioDevice>
#include <QMediaDevices>
#include <QtPrintSupport/QPrinterInfo>
#endif

#include <chrono>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

class Window : public QWidget {
public:
    bool painted = false;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted = true;
        return QWidget::event(e);
    }
};

long ResidentKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char* argv[]) {
    const auto begin = std::chrono::steady_clock::now();
    bool firstPaint = false, text = false, sound = false;
    for (int i = 1; i < argc; ++i) {
        firstPaint = firstPaint || std::strcmp(argv[i], "--first-paint") == 0;
        text = text || std::strcmp(argv[i], "--text") == 0;
        sound = sound || std::strcmp(argv[i], "--sound") == 0;
    }
    QApplication app(argc, argv);
#ifdef ZW_PROGRAM_LIBRARIES
    if (sound) {
        const QtMessageHandler previous = qInstallMessageHandler(Quiet);
        QMediaDevices::defaultAudioOutput();
        qInstallMessageHandler(previous);
    }
    // Never true; keeps Qt Print Support among the libraries loaded at start.
    if (argc > 1000)
        std::printf("%s\n", qPrintable(QPrinterInfo::defaultPrinterName()));
#else
    (void)sound;
    (void)Quiet;
#endif
    Window window;
    window.setWindowTitle(QStringLiteral("Zahlwerk"));
    window.resize(852, 538);
    if (text) {
        auto* label = new QLabel(QStringLiteral("7 · 8 ="), &window);
        label->move(20, 20);
    }
    window.show();
    if (!firstPaint)
        return app.exec();

    QElapsedTimer t;
    t.start();
    while (!window.painted && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents();
    const bool ok = window.painted && window.windowHandle() && window.windowHandle()->isExposed();
    const double up =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
    std::printf("%d %.1f %ld\n", ok ? 1 : 0, up, ResidentKiB());
    std::fflush(stdout);
    _exit(0);
}
