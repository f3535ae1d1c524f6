// Handing a document to the desktop and hearing when no program takes it:
// through xdg-open (here a stand-in on PATH) by its exit status, without
// one through QDesktopServices at once.

#include "app/VxDocumentOpener.h"
#include "AppTestSupport.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

class VxDocumentOpenerTest : public QObject {
    Q_OBJECT
private:
    QByteArray FPath;
    std::unique_ptr<QTemporaryDir> FBin;
    QObject FContext;
    int FNotOpened = 0;

    QString ArgumentsFile() const { return FBin->filePath(QStringLiteral("arguments")); }

    // An xdg-open on PATH that runs `body` after writing down its arguments.
    void InstallXdgOpen(const QByteArray& body) const {
        QFile script(FBin->filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" +
                     QFile::encodeName(ArgumentsFile()) + "'\n" + body + '\n');
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void Open(const QString& path) {
        OpenDocument(path, FContext, [this] { ++FNotOpened; });
    }

    bool XdgOpenRunning() const { return !FContext.findChildren<QProcess*>().isEmpty(); }

    QStringList Arguments() const {
        QFile file(ArgumentsFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() { FPath = qgetenv("PATH"); }
    void init() {
        FBin = std::make_unique<QTemporaryDir>();
        qputenv("PATH", QFile::encodeName(FBin->path()));
        FNotOpened = 0;
    }
    void cleanup() {
        qDeleteAll(FContext.findChildren<QProcess*>());
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        qputenv("PATH", FPath);
        FBin.reset();
    }

    void xdgOpenDecidesByItsExitStatus_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("notOpened");
        QTest::newRow("a program took it") << QByteArray("exit 0") << 0;
        QTest::newRow("no method available") << QByteArray("exit 3") << 1;
        QTest::newRow("the program failed") << QByteArray("exit 4") << 1;
        QTest::newRow("killed") << QByteArray("kill -9 $$") << 1;
    }
    void xdgOpenDecidesByItsExitStatus() {
        QFETCH(QByteArray, body);
        QFETCH(int, notOpened);
        InstallXdgOpen(body);
        const QString path = QStringLiteral("/home/user/My Games/リドルト ヘルプ.html");
        Open(path);
        QCOMPARE(FNotOpened, 0); // xdg-open answers later
        QTRY_VERIFY(!XdgOpenRunning());
        QCOMPARE(FNotOpened, notOpened);
        // The path as one argument, whatever it holds.
        QCOMPARE(Arguments(), (QStringList{QStringLiteral("1"), path}));
    }

    void anXdgOpenThatCannotStartOpensNothing() {
        QFile script(FBin->filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/no/such/shell\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        Open(QStringLiteral("/games/ridolt_help.html"));
        QTRY_COMPARE(FNotOpened, 1);
        QTRY_VERIFY(!XdgOpenRunning());
    }

    // xdg-open still searching when its owner goes: no word comes after.
    void nothingIsToldOnceTheContextHasGone() {
        InstallXdgOpen("/bin/sleep 0.3; exit 3"); // PATH holds the stand-in alone
        {
            QObject context;
            OpenDocument(QStringLiteral("/games/ridolt_help.html"), context,
                         [this] { ++FNotOpened; });
            QTRY_VERIFY(!Arguments().isEmpty());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QProcess: Destroyed while"));
        }
        QTest::qWait(600);
        QCOMPARE(FNotOpened, 0);
    }

    void withoutXdgOpenQtDecidesAtOnce() {
        TUrlRecorder desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "Open");
        const QString path = QStringLiteral("/games/ridolt/ridolt_help.html");
        Open(path);
        QCOMPARE(desktop.Opened, (QList<QUrl>{QUrl::fromLocalFile(path)}));
        QCOMPARE(FNotOpened, 0);

        // The offscreen platform, like a desktop without a launcher, has
        // no way to open it.
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        Open(path);
        QCOMPARE(FNotOpened, 1);
        QVERIFY(!XdgOpenRunning());
    }
};

QTEST_MAIN(VxDocumentOpenerTest)
#include "VxDocumentOpenerTest.moc"
#include "moc_AppTestSupport.cpp"
