#pragma once

#include "wire/errors.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>
#include <utility>
#include <vector>

// The records that travel as objects. The server picks the class by its
// unit-qualified name and each field by its private name, so the unit, class
// and field names below are part of the protocol and must not be renamed.
//
// Each class keeps its fields in one list macro: X(type, property, default).
// The list generates the F-prefixed member, the getter and setter, Kopyala and
// both directions of the JSON form, so adding a field is a one-line change and
// the declaration order (which is the order on the wire) cannot drift apart.

namespace zelvora {

namespace detail {
class FieldWriter;
class FieldReader;
} // namespace detail

// Root of every object that can travel on the wire.
class Nesne
{
public:
    virtual ~Nesne() = default;

    // Unit name, a dot and the class name, e.g. "baglantiu.TSonucBilgisi".
    virtual QString typeName() const = 0;

protected:
    Nesne() = default;
    // Copies only through the concrete class, never sliced through the base.
    Nesne(const Nesne &) = default;
    Nesne(Nesne &&) = default;
    Nesne &operator=(const Nesne &) = default;
    Nesne &operator=(Nesne &&) = default;

private:
    friend class detail::FieldWriter;
    friend class detail::FieldReader;
    virtual void writeFields(detail::FieldWriter &out) const = 0;
    virtual void readFields(detail::FieldReader &in) = 0;
};

#define ZELVORA_NESNE_ACCESSOR(Type, Name, Default)                                                          \
    Type Name() const                                                                                        \
    {                                                                                                        \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void set##Name(Type value)                                                                               \
    {                                                                                                        \
        F##Name = std::move(value);                                                                          \
    }
#define ZELVORA_NESNE_MEMBER(Type, Name, Default) Type F##Name = Default;

#define ZELVORA_NESNE_COMMON(Class)                                                                          \
public:                                                                                                      \
    static QString staticTypeName();                                                                         \
    QString typeName() const override;                                                                       \
                                                                                                             \
private:                                                                                                     \
    void writeFields(detail::FieldWriter &out) const override;                                               \
    void readFields(detail::FieldReader &in) override;

// ---------------------------------------------------------------- baglantiu

// The login record. Service calls get a fresh copy made with Kopyala, never the
// main window's own instance, because workers may still read it.
// clang-format off
#define ZELVORA_FIELDS_TSonucBilgisi(X)      \
    X(QString, BILGISAYARID, {})             \
    X(QString, SaticiMail, {})               \
    X(qint32, Sirano, 0)                     \
    X(QString, CariAdi, {})                  \
    X(QString, SIFRE, {})                    \
    X(qint32, SaticiNo, 0)                   \
    X(qint32, CARINO, 0)                     \
    X(qint32, AKTIF, 0)                      \
    X(QString, Kullanicimail, {})            \
    X(QString, ADI, {})                      \
    X(QString, SaticiTelefon, {})            \
    X(QString, carikod, {})                  \
    X(bool, Varmi, false)                    \
    X(QString, SaticiAdi, {})                \
    X(QString, BilgiSayarAdi, {})            \
    X(QString, Disip, {})                    \
    X(QString, Icip, {})                     \
    X(QString, BilgisayarKullanici, {})      \
    X(qint32, MusteriTipi, 1)                \
    X(qint32, Version, 1)
// clang-format on

class TSonucBilgisi final : public Nesne
{
    ZELVORA_NESNE_COMMON(TSonucBilgisi)

public:
    void Kopyala(const TSonucBilgisi &source);
    ZELVORA_FIELDS_TSonucBilgisi(ZELVORA_NESNE_ACCESSOR)

        private : ZELVORA_FIELDS_TSonucBilgisi(ZELVORA_NESNE_MEMBER)
};

// A fresh copy of the login record, for one service call to consume.
std::unique_ptr<TSonucBilgisi> GirisKopyasi(const TSonucBilgisi &sbilgi);

// clang-format off
#define ZELVORA_FIELDS_TSiparisDipAyrinti(X) \
    X(QString, SizinMesaj, {})               \
    X(QString, Durumu, {})                   \
    X(QString, Veren, {})                    \
    X(QString, Kargo, {})                    \
    X(QString, BizimMesaj, {})               \
    X(QString, TeslimCinsi, {})              \
    X(QString, KargoCinsi, {})               \
    X(QString, SaticiNotu, {})
// clang-format on

class TSiparisDipAyrinti final : public Nesne
{
    ZELVORA_NESNE_COMMON(TSiparisDipAyrinti)

public:
    void Kopyala(const TSiparisDipAyrinti &source);
    ZELVORA_FIELDS_TSiparisDipAyrinti(ZELVORA_NESNE_ACCESSOR)

        private : ZELVORA_FIELDS_TSiparisDipAyrinti(ZELVORA_NESNE_MEMBER)
};

// clang-format off
#define ZELVORA_FIELDS_TTusSonuclari(X)      \
    X(qint32, Alindi, 0)                     \
    X(qint32, Onaylandi, 0)                  \
    X(qint32, ParcaliHazirlandi, 0)          \
    X(qint32, SevkEdildi, 0)                 \
    X(qint32, Hazirlandi, 0)                 \
    X(qint32, Goruldu, 0)
// clang-format on

class TTusSonuclari final : public Nesne
{
    ZELVORA_NESNE_COMMON(TTusSonuclari)

public:
    void Kopyala(const TTusSonuclari &source);
    ZELVORA_FIELDS_TTusSonuclari(ZELVORA_NESNE_ACCESSOR)

        private : ZELVORA_FIELDS_TTusSonuclari(ZELVORA_NESNE_MEMBER)
};

// ------------------------------------------------------------ mobilstokunit

// A missing FBirim or FKDV in a received item must read as "ADET" and 20, so
// these two defaults are protocol, not convenience.
// clang-format off
#define ZELVORA_FIELDS_TMobilStok(X)         \
    X(qint32, StokNo, 0)                     \
    X(qint32, ResimVar, 0)                   \
    X(QString, Resim, {})                    \
    X(qint32, Yeni, 0)                       \
    X(QString, Departman, {})                \
    X(double, VerilenSiparis, 0)             \
    X(QString, AltGrup, {})                  \
    X(qint32, Durum, 0)                      \
    X(QString, Renk, {})                     \
    X(QString, Birim, QStringLiteral("ADET")) \
    X(double, KDV, 20)                       \
    X(double, AlinanSiparis, 0)              \
    X(double, Isk2, 0)                       \
    X(QString, AnaGrup, {})                  \
    X(QString, Kod, {})                      \
    X(double, Isk3, 0)                       \
    X(double, ListeFiyati, 0)                \
    X(QString, Beden, {})                    \
    X(double, NetFiyat, 0)                   \
    X(double, Isk1, 0)                       \
    X(double, KDVliFiyat, 0)                 \
    X(double, Isk4, 0)                       \
    X(QString, OzelKod, {})                  \
    X(qint32, Kampnayali, 0)                 \
    X(QString, Barkod, {})                   \
    X(double, IndirimOran, 0)                \
    X(double, Kalan, 0)                      \
    X(QString, UreticiKod, {})               \
    X(double, KampanyaliFiyat, 0)            \
    X(QString, OemNo, {})                    \
    X(qint32, BarkodNo, 0)                   \
    X(QString, PKod, {})                     \
    X(QString, DpKod, {})                    \
    X(QString, Adi, {})                      \
    X(double, Fiyat, 0)
// clang-format on

class TMobilStok final : public Nesne
{
    ZELVORA_NESNE_COMMON(TMobilStok)

public:
    void Kopyala(const TMobilStok &source);
    ZELVORA_FIELDS_TMobilStok(ZELVORA_NESNE_ACCESSOR)

        private : ZELVORA_FIELDS_TMobilStok(ZELVORA_NESNE_MEMBER)
};

// TARIH and VERILISTARIHI are day-count dates (days since 1899-12-30, the time
// of day as the fraction) kept as plain doubles, as the server stores them.
// clang-format off
#define ZELVORA_FIELDS_TMobilSepet(X)        \
    X(qint32, KARGOID, 0)                    \
    X(qint32, StokNo, 0)                     \
    X(double, TARIH, 0)                      \
    X(qint32, SIRANO, 0)                     \
    X(QString, CARIADI, {})                  \
    X(double, VERILISTARIHI, 0)              \
    X(qint32, Durum, 0)                      \
    X(double, MIKTAR, 0)                     \
    X(qint32, VERENIDNO, 0)                  \
    X(double, NETTUTAR, 0)                   \
    X(double, KDVLITUTAR, 0)                 \
    X(double, KDV, 0)                        \
    X(qint32, AKTAR, 0)                      \
    X(QString, SAAT, {})                     \
    X(double, VERGITUTARI, 0)                \
    X(QString, PKod, {})                     \
    X(QString, MODEL, {})                    \
    X(double, INDIRIMTUTAR, 0)               \
    X(qint32, STOK_STOKNO, 0)                \
    X(double, BIRIMFIYAT, 0)                 \
    X(qint32, SEC, 0)                        \
    X(QString, OEM2, {})                     \
    X(QString, OEM3, {})                     \
    X(QString, AnaGrup, {})                  \
    X(QString, MARKA, {})                    \
    X(QString, VEREN, {})                    \
    X(QString, STOKADI, {})                  \
    X(QString, OEM1, {})                     \
    X(qint32, CARINO, 0)                     \
    X(qint32, VERENSIRANO, 0)                \
    X(qint32, ACIKLAMA, 0)                   \
    X(double, INDIRIMORANI2, 0)              \
    X(QString, OEM4, {})                     \
    X(QString, KUR, {})                      \
    X(double, INDIRIMORANI3, 0)              \
    X(qint32, SIPARISNO, 0)                  \
    X(double, IDNO, 0)                       \
    X(QString, OzelKod, {})                  \
    X(QString, DpKod, {})                    \
    X(double, KURTL, 0)                      \
    X(double, INDIRIMORANI1, 0)              \
    X(QString, DIGERADI, {})                 \
    X(QString, Barkod, {})                   \
    X(double, TUTAR, 0)                      \
    X(QString, URETICIKODU, {})              \
    X(double, Kalan, 0)                      \
    X(QString, FINISHKOD, {})                \
    X(QString, CARIKOD, {})                  \
    X(double, NETBIRIMFIYAT, 0)              \
    X(QString, OemNo, {})                    \
    X(qint32, TESLIMID, 0)                   \
    X(qint32, ResimVar, 0)                   \
    X(QString, Resim, {})
// clang-format on

class TMobilSepet final : public Nesne
{
    ZELVORA_NESNE_COMMON(TMobilSepet)

public:
    void Kopyala(const TMobilSepet &source);
    ZELVORA_FIELDS_TMobilSepet(ZELVORA_NESNE_ACCESSOR)

        private : ZELVORA_FIELDS_TMobilSepet(ZELVORA_NESNE_MEMBER)
};

// clang-format off
#define ZELVORA_FIELDS_TMobilCariBilgisi(X)  \
    X(QString, BILGISAYARID, {})             \
    X(QString, SEHIR, {})                    \
    X(QString, FAX1, {})                     \
    X(QString, SATICIMAIL, {})               \
    X(QString, SATICIADI, {})                \
    X(QString, CARIADI, {})                  \
    X(QString, EMAIL, {})                    \
    X(QString, VERGIDAIRESI, {})             \
    X(QString, YETKILI, {})                  \
    X(QString, AltGrup, {})                  \
    X(QString, TEL2, {})                     \
    X(QString, SIFRE, {})                    \
    X(QString, GSM, {})                      \
    X(QString, TEL1, {})                     \
    X(QString, ADRES2, {})                   \
    X(double, TLBORC, 0)                     \
    X(double, TLALACAK, 0)                   \
    X(QString, ADRES1, {})                   \
    X(QString, ULKE, {})                     \
    X(QString, AnaGrup, {})                  \
    X(qint32, CARINO, 0)                     \
    X(double, TLBAKIYE, 0)                   \
    X(QString, VERGINO, {})                  \
    X(QString, MAIL, {})                     \
    X(QString, OzelKod, {})                  \
    X(QString, KULLANICIADI, {})             \
    X(QString, SATICITELEFON, {})            \
    X(QString, CARIKOD, {})                  \
    X(QString, FAX2, {})                     \
    X(QString, ILCE, {})
// clang-format on

class TMobilCariBilgisi final : public Nesne
{
    ZELVORA_NESNE_COMMON(TMobilCariBilgisi)

public:
    void Kopyala(const TMobilCariBilgisi &source);
    ZELVORA_FIELDS_TMobilCariBilgisi(ZELVORA_NESNE_ACCESSOR)

        private : ZELVORA_FIELDS_TMobilCariBilgisi(ZELVORA_NESNE_MEMBER)
};

// No Kopyala here: callers read the entries before the client that produced
// them goes away.
// clang-format off
#define ZELVORA_FIELDS_TAcilisEkran(X)       \
    X(qint32, SiraNo, 0)                     \
    X(QString, Resim, {})                    \
    X(QString, Baslik, {})                   \
    X(QString, Arama, {})
// clang-format on

class TAcilisEkran final : public Nesne
{
    ZELVORA_NESNE_COMMON(TAcilisEkran)

public:
    ZELVORA_FIELDS_TAcilisEkran(ZELVORA_NESNE_ACCESSOR)

        private : ZELVORA_FIELDS_TAcilisEkran(ZELVORA_NESNE_MEMBER)
};

using TAcilisEkranDizisi = std::vector<std::unique_ptr<TAcilisEkran>>;

// The entries are owned, in the order the screens show them. A null entry can
// only come from the wire and stands for a missing object.
// clang-format off
#define ZELVORA_FIELDS_TAcilisEkranlariki(X) \
    X(TAcilisEkranDizisi, Ekranlar, {})
// clang-format on

class TAcilisEkranlariki final : public Nesne
{
    ZELVORA_NESNE_COMMON(TAcilisEkranlariki)

public:
    const TAcilisEkranDizisi &Ekranlar() const { return FEkranlar; }
    TAcilisEkranDizisi &Ekranlar() { return FEkranlar; }
    void setEkranlar(TAcilisEkranDizisi value) { FEkranlar = std::move(value); }

private:
    ZELVORA_FIELDS_TAcilisEkranlariki(ZELVORA_NESNE_MEMBER)
};

// An owning list: removing an item or destroying the list frees the items.
template<class T> class NesneListesi
{
public:
    using Items = std::vector<std::unique_ptr<T>>;

    T *add(std::unique_ptr<T> item)
    {
        m_items.push_back(std::move(item));
        return m_items.back().get();
    }
    qsizetype size() const { return static_cast<qsizetype>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    T *at(qsizetype i) const { return m_items.at(static_cast<std::size_t>(i)).get(); }
    void removeAt(qsizetype i) { m_items.erase(m_items.begin() + i); }
    void clear() { m_items.clear(); }
    typename Items::const_iterator begin() const { return m_items.begin(); }
    typename Items::const_iterator end() const { return m_items.end(); }

private:
    Items m_items;
};

class TMobilStoklar final : public NesneListesi<TMobilStok>
{};

class TMobilSepetler final : public NesneListesi<TMobilSepet>
{};

class TAcilisEkranlar final : public NesneListesi<TAcilisEkran>
{};

// ------------------------------------------------------------- object form

// A new instance with its defaults for a unit-qualified class name, or nullptr
// for a name that is not one of the classes above.
std::unique_ptr<Nesne> createByTypeName(QStringView typeName);

// Compact UTF-8 JSON in the object form; "null" for nullptr.
QByteArray toJson(const Nesne *obj);

// Reads the object form; "null" gives nullptr. Fields absent from the text keep
// the class defaults and unknown fields are ignored; anything else that does not
// fit throws wire::WireError.
std::unique_ptr<Nesne> fromJson(QByteArrayView json);

// As fromJson, but the object must be a T.
template<class T> std::unique_ptr<T> fromJsonAs(QByteArrayView json)
{
    std::unique_ptr<Nesne> obj = fromJson(json);
    if (!obj)
        return nullptr;
    if (auto *typed = dynamic_cast<T *>(obj.get())) {
        obj.release();
        return std::unique_ptr<T>(typed);
    }
    throw wire::WireError(
        QStringLiteral("object form: expected %1, got %2").arg(T::staticTypeName(), obj->typeName()));
}

} // namespace zelvora
