#pragma once

#include <QByteArray>
#include <QIODevice>

#include <optional>

namespace zelvora {

// The one rule for stream results: an announced length of 0 means nothing to
// show and the stream is not touched; otherwise the stream is rewound and
// copied in 1024-byte chunks until a short read, and the bytes are used only
// when exactly the announced number arrived.
std::optional<QByteArray> CopyAnnouncedStream(QIODevice *stream, qint64 announcedLength);

} // namespace zelvora
