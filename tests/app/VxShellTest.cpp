// What the application frame asks the desktop to open: documents, folders,
// the application folder, the home page and a new mail.
// The desktop is replaced by URL handlers that record the requests.

#include "app/VxShell.h"
#include "AppTestSupport.h"
#include "app/VxAbout.h"
#include "app/VxActns.h"
#include "app/VxAppInfo.h"
#include "app/VxAppPaths.h"

#include <QDesktopServices>
#include <QLabel>
#include <QList>
#include <QTest>
#include <QUrl>

class VxShellTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FDesktop.Opened.clear();
        for (const char* scheme : {"file", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &FDesktop, "Open");
    }

    void cleanup() {
        for (const char* scheme : {"file", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void documentPathTravelsWhole_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << QStringLiteral("/games/ridolt/ridolt_help.html");
        QTest::newRow("blanks") << QStringLiteral("/home/user/My Games/ridolt help.html");
        QTest::newRow("url characters") << QStringLiteral("/tmp/a#b?c%d/ヘルプ.html");
    }

    void documentPathTravelsWhole() {
        QFETCH(QString, path);
        QVERIFY(OpenFileWithAssociation(path));
        QCOMPARE(FDesktop.Opened.size(), 1);
        QVERIFY(FDesktop.Opened.at(0).isLocalFile());
        QCOMPARE(FDesktop.Opened.at(0).toLocalFile(), path);
    }

    // The offscreen platform has no way to open documents, as a desktop
    // without a program for them has none.
    void documentWithoutAWayToOpenItIsNotOpened() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(!OpenFileWithAssociation(QStringLiteral("/games/ridolt/ridolt_help.html")));
    }

    void folderGetsExactlyOneTrailingSlash_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("opened");
        QTest::newRow("without") << QStringLiteral("/opt/ridolt") << QStringLiteral("/opt/ridolt/");
        QTest::newRow("with") << QStringLiteral("/opt/ridolt/") << QStringLiteral("/opt/ridolt/");
    }

    void folderGetsExactlyOneTrailingSlash() {
        QFETCH(QString, path);
        QFETCH(QString, opened);
        QVERIFY(OpenFolder(path));
        QCOMPARE(FDesktop.Opened.size(), 1);
        QCOMPARE(FDesktop.Opened.at(0).toLocalFile(), opened);
    }

    void openFolderActionOpensTheApplicationFolder() {
        TVxOpenAppFolderAction action;
        action.trigger();
        QCOMPARE(FDesktop.Opened.size(), 1);
        QCOMPARE(FDesktop.Opened.at(0).toLocalFile(), ApplicationFolder());
    }

    void aboutBoxLinksOpenHomePageAndMail() {
        TVxAboutBox box;
        auto* url = box.findChild<QLabel*>(QStringLiteral("Url"));
        auto* email = box.findChild<QLabel*>(QStringLiteral("Email"));
        QVERIFY(url && email);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(url, Qt::LeftButton);
        QTest::mouseClick(email, Qt::LeftButton);
        // Other buttons do nothing.
        QTest::mouseClick(url, Qt::RightButton);
        QCOMPARE(FDesktop.Opened,
                 (QList<QUrl>{QUrl(VxAppInfo::HomePage()),
                              QUrl(QStringLiteral("mailto:") + VxAppInfo::Email())}));
    }

private:
    TUrlRecorder FDesktop;
};

QTEST_MAIN(VxShellTest)
#include "VxShellTest.moc"
#include "moc_AppTestSupport.cpp"
