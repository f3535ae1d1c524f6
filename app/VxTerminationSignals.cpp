#include "app/VxTerminationSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The write end for the handler; -1 while no instance is installed.
volatile sig_atomic_t SignalSocket = -1;

void WriteSignalNumber(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full socket already holds a request to close; nothing is lost.
    [[maybe_unused]] const ssize_t written = ::write(SignalSocket, &byte, 1);
    errno = savedErrno;
}

} // namespace

TVxTerminationSignals::TVxTerminationSignals(QWidget& window) : FCloser(window) {
    if (SignalSocket != -1)
        qFatal("TVxTerminationSignals: only one instance at a time");
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, FSocket.data()) != 0)
        qFatal("socketpair: %s", std::strerror(errno));
    SignalSocket = FSocket[1];
    const auto* notifier = new QSocketNotifier(FSocket[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TVxTerminationSignals::ReadSignals);

    struct sigaction action {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    // System calls the signal interrupts carry on, as Qt's own expect.
    action.sa_flags = SA_RESTART;
    // A signal the game was started to ignore (nohup's SIGHUP) stays ignored.
    for (size_t i = 0; i < Handled.size(); ++i)
        if (::sigaction(Handled[i], nullptr, &FPrevious[i]) == 0 &&
            FPrevious[i].sa_handler != SIG_IGN)
            ::sigaction(Handled[i], &action, nullptr);
}

TVxTerminationSignals::~TVxTerminationSignals() {
    for (size_t i = 0; i < Handled.size(); ++i)
        ::sigaction(Handled[i], &FPrevious[i], nullptr);
    SignalSocket = -1;
    ::close(FSocket[0]);
    ::close(FSocket[1]);
}

void TVxTerminationSignals::ReadSignals() {
    unsigned char byte = 0;
    while (::read(FSocket[0], &byte, 1) == 1) {
        emit Received(byte);
        FCloser.Close();
    }
}
