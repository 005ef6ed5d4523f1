#include "server/demo/demodata.h"

#include "server/demo/demointernal.h"
#include "server/storage/db.h"

#include <QStringList>

#include <cmath>

namespace zelvora::server {

namespace demo {

// ---------------------------------------------------------------- Rng

Rng::Rng(quint64 seed, quint64 stream) : m_inc((stream << 1u) | 1u)
{
    next();
    m_state += seed;
    next();
}

quint32 Rng::next()
{
    const quint64 old = m_state;
    m_state = old * 6364136223846793005ULL + m_inc;
    const auto xorshifted = quint32(((old >> 18u) ^ old) >> 27u);
    const auto rot = quint32(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

int Rng::between(int lo, int hi)
{
    if (hi <= lo)
        return lo;
    const quint64 span = quint64(qint64(hi) - qint64(lo) + 1);
    return int(qint64(lo) + qint64((quint64(next()) * span) >> 32u));
}

double Rng::real()
{
    return next() / 4294967296.0;
}

double Rng::between(double lo, double hi)
{
    return lo + (hi - lo) * real();
}

int Rng::weighted(std::initializer_list<int> weights)
{
    int total = 0;
    for (int w : weights)
        total += w;
    int x = between(0, total - 1);
    int index = 0;
    for (int w : weights) {
        if (x < w)
            return index;
        x -= w;
        ++index;
    }
    return index - 1;
}

QString Rng::digits(int n)
{
    QString s;
    s.reserve(n);
    for (int i = 0; i < n; ++i)
        s += QLatin1Char(char('0' + between(0, 9)));
    return s;
}

// ---------------------------------------------------------------- helpers

double r2(double v)
{
    // The nudge keeps 2.675 (stored as 2.67499…) rounding up, as it does on
    // the client, which rounds the decimal it shows.
    const double scaled = v * 100;
    return std::round(scaled + (scaled >= 0 ? 1e-7 : -1e-7)) / 100;
}

double oleDate(QDate day, int secondsIntoDay)
{
    static const QDate epoch(1899, 12, 30);
    return double(epoch.daysTo(day)) + secondsIntoDay / 86400.0;
}

QString saatText(int secondsIntoDay)
{
    return QStringLiteral("%1:%2:%3")
        .arg(secondsIntoDay / 3600, 2, 10, QLatin1Char('0'))
        .arg(secondsIntoDay / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(secondsIntoDay % 60, 2, 10, QLatin1Char('0'));
}

QString turkishUpper(const QString &text)
{
    QString s = text;
    s.replace(QChar(u'i'), QChar(u'İ'));
    s.replace(QChar(u'ı'), QChar(u'I'));
    return s.toUpper();
}

QString indirimYazisi(const Rates &rates)
{
    QStringList parts;
    for (double r : rates) {
        if (r <= 0)
            continue;
        QString text = QString::number(r, 'f', 2);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        parts << text;
    }
    return parts.join(QLatin1Char('+'));
}

LineAmounts lineAmounts(double miktar, double birimFiyat, const Rates &rates, double kdv)
{
    LineAmounts a;
    a.tutar = r2(birimFiyat * miktar);
    double net = a.tutar;
    for (double r : rates) {
        if (r > 0)
            net -= net * r / 100;
    }
    net = r2(net);
    a.indirimTutar = r2(a.tutar - net);
    a.netBirimFiyat = miktar != 0 ? r2(net / miktar) : 0;
    a.vergiTutari = r2(net * kdv / 100);
    a.netTutar = net;
    a.indirimYazi = indirimYazisi(rates);
    return a;
}

CustomerPrice customerPrice(const Item &item, const Customer &customer)
{
    CustomerPrice p;
    if (item.k && item.kamp > 0 && customer.userKind != 4) {
        p.birimFiyat = item.kamp;
        p.k = 1;
        return p;
    }
    p.birimFiyat = item.liste;
    p.rates = {item.ind[0], item.ind[1], item.ind[2] > 0 ? item.ind[2] : customer.indirim,
               item.ind[3] > 0 ? item.ind[3] : customer.ekIndirim};
    return p;
}

// ---------------------------------------------------------------- fixed lists

void fillLookups(Context &ctx)
{
    // The order dialog preselects the second delivery kind, so the usual one,
    // sending by cargo, must come second.
    const char *const teslim[] = {"Depodan Teslim Alınacak", "Kargo ile Gönderilsin",
                                  "Servis Aracımızla Teslim", "Acil - Aynı Gün Teslim"};
    Statement st = ctx.db.prepare(QStringLiteral("INSERT INTO TESLIMCINSI (TESLIMID, ADI) VALUES (?, ?)"));
    qint64 id = 0;
    for (const char *name : teslim) {
        st.reset();
        st.bindAll({++id, u8(name)});
        st.step();
    }

    const char *const kargo[] = {"Anlaşmalı Kargo", "Ambar / Nakliyat", "Otobüs", "Şehir İçi Kurye"};
    st = ctx.db.prepare(QStringLiteral("INSERT INTO KARGOCINSI (KARGOID, ADI) VALUES (?, ?)"));
    id = 0;
    for (const char *name : kargo) {
        st.reset();
        st.bindAll({++id, u8(name)});
        st.step();
    }

    struct Firm
    {
        int kargoId;
        const char *adi;
        const char *uyari;
    };
    const Firm firms[] = {
        {1, "YURTİÇİ KARGO", "Saat 16:00'ya kadar verilen siparişler aynı gün kargoya teslim edilir."},
        {1, "ARAS KARGO", "Anlaşmalı gönderi: kargo ücreti faturanıza eklenir."},
        {1, "MNG KARGO", "Desi hesabı kargo firmasına aittir."},
        {1, "SÜRAT KARGO", "Alıcı ödemeli gönderilir."},
        {2, "ÖZ ANKARA AMBARI", "Ambar teslimatları 2-3 iş günü sürer, alıcı ödemelidir."},
        {2, "EGE NAKLİYAT", "Hacimli parçalar (tampon, radyatör) için önerilir."},
        {2, "KARADENİZ AMBARI", "Karadeniz bölgesine haftada üç sefer yapılır."},
        {3, "METRO TURİZM", "Otobüs yazıhanesinden teslim alınız; kimlik gereklidir."},
        {3, "KAMİL KOÇ", "Akşam seferine yetişmesi için siparişi 15:00'e kadar veriniz."},
        {3, "PAMUKKALE TURİZM", "Yazıhane teslimi, alıcı ödemeli."},
        {4, "ZELVORA MOTO KURYE", "Yalnızca İstanbul içi, 3 saat içinde teslim."},
    };
    st = ctx.db.prepare(
        QStringLiteral("INSERT INTO KARGOFIRMA (SIRANO, ADI, UYARI, KARGOID) VALUES (?, ?, ?, ?)"));
    id = 0;
    for (const Firm &f : firms) {
        st.reset();
        st.bindAll({++id, u8(f.adi), u8(f.uyari), qint64(f.kargoId)});
        st.step();
        ctx.cargoFirms.push_back({id, f.kargoId});
    }
}

void fillPromotions(Context &ctx)
{
    struct Duyuru
    {
        const char *baslik;
        const char *arama;
    };
    // One of each kind of link: the campaign page, the new-items page, two
    // searches and one that only closes.
    const Duyuru duyurular[] = {
        {"Kış Bakım Kampanyası Başladı!", "#KAMPANYA#"},
        {"Yeni Gelen Ürünlerimizi İnceleyin", "#YENİ#"},
        {"Fren Balatalarında Stoklar Yenilendi", "BALATA"},
        {"Triger Setlerinde Geniş Ürün Yelpazesi", "TRIGER"},
        {"Bayram Tatilinde Sevkiyat Takvimi", ""},
    };
    Statement st =
        ctx.db.prepare(QStringLiteral("INSERT INTO DUYURU (SIRA, BASLIK, ARAMA) VALUES (?, ?, ?)"));
    qint64 sira = 0;
    for (const Duyuru &d : duyurular) {
        st.reset();
        st.bindAll({++sira, u8(d.baslik), u8(d.arama)});
        st.step();
    }

    const char *const banners[][2] = {
        {"gif", "ZELVORA B2B - Yedek parçada güvenilir çözüm ortağınız"},
        {"gif", "Kış kampanyası: seçili filtre, akü ve silecekte net fiyatlar"},
        {"bmp", "16:00'ya kadar verilen siparişler aynı gün kargoda"},
    };
    st = ctx.db.prepare(QStringLiteral("INSERT INTO BANNER (SIRA, TUR, METIN) VALUES (?, ?, ?)"));
    sira = 0;
    for (const auto &b : banners) {
        st.reset();
        st.bindAll({++sira, u8(b[0]), u8(b[1])});
        st.step();
    }

    ctx.db.execute(
        QStringLiteral("INSERT INTO KAYANYAZI (SIRA, METIN) VALUES (?, ?)"),
        {qint64(1), u8("Değerli bayimiz, saat 16:00'ya kadar verdiğiniz siparişler aynı gün kargoya "
                       "teslim edilir.   ***   Kış bakım kampanyasında seçili ürünlerde stoklarla "
                       "sınırlı net fiyatlar!   ***   Sanal POS ile kredi kartına 3 taksit imkânı.")});

    const char *const ayarlar[][2] = {
        {"SURUM", "6"},
        {"FIRMAADI", "ZELVORA OTOMOTİV YEDEK PARÇA SAN. VE TİC. A.Ş."},
        {"WEBADRESI", "http://www.zelvora.com.tr/"},
        {"FIRMATELEFON", "0212 555 40 40"},
        {"FIRMAMAIL", "siparis@zelvora.com.tr"},
    };
    st = ctx.db.prepare(QStringLiteral("INSERT INTO AYAR (ANAHTAR, DEGER) VALUES (?, ?)"));
    for (const auto &a : ayarlar) {
        st.reset();
        st.bindAll({u8(a[0]), u8(a[1])});
        st.step();
    }
}

} // namespace demo

// ---------------------------------------------------------------- public

QList<DemoLogin> demoLogins()
{
    // Sirano 1..12 in this order; the workstation is "ZLVDEMO" + two digits of it.
    struct Row
    {
        const char *user;
        const char *password;
        int kind;
        int carino;
        int satici;
        bool active;
        const char *role;
    };
    static const Row rows[] = {
        {"DEMO", "1234", 0, 1, 1, true, "Bayi (demo sunucusunda tanınmayan bilgisayarlar buna bağlanır)"},
        {"KARTAL", "KARTAL06", 0, 2, 1, true, "Bayi, Ankara"},
        {"YILDIZ", "YILDIZ35", 0, 3, 2, true, "Bayi, İzmir"},
        {"AKDENIZ", "AKDENIZ07", 0, 4, 2, true, "Bayi, Antalya"},
        {"KARADENIZ", "KARADENIZ61", 0, 5, 3, true, "Bayi, Trabzon"},
        {"ULUDAG", "ULUDAG16", 0, 6, 1, true, "Bayi, Bursa"},
        {"ANADOLU", "ANADOLU42", 3, 7, 2, true, "Bayi, stok durumu gizli (tip 3)"},
        {"MARMARA", "MARMARA41", 4, 8, 3, true, "Filo müşterisi, kampanya görmez (tip 4)"},
        {"KARTAL2", "KARTAL06", 0, 2, 1, false, "Bayinin ikinci bilgisayarı, pasif"},
        {"AHMET", "AHMET01", 1, 0, 1, true, "Satış temsilcisi (tip 1)"},
        {"MEHMET", "MEHMET02", 1, 0, 2, true, "Satış temsilcisi (tip 1)"},
        {"AYSE", "AYSE03", 2, 0, 3, true, "Satış müdürü, bakiye fiyatı değiştirebilir (tip 2)"},
    };
    QList<DemoLogin> logins;
    int sirano = 0;
    for (const Row &r : rows) {
        ++sirano;
        DemoLogin l;
        l.user = QString::fromUtf8(r.user);
        l.password = QString::fromUtf8(r.password);
        l.kind = r.kind;
        l.carino = r.carino;
        l.saticiNo = r.satici;
        l.active = r.active;
        l.workstation = QStringLiteral("ZLVDEMO%1").arg(sirano, 2, 10, QLatin1Char('0'));
        l.role = QString::fromUtf8(r.role);
        logins << l;
    }
    return logins;
}

QString demoDealerUser()
{
    return QStringLiteral("DEMO");
}

void fillDemoData(Db &db, const DemoOptions &options)
{
    if (db.scalarInt(QStringLiteral("SELECT COUNT(*) FROM STOK")) > 0)
        throw DbError(
            QStringLiteral("the store already holds items; demo data goes into an empty store only"));

    // Orders draw several distinct items; below this they would run out.
    DemoOptions effective = options;
    effective.items = std::max(options.items, 50);

    Transaction tx(db);
    demo::Context ctx{db, effective, options.today.isValid() ? options.today : QDate::currentDate(),
                      {}, {},        {},
                      {}, {},        {}};
    demo::fillCatalogue(ctx);
    demo::fillLookups(ctx);
    demo::fillAccounts(ctx);
    demo::fillPromotions(ctx);
    demo::fillHistory(ctx);
    tx.commit();
}

} // namespace zelvora::server
