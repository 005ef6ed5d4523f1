#pragma once

#include "server/config.h"
#include "server/ops/call.h"

#include <QByteArray>
#include <QStringList>

namespace zelvora::server {

// Turns one request payload into one answer frame. Never throws: whatever goes
// wrong becomes an error answer, and the caller is told when the connection
// must be closed because the byte stream can no longer be trusted.
class Dispatcher
{
public:
    explicit Dispatcher(const ServerConfig &config);

    // Operations of the catalogue this server cannot answer (none in a release).
    QStringList missingHandlers() const;

    QByteArray handle(QByteArrayView payload, bool *closeAfter) const;

private:
    const ServerConfig &m_config;
    Registry m_handlers;
};

} // namespace zelvora::server
