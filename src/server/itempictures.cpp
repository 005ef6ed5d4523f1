#include "server/itempictures.h"

#include "server/media/pictures.h"
#include "server/storage/db.h"

#include <QCache>
#include <QMutex>

namespace zelvora::server {

namespace {
// Drawing a picture costs a few milliseconds; dealers open the same popular
// items again and again, so the last ones drawn are kept.
QMutex cacheMutex;
QCache<qint64, QByteArray> cache(32 * 1024 * 1024);
} // namespace

std::optional<QByteArray> itemPictureFor(Db &db, qint64 stokNo)
{
    {
        QMutexLocker lock(&cacheMutex);
        if (const QByteArray *hit = cache.object(stokNo))
            return *hit;
    }
    Statement st =
        db.prepare(QStringLiteral("SELECT BARKOD, ADI, MARKA, ANAGRUP, RESIM FROM STOK WHERE STOKNO = ?"));
    st.bindAll({stokNo});
    if (!st.step() || st.int64(4) != 1)
        return std::nullopt;
    media::ItemPictureContent content;
    content.stockNo = stokNo;
    content.code = st.text(0);
    content.name = st.text(1);
    content.brand = st.text(2);
    content.group = st.text(3);
    const QByteArray jpeg = media::itemPicture(content);
    if (jpeg.isEmpty())
        return std::nullopt;
    QMutexLocker lock(&cacheMutex);
    cache.insert(stokNo, new QByteArray(jpeg), int(jpeg.size()));
    return jpeg;
}

} // namespace zelvora::server
