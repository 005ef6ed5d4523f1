#pragma once

#include "server/web/webcontent.h"

#include <QAtomicInt>
#include <QDeadlineTimer>
#include <QTcpServer>
#include <QThreadPool>

#include <atomic>

class QByteArray;
class QTcpSocket;

namespace zelvora::server {

class HttpRequestParser;

// The wholesaler's small web site. Each connection gets one request and one
// answer on a pool thread with blocking reads; a silent, slow or malformed peer
// costs only its own thread, and only for a few read timeouts at most.
class WebHost final : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebHost)

public:
    WebHost(WebContent &content, int workers, int readTimeoutMs, QObject *parent = nullptr);
    ~WebHost() override;

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    void serve(qintptr socketDescriptor);
    bool readRequest(QTcpSocket &socket, HttpRequestParser &parser);
    bool writeAll(QTcpSocket &socket, const QByteArray &bytes);
    bool waitWritten(QTcpSocket &socket);
    void lingerAndClose(QTcpSocket &socket);

    WebContent &m_content;
    const int m_readTimeoutMs;
    QThreadPool m_pool;
    QAtomicInt m_waiting; // accepted connections not yet picked up by a thread
    std::atomic<bool> m_stopping{false};
    int m_refused = 0;              // only touched on the accepting thread
    QDeadlineTimer m_refusedReport; // expired: the next refusal is logged
};

} // namespace zelvora::server
