// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShutdownSignals.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

constexpr std::array<int, 3> ShutdownSignalNumbers = {SIGTERM, SIGINT, SIGHUP};

// The write end of the current relay's socket pair, or -1 while no window takes the signals.
// A signal handler gets no argument to find its relay by and may only call async-signal-safe
// functions, so this one value has to live at file scope; everything else belongs to the relay
// object.
std::atomic<int> signalSocket{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void OnShutdownSignal(int signalNumber) {
    const int fd = signalSocket.load();
    // Before the settings are read there is nothing to save, and once the window has written
    // them nothing is left: the program ends at once, as asked.
    if (fd < 0)
        ::_exit(0);
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // Never blocks and never raises SIGPIPE; a full socket already holds a wake-up.
    (void)::send(fd, &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = savedErrno;
}

struct sigaction ShutdownAction() {
    struct sigaction action {};
    action.sa_handler = OnShutdownSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return action;
}

// Turns the signals into an event on the window's thread, where closing is safe, and closes
// the window there as its close box would.
class ShutdownRelay : public QObject {
public:
    explicit ShutdownRelay(QWidget& window) : QObject(&window), window_(window) {
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            connect(app, &QGuiApplication::commitDataRequest, this,
                    [this](QSessionManager&) { CloseWindow(); });
            connect(app, &QCoreApplication::aboutToQuit, this, [this] { CloseWindow(); });
        }

        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0)
            return; // the signals keep their default action
        readFd_ = fds[0];
        writeFd_ = fds[1];
        notifier_ = new QSocketNotifier(readFd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            Drain();
            CloseWindow();
        });
        previousSocket_ = signalSocket.exchange(writeFd_);

        const struct sigaction action = ShutdownAction();
        for (std::size_t i = 0; i < ShutdownSignalNumbers.size(); ++i)
            ::sigaction(ShutdownSignalNumbers[i], &action, &previous_[i]);
    }

    ~ShutdownRelay() override {
        if (writeFd_ < 0)
            return;
        int mine = writeFd_;
        if (signalSocket.compare_exchange_strong(mine, previousSocket_)) {
            for (std::size_t i = 0; i < ShutdownSignalNumbers.size(); ++i)
                ::sigaction(ShutdownSignalNumbers[i], &previous_[i], nullptr);
        }
        delete notifier_;
        ::close(readFd_);
        ::close(writeFd_);
    }

private:
    void Drain() {
        unsigned char buffer[64];
        while (::read(readFd_, buffer, sizeof buffer) > 0) {
        }
    }

    // Closing never is refused, so a closed window ends the program, even while a message
    // box of its own runs a nested event loop.
    void CloseWindow() {
        // A message box of the window's blocks closing it; the box goes first, as if it had
        // been cancelled.
        while (QWidget* modal = QApplication::activeModalWidget()) {
            if (modal == &window_ || !modal->close())
                break;
        }
        if (window_.close())
            QCoreApplication::quit();
    }

    QWidget& window_;
    QSocketNotifier* notifier_ = nullptr;
    int readFd_ = -1;
    int writeFd_ = -1;
    int previousSocket_ = -1;
    std::array<struct sigaction, ShutdownSignalNumbers.size()> previous_{};
};

} // namespace

void EndOnShutdownSignals() {
    const struct sigaction action = ShutdownAction();
    sigset_t shutdown;
    sigemptyset(&shutdown);
    for (const int signalNumber : ShutdownSignalNumbers) {
        ::sigaction(signalNumber, &action, nullptr);
        sigaddset(&shutdown, signalNumber);
    }
    // A parent may have left them blocked; a signal already waiting ends the program here.
    ::pthread_sigmask(SIG_UNBLOCK, &shutdown, nullptr);
}

void CloseOnShutdownSignals(QWidget& window) {
    new ShutdownRelay(window);
}
