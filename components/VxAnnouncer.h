#pragma once

// A line for screen readers about something that changed away from the
// keyboard focus: a month played, a game loaded, a trade settled.  Nothing
// on screen shows it; the window shows the same news in its own places.
//
// The announcer is an empty widget that assistive technology meets as a
// notification named by the line: each line hides it and shows it again,
// and a screen reader speaks a notification as it appears (Orca 43 does so
// for the "showing" state of a notification over AT-SPI, whatever has the
// focus).  Qt 6.4 has no announcement event of its own.
//
// Lines never cut into a box or another window: while another window of
// the program is active or modal over the announcer's (a box, a dialog, the
// help), the line waits, and once the announcer's window is active again it
// waits a moment more (Settle) for the screen reader to present the window
// it returned to.  Lines that come faster than the gap given apart wait
// too, and of waiting lines only the latest is said: months played faster
// than speech are heard as the latest one.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <chrono>

class TVxAnnouncer : public QWidget {
    Q_OBJECT
public:
    // How long a window that has just become active is left to the screen
    // reader before a line is said over it.
    static constexpr std::chrono::milliseconds Settle{300};

    // A child of `parent`, saying lines at least `minimumGap` apart; the
    // window it waits for is `parent`'s window.
    explicit TVxAnnouncer(QWidget* parent, std::chrono::milliseconds minimumGap = {});

    // Says `line` as soon as it may; a line still waiting is dropped.
    void Announce(const QString& line);

    // The line said last, which the notification is named by.
    const QString& Line() const { return FLine; }
    // The line waiting to be said; empty while none waits.
    const QString& Waiting() const { return FWaiting; }

signals:
    // `line` has just been said.
    void Announced(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Says the waiting line now, or sets the timer for when it may be.
    void SayWaiting();
    // Another window of the program has the keyboard, or is modal over
    // this one.
    bool Blocked() const;
    void Say(const QString& line);

    const std::chrono::milliseconds FMinimumGap;
    QString FLine;
    QString FWaiting;
    QTimer FTimer;
    // The window whose activation the announcer watches.
    QWidget* const FWindow;
    // Since the last line was said, and since the window last became
    // active; neither runs before it first happens.
    QElapsedTimer FSinceLine;
    QElapsedTimer FSinceActivated;
};
