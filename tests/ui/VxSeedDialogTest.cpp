// The seed box of シード指定ニューゲーム, typed into as a player types: what
// a Japanese input method commits is taken as the seed it reads as; a text
// that is no seed shows the reason under the box as a notice a screen
// reader speaks, gives it as the box's description, and Return on it keeps
// the dialog open with the reason shown.

#include "FormTestSupport.h"

#include "ui/dialogs/VxSeedDialog.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QLineEdit>

class TVxSeedDialogTest : public QObject {
    Q_OBJECT
private slots:
    void aTypedTextIsTakenOrRefused_data() {
        QTest::addColumn<QString>("typed"); // committed by an input method over the seed shown
        QTest::addColumn<QString>("seed");  // empty: refused, the dialog stays open
        QTest::newRow("as shown") << QString() << "123";
        QTest::newRow("full-width with blanks") << " ７ "
                                                << "7";
        QTest::newRow("ideographic blank, full-width 2^64 - 1")
            << "\u3000１８４４６７４４０７３７０９５５１６１５"
            << "18446744073709551615";
        QTest::newRow("letters") << "abc" << QString();
        QTest::newRow("2^64") << "18446744073709551616" << QString();
        QTest::newRow("nothing") << "\u3000" << QString();
    }
    void aTypedTextIsTakenOrRefused() {
        QFETCH(QString, typed);
        QFETCH(QString, seed);
        const QString reason = QStringLiteral("0 から 18446744073709551615 までの整数");
        const QString note = QStringLiteral("同じシードのゲームは、いつも同じ市場になります。");
        QString shownReason;
        QString description;
        QString spoken;
        bool openAfterReturn = false;
        TNextModal answer([&](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("EditSeed"));
            QCOMPARE(edit->selectedText(), QStringLiteral("123"));
            if (!typed.isEmpty()) {
                QInputMethodEvent commit;
                commit.setCommitString(typed);
                QApplication::sendEvent(edit, &commit);
            }
            auto* notice = dialog.findChild<QLabel*>(QStringLiteral("LblSeedReason"));
            shownReason = notice->isVisible() ? notice->text() : QString();
            QAccessibleInterface* noticeRead = QAccessible::queryAccessibleInterface(notice);
            QCOMPARE(noticeRead->role(), QAccessible::Notification);
            spoken = noticeRead->text(QAccessible::Name);
            QCOMPARE(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name),
                     QStringLiteral("新しいゲームの市場のシード(S):"));
            description =
                QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Description);
            QTest::keyClick(edit, Qt::Key_Return);
            openAfterReturn = dialog.isVisible();
            if (openAfterReturn) {
                QVERIFY(notice->isVisible());
                // Typed over: the refused text is selected again.
                QCOMPARE(edit->selectedText(), edit->text());
                dialog.reject();
            }
        });
        const std::optional<uint64_t> result = TVxSeedDialog::Ask(nullptr, 123);
        QVERIFY(answer.Answered);
        QCOMPARE(result ? QString::number(*result) : QString(), seed);
        QCOMPARE(openAfterReturn, seed.isEmpty());
        QCOMPARE(shownReason, seed.isEmpty() ? reason : QString());
        QCOMPARE(description, seed.isEmpty() ? reason : note);
        if (seed.isEmpty())
            QCOMPARE(spoken, reason);
    }
};

QTEST_MAIN(TVxSeedDialogTest)
#include "VxSeedDialogTest.moc"
