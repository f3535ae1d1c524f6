// A seeded game played through the window the way a player plays it: months
// by the button, a sort by a header click, purchases and a sale in the trade
// dialog, a save through the save menu.  The saved file is compared whole
// with a checked-in one, so any change of the turn, of the trade dialog's
// offers and rounding, or of what the window hands the dialog shows up here.
//
// After a deliberate change of the game's rules, write the new file with
//     RIDOLT_WRITE_GOLDEN=1 QT_QPA_PLATFORM=offscreen tests/FrmRidoltGoldenTest
// and check the difference before committing it.

#include "FormTestSupport.h"

#include "app/VxAppPaths.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QComboBox>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// Beside this source file.
QString GoldenFile() {
    return QStringLiteral(RIDOLT_SOURCE_DIR "/tests/ui/golden/window-play.sav");
}

// Where two save files first differ, named by the part of the file.
QString FirstDifference(const QByteArray& expected, const QByteArray& actual) {
    const qsizetype size = std::min(expected.size(), actual.size());
    qsizetype at = 0;
    while (at < size && expected[at] == actual[at])
        ++at;
    if (at == size && expected.size() == actual.size())
        return {};
    // The parts of a save file by where they start.
    static const std::pair<qsizetype, const char*> Parts[] = {{0, "the header"},
                                                              {382, "the month"},
                                                              {386, "the cash"},
                                                              {390, "the year"},
                                                              {394, "last year's income"},
                                                              {398, "this year's income"},
                                                              {402, "last year's expense"},
                                                              {406, "this year's expense"},
                                                              {410, "the company count"}};
    constexpr qsizetype CompaniesAt = 414;
    constexpr qsizetype RecordSize = 62;
    QString part = QStringLiteral("company record %1").arg((at - CompaniesAt) / RecordSize);
    for (const auto& [start, name] : Parts)
        if (at >= start && at < CompaniesAt)
            part = QString::fromLatin1(name);
    return QStringLiteral("first difference at byte %1, in %2 (sizes %3 and %4)")
        .arg(at)
        .arg(part)
        .arg(expected.size())
        .arg(actual.size());
}

} // namespace

class TFrmRidoltGoldenTest : public QObject {
    Q_OBJECT
private:
    TVxSeededRandom FRandom{2026};
    TFormFixture F;
    QTemporaryDir FFolder;

    // Opens the dialog with `action` on the focused row, picks lot entry
    // `lots` (-1: the last) and confirms.
    void Trade(const char* action, int lots) {
        TNextModal answer([lots](QDialog& dialog) {
            auto* stock = dialog.findChild<QComboBox*>(QStringLiteral("ComboBoxStock"));
            stock->setFocus();
            const int target = lots < 0 ? stock->count() - 1 : lots;
            while (stock->currentIndex() < target)
                QTest::keyClick(stock, Qt::Key_Down);
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        F.Action(action).trigger();
        QVERIFY(answer.Answered);
    }

    void Months(int count) {
        for (int month = 0; month < count; ++month)
            F.NextMonth();
    }

private slots:
    void init() {
        SetSaveDataFolder(FFolder.path() + QStringLiteral("/savedata/"));
        QVERIFY(F.Start(&FRandom));
        // A box the play does not expect is answered instead of waited for.
        TVxQtMessageBox::SetNextAnswer(TVxMsgResult::Ok);
    }
    void cleanup() {
        F.Stop();
        SetSaveDataFolder(QString());
    }

    void APlayedGameSavesToTheCheckedInFile() {
        Months(3);
        F.ClickHeader(F.Market(), ccMonthDiffPercent);
        F.ClickHeader(F.Market(), ccMonthDiffPercent); // biggest risers first
        F.ClickRow(F.Market(), 0);
        Trade("ActVLVMarketBuyStock", 9); // 10 lots
        F.ClickRow(F.Market(), 3);
        Trade("ActVLVMarketBuyStockAll", -1); // all the cash allows
        F.ClickRow(F.Market(), 3);
        Trade("ActVLVMarketSellStock", 1); // 2 lots back: cash for the months
        Months(4);
        F.Find<QTabWidget>("PageControl1").setCurrentIndex(1);
        F.ClickRow(F.Owner(), 0);
        Trade("ActVLVOwnerSellStock", 4); // 5 lots
        Months(7);                        // into the second year: tax and the shifted totals
        QCOMPARE(F.Game().Year, 1);
        QVERIFY(TVxQtMessageBox::AnsweredRequests().empty()); // no month was refused

        auto& saveMenu = F.Find<QMenu>("MISave");
        emit saveMenu.aboutToShow();
        saveMenu.actions().at(6)->trigger();
        const QByteArray saved = ReadFile(GetSaveDataFolder() + QStringLiteral("6savedata.sav"));
        QCOMPARE(saved.size(), 62414);

        if (qEnvironmentVariableIsSet("RIDOLT_WRITE_GOLDEN")) {
            QVERIFY(WriteFile(GoldenFile(), saved));
            QSKIP("golden file written");
        }
        const QString difference = FirstDifference(ReadFile(GoldenFile()), saved);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

QTEST_MAIN(TFrmRidoltGoldenTest)
#include "FrmRidoltGoldenTest.moc"
