// A whole game played without a mouse: every key goes to the window that
// has the keyboard, through the window system's path (so shortcuts, the
// Menu key and mnemonics work as on a desktop), and lands on whatever has
// the focus.  Nothing is clicked and no widget is picked by the test.

#include "FormTestSupport.h"

#include "app/VxAppPaths.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QTemporaryDir>
#include <QWindow>

#include <functional>

namespace {

// The window that gets the keys now: an open menu, else a dialog or box,
// else the main window.  The offscreen platform has no window manager: it
// neither activates a dialog that opens nor gives the activation back to
// the main window when the dialog closes, so this does both, as a desktop
// would.
QWindow* KeyboardWindow() {
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->windowHandle();
    QWidget* window = QApplication::activeModalWidget();
    for (QWidget* topLevel : QApplication::topLevelWidgets())
        if (!window && topLevel->objectName() == QLatin1String("FormRidolt"))
            window = topLevel;
    if (!window)
        return nullptr;
    if (QGuiApplication::focusWindow() != window->windowHandle()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            return nullptr;
    }
    return window->windowHandle();
}

QString Focused() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWindow* window = KeyboardWindow();
    QVERIFY(window);
    QTest::keyClick(window, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
}

// The Menu key, and the context menu request a desktop's platform makes of
// it (the offscreen platform makes none) for the widget with the focus.
void PressMenuKey() {
    Press(Qt::Key_Menu);
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
    QCoreApplication::sendEvent(focused, &request);
}

// Tabs forward until `name` has the focus; false if it never comes.
bool TabTo(const char* name) {
    KeyboardWindow();
    for (int step = 0; step < 20 && Focused() != QLatin1String(name); ++step)
        Press(Qt::Key_Tab);
    return Focused() == QLatin1String(name);
}

void PressAll(std::initializer_list<int> keys) {
    for (const int key : keys)
        Press(key);
}

} // namespace

class TFrmRidoltKeyboardTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{12};
    TFormFixture F;
    QTemporaryDir FFolder;

    // Presses `keys` once the next dialog or box is up, from inside it.
    void InNextModal(std::function<void()> keys) {
        auto* answer = new TNextModal([keys](QDialog&) { keys(); });
        answer->setParent(F.Form.get());
    }

    int32_t MonthsPlayed() const { return F.Game().Year * 12 + F.Game().Month; }

    // Alt+N, the button's mnemonic: the month at once.
    void NextMonthByMnemonic() {
        const int32_t month = MonthsPlayed();
        Press(Qt::Key_N, Qt::AltModifier);
        QCOMPARE(MonthsPlayed(), month + 1);
    }

private slots:
    void init() {
        SetSaveDataFolder(FFolder.path() + QStringLiteral("/savedata/"));
        FRandom.Seed(12);
        QVERIFY(F.Start(&FRandom));
    }
    void cleanup() {
        F.Stop();
        SetSaveDataFolder(QString());
    }

    // Tab visits the parts of the window in the order they stand on screen.
    void TabGoesThroughTheWindowInOrder() {
        QVERIFY(TabTo("BtnNextMonth"));
        QStringList visited;
        for (int step = 0; step < 4; ++step) {
            Press(Qt::Key_Tab);
            visited << Focused();
        }
        // The page tabs, the list of the page shown, the log, and round again;
        // the empty chart has nothing to read and is passed by.
        QCOMPARE(visited, (QStringList{"qt_tabwidget_tabbar", "VLVMarket", "RichEditMessage",
                                       "BtnNextMonth"}));
        // With a company charted, the chart comes between the list and the log.
        F.ClickRow(F.Market(), 2);
        QVERIFY(TabTo("VLVMarket"));
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), QStringLiteral("Chart1"));
    }

    // Presses that come faster than the button's pressed look lasts, and
    // the repeats of a held Alt+N, each play a month; so does each click.
    void EveryPressPlaysAMonth() {
        QWindow* window = KeyboardWindow();
        QVERIFY(window);
        for (int press = 0; press < 40; ++press)
            QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(MonthsPlayed(), 40);

        // Held: one press, nine repeats, one release.
        QTest::simulateEvent(window, true, Qt::Key_N, Qt::AltModifier, QStringLiteral("n"), false);
        for (int repeat = 0; repeat < 9; ++repeat)
            QTest::simulateEvent(window, true, Qt::Key_N, Qt::AltModifier, QStringLiteral("n"),
                                 true);
        QTest::simulateEvent(window, false, Qt::Key_N, Qt::AltModifier, QStringLiteral("n"), false);
        QCOMPARE(MonthsPlayed(), 50);

        auto& button = F.Find<QPushButton>("BtnNextMonth");
        for (int click = 0; click < 10; ++click)
            QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(MonthsPlayed(), 60);

        // A month refused plays nothing, however often it is pressed.
        F.Hold(*F.Game().MarketList.Items(3), 1000, 100);
        F.Game().Money = 10;
        for (int press = 0; press < 3; ++press) {
            TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
            QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
        }
        QCOMPARE(MonthsPlayed(), 60);
        QCOMPARE(TVxQtMessageBox::AnsweredRequests().size(), size_t{3});
    }

    void AWholeGameByKeyboard() {
        // A new game: the question's Cancel is the default, Tab reaches OK.
        NextMonthByMnemonic();
        InNextModal([] { PressAll({Qt::Key_Tab, Qt::Key_Space}); });
        Press(Qt::Key_G, Qt::AltModifier);
        Press(Qt::Key_N);
        QCOMPARE(F.Game().Month, 0);
        QCOMPARE(F.Panel(1), QStringLiteral("1年目1月"));

        // Sorted by 株価, dearest first, from the list's menu.
        QVERIFY(TabTo("VLVMarket"));
        for (int time = 0; time < 2; ++time) {
            PressMenuKey();
            QTRY_VERIFY(QApplication::activePopupWidget());
            Press(Qt::Key_O);                         // 並べ替え(&O)
            PressAll({Qt::Key_Down, Qt::Key_Return}); // ID, then 株価
        }
        QCOMPARE(F.Captions(F.Market())[ccStockPrice], QStringLiteral("▼株価"));

        // The dearest company, bought with Enter and Max, one lot less: the
        // cash left pays the coming months.
        Press(Qt::Key_Home);
        TVxCompany& top = *F.Game().MarketList.Items(0);
        for (int i = 1; i < F.Game().MarketList.Count(); ++i)
            QVERIFY(F.Game().MarketList.Items(i)->StockPrice() <= top.StockPrice());
        InNextModal([] {
            QVERIFY(TabTo("Max"));
            Press(Qt::Key_Space);
            QVERIFY(TabTo("ComboBoxStock"));
            PressAll({Qt::Key_Up, Qt::Key_Return});
        });
        Press(Qt::Key_Return);
        QVERIFY(top.MyStockCount > 1000);

        // Three months, the button's mnemonic.
        for (int month = 0; month < 3; ++month)
            NextMonthByMnemonic();
        QCOMPARE(F.Panel(1), QStringLiteral("1年目4月"));

        // Everything sold from the holdings list: its page by Ctrl+Tab, the
        // row by Home, 全売り取引(&E) from the Menu key.
        QVERIFY(TabTo("VLVMarket"));
        Press(Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(TabTo("VLVOwner"));
        Press(Qt::Key_Home);
        InNextModal([] { Press(Qt::Key_Return); });
        PressMenuKey();
        QTRY_VERIFY(QApplication::activePopupWidget());
        Press(Qt::Key_E);
        QCOMPARE(top.MyStockCount, 0);
        QCOMPARE(F.Game().OwnerList.Count(), 0);
        QVERIFY(F.Game().Income() > 0);

        // Saved to slot 3, and loaded back after another month.
        Press(Qt::Key_S, Qt::AltModifier);
        PressAll({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        const QString file = GetSaveDataFolder() + QStringLiteral("3savedata.sav");
        QVERIFY(QFileInfo::exists(file));
        const QStringList status{F.Panel(1), F.Panel(2), F.Panel(3)};
        NextMonthByMnemonic();
        // The one slot there is, the first item open; 前回の続き(R) and
        // 保存していないゲーム(K) below it hold the game the new game replaced.
        Press(Qt::Key_L, Qt::AltModifier);
        Press(Qt::Key_Return);
        QCOMPARE((QStringList{F.Panel(1), F.Panel(2), F.Panel(3)}), status);
        QCOMPARE(status[0], QStringLiteral("1年目4月"));
        // Saved again, the loaded game gives the file it came from.
        F.Game().SaveToFile(FFolder.filePath(QStringLiteral("again.sav")).toStdString());
        QFile first(file), again(FFolder.filePath(QStringLiteral("again.sav")));
        QVERIFY(first.open(QIODevice::ReadOnly) && again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll().left(414), first.readAll().left(414));
    }
};

QTEST_MAIN(TFrmRidoltKeyboardTest)
#include "FrmRidoltKeyboardTest.moc"
