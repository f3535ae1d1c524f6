// The standard actions: their texts, the help in the desktop's program or
// in the game's own window, the about action's values and box, and exit
// through the window's normal close path.

#include "app/VxActns.h"
#include "AppTestSupport.h"
#include "app/VxAbout.h"
#include "app/VxAppInfo.h"
#include "app/VxAppPaths.h"
#include "app/VxHelpDocument.h"
#include "app/VxHelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

using TActionFactory = std::function<TVxBaseAction*(QObject*)>;

template <typename T> TActionFactory Factory() {
    return [](QObject* parent) {
        return new T(parent);
    };
}

QStringList MemoLines(const TVxAboutBox& box) {
    return box.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText().split(u'\n');
}

QString LabelText(const TVxAboutBox& box, const char* name) {
    return box.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Stands in for the desktop: records the paths it is handed and keeps the
// word that no program took them, to say it when the test wants.
struct TDesktop {
    QStringList Opened;
    std::function<void()> NotOpened;

    TVxDocumentOpener Opener() {
        return [this](const QString& path, QObject&, std::function<void()> notOpened) {
            Opened << path;
            NotOpened = std::move(notOpened);
        };
    }
};

} // namespace

Q_DECLARE_METATYPE(TActionFactory)

class VxActnsTest : public QObject {
    Q_OBJECT

private slots:
    void texts_data() {
        QTest::addColumn<TActionFactory>("create");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("help") << Factory<TVxViewHelpHtmlAction>() << "ヘルプ(&H)"
                              << "ヘルプ"
                              << "ヘルプのHTMLを開きます。" << QKeySequence(Qt::Key_F1);
        QTest::newRow("about") << Factory<TVxAboutAction>() << "バージョン情報(&A)"
                               << "バージョン情報"
                               << "バージョン情報を表示します。" << QKeySequence();
        QTest::newRow("exit") << Factory<TVxExitAction>() << "終了(&X)"
                              << "終了"
                              << "アプリケーションを終了します。" << QKeySequence();
        QTest::newRow("open folder")
            << Factory<TVxOpenAppFolderAction>() << "アプリケーションのフォルダを開く(&O)"
            << "アプリケーションのフォルダを開く"
            << "アプリケーションのフォルダを開く" << QKeySequence();
    }

    void texts() {
        QFETCH(TActionFactory, create);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QString, statusTip);
        QFETCH(QKeySequence, shortcut);
        const std::unique_ptr<TVxBaseAction> action(create(nullptr));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->Category(), QStringLiteral("Tovric"));
        QCOMPARE(action->Hint(), toolTip + u'|' + statusTip);
        QCOMPARE(action->toolTip(), toolTip);
        QCOMPARE(action->statusTip(), statusTip);
        QCOMPARE(action->shortcut(), shortcut);
        QVERIFY(action->isEnabled());
    }

    void hintWithoutBarServesBothParts() {
        TVxExitAction action;
        action.SetHint(QStringLiteral("終了します"));
        QCOMPARE(action.toolTip(), QStringLiteral("終了します"));
        QCOMPARE(action.statusTip(), QStringLiteral("終了します"));
    }

    void helpFileNameStartsAsTheExecutablesHelp() {
        QCOMPARE(TVxViewHelpHtmlAction().FileName(), HelpHtmlFileName());
    }

    void helpGoesToTheDesktopFromBesideTheExecutable() {
        TDesktop desktop;
        TVxViewHelpHtmlAction action;
        action.SetOpener(desktop.Opener());
        action.trigger();
        action.SetFileName(QStringLiteral("game2_help.html"));
        action.trigger();
        QCOMPARE(desktop.Opened,
                 (QStringList{ApplicationFolder() + QStringLiteral("VxActnsTest_help.html"),
                              ApplicationFolder() + QStringLiteral("game2_help.html")}));
        // A program took it: the game opens nothing of its own.
        QCOMPARE(action.HelpWindow(), nullptr);
    }

    // Where no program answers, now or after a while, the help opens in a
    // window of the game's own over the owner, one however often asked.
    void helpThatNoProgramTakesOpensInTheGamesOwnWindow() {
        const QString path = ApplicationFolder() + HelpHtmlFileName();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><h1>リドルト ヘルプ</h1><p>遊び方</p></body></html>");
        file.close();
        const auto removeFile = qScopeGuard([&file] { file.remove(); });
        QWidget owner;
        owner.show();
        TDesktop desktop;
        auto* action = new TVxViewHelpHtmlAction(&owner);
        action->SetOpener(desktop.Opener());
        action->trigger();
        QCOMPARE(action->HelpWindow(), nullptr);
        desktop.NotOpened(); // xdg-open has given up

        TVxHelpWindow* help = action->HelpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QCOMPARE(help->window(), help);
        QCOMPARE(help->parentWidget(), &owner);
        QCOMPARE(help->windowTitle(), QStringLiteral("リドルト ヘルプ"));
        QCOMPARE(help->Document().toPlainText(), QStringLiteral("リドルト ヘルプ\n遊び方"));

        action->trigger();
        desktop.NotOpened();
        QCOMPARE(action->HelpWindow(), help);
        QCOMPARE(owner.findChildren<TVxHelpWindow*>().size(), 1);
        QCOMPARE(desktop.Opened, (QStringList{path, path}));
    }

    void exitClosesTheOwnerWindow() {
        TCountingWindow form;
        auto* exit = new TVxExitAction(&form);
        form.show();
        exit->trigger();
        QCOMPARE(form.CloseEvents, 1);
        QVERIFY(!form.isVisible());
    }

    void exitWithoutOwnerClosesEveryWindow() {
        TCountingWindow first;
        TCountingWindow second;
        first.show();
        second.show();
        TVxExitAction().trigger();
        QCOMPARE(first.CloseEvents, 1);
        QCOMPARE(second.CloseEvents, 1);
    }

    void aboutValuesStartAsTheGamesOwn() {
        const TVxAboutAction action;
        QCOMPARE(action.ApplicationName(), QStringLiteral("リドルト"));
        QCOMPARE(action.ApplicationVer(), QStringLiteral("1.00"));
        QCOMPARE(action.CopyrightInfo(), VxAppInfo::Copyright());
        QCOMPARE(
            action.Comment(),
            (QStringList{QStringLiteral("このゲームはフィクションです。"),
                         QStringLiteral("実在する人、団体、場所などとは一切関係ありません。")}));
    }

    void aboutBoxShowsTheActionsValues() {
        TVxAboutAction action;
        action.SetApplicationName(QStringLiteral("ゲーム2"));
        action.SetApplicationVer(QStringLiteral("2.10"));
        action.SetCopyrightInfo(QStringLiteral("(C) 作者"));
        QStringList comment{QStringLiteral("一行目")};
        action.SetComment(comment);
        comment.append(QStringLiteral("後から足した行"));

        const auto box = action.CreateAboutBox(nullptr);
        QCOMPARE(box->windowTitle(), QStringLiteral("ゲーム2 のバージョン情報"));
        QCOMPARE(LabelText(*box, "ProductName"), QStringLiteral("ゲーム2  Version 2.10"));
        QCOMPARE(LabelText(*box, "Copyright"), QStringLiteral("(C) 作者"));
        QCOMPARE(MemoLines(*box), (QStringList{VxAppInfo::HomePage(), VxAppInfo::Email(), QString(),
                                               QStringLiteral("一行目")}));
    }

    // Each execution shows a fresh modal box over the owner and frees it.
    void aboutExecutionShowsModalBoxAndFreesIt() {
        QWidget owner;
        auto* about = new TVxAboutAction(&owner);
        owner.show();
        QList<QStringList> shownMemos;
        for (int run = 0; run < 2; ++run) {
            QPointer<TVxAboutBox> shown;
            QTimer::singleShot(0, this, [&] {
                shown = qobject_cast<TVxAboutBox*>(QApplication::activeModalWidget());
                if (!shown)
                    return;
                QCOMPARE(shown->parentWidget(), &owner);
                shownMemos.append(MemoLines(*shown));
                QTest::keyClick(shown, Qt::Key_Escape);
            });
            about->trigger();
            QCOMPARE(shownMemos.size(), run + 1);
            QVERIFY(shown.isNull()); // freed once closed
        }
        QCOMPARE(shownMemos.size(), 2);
        QCOMPARE(shownMemos.at(0).size(), 5);
        QCOMPARE(shownMemos.at(1), shownMemos.at(0));
        QVERIFY(owner.findChildren<TVxAboutBox*>().isEmpty());
    }
};

QTEST_MAIN(VxActnsTest)
#include "VxActnsTest.moc"
#include "moc_AppTestSupport.cpp"
