// The announcer: a line reaches assistive technology as a notification
// named by it that appears anew (Qt tells assistive technology of every
// showing), at once while its window is active; lines faster than the gap
// are heard as the latest, and a line that comes while another window is
// active (a box) waits for the window's return.

#include "components/VxAnnouncer.h"

#include <QAccessible>
#include <QEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A window with an announcer, shown and active, that keeps the lines said
// and counts the announcer's appearances.
class TWindow : public QObject {
public:
    QWidget Window;
    TVxAnnouncer* Announcer;
    QStringList Said;
    int Appearances = 0;

    explicit TWindow(std::chrono::milliseconds gap = {})
        : Announcer(new TVxAnnouncer(&Window, gap)) {
        connect(Announcer, &TVxAnnouncer::Announced, this,
                [this](const QString& line) { Said << line; });
        Announcer->installEventFilter(this);
        Window.resize(200, 100);
        Window.show();
        Window.activateWindow();
    }

    // Active, and left to a screen reader's presentation for a moment.
    bool Settled() {
        if (!QTest::qWaitForWindowActive(&Window))
            return false;
        QTest::qWait(static_cast<int>(TVxAnnouncer::Settle.count()));
        return true;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++Appearances;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TVxAnnouncerTest : public QObject {
    Q_OBJECT
private slots:
    void ALineIsANotificationThatAppears() {
        TWindow window;
        QVERIFY(window.Settled());
        // The window's showing says nothing.
        QCOMPARE(window.Appearances, 0);
        window.Announcer->Announce(QStringLiteral("1年目2月 資金 2970万円"));
        QCOMPARE(window.Said, QStringList{"1年目2月 資金 2970万円"});
        QCOMPARE(window.Appearances, 1);
        QAccessibleInterface* said = QAccessible::queryAccessibleInterface(window.Announcer);
        QCOMPARE(said->role(), QAccessible::Notification);
        QCOMPARE(said->text(QAccessible::Name), QStringLiteral("1年目2月 資金 2970万円"));
        QVERIFY(!said->state().invisible);
        QVERIFY(!said->state().focusable);
        // The same line again appears again; an empty one says nothing.
        window.Announcer->Announce(QStringLiteral("1年目2月 資金 2970万円"));
        window.Announcer->Announce(QString());
        QCOMPARE(window.Said.size(), 2);
        QCOMPARE(window.Appearances, 2);
    }

    void LinesFasterThanTheGapAreHeardAsTheLatest() {
        TWindow window(std::chrono::milliseconds(400));
        QVERIFY(window.Settled());
        for (const char* month : {"2月", "3月", "4月", "5月"})
            window.Announcer->Announce(QString::fromUtf8(month));
        QCOMPARE(window.Said, QStringList{"2月"});
        QCOMPARE(window.Announcer->Waiting(), QStringLiteral("5月"));
        QTRY_COMPARE(window.Said, (QStringList{"2月", "5月"}));
        QCOMPARE(window.Announcer->Waiting(), QString());
        QCOMPARE(window.Appearances, 2);
    }

    void ALineWaitsWhileAnotherWindowIsActive() {
        TWindow window;
        QVERIFY(window.Settled());
        auto box = std::make_unique<QWidget>();
        box->show();
        box->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(box.get()));
        window.Announcer->Announce(QStringLiteral("ID:005を1,000株 110万円で買いました。"));
        QTest::qWait(2 * static_cast<int>(TVxAnnouncer::Settle.count()));
        QCOMPARE(window.Said, QStringList());

        QCOMPARE(window.Announcer->Waiting(),
                 QStringLiteral("ID:005を1,000株 110万円で買いました。"));

        // The box closes: once the window is back, the line comes.
        box.reset();
        window.Window.activateWindow();
        QTRY_COMPARE(window.Said, QStringList{"ID:005を1,000株 110万円で買いました。"});
    }
};

QTEST_MAIN(TVxAnnouncerTest)
#include "VxAnnouncerTest.moc"
