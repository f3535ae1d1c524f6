#pragma once

// The hand-off between two instances of the game: a second start sends the
// running instance one request (a kind and a text) over a local socket and
// waits for the answer, so the request has been taken in before the second
// process ends.
//
// On the wire a request is the magic "RDLT", the kind and the byte length
// of the text (both 32-bit big-endian) and the text in UTF-8; the answer is
// the four bytes "RDOK".

#include <QByteArray>
#include <QString>

#include <cstdint>

// Come to the front; carries no text and reaches no handler.
constexpr int32_t CopyDataActivate = 0;
// Come to the front and open the path in the text.
constexpr int32_t CopyDataOpenPath = 1;

// Longer texts are refused; a path is at most a few kilobytes.
constexpr int32_t MaxCopyDataBytes = 64 * 1024;

// Milliseconds a sender waits for the connection and for the answer.
constexpr int CopyDataTimeout = 10000;

struct TVxCopyData {
    int32_t Kind = CopyDataActivate;
    QString Text;
};

QByteArray EncodeCopyData(int32_t kind, const QString& text);

enum class TVxDecodeResult {
    Incomplete, // more bytes are needed
    Invalid,    // not a request of ours; drop the connection
    Complete,   // one request decoded and removed from the buffer
};

// Decodes the request at the start of `buffer`.  The text ends at its
// first NUL, as a C string would.
TVxDecodeResult DecodeCopyData(QByteArray& buffer, TVxCopyData& data);

// The answer the receiver writes once it has taken a request in.
QByteArray CopyDataAnswer();

// Sends one request to the instance listening on `serverName` and waits
// for its answer; true when the answer came.
bool SendCopyDataString(const QString& serverName, const QString& text, int32_t kind,
                        int timeoutMs = CopyDataTimeout);
