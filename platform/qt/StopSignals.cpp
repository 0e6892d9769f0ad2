// A self-pipe: the handler only writes the signal's number, the event loop reads it.
#include "platform/qt/StopSignals.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zoma {

namespace {

#ifdef Q_OS_UNIX
constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeRead = -1;
int pipeWrite = -1;

extern "C" void onStopSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t ignored = ::write(pipeWrite, &byte, 1);
    errno = saved;
}
#endif

}  // namespace

StopSignals::StopSignals(std::function<void(int)> onStop, QObject* parent)
    : QObject(parent), onStop_(std::move(onStop)) {
#ifdef Q_OS_UNIX
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    pipeRead = fds[0];
    pipeWrite = fds[1];
    notifier_ = new QSocketNotifier(pipeRead, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::takeSignal);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kStopSignals) ::sigaction(number, &action, nullptr);
#endif
}

StopSignals::~StopSignals() {
#ifdef Q_OS_UNIX
    if (pipeRead < 0) return;
    for (const int number : kStopSignals) ::signal(number, SIG_DFL);
    delete notifier_;
    ::close(std::exchange(pipeRead, -1));
    ::close(std::exchange(pipeWrite, -1));
#endif
}

void StopSignals::takeSignal() {
#ifdef Q_OS_UNIX
    unsigned char byte = 0;
    if (::read(pipeRead, &byte, 1) != 1) return;
    if (onStop_) onStop_(byte);
#endif
}

void endBySignal(int signalNumber) {
#ifdef Q_OS_UNIX
    ::signal(signalNumber, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signalNumber);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signalNumber);
#endif
    // Where the signal could not end the program, the status a shell would show.
    std::_Exit(128 + signalNumber);
}

}  // namespace zoma
