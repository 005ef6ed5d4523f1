#include "service/servermethods.h"

#include "wire/catalogue.h"
#include "wire/errors.h"

namespace zelvora {

using wire::Value;

namespace {

Value obj(std::unique_ptr<TSonucBilgisi> record)
{
    // The argument is consumed: marshalled here and freed when `record` goes.
    return Value::object(toJson(record.get()));
}

Value s(const QString &v)
{
    return Value::text(v);
}
Value i(qint32 v)
{
    return Value::int32(v);
}
Value d(double v)
{
    return Value::real(v);
}

} // namespace

TServerMethods1Client::TServerMethods1Client(Connection *connection) : m_connection(connection)
{
    if (!m_connection || !m_connection->connected())
        throw ConnectionError(
            QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
}

TServerMethods1Client::~TServerMethods1Client() = default;

wire::Values TServerMethods1Client::call(const char *name, const wire::Values &params, Command **command)
{
    const wire::Operation *op = wire::findOperation(name);
    Q_ASSERT(op);
    Command &cmd = m_commands[name];
    // Results of the previous execution of this operation end here.
    cmd = Command();
    if (command)
        *command = &cmd;
    wire::Values answer = m_connection->execute(op->command(), params);
    const int expected = op->outputCount() + (op->form == wire::ResultForm::None ? 0 : 1);
    bool fits = answer.size() == expected;
    for (int k = 0, slot = 0; fits && k < int(op->params.size()); ++k) {
        if (op->params[size_t(k)].out)
            fits = answer.at(slot++).kind() == op->params[size_t(k)].kind;
    }
    if (fits && op->form != wire::ResultForm::None) {
        const wire::Kind got = answer.last().kind();
        fits = got == op->result;
    }
    if (!fits)
        throw ConnectionError(QStringLiteral("%1: sunucudan beklenmeyen cevap").arg(op->command()));
    return answer;
}

template<class T> T *TServerMethods1Client::callObject(const char *name, const wire::Values &params)
{
    Command *cmd = nullptr;
    const wire::Values answer = call(name, params, &cmd);
    try {
        auto object = fromJsonAs<T>(answer.last().asObjectJson());
        T *raw = object.get();
        cmd->object = std::move(object);
        return raw;
    } catch (const wire::WireError &e) {
        throw ConnectionError(e.message());
    }
}

TableReader *TServerMethods1Client::callReader(const char *name, const wire::Values &params)
{
    Command *cmd = nullptr;
    const wire::Values answer = call(name, params, &cmd);
    cmd->reader = std::make_unique<TableReader>(answer.last().asTable());
    return cmd->reader.get();
}

DataPacket TServerMethods1Client::callPacket(const char *name, const wire::Values &params)
{
    return DataPacket(call(name, params).last().asTable());
}

QIODevice *TServerMethods1Client::callStream(const char *name, const wire::Values &params, qint64 &length)
{
    Command *cmd = nullptr;
    const wire::Values answer = call(name, params, &cmd);
    length = answer.first().asInt64();
    cmd->stream = std::make_unique<QBuffer>();
    cmd->stream->setData(answer.last().asStream());
    cmd->stream->open(QIODevice::ReadOnly);
    return cmd->stream.get();
}

qint32 TServerMethods1Client::callInt(const char *name, const wire::Values &params)
{
    return call(name, params).last().asInt32();
}

QString TServerMethods1Client::callText(const char *name, const wire::Values &params)
{
    return call(name, params).last().asText();
}

TSonucBilgisi *TServerMethods1Client::BuyukGetir(const QString &idsi)
{
    return callObject<TSonucBilgisi>("BuyukGetir", {s(idsi)});
}

DataPacket TServerMethods1Client::StokAraGetir(const QString &kod, Login bilgi)
{
    return callPacket("StokAraGetir", {s(kod), obj(std::move(bilgi))});
}

QIODevice *TServerMethods1Client::ResimVer5(qint32 stokno, qint64 &boy)
{
    return callStream("ResimVer5", {i(stokno)}, boy);
}

DataPacket TServerMethods1Client::SepetVer2(qint32 carino)
{
    return callPacket("SepetVer2", {i(carino)});
}

qint32 TServerMethods1Client::SepetEkle2(Login bilgim, qint32 carino, qint32 stokno, const QString &barkod,
                                         const QString &stokadi, double miktar, double kdv, double fiyat,
                                         double ind1, qint32 verenid, qint32 k, double ind2, double ind3,
                                         double ind4)
{
    return callInt("SepetEkle2",
                   {obj(std::move(bilgim)), i(carino), i(stokno), s(barkod), s(stokadi), d(miktar), d(kdv),
                    d(fiyat), d(ind1), i(verenid), i(k), d(ind2), d(ind3), d(ind4)});
}

qint32 TServerMethods1Client::SepetGuncelle2(Login bilgim, qint32 carino, qint32 stokno,
                                             const QString &barkod, const QString &stokadi, double miktar,
                                             double kdv, double fiyat, double ind1, qint32 verenid,
                                             qint32 _sepetsirano, double ind2, double ind3, double ind4)
{
    return callInt("SepetGuncelle2",
                   {obj(std::move(bilgim)), i(carino), i(stokno), s(barkod), s(stokadi), d(miktar), d(kdv),
                    d(fiyat), d(ind1), i(verenid), i(_sepetsirano), d(ind2), d(ind3), d(ind4)});
}

qint32 TServerMethods1Client::SepetSatirSil(Login bilgi, qint32 satirno, const QString &aciklamam)
{
    return callInt("SepetSatirSil", {obj(std::move(bilgi)), i(satirno), s(aciklamam)});
}

qint32 TServerMethods1Client::SepetHepsiniSil(Login bilgi)
{
    return callInt("SepetHepsiniSil", {obj(std::move(bilgi))});
}

void TServerMethods1Client::SepetSecimGuncelle(qint32 sirano, qint32 secim)
{
    call("SepetSecimGuncelle", {i(sirano), i(secim)});
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(qint32 carino)
{
    return callText("CariVadeGunGecmismiBul", {i(carino)});
}

bool TServerMethods1Client::SiparisKaydet(Login BB, qint32 _carino, qint32 _teslim, qint32 _kargo,
                                          const QString &_aciklama, qint32 _verenid, qint32 _kargoyeni)
{
    return call("SiparisKaydet", {obj(std::move(BB)), i(_carino), i(_teslim), i(_kargo), s(_aciklama),
                                  i(_verenid), i(_kargoyeni)})
        .last()
        .asBool();
}

TableReader *TServerMethods1Client::TeslimVer()
{
    return callReader("TeslimVer", {});
}

TableReader *TServerMethods1Client::KargoVer()
{
    return callReader("KargoVer", {});
}

TableReader *TServerMethods1Client::KargolarVer(qint32 gn)
{
    return callReader("KargolarVer", {i(gn)});
}

TableReader *TServerMethods1Client::OncekiSiparisler(qint32 carino)
{
    return callReader("OncekiSiparisler", {i(carino)});
}

TableReader *TServerMethods1Client::SiparisAyrintisi2(qint32 carino, qint32 idnosu)
{
    return callReader("SiparisAyrintisi2", {i(carino), i(idnosu)});
}

TSiparisDipAyrinti *TServerMethods1Client::SiparisAytintisiDip(qint32 carino, qint32 siranosu)
{
    return callObject<TSiparisDipAyrinti>("SiparisAytintisiDip", {i(carino), i(siranosu)});
}

TableReader *TServerMethods1Client::CariEkstreVer(qint32 carino)
{
    return callReader("CariEkstreVer", {i(carino)});
}

TableReader *TServerMethods1Client::FaturaGetir(qint32 carino, qint32 idnosu)
{
    return callReader("FaturaGetir", {i(carino), i(idnosu)});
}

TableReader *TServerMethods1Client::FaturaAltGetir(qint32 idnosu)
{
    return callReader("FaturaAltGetir", {i(idnosu)});
}

TableReader *TServerMethods1Client::Tahsilat(qint32 idnosu)
{
    return callReader("Tahsilat", {i(idnosu)});
}

qint32 TServerMethods1Client::SanalposSiranoVer(qint32 idnosu)
{
    return callInt("SanalposSiranoVer", {i(idnosu)});
}

QIODevice *TServerMethods1Client::SAnalPosPdfVer(qint32 sirano, qint64 &boy)
{
    return callStream("SAnalPosPdfVer", {i(sirano)}, boy);
}

QString TServerMethods1Client::CariDurumVer(qint32 carino)
{
    return callText("CariDurumVer", {i(carino)});
}

TableReader *TServerMethods1Client::BakiyelerVer2(qint32 carino)
{
    return callReader("BakiyelerVer2", {i(carino)});
}

qint32 TServerMethods1Client::BakiyeDuzenle(Login k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                                            double Adet, double Bakiye, const QString &barkod)
{
    return callInt("BakiyeDuzenle", {obj(std::move(k)), i(stokno), i(sepetsirano), i(siparissirano), d(Adet),
                                     d(Bakiye), s(barkod)});
}

qint32 TServerMethods1Client::BakiyeDegistir(Login k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                                             double Adet, double Bakiye, const QString &barkod)
{
    return callInt("BakiyeDegistir", {obj(std::move(k)), i(stokno), i(sepetsirano), i(siparissirano), d(Adet),
                                      d(Bakiye), s(barkod)});
}

qint32 TServerMethods1Client::BakiyeFiyatDegistir(Login k, qint32 stokno, qint32 sepetsirano,
                                                  qint32 siparissirano, double Adet, double Bakiye,
                                                  const QString &barkod, double fiyat, double ind)
{
    return callInt("BakiyeFiyatDegistir", {obj(std::move(k)), i(stokno), i(sepetsirano), i(siparissirano),
                                           d(Adet), d(Bakiye), s(barkod), d(fiyat), d(ind)});
}

DataPacket TServerMethods1Client::YenilerVer2(qint32 carino)
{
    return callPacket("YenilerVer2", {i(carino)});
}

DataPacket TServerMethods1Client::KampanyaliVer2(qint32 cario, qint32 satici)
{
    return callPacket("KampanyaliVer2", {i(cario), i(satici)});
}

TAcilisEkranlariki *TServerMethods1Client::AcilisEkranlarVer2()
{
    return callObject<TAcilisEkranlariki>("AcilisEkranlarVer2", {});
}

TableReader *TServerMethods1Client::TumSiparislerVer(qint32 carino, qint32 stokno)
{
    return callReader("TumSiparislerVer", {i(carino), i(stokno)});
}

DataPacket TServerMethods1Client::StokHareketVer(qint32 carino, qint32 stokno)
{
    return callPacket("StokHareketVer", {i(carino), i(stokno)});
}

TableReader *TServerMethods1Client::RaporAlinanSiparisler(Login bilgi, double tarih1, double tarih2)
{
    return callReader("RaporAlinanSiparisler", {obj(std::move(bilgi)), d(tarih1), d(tarih2)});
}

TableReader *TServerMethods1Client::RaporEnCokSatilanStoklar(Login bilgi, double tarih1, double tarih2)
{
    return callReader("RaporEnCokSatilanStoklar", {obj(std::move(bilgi)), d(tarih1), d(tarih2)});
}

QIODevice *TServerMethods1Client::RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                                             const QString &saticiadi, double tarih1, double tarih2,
                                             qint64 &size)
{
    return callStream("RaporGetir",
                      {i(raporno), i(bolum), i(idno), i(carino), s(saticiadi), d(tarih1), d(tarih2)}, size);
}

TableReader *TServerMethods1Client::CariAra(Login bil, const QString &aranan)
{
    return callReader("CariAra", {obj(std::move(bil)), s(aranan)});
}

TableReader *TServerMethods1Client::CariSepetVer(Login bil, qint32 n)
{
    return callReader("CariSepetVer", {obj(std::move(bil)), i(n)});
}

qint32 TServerMethods1Client::SepetSayisi(Login bil)
{
    return callInt("SepetSayisi", {obj(std::move(bil))});
}

TTusSonuclari *TServerMethods1Client::TusSonuclariVer(Login bil)
{
    return callObject<TTusSonuclari>("TusSonuclariVer", {obj(std::move(bil))});
}

TableReader *TServerMethods1Client::BalonGetir(Login bil)
{
    return callReader("BalonGetir", {obj(std::move(bil))});
}

QString TServerMethods1Client::KayanYaziGetir()
{
    return callText("KayanYaziGetir", {});
}

QIODevice *TServerMethods1Client::BannerResimVer(qint64 &size)
{
    return callStream("BannerResimVer", {}, size);
}

QIODevice *TServerMethods1Client::BannerResimVer2(qint64 &size)
{
    return callStream("BannerResimVer2", {}, size);
}

QIODevice *TServerMethods1Client::BannerResimVer3(qint64 &size)
{
    return callStream("BannerResimVer3", {}, size);
}

qint32 TServerMethods1Client::AcilisReklamAdet()
{
    return callInt("AcilisReklamAdet", {});
}

TAcilisEkran *TServerMethods1Client::AcilisREklamVer(qint32 sira)
{
    return callObject<TAcilisEkran>("AcilisREklamVer", {i(sira)});
}

TMobilCariBilgisi *TServerMethods1Client::MobilCariBilgisiGetir(qint32 sirano, const QString &_idsi)
{
    return callObject<TMobilCariBilgisi>("MobilCariBilgisiGetir", {i(sirano), s(_idsi)});
}

qint32 TServerMethods1Client::MailGonserCari(const QString &idsi, const QString &baslik,
                                             const QString &firmaadi, const QString &adres1,
                                             const QString &adres2, const QString &ilce, const QString &sehir,
                                             const QString &telefon, const QString &fax, const QString &vd,
                                             const QString &vn, const QString &yetkili,
                                             const QString &kullaniciadi, const QString &sifre,
                                             const QString &mail, const QString &kargoambar)
{
    return callInt("MailGonserCari",
                   {s(idsi), s(baslik), s(firmaadi), s(adres1), s(adres2), s(ilce), s(sehir), s(telefon),
                    s(fax), s(vd), s(vn), s(yetkili), s(kullaniciadi), s(sifre), s(mail), s(kargoambar)});
}

qint32 TServerMethods1Client::MailGonserCariNormal(const QString &idsi, const QString &baslik,
                                                   const QString &firmaadi, const QString &adres1,
                                                   const QString &adres2, const QString &ilce,
                                                   const QString &sehir, const QString &telefon,
                                                   const QString &fax, const QString &vd, const QString &vn,
                                                   const QString &yetkili, const QString &kullaniciadi,
                                                   const QString &sifre, const QString &mail,
                                                   const QString &kargoambar, const QString &konu)
{
    return callInt("MailGonserCariNormal", {s(idsi), s(baslik), s(firmaadi), s(adres1), s(adres2), s(ilce),
                                            s(sehir), s(telefon), s(fax), s(vd), s(vn), s(yetkili),
                                            s(kullaniciadi), s(sifre), s(mail), s(kargoambar), s(konu)});
}

} // namespace zelvora
