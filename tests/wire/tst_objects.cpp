#include "wire/objects.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>

using namespace zelvora;
using zelvora::wire::WireError;

using NesnePtr = std::shared_ptr<const Nesne>;
Q_DECLARE_METATYPE(NesnePtr)

namespace {

// One field as the written form shows it: its name and its kind, where s is a
// string, i a 32-bit integer, d a double, b a boolean and a an array of objects.
struct FieldInfo
{
    QString name;
    QChar kind;
};

QByteArray emptyForm(const QString &type)
{
    return QStringLiteral(R"({"type":"%1","id":1,"fields":{}})").arg(type).toUtf8();
}

QByteArray formWith(const QString &type, const QJsonObject &fields)
{
    QJsonObject form;
    form.insert(QStringLiteral("type"), type);
    form.insert(QStringLiteral("id"), 1);
    form.insert(QStringLiteral("fields"), fields);
    return QJsonDocument(form).toJson(QJsonDocument::Compact);
}

bool isRefused(const QByteArray &json)
{
    try {
        fromJson(json);
    } catch (const WireError &) {
        return true;
    }
    return false;
}

// Field names and kinds in the order the writer emits them for a default instance.
// A number field is an integer when a fraction is refused for it.
QList<FieldInfo> writtenLayout(const QString &type)
{
    const std::unique_ptr<Nesne> obj = fromJson(emptyForm(type));
    const QString text = QString::fromUtf8(toJson(obj.get()));
    static const QRegularExpression fieldRe(
        QStringLiteral("\"(F\\w+)\":(\"[^\"]*\"|true|false|\\[|-?[0-9])"));
    QList<FieldInfo> layout;
    for (auto it = fieldRe.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString name = m.captured(1);
        const QChar first = m.captured(2).at(0);
        QChar kind;
        if (first == u'"')
            kind = u's';
        else if (first == u't' || first == u'f')
            kind = u'b';
        else if (first == u'[')
            kind = u'a';
        else
            kind = isRefused(formWith(type, {{name, 0.5}})) ? u'i' : u'd';
        layout.append({name, kind});
    }
    return layout;
}

enum class Pattern
{
    Filled,
    Other,
    Empty
};

// A value for every scalar field, distinct per field so that a field copied or
// read into the wrong member shows.
QJsonObject patternFields(const QString &type, Pattern pattern)
{
    QJsonObject fields;
    int n = 0;
    for (const FieldInfo &f : writtenLayout(type)) {
        ++n;
        QJsonValue v(QJsonValue::Undefined);
        switch (pattern) {
        case Pattern::Filled:
            if (f.kind == u's')
                v = QStringLiteral("değer %1 \"İ\"\n").arg(n);
            else if (f.kind == u'i')
                v = 1000 + n;
            else if (f.kind == u'd')
                v = n + 0.125;
            else if (f.kind == u'b')
                v = true;
            break;
        case Pattern::Other:
            if (f.kind == u's')
                v = QStringLiteral("başka");
            else if (f.kind == u'i')
                v = -n;
            else if (f.kind == u'd')
                v = -0.5 * n;
            else if (f.kind == u'b')
                v = n % 2 == 0;
            break;
        case Pattern::Empty:
            if (f.kind == u's')
                v = QString();
            else if (f.kind == u'i' || f.kind == u'd')
                v = 0;
            else if (f.kind == u'b')
                v = false;
            break;
        }
        if (!v.isUndefined())
            fields.insert(f.name, v);
    }
    return fields;
}

template<class T> bool tryKopyala(Nesne &receiver, const Nesne &source)
{
    auto *r = dynamic_cast<T *>(&receiver);
    auto *s = dynamic_cast<const T *>(&source);
    if (!r || !s)
        return false;
    r->Kopyala(*s);
    return true;
}

template<class... T> bool kopyalaAny(Nesne &receiver, const Nesne &source)
{
    return (tryKopyala<T>(receiver, source) || ...);
}

std::shared_ptr<TSonucBilgisi> filledLogin()
{
    auto s = std::make_shared<TSonucBilgisi>();
    s->setBILGISAYARID(QStringLiteral("WD-WCC4N1234567"));
    s->setSaticiMail(QStringLiteral("satis@example.com"));
    s->setSirano(42);
    s->setCariAdi(QStringLiteral("Özgür Oto Yedek Parça"));
    s->setSIFRE(QStringLiteral("GİZLİ"));
    s->setSaticiNo(7);
    s->setCARINO(1205);
    s->setAKTIF(1);
    s->setADI(QStringLiteral("OZGUR"));
    s->setSaticiTelefon(QStringLiteral("0532 000 00 00"));
    s->setcarikod(QStringLiteral("120.01.005"));
    s->setVarmi(true);
    s->setSaticiAdi(QStringLiteral("Ayşe \"Satış\" Kaya"));
    s->setBilgiSayarAdi(QStringLiteral("KASA-1"));
    s->setDisip(QStringLiteral("127.0.0.1"));
    s->setIcip(QStringLiteral("192.168.1.20"));
    s->setBilgisayarKullanici(QStringLiteral("kasa\\user"));
    s->setMusteriTipi(3);
    s->setVersion(6);
    return s;
}

std::shared_ptr<TAcilisEkran> ekran(qint32 siraNo, const QString &resim, const QString &baslik,
                                    const QString &arama)
{
    auto e = std::make_shared<TAcilisEkran>();
    e->setSiraNo(siraNo);
    e->setResim(resim);
    e->setBaslik(baslik);
    e->setArama(arama);
    return e;
}

std::shared_ptr<TAcilisEkranlariki> ekranListesi(int count)
{
    auto list = std::make_shared<TAcilisEkranlariki>();
    TAcilisEkranDizisi items;
    for (int i = 1; i <= count; ++i) {
        auto e = std::make_unique<TAcilisEkran>();
        e->setSiraNo(i);
        e->setResim(i == 1 ? QStringLiteral("FFD8FFE0") : QString());
        e->setBaslik(QStringLiteral("Duyuru %1").arg(i));
        e->setArama(i == 1 ? QStringLiteral("#KAMPANYA#") : QStringLiteral("#YENİ#"));
        items.push_back(std::move(e));
    }
    list->setEkranlar(std::move(items));
    return list;
}

const QStringList allTypes = {
    QStringLiteral("baglantiu.TSonucBilgisi"),    QStringLiteral("baglantiu.TSiparisDipAyrinti"),
    QStringLiteral("baglantiu.TTusSonuclari"),    QStringLiteral("mobilstokunit.TMobilStok"),
    QStringLiteral("mobilstokunit.TMobilSepet"),  QStringLiteral("mobilstokunit.TMobilCariBilgisi"),
    QStringLiteral("mobilstokunit.TAcilisEkran"), QStringLiteral("mobilstokunit.TAcilisEkranlariki"),
};

const QStringList copyableTypes = allTypes.mid(0, 6);

} // namespace

class TestObjects : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writtenForm_data();
    void writtenForm();
    void defaults();
    void layout_data();
    void layout();
    void readKeepsDefaults_data();
    void readKeepsDefaults();
    void readEveryField_data();
    void readEveryField();
    void nullObject_data();
    void nullObject();
    void ekranlar_data();
    void ekranlar();
    void doublesRoundTrip_data();
    void doublesRoundTrip();
    void kopyala_data();
    void kopyala();
    void refused_data();
    void refused();
    void fromJsonAsChecksClass();
};

// Hand-written texts: member order, field order, number and string spelling and
// the id numbering are all compared byte for byte, then read back unchanged.
void TestObjects::writtenForm_data()
{
    QTest::addColumn<NesnePtr>("object");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("TSonucBilgisi defaults")
        << NesnePtr(std::make_shared<TSonucBilgisi>())
        << QByteArray(
               R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FBILGISAYARID":"","FSaticiMail":"",)"
               R"("FSirano":0,"FCariAdi":"","FSIFRE":"","FSaticiNo":0,"FCARINO":0,"FAKTIF":0,"FKullanicimail":"",)"
               R"("FADI":"","FSaticiTelefon":"","Fcarikod":"","FVarmi":false,"FSaticiAdi":"","FBilgiSayarAdi":"",)"
               R"("FDisip":"","FIcip":"","FBilgisayarKullanici":"","FMusteriTipi":1,"FVersion":1}})");

    QTest::newRow("TSonucBilgisi filled")
        << NesnePtr(filledLogin())
        << QByteArray(
               R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FBILGISAYARID":"WD-WCC4N1234567",)"
               R"("FSaticiMail":"satis@example.com","FSirano":42,"FCariAdi":"Özgür Oto Yedek Parça",)"
               R"("FSIFRE":"GİZLİ","FSaticiNo":7,"FCARINO":1205,"FAKTIF":1,"FKullanicimail":"",)"
               R"("FADI":"OZGUR","FSaticiTelefon":"0532 000 00 00","Fcarikod":"120.01.005","FVarmi":true,)"
               R"("FSaticiAdi":"Ayşe \"Satış\" Kaya","FBilgiSayarAdi":"KASA-1","FDisip":"127.0.0.1",)"
               R"("FIcip":"192.168.1.20","FBilgisayarKullanici":"kasa\\user","FMusteriTipi":3,"FVersion":6}})");

    {
        auto t = std::make_shared<TTusSonuclari>();
        t->setAlindi(3);
        t->setOnaylandi(-1);
        t->setParcaliHazirlandi(std::numeric_limits<qint32>::max());
        t->setSevkEdildi(std::numeric_limits<qint32>::min());
        t->setGoruldu(12);
        QTest::newRow("TTusSonuclari")
            << NesnePtr(t)
            << QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{"FAlindi":3,"FOnaylandi":-1,)"
                          R"("FParcaliHazirlandi":2147483647,"FSevkEdildi":-2147483648,"FHazirlandi":0,)"
                          R"("FGoruldu":12}})");
    }
    {
        auto d = std::make_shared<TSiparisDipAyrinti>();
        d->setSizinMesaj(QStringLiteral("satır 1\nsatır 2\ttab\r"));
        d->setDurumu(QString(QChar(1)) + QChar(0x1f) + QChar(0x7f) + QStringLiteral("\b\f"));
        d->setVeren(QStringLiteral("€ 𝄞 /"));
        QTest::newRow("TSiparisDipAyrinti escapes")
            << NesnePtr(d)
            << QByteArray(
                   "{\"type\":\"baglantiu.TSiparisDipAyrinti\",\"id\":1,\"fields\":{"
                   "\"FSizinMesaj\":\"sat\xc4\xb1r 1\\nsat\xc4\xb1r 2\\ttab\\r\","
                   "\"FDurumu\":\"\\u0001\\u001f\x7f\\b\\f\","
                   "\"FVeren\":\"\xe2\x82\xac \xf0\x9d\x84\x9e /\",\"FKargo\":\"\",\"FBizimMesaj\":\"\","
                   "\"FTeslimCinsi\":\"\",\"FKargoCinsi\":\"\",\"FSaticiNotu\":\"\"}}");
    }
    {
        auto c = std::make_shared<TMobilCariBilgisi>();
        c->setBILGISAYARID(QStringLiteral("PC1"));
        c->setSEHIR(QStringLiteral("İZMİR"));
        c->setCARIADI(QStringLiteral("Deniz Ticaret"));
        c->setTLBORC(0.1);
        c->setTLALACAK(std::numeric_limits<double>::infinity());
        c->setCARINO(77);
        c->setTLBAKIYE(-1234.5678);
        c->setILCE(QStringLiteral("Bornova"));
        QTest::newRow("TMobilCariBilgisi")
            << NesnePtr(c)
            << QByteArray(
                   R"({"type":"mobilstokunit.TMobilCariBilgisi","id":1,"fields":{"FBILGISAYARID":"PC1",)"
                   R"("FSEHIR":"İZMİR","FFAX1":"","FSATICIMAIL":"","FSATICIADI":"","FCARIADI":"Deniz Ticaret",)"
                   R"("FEMAIL":"","FVERGIDAIRESI":"","FYETKILI":"","FAltGrup":"","FTEL2":"","FSIFRE":"","FGSM":"",)"
                   R"("FTEL1":"","FADRES2":"","FTLBORC":0.1,"FTLALACAK":0,"FADRES1":"","FULKE":"","FAnaGrup":"",)"
                   R"("FCARINO":77,"FTLBAKIYE":-1234.5678,"FVERGINO":"","FMAIL":"","FOzelKod":"",)"
                   R"("FKULLANICIADI":"","FSATICITELEFON":"","FCARIKOD":"","FFAX2":"","FILCE":"Bornova"}})");
    }
    QTest::newRow("TAcilisEkran")
        << NesnePtr(ekran(5, QStringLiteral("FFD8"), QStringLiteral("Yaz"), QStringLiteral("#YENİ#")))
        << QByteArray(R"({"type":"mobilstokunit.TAcilisEkran","id":1,"fields":{"FSiraNo":5,"FResim":"FFD8",)"
                      R"("FBaslik":"Yaz","FArama":"#YENİ#"}})");
    QTest::newRow("TAcilisEkranlariki empty")
        << NesnePtr(ekranListesi(0))
        << QByteArray(R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[]}})");
    QTest::newRow("TAcilisEkranlariki two entries")
        << NesnePtr(ekranListesi(2))
        << QByteArray(
               R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
               R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":1,"FResim":"FFD8FFE0",)"
               R"("FBaslik":"Duyuru 1","FArama":"#KAMPANYA#"}},)"
               R"({"type":"mobilstokunit.TAcilisEkran","id":3,"fields":{"FSiraNo":2,"FResim":"",)"
               R"("FBaslik":"Duyuru 2","FArama":"#YENİ#"}}]}})");
    QTest::newRow("missing object") << NesnePtr() << QByteArray("null");
}

void TestObjects::writtenForm()
{
    QFETCH(NesnePtr, object);
    QFETCH(QByteArray, expected);

    QCOMPARE(toJson(object.get()), expected);
    QVERIFY(QJsonDocument::fromJson(expected).isObject() || expected == "null");

    const std::unique_ptr<Nesne> back = fromJson(expected);
    QCOMPARE(toJson(back.get()), expected);
    if (object)
        QCOMPARE(back->typeName(), object->typeName());
}

void TestObjects::defaults()
{
    const TSonucBilgisi s;
    QCOMPARE(s.MusteriTipi(), 1);
    QCOMPARE(s.Version(), 1);
    QCOMPARE(s.Varmi(), false);
    QCOMPARE(s.CARINO(), 0);
    QVERIFY(s.ADI().isEmpty());
    QCOMPARE(s.typeName(), QStringLiteral("baglantiu.TSonucBilgisi"));

    const TMobilStok m;
    QCOMPARE(m.Birim(), QStringLiteral("ADET"));
    QCOMPARE(m.KDV(), 20.0);
    QCOMPARE(m.Fiyat(), 0.0);

    QVERIFY(TAcilisEkranlariki().Ekranlar().empty());
    QCOMPARE(TAcilisEkran().SiraNo(), 0);

    TMobilStoklar list;
    list.add(std::make_unique<TMobilStok>())->setKod(QStringLiteral("A1"));
    list.add(std::make_unique<TMobilStok>());
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0)->Kod(), QStringLiteral("A1"));
    list.removeAt(0);
    QCOMPARE(list.size(), 1);
    QVERIFY(list.at(0)->Kod().isEmpty());
}

// Names and kinds exactly as the server declares them, in declaration order.
void TestObjects::layout_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("fields");

    QTest::newRow("TSonucBilgisi")
        << allTypes[0]
        << QStringLiteral(
               "FBILGISAYARID:s FSaticiMail:s FSirano:i FCariAdi:s FSIFRE:s FSaticiNo:i FCARINO:i "
               "FAKTIF:i FKullanicimail:s FADI:s FSaticiTelefon:s Fcarikod:s FVarmi:b FSaticiAdi:s "
               "FBilgiSayarAdi:s FDisip:s FIcip:s FBilgisayarKullanici:s FMusteriTipi:i FVersion:i");
    QTest::newRow("TSiparisDipAyrinti")
        << allTypes[1]
        << QStringLiteral("FSizinMesaj:s FDurumu:s FVeren:s FKargo:s FBizimMesaj:s FTeslimCinsi:s "
                          "FKargoCinsi:s FSaticiNotu:s");
    QTest::newRow("TTusSonuclari")
        << allTypes[2]
        << QStringLiteral(
               "FAlindi:i FOnaylandi:i FParcaliHazirlandi:i FSevkEdildi:i FHazirlandi:i FGoruldu:i");
    QTest::newRow("TMobilStok")
        << allTypes[3]
        << QStringLiteral(
               "FStokNo:i FResimVar:i FResim:s FYeni:i FDepartman:s FVerilenSiparis:d FAltGrup:s "
               "FDurum:i FRenk:s FBirim:s FKDV:d FAlinanSiparis:d FIsk2:d FAnaGrup:s FKod:s FIsk3:d "
               "FListeFiyati:d FBeden:s FNetFiyat:d FIsk1:d FKDVliFiyat:d FIsk4:d FOzelKod:s "
               "FKampnayali:i FBarkod:s FIndirimOran:d FKalan:d FUreticiKod:s FKampanyaliFiyat:d "
               "FOemNo:s FBarkodNo:i FPKod:s FDpKod:s FAdi:s FFiyat:d");
    QTest::newRow("TMobilSepet")
        << allTypes[4]
        << QStringLiteral(
               "FKARGOID:i FStokNo:i FTARIH:d FSIRANO:i FCARIADI:s FVERILISTARIHI:d FDurum:i FMIKTAR:d "
               "FVERENIDNO:i FNETTUTAR:d FKDVLITUTAR:d FKDV:d FAKTAR:i FSAAT:s FVERGITUTARI:d FPKod:s "
               "FMODEL:s FINDIRIMTUTAR:d FSTOK_STOKNO:i FBIRIMFIYAT:d FSEC:i FOEM2:s FOEM3:s "
               "FAnaGrup:s FMARKA:s FVEREN:s FSTOKADI:s FOEM1:s FCARINO:i FVERENSIRANO:i "
               "FACIKLAMA:i FINDIRIMORANI2:d FOEM4:s FKUR:s FINDIRIMORANI3:d FSIPARISNO:i FIDNO:d "
               "FOzelKod:s FDpKod:s FKURTL:d FINDIRIMORANI1:d FDIGERADI:s FBarkod:s FTUTAR:d "
               "FURETICIKODU:s FKalan:d FFINISHKOD:s FCARIKOD:s FNETBIRIMFIYAT:d FOemNo:s "
               "FTESLIMID:i FResimVar:i FResim:s");
    QTest::newRow("TMobilCariBilgisi")
        << allTypes[5]
        << QStringLiteral(
               "FBILGISAYARID:s FSEHIR:s FFAX1:s FSATICIMAIL:s FSATICIADI:s FCARIADI:s FEMAIL:s "
               "FVERGIDAIRESI:s FYETKILI:s FAltGrup:s FTEL2:s FSIFRE:s FGSM:s FTEL1:s FADRES2:s "
               "FTLBORC:d FTLALACAK:d FADRES1:s FULKE:s FAnaGrup:s FCARINO:i FTLBAKIYE:d FVERGINO:s "
               "FMAIL:s FOzelKod:s FKULLANICIADI:s FSATICITELEFON:s FCARIKOD:s FFAX2:s FILCE:s");
    QTest::newRow("TAcilisEkran") << allTypes[6] << QStringLiteral("FSiraNo:i FResim:s FBaslik:s FArama:s");
    QTest::newRow("TAcilisEkranlariki") << allTypes[7] << QStringLiteral("FEkranlar:a");
}

void TestObjects::layout()
{
    QFETCH(QString, type);
    QFETCH(QString, fields);

    QStringList actual;
    for (const FieldInfo &f : writtenLayout(type))
        actual.append(f.name + u':' + f.kind);
    QCOMPARE(actual, fields.split(u' '));

    // A value of the wrong kind is refused for every field.
    for (const FieldInfo &f : writtenLayout(type)) {
        const QJsonValue wrong = f.kind == u's'   ? QJsonValue(1)
                                 : f.kind == u'b' ? QJsonValue(0)
                                 : f.kind == u'a' ? QJsonValue(QJsonObject())
                                                  : QJsonValue(QStringLiteral("1"));
        QVERIFY2(isRefused(formWith(type, {{f.name, wrong}})), qPrintable(f.name));
    }
}

void TestObjects::readKeepsDefaults_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("birim");
    QTest::addColumn<double>("kdv");
    QTest::addColumn<qint32>("stokNo");

    QTest::newRow("no fields") << QByteArray(R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{}})")
                               << QStringLiteral("ADET") << 20.0 << 0;
    QTest::newRow("no fields member")
        << QByteArray(R"({"type":"mobilstokunit.TMobilStok","id":1})") << QStringLiteral("ADET") << 20.0 << 0;
    QTest::newRow("only FKDV")
        << QByteArray(
               R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FKDV":10,"FStokNo":-2147483648}})")
        << QStringLiteral("ADET") << 10.0 << std::numeric_limits<qint32>::min();
    QTest::newRow("only FBirim")
        << QByteArray(
               R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FBirim":"KOLI","FStokNo":2147483647}})")
        << QStringLiteral("KOLI") << 20.0 << std::numeric_limits<qint32>::max();
    QTest::newRow("empty FBirim and zero FKDV")
        << QByteArray(R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FBirim":"","FKDV":0}})")
        << QString() << 0.0 << 0;
    QTest::newRow("unknown fields ignored")
        << QByteArray(R"( {"type":"mobilstokunit.TMobilStok","id":9,"fields":{"FYok":[1,{}],"FStokNo":1e2,)"
                      R"("FNotu":null}} )")
        << QStringLiteral("ADET") << 20.0 << 100;
}

void TestObjects::readKeepsDefaults()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, birim);
    QFETCH(double, kdv);
    QFETCH(qint32, stokNo);

    const std::unique_ptr<TMobilStok> m = fromJsonAs<TMobilStok>(json);
    QVERIFY(m);
    QCOMPARE(m->Birim(), birim);
    QCOMPARE(m->KDV(), kdv);
    QCOMPARE(m->StokNo(), stokNo);
    QCOMPARE(m->Fiyat(), 0.0);
}

void TestObjects::readEveryField_data()
{
    QTest::addColumn<QString>("type");
    for (const QString &type : allTypes)
        QTest::newRow(qPrintable(type)) << type;
}

// Every field carries its own value through reading and writing.
void TestObjects::readEveryField()
{
    QFETCH(QString, type);

    const QJsonObject fields = patternFields(type, Pattern::Filled);
    const std::unique_ptr<Nesne> obj = fromJson(formWith(type, fields));
    QVERIFY(obj);
    QCOMPARE(obj->typeName(), type);

    const QJsonObject written = QJsonDocument::fromJson(toJson(obj.get())).object();
    QCOMPARE(written.value(QStringLiteral("type")).toString(), type);
    QCOMPARE(written.value(QStringLiteral("id")).toInt(), 1);
    QJsonObject writtenFields = written.value(QStringLiteral("fields")).toObject();
    writtenFields.remove(QStringLiteral("FEkranlar"));
    QCOMPARE(writtenFields, fields);
}

void TestObjects::nullObject_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("bare") << QByteArray("null");
    QTest::newRow("with white space") << QByteArray(" \r\n\tnull \n");
}

void TestObjects::nullObject()
{
    QFETCH(QByteArray, json);
    QVERIFY(!fromJson(json));
    QVERIFY(!fromJsonAs<TSonucBilgisi>(json));
    QCOMPARE(toJson(nullptr), QByteArray("null"));
}

void TestObjects::ekranlar_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QList<int>>("siraNo");
    QTest::addColumn<QStringList>("resim");

    const QByteArray head = R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":)";
    QTest::newRow("empty array") << QByteArray(head + "[]}}") << QList<int>() << QStringList();
    QTest::newRow("null array") << QByteArray(head + "null}}") << QList<int>() << QStringList();
    QTest::newRow("no field") << QByteArray(
                                     R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{}})")
                              << QList<int>() << QStringList();
    QTest::newRow("two entries, second without picture")
        << QByteArray(head +
                      R"([{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":4,"FResim":"FFD8",)"
                      R"("FBaslik":"A","FArama":"x"}},{"type":"mobilstokunit.TAcilisEkran","id":3,)"
                      R"("fields":{"FSiraNo":9,"FBaslik":"B"}}]}})")
        << QList<int>{4, 9} << QStringList{QStringLiteral("FFD8"), QString()};
    QTest::newRow("missing entry")
        << QByteArray(head +
                      R"([null,{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":1}}]}})")
        << QList<int>{-1, 1} << QStringList{QString(), QString()};
}

void TestObjects::ekranlar()
{
    QFETCH(QByteArray, json);
    QFETCH(QList<int>, siraNo);
    QFETCH(QStringList, resim);

    const std::unique_ptr<TAcilisEkranlariki> list = fromJsonAs<TAcilisEkranlariki>(json);
    QVERIFY(list);
    QCOMPARE(qsizetype(list->Ekranlar().size()), siraNo.size());
    for (qsizetype i = 0; i < siraNo.size(); ++i) {
        const TAcilisEkran *e = list->Ekranlar()[std::size_t(i)].get();
        if (siraNo[i] < 0) {
            QVERIFY(!e);
            continue;
        }
        QVERIFY(e);
        QCOMPARE(e->SiraNo(), siraNo[i]);
        QCOMPARE(e->Resim(), resim[i]);
    }

    // Written again, the numbering restarts at 1 and the entries follow in order.
    const QByteArray again = toJson(list.get());
    QCOMPARE(toJson(fromJson(again).get()), again);
    // A missing entry is written as null and takes no number.
    int id = 1;
    for (qsizetype i = 0; i < siraNo.size(); ++i) {
        if (siraNo[i] >= 0) {
            const QByteArray entry = QByteArray(",\"id\":" + QByteArray::number(++id) +
                                                ",\"fields\":{\"FSiraNo\":" + QByteArray::number(siraNo[i]));
            QVERIFY2(again.contains(entry), again.constData());
        }
    }
}

void TestObjects::doublesRoundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("zero") << 0.0 << QByteArray("0");
    QTest::newRow("whole") << 20.0 << QByteArray("20");
    QTest::newRow("sum not representable") << 0.1 + 0.2 << QByteArray("0.30000000000000004");
    QTest::newRow("day-count date") << 45291.75 << QByteArray("45291.75");
    QTest::newRow("tiny") << 5e-324 << QByteArray("5e-324");
    QTest::newRow("huge") << std::numeric_limits<double>::max() << QByteArray("1.7976931348623157e+308");
    QTest::newRow("negative") << -1234.5678 << QByteArray("-1234.5678");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << QByteArray("0");
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << QByteArray("0");
}

void TestObjects::doublesRoundTrip()
{
    QFETCH(double, value);
    QFETCH(QByteArray, text);

    TMobilSepet line;
    line.setTARIH(value);
    const QByteArray json = toJson(&line);
    QVERIFY2(json.contains(QByteArray("\"FTARIH\":" + text + ",")), json.constData());

    const std::unique_ptr<TMobilSepet> back = fromJsonAs<TMobilSepet>(json);
    QVERIFY(back);
    const double expected = std::isfinite(value) ? value : 0.0;
    QCOMPARE(back->TARIH(), expected);
    QCOMPARE(std::signbit(back->TARIH()), std::signbit(expected));
}

void TestObjects::kopyala_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("sourcePattern");
    QTest::addColumn<int>("receiverPattern");

    for (const QString &type : copyableTypes) {
        const QByteArray name = type.section(u'.', 1).toLatin1();
        QTest::newRow(QByteArray(name + " filled over other").constData())
            << type << int(Pattern::Filled) << int(Pattern::Other);
        QTest::newRow(QByteArray(name + " empty over filled").constData())
            << type << int(Pattern::Empty) << int(Pattern::Filled);
    }
}

void TestObjects::kopyala()
{
    QFETCH(QString, type);
    QFETCH(int, sourcePattern);
    QFETCH(int, receiverPattern);

    const std::unique_ptr<Nesne> source =
        fromJson(formWith(type, patternFields(type, Pattern(sourcePattern))));
    const std::unique_ptr<Nesne> receiver =
        fromJson(formWith(type, patternFields(type, Pattern(receiverPattern))));
    const QByteArray sourceBefore = toJson(source.get());
    QVERIFY(sourceBefore != toJson(receiver.get()));
    const Nesne *identity = receiver.get();

    const bool copied = kopyalaAny<TSonucBilgisi, TSiparisDipAyrinti, TTusSonuclari, TMobilStok, TMobilSepet,
                                   TMobilCariBilgisi>(*receiver, *source);
    QVERIFY(copied);

    QCOMPARE(receiver.get(), identity);
    QCOMPARE(toJson(receiver.get()), sourceBefore);
    QCOMPARE(toJson(source.get()), sourceBefore);
}

void TestObjects::refused_data()
{
    QTest::addColumn<QByteArray>("json");

    const auto tus = [](const char *fields) -> QByteArray {
        return QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{)") + fields + "}}";
    };
    const auto login = [](const char *fields) -> QByteArray {
        return QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{)") + fields + "}}";
    };
    const QByteArray ekranlarHead =
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":)";

    QTest::newRow("empty input") << QByteArray();
    QTest::newRow("truncated") << QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{)");
    QTest::newRow("trailing garbage") << QByteArray(tus("") + " x");
    QTest::newRow("two objects") << QByteArray(tus("") + tus(""));
    QTest::newRow("NULL in capitals") << QByteArray("NULL");
    QTest::newRow("array") << QByteArray("[]");
    QTest::newRow("number") << QByteArray("42");
    QTest::newRow("string") << QByteArray(R"("baglantiu.TTusSonuclari")");
    QTest::newRow("missing type") << QByteArray(R"({"id":1,"fields":{}})");
    QTest::newRow("type not a string") << QByteArray(R"({"type":7,"id":1,"fields":{}})");
    QTest::newRow("unknown type") << QByteArray(R"({"type":"baglantiu.TYok","id":1,"fields":{}})");
    QTest::newRow("class without unit") << QByteArray(R"({"type":"TTusSonuclari","id":1,"fields":{}})");
    QTest::newRow("type in other case")
        << QByteArray(R"({"type":"baglantiu.ttussonuclari","id":1,"fields":{}})");
    QTest::newRow("list class") << QByteArray(R"({"type":"mobilstokunit.TMobilStoklar","id":1,"fields":{}})");
    QTest::newRow("fields not an object")
        << QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":[]})");
    QTest::newRow("string for integer") << tus(R"("FAlindi":"1")");
    QTest::newRow("fraction for integer") << tus(R"("FAlindi":1.5)");
    QTest::newRow("integer above range") << tus(R"("FAlindi":2147483648)");
    QTest::newRow("integer below range") << tus(R"("FAlindi":-2147483649)");
    QTest::newRow("null for integer") << tus(R"("FGoruldu":null)");
    QTest::newRow("number for string") << login(R"("FADI":5)");
    QTest::newRow("null for string") << login(R"("FADI":null)");
    QTest::newRow("number for boolean") << login(R"("FVarmi":1)");
    QTest::newRow("string for boolean") << login(R"("FVarmi":"true")");
    QTest::newRow("string for double")
        << QByteArray(R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FKDV":"20"}})");
    QTest::newRow("object for array") << QByteArray(ekranlarHead + "{}}}");
    QTest::newRow("entry not an object") << QByteArray(ekranlarHead + "[1]}}");
    QTest::newRow("entry of another class") << QByteArray(ekranlarHead + '[' + tus("") + "]}}");
    QTest::newRow("entry with a bad field") << QByteArray(
        ekranlarHead + R"([{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":"1"}}]}})");

    QByteArray deepArrays(100000, '[');
    QTest::newRow("deeply nested arrays") << deepArrays;
    QByteArray deepObjects;
    for (int i = 0; i < 300; ++i)
        deepObjects += ekranlarHead + '[';
    QTest::newRow("deeply nested objects") << deepObjects;
}

void TestObjects::refused()
{
    QFETCH(QByteArray, json);
    QVERIFY_THROWS_EXCEPTION(WireError, fromJson(json));
}

void TestObjects::fromJsonAsChecksClass()
{
    const QByteArray json = toJson(filledLogin().get());
    const std::unique_ptr<TSonucBilgisi> login = fromJsonAs<TSonucBilgisi>(json);
    QVERIFY(login);
    QCOMPARE(login->CariAdi(), QStringLiteral("Özgür Oto Yedek Parça"));
    QCOMPARE(login->MusteriTipi(), 3);

    QVERIFY_THROWS_EXCEPTION(WireError, fromJsonAs<TTusSonuclari>(json));
    QVERIFY_THROWS_EXCEPTION(WireError, fromJsonAs<TMobilCariBilgisi>(json));
    QVERIFY_THROWS_EXCEPTION(WireError, fromJsonAs<TSonucBilgisi>(QByteArray("{")));
}

QTEST_APPLESS_MAIN(TestObjects)

#include "tst_objects.moc"
