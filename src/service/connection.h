#pragma once

#include "wire/value.h"

#include <QMap>
#include <QString>

#include <memory>
#include <stdexcept>

class QTcpSocket;

namespace zelvora {

// The transport failed: the server cannot be reached, went away, or answered
// something that is not our protocol. The text is what the user is shown.
class ConnectionError : public std::runtime_error
{
public:
    explicit ConnectionError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A connection to the application server, configured by named parameters as
// the main window sets them ("HostName", "Port", ...). It is used by one thread
// at a time; a worker makes its own copy with clone() and frees it afterwards.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QString param(const QString &name) const { return m_params.value(name); }
    void setParam(const QString &name, const QString &value) { m_params.insert(name, value); }
    const QMap<QString, QString> &params() const { return m_params; }

    // A new, closed connection with the same parameters.
    std::unique_ptr<Connection> clone() const;

    void open(); // throws ConnectionError with the reason
    void close();
    bool connected() const;

    // One exchange: the request out, its answer back. Out parameters come
    // first in the answer, then the result. A server error is raised as
    // wire::RemoteError; transport trouble as ConnectionError (and closes).
    wire::Values execute(const QString &command, const wire::Values &params);

private:
    int intParam(const QString &name, int fallback) const;

    QMap<QString, QString> m_params;
    std::unique_ptr<QTcpSocket> m_socket;
};

} // namespace zelvora
