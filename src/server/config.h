#pragma once

#include <QString>

namespace zelvora::server {

struct ServerConfig
{
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 9090;     // 0 picks a free port (tests)
    quint16 httpPort = 8080; // 0 picks a free port (tests)
    QString dataDir = QStringLiteral("zelvora-data");
    QString dbPath;    // dataDir + "/zelvora.db" unless given
    int items = 20000; // catalogue size of generated demo data
    int workers = 16;  // connections served at once
    int readTimeoutMs = 30000;
    quint32 maxRequestBytes = 8u << 20;
    // A workstation the server does not know is bound to the demo dealer
    // instead of being sent to the access-request form. Demo data only.
    bool bindUnknownWorkstations = true;
    int clientVersion = 6; // the version the server publishes to clients
};

} // namespace zelvora::server
