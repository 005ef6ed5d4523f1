#pragma once

#include <QByteArray>
#include <QIODevice>

#include <optional>

namespace zelvora::wire {

// Blocking frame I/O on a socket owned by the calling thread.

// One frame's payload. Empty optional when the peer closed the connection
// cleanly before a new frame began; WireError on a bad header, a frame over
// `limit`, a peer that stops mid-frame, or no progress within `timeoutMs`.
std::optional<QByteArray> readFrame(QIODevice &device, quint32 limit, int timeoutMs);

// Writes a whole encoded frame; WireError when it cannot be sent in time.
void writeFrame(QIODevice &device, const QByteArray &frame, int timeoutMs);

} // namespace zelvora::wire
