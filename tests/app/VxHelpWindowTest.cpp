// The game's own help window: the help file with its title, links within
// the page and to other files working, addresses handed to the desktop, Esc
// closing it, and a missing file named instead of an empty window.  It is a
// window holding a document that assistive technology reads line by line,
// whose links Tab goes to and says, and it fits the screen's available area.

#include "app/VxHelpWindow.h"
#include "AppTestSupport.h"
#include "app/VxHelpDocument.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QPointer>
#include <QScreen>
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
        TVxHelpDocument& document = window.Document();
        QTextCursor start = document.textCursor();
        start.movePosition(QTextCursor::Start);
        document.setTextCursor(start);
        for (int i = 0; i <= index; ++i)
            QTest::keyClick(&document, Qt::Key_Tab);
        QTest::keyClick(&document, Qt::Key_Return);
    }

    // What the window's announcer said last, as assistive technology reads
    // it.
    static QString Said(const TVxHelpWindow& window) {
        auto* announcer = window.findChild<QWidget*>(QStringLiteral("Announcer"));
        return QAccessible::queryAccessibleInterface(announcer)->text(QAccessible::Name);
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
        QVERIFY(help->Document().toPlainText().startsWith(
            QStringLiteral("リドルト ヘルプ\nセーブとロード")));
        QCOMPARE(help->Document().verticalScrollBar()->value(), 0);
        QVERIFY(help->Document().hasFocus());
    }

    // A window holding a document, not a label: its text is read by the
    // line on screen, and the arrows move the caret from line to line.
    void AssistiveTechnologyReadsADocumentLineByLine() {
        TVxHelpWindow help(HelpFile());
        help.show();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&help);
        QCOMPARE(window->role(), QAccessible::Window);
        QAccessibleInterface* document = QAccessible::queryAccessibleInterface(&help.Document());
        QCOMPARE(document->role(), QAccessible::Document);
        QCOMPARE(document->text(QAccessible::Name), QStringLiteral("リドルト ヘルプ"));
        QVERIFY(document->state().readOnly);
        QVERIFY(document->state().focused);

        QAccessibleTextInterface* text = document->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), help.Document().toPlainText().size());
        int start = -1;
        int end = -1;
        QCOMPARE(text->textAtOffset(0, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("リドルト ヘルプ"));
        QCOMPARE(start, 0);
        QCOMPARE(text->textAfterOffset(0, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("セーブとロード"));
        QCOMPARE(text->textBeforeOffset(start, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("リドルト ヘルプ"));
        QCOMPARE(text->cursorPosition(), 0);
        QTest::keyClick(&help.Document(), Qt::Key_Down);
        QCOMPARE(
            text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
            QStringLiteral("セーブとロード"));
        QCOMPARE(help.Document().CaretLine(), QStringLiteral("セーブとロード"));

        // A line too long for the window is read as the lines it wraps into.
        help.Document().setPlainText(QString(400, u'株'));
        text->textAtOffset(0, QAccessible::LineBoundary, &start, &end);
        QCOMPARE(start, 0);
        QVERIFY(end > 0 && end < 400);
        const int wrapped = end;
        text->textAfterOffset(0, QAccessible::LineBoundary, &start, &end);
        QCOMPARE(start, wrapped);
    }

    // Tab goes to each link and says it; a link followed within the page
    // takes the caret to its part and says where it arrived.
    void TabSaysEachLinkAndALinkFollowedSaysWhereItLeads() {
        TVxHelpWindow help(HelpFile());
        help.show();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(&help.Document(), Qt::Key_Tab);
        QTRY_COMPARE(Said(help), QStringLiteral("セーブとロード リンク"));
        QTest::keyClick(&help.Document(), Qt::Key_Tab);
        QTRY_COMPARE(Said(help), QStringLiteral("もっと リンク"));
        QTest::keyClick(&help.Document(), Qt::Key_Backtab);
        QTest::keyClick(&help.Document(), Qt::Key_Return);
        QCOMPARE(help.Document().CaretLine(), QStringLiteral("セーブとロード"));
        QVERIFY(help.Document().textCursor().position() > 0);
        QTRY_COMPARE(Said(help), QStringLiteral("セーブとロード"));
        // Down reads on from the part reached.
        QTest::keyClick(&help.Document(), Qt::Key_Down);
        QCOMPARE(help.Document().CaretLine(), QStringLiteral("行"));
    }

    // However small the screen, and wherever the window it opens over, the
    // help lies within the screen's available area.
    void ItOpensWithinTheAvailableArea() {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget owner;
        owner.setGeometry(QRect(available.bottomRight() - QPoint(300, 200), QSize(300, 200)));
        owner.show();
        auto* help = new TVxHelpWindow(HelpFile(), &owner);
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(available.contains(help->frameGeometry()));
        QCOMPARE(help->width(), std::min(760, available.width()));
        QCOMPARE(help->height(), std::min(640, available.height()));
    }

    void linksWithinThePageAndToOtherFilesWork() {
        const QString path = HelpFile();
        Write(QStringLiteral("more.html"), "<html><body><p>もう一つのページ</p></body></html>");
        TVxHelpWindow help(path);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));

        FollowLink(help, 0);
        QCOMPARE(help.Document().source(),
                 QUrl::fromLocalFile(path).resolved(QUrl(QStringLiteral("#save"))));
        QVERIFY(help.Document().verticalScrollBar()->value() > 0);

        help.Document().backward();
        FollowLink(help, 1);
        QCOMPARE(help.Document().source(),
                 QUrl::fromLocalFile(FFolder.filePath(QStringLiteral("more.html"))));
        QCOMPARE(help.Document().toPlainText(), QStringLiteral("もう一つのページ"));
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
        QCOMPARE(help.Document().source(), QUrl::fromLocalFile(path));
    }

    void escapeClosesAndFreesIt() {
        QPointer<TVxHelpWindow> help = new TVxHelpWindow(HelpFile());
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QTest::keyClick(&help->Document(), Qt::Key_Escape);
        QTRY_VERIFY(help.isNull());
    }

    void aMissingFileIsNamed() {
        const QString path = FFolder.filePath(QStringLiteral("no_help.html"));
        TVxHelpWindow help(path);
        QCOMPARE(help.Document().toPlainText(),
                 path + QStringLiteral("\nファイルを開けませんでした。"));
    }
};

QTEST_MAIN(VxHelpWindowTest)
#include "VxHelpWindowTest.moc"
#include "moc_AppTestSupport.cpp"
