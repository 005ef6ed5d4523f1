#pragma once

#include "service/connection.h"
#include "service/datapacket.h"
#include "table/tablereader.h"
#include "wire/objects.h"

#include <QBuffer>
#include <map>
#include <string>

#include <memory>

namespace zelvora {

// The proxy of the remote class TServerMethods1: one method per operation,
// parameters in wire order. Ownership follows the remote-method conventions:
// an object argument is consumed by the call (hence unique_ptr); an object,
// reader or stream result belongs to its command and stays valid until the
// same operation is called again on this client or the client is freed —
// callers copy what they keep (Kopyala, LoadFromReader, CopyAnnouncedStream).
class TServerMethods1Client
{
public:
    // Throws ConnectionError "Connection cannot be nil.  Make sure the
    // connection has been opened." unless `connection` is open.
    explicit TServerMethods1Client(Connection *connection);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client &) = delete;
    TServerMethods1Client &operator=(const TServerMethods1Client &) = delete;

    using Login = std::unique_ptr<TSonucBilgisi>;

    TSonucBilgisi *BuyukGetir(const QString &idsi);
    DataPacket StokAraGetir(const QString &kod, Login bilgi);
    QIODevice *ResimVer5(qint32 stokno, qint64 &boy);
    DataPacket SepetVer2(qint32 carino);
    qint32 SepetEkle2(Login bilgim, qint32 carino, qint32 stokno, const QString &barkod,
                      const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                      qint32 verenid, qint32 k, double ind2, double ind3, double ind4);
    qint32 SepetGuncelle2(Login bilgim, qint32 carino, qint32 stokno, const QString &barkod,
                          const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                          qint32 verenid, qint32 _sepetsirano, double ind2, double ind3, double ind4);
    qint32 SepetSatirSil(Login bilgi, qint32 satirno, const QString &aciklamam);
    qint32 SepetHepsiniSil(Login bilgi);
    void SepetSecimGuncelle(qint32 sirano, qint32 secim);
    QString CariVadeGunGecmismiBul(qint32 carino);
    bool SiparisKaydet(Login BB, qint32 _carino, qint32 _teslim, qint32 _kargo, const QString &_aciklama,
                       qint32 _verenid, qint32 _kargoyeni);
    TableReader *TeslimVer();
    TableReader *KargoVer();
    TableReader *KargolarVer(qint32 gn);
    TableReader *OncekiSiparisler(qint32 carino);
    TableReader *SiparisAyrintisi2(qint32 carino, qint32 idnosu);
    TSiparisDipAyrinti *SiparisAytintisiDip(qint32 carino, qint32 siranosu);
    TableReader *CariEkstreVer(qint32 carino);
    TableReader *FaturaGetir(qint32 carino, qint32 idnosu);
    TableReader *FaturaAltGetir(qint32 idnosu);
    TableReader *Tahsilat(qint32 idnosu);
    qint32 SanalposSiranoVer(qint32 idnosu);
    QIODevice *SAnalPosPdfVer(qint32 sirano, qint64 &boy);
    QString CariDurumVer(qint32 carino);
    TableReader *BakiyelerVer2(qint32 carino);
    qint32 BakiyeDuzenle(Login k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano, double Adet,
                         double Bakiye, const QString &barkod);
    qint32 BakiyeDegistir(Login k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano, double Adet,
                          double Bakiye, const QString &barkod);
    qint32 BakiyeFiyatDegistir(Login k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano, double Adet,
                               double Bakiye, const QString &barkod, double fiyat, double ind);
    DataPacket YenilerVer2(qint32 carino);
    DataPacket KampanyaliVer2(qint32 cario, qint32 satici);
    TAcilisEkranlariki *AcilisEkranlarVer2();
    TableReader *TumSiparislerVer(qint32 carino, qint32 stokno);
    DataPacket StokHareketVer(qint32 carino, qint32 stokno);
    TableReader *RaporAlinanSiparisler(Login bilgi, double tarih1, double tarih2);
    TableReader *RaporEnCokSatilanStoklar(Login bilgi, double tarih1, double tarih2);
    QIODevice *RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino, const QString &saticiadi,
                          double tarih1, double tarih2, qint64 &size);
    TableReader *CariAra(Login bil, const QString &aranan);
    TableReader *CariSepetVer(Login bil, qint32 n);
    qint32 SepetSayisi(Login bil);
    TTusSonuclari *TusSonuclariVer(Login bil);
    TableReader *BalonGetir(Login bil);
    QString KayanYaziGetir();
    QIODevice *BannerResimVer(qint64 &size);
    QIODevice *BannerResimVer2(qint64 &size);
    QIODevice *BannerResimVer3(qint64 &size);
    qint32 AcilisReklamAdet();
    TAcilisEkran *AcilisREklamVer(qint32 sira);
    TMobilCariBilgisi *MobilCariBilgisiGetir(qint32 sirano, const QString &_idsi);
    qint32 MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
                          const QString &adres1, const QString &adres2, const QString &ilce,
                          const QString &sehir, const QString &telefon, const QString &fax, const QString &vd,
                          const QString &vn, const QString &yetkili, const QString &kullaniciadi,
                          const QString &sifre, const QString &mail, const QString &kargoambar);
    qint32 MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                const QString &adres1, const QString &adres2, const QString &ilce,
                                const QString &sehir, const QString &telefon, const QString &fax,
                                const QString &vd, const QString &vn, const QString &yetkili,
                                const QString &kullaniciadi, const QString &sifre, const QString &mail,
                                const QString &kargoambar, const QString &konu);

private:
    // What one operation's last execution left behind.
    struct Command
    {
        std::unique_ptr<Nesne> object;
        std::unique_ptr<TableReader> reader;
        std::unique_ptr<QBuffer> stream;
    };

    wire::Values call(const char *name, const wire::Values &params, Command **command = nullptr);
    template<class T> T *callObject(const char *name, const wire::Values &params);
    TableReader *callReader(const char *name, const wire::Values &params);
    DataPacket callPacket(const char *name, const wire::Values &params);
    QIODevice *callStream(const char *name, const wire::Values &params, qint64 &length);
    qint32 callInt(const char *name, const wire::Values &params);
    QString callText(const char *name, const wire::Values &params);

    Connection *m_connection;
    std::map<std::string, Command> m_commands;
};

} // namespace zelvora
