#include "app/VxCopyData.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr char RequestMagic[] = "RDLT";
constexpr qsizetype MagicSize = 4;
constexpr qsizetype HeaderSize = MagicSize + 4 + 4;

void AppendUInt32(QByteArray& bytes, uint32_t value) {
    const uint32_t bigEndian = qToBigEndian(value);
    bytes.append(reinterpret_cast<const char*>(&bigEndian), sizeof bigEndian);
}

uint32_t UInt32At(const QByteArray& bytes, qsizetype offset) {
    return qFromBigEndian<uint32_t>(bytes.constData() + offset);
}

} // namespace

QByteArray EncodeCopyData(int32_t kind, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray bytes(RequestMagic, MagicSize);
    AppendUInt32(bytes, static_cast<uint32_t>(kind));
    AppendUInt32(bytes, static_cast<uint32_t>(utf8.size()));
    bytes.append(utf8);
    return bytes;
}

TVxDecodeResult DecodeCopyData(QByteArray& buffer, TVxCopyData& data) {
    const qsizetype magicBytes = std::min(buffer.size(), MagicSize);
    if (buffer.left(magicBytes) != QByteArray(RequestMagic, magicBytes))
        return TVxDecodeResult::Invalid;
    if (buffer.size() < HeaderSize)
        return TVxDecodeResult::Incomplete;
    const uint32_t length = UInt32At(buffer, MagicSize + 4);
    if (length > static_cast<uint32_t>(MaxCopyDataBytes))
        return TVxDecodeResult::Invalid;
    if (buffer.size() < HeaderSize + static_cast<qsizetype>(length))
        return TVxDecodeResult::Incomplete;
    QByteArray text = buffer.mid(HeaderSize, length);
    if (const qsizetype nul = text.indexOf('\0'); nul >= 0)
        text.truncate(nul);
    data.Kind = static_cast<int32_t>(UInt32At(buffer, MagicSize));
    data.Text = QString::fromUtf8(text);
    buffer.remove(0, HeaderSize + length);
    return TVxDecodeResult::Complete;
}

QByteArray CopyDataAnswer() {
    return QByteArrayLiteral("RDOK");
}

bool SendCopyDataString(const QString& serverName, const QString& text, int32_t kind,
                        int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
        return false;
    socket.write(EncodeCopyData(kind, text));
    socket.flush();
    const QByteArray answer = CopyDataAnswer();
    QByteArray received;
    while (received.size() < answer.size()) {
        // Flushes the request on the first round, then waits for the answer.
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
        received += socket.readAll();
    }
    return received.startsWith(answer);
}
