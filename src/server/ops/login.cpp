#include "server/ops/call.h"
#include "server/ops/oturum.h"
#include "wire/objects.h"

namespace zelvora::server {

namespace {

// The client compares this with its own version before anything else and
// updates itself when they differ, so it goes out even to strangers.
qint32 yayinlananSurum(const Call &call)
{
    bool ok = false;
    const int surum =
        call.db
            .scalarText(QStringLiteral("SELECT DEGER FROM AYAR WHERE ANAHTAR = ?"), {QStringLiteral("SURUM")})
            .trimmed()
            .toInt(&ok);
    return ok && surum > 0 ? surum : call.config.clientVersion;
}

// Fills the record of login `sirano`; false when the row is gone.
bool kullaniciKaydiniDoldur(Db &db, qint64 sirano, TSonucBilgisi &kayit)
{
    Statement st = db.prepare(QStringLiteral(
        "SELECT k.SIRANO, k.ADI, k.SIFRE, k.AKTIF, k.MUSTERITIPI, k.MAIL, k.CARINO, k.SATICINO, "
        "c.CARIKOD, c.CARIADI, c.SATICINO "
        "FROM KULLANICI k LEFT JOIN CARI c ON c.CARINO = k.CARINO WHERE k.SIRANO = ?"));
    st.bindAll({sirano});
    if (!st.step())
        return false;
    const int tip = int(st.int64(4));
    const bool temsilci = tip == 1 || tip == 2;
    kayit.setSirano(qint32(st.int64(0)));
    kayit.setADI(st.text(1));
    kayit.setSIFRE(st.text(2));
    kayit.setAKTIF(qint32(st.int64(3)));
    kayit.setMusteriTipi(tip);
    kayit.setKullanicimail(st.text(5));

    // A representative picks the customer after logging in; until then the
    // record carries his own name and no account.
    qint64 saticiNo = 0;
    if (temsilci) {
        saticiNo = st.isNull(7) ? 0 : st.int64(7);
        kayit.setCARINO(0);
        kayit.setcarikod(QString());
        kayit.setCariAdi(st.text(1));
    } else {
        kayit.setCARINO(st.isNull(6) ? 0 : qint32(st.int64(6)));
        kayit.setcarikod(st.text(8));
        kayit.setCariAdi(st.text(9));
        // The customer's own representative is the one who looks after him.
        saticiNo = !st.isNull(10) ? st.int64(10) : (st.isNull(7) ? 0 : st.int64(7));
    }

    kayit.setSaticiNo(qint32(saticiNo));
    if (saticiNo > 0) {
        Statement satici =
            db.prepare(QStringLiteral("SELECT SATICIADI, TELEFON, EMAIL FROM SATICI WHERE SATICINO = ?"));
        satici.bindAll({saticiNo});
        if (satici.step()) {
            kayit.setSaticiAdi(satici.text(0));
            kayit.setSaticiTelefon(satici.text(1));
            kayit.setSaticiMail(satici.text(2));
            if (temsilci && !satici.text(0).isEmpty())
                kayit.setCariAdi(satici.text(0));
        }
    }
    return true;
}

void BuyukGetir(Call &call)
{
    const QString idsi = call.text(0);
    TSonucBilgisi kayit;
    kayit.setBILGISAYARID(idsi);
    // Both have constructor defaults that mean something else to the client
    // (1 = representative, 1 = outdated), so they are always set here.
    kayit.setMusteriTipi(0);
    kayit.setVersion(yayinlananSurum(call));

    qint64 sirano = istasyonKullanicisi(call.db, idsi);
    if (sirano == 0) {
        bilinmeyenIstasyonuKaydet(call.db, idsi);
        if (call.config.bindUnknownWorkstations)
            sirano = demoBayiKullanicisi(call.db);
    }
    if (sirano > 0 && kullaniciKaydiniDoldur(call.db, sirano, kayit))
        kayit.setVarmi(true);
    call.returnObject(&kayit);
}

} // namespace

void registerLoginOperations(Registry &r)
{
    r.insert(QStringLiteral("BuyukGetir"), &BuyukGetir);
}

} // namespace zelvora::server
