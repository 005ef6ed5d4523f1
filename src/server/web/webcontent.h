#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

namespace zelvora::server {

// What the web host needs from the rest of the server. The host calls these from
// its worker threads, several at once, so implementations must be thread-safe.
// An exception thrown here costs only the request at hand: it is answered with 500.
class WebContent
{
public:
    virtual ~WebContent() = default;

    // JPEG bytes of the item's picture; nullopt when the item has none.
    virtual std::optional<QByteArray> itemPicture(int stockNumber) = 0;

    // Requests from the access-request form are recorded rather than mailed.
    virtual void storeWebRequest(const QMap<QString, QString> &fields) = 0;

    // The demo installer offered for download.
    virtual QByteArray installer() = 0;

    virtual QString companyName() = 0;

protected:
    WebContent() = default;
    WebContent(const WebContent &) = default;
    WebContent &operator=(const WebContent &) = default;
};

} // namespace zelvora::server
