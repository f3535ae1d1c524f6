// The game's own help window: the help file with its title, links within
// the page and to other files working, addresses handed to the desktop, Esc
// closing it, and a missing file named instead of an empty window.

#include "app/VxHelpWindow.h"
#include "AppTestSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class VxHelpWindowTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir FFolder;

    QString Write(const QString& name, const QByteArray& html) const {
        QFile file(FFolder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(html);
        return file.fileName();
    }

    // A help page with a contents list at the top and its sections far
    // below, as the game's help has.
    QString HelpFile() const {
        QByteArray filler;
        for (int line = 0; line < 200; ++line)
            filler += "<p>行</p>\n";
        return Write(QStringLiteral("ridolt_help.html"),
                     "<html><head><meta charset=\"utf-8\"><title>リドルト ヘルプ</title></head>"
                     "<body><h1>リドルト ヘルプ</h1><ul><li><a href=\"#save\">セーブとロード</a>"
                     "</li><li><a href=\"more.html\">もっと</a></li><li>"
                     "<a href=\"https://tovric.example/ridolt/\">ホームページ</a></li></ul>" +
                         filler + "<h2 id=\"save\">セーブとロード</h2>" + filler +
                         "</body></html>");
    }

    // Tab to the link at `index` of the page, then Enter.
    static void FollowLink(TVxHelpWindow& window, int index) {
        QTextCursor start = window.textCursor();
        start.movePosition(QTextCursor::Start);
        window.setTextCursor(start);
        for (int i = 0; i <= index; ++i)
            QTest::keyClick(&window, Qt::Key_Tab);
        QTest::keyClick(&window, Qt::Key_Return);
    }

private slots:
    void showsTheHelpFileInAWindowOfItsOwn() {
        QWidget owner;
        owner.show();
        auto* help = new TVxHelpWindow(HelpFile(), &owner);
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(help->isWindow());
        QVERIFY(!help->isModal());
        QCOMPARE(help->windowTitle(), QStringLiteral("リドルト ヘルプ"));
        QVERIFY(help->toPlainText().startsWith(QStringLiteral("リドルト ヘルプ\nセーブとロード")));
        QCOMPARE(help->verticalScrollBar()->value(), 0);
    }

    void linksWithinThePageAndToOtherFilesWork() {
        const QString path = HelpFile();
        Write(QStringLiteral("more.html"), "<html><body><p>もう一つのページ</p></body></html>");
        TVxHelpWindow help(path);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));

        FollowLink(help, 0);
        QCOMPARE(help.source(), QUrl::fromLocalFile(path).resolved(QUrl(QStringLiteral("#save"))));
        QVERIFY(help.verticalScrollBar()->value() > 0);

        help.backward();
        FollowLink(help, 1);
        QCOMPARE(help.source(), QUrl::fromLocalFile(FFolder.filePath(QStringLiteral("more.html"))));
        QCOMPARE(help.toPlainText(), QStringLiteral("もう一つのページ"));
    }

    void addressesGoToTheDesktop() {
        TUrlRecorder desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop, "Open");
        const QString path = HelpFile();
        TVxHelpWindow help(path);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        FollowLink(help, 2);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(desktop.Opened,
                 (QList<QUrl>{QUrl(QStringLiteral("https://tovric.example/ridolt/"))}));
        QCOMPARE(help.source(), QUrl::fromLocalFile(path));
    }

    void escapeClosesAndFreesIt() {
        QPointer<TVxHelpWindow> help = new TVxHelpWindow(HelpFile());
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QTest::keyClick(help, Qt::Key_Escape);
        QTRY_VERIFY(help.isNull());
    }

    void aMissingFileIsNamed() {
        const QString path = FFolder.filePath(QStringLiteral("no_help.html"));
        TVxHelpWindow help(path);
        QCOMPARE(help.toPlainText(), path + QStringLiteral("\nファイルを開けませんでした。"));
    }
};

QTEST_MAIN(VxHelpWindowTest)
#include "VxHelpWindowTest.moc"
#include "moc_AppTestSupport.cpp"
