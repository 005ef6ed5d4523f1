#include "service/connection.h"

#include "wire/codec.h"
#include "wire/errors.h"
#include "wire/framing.h"

#include <QTcpSocket>

namespace zelvora {

Connection::Connection()
{
    m_params = {
        {QStringLiteral("ConnectionName"), QStringLiteral("DataSnapCONNECTION")},
        {QStringLiteral("DriverName"), QStringLiteral("DataSnap")},
        {QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip")},
        {QStringLiteral("HostName"), QStringLiteral("localhost")},
        {QStringLiteral("Port"), QStringLiteral("9090")},
        {QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/")},
        {QStringLiteral("DSProxyPort"), QStringLiteral("8090")},
        {QStringLiteral("Filters"), QStringLiteral("{}")},
        {QStringLiteral("LoginPrompt"), QStringLiteral("False")},
        // Milliseconds. A call that returns a whole catalogue search can take a
        // while on a slow line, so the exchange timeout is generous.
        {QStringLiteral("ConnectTimeout"), QStringLiteral("5000")},
        {QStringLiteral("CommunicationTimeout"), QStringLiteral("120000")},
        // Sent with every exchange when set; empty means none.
        {QStringLiteral("DSAuthUser"), QString()},
        {QStringLiteral("DSAuthPassword"), QString()},
    };
}

Connection::~Connection() = default;

std::unique_ptr<Connection> Connection::clone() const
{
    auto copy = std::make_unique<Connection>();
    copy->m_params = m_params;
    return copy;
}

int Connection::intParam(const QString &name, int fallback) const
{
    bool ok = false;
    const int v = m_params.value(name).toInt(&ok);
    return ok && v > 0 ? v : fallback;
}

void Connection::open()
{
    close();
    bool portOk = false;
    const int port = m_params.value(QStringLiteral("Port")).toInt(&portOk);
    if (!portOk || port <= 0 || port > 65535)
        throw ConnectionError(
            QStringLiteral("Geçersiz port: %1").arg(m_params.value(QStringLiteral("Port"))));
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(m_params.value(QStringLiteral("HostName")), quint16(port));
    if (!socket->waitForConnected(intParam(QStringLiteral("ConnectTimeout"), 5000))) {
        const QString reason = socket->errorString();
        throw ConnectionError(reason.isEmpty() ? QStringLiteral("Sunucuya bağlanılamadı") : reason);
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket = std::move(socket);
}

void Connection::close()
{
    if (m_socket) {
        m_socket->abort();
        m_socket.reset();
    }
}

bool Connection::connected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

wire::Values Connection::execute(const QString &command, const wire::Values &params)
{
    if (!connected())
        throw ConnectionError(QStringLiteral("Bağlantı açık değil"));
    wire::Request request;
    request.command = command;
    request.user = m_params.value(QStringLiteral("DSAuthUser"));
    request.password = m_params.value(QStringLiteral("DSAuthPassword"));
    request.params = params;
    const int timeout = intParam(QStringLiteral("CommunicationTimeout"), 120000);
    wire::Message answer;
    try {
        wire::writeFrame(*m_socket, wire::encodeRequest(request), timeout);
        const auto payload = wire::readFrame(*m_socket, wire::DefaultResponseLimit, timeout);
        if (!payload)
            throw wire::WireError(QStringLiteral("sunucu bağlantıyı kapattı"));
        answer = wire::decodePayload(*payload);
    } catch (const wire::WireError &e) {
        close();
        throw ConnectionError(e.message());
    }
    switch (answer.type) {
    case wire::MessageType::Response:
        return answer.values;
    case wire::MessageType::Error:
        if (answer.errorClass == QLatin1String(wire::errorclass::Protocol))
            close();
        throw wire::RemoteError(answer.errorClass, answer.errorMessage);
    case wire::MessageType::Request:
        break;
    }
    close();
    throw ConnectionError(QStringLiteral("sunucudan beklenmeyen cevap"));
}

} // namespace zelvora
