// The running instance's receiver: requests are held until the window is
// ready, delivered in order from the event loop and never into a handler
// that is still running, and a hand-off brings the window to the front.

#include "app/VxCopyDataReceiver.h"

#include <QApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class VxCopyDataReceiverTest : public QObject {
    Q_OBJECT

private slots:
    void heldUntilReleasedThenInOrder() {
        TVxCopyDataReceiver receiver;
        QSignalSpy received(&receiver, &TVxCopyDataReceiver::copyDataReceived);
        receiver.Accept(1, QStringLiteral("/a.sav"));
        receiver.Accept(1, QStringLiteral("/b.sav"));
        QTest::qWait(20);
        QVERIFY(receiver.Holding());
        QCOMPARE(received.size(), 0);
        receiver.Release();
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.at(0), (QList<QVariant>{1, QStringLiteral("/a.sav")}));
        QCOMPARE(received.at(1), (QList<QVariant>{1, QStringLiteral("/b.sav")}));
    }

    void deliveredFromTheEventLoop() {
        TVxCopyDataReceiver receiver;
        receiver.Release();
        QSignalSpy received(&receiver, &TVxCopyDataReceiver::copyDataReceived);
        receiver.Accept(1, QStringLiteral("/a.sav"));
        QCOMPARE(received.size(), 0);
        QTRY_COMPARE(received.size(), 1);
    }

    // A handler that opens a modal box runs a nested event loop; a request
    // arriving meanwhile waits until that handler has returned.
    void noDeliveryIntoARunningHandler() {
        TVxCopyDataReceiver receiver;
        receiver.Release();
        QStringList log;
        connect(&receiver, &TVxCopyDataReceiver::copyDataReceived, this,
                [&](int, const QString& text) {
                    log.append(QStringLiteral("begin ") + text);
                    if (text == QStringLiteral("/a.sav")) {
                        receiver.Accept(1, QStringLiteral("/b.sav"));
                        QEventLoop modal;
                        QTimer::singleShot(30, &modal, &QEventLoop::quit);
                        modal.exec();
                    }
                    log.append(QStringLiteral("end ") + text);
                });
        receiver.Accept(1, QStringLiteral("/a.sav"));
        QTRY_COMPARE(log.size(), 4);
        QCOMPARE(log, (QStringList{QStringLiteral("begin /a.sav"), QStringLiteral("end /a.sav"),
                                   QStringLiteral("begin /b.sav"), QStringLiteral("end /b.sav")}));
    }

    void handOffBringsTheWindowToTheFront() {
        QWidget game;
        QWidget other;
        TVxCopyDataReceiver receiver;
        receiver.AttachWindow(&game);
        receiver.Release();
        QSignalSpy received(&receiver, &TVxCopyDataReceiver::copyDataReceived);
        game.show();
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);

        receiver.HandOff(CopyDataActivate, QString());
        QTRY_COMPARE(QApplication::activeWindow(), &game);
        QTest::qWait(20);
        QCOMPARE(received.size(), 0); // nothing to open

        game.showMinimized();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        receiver.HandOff(CopyDataOpenPath, QStringLiteral("/a.sav"));
        QVERIFY(!game.isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), &game);
        QTRY_COMPARE(received.size(), 1);
    }
};

QTEST_MAIN(VxCopyDataReceiverTest)
#include "VxCopyDataReceiverTest.moc"
