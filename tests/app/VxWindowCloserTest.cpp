// Closing the window on behalf of the desktop: from the event loop, after
// every open box and dialog has been dismissed and the code that opened it
// is done, and once however often it is asked.

#include "app/VxWindowCloser.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// A window that writes down when it is closed.
class TLoggingWindow : public QWidget {
public:
    explicit TLoggingWindow(QStringList& log) : FLog(log) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        FLog << QStringLiteral("closed");
        QWidget::closeEvent(event);
    }

private:
    QStringList& FLog;
};

// Runs `work` from an event loop of its own, as the program's main loop
// runs everything, and returns once the window has closed.
void RunInMainLoop(QWidget& window, const std::function<void()>& work) {
    QEventLoop mainLoop;
    QTimer::singleShot(0, &mainLoop, work);
    QTimer giveUp;
    QObject::connect(&giveUp, &QTimer::timeout, &mainLoop, &QEventLoop::quit);
    giveUp.start(5000);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &mainLoop, [&] {
        if (!window.isVisible())
            mainLoop.quit();
    });
    watch.start(5);
    mainLoop.exec();
}

} // namespace

class VxWindowCloserTest : public QObject {
    Q_OBJECT
private slots:
    void closesFromTheEventLoopOnce() {
        QStringList log;
        TLoggingWindow window(log);
        window.show();
        TVxWindowCloser closer(window);
        closer.Close();
        closer.Close();
        QVERIFY(window.isVisible());
        QTRY_VERIFY(!window.isVisible());
        QTest::qWait(100);
        QCOMPARE(log, QStringList{"closed"});
    }

    // A question (Esc answers Cancel) over a dialog: both are dismissed as
    // by Esc, and the window closes only after the code that opened them
    // has finished, also when that code lets events run after the answer.
    void dismissesBoxesAndDialogsBeforeTheWindowCloses() {
        QStringList log;
        TLoggingWindow window(log);
        window.show();
        TVxWindowCloser closer(window);
        RunInMainLoop(window, [&] {
            QDialog dialog(&window);
            QTimer::singleShot(0, &dialog, [&] {
                QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("?"),
                                QMessageBox::Ok | QMessageBox::Cancel, &dialog);
                box.setDefaultButton(QMessageBox::Ok);
                QTimer::singleShot(0, &box, [&] { closer.Close(); });
                log << (box.exec() == QMessageBox::Cancel ? "box: Cancel" : "box: OK");
            });
            log << (dialog.exec() == QDialog::Rejected ? "dialog: rejected" : "dialog: accepted");
            QEventLoop busy; // the caller still at work with the answer
            QTimer::singleShot(200, &busy, &QEventLoop::quit);
            busy.exec();
            log << "caller done";
        });
        QCOMPARE(log, (QStringList{"box: Cancel", "dialog: rejected", "caller done", "closed"}));
    }

    // A box with no button for Esc refuses its close box; it goes anyway.
    void aBoxThatRefusesToCloseIsHidden() {
        QStringList log;
        TLoggingWindow window(log);
        window.show();
        TVxWindowCloser closer(window);
        RunInMainLoop(window, [&] {
            QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("?"),
                            QMessageBox::Yes | QMessageBox::No, &window);
            QTimer::singleShot(0, &box, [&] { closer.Close(); });
            box.exec();
            log << "box gone";
        });
        QCOMPARE(log, (QStringList{"box gone", "closed"}));
    }
};

QTEST_MAIN(VxWindowCloserTest)
#include "VxWindowCloserTest.moc"
