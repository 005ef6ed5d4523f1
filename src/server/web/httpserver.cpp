#include "server/web/httpserver.h"

#include "server/web/httprequest.h"
#include "server/web/routes.h"

#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QTcpSocket>

#include <algorithm>
#include <exception>

#include <sys/socket.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcWebHost, "zelvora.server.web", QtWarningMsg)

namespace zelvora::server {

namespace {

// Beyond this many connections queued for a free thread, new ones are turned
// away at once rather than left to pile up behind a saturated pool.
constexpr int QueuedPerWorker = 16;
// The read timeout bounds each wait; this many of them bound a whole request, so
// a peer that dribbles a byte now and then cannot keep a thread forever.
constexpr int TimeoutsPerRequest = 4;
// Blocking waits are cut into slices so that shutting down is not held up by
// connections that are merely idle.
constexpr int WaitSliceMs = 200;
constexpr qsizetype ReadChunk = 64 * 1024;
// Large answers (the installer) go out in pieces, so a slow reader does not make
// the socket copy the whole file into its own buffer.
constexpr qsizetype WriteChunk = 64 * 1024;
constexpr qsizetype WriteBacklog = 256 * 1024;
// After answering, what the peer still sends is read and thrown away for a little
// while: closing with unread bytes makes the kernel reset the connection, and the
// reset can destroy the answer before the client has read it.
constexpr int LingerMs = 2000;
constexpr qint64 LingerBytes = 1024 * 1024;

int waitSlice(const QDeadlineTimer &a, const QDeadlineTimer &b)
{
    const qint64 left = std::min(a.remainingTime(), b.remainingTime());
    return int(std::clamp<qint64>(left, 1, WaitSliceMs));
}

} // namespace

WebHost::WebHost(WebContent &content, int workers, int readTimeoutMs, QObject *parent)
    : QTcpServer(parent), m_content(content), m_readTimeoutMs(std::max(100, readTimeoutMs))
{
    m_pool.setMaxThreadCount(std::max(1, workers));
}

WebHost::~WebHost()
{
    m_stopping.store(true);
    close();
    m_pool.waitForDone();
}

void WebHost::incomingConnection(qintptr socketDescriptor)
{
    const int fd = int(socketDescriptor);
    if (m_stopping.load()) {
        ::close(fd);
        return;
    }
    if (m_waiting.loadRelaxed() >= m_pool.maxThreadCount() * QueuedPerWorker) {
        // A flood must not flood the log as well: one line a second says how many were refused.
        ++m_refused;
        if (m_refusedReport.hasExpired()) {
            qCWarning(lcWebHost) << "too many waiting connections; refused" << m_refused;
            m_refused = 0;
            m_refusedReport.setRemainingTime(1000);
        }
        // Best effort only: the accept loop must never block on a peer.
        static const QByteArray busy = []() -> QByteArray {
            const HttpResponse response = errorResponse(503);
            return serializeHead(response) + response.body;
        }();
        [[maybe_unused]] const auto sent =
            ::send(fd, busy.constData(), size_t(busy.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
        ::close(fd);
        return;
    }
    m_waiting.ref();
    m_pool.start([this, socketDescriptor] {
        m_waiting.deref();
        if (m_stopping.load()) {
            ::close(int(socketDescriptor));
            return;
        }
        serve(socketDescriptor);
    });
}

void WebHost::serve(qintptr socketDescriptor)
{
    QTcpSocket socket;
    if (!socket.setSocketDescriptor(socketDescriptor)) {
        ::close(int(socketDescriptor));
        return;
    }
    HttpRequestParser parser;
    if (!readRequest(socket, parser)) {
        socket.abort();
        return;
    }

    HttpResponse response;
    bool headOnly = false;
    if (parser.state() == HttpRequestParser::State::Done) {
        const HttpRequest &request = parser.request();
        headOnly = request.method == "HEAD";
        try {
            response = routeRequest(request, m_content);
        } catch (const std::exception &e) {
            qCWarning(lcWebHost) << "request for" << request.path << "failed:" << e.what();
            response = errorResponse(500);
        } catch (...) {
            qCWarning(lcWebHost) << "request for" << request.path << "failed";
            response = errorResponse(500);
        }
    } else {
        qCInfo(lcWebHost) << "bad request from" << socket.peerAddress().toString() << parser.errorStatus()
                          << parser.errorText();
        response = errorResponse(parser.errorStatus());
    }

    if (writeAll(socket, serializeHead(response)) && (headOnly || writeAll(socket, response.body)))
        lingerAndClose(socket);
    else
        socket.abort();
}

// False when there is nobody to answer: the peer went silent, left, or the host is stopping.
bool WebHost::readRequest(QTcpSocket &socket, HttpRequestParser &parser)
{
    const QDeadlineTimer whole(qint64(m_readTimeoutMs) * TimeoutsPerRequest);
    QDeadlineTimer idle(m_readTimeoutMs);
    bool continued = false;
    while (parser.state() == HttpRequestParser::State::NeedMore) {
        if (socket.bytesAvailable() > 0) {
            parser.feed(socket.read(ReadChunk));
            idle.setRemainingTime(m_readTimeoutMs);
            if (!continued && parser.state() == HttpRequestParser::State::NeedMore &&
                parser.headersComplete() && parser.expectsContinue()) {
                continued = true;
                if (!writeAll(socket, QByteArrayLiteral("HTTP/1.1 100 Continue\r\n\r\n")))
                    return false;
            }
            continue;
        }
        if (socket.state() != QAbstractSocket::ConnectedState) {
            // Whatever was half sent cannot be answered any more; the parser still
            // gets to say so, for the log.
            parser.finish();
            return false;
        }
        if (m_stopping.load())
            return false;
        if (idle.hasExpired() || whole.hasExpired()) {
            qCInfo(lcWebHost) << "read timeout; dropping" << socket.peerAddress().toString();
            return false;
        }
        socket.waitForReadyRead(waitSlice(idle, whole));
    }
    return true;
}

bool WebHost::writeAll(QTcpSocket &socket, const QByteArray &bytes)
{
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        if (socket.bytesToWrite() >= WriteBacklog) {
            if (!waitWritten(socket))
                return false;
            continue;
        }
        const qsizetype piece = std::min(WriteChunk, bytes.size() - offset);
        if (socket.write(bytes.constData() + offset, piece) != piece)
            return false;
        offset += piece;
    }
    while (socket.bytesToWrite() > 0) {
        if (!waitWritten(socket))
            return false;
    }
    return true;
}

// A reader that takes nothing for a whole read timeout is treated like a silent writer.
bool WebHost::waitWritten(QTcpSocket &socket)
{
    const QDeadlineTimer idle(m_readTimeoutMs);
    const QDeadlineTimer never(QDeadlineTimer::Forever);
    while (!m_stopping.load()) {
        if (socket.state() != QAbstractSocket::ConnectedState)
            return false;
        if (socket.waitForBytesWritten(waitSlice(idle, never)))
            return true;
        if (idle.hasExpired()) {
            qCInfo(lcWebHost) << "write timeout; dropping" << socket.peerAddress().toString();
            return false;
        }
    }
    return false;
}

void WebHost::lingerAndClose(QTcpSocket &socket)
{
    if (socket.state() == QAbstractSocket::ConnectedState) {
        // Everything is in the kernel by now; the FIN follows it.
        ::shutdown(int(socket.socketDescriptor()), SHUT_WR);
        const QDeadlineTimer linger(std::min(m_readTimeoutMs, LingerMs));
        const QDeadlineTimer never(QDeadlineTimer::Forever);
        qint64 drained = 0;
        while (socket.state() == QAbstractSocket::ConnectedState && !linger.hasExpired() &&
               drained < LingerBytes && !m_stopping.load()) {
            if (socket.waitForReadyRead(waitSlice(linger, never)))
                drained += socket.read(ReadChunk).size();
        }
    }
    socket.abort();
}

} // namespace zelvora::server
