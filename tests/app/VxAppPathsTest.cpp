// The program's folders: the application folder, the save folder beside
// the executable or, for an installed copy, in the user's data folder.

#include "app/VxAppPaths.h"
#include "app/VxLanguage.h"
#include "tests/support/Unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class VxAppPathsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Tovric"));
        QCoreApplication::setApplicationName(QStringLiteral("ridolt"));
        QVERIFY(FRoot.isValid());
        // Searchable by the unprivileged player of readOnlyFolders.
        QVERIFY(QFile::setPermissions(FRoot.path(), QFile::permissions(FRoot.path()) |
                                                        QFile::ExeOther | QFile::ReadOther));
    }

    void applicationFolderEndsWithDelimiter() {
        QCOMPARE(ApplicationFolder(), QCoreApplication::applicationDirPath() + u'/');
    }

    void saveFolderBesideWritableExecutable_data() {
        QTest::addColumn<bool>("savedataExists");
        QTest::addColumn<bool>("trailingSlash");
        QTest::newRow("first save still to come") << false << true;
        QTest::newRow("saved before") << true << true;
        QTest::newRow("folder given without slash") << false << false;
    }

    void saveFolderBesideWritableExecutable() {
        QFETCH(bool, savedataExists);
        QFETCH(bool, trailingSlash);
        const QString app = NewFolder();
        if (savedataExists)
            QVERIFY(QDir(app).mkdir(QStringLiteral("savedata")));
        const QString given = trailingSlash ? app + u'/' : app;
        QCOMPARE(SaveDataFolderFor(given), app + QStringLiteral("/savedata/"));
    }

    void installedCopySavesInUserDataFolder() {
        // A folder that cannot be created stands for one that cannot be
        // written: /usr/bin of an installed copy.
        const QString folder = SaveDataFolderFor(FRoot.filePath(QStringLiteral("missing/bin/")));
        QCOMPARE(folder, UserSaveFolder());
        QVERIFY2(folder.endsWith(QStringLiteral("/Tovric/ridolt/savedata/")), qPrintable(folder));
        QCOMPARE(UserSaveDataFolder(), folder);
    }

    void savedataThatIsNoFolderFallsBack() {
        const QString app = NewFolder();
        QFile blocker(app + QStringLiteral("/savedata"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QCOMPARE(SaveDataFolderFor(app), UserSaveFolder());
    }

    // An installed copy's folder cannot be written: its slots go to the
    // user's data folder.  A savedata folder that is there stays the save
    // folder even when it cannot be written: its slots are read from it, and
    // a save there says why it fails.  As root, the test acts as nobody.
    void readOnlyFolders_data() {
        QTest::addColumn<bool>("savedataExists");
        QTest::newRow("read-only executable folder") << false;
        QTest::newRow("read-only savedata folder") << true;
    }

    void readOnlyFolders() {
        QFETCH(bool, savedataExists);
        const QString app = NewFolder();
        const QString locked = savedataExists ? app + QStringLiteral("/savedata") : app;
        QVERIFY(QDir().mkpath(locked));
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser |
                              QFile::ExeUser | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(locked, readOnly));
        QString folder;
        {
            const TUnprivileged player;
            QVERIFY(player.Bound());
            QVERIFY(!QFileInfo(locked).isWritable());
            folder = SaveDataFolderFor(app);
        }
        QFile::setPermissions(locked, readOnly | QFile::WriteOwner | QFile::WriteUser);
        QCOMPARE(folder, savedataExists ? app + QStringLiteral("/savedata/") : UserSaveFolder());
    }

    void loadAndSaveShareOneFolder() {
        QCOMPARE(GetSaveDataFolder(), SaveDataFolderFor(ApplicationFolder()));
    }

    void helpFileIsNamedAfterTheExecutable() {
        QCOMPARE(HelpHtmlFileName(), QStringLiteral("VxAppPathsTest_help.html"));
        SetCurrentLanguage(TVxLanguage::English);
        QCOMPARE(HelpHtmlFileName(), QStringLiteral("VxAppPathsTest_help.en.html"));
        SetCurrentLanguage(TVxLanguage::Japanese);
    }

private:
    QString NewFolder() {
        const QString folder = FRoot.filePath(QString::number(++FFolders));
        if (!QDir().mkpath(folder))
            qFatal("cannot create %s", qPrintable(folder));
        return folder;
    }

    static QString UserSaveFolder() {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
               QStringLiteral("/savedata/");
    }

    QTemporaryDir FRoot;
    int FFolders = 0;
};

QTEST_MAIN(VxAppPathsTest)
#include "VxAppPathsTest.moc"
