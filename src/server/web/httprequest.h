#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QMap>
#include <QString>

#include <utility>

namespace zelvora::server {

struct HttpRequest
{
    QByteArray method;            // "GET", "HEAD" or "POST"
    QByteArray target;            // the request target as sent
    QString path;                 // percent-decoded, UTF-8
    QMap<QString, QString> query; // percent-decoded, UTF-8; the first of repeated keys wins
    int minorVersion = 1;         // HTTP/1.<minorVersion>
    QList<std::pair<QByteArray, QByteArray>> headers; // names in lower case, values trimmed
    QByteArray body;
    QMap<QString, QString> form; // an application/x-www-form-urlencoded POST body, decoded

    // First value of the header, or a null array. The name is matched case-insensitively.
    QByteArray header(QByteArrayView name) const;
};

// Reads one HTTP/1.x request from bytes fed in as they arrive, with no socket of
// its own. Every part of the request is bounded before it is buffered, so a peer
// cannot make the server hold more than about the limits below per connection.
class HttpRequestParser
{
public:
    struct Limits
    {
        qsizetype requestLine = 8 * 1024; // without the line end
        qsizetype headers = 64 * 1024;    // all header lines with their line ends
        qsizetype body = 1024 * 1024;
    };

    enum class State
    {
        NeedMore,
        Done,
        Error,
    };

    HttpRequestParser();
    explicit HttpRequestParser(const Limits &limits);

    // Takes the next bytes from the peer. Bytes after a complete request are ignored.
    State feed(QByteArrayView bytes);
    // The peer has stopped sending. A request cut short becomes a 400; when nothing
    // at all arrived the parser keeps waiting, as there is nobody to answer.
    State finish();

    State state() const { return m_state; }
    bool headersComplete() const { return m_phase == Phase::Body || m_state == State::Done; }
    // The client waits for "100 Continue" before it sends the body.
    bool expectsContinue() const { return m_expectContinue; }

    // The status to answer with when state() is Error: 400, 411, 413, 414, 431, 501 or 505.
    int errorStatus() const { return m_errorStatus; }
    QString errorText() const { return m_errorText; }

    const HttpRequest &request() const { return m_request; }

private:
    enum class Phase
    {
        RequestLine,
        Headers,
        Body,
    };

    void run();
    bool parseRequestLine(QByteArrayView line);
    bool parseHeaderLine(QByteArrayView line);
    bool finishHeaders();
    void finishBody();
    void fail(int status, const QString &why);

    Limits m_limits;
    State m_state = State::NeedMore;
    Phase m_phase = Phase::RequestLine;
    QByteArray m_buffer;
    qsizetype m_scanned = 0;     // bytes of m_buffer already searched for a line end
    qsizetype m_skippedLead = 0; // empty lines before the request line
    qsizetype m_headerBytes = 0;
    qsizetype m_bodyLength = 0;
    bool m_expectContinue = false;
    int m_errorStatus = 0;
    QString m_errorText;
    HttpRequest m_request;
};

} // namespace zelvora::server
