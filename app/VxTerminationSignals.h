#pragma once

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) close
// the game's window as its close box does, through the event loop: a save
// being written completes, the window writes what it keeps on closing, and
// the program ends normally.  The handler only writes the signal's number
// to a socket, which is async-signal-safe; a notifier reads it in the event
// loop and hands the window to a TVxWindowCloser.
//
// A signal ignored when the instance is made (SIGHUP under nohup) is left
// ignored.  One instance at a time; it restores the handlers it found when
// it goes.

#include "app/VxWindowCloser.h"

#include <QObject>

#include <array>

#include <signal.h>

class QWidget;

class TVxTerminationSignals : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> Handled{SIGTERM, SIGINT, SIGHUP};

    explicit TVxTerminationSignals(QWidget& window);
    ~TVxTerminationSignals() override;
    TVxTerminationSignals(const TVxTerminationSignals&) = delete;
    TVxTerminationSignals& operator=(const TVxTerminationSignals&) = delete;

signals:
    // A handled signal arrived; the window is being closed.
    void Received(int signalNumber);

private:
    void ReadSignals();

    std::array<int, 2> FSocket{-1, -1}; // read end, write end
    std::array<struct sigaction, Handled.size()> FPrevious{};
    TVxWindowCloser FCloser;
};
