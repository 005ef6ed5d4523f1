#include "service/streamcopy.h"

namespace zelvora {

std::optional<QByteArray> CopyAnnouncedStream(QIODevice *stream, qint64 announcedLength)
{
    if (announcedLength <= 0 || !stream)
        return std::nullopt;
    stream->seek(0);
    QByteArray bytes;
    char chunk[1024];
    for (;;) {
        const qint64 n = stream->read(chunk, sizeof chunk);
        if (n > 0)
            bytes.append(chunk, n);
        if (n < qint64(sizeof chunk))
            break;
    }
    if (bytes.size() != announcedLength)
        return std::nullopt;
    return bytes;
}

} // namespace zelvora
