#include "platform/session_end.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::array<int, 3> watchedSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler may do next to nothing: it writes the signal into a socket
// that the event loop watches, and the exit sequence runs there.
int signalSocket[2] = {-1, -1};
struct sigaction previousActions[watchedSignals.size()];

void onSignal(int number) {
    const int savedErrno = errno;
    const char byte = char(number);
    [[maybe_unused]] const auto written = ::write(signalSocket[0], &byte, 1);
    errno = savedErrno;
}

// The exit sequence an exit handler still has to run; empty when none.
std::function<void()>* pendingAtExit = nullptr;

void runPendingAtExit() {
    if (!pendingAtExit)
        return;
    std::function<void()> end = *pendingAtExit;
    pendingAtExit = nullptr;
    end();
}

} // namespace

SessionEndWatch::SessionEndWatch(std::function<void()> endSession) : end(std::move(endSession)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSocket) == 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(signalSocket[1], QSocketNotifier::Read);
        connect(signalNotifier.get(), &QSocketNotifier::activated, this, [this] {
            char bytes[16];
            while (::read(signalSocket[1], bytes, sizeof bytes) > 0) {
            }
            endAndQuit();
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < watchedSignals.size(); ++i)
            ::sigaction(watchedSignals[i], &action, &previousActions[i]);
    }

    // The desktop asks to save before the session ends; it may end the
    // process right after, without a close that would reach the window.
#ifndef QT_NO_SESSIONMANAGER
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, [this] { endAndQuit(); });
#endif

    // The toolkit ends the process with exit() when its display connection
    // breaks; the exit handler is the last moment the entries can be saved.
    static bool handlerRegistered = false;
    if (!handlerRegistered)
        handlerRegistered = std::atexit(runPendingAtExit) == 0;
    pendingAtExit = &end;
}

SessionEndWatch::~SessionEndWatch() {
    pendingAtExit = nullptr;
    if (signalNotifier) {
        for (std::size_t i = 0; i < watchedSignals.size(); ++i)
            ::sigaction(watchedSignals[i], &previousActions[i], nullptr);
        signalNotifier.reset();
        ::close(signalSocket[0]);
        ::close(signalSocket[1]);
        signalSocket[0] = signalSocket[1] = -1;
    }
}

void SessionEndWatch::endAndQuit() {
    end();
    // Every loop ends, also that of a dialog or message box open over the
    // window, and any dialog opened after this returns at once.
    QCoreApplication::exit(0);
}

} // namespace platform
