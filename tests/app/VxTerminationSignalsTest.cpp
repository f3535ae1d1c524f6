// SIGTERM, SIGINT and SIGHUP close the window through the event loop,
// never inside the handler, and the handlers found before come back when
// the instance goes.

#include "app/VxTerminationSignals.h"
#include "AppTestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <signal.h>

namespace {

volatile sig_atomic_t MarkerSignals = 0;
void Marker(int) {
    MarkerSignals = MarkerSignals + 1;
}

} // namespace

class VxTerminationSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void eachSignalClosesTheWindowFromTheEventLoop_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM (logout, kill)") << SIGTERM;
        QTest::newRow("SIGINT (Ctrl+C)") << SIGINT;
        QTest::newRow("SIGHUP (terminal closed)") << SIGHUP;
    }
    void eachSignalClosesTheWindowFromTheEventLoop() {
        QFETCH(int, signalNumber);
        TCountingWindow window;
        window.show();
        const TVxTerminationSignals signalsOfTheTest(window);
        QSignalSpy received(&signalsOfTheTest, &TVxTerminationSignals::Received);
        QCOMPARE(::raise(signalNumber), 0);
        QCOMPARE(::raise(signalNumber), 0);
        // The handler has only written the number down.
        QVERIFY(window.isVisible());
        QCOMPARE(received.size(), 0);

        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.at(0).at(0).toInt(), signalNumber);
        QTest::qWait(100);
        QCOMPARE(window.CloseEvents, 1);
    }

    void anIgnoredSignalStaysIgnored() {
        // As nohup starts the game: a closed terminal must not end it.
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        QCOMPARE(::sigaction(SIGHUP, &ignore, nullptr), 0);
        {
            TCountingWindow window;
            window.show();
            const TVxTerminationSignals signalsOfTheTest(window);
            QSignalSpy received(&signalsOfTheTest, &TVxTerminationSignals::Received);
            QCOMPARE(::raise(SIGHUP), 0);
            QTest::qWait(100);
            QVERIFY(window.isVisible());
            QCOMPARE(received.size(), 0);
        }
        struct sigaction found {};
        QCOMPARE(::sigaction(SIGHUP, nullptr, &found), 0);
        QVERIFY(found.sa_handler == SIG_IGN);
        ignore.sa_handler = SIG_DFL;
        ::sigaction(SIGHUP, &ignore, nullptr);
    }

    void theHandlersFoundBeforeComeBack() {
        struct sigaction marker {};
        marker.sa_handler = Marker;
        sigemptyset(&marker.sa_mask);
        for (const int signalNumber : TVxTerminationSignals::Handled)
            QCOMPARE(::sigaction(signalNumber, &marker, nullptr), 0);
        {
            QWidget window;
            const TVxTerminationSignals signalsOfTheTest(window);
        }
        MarkerSignals = 0;
        for (const int signalNumber : TVxTerminationSignals::Handled)
            QCOMPARE(::raise(signalNumber), 0);
        QCOMPARE(int{MarkerSignals}, 3);

        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        for (const int signalNumber : TVxTerminationSignals::Handled)
            ::sigaction(signalNumber, &standard, nullptr);
    }
};

QTEST_MAIN(VxTerminationSignalsTest)
#include "VxTerminationSignalsTest.moc"
#include "moc_AppTestSupport.cpp"
