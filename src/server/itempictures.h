#pragma once

#include <QByteArray>

#include <optional>

namespace zelvora::server {

class Db;

// The JPEG of an item that has a picture (RESIM = 1), drawn from its catalogue
// row; nullopt for an unknown item or one without a picture. Both the service
// and the web host hand out the same bytes.
std::optional<QByteArray> itemPictureFor(Db &db, qint64 stokNo);

} // namespace zelvora::server
