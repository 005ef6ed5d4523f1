#include "server/media/banners.h"
#include "server/media/pictures.h"
#include "server/ops/call.h"
#include "server/ops/stock.h"
#include "server/storage/db.h"

#include "wire/objects.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

#include <functional>

namespace zelvora::server {

namespace {

// Announcement pictures and banners are painted on request and take tens of
// milliseconds each; every client asks for them at start-up. What was drawn
// is kept under the text it was drawn from, so an edited title or banner
// text simply draws anew. The handful of rows keeps the cache small; it is
// emptied should it ever grow past that.
constexpr qsizetype enCokOnbellek = 64;

QMutex onbellekKilidi;
QHash<QString, QString> duyuruOnbellegi;    // SIRA + title → picture as hex text
QHash<QString, QByteArray> bannerOnbellegi; // slot + text → picture bytes

template<class T>
T onbellektenAl(QHash<QString, T> &onbellek, const QString &anahtar, const std::function<T()> &ciz)
{
    {
        QMutexLocker kilit(&onbellekKilidi);
        const auto it = onbellek.constFind(anahtar);
        if (it != onbellek.constEnd())
            return *it;
    }
    // Drawn outside the lock so one slow picture does not hold up the others;
    // two threads may draw the same picture once, which is harmless.
    const T deger = ciz();
    if (deger.isEmpty())
        return deger; // no painter available: try again next time
    QMutexLocker kilit(&onbellekKilidi);
    if (onbellek.size() >= enCokOnbellek)
        onbellek.clear();
    onbellek.insert(anahtar, deger);
    return deger;
}

QString duyuruResmi(qint64 sira, const QString &baslik)
{
    const QString anahtar = QString::number(sira) + QLatin1Char('\n') + baslik;
    return onbellektenAl<QString>(duyuruOnbellegi, anahtar, [&] {
        return QString::fromLatin1(media::announcementPicture(int(sira), baslik).toHex().toUpper());
    });
}

std::unique_ptr<TAcilisEkran> duyuruEkrani(const Statement &st)
{
    auto ekran = std::make_unique<TAcilisEkran>();
    ekran->setSiraNo(qint32(st.int64(0)));
    ekran->setBaslik(st.text(1));
    ekran->setResim(duyuruResmi(st.int64(0), st.text(1)));
    ekran->setArama(st.text(2));
    return ekran;
}

const QString duyuruSql = QStringLiteral("SELECT SIRA, BASLIK, ARAMA FROM DUYURU ORDER BY SIRA");

qint64 duyuruSayisi(Db &db)
{
    return db.scalarInt(QStringLiteral("SELECT COUNT(*) FROM DUYURU"));
}

// A banner slot: the `sira`-th row (from 0) of BANNER of kind `tur`.
std::optional<QString> bannerMetni(Db &db, const QString &tur, qint64 sira)
{
    Statement st = db.prepare(
        QStringLiteral("SELECT METIN FROM BANNER WHERE LOWER(TUR) = ? ORDER BY SIRA LIMIT 1 OFFSET ?"));
    st.bindAll({tur, sira});
    if (!st.step())
        return std::nullopt;
    return st.text(0);
}

// The header banner is the first GIF row, the wide strip the second, the
// scrolled bitmap the first BMP row; a missing row leaves its slot empty.
enum class Banner
{
    Baslik,
    Serit,
    Bitmap
};

QByteArray bannerResmi(Db &db, Banner banner)
{
    const QString tur = banner == Banner::Bitmap ? QStringLiteral("bmp") : QStringLiteral("gif");
    const std::optional<QString> metin = bannerMetni(db, tur, banner == Banner::Serit ? 1 : 0);
    if (!metin)
        return QByteArray();
    const QString anahtar = QString::number(int(banner)) + QLatin1Char('\n') + *metin;
    return onbellektenAl<QByteArray>(bannerOnbellegi, anahtar, [&] {
        switch (banner) {
        case Banner::Baslik:
            return media::animatedBannerGif(1, *metin);
        case Banner::Serit:
            return media::animatedBannerGif(2, *metin);
        case Banner::Bitmap:
            break;
        }
        return media::bannerBmp(*metin);
    });
}

// ---------------------------------------------------------------- handlers

void acilisEkranlarVer(Call &call)
{
    TAcilisEkranlariki ekranlar;
    Statement st = call.db.prepare(duyuruSql);
    while (st.step())
        ekranlar.Ekranlar().push_back(duyuruEkrani(st));
    call.returnObject(&ekranlar);
}

void acilisReklamAdet(Call &call)
{
    call.returnInt(qint32(duyuruSayisi(call.db)));
}

// sira: position from 0 in the order AcilisEkranlarVer2 lists them.
void acilisReklamVer(Call &call)
{
    const qint32 sira = call.int32(0);
    if (sira < 0) {
        call.returnObject(nullptr);
        return;
    }
    Statement st = call.db.prepare(duyuruSql + QStringLiteral(" LIMIT 1 OFFSET ?"));
    st.bindAll({qint64(sira)});
    if (!st.step()) {
        call.returnObject(nullptr);
        return;
    }
    const std::unique_ptr<TAcilisEkran> ekran = duyuruEkrani(st);
    call.returnObject(ekran.get());
}

void bannerResimVer(Call &call)
{
    call.returnStream(bannerResmi(call.db, Banner::Baslik));
}

void bannerResimVer2(Call &call)
{
    call.returnStream(bannerResmi(call.db, Banner::Serit));
}

void bannerResimVer3(Call &call)
{
    call.returnStream(bannerResmi(call.db, Banner::Bitmap));
}

// Several rows run one after the other in the same marquee.
void kayanYaziGetir(Call &call)
{
    QStringList parcalar;
    Statement st = call.db.prepare(QStringLiteral("SELECT METIN FROM KAYANYAZI ORDER BY SIRA"));
    while (st.step()) {
        const QString metin = st.text(0);
        if (!metin.trimmed().isEmpty())
            parcalar << metin;
    }
    call.returnText(parcalar.join(QStringLiteral("   ***   ")));
}

// One row, read by position: basket lines, new items, campaign items,
// announcements, open balance lines. Each count runs over the rows the
// matching page loads (SepetVer2, YenilerVer2, KampanyaliVer2,
// AcilisEkranlarVer2, BakiyelerVer2).
void balonGetir(Call &call)
{
    const auto bil = call.login(0);
    const qint64 carino = bil->CARINO();
    Db &db = call.db;

    const qint64 sepet =
        db.scalarInt(QStringLiteral("SELECT COUNT(*) FROM SEPET SP JOIN STOK ST ON ST.STOKNO = SP.STOKNO"
                                    " JOIN CARI C ON C.CARINO = SP.CARINO WHERE SP.CARINO = ?"),
                     {carino});
    const qint64 yeni = yeniStokSayisi(db);
    const qint64 kampanya = kampanyaliStokSayisi(db, carino, bil->MusteriTipi());
    const qint64 duyuru = duyuruSayisi(db);
    const qint64 bakiye = db.scalarInt(
        QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR SS JOIN SIPARIS S ON S.IDNO = SS.IDNO"
                       " JOIN STOK ST ON ST.STOKNO = SS.STOKNO JOIN CARI C ON C.CARINO = SS.CARINO"
                       " WHERE SS.CARINO = ? AND SS.KALAN > 0"),
        {carino});

    Table t;
    t.define(parseShape(QStringLiteral("SEPET:f, YENI:i, KAMPANYA:i, DUYURU:i, BAKIYE:f")));
    const double degerler[] = {double(sepet), double(yeni), double(kampanya), double(duyuru), double(bakiye)};
    for (int c = 0; c < t.fieldCount(); ++c) {
        Column &col = t.column(c);
        col.appendNull();
        col.setDouble(0, degerler[c]);
    }
    t.finishBulkLoad(1);
    call.returnTable(std::move(t));
}

} // namespace

void registerPromotionOperations(Registry &r)
{
    r.insert(QStringLiteral("AcilisEkranlarVer2"), &acilisEkranlarVer);
    r.insert(QStringLiteral("AcilisReklamAdet"), &acilisReklamAdet);
    r.insert(QStringLiteral("AcilisREklamVer"), &acilisReklamVer);
    r.insert(QStringLiteral("BannerResimVer"), &bannerResimVer);
    r.insert(QStringLiteral("BannerResimVer2"), &bannerResimVer2);
    r.insert(QStringLiteral("BannerResimVer3"), &bannerResimVer3);
    r.insert(QStringLiteral("KayanYaziGetir"), &kayanYaziGetir);
    r.insert(QStringLiteral("BalonGetir"), &balonGetir);
}

} // namespace zelvora::server
