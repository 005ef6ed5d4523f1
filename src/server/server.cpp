#include "server/server.h"

#include "server/demo/demodata.h"
#include "server/dispatcher.h"
#include "server/listener.h"
#include "server/storage/db.h"
#include "server/storage/schema.h"
#include "server/web/httpserver.h"
#include "server/webstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace zelvora::server {

Server::Server(ServerConfig config) : m_config(std::move(config))
{
    if (m_config.dbPath.isEmpty())
        m_config.dbPath = m_config.dataDir + QStringLiteral("/zelvora.db");
}

Server::~Server() = default;

void Server::prepareStore(const ServerConfig &config)
{
    QDir().mkpath(QFileInfo(config.dbPath).absolutePath());
    auto db = Db::open(config.dbPath);
    createSchema(*db);
    if (db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM STOK")) == 0) {
        QElapsedTimer timer;
        timer.start();
        DemoOptions options;
        options.items = config.items;
        fillDemoData(*db, options);
        std::fprintf(stderr, "zelvora-server: demo verisi hazırlandı (%d stok, %lld ms): %s\n", config.items,
                     timer.elapsed(), qPrintable(config.dbPath));
    }
}

bool Server::start(QString *error)
{
    try {
        prepareStore(m_config);
        m_dispatcher = std::make_unique<Dispatcher>(m_config);
    } catch (const std::exception &e) {
        *error = QString::fromUtf8(e.what());
        return false;
    }
    m_listener = std::make_unique<Listener>(m_config, *m_dispatcher);
    if (!m_listener->listen(QHostAddress(m_config.host), m_config.port)) {
        *error = QStringLiteral("port %1: %2").arg(m_config.port).arg(m_listener->errorString());
        return false;
    }
    m_content = std::make_unique<WebStore>(m_config);
    m_web = std::make_unique<WebHost>(*m_content, m_config.workers, m_config.readTimeoutMs);
    if (!m_web->listen(QHostAddress(m_config.host), m_config.httpPort)) {
        *error = QStringLiteral("http port %1: %2").arg(m_config.httpPort).arg(m_web->errorString());
        return false;
    }
    return true;
}

quint16 Server::port() const
{
    return m_listener ? m_listener->serverPort() : 0;
}

quint16 Server::httpPort() const
{
    return m_web ? m_web->serverPort() : 0;
}

} // namespace zelvora::server
