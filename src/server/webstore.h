#pragma once

#include "server/config.h"
#include "server/web/webcontent.h"

namespace zelvora::server {

// The web host's content from the store: item pictures, recorded requests.
class WebStore final : public WebContent
{
public:
    explicit WebStore(const ServerConfig &config) : m_config(config) {}

    std::optional<QByteArray> itemPicture(int stockNumber) override;
    void storeWebRequest(const QMap<QString, QString> &fields) override;
    QByteArray installer() override;
    QString companyName() override;

private:
    const ServerConfig &m_config;
};

} // namespace zelvora::server
