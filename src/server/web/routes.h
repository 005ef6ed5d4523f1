#pragma once

#include "server/web/httprequest.h"
#include "server/web/webcontent.h"

#include <QByteArray>
#include <QList>

#include <utility>

namespace zelvora::server {

struct HttpResponse
{
    int status = 200;
    QByteArray contentType;                           // no Content-Type header when empty
    QList<std::pair<QByteArray, QByteArray>> headers; // besides Content-Type, Content-Length and Connection
    QByteArray body;
};

// The answer to one parsed request. HEAD is answered like GET; leaving the body
// out is the writer's business, so Content-Length stays that of the GET.
HttpResponse routeRequest(const HttpRequest &request, WebContent &content);

// A small Turkish HTML page for an error status, e.g. one the parser reported.
HttpResponse errorResponse(int status);

QByteArray reasonPhrase(int status);

// Status line and headers up to and including the empty line. Every answer
// closes the connection, and Content-Length is always that of response.body.
QByteArray serializeHead(const HttpResponse &response);

} // namespace zelvora::server
