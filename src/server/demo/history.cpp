#include "server/demo/demointernal.h"
#include "server/storage/schema.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace zelvora::server::demo {

namespace {

constexpr int historyDays = 180;
constexpr qint64 firstOrderNo = 100001;

struct Placer
{
    qint64 sirano = 0;
    QString adi;
    bool representative = false;
};

// Who puts lines into a customer's basket or sends the order: the dealer's
// own login most of the time, otherwise the representative (or, for one
// without a login, the sales manager).
Placer placerFor(Rng &rng, const Context &ctx, const Customer &c)
{
    if (c.userSirano && rng.chance(0.7))
        return {c.userSirano, c.userAdi, false};
    const Representative *rep = &ctx.reps[size_t(c.saticiNo - 1)];
    if (rep->userSirano == 0) {
        for (const Representative &r : ctx.reps) {
            if (r.tipi == 2 && r.userSirano) {
                rep = &r;
                break;
            }
        }
    }
    return {rep->userSirano, rep->userAdi, true};
}

int workingSeconds(Rng &rng)
{
    return rng.between(8 * 3600 + 30 * 60, 18 * 3600 + 30 * 60);
}

// Distinct items for one document, most of them from the best sellers.
std::vector<int> pickItems(Rng &rng, const Context &ctx, int count)
{
    std::vector<int> picked;
    const int n = int(ctx.items.size());
    count = std::min(count, n);
    while (int(picked.size()) < count) {
        const int i = rng.chance(0.7) ? ctx.popular[size_t(rng.between(0, int(ctx.popular.size()) - 1))]
                                      : rng.between(0, n - 1);
        if (std::find(picked.begin(), picked.end(), i) == picked.end())
            picked.push_back(i);
    }
    return picked;
}

// Filters and plugs go by the box, clutch kits one at a time.
double pickQuantity(Rng &rng, double price)
{
    static const double quantities[] = {1, 2, 3, 4, 5, 10, 20};
    if (price >= 5000)
        return quantities[rng.weighted({80, 20})];
    if (price >= 1500)
        return quantities[rng.weighted({55, 30, 10, 5})];
    if (price >= 400)
        return quantities[rng.weighted({40, 25, 10, 10, 8, 7})];
    return quantities[rng.weighted({20, 20, 10, 15, 15, 15, 5})];
}

// ---------------------------------------------------------------- orders

struct OrderLine
{
    int item = 0;
    double miktar = 0;
    double birimFiyat = 0;
    double ilkFiyat = 0;
    Rates rates{};
    int k = 0;
    double teslim = 0;
    double kalan = 0;
    double verilis = 0;
    LineAmounts a;
};

struct Order
{
    size_t customer = 0;
    QDate day;
    int seconds = 0;
    int durum = 0;
    int teslimId = 2;
    int kargoId = 1;
    qint64 firm = 0;
    QString verenNotu, alanNotu, saticiNotu;
    Placer placer;
    std::vector<OrderLine> lines;
    qint64 idno = 0;
};

int statusForAge(Rng &rng, int age)
{
    using D = SiparisDurumu;
    if (age == 0)
        return int(rng.chance(0.6) ? D::Alindi : D::Goruldu);
    if (age <= 2)
        return int(std::array{D::Alindi, D::Goruldu, D::Onaylandi}[size_t(rng.weighted({20, 30, 50}))]);
    if (age <= 6)
        return int(std::array{D::Onaylandi, D::Hazirlandi,
                              D::ParcaliHazirlandi}[size_t(rng.weighted({20, 40, 40}))]);
    if (age <= 9)
        return int(std::array{D::Hazirlandi, D::ParcaliHazirlandi,
                              D::SevkEdildi}[size_t(rng.weighted({20, 20, 60}))]);
    return int(D::SevkEdildi);
}

const char *const verenNotlari[] = {
    "Acil lütfen, araç serviste bekliyor.",
    "Öğleden önce kargoya verilirse sevinirim.",
    "Faturayı e-posta ile gönderin.",
    "Eksik ürün varsa muadil göndermeyin, haber verin.",
    "Ambar teslimi olsun.",
    "Geçen siparişteki eksik balatayı da ekleyiniz.",
};
const char *const alanNotlari[] = {
    "Siparişiniz onaylandı, hazırlanıyor.",
    "Eksik kalemler tedarik edilince ayrıca gönderilecektir.",
    "Kargo takip numarası faturada yazılıdır.",
    "Stokta olmayan ürün için tedarik süresi 3-5 iş günüdür.",
};
const char *const saticiNotlari[] = {
    "Müşteri ile telefonda görüşüldü.",
    "Fiyat bölge müdürü onayıyla düzenlendi.",
    "Vadeli ödeme için çek alınacak.",
};

std::vector<Order> planOrders(Rng &rng, Context &ctx)
{
    using D = SiparisDurumu;
    std::vector<Order> orders;
    for (size_t ci = 0; ci < ctx.customers.size(); ++ci) {
        const Customer &c = ctx.customers[ci];
        const int count = c.userSirano ? rng.between(10, 16) : rng.between(3, 9);
        std::vector<int> ages;
        for (int i = 0; i < count; ++i)
            ages.push_back(rng.between(0, historyDays - 10));
        std::sort(ages.begin(), ages.end());
        std::vector<int> statuses;
        for (int age : ages)
            statuses.push_back(statusForAge(rng, age));
        // The demo dealer shows one order of every status, so the board and
        // the previous-orders page have all of them to show.
        if (c.carino == 1) {
            const int fixedAges[] = {0, 1, 2, 4, 5, 8};
            const D fixedStatuses[] = {D::Alindi,     D::Goruldu,           D::Onaylandi,
                                       D::Hazirlandi, D::ParcaliHazirlandi, D::SevkEdildi};
            for (size_t i = 0; i < std::size(fixedAges) && i < ages.size(); ++i) {
                ages[i] = fixedAges[i];
                statuses[i] = int(fixedStatuses[i]);
            }
        }

        for (size_t oi = 0; oi < ages.size(); ++oi) {
            Order o;
            o.customer = ci;
            o.day = ctx.today.addDays(-ages[oi]);
            o.seconds = workingSeconds(rng);
            o.durum = statuses[oi];
            o.placer = placerFor(rng, ctx, c);
            o.teslimId = 1 + rng.weighted({20, 65, 12, 3});
            o.kargoId = 1 + rng.weighted({60, 20, 15, 5});
            std::vector<qint64> firms;
            for (const CargoFirm &f : ctx.cargoFirms) {
                if (f.kargoId == o.kargoId)
                    firms.push_back(f.sirano);
            }
            o.firm = rng.pick(firms);
            if (rng.chance(0.4))
                o.verenNotu = u8(rng.pick(verenNotlari));
            if (o.durum != int(D::Alindi) && o.durum != int(D::Goruldu) && rng.chance(0.5))
                o.alanNotu = u8(rng.pick(alanNotlari));
            if (o.placer.representative && rng.chance(0.3))
                o.saticiNotu = u8(rng.pick(saticiNotlari));

            const int lineCount =
                std::array{1, 2, 3, 4, 5, 6, 8, 12}[size_t(rng.weighted({20, 25, 20, 15, 8, 6, 4, 2}))];
            const bool shipped = o.durum == int(D::SevkEdildi);
            for (int item : pickItems(rng, ctx, lineCount)) {
                const Item &it = ctx.items[size_t(item)];
                const CustomerPrice price = customerPrice(it, c);
                OrderLine l;
                l.item = item;
                l.miktar = pickQuantity(rng, price.birimFiyat);
                l.birimFiyat = price.birimFiyat;
                l.ilkFiyat = price.birimFiyat;
                l.rates = price.rates;
                l.k = price.k;
                if (o.placer.representative && !l.k && rng.chance(0.1))
                    l.birimFiyat = r2(l.birimFiyat * rng.between(0.92, 0.97));
                l.a = lineAmounts(l.miktar, l.birimFiyat, l.rates, it.kdv);
                // Lines wait in the basket for a while before the order goes:
                // earlier that day, or a day or two before in working hours.
                const int daysBefore = rng.weighted({70, 20, 10});
                if (daysBefore == 0)
                    l.verilis =
                        oleDate(o.day, rng.between(std::max(8 * 3600, o.seconds - 4 * 3600), o.seconds));
                else
                    l.verilis = oleDate(o.day.addDays(-daysBefore), workingSeconds(rng));
                if (shipped) {
                    // Most lines go out complete; some only in part or not at
                    // all, and what is missing stays open as a balance.
                    switch (rng.weighted({80, 12, 8})) {
                    case 0:
                        l.teslim = l.miktar;
                        break;
                    case 1:
                        l.teslim = l.miktar >= 2 ? rng.between(1, int(l.miktar) - 1) : 0;
                        break;
                    default:
                        l.teslim = 0;
                        break;
                    }
                }
                l.kalan = l.miktar - l.teslim;
                // Old balances are mostly closed by the time anyone looks.
                if (l.kalan > 0 && ages[oi] > 90 && rng.chance(0.5))
                    l.kalan = 0;
                o.lines.push_back(std::move(l));
            }
            orders.push_back(std::move(o));
        }
    }
    std::stable_sort(orders.begin(), orders.end(), [](const Order &a, const Order &b) {
        return std::tie(a.day, a.seconds) < std::tie(b.day, b.seconds);
    });
    return orders;
}

void insertOrders(Context &ctx, std::vector<Order> &orders, qint64 &basketLineNo)
{
    Statement siparis = ctx.db.prepare(QStringLiteral(
        "INSERT INTO SIPARIS (IDNO, CARINO, TARIH, SAAT, DURUM, DURUMKODU, TESLIMID, KARGOID, KARGOFIRMANO, "
        "VERENINNOTU, ALANNOTU, SATICINOTU, VEREN, VERENIDNO, SATICINO, KUR, KURTL) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement satir = ctx.db.prepare(QStringLiteral(
        "INSERT INTO SIPARISSATIR (IDNO, SIRANO, CARINO, STOKNO, BARKOD, STOKADI, MIKTAR, TESLIMEDILEN, "
        "KALAN, "
        "BIRIMFIYAT, ILKFIYAT, INDIRIMORANI1, INDIRIMORANI2, INDIRIMORANI3, INDIRIMORANI4, KDV, TUTAR, "
        "INDIRIMTUTAR, NETBIRIMFIYAT, VERGITUTARI, NETTUTAR, INDIRIMYAZI, K, VEREN, VERENIDNO, "
        "VERILISTARIHI, "
        "SAAT, KUR, KURTL) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, "
        "?, ?)"));
    const QString tl = QStringLiteral("TL");
    qint64 idno = firstOrderNo;
    for (Order &o : orders) {
        const Customer &c = ctx.customers[o.customer];
        o.idno = idno++;
        siparis.reset();
        siparis.bindAll({o.idno, c.carino, oleDate(o.day, o.seconds), saatText(o.seconds),
                         siparisDurumMetni(o.durum), qint64(o.durum), qint64(o.teslimId), qint64(o.kargoId),
                         o.firm, o.verenNotu, o.alanNotu, o.saticiNotu, o.placer.adi, o.placer.sirano,
                         qint64(c.saticiNo), tl, 1.0});
        siparis.step();
        for (const OrderLine &l : o.lines) {
            const Item &it = ctx.items[size_t(l.item)];
            const int verilisSeconds = int(std::lround((l.verilis - std::floor(l.verilis)) * 86400)) % 86400;
            satir.reset();
            satir.bindAll({o.idno,
                           ++basketLineNo,
                           c.carino,
                           it.stokNo,
                           it.barkod,
                           it.adi,
                           l.miktar,
                           l.teslim,
                           l.kalan,
                           l.birimFiyat,
                           l.ilkFiyat,
                           l.rates[0],
                           l.rates[1],
                           l.rates[2],
                           l.rates[3],
                           it.kdv,
                           l.a.tutar,
                           l.a.indirimTutar,
                           l.a.netBirimFiyat,
                           l.a.vergiTutari,
                           l.a.netTutar,
                           l.a.indirimYazi,
                           qint64(l.k),
                           o.placer.adi,
                           o.placer.sirano,
                           l.verilis,
                           saatText(verilisSeconds),
                           tl,
                           1.0});
            satir.step();
        }
    }
}

// ---------------------------------------------------------------- baskets

void fillBaskets(Context &ctx, qint64 &basketLineNo)
{
    Rng rng(ctx.options.seed, BasketStream);
    struct Plan
    {
        size_t customer;
        int lines;
        int marked; // how many lines carry SEC = 1
    };
    // Dealers with a login have something in the basket to look at; a few
    // others have baskets their representative started.
    std::vector<Plan> plans = {{0, 6, 3}, {1, 4, 2}, {6, 3, 0}, {7, 2, 1}};
    std::vector<size_t> others;
    for (size_t i = 0; i < ctx.customers.size(); ++i) {
        if (ctx.customers[i].userSirano == 0)
            others.push_back(i);
    }
    for (int n = 0; n < 5 && !others.empty(); ++n) {
        const size_t pick = size_t(rng.between(0, int(others.size()) - 1));
        const int lines = rng.between(1, 5);
        const int marked = rng.between(0, lines);
        plans.push_back({others[pick], lines, marked});
        others.erase(others.begin() + qsizetype(pick));
    }

    Statement sepet = ctx.db.prepare(QStringLiteral(
        "INSERT INTO SEPET (SIRANO, CARINO, STOKNO, BARKOD, STOKADI, MIKTAR, BIRIMFIYAT, ILKFIYAT, "
        "INDIRIMORANI1, "
        "INDIRIMORANI2, INDIRIMORANI3, INDIRIMORANI4, KDV, TUTAR, INDIRIMTUTAR, NETBIRIMFIYAT, VERGITUTARI, "
        "NETTUTAR, INDIRIMYAZI, SEC, K, VEREN, VERENIDNO, VERILISTARIHI, TARIH, SAAT, KUR, KURTL) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Plan &plan : plans) {
        if (plan.customer >= ctx.customers.size())
            continue;
        const Customer &c = ctx.customers[plan.customer];
        std::vector<int> items = pickItems(rng, ctx, plan.lines);
        // The demo dealer's basket holds a campaign item too.
        if (c.carino == 1 && !ctx.campaign.empty() &&
            std::find(items.begin(), items.end(), ctx.campaign.front()) == items.end())
            items.back() = ctx.campaign.front();
        int index = 0;
        for (int item : items) {
            const Item &it = ctx.items[size_t(item)];
            const CustomerPrice price = customerPrice(it, c);
            const double miktar = pickQuantity(rng, price.birimFiyat);
            const LineAmounts a = lineAmounts(miktar, price.birimFiyat, price.rates, it.kdv);
            const Placer placer = placerFor(rng, ctx, c);
            const QDate day = ctx.today.addDays(-rng.between(0, 6));
            const int seconds = workingSeconds(rng);
            sepet.reset();
            sepet.bindAll({++basketLineNo,
                           c.carino,
                           it.stokNo,
                           it.barkod,
                           it.adi,
                           miktar,
                           price.birimFiyat,
                           price.birimFiyat,
                           price.rates[0],
                           price.rates[1],
                           price.rates[2],
                           price.rates[3],
                           it.kdv,
                           a.tutar,
                           a.indirimTutar,
                           a.netBirimFiyat,
                           a.vergiTutari,
                           a.netTutar,
                           a.indirimYazi,
                           qint64(index < plan.marked ? 1 : 0),
                           qint64(price.k),
                           placer.adi,
                           placer.sirano,
                           oleDate(day, seconds),
                           oleDate(day),
                           saatText(seconds),
                           QStringLiteral("TL"),
                           1.0});
            sepet.step();
            ++index;
        }
    }
}

// ---------------------------------------------------------------- account history

struct InvoiceLine
{
    int item = 0;
    double miktar = 0;
    double fiyat = 0;
    Rates rates{};
    double kdv = 20;
    double tutar = 0, indirim = 0, net = 0, netBirim = 0, vergi = 0;
};

enum class EventKind
{
    Devir,
    Satis,
    Iade,
    Tahsilat,
    Tediye,
};

struct Event
{
    size_t customer = 0;
    QDate day;
    int seconds = 0;
    EventKind kind = EventKind::Devir;
    double amount = 0; // BORC for Devir/Satis/Tediye, ALACAK for Iade/Tahsilat
    // invoices
    std::vector<InvoiceLine> lines;
    qint64 siparisNo = 0;
    double siparisTarihi = 0;
    QString aciklama;
    // collections
    QString cins;
    bool sanalPos = false;
    QDate vade;
};

InvoiceLine invoiceLine(int item, double miktar, double fiyat, const Rates &rates, double kdv)
{
    InvoiceLine l;
    l.item = item;
    l.miktar = miktar;
    l.fiyat = fiyat;
    l.rates = rates;
    l.kdv = kdv;
    const LineAmounts a = lineAmounts(miktar, fiyat, rates, kdv);
    l.tutar = a.tutar;
    l.indirim = a.indirimTutar;
    l.net = a.netTutar;
    l.netBirim = a.netBirimFiyat;
    l.vergi = a.vergiTutari;
    return l;
}

double invoiceTotal(const std::vector<InvoiceLine> &lines)
{
    double matrah = 0, vergi = 0;
    for (const InvoiceLine &l : lines) {
        matrah = r2(matrah + l.net);
        vergi = r2(vergi + l.vergi);
    }
    return r2(matrah + vergi);
}

const char *const iadeNedenleri[] = {"Hatalı ürün", "Yanlış sipariş", "Hasarlı teslimat", "Araca uymadı"};

std::vector<Event> planFinance(Rng &rng, const Context &ctx, const std::vector<Order> &orders)
{
    std::vector<Event> all;
    const QDate start = ctx.today.addDays(-historyDays - 5);
    for (size_t ci = 0; ci < ctx.customers.size(); ++ci) {
        const Customer &c = ctx.customers[ci];
        std::vector<Event> events;

        Event devir;
        devir.customer = ci;
        devir.day = start;
        devir.kind = EventKind::Devir;
        if (rng.chance(0.75))
            devir.amount = r2(rng.between(2000.0, 60000.0));
        else if (rng.chance(0.2))
            devir.amount = -r2(rng.between(100.0, 2000.0));
        devir.aciklama = QStringLiteral("Önceki dönemden devir");
        if (devir.amount != 0)
            events.push_back(devir);

        // Sales invoices for what went out, a day or so after the order.
        for (const Order &o : orders) {
            if (o.customer != ci || o.durum != int(SiparisDurumu::SevkEdildi))
                continue;
            Event e;
            e.customer = ci;
            e.kind = EventKind::Satis;
            e.day = std::min(o.day.addDays(rng.between(0, 1)), ctx.today);
            e.seconds = std::max(o.seconds, rng.between(10 * 3600, 19 * 3600));
            for (const OrderLine &l : o.lines) {
                if (l.teslim > 0)
                    e.lines.push_back(
                        invoiceLine(l.item, l.teslim, l.birimFiyat, l.rates, ctx.items[size_t(l.item)].kdv));
            }
            if (e.lines.empty())
                continue;
            e.siparisNo = o.idno;
            e.siparisTarihi = oleDate(o.day, o.seconds);
            e.aciklama = QStringLiteral("B2B Sipariş No: %1").arg(o.idno);
            e.amount = invoiceTotal(e.lines);
            events.push_back(std::move(e));
        }
        // Sales over the counter or by phone, which never went through B2B.
        const int direct = c.userSirano ? rng.between(1, 3) : rng.between(0, 4);
        for (int i = 0; i < direct; ++i) {
            Event e;
            e.customer = ci;
            e.kind = EventKind::Satis;
            e.day = ctx.today.addDays(-rng.between(1, historyDays));
            e.seconds = workingSeconds(rng);
            const int lineCount = rng.between(1, 5);
            for (int item : pickItems(rng, ctx, lineCount)) {
                const CustomerPrice p = customerPrice(ctx.items[size_t(item)], c);
                const double miktar = pickQuantity(rng, p.birimFiyat);
                e.lines.push_back(
                    invoiceLine(item, miktar, p.birimFiyat, p.rates, ctx.items[size_t(item)].kdv));
            }
            e.aciklama = QStringLiteral("Telefonla sipariş");
            e.amount = invoiceTotal(e.lines);
            events.push_back(std::move(e));
        }
        // Now and then something comes back.
        const size_t salesCount = events.size();
        for (size_t i = 0; i < salesCount; ++i) {
            const Event &sale = events[i];
            if (sale.kind != EventKind::Satis || !rng.chance(0.08))
                continue;
            const QDate day = sale.day.addDays(rng.between(3, 20));
            if (day > ctx.today)
                continue;
            const InvoiceLine &from = sale.lines[size_t(rng.between(0, int(sale.lines.size()) - 1))];
            Event e;
            e.customer = ci;
            e.kind = EventKind::Iade;
            e.day = day;
            e.seconds = workingSeconds(rng);
            e.lines.push_back(
                invoiceLine(from.item, rng.between(1, int(from.miktar)), from.fiyat, from.rates, from.kdv));
            e.aciklama = QStringLiteral("İade - ") + u8(rng.pick(iadeNedenleri));
            e.amount = invoiceTotal(e.lines);
            events.push_back(std::move(e));
        }

        std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
            return std::tie(a.day, a.seconds) < std::tie(b.day, b.seconds);
        });

        // Payments every few weeks against what is owed; risky customers pay
        // little, so their invoices run past due.
        std::vector<Event> payments;
        bool firstPayment = true;
        for (QDate day = start.addDays(rng.between(10, 30)); day <= ctx.today;
             day = day.addDays(rng.between(12, 35))) {
            double balance = 0;
            for (const Event &e : events) {
                if (e.day > day)
                    break;
                balance += (e.kind == EventKind::Iade) ? -e.amount : e.amount;
            }
            for (const Event &p : payments)
                balance -= p.amount;
            if (balance < 500)
                continue;
            const double share = c.risky ? rng.between(0.15, 0.4) : rng.between(0.6, 1.0);
            const double amount = std::floor(balance * share / 50) * 50;
            if (amount < 100)
                continue;
            Event p;
            p.customer = ci;
            p.kind = EventKind::Tahsilat;
            p.day = day;
            p.seconds = workingSeconds(rng);
            p.amount = amount;
            p.vade = day;
            static const char *const cinsler[] = {"Nakit", "Kredi Kartı", "Havale/EFT", "Çek", "Senet"};
            int cins = rng.weighted({15, 30, 35, 15, 5});
            // The demo dealer's first payment is an online card payment, so
            // there is always a receipt to download.
            if (c.carino == 1 && firstPayment)
                cins = 1;
            p.cins = u8(cinsler[cins]);
            p.sanalPos = cins == 1 && ((c.carino == 1 && firstPayment) || rng.chance(0.65));
            if (cins == 3)
                p.vade = day.addDays(rng.between(30, 120));
            else if (cins == 4)
                p.vade = day.addDays(rng.between(60, 150));
            firstPayment = false;
            payments.push_back(std::move(p));
        }
        if (rng.chance(0.1)) {
            Event t;
            t.customer = ci;
            t.kind = EventKind::Tediye;
            t.day = ctx.today.addDays(-rng.between(5, historyDays - 20));
            t.seconds = workingSeconds(rng);
            t.amount = std::round(rng.between(250.0, 2500.0));
            t.cins = QStringLiteral("Havale/EFT");
            t.vade = t.day;
            t.aciklama = QStringLiteral("Fazla ödeme iadesi");
            payments.push_back(std::move(t));
        }
        for (Event &e : events)
            all.push_back(std::move(e));
        for (Event &p : payments)
            all.push_back(std::move(p));
    }
    std::stable_sort(all.begin(), all.end(), [](const Event &a, const Event &b) {
        return std::tie(a.day, a.seconds) < std::tie(b.day, b.seconds);
    });
    return all;
}

const char *const bankalar[] = {"Garanti BBVA",   "Türkiye İş Bankası", "Yapı Kredi", "Akbank",
                                "Ziraat Bankası", "Halkbank",           "QNB"};
const char *const kartBinleri[] = {"4543 60", "5406 67", "4790 82", "5528 79", "4355 08"};

void insertFinance(Context &ctx, const std::vector<Event> &events)
{
    Rng rng(ctx.options.seed, DocumentStream);
    Statement fatura =
        ctx.db.prepare(QStringLiteral("INSERT INTO FATURA (CARINO, EVRAKNO, EVRAKSERI, EVRAKSIRA, TARIH, "
                                      "SAAT, TURU, VADE, SATICINO, SIPARISNO, "
                                      "SIPARISTARIHI, IRSALIYENO, IRSALIYETARIHI, IRSALIYETIPI, KUR, KURTL) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement faturaSatir = ctx.db.prepare(QStringLiteral(
        "INSERT INTO FATURASATIR (IDNO, STOKNO, STOKHAR_MIKTAR, STOKHAR_TLBIRIMFIYATI, STOKHAR_TLTUTAR, "
        "STOKHAR_INDIRIM1, STOKHAR_INDIRIM2, STOKHAR_INDIRIM3, STOKHAR_INDIRIM4, STOKHAR_TOPLAMINDIRIM, "
        "STOKHAR_NETTLBIRIMFIYATI, STOKHAR_NETTLTUTAR, STOKHAR_TLVERGI, KDV, SATIRACIKLMASI) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement faturaAlt =
        ctx.db.prepare(QStringLiteral("INSERT INTO FATURAALT (IDNO, TOPLAM, TOPLAMINDIRIM, MATRAH, KDVTUTAR, "
                                      "KDVDAHIL) VALUES (?, ?, ?, ?, ?, ?)"));
    Statement stokHareket = ctx.db.prepare(QStringLiteral(
        "INSERT INTO STOKHAREKET (STOKNO, CARINO, TARIH, TURU, EVRAKSERI, EVRAKSIRA, MIKTAR, TLBIRIMFIYAT, "
        "TLTUTAR, "
        "INDIRIM1, INDIRIM2, INDIRIM3, INDIRIM4, TOPLAMINDIRIM, NETBIRIMFIYAT, NETTLTUTAR, TLVERGI, "
        "KDVDAHILBIRIMFIYAT, KDVDAHILTUTAR, VADE, SATICINO, FATURAIDNO) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement tahsilat =
        ctx.db.prepare(QStringLiteral("INSERT INTO TAHSILAT (CARINO, TARIH, SAAT, TURU, CINS, VADE, TUTAR, "
                                      "DOVIZTUTAR, KUR, KURTL, ACIKLAMA, "
                                      "EVRAKNO, REF) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement sanalPos =
        ctx.db.prepare(QStringLiteral("INSERT INTO SANALPOS (TAHSILATIDNO, CARINO, TARIH, KARTNO, "
                                      "KARTSAHIBI, BANKA, ONAYKODU, ISLEMNO, TAKSIT, "
                                      "TUTAR) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement hareket = ctx.db.prepare(QStringLiteral("INSERT INTO CARIHAREKET (CARINO, TARIH, VADETARIHI, "
                                                      "TURADI, EVRAK, BORC, ALACAK, KUR, ACIKLAMA, IDNO) "
                                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));

    const QString tl = QStringLiteral("TL");
    const QString seri = QStringLiteral("ZLV");
    const QString dateFormat = QStringLiteral("dd.MM.yyyy");
    qint64 faturaSira = 0, irsaliyeSira = 0, makbuzSira = 0;

    for (const Event &e : events) {
        const Customer &c = ctx.customers[e.customer];
        const double tarih = oleDate(e.day, e.seconds);
        const QString year = QString::number(e.day.year());
        switch (e.kind) {
        case EventKind::Devir:
            hareket.reset();
            hareket.bindAll({c.carino, tarih, tarih, QStringLiteral("Devir"), QStringLiteral("DEVİR"),
                             e.amount > 0 ? e.amount : 0.0, e.amount < 0 ? -e.amount : 0.0, tl, e.aciklama,
                             qint64(0)});
            hareket.step();
            break;
        case EventKind::Satis:
        case EventKind::Iade: {
            const bool satis = e.kind == EventKind::Satis;
            const QString turu = satis ? QStringLiteral("Satış Faturası") : QStringLiteral("İade Faturası");
            const int vade = satis ? c.vade : 0;
            ++faturaSira;
            ++irsaliyeSira;
            const QString evrakNo =
                seri + year + QStringLiteral("%1").arg(faturaSira, 9, 10, QLatin1Char('0'));
            const QString irsaliyeNo = QStringLiteral("IRS") + year +
                                       QStringLiteral("%1").arg(irsaliyeSira, 6, 10, QLatin1Char('0'));
            fatura.reset();
            fatura.bindAll(
                {c.carino, evrakNo, seri, faturaSira, tarih, saatText(e.seconds), turu, qint64(vade),
                 qint64(c.saticiNo), e.siparisNo ? SqlValue(e.siparisNo) : SqlValue(nullptr),
                 e.siparisNo ? SqlValue(e.siparisTarihi) : SqlValue(nullptr), irsaliyeNo, oleDate(e.day),
                 satis ? QStringLiteral("Satış İrsaliyesi") : QStringLiteral("İade İrsaliyesi"), tl, 1.0});
            fatura.step();
            const qint64 faturaId = ctx.db.lastInsertId();

            double toplam = 0, toplamIndirim = 0, kdvTutar = 0;
            for (const InvoiceLine &l : e.lines) {
                const Item &it = ctx.items[size_t(l.item)];
                faturaSatir.reset();
                faturaSatir.bindAll({faturaId, it.stokNo, l.miktar, l.fiyat, l.tutar, l.rates[0], l.rates[1],
                                     l.rates[2], l.rates[3], l.indirim, l.netBirim, l.net, l.vergi, l.kdv,
                                     satis ? QString() : e.aciklama});
                faturaSatir.step();
                stokHareket.reset();
                stokHareket.bindAll({it.stokNo,
                                     c.carino,
                                     tarih,
                                     turu,
                                     seri,
                                     faturaSira,
                                     l.miktar,
                                     l.fiyat,
                                     l.tutar,
                                     l.rates[0],
                                     l.rates[1],
                                     l.rates[2],
                                     l.rates[3],
                                     l.indirim,
                                     l.netBirim,
                                     l.net,
                                     l.vergi,
                                     r2(l.netBirim * (1 + l.kdv / 100)),
                                     r2(l.net + l.vergi),
                                     qint64(vade),
                                     qint64(c.saticiNo),
                                     faturaId});
                stokHareket.step();
                toplam = r2(toplam + l.tutar);
                toplamIndirim = r2(toplamIndirim + l.indirim);
                kdvTutar = r2(kdvTutar + l.vergi);
            }
            const double matrah = r2(toplam - toplamIndirim);
            const double kdvDahil = r2(matrah + kdvTutar);
            faturaAlt.reset();
            faturaAlt.bindAll({faturaId, toplam, toplamIndirim, matrah, kdvTutar, kdvDahil});
            faturaAlt.step();

            hareket.reset();
            hareket.bindAll({c.carino, tarih, oleDate(e.day.addDays(vade)), turu, evrakNo,
                             satis ? kdvDahil : 0.0, satis ? 0.0 : kdvDahil, tl, e.aciklama, faturaId});
            hareket.step();
            break;
        }
        case EventKind::Tahsilat:
        case EventKind::Tediye: {
            const bool tahsil = e.kind == EventKind::Tahsilat;
            const QString turu = tahsil ? QStringLiteral("Tahsilat") : QStringLiteral("Tediye");
            ++makbuzSira;
            const QString evrakNo = (tahsil ? QStringLiteral("TH") : QStringLiteral("TD")) + year +
                                    QLatin1Char('-') +
                                    QStringLiteral("%1").arg(makbuzSira, 6, 10, QLatin1Char('0'));
            const QString banka = u8(rng.pick(bankalar));
            QString aciklama = e.aciklama;
            QString ref;
            if (tahsil) {
                if (e.cins == QStringLiteral("Nakit")) {
                    aciklama = QStringLiteral("Elden nakit tahsilat");
                } else if (e.cins == QStringLiteral("Kredi Kartı")) {
                    aciklama = e.sanalPos ? QStringLiteral("Sanal POS ile ödeme")
                                          : QStringLiteral("POS cihazı ile tahsilat");
                    ref = QStringLiteral("SP") + rng.digits(10);
                } else if (e.cins == QStringLiteral("Havale/EFT")) {
                    aciklama = QStringLiteral("Banka havalesi - ") + banka;
                    ref = QStringLiteral("EFT") + rng.digits(8);
                } else if (e.cins == QStringLiteral("Çek")) {
                    aciklama =
                        QStringLiteral("Müşteri çeki - %1, vade %2").arg(banka, e.vade.toString(dateFormat));
                    ref = QStringLiteral("ÇEK NO: ") + rng.digits(7);
                } else {
                    aciklama = QStringLiteral("Senet, vade %1").arg(e.vade.toString(dateFormat));
                    ref = QStringLiteral("SNT-") + rng.digits(5);
                }
            } else {
                ref = QStringLiteral("EFT") + rng.digits(8);
            }
            tahsilat.reset();
            tahsilat.bindAll({c.carino, tarih, saatText(e.seconds), turu, e.cins, oleDate(e.vade), e.amount,
                              0.0, tl, 1.0, aciklama, evrakNo, ref});
            tahsilat.step();
            const qint64 tahsilatId = ctx.db.lastInsertId();
            if (e.sanalPos) {
                QString kart = u8(rng.pick(kartBinleri));
                kart += QStringLiteral("** **** ");
                kart += rng.digits(4);
                const int taksit = rng.pick(std::array{1, 1, 1, 2, 3, 6});
                const QString onay = rng.digits(6);
                sanalPos.reset();
                sanalPos.bindAll({tahsilatId, c.carino, tarih, kart, turkishUpper(c.yetkili), banka, onay,
                                  ref, qint64(taksit), e.amount});
                sanalPos.step();
            }
            hareket.reset();
            hareket.bindAll({c.carino, tarih, oleDate(e.vade), turu, evrakNo, tahsil ? 0.0 : e.amount,
                             tahsil ? e.amount : 0.0, tl, aciklama, tahsilatId});
            hareket.step();
            break;
        }
        }
    }
}

} // namespace

void fillHistory(Context &ctx)
{
    Rng rng(ctx.options.seed, OrderStream);
    std::vector<Order> orders = planOrders(rng, ctx);
    qint64 basketLineNo = 0;
    insertOrders(ctx, orders, basketLineNo);
    fillBaskets(ctx, basketLineNo);

    Rng finance(ctx.options.seed, FinanceStream);
    insertFinance(ctx, planFinance(finance, ctx, orders));
}

} // namespace zelvora::server::demo
