#include "server/demo/demointernal.h"
#include "server/storage/schema.h"

#include <QSet>
#include <QStringList>

namespace zelvora::server::demo {

namespace {

struct City
{
    const char *il;
    const char *plaka;
    const char *alanKodu;
    const char *ilceler; // '|' separated
    const char *sanayi;  // industrial estates where parts dealers sit, '|' separated
    const char *bolge;
};

const City cities[] = {
    {"İSTANBUL", "34", "0212", "BAYRAMPAŞA|BAŞAKŞEHİR|ZEYTİNBURNU|ÜMRANİYE|KARTAL",
     "ORTAKLAR SANAYİ SİTESİ|İKİTELLİ OSB|TOPKAPI OTO SANAYİ|DUDULLU OSB|SAMANDIRA SANAYİ", "MARMARA"},
    {"ANKARA", "06", "0312", "YENİMAHALLE|ALTINDAĞ|ETİMESGUT", "OSTİM OSB|SİTELER|ŞAŞMAZ OTO SANAYİ",
     "İÇ ANADOLU"},
    {"İZMİR", "35", "0232", "BORNOVA|KARABAĞLAR|ÇİĞLİ", "IŞIKKENT SANAYİ|GAZİEMİR OTO SANAYİ|ÇİĞLİ AOSB",
     "EGE"},
    {"BURSA", "16", "0224", "OSMANGAZİ|NİLÜFER|YILDIRIM",
     "BEŞEVLER OTO SANAYİ|NİLÜFER OSB|KARAMAN OTO SANAYİ", "MARMARA"},
    {"KONYA", "42", "0332", "KARATAY|SELÇUKLU", "BÜYÜK SANAYİ|FEVZİÇAKMAK OTO SANAYİ", "İÇ ANADOLU"},
    {"ANTALYA", "07", "0242", "KEPEZ|MURATPAŞA", "YENİ SANAYİ SİTESİ|ANTALYA OSB", "AKDENİZ"},
    {"TRABZON", "61", "0462", "ORTAHİSAR|AKÇAABAT", "KAŞÜSTÜ SANAYİ|DEĞİRMENDERE SANAYİ", "KARADENİZ"},
    {"KOCAELİ", "41", "0262", "İZMİT|GEBZE", "ALİKAHYA OTO SANAYİ|GEBZE OSB", "MARMARA"},
    {"ADANA", "01", "0322", "SEYHAN|YÜREĞİR", "YENİ OTO SANAYİ|HACI SABANCI OSB", "AKDENİZ"},
    {"GAZİANTEP", "27", "0342", "ŞEHİTKAMİL|ŞAHİNBEY", "BEYAZLAR OTO SANAYİ|KÜÇÜK SANAYİ",
     "GÜNEYDOĞU ANADOLU"},
    {"KAYSERİ", "38", "0352", "MELİKGAZİ|KOCASİNAN", "OTO SANAYİ SİTESİ|KAYSERİ OSB", "İÇ ANADOLU"},
    {"SAMSUN", "55", "0362", "İLKADIM|CANİK", "SAMSUN OTO SANAYİ|KUTLUKENT SANAYİ", "KARADENİZ"},
    {"DİYARBAKIR", "21", "0412", "BAĞLAR|YENİŞEHİR", "ŞEHİTLİK OTO SANAYİ", "GÜNEYDOĞU ANADOLU"},
    {"ESKİŞEHİR", "26", "0222", "TEPEBAŞI|ODUNPAZARI", "ESKİŞEHİR OTO SANAYİ|ESKİŞEHİR OSB", "İÇ ANADOLU"},
    {"DENİZLİ", "20", "0258", "MERKEZEFENDİ|PAMUKKALE", "DENİZLİ OTO SANAYİ|DENİZLİ OSB", "EGE"},
};

// The accounts behind the demo logins; their numbers are fixed because the
// login list names them.
struct FixedCustomer
{
    const char *adi;
    int city;
    const char *ilce;
    const char *adres1;
    const char *adres2;
    const char *yetkili;
    const char *tel1;
    const char *gsm;
    const char *email;
    const char *vergiDairesi;
    const char *vergiNo;
    double indirim;
    double ekIndirim;
    int vade;
    int satici;
    const char *ozelKod;
    const char *sinif;
    bool risky;
};

const FixedCustomer fixedCustomers[] = {
    {"DEMO OTOMOTİV YEDEK PARÇA LTD. ŞTİ.", 0, "BAYRAMPAŞA", "ORTAKLAR SANAYİ SİTESİ 7. BLOK NO:14",
     "ZEMİN KAT", "Serkan Demirtaş", "0212 567 34 10", "0532 614 22 18", "info@demootomotiv.com.tr",
     "BAYRAMPAŞA V.D.", "2910457731", 5, 0, 60, 1, "BAYİ", "A SINIFI", false},
    {"KARTAL OTO YEDEK PARÇA TİC. LTD. ŞTİ.", 1, "YENİMAHALLE", "OSTİM OSB 1234. CAD. NO:27", "",
     "Kemal Kartal", "0312 354 18 90", "0533 402 71 15", "satis@kartaloto.com.tr", "OSTİM V.D.", "5230981146",
     10, 2, 90, 1, "BAYİ", "A SINIFI", false},
    {"YILDIZ OTOMOTİV SAN. VE TİC. A.Ş.", 2, "BORNOVA", "IŞIKKENT SANAYİ 3. BLOK NO:41", "", "Elif Yıldız",
     "0232 472 55 60", "0542 318 90 44", "info@yildizotomotiv.com.tr", "BORNOVA V.D.", "9680221437", 7.5, 0,
     60, 2, "BAYİ", "A SINIFI", false},
    {"AKDENİZ RULMAN VE OTO YEDEK PARÇA", 5, "KEPEZ", "YENİ SANAYİ SİTESİ 1. BLOK NO:5", "", "Murat Aksoy",
     "0242 221 40 70", "0535 771 02 33", "info@akdenizrulman.com.tr", "KEPEZ V.D.", "0870445512", 5, 1, 45, 2,
     "BAYİ", "B SINIFI", false},
    {"KARADENİZ OTO MALZEMELERİ TİC. LTD. ŞTİ.", 6, "ORTAHİSAR", "KAŞÜSTÜ SANAYİ 2. BLOK NO:18", "",
     "Hüseyin Karaca", "0462 334 12 12", "0536 209 61 61", "info@karadenizoto.com.tr", "KARADENİZ V.D.",
     "5340172290", 3, 0, 30, 3, "BAYİ", "C SINIFI", true},
    {"ULUDAĞ OTO YEDEK PARÇA", 3, "OSMANGAZİ", "BEŞEVLER OTO SANAYİ 11. BLOK NO:3", "DÜKKAN 2", "Cem Uludağ",
     "0224 443 16 16", "0532 700 16 16", "siparis@uludagoto.com.tr", "OSMANGAZİ V.D.", "8890331245", 5, 0, 60,
     1, "BAYİ", "B SINIFI", false},
    {"ANADOLU FREN VE DEBRİYAJ", 4, "KARATAY", "BÜYÜK SANAYİ 5. SOKAK NO:22", "", "Ömer Şahin",
     "0332 342 42 42", "0543 442 42 07", "info@anadolufren.com.tr", "MEVLANA V.D.", "0690028813", 7.5, 0, 60,
     2, "SERVİS", "B SINIFI", false},
    {"MARMARA FİLO SERVİS HİZMETLERİ A.Ş.", 7, "İZMİT", "ALİKAHYA OTO SANAYİ 4. BLOK NO:9", "", "Derya Koç",
     "0262 335 41 41", "0530 441 41 41", "filo@marmarafilo.com.tr", "İZMİT V.D.", "6120994471", 12, 0, 30, 3,
     "FİLO", "A SINIFI", false},
};

struct Rep
{
    const char *adi;
    const char *telefon;
    const char *email;
    int tipi;
};

const Rep reps[] = {
    {"AHMET YILMAZ", "0532 411 20 01", "ahmet.yilmaz@zelvora.com.tr", 1},
    {"MEHMET DEMİR", "0533 411 20 02", "mehmet.demir@zelvora.com.tr", 1},
    {"AYŞE KAYA", "0542 411 20 03", "ayse.kaya@zelvora.com.tr", 2},
    {"CAN ÖZTÜRK", "0544 411 20 04", "can.ozturk@zelvora.com.tr", 1},
};

const char *const firmWords[] = {
    "ÖZ",     "YENİ",   "ER",      "KAYA",  "DOĞAN", "GÜVEN",   "ASLAN", "ŞAHİN", "ÇELİK", "TOROS",
    "MERT",   "BİRLİK", "ATLAS",   "GÜNEY", "USTA",  "KÖROĞLU", "EFE",   "ÖZGÜR", "ZAFER", "ALTIN",
    "YÜKSEL", "POYRAZ", "ERCİYES", "DİCLE", "FIRAT", "SEÇKİN",  "PINAR", "NUR",   "ÖNDER", "KARTEPE"};
const char *const firmTrades[] = {"OTO YEDEK PARÇA", "OTOMOTİV",    "OTO ELEKTRİK", "FREN BALATA",
                                  "RULMAN",          "OTO SANAYİ",  "OTO KAPORTA",  "YAĞ VE FİLTRE",
                                  "OTO SERVİS",      "DİZEL SERVİS"};
const char *const firmForms[] = {"LTD. ŞTİ.", "TİC. LTD. ŞTİ.", "SAN. VE TİC. LTD. ŞTİ.", "A.Ş.", ""};
const char *const firstNames[] = {"Ali",    "Veli",   "Hasan",  "Hüseyin", "Mustafa", "İbrahim",
                                  "Osman",  "Yusuf",  "Emre",   "Burak",   "Fatih",   "Gökhan",
                                  "Selim",  "Tuncay", "Levent", "Erkan",   "Zeynep",  "Gülşen",
                                  "Hatice", "Sibel",  "Tolga",  "Orhan",   "Kadir",   "Nurettin"};
const char *const lastNames[] = {"Yılmaz",   "Kaya",   "Demir", "Şahin",   "Çelik",  "Yıldız",
                                 "Yıldırım", "Öztürk", "Aydın", "Özdemir", "Arslan", "Doğan",
                                 "Kılıç",    "Aslan",  "Çetin", "Kara",    "Koç",    "Kurt",
                                 "Özkan",    "Şimşek", "Polat", "Güneş",   "Acar",   "Bulut"};

QStringList splitBar(const char *text)
{
    return u8(text).split(QLatin1Char('|'));
}

QString phoneNumber(Rng &rng, const QString &prefix)
{
    QString s = prefix;
    s += QLatin1Char(' ');
    // Subscriber numbers never start with 0 or 1.
    s += QLatin1Char(char('0' + rng.between(2, 9)));
    s += rng.digits(2);
    s += QLatin1Char(' ');
    s += rng.digits(2);
    s += QLatin1Char(' ');
    s += rng.digits(2);
    return s;
}

// "DOĞAN OTO YEDEK" -> "doganoto": the local half of a mail address people make of
// a firm name.
QString mailSlug(const QString &firmName)
{
    const QStringList words = foldSearchText(firmName).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString slug;
    for (int i = 0; i < std::min<qsizetype>(2, words.size()); ++i)
        slug += compactSearchText(words[i]);
    return slug.toLower();
}

} // namespace

void fillAccounts(Context &ctx)
{
    Rng rng(ctx.options.seed, AccountStream);

    Statement satici = ctx.db.prepare(QStringLiteral(
        "INSERT INTO SATICI (SATICINO, SATICIADI, TELEFON, EMAIL, TIPI) VALUES (?, ?, ?, ?, ?)"));
    int saticiNo = 0;
    for (const Rep &r : reps) {
        satici.reset();
        satici.bindAll({qint64(++saticiNo), u8(r.adi), u8(r.telefon), u8(r.email), qint64(r.tipi)});
        satici.step();
        Representative rep;
        rep.saticiNo = saticiNo;
        rep.adi = u8(r.adi);
        rep.tipi = r.tipi;
        ctx.reps.push_back(rep);
    }

    Statement cari = ctx.db.prepare(QStringLiteral("INSERT INTO CARI (CARINO, CARIKOD, CARIADI, ADRES1, "
                                                   "ADRES2, ILCE, IL, ULKE, TEL1, TEL2, FAX1, FAX2, GSM, "
                                                   "EMAIL, VERGIDAIRESI, VERGINO, YETKILI, ANAGRUP, ALTGRUP, "
                                                   "OZELKOD, KOD1, KOD2, KOD3, KOD4, KOD5, INDIRIM, "
                                                   "EKINDIRIM, VADE, VADEKONTROLGUN, VADEKONTROLAY, "
                                                   "SATICINO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                                   "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));

    // Account codes follow the chart of accounts: 120 receivables, the plate
    // code of the city, a running number.
    int kodSira = 0;
    auto cariKod = [&](const City &city) {
        return QStringLiteral("120.%1.%2")
            .arg(QLatin1String(city.plaka))
            .arg(++kodSira, 4, 10, QLatin1Char('0'));
    };
    const QStringList odemeAliskanligi = {QStringLiteral("NAKİT"), QStringLiteral("ÇEK"),
                                          QStringLiteral("HAVALE"), QStringLiteral("KREDİ KARTI")};

    auto insertCari = [&](Customer &c, const City &city, const QString &ilce, const QString &adres1,
                          const QString &adres2, const QString &tel1, const QString &tel2, const QString &gsm,
                          const QString &email, const QString &vergiDairesi, const QString &vergiNo,
                          const QString &ozelKod, const QString &sinif, const QString &odeme,
                          int vadeKontrolGun, int vadeKontrolAy) {
        QString fax1 = tel1;
        fax1.chop(1);
        fax1 += QLatin1Char('9');
        const QString anaGrup = ozelKod == QStringLiteral("SERVİS") ? QStringLiteral("SERVİSLER")
                                : ozelKod == QStringLiteral("FİLO") ? QStringLiteral("FİLO MÜŞTERİLERİ")
                                                                    : QStringLiteral("BAYİLER");
        cari.reset();
        cari.bindAll({c.carino,
                      c.kod,
                      c.adi,
                      adres1,
                      adres2,
                      ilce,
                      u8(city.il),
                      QStringLiteral("TÜRKİYE"),
                      tel1,
                      tel2,
                      fax1,
                      QString(),
                      gsm,
                      email,
                      vergiDairesi,
                      vergiNo,
                      c.yetkili,
                      anaGrup,
                      u8(city.il),
                      ozelKod,
                      u8(city.bolge),
                      sinif,
                      odeme,
                      c.userSirano ? QStringLiteral("B2B") : QString(),
                      c.risky ? QStringLiteral("RİSKLİ") : QString(),
                      c.indirim,
                      c.ekIndirim,
                      qint64(c.vade),
                      qint64(vadeKontrolGun),
                      qint64(vadeKontrolAy),
                      qint64(c.saticiNo)});
        cari.step();
        ctx.customers.push_back(c);
    };

    const QList<DemoLogin> logins = demoLogins();
    qint64 carino = 0;
    for (const FixedCustomer &f : fixedCustomers) {
        Customer c;
        c.carino = ++carino;
        const City &city = cities[f.city];
        c.kod = cariKod(city);
        c.adi = u8(f.adi);
        c.yetkili = u8(f.yetkili);
        c.saticiNo = f.satici;
        c.indirim = f.indirim;
        c.ekIndirim = f.ekIndirim;
        c.vade = f.vade;
        c.risky = f.risky;
        for (qsizetype i = 0; i < logins.size(); ++i) {
            if (logins[i].carino == c.carino && logins[i].active) {
                c.userSirano = i + 1;
                c.userAdi = logins[i].user;
                c.userKind = logins[i].kind;
                break;
            }
        }
        const QString tel2 = phoneNumber(rng, QLatin1String(city.alanKodu));
        insertCari(c, city, u8(f.ilce), u8(f.adres1), u8(f.adres2), u8(f.tel1), tel2, u8(f.gsm), u8(f.email),
                   u8(f.vergiDairesi), u8(f.vergiNo), u8(f.ozelKod), u8(f.sinif), rng.pick(odemeAliskanligi),
                   15, 0);
    }

    // Customers without a login of their own: the representatives order for
    // them, and they fill the representatives' lists.
    std::vector<const char *> words(std::begin(firmWords), std::end(firmWords));
    for (size_t i = words.size(); i > 1; --i)
        std::swap(words[i - 1], words[size_t(rng.between(0, int(i) - 1))]);
    for (const char *word : words) {
        Customer c;
        c.carino = ++carino;
        const City &city = rng.pick(cities);
        c.kod = cariKod(city);
        const QString trade = u8(rng.pick(firmTrades));
        const QString form = u8(rng.pick(firmForms));
        c.adi = u8(word) + QLatin1Char(' ') + trade;
        if (!form.isEmpty())
            c.adi += QLatin1Char(' ') + form;
        const QString first = u8(rng.pick(firstNames));
        const QString last = u8(rng.pick(lastNames));
        c.yetkili = first + QLatin1Char(' ') + last;
        c.saticiNo = 1 + rng.weighted({30, 30, 15, 25});
        c.indirim = rng.pick(std::array{0.0, 2.0, 3.0, 5.0, 5.0, 7.5, 10.0});
        c.ekIndirim = rng.chance(0.3) ? rng.pick(std::array{1.0, 2.0, 3.0}) : 0.0;
        c.vade = rng.pick(std::array{30, 45, 60, 60, 90});
        c.risky = rng.chance(0.2);

        const QString ilce = rng.pick(splitBar(city.ilceler));
        const QString site = rng.pick(splitBar(city.sanayi));
        const int blok = rng.between(1, 40);
        const int no = rng.between(1, 120);
        const QString adres1 = QStringLiteral("%1 %2. BLOK NO:%3").arg(site).arg(blok).arg(no);
        const QString adres2 =
            rng.chance(0.3) ? QStringLiteral("DÜKKAN %1").arg(rng.between(1, 12)) : QString();
        const QString alan = QLatin1String(city.alanKodu);
        const QString tel1 = phoneNumber(rng, alan);
        const QString tel2 = rng.chance(0.5) ? phoneNumber(rng, alan) : QString();
        const QString gsm = phoneNumber(rng, QStringLiteral("05%1").arg(rng.between(30, 55)));
        const QString email = QStringLiteral("info@%1.com.tr").arg(mailSlug(c.adi));
        const QString vergiNo = rng.digits(10);
        const QString ozelKod =
            trade.contains(QStringLiteral("SERVİS")) ? QStringLiteral("SERVİS") : QStringLiteral("BAYİ");
        const QString sinif = rng.pick(
            std::array{QStringLiteral("A SINIFI"), QStringLiteral("B SINIFI"), QStringLiteral("C SINIFI")});
        const QString odeme = rng.pick(odemeAliskanligi);
        const int kontrolGun = rng.pick(std::array{0, 7, 15});
        const int kontrolAy = rng.between(0, 1);
        insertCari(c, city, ilce, adres1, adres2, tel1, tel2, gsm, email, ilce + QStringLiteral(" V.D."),
                   vergiNo, ozelKod, sinif, odeme, kontrolGun, kontrolAy);
    }

    Statement kullanici = ctx.db.prepare(QStringLiteral(
        "INSERT INTO KULLANICI (SIRANO, ADI, SIFRE, AKTIF, MUSTERITIPI, MAIL, CARINO, SATICINO, "
        "BILGISAYARID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    qint64 sirano = 0;
    for (const DemoLogin &l : logins) {
        ++sirano;
        QString mail;
        if (l.carino > 0) {
            mail = ctx.db.scalarText(QStringLiteral("SELECT EMAIL FROM CARI WHERE CARINO = ?"), {l.carino});
        } else {
            mail = u8(reps[l.saticiNo - 1].email);
            Representative &rep = ctx.reps[size_t(l.saticiNo - 1)];
            if (rep.userSirano == 0) {
                rep.userSirano = sirano;
                rep.userAdi = l.user;
            }
        }
        kullanici.reset();
        kullanici.bindAll({sirano, l.user, l.password, qint64(l.active ? 1 : 0), qint64(l.kind), mail,
                           l.carino > 0 ? SqlValue(l.carino) : SqlValue(nullptr), qint64(l.saticiNo),
                           l.workstation});
        kullanici.step();
    }
}

} // namespace zelvora::server::demo
