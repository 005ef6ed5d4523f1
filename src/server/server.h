#pragma once

#include "server/config.h"

#include <QObject>

#include <memory>

namespace zelvora::server {

class Dispatcher;
class Listener;
class WebHost;
class WebContent;

// The running server: the store made ready (created and filled with the demo
// data on first start), the service port and the web host.
class Server final
{
public:
    explicit Server(ServerConfig config);
    ~Server();
    Server(const Server &) = delete;
    Server &operator=(const Server &) = delete;

    // False with a reason when the store cannot be prepared or a port is taken.
    bool start(QString *error);
    quint16 port() const;
    quint16 httpPort() const;
    const ServerConfig &config() const { return m_config; }

    // Makes sure the store exists, has its tables and, when new, its demo data.
    static void prepareStore(const ServerConfig &config);

private:
    ServerConfig m_config;
    std::unique_ptr<Dispatcher> m_dispatcher;
    std::unique_ptr<Listener> m_listener;
    std::unique_ptr<WebContent> m_content;
    std::unique_ptr<WebHost> m_web;
};

} // namespace zelvora::server
