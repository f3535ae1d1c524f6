// The reasons the boxes about a failed load or save add below their own
// text, for failures a test cannot bring about on the disk (a full disk):
// the player's words first, the system's own kept after them.

#include "ui/words/VxFileErrorText.h"
#include "game/VxFileKind.h"
#include "platform/VxFileError.h"

#include <QTest>

#include <cerrno>

Q_DECLARE_METATYPE(std::error_code)

class VxFileErrorTextTest : public QObject {
    Q_OBJECT

private slots:
    void reasons_data() {
        QTest::addColumn<std::error_code>("code");
        QTest::addColumn<QString>("reason");
        const auto errnoCode = [](int error) {
            return std::error_code(error, std::generic_category());
        };
        QTest::newRow("full disk") << errnoCode(ENOSPC)
                                   << QStringLiteral("ディスクの空き容量が足りません。"
                                                     "(No space left on device)");
        QTest::newRow("read-only file system")
            << errnoCode(EROFS)
            << QStringLiteral("読み出し専用のファイルシステムです。(Read-only file system)");
        QTest::newRow("an errno without words of ours")
            << errnoCode(ETXTBSY) << QStringLiteral("Text file busy");
        QTest::newRow("another program's file")
            << make_error_code(TVxKindRefusal::IsOtherProgramsFile)
            << QStringLiteral("ほかのプログラムのファイルです。");
        QTest::newRow("socket") << make_error_code(TVxFileRefusal::IsSocket)
                                << QStringLiteral("ソケットです。");
    }
    void reasons() {
        QFETCH(std::error_code, code);
        QFETCH(QString, reason);
        QCOMPARE(FileErrorReason(code), reason);
    }

    // A failure of the history beside a save names the history.
    void aFailureOfAnotherFileNamesIt() {
        const auto error = std::make_exception_ptr(
            EVxFileError(make_error_code(TVxKindRefusal::IsTextFile), "/s/0savedata.sav.history"));
        QCOMPARE(SaveFailureReason(QStringLiteral("/s/0savedata.sav"), error),
                 QStringLiteral("/s/0savedata.sav.history: テキストファイルです。"));
    }
};

QTEST_MAIN(VxFileErrorTextTest)
#include "VxFileErrorTextTest.moc"
