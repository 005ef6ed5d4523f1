#include "server/web/httprequest.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace zelvora::server {

namespace {

// Request methods are short; a first word longer than this is not one we serve,
// and saying so early spares reading a whole line of garbage.
constexpr qsizetype LongestMethod = 16;

bool isTokenChar(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '!':
    case '#':
    case '$':
    case '%':
    case '&':
    case '\'':
    case '*':
    case '+':
    case '-':
    case '.':
    case '^':
    case '_':
    case '`':
    case '|':
    case '~':
        return true;
    default:
        return false;
    }
}

bool isToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (!isTokenChar(c))
            return false;
    }
    return true;
}

bool isControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
}

bool isDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Percent escapes stand for UTF-8 bytes; a broken escape makes the whole request
// malformed rather than being passed on half-decoded.
std::optional<QString> percentDecoded(QByteArrayView text, bool plusIsSpace)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            bytes.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else if (c == '+' && plusIsSpace) {
            bytes.append(' ');
        } else {
            bytes.append(c);
        }
    }
    return QString::fromUtf8(bytes);
}

bool parsePairs(QByteArrayView text, bool plusIsSpace, QMap<QString, QString> &into)
{
    while (!text.isEmpty()) {
        const qsizetype amp = text.indexOf('&');
        const QByteArrayView pair = amp < 0 ? text : text.first(amp);
        text = amp < 0 ? QByteArrayView() : text.sliced(amp + 1);
        if (pair.isEmpty())
            continue;
        const qsizetype eq = pair.indexOf('=');
        const auto key = percentDecoded(eq < 0 ? pair : pair.first(eq), plusIsSpace);
        const auto value = percentDecoded(eq < 0 ? QByteArrayView() : pair.sliced(eq + 1), plusIsSpace);
        if (!key || !value)
            return false;
        if (!key->isEmpty() && !into.contains(*key))
            into.insert(*key, *value);
    }
    return true;
}

bool startsWithNoCase(QByteArrayView text, QByteArrayView prefix)
{
    return text.size() >= prefix.size() && text.first(prefix.size()).toByteArray().toLower() == prefix;
}

} // namespace

QByteArray HttpRequest::header(QByteArrayView name) const
{
    const QByteArray wanted = name.toByteArray().toLower();
    for (const auto &[key, value] : headers) {
        if (key == wanted)
            return value;
    }
    return {};
}

HttpRequestParser::HttpRequestParser() : HttpRequestParser(Limits{}) {}

HttpRequestParser::HttpRequestParser(const Limits &limits) : m_limits(limits) {}

HttpRequestParser::State HttpRequestParser::feed(QByteArrayView bytes)
{
    if (m_state != State::NeedMore || bytes.isEmpty())
        return m_state;
    m_buffer.append(bytes);
    run();
    return m_state;
}

HttpRequestParser::State HttpRequestParser::finish()
{
    if (m_state == State::NeedMore &&
        (m_phase != Phase::RequestLine || !m_buffer.isEmpty() || m_skippedLead > 0))
        fail(400, QStringLiteral("the request was cut short"));
    return m_state;
}

void HttpRequestParser::run()
{
    qsizetype pos = 0; // start of the bytes not consumed yet
    while (m_state == State::NeedMore) {
        const qsizetype pending = m_buffer.size() - pos;
        if (m_phase == Phase::Body) {
            if (pending < m_bodyLength)
                break;
            m_request.body = m_buffer.mid(pos, m_bodyLength);
            finishBody();
            break;
        }

        const qsizetype lineEnd = m_buffer.indexOf('\n', std::max(pos, m_scanned));
        if (lineEnd < 0) {
            if (m_phase == Phase::RequestLine) {
                // A request line may end in "\r" that waits for its "\n".
                if (pending > m_limits.requestLine + 1)
                    return fail(414, QStringLiteral("request line too long"));
                const QByteArrayView head = QByteArrayView(m_buffer).sliced(pos);
                for (qsizetype i = std::max(pos, m_scanned) - pos; i < head.size(); ++i) {
                    if (isControl(head[i]) && head[i] != '\r')
                        return fail(400, QStringLiteral("control byte in the request line"));
                }
                const qsizetype space = head.indexOf(' ');
                QByteArrayView method = head.first(space < 0 ? head.size() : space);
                if (space < 0 && method.endsWith('\r'))
                    method.chop(1);
                if (!method.isEmpty() && !isToken(method))
                    return fail(400, QStringLiteral("malformed request method"));
                if (method.size() > LongestMethod)
                    return fail(501, QStringLiteral("unknown request method"));
            } else if (m_headerBytes + pending > m_limits.headers) {
                return fail(431, QStringLiteral("request headers too large"));
            }
            m_scanned = m_buffer.size();
            break;
        }

        QByteArrayView line = QByteArrayView(m_buffer).sliced(pos, lineEnd - pos);
        const qsizetype consumed = line.size() + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        pos += consumed;
        m_scanned = pos;

        if (m_phase == Phase::RequestLine) {
            if (line.isEmpty()) {
                // Stray line ends before a request are tolerated, within the same budget.
                m_skippedLead += consumed;
                if (m_skippedLead > m_limits.requestLine)
                    return fail(400, QStringLiteral("no request line"));
                continue;
            }
            if (line.size() > m_limits.requestLine)
                return fail(414, QStringLiteral("request line too long"));
            if (!parseRequestLine(line))
                return;
            m_phase = Phase::Headers;
        } else {
            m_headerBytes += consumed;
            if (m_headerBytes > m_limits.headers)
                return fail(431, QStringLiteral("request headers too large"));
            if (line.isEmpty()) {
                if (!finishHeaders())
                    return;
                m_phase = Phase::Body;
            } else if (!parseHeaderLine(line)) {
                return;
            }
        }
    }
    if (m_state == State::NeedMore) {
        m_buffer.remove(0, pos);
        m_scanned -= pos;
    } else {
        m_buffer.clear();
        m_scanned = 0;
    }
}

bool HttpRequestParser::parseRequestLine(QByteArrayView line)
{
    for (const char c : line) {
        if (isControl(c)) {
            fail(400, QStringLiteral("control byte in the request line"));
            return false;
        }
    }
    const qsizetype first = line.indexOf(' ');
    const qsizetype last = line.lastIndexOf(' ');
    if (first <= 0 || last == first) {
        fail(400, QStringLiteral("malformed request line"));
        return false;
    }
    const QByteArrayView method = line.first(first);
    const QByteArrayView target = line.sliced(first + 1, last - first - 1);
    const QByteArrayView version = line.sliced(last + 1);
    if (!isToken(method) || target.isEmpty() || target.contains(' ')) {
        fail(400, QStringLiteral("malformed request line"));
        return false;
    }
    if (version.size() != 8 || !version.startsWith("HTTP/") || version[6] != '.' ||
        !isDigits(version.sliced(5, 1)) || !isDigits(version.sliced(7, 1))) {
        fail(400, QStringLiteral("malformed protocol version"));
        return false;
    }
    if (version[5] != '1') {
        fail(505, QStringLiteral("unsupported protocol version"));
        return false;
    }
    if (method != "GET" && method != "HEAD" && method != "POST") {
        fail(501, QStringLiteral("unknown request method"));
        return false;
    }
    m_request.method = method.toByteArray();
    m_request.minorVersion = version[7] - '0';
    m_request.target = target.toByteArray();

    // Proxies and some tools send the absolute form; only its path and query matter here.
    QByteArrayView local = target;
    for (const QByteArrayView scheme : {QByteArrayView("http://"), QByteArrayView("https://")}) {
        if (startsWithNoCase(local, scheme)) {
            const QByteArrayView rest = local.sliced(scheme.size());
            qsizetype end = 0;
            while (end < rest.size() && rest[end] != '/' && rest[end] != '?')
                ++end;
            if (end == 0) {
                fail(400, QStringLiteral("malformed request target"));
                return false;
            }
            local = rest.sliced(end);
            break;
        }
    }
    if (local.isEmpty())
        local = "/";
    if (local.contains('#') || (local.front() != '/' && local.front() != '?')) {
        fail(400, QStringLiteral("malformed request target"));
        return false;
    }
    const qsizetype question = local.indexOf('?');
    const auto path = percentDecoded(question < 0 ? local : local.first(question), false);
    if (!path || path->contains(QChar(0))) {
        fail(400, QStringLiteral("malformed request path"));
        return false;
    }
    m_request.path = path->startsWith(QLatin1Char('/')) ? *path : QString(QLatin1Char('/') + *path);
    if (question >= 0 && !parsePairs(local.sliced(question + 1), false, m_request.query)) {
        fail(400, QStringLiteral("malformed query string"));
        return false;
    }
    return true;
}

bool HttpRequestParser::parseHeaderLine(QByteArrayView line)
{
    if (line.front() == ' ' || line.front() == '\t') {
        // Folded header lines are obsolete and a known way to smuggle headers.
        fail(400, QStringLiteral("folded header line"));
        return false;
    }
    const qsizetype colon = line.indexOf(':');
    const QByteArrayView name = colon < 0 ? QByteArrayView() : line.first(colon);
    if (!isToken(name)) {
        fail(400, QStringLiteral("malformed header line"));
        return false;
    }
    const QByteArrayView value = trimmed(line.sliced(colon + 1));
    for (const char c : value) {
        if (isControl(c) && c != '\t') {
            fail(400, QStringLiteral("control byte in a header value"));
            return false;
        }
    }
    m_request.headers.append({name.toByteArray().toLower(), value.toByteArray()});
    return true;
}

bool HttpRequestParser::finishHeaders()
{
    int hosts = 0;
    bool chunked = false;
    std::optional<QByteArray> length;
    for (const auto &[name, value] : std::as_const(m_request.headers)) {
        if (name == "host") {
            ++hosts;
        } else if (name == "transfer-encoding") {
            chunked = true;
        } else if (name == "content-length") {
            // Repeated or listed lengths are accepted only when they all agree.
            const QList<QByteArray> items = value.split(',');
            for (const QByteArray &item : items) {
                const QByteArray digits = trimmed(item).toByteArray();
                if (!isDigits(digits) || (length && *length != digits)) {
                    fail(400, QStringLiteral("malformed Content-Length"));
                    return false;
                }
                length = digits;
            }
        }
    }
    if (hosts > 1 || (hosts == 0 && m_request.minorVersion >= 1)) {
        fail(400, QStringLiteral("a request needs exactly one Host header"));
        return false;
    }
    if (chunked && length) {
        fail(400, QStringLiteral("both Transfer-Encoding and Content-Length"));
        return false;
    }
    // Bodies are read by their declared length only; a chunked upload is refused
    // the same way as one that declares nothing.
    if (chunked || (!length && m_request.method == "POST")) {
        fail(411, QStringLiteral("Content-Length required"));
        return false;
    }
    if (length) {
        QByteArrayView digits(*length);
        while (digits.size() > 1 && digits.front() == '0')
            digits = digits.sliced(1);
        const qsizetype declared = digits.size() > 15 ? m_limits.body + 1 : digits.toByteArray().toLongLong();
        if (declared > m_limits.body) {
            fail(413, QStringLiteral("request body too large"));
            return false;
        }
        m_bodyLength = declared;
    }
    m_expectContinue = m_bodyLength > 0 && m_request.minorVersion >= 1 &&
                       m_request.header("expect").toLower() == "100-continue";
    return true;
}

void HttpRequestParser::finishBody()
{
    if (m_request.method == "POST") {
        QByteArray type = m_request.header("content-type");
        const qsizetype semicolon = type.indexOf(';');
        if (semicolon >= 0)
            type.truncate(semicolon);
        if (trimmed(type).toByteArray().toLower() == "application/x-www-form-urlencoded" &&
            !parsePairs(m_request.body, true, m_request.form)) {
            fail(400, QStringLiteral("malformed form body"));
            return;
        }
    }
    m_state = State::Done;
}

void HttpRequestParser::fail(int status, const QString &why)
{
    m_state = State::Error;
    m_errorStatus = status;
    m_errorText = why;
    m_expectContinue = false;
    m_buffer.clear();
    m_scanned = 0;
}

} // namespace zelvora::server
