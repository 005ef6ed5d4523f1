#include "wire/framing.h"

#include "wire/codec.h"
#include "wire/errors.h"

#include <QElapsedTimer>

namespace zelvora::wire {

namespace {

// Reads exactly n bytes into out; false when the peer is gone before the first
// byte and nothing was read yet (only meaningful at a frame boundary).
bool readExactly(QIODevice &device, char *out, qint64 n, int timeoutMs, bool atBoundary)
{
    qint64 got = 0;
    while (got < n) {
        const qint64 r = device.read(out + got, n - got);
        if (r < 0)
            throw WireError(QStringLiteral("connection lost: %1").arg(device.errorString()));
        got += r;
        if (got == n)
            break;
        // The deadline restarts with every piece, so a slow but steady peer is
        // served while a silent one is dropped.
        QElapsedTimer waited;
        waited.start();
        if (!device.waitForReadyRead(timeoutMs)) {
            if (device.bytesAvailable() > 0)
                continue;
            // Giving up before the deadline means the peer went away; at a frame
            // boundary that is the normal end of a connection.
            const bool timedOut = waited.elapsed() >= timeoutMs;
            if (atBoundary && got == 0) {
                if (timedOut)
                    throw WireError(QStringLiteral("no request within %1 ms").arg(timeoutMs));
                return false;
            }
            throw WireError(timedOut ? QStringLiteral("peer stopped in the middle of a frame")
                                     : QStringLiteral("connection lost in the middle of a frame"));
        }
    }
    return true;
}

} // namespace

std::optional<QByteArray> readFrame(QIODevice &device, quint32 limit, int timeoutMs)
{
    char header[HeaderSize];
    if (!readExactly(device, header, HeaderSize, timeoutMs, true))
        return std::nullopt;
    const quint32 length = parseHeader(QByteArrayView(header, HeaderSize), limit);
    QByteArray payload;
    payload.resize(qsizetype(length));
    readExactly(device, payload.data(), length, timeoutMs, false);
    return payload;
}

void writeFrame(QIODevice &device, const QByteArray &frame, int timeoutMs)
{
    qint64 written = 0;
    while (written < frame.size()) {
        const qint64 w = device.write(frame.constData() + written, frame.size() - written);
        if (w < 0)
            throw WireError(QStringLiteral("cannot send: %1").arg(device.errorString()));
        written += w;
    }
    while (device.bytesToWrite() > 0) {
        if (!device.waitForBytesWritten(timeoutMs))
            throw WireError(QStringLiteral("cannot send: %1").arg(device.errorString()));
    }
}

} // namespace zelvora::wire
