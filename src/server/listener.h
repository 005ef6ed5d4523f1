#pragma once

#include "server/config.h"
#include "server/dispatcher.h"

#include <QAtomicInt>
#include <QTcpServer>
#include <QThreadPool>

namespace zelvora::server {

// The service port. Each connection is served by one pool thread with blocking
// reads, request after request, until the peer closes it or goes silent.
class Listener final : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Listener)

public:
    Listener(const ServerConfig &config, const Dispatcher &dispatcher, QObject *parent = nullptr);
    ~Listener() override;

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    void serve(qintptr socketDescriptor);

    const ServerConfig &m_config;
    const Dispatcher &m_dispatcher;
    QThreadPool m_pool;
    QAtomicInt m_waiting; // accepted connections not yet picked up by a thread
};

} // namespace zelvora::server
