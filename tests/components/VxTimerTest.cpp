#include "components/VxTimer.h"

#include <QTest>

#include <vector>

namespace {

// A timer on a hand-moved clock that disables itself after `stopAfter`
// firings, so the count is exact however fast the platform ticks.  Every
// firing moves the clock by 10 ms inside the handler.
struct TTimerFixture {
    uint32_t Clock = 1000;
    TVxTimer Timer{nullptr, [this] {
                       return Clock;
                   }};
    std::vector<int32_t> CountsSeenByHandler;
    int StopAfter = 3;

    TTimerFixture() {
        Timer.SetInterval(1);
        QObject::connect(&Timer, &TVxTimer::Timer, [this] {
            CountsSeenByHandler.push_back(Timer.TimerCount());
            Clock += 10;
            if (static_cast<int>(CountsSeenByHandler.size()) == StopAfter)
                Timer.SetEnabled(false);
        });
    }

    bool WaitForFirings() {
        return QTest::qWaitFor(
            [this] { return static_cast<int>(CountsSeenByHandler.size()) >= StopAfter; });
    }
};

} // namespace

class TVxTimerTest : public QObject {
    Q_OBJECT
private slots:
    void CreationStartsTheBookkeeping() {
        uint32_t clock = 42;
        TVxTimer timer(nullptr, [&clock] { return clock; });
        QVERIFY(timer.Enabled());
        QCOMPARE(timer.Interval(), 1000);
        QCOMPARE(timer.StartTick(), 42u);
        QCOMPARE(timer.LastTick(), 42u);
        QCOMPARE(timer.TimerCount(), 0);
    }

    void FiringCountsAfterTheHandler() {
        TTimerFixture fixture;
        QVERIFY(fixture.WaitForFirings());
        // The handler sees the count of the firings before its own.
        QCOMPARE(fixture.CountsSeenByHandler, (std::vector<int32_t>{0, 1, 2}));
        QVERIFY(!fixture.Timer.Enabled());
        QCOMPARE(fixture.Timer.TimerCount(), 3);
        QCOMPARE(fixture.Timer.StartTick(), 1000u);
        QCOMPARE(fixture.Timer.LastTick(), 1030u); // read after the third handler
    }

    void DisablingKeepsAndEnablingRestartsTheCount() {
        TTimerFixture fixture;
        QVERIFY(fixture.WaitForFirings());
        QTest::qWait(20);
        QCOMPARE(fixture.Timer.TimerCount(), 3); // no firing while disabled

        fixture.Clock = 5000;
        fixture.Timer.SetEnabled(true);
        QCOMPARE(fixture.Timer.TimerCount(), 0);
        QCOMPARE(fixture.Timer.StartTick(), 5000u);
        QCOMPARE(fixture.Timer.LastTick(), 5000u);
        fixture.Timer.SetEnabled(false);
    }

    void EnablingAnEnabledTimerRestartsTheCount() {
        TTimerFixture fixture;
        fixture.StopAfter = 2;
        fixture.Timer.SetEnabled(true);
        QVERIFY(QTest::qWaitFor([&] { return fixture.Timer.TimerCount() >= 1; }));
        fixture.Timer.SetEnabled(false);
        fixture.Clock = 7000;
        fixture.Timer.SetEnabled(true);
        fixture.Timer.SetEnabled(true);
        QCOMPARE(fixture.Timer.TimerCount(), 0);
        QCOMPARE(fixture.Timer.StartTick(), 7000u);
        fixture.Timer.SetEnabled(false);
    }

    void ZeroIntervalNeverFires() {
        TTimerFixture fixture;
        fixture.Timer.SetInterval(0);
        QTest::qWait(30);
        QVERIFY(fixture.Timer.Enabled());
        QCOMPARE(fixture.Timer.TimerCount(), 0);
    }

    // Each firing posts an event, as a change posts its repaint: the event
    // is handled before the next firing, even with an interval of 0.
    void FiringWhenIdleComesAfterTheEventsWaiting() {
        TTimerFixture fixture;
        fixture.StopAfter = 50;
        fixture.Timer.SetInterval(0);
        fixture.Timer.SetFireWhenIdle(true);
        int posted = 0;
        int handled = 0;
        std::vector<int> waitingAtFiring;
        struct THandledCounter : QObject {
            int* Handled;
            explicit THandledCounter(int* handled) : Handled(handled) {}
            bool event(QEvent* event) override {
                if (event->type() != QEvent::User)
                    return QObject::event(event);
                ++*Handled;
                return true;
            }
        } counter(&handled);
        QObject::connect(&fixture.Timer, &TVxTimer::Timer, [&] {
            waitingAtFiring.push_back(posted - handled);
            QCoreApplication::postEvent(&counter, new QEvent(QEvent::User), Qt::LowEventPriority);
            ++posted;
        });
        QVERIFY(fixture.WaitForFirings());
        QCOMPARE(waitingAtFiring, std::vector<int>(50, 0));
        QVERIFY(fixture.Timer.FireWhenIdle());
    }

    void TickCountIsMonotonic() {
        const uint32_t first = VxGetTickCount();
        QTest::qWait(15);
        const uint32_t elapsed = VxGetTickCount() - first; // wraps like the ticks
        QVERIFY(elapsed >= 10);
        QVERIFY(elapsed < 10000);
    }
};

QTEST_GUILESS_MAIN(TVxTimerTest)
#include "VxTimerTest.moc"
