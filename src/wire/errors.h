#pragma once

#include <QString>

#include <stdexcept>

namespace zelvora::wire {

// Malformed, truncated or oversized data, whichever side found it.
class WireError : public std::runtime_error
{
public:
    explicit WireError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message)
    {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// An error that the server answered with: its class name and message, raised
// again on the calling side as the server had it.
class RemoteError : public std::runtime_error
{
public:
    RemoteError(const QString &className, const QString &message)
        : std::runtime_error(message.toStdString()), m_className(className), m_message(message)
    {}
    const QString &className() const { return m_className; }
    const QString &message() const { return m_message; }

private:
    QString m_className;
    QString m_message;
};

// Error class names that the server uses in its error answers.
namespace errorclass {
inline constexpr const char *Protocol = "EProtocolError";  // bad frame or payload; the connection is closed
inline constexpr const char *NoMethod = "EMethodNotFound"; // unknown command text
inline constexpr const char *Argument = "EArgumentException"; // wrong parameter count or kind, bad object
inline constexpr const char *Database = "EDatabaseError";     // storage failed; nothing was changed
inline constexpr const char *Server = "EServerError";         // anything else
inline constexpr const char *Auth = "EAuthenticationError";   // credentials refused
} // namespace errorclass

} // namespace zelvora::wire
