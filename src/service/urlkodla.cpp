#include "service/urlkodla.h"

#include <QUrl>

namespace zelvora {

QString UrlKodla(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

} // namespace zelvora
