// The record of finished games in the save folder: kept one after the
// other, a damaged file set aside whole and the player told where, a file
// that cannot be read left alone; and the list 記録 shows them, wins the
// fastest first with the fastest of each seed marked, from the keyboard.

#include "FormTestSupport.h"

#include "ui/dialogs/VxRecordsDialog.h"
#include "ui/saves/VxRecordsFile.h"

#include <QDir>

namespace {

TVxGameRecord Record(std::optional<uint64_t> seed, TVxGameOutcome outcome, int32_t monthIndex) {
    TVxGameRecord record;
    record.Seed = seed;
    record.End = {outcome, monthIndex / 12, monthIndex % 12};
    record.Total = 300000000;
    record.FeesYen = 123456789;
    record.Tax = 4321;
    record.Trades = 1234;
    record.Date = "2025-06-01T21:04:05+09:00";
    return record;
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TVxRecordsFileTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TSaveFolder> FFolder;

    QString Path() const { return FFolder->Path() + QStringLiteral("records.txt"); }

private slots:
    void init() { FFolder = std::make_unique<TSaveFolder>(QStringLiteral("/savedata/")); }
    void cleanup() { FFolder.reset(); }

    void RecordsAreKeptOneAfterTheOther() {
        QCOMPARE(TVxRecordsFile::Path(), Path());
        QVERIFY(TVxRecordsFile::Read().Records.empty());
        const TVxGameRecord won = Record(7, TVxGameOutcome::Won, 416);
        const TVxGameRecord lost = Record(std::nullopt, TVxGameOutcome::Lost, 33);
        QCOMPARE(TVxRecordsFile::Add(won), QString()); // the save folder made on the way
        QCOMPARE(TVxRecordsFile::Add(lost), QString());
        const TVxRecordsFile::TRead read = TVxRecordsFile::Read();
        QCOMPARE(read.Records, (std::vector<TVxGameRecord>{won, lost}));
        QCOMPARE(read.Notice, QString());
        QCOMPARE(FilesIn(FFolder->Path()), QStringList{"records.txt"});
    }

    void ADamagedFileIsSetAsideNeverLost() {
        QVERIFY(QDir().mkpath(FFolder->Path()));
        const QByteArray damaged = "ridolt-records 1\nrecords 2\nseed outcome";
        QVERIFY(WriteFile(Path(), damaged));
        const QString notice = TVxRecordsFile::Add(Record(7, TVxGameOutcome::Won, 400));

        const QStringList files = FilesIn(FFolder->Path());
        QCOMPARE(files.size(), 2);
        const QString aside = files.filter(QStringLiteral(".damaged-")).value(0);
        QVERIFY2(aside.startsWith(QStringLiteral("records.txt.damaged-")), qPrintable(aside));
        QCOMPARE(ReadFile(FFolder->Path() + aside), damaged);
        QCOMPARE(notice, QStringLiteral("記録ファイルが壊れていたため、%1 に移しました。")
                             .arg(FFolder->Path() + aside));
        QCOMPARE(TVxRecordsFile::Read().Records.size(), size_t{1});

        // Damaged again in the same second: set aside under a name of its own.
        QVERIFY(WriteFile(Path(), "hello\n"));
        QVERIFY(!TVxRecordsFile::Read().Notice.isEmpty());
        QCOMPARE(FilesIn(FFolder->Path()).size(), 2);
        QVERIFY(TVxRecordsFile::Read().Records.empty());
    }

    void AFileThatCannotBeReadIsLeftAlone() {
        QVERIFY(QDir().mkpath(Path())); // a folder where the file would be
        const QString notice = TVxRecordsFile::Add(Record(7, TVxGameOutcome::Won, 400));
        QVERIFY2(notice.startsWith(Path() + QStringLiteral(": 記録ファイルを")),
                 qPrintable(notice));
        QVERIFY(QFileInfo(Path()).isDir());
        QCOMPARE(FilesIn(FFolder->Path()), QStringList{"records.txt"});
    }

    void TheListShowsWinsFastestFirst() {
        for (const TVxGameRecord& record :
             {Record(7, TVxGameOutcome::Lost, 33), Record(7, TVxGameOutcome::Won, 416),
              Record(8, TVxGameOutcome::Won, 400), Record(7, TVxGameOutcome::Won, 405)})
            QCOMPARE(TVxRecordsFile::Add(record), QString());
        QStringList rows;
        QString focused;
        bool closedByEnter = false;
        TNextModal look([&](QDialog& dialog) {
            auto* list = dialog.findChild<TVxListView*>(QStringLiteral("VLVRecords"));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("記録"));
            QCOMPARE(list->accessibleName(), QStringLiteral("記録"));
            for (int row = 0; row < list->ItemCount(); ++row) {
                QStringList cells;
                for (int column = 0; column < 4; ++column)
                    cells << list->ItemText(row, column);
                rows << cells.join(u'|');
            }
            QCOMPARE(dialog.focusWidget(), list);
            focused = list->ItemText(list->ItemFocused(), 0);
            QTest::keyClick(list, Qt::Key_Return);
            closedByEnter = !dialog.isVisible();
        });
        TVxRecordsDialog::Show(nullptr);
        QVERIFY(look.Answered);
        QCOMPARE(rows, (QStringList{
                           "3000億円まで 33年4か月|8|★|3兆円", "3000億円まで 33年9か月|7|★|3兆円",
                           "3000億円まで 34年8か月|7||3兆円", "3年目10月に破産|7||3兆円"}));
        QCOMPARE(focused, QStringLiteral("3000億円まで 33年4か月"));
        QVERIFY(closedByEnter);
    }
};

QTEST_MAIN(TVxRecordsFileTest)
#include "VxRecordsFileTest.moc"
