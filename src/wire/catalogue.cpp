#include "wire/catalogue.h"

#include <QString>

namespace zelvora::wire {

namespace {

constexpr const char *Login = "baglantiu.TSonucBilgisi";

Param s(const char *name)
{
    return {name, Kind::Text};
}
Param i(const char *name)
{
    return {name, Kind::Int32};
}
Param d(const char *name)
{
    return {name, Kind::Double};
}
Param login(const char *name)
{
    return {name, Kind::Object, false, Login};
}
Param outSize(const char *name)
{
    return {name, Kind::Int64, true};
}

Operation reader(const char *name, std::vector<Param> p)
{
    return {name, std::move(p), ResultForm::Reader, Kind::Table, "TDBXReader"};
}
Operation packet(const char *name, std::vector<Param> p)
{
    return {name, std::move(p), ResultForm::Packet, Kind::Table, "OleVariant"};
}
Operation stream(const char *name, std::vector<Param> p)
{
    return {name, std::move(p), ResultForm::Stream, Kind::Stream, "TStream"};
}
Operation object(const char *name, std::vector<Param> p, const char *type)
{
    return {name, std::move(p), ResultForm::Object, Kind::Object, type};
}
Operation integer(const char *name, std::vector<Param> p)
{
    return {name, std::move(p), ResultForm::Scalar, Kind::Int32, "Integer"};
}
Operation text(const char *name, std::vector<Param> p)
{
    return {name, std::move(p), ResultForm::Scalar, Kind::Text, "string"};
}

std::vector<Param> mailParams()
{
    return {s("idsi"),         s("baslik"),  s("firmaadi"), s("adres1"),    s("adres2"), s("ilce"),
            s("sehir"),        s("telefon"), s("fax"),      s("vd"),        s("vn"),     s("yetkili"),
            s("kullaniciadi"), s("sifre"),   s("mail"),     s("kargoambar")};
}

std::vector<Param> balanceParams()
{
    return {login("k"), i("stokno"), i("sepetsirano"), i("siparissirano"),
            d("Adet"),  d("Bakiye"), s("barkod")};
}

std::vector<Operation> build()
{
    std::vector<Operation> ops;
    ops.push_back(object("BuyukGetir", {s("idsi")}, Login));
    ops.push_back(packet("StokAraGetir", {s("kod"), login("bilgi")}));
    ops.push_back(stream("ResimVer5", {i("stokno"), outSize("boy")}));
    ops.push_back(packet("SepetVer2", {i("carino")}));
    ops.push_back(integer("SepetEkle2", {login("bilgim"), i("carino"), i("stokno"), s("barkod"), s("stokadi"),
                                         d("miktar"), d("kdv"), d("fiyat"), d("ind1"), i("verenid"), i("k"),
                                         d("ind2"), d("ind3"), d("ind4")}));
    ops.push_back(
        integer("SepetGuncelle2",
                {login("bilgim"), i("carino"), i("stokno"), s("barkod"), s("stokadi"), d("miktar"), d("kdv"),
                 d("fiyat"), d("ind1"), i("verenid"), i("_sepetsirano"), d("ind2"), d("ind3"), d("ind4")}));
    ops.push_back(integer("SepetSatirSil", {login("bilgi"), i("satirno"), s("aciklamam")}));
    ops.push_back(integer("SepetHepsiniSil", {login("bilgi")}));
    ops.push_back({"SepetSecimGuncelle", {i("sirano"), i("secim")}, ResultForm::None, Kind::Null, nullptr});
    ops.push_back(text("CariVadeGunGecmismiBul", {i("carino")}));
    ops.push_back({"SiparisKaydet",
                   {login("BB"), i("_carino"), i("_teslim"), i("_kargo"), s("_aciklama"), i("_verenid"),
                    i("_kargoyeni")},
                   ResultForm::Scalar,
                   Kind::Bool,
                   "Boolean"});
    ops.push_back(reader("TeslimVer", {}));
    ops.push_back(reader("KargoVer", {}));
    ops.push_back(reader("KargolarVer", {i("gn")}));
    ops.push_back(reader("OncekiSiparisler", {i("carino")}));
    ops.push_back(reader("SiparisAyrintisi2", {i("carino"), i("idnosu")}));
    ops.push_back(
        object("SiparisAytintisiDip", {i("carino"), i("siranosu")}, "baglantiu.TSiparisDipAyrinti"));
    ops.push_back(reader("CariEkstreVer", {i("carino")}));
    ops.push_back(reader("FaturaGetir", {i("carino"), i("idnosu")}));
    ops.push_back(reader("FaturaAltGetir", {i("idnosu")}));
    ops.push_back(reader("Tahsilat", {i("idnosu")}));
    ops.push_back(integer("SanalposSiranoVer", {i("idnosu")}));
    ops.push_back(stream("SAnalPosPdfVer", {i("sirano"), outSize("boy")}));
    ops.push_back(text("CariDurumVer", {i("carino")}));
    ops.push_back(reader("BakiyelerVer2", {i("carino")}));
    ops.push_back(integer("BakiyeDuzenle", balanceParams()));
    ops.push_back(integer("BakiyeDegistir", balanceParams()));
    {
        auto p = balanceParams();
        p.push_back(d("fiyat"));
        p.push_back(d("ind"));
        ops.push_back(integer("BakiyeFiyatDegistir", std::move(p)));
    }
    ops.push_back(packet("YenilerVer2", {i("carino")}));
    ops.push_back(packet("KampanyaliVer2", {i("cario"), i("satici")}));
    ops.push_back(object("AcilisEkranlarVer2", {}, "mobilstokunit.TAcilisEkranlariki"));
    ops.push_back(reader("TumSiparislerVer", {i("carino"), i("stokno")}));
    ops.push_back(packet("StokHareketVer", {i("carino"), i("stokno")}));
    ops.push_back(reader("RaporAlinanSiparisler", {login("bilgi"), d("tarih1"), d("tarih2")}));
    ops.push_back(reader("RaporEnCokSatilanStoklar", {login("bilgi"), d("tarih1"), d("tarih2")}));
    ops.push_back(stream("RaporGetir", {i("raporno"), i("bolum"), i("idno"), i("carino"), s("saticiadi"),
                                        d("tarih1"), d("tarih2"), outSize("size")}));
    ops.push_back(reader("CariAra", {login("bil"), s("aranan")}));
    ops.push_back(reader("CariSepetVer", {login("bil"), i("n")}));
    ops.push_back(integer("SepetSayisi", {login("bil")}));
    ops.push_back(object("TusSonuclariVer", {login("bil")}, "baglantiu.TTusSonuclari"));
    ops.push_back(reader("BalonGetir", {login("bil")}));
    ops.push_back(text("KayanYaziGetir", {}));
    ops.push_back(stream("BannerResimVer", {outSize("size")}));
    ops.push_back(stream("BannerResimVer2", {outSize("size")}));
    ops.push_back(stream("BannerResimVer3", {outSize("size")}));
    ops.push_back(integer("AcilisReklamAdet", {}));
    ops.push_back(object("AcilisREklamVer", {i("sira")}, "mobilstokunit.TAcilisEkran"));
    ops.push_back(
        object("MobilCariBilgisiGetir", {i("sirano"), s("_idsi")}, "mobilstokunit.TMobilCariBilgisi"));
    ops.push_back(integer("MailGonserCari", mailParams()));
    {
        auto p = mailParams();
        p.push_back(s("konu"));
        ops.push_back(integer("MailGonserCariNormal", std::move(p)));
    }
    return ops;
}

} // namespace

QString Operation::command() const
{
    return QLatin1String(ServerClass) + QLatin1Char('.') + QLatin1String(name);
}

int Operation::inputCount() const
{
    int n = 0;
    for (const Param &p : params)
        n += p.out ? 0 : 1;
    return n;
}

int Operation::outputCount() const
{
    return int(params.size()) - inputCount();
}

const std::vector<Operation> &catalogue()
{
    static const std::vector<Operation> ops = build();
    return ops;
}

const Operation *findOperation(QStringView name)
{
    const QLatin1String prefix(ServerClass);
    if (name.startsWith(prefix) && name.size() > prefix.size() && name[prefix.size()] == QLatin1Char('.'))
        name = name.mid(prefix.size() + 1);
    for (const Operation &op : catalogue()) {
        if (name == QLatin1String(op.name))
            return &op;
    }
    return nullptr;
}

const Operation *findOperation(const char *name)
{
    return findOperation(QStringView(QString::fromLatin1(name)));
}

} // namespace zelvora::wire
