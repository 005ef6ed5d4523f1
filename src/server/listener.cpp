#include "server/listener.h"

#include "wire/codec.h"
#include "wire/errors.h"
#include "wire/framing.h"

#include <QLoggingCategory>
#include <QTcpSocket>

#include <unistd.h>

Q_LOGGING_CATEGORY(lcListener, "zelvora.server.listener", QtWarningMsg)

namespace zelvora::server {

namespace {
// Beyond this many connections queued for a free thread, new ones are closed at
// once rather than left to pile up behind a saturated pool.
constexpr int QueuedPerWorker = 16;
} // namespace

Listener::Listener(const ServerConfig &config, const Dispatcher &dispatcher, QObject *parent)
    : QTcpServer(parent), m_config(config), m_dispatcher(dispatcher)
{
    m_pool.setMaxThreadCount(std::max(1, config.workers));
    m_pool.setExpiryTimeout(-1); // threads keep their database connections
}

Listener::~Listener()
{
    close();
    m_pool.waitForDone();
}

void Listener::incomingConnection(qintptr socketDescriptor)
{
    if (m_waiting.loadRelaxed() >= m_pool.maxThreadCount() * QueuedPerWorker) {
        qCWarning(lcListener) << "too many waiting connections; refusing one";
        ::close(int(socketDescriptor));
        return;
    }
    m_waiting.ref();
    m_pool.start([this, socketDescriptor] {
        m_waiting.deref();
        serve(socketDescriptor);
    });
}

void Listener::serve(qintptr socketDescriptor)
{
    QTcpSocket socket;
    if (!socket.setSocketDescriptor(socketDescriptor)) {
        ::close(int(socketDescriptor));
        return;
    }
    try {
        for (;;) {
            const auto payload = wire::readFrame(socket, m_config.maxRequestBytes, m_config.readTimeoutMs);
            if (!payload)
                break;
            bool closeAfter = false;
            const QByteArray answer = m_dispatcher.handle(*payload, &closeAfter);
            wire::writeFrame(socket, answer, m_config.readTimeoutMs);
            if (closeAfter)
                break;
        }
    } catch (const wire::WireError &e) {
        // A bad header or a stalled peer: say why if the socket still takes it,
        // then drop the connection; other connections are not affected.
        qCInfo(lcListener) << "closing connection:" << e.message();
        try {
            if (socket.state() == QAbstractSocket::ConnectedState)
                wire::writeFrame(
                    socket, wire::encodeError(QLatin1String(wire::errorclass::Protocol), e.message()), 1000);
        } catch (const wire::WireError &) {
        }
    } catch (const std::exception &e) {
        qCWarning(lcListener) << "connection failed:" << e.what();
    }
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
}

} // namespace zelvora::server
