#include "server/ops/call.h"
#include "server/ops/oturum.h"
#include "server/ops/pricing.h"
#include "server/storage/db.h"
#include "table/table.h"
#include "wire/objects.h"

#include <QDateTime>
#include <QStringList>

namespace zelvora::server {

namespace {

// ---------------------------------------------------------------- customer card

// What the password-request and mail forms are filled with: the customer of
// the login behind the workstation. A workstation with no customer gets an
// object all the same, with the login's own fields where there is a login.
void MobilCariBilgisiGetir(Call &call)
{
    const QString idsi = call.text(1);
    TMobilCariBilgisi bilgi;
    bilgi.setBILGISAYARID(idsi);
    const qint64 kullanici = istasyonunGirisi(call, idsi);
    if (kullanici > 0) {
        Statement st = call.db.prepare(QStringLiteral(
            "SELECT k.ADI, k.SIFRE, k.MAIL, k.MUSTERITIPI, k.SATICINO, c.CARINO, c.CARIKOD, c.CARIADI, "
            "c.ADRES1, c.ADRES2, c.ILCE, c.IL, c.ULKE, c.TEL1, c.TEL2, c.FAX1, c.FAX2, c.GSM, c.EMAIL, "
            "c.VERGIDAIRESI, c.VERGINO, c.YETKILI, c.ANAGRUP, c.ALTGRUP, c.OZELKOD, c.SATICINO "
            "FROM KULLANICI k LEFT JOIN CARI c ON c.CARINO = k.CARINO WHERE k.SIRANO = ?"));
        st.bindAll({kullanici});
        if (st.step()) {
            bilgi.setKULLANICIADI(st.text(0));
            bilgi.setSIFRE(st.text(1));
            bilgi.setMAIL(st.text(2));
            const bool temsilci = st.int64(3) == 1 || st.int64(3) == 2;
            qint64 saticiNo = st.isNull(4) ? 0 : st.int64(4);
            if (!temsilci && !st.isNull(5)) {
                const qint64 carino = st.int64(5);
                bilgi.setCARINO(qint32(carino));
                bilgi.setCARIKOD(st.text(6));
                bilgi.setCARIADI(st.text(7));
                bilgi.setADRES1(st.text(8));
                bilgi.setADRES2(st.text(9));
                bilgi.setILCE(st.text(10));
                bilgi.setSEHIR(st.text(11));
                bilgi.setULKE(st.text(12));
                bilgi.setTEL1(st.text(13));
                bilgi.setTEL2(st.text(14));
                bilgi.setFAX1(st.text(15));
                bilgi.setFAX2(st.text(16));
                bilgi.setGSM(st.text(17));
                bilgi.setEMAIL(st.text(18));
                bilgi.setVERGIDAIRESI(st.text(19));
                bilgi.setVERGINO(st.text(20));
                bilgi.setYETKILI(st.text(21));
                bilgi.setAnaGrup(st.text(22));
                bilgi.setAltGrup(st.text(23));
                bilgi.setOzelKod(st.text(24));
                if (!st.isNull(25))
                    saticiNo = st.int64(25);

                Statement hesap =
                    call.db.prepare(QStringLiteral("SELECT COALESCE(SUM(BORC), 0), COALESCE(SUM(ALACAK), 0) "
                                                   "FROM CARIHAREKET WHERE CARINO = ?"));
                hesap.bindAll({carino});
                if (hesap.step()) {
                    const double borc = Yuvarla(hesap.real(0)), alacak = Yuvarla(hesap.real(1));
                    bilgi.setTLBORC(borc);
                    bilgi.setTLALACAK(alacak);
                    bilgi.setTLBAKIYE(Yuvarla(borc - alacak));
                }
            }
            if (saticiNo > 0) {
                Statement satici = call.db.prepare(
                    QStringLiteral("SELECT SATICIADI, TELEFON, EMAIL FROM SATICI WHERE SATICINO = ?"));
                satici.bindAll({saticiNo});
                if (satici.step()) {
                    bilgi.setSATICIADI(satici.text(0));
                    bilgi.setSATICITELEFON(satici.text(1));
                    bilgi.setSATICIMAIL(satici.text(2));
                }
            }
        }
    }
    call.returnObject(&bilgi);
}

// ---------------------------------------------------------------- requests

// Form fields are a line or two each; the message body may be a long letter.
constexpr qsizetype enUzunAlan = 4000;
constexpr qsizetype enUzunKonu = 64 * 1024;
constexpr int formAlanSayisi = 16;

// The message body arrives as the client's comma-text: lines joined by ",",
// a line with a blank, a control character, a comma or a double quote in
// double quotes with its quotes doubled. Read the way the client's own
// reader would, unquoted items also end at a blank.
QString virgulluMetniCoz(const QString &metin)
{
    QStringList satirlar;
    const qsizetype n = metin.size();
    const auto bosluk = [&](qsizetype i) { return i < n && metin[i].unicode() <= 32; };
    qsizetype i = 0;
    while (bosluk(i))
        ++i;
    while (i < n) {
        QString satir;
        if (metin[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (metin[i] == QLatin1Char('"')) {
                    if (i + 1 < n && metin[i + 1] == QLatin1Char('"')) {
                        satir += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                satir += metin[i++];
            }
        } else {
            const qsizetype bas = i;
            while (i < n && metin[i].unicode() > 32 && metin[i] != QLatin1Char(','))
                ++i;
            satir = metin.mid(bas, i - bas);
        }
        satirlar << satir;
        while (bosluk(i))
            ++i;
        if (i < n && metin[i] == QLatin1Char(',')) {
            // A comma at the very end stands for one more, empty line.
            if (i + 1 == n)
                satirlar << QString();
            do {
                ++i;
            } while (bosluk(i));
        }
    }
    return satirlar.join(QLatin1Char('\n'));
}

// Stores the request as it came, for the office to act on; 1 when stored, 0
// when a field is longer than any form could have sent.
void istekKaydet(Call &call, const QString &tur, bool konulu)
{
    QStringList alanlar;
    for (int i = 0; i < formAlanSayisi; ++i) {
        alanlar << call.text(i);
        if (alanlar.last().size() > enUzunAlan) {
            call.returnInt(0);
            return;
        }
    }
    QString konu;
    if (konulu) {
        const QString ham = call.text(formAlanSayisi);
        if (ham.size() > enUzunKonu) {
            call.returnInt(0);
            return;
        }
        konu = virgulluMetniCoz(ham);
    }
    Transaction tx(call.db);
    call.db.execute(
        QStringLiteral("INSERT INTO ISTEK (ZAMAN, TUR, IDSI, BASLIK, FIRMAADI, ADRES1, ADRES2, ILCE, "
                       "SEHIR, TELEFON, FAX, VD, VN, YETKILI, KULLANICIADI, SIFRE, MAIL, KARGOAMBAR, "
                       "KONU) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {toOleDate(QDateTime::currentDateTime()), tur, alanlar[0], alanlar[1], alanlar[2], alanlar[3],
         alanlar[4], alanlar[5], alanlar[6], alanlar[7], alanlar[8], alanlar[9], alanlar[10], alanlar[11],
         alanlar[12], alanlar[13], alanlar[14], alanlar[15], konu});
    tx.commit();
    call.returnInt(1);
}

void MailGonserCari(Call &call)
{
    istekKaydet(call, QStringLiteral("SIFRE"), false);
}

void MailGonserCariNormal(Call &call)
{
    istekKaydet(call, QStringLiteral("MAIL"), true);
}

} // namespace

void registerRequestOperations(Registry &r)
{
    r.insert(QStringLiteral("MobilCariBilgisiGetir"), &MobilCariBilgisiGetir);
    r.insert(QStringLiteral("MailGonserCari"), &MailGonserCari);
    r.insert(QStringLiteral("MailGonserCariNormal"), &MailGonserCariNormal);
}

} // namespace zelvora::server
