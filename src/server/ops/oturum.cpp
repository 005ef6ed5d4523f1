#include "server/ops/oturum.h"

#include "server/demo/demodata.h"
#include "server/ops/call.h"
#include "server/storage/db.h"
#include "table/table.h"
#include "wire/objects.h"

#include <QDateTime>

namespace zelvora::server {

namespace {

// Workstation ids are disk serials or MAC addresses; anything much longer is
// not one, and is not worth a row.
constexpr qsizetype enUzunIstasyonKimligi = 128;

Kapsam kapsamSatirdan(Statement &st)
{
    Kapsam k;
    if (!st.step())
        return k;
    k.musteriTipi = int(st.int64(0));
    const qint64 saticiNo = st.isNull(1) ? 0 : st.int64(1);
    const qint64 carino = st.isNull(2) ? 0 : st.int64(2);
    switch (k.musteriTipi) {
    case 1:
        // A representative without a representative number looks after nobody.
        if (saticiNo > 0) {
            k.tur = Kapsam::Temsilci;
            k.saticiNo = saticiNo;
        }
        break;
    case 2:
        k.tur = Kapsam::Hepsi;
        k.saticiNo = saticiNo;
        break;
    default:
        if (carino > 0) {
            k.tur = Kapsam::TekCari;
            k.carino = carino;
        }
        break;
    }
    return k;
}

} // namespace

qint64 istasyonKullanicisi(Db &db, const QString &idsi)
{
    const QString kimlik = idsi.trimmed();
    if (kimlik.isEmpty())
        return 0;
    return db.scalarInt(
        QStringLiteral("SELECT SIRANO FROM KULLANICI WHERE BILGISAYARID = ? ORDER BY SIRANO LIMIT 1"),
        {kimlik}, 0);
}

qint64 demoBayiKullanicisi(Db &db)
{
    return db.scalarInt(QStringLiteral("SELECT SIRANO FROM KULLANICI WHERE ADI = ? ORDER BY SIRANO LIMIT 1"),
                        {demoDealerUser()}, 0);
}

qint64 istasyonunGirisi(const Call &call, const QString &idsi)
{
    const qint64 sirano = istasyonKullanicisi(call.db, idsi);
    if (sirano > 0 || !call.config.bindUnknownWorkstations)
        return sirano;
    return demoBayiKullanicisi(call.db);
}

void bilinmeyenIstasyonuKaydet(Db &db, const QString &idsi)
{
    const QString kimlik = idsi.trimmed();
    if (kimlik.isEmpty() || kimlik.size() > enUzunIstasyonKimligi)
        return;
    try {
        const double simdi = toOleDate(QDateTime::currentDateTime());
        Transaction tx(db);
        db.execute(QStringLiteral("UPDATE BILINMEYENBILGISAYAR SET SONGORULME = ?, SAYI = SAYI + 1 "
                                  "WHERE BILGISAYARID = ?"),
                   {simdi, kimlik});
        if (db.changes() == 0) {
            db.execute(QStringLiteral(
                           "INSERT INTO BILINMEYENBILGISAYAR (BILGISAYARID, ILKGORULME, SONGORULME, SAYI) "
                           "VALUES (?, ?, ?, 1)"),
                       {kimlik, simdi, simdi});
        }
        tx.commit();
    } catch (const DbError &) {
        // The note is for the operator's convenience only.
    }
}

Kapsam Kapsam::yalnizTemsilci() const
{
    if (temsilciMi())
        return *this;
    return Kapsam{};
}

Kapsam kapsamBul(Db &db, const TSonucBilgisi &bilgi)
{
    if (bilgi.Sirano() <= 0)
        return {};
    Statement st = db.prepare(QStringLiteral("SELECT MUSTERITIPI, SATICINO, CARINO FROM KULLANICI "
                                             "WHERE SIRANO = ? AND SIFRE = ? AND AKTIF = 1"));
    st.bindAll({qint64(bilgi.Sirano()), bilgi.SIFRE()});
    return kapsamSatirdan(st);
}

Kapsam kapsamBul(Db &db, qint64 kullaniciSirano)
{
    if (kullaniciSirano <= 0)
        return {};
    Statement st = db.prepare(
        QStringLiteral("SELECT MUSTERITIPI, SATICINO, CARINO FROM KULLANICI WHERE SIRANO = ? AND AKTIF = 1"));
    st.bindAll({kullaniciSirano});
    return kapsamSatirdan(st);
}

QString kapsamKosulu(const QString &alias)
{
    return QStringLiteral("(? = 2 OR (? = 1 AND %1.SATICINO = ?) OR (? = 3 AND %1.CARINO = ?))").arg(alias);
}

} // namespace zelvora::server
