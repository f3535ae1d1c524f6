// The hand-off request on the wire: what a sender encodes is what the
// receiver decodes, however the bytes arrive, and foreign bytes are
// refused.

#include "app/VxCopyData.h"

#include <QTest>

namespace {

QByteArray Header(const char* magic, uint32_t kind, uint32_t length) {
    QByteArray bytes(magic, 4);
    for (const uint32_t value : {kind, length})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.append(char((value >> shift) & 0xFF));
    return bytes;
}

} // namespace

class VxCopyDataTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("path") << 1 << QStringLiteral("/home/user/ridolt/savedata/0savedata.sav");
        QTest::newRow("blanks and Japanese")
            << 1 << QStringLiteral("/home/ユーザー/My Games/セーブ 1.sav");
        QTest::newRow("activate, no text") << 0 << QString();
        QTest::newRow("other kind") << 7 << QStringLiteral("x");
        QTest::newRow("negative kind") << -1 << QStringLiteral("x");
    }

    void roundTrip() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QByteArray buffer = EncodeCopyData(kind, text);
        TVxCopyData data;
        QCOMPARE(DecodeCopyData(buffer, data), TVxDecodeResult::Complete);
        QCOMPARE(data.Kind, kind);
        QCOMPARE(data.Text, text);
        QVERIFY(buffer.isEmpty());
    }

    void wireFormat() {
        QCOMPARE(EncodeCopyData(1, QStringLiteral("/a b")),
                 Header("RDLT", 1, 4) + QByteArray("/a b"));
        QCOMPARE(EncodeCopyData(1, QStringLiteral("あ")),
                 Header("RDLT", 1, 3) + QByteArray("\xE3\x81\x82"));
    }

    // A request may arrive in pieces of any size; every proper prefix
    // waits for more and leaves the buffer untouched.
    void prefixesAreIncomplete() {
        const QByteArray whole = EncodeCopyData(1, QStringLiteral("/saves/4savedata.sav"));
        for (qsizetype size = 0; size < whole.size(); ++size) {
            QByteArray buffer = whole.left(size);
            TVxCopyData data;
            QCOMPARE(DecodeCopyData(buffer, data), TVxDecodeResult::Incomplete);
            QCOMPARE(buffer.size(), size);
        }
    }

    void requestsFollowingEachOther() {
        QByteArray buffer = EncodeCopyData(1, QStringLiteral("/a")) + EncodeCopyData(0, QString()) +
                            EncodeCopyData(1, QStringLiteral("/b")).left(5);
        TVxCopyData data;
        QCOMPARE(DecodeCopyData(buffer, data), TVxDecodeResult::Complete);
        QCOMPARE(data.Text, QStringLiteral("/a"));
        QCOMPARE(DecodeCopyData(buffer, data), TVxDecodeResult::Complete);
        QCOMPARE(data.Kind, 0);
        QCOMPARE(DecodeCopyData(buffer, data), TVxDecodeResult::Incomplete);
        QCOMPARE(buffer.size(), 5);
    }

    void textEndsAtItsFirstNul() {
        QByteArray buffer = Header("RDLT", 1, 8) + QByteArray("/a.sav\0x", 8);
        TVxCopyData data;
        QCOMPARE(DecodeCopyData(buffer, data), TVxDecodeResult::Complete);
        QCOMPARE(data.Text, QStringLiteral("/a.sav"));
        QVERIFY(buffer.isEmpty());
    }

    void foreignBytesAreInvalid_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wrong magic") << Header("HTTP", 1, 0);
        QTest::newRow("wrong first byte") << QByteArray("G");
        QTest::newRow("text too long") << Header("RDLT", 1, MaxCopyDataBytes + 1);
        QTest::newRow("length beyond 2 GiB") << Header("RDLT", 1, 0xFFFFFFFFu);
    }

    void foreignBytesAreInvalid() {
        QFETCH(QByteArray, bytes);
        TVxCopyData data;
        QCOMPARE(DecodeCopyData(bytes, data), TVxDecodeResult::Invalid);
    }

    void longestTextPasses() {
        const QString text(MaxCopyDataBytes, u'a');
        QByteArray buffer = EncodeCopyData(1, text);
        TVxCopyData data;
        QCOMPARE(DecodeCopyData(buffer, data), TVxDecodeResult::Complete);
        QCOMPARE(data.Text.size(), MaxCopyDataBytes);
    }
};

QTEST_MAIN(VxCopyDataTest)
#include "VxCopyDataTest.moc"
