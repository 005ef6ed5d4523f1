#pragma once

#include "wire/value.h"

#include <QByteArray>
#include <QByteArrayView>

namespace zelvora::wire {

// Every frame: "ZLVR", protocol version (u16), reserved (u16), payload length
// (u32), then the payload. All integers little-endian.
inline constexpr char Magic[4] = {'Z', 'L', 'V', 'R'};
inline constexpr quint16 ProtocolVersion = 1;
inline constexpr int HeaderSize = 12;
inline constexpr quint32 DefaultRequestLimit = 8u << 20;     // what a server accepts
inline constexpr quint32 DefaultResponseLimit = 1024u << 20; // what a client accepts

enum class MessageType : quint8
{
    Request = 1,
    Response = 2,
    Error = 3
};

struct Request
{
    QString command; // "TServerMethods1.StokAraGetir"
    QString user;    // optional credentials, empty when unused
    QString password;
    Values params; // input parameters in declared order
};

struct Message
{
    MessageType type = MessageType::Response;
    Request request;    // for Request
    Values values;      // for Response: out parameters in order, then the result
    QString errorClass; // for Error
    QString errorMessage;
};

QByteArray encodeRequest(const Request &request);
QByteArray encodeResponse(const Values &values);
QByteArray encodeError(const QString &className, const QString &message);

// Checks magic, version and the size limit; gives the payload length.
quint32 parseHeader(QByteArrayView header, quint32 limit);
// Decodes one payload; throws WireError on anything malformed or truncated.
Message decodePayload(QByteArrayView payload);

// The table packet alone, for benchmarks and tests.
void appendTable(QByteArray &out, const Table &table);
Table decodeTable(QByteArrayView bytes);

} // namespace zelvora::wire
