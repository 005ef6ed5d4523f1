#pragma once

// Shared by the demo loader's own files only.

#include "server/demo/demodata.h"
#include "server/storage/db.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zelvora::server::demo {

// PCG32 (O'Neill). Our own, so the data set depends on nothing but the seed:
// std::rand and the standard distributions differ between libraries.
class Rng
{
public:
    Rng(quint64 seed, quint64 stream);

    quint32 next();
    int between(int lo, int hi); // both ends included
    double real();               // [0, 1)
    double between(double lo, double hi);
    bool chance(double p) { return real() < p; }
    // Index of the weight that was drawn.
    int weighted(std::initializer_list<int> weights);
    template<class C> const auto &pick(const C &c) { return c[size_t(between(0, int(std::size(c)) - 1))]; }
    QString digits(int n);

private:
    quint64 m_state = 0;
    quint64 m_inc = 0;
};

// Each part of the data set draws from its own stream, so adding a customer
// does not reshuffle the catalogue.
enum Stream : quint64
{
    CatalogueStream = 1,
    SelectionStream,
    AccountStream,
    BasketStream,
    OrderStream,
    FinanceStream,
    DocumentStream,
};

inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

double r2(double v); // the client's Yuvarla: two decimals, halves away from zero
double oleDate(QDate day, int secondsIntoDay = 0);
QString saatText(int secondsIntoDay);
// Turkish upper case ("i" becomes "İ").
QString turkishUpper(const QString &text);

using Rates = std::array<double, 4>;

// The amounts of one basket or order line, computed the way the client's
// stock line dialog does: the rates compound, each applied to what is left.
struct LineAmounts
{
    double tutar = 0;
    double indirimTutar = 0;
    double netBirimFiyat = 0;
    double vergiTutari = 0;
    double netTutar = 0;
    QString indirimYazi;
};
LineAmounts lineAmounts(double miktar, double birimFiyat, const Rates &rates, double kdv);
QString indirimYazisi(const Rates &rates);

struct Item
{
    qint64 stokNo = 0;
    QString barkod;
    QString adi;
    double liste = 0;
    double kamp = 0;
    double kdv = 20;
    Rates ind{};
    int k = 0;
};

struct Customer
{
    qint64 carino = 0;
    QString kod;
    QString adi;
    QString yetkili;
    int saticiNo = 0;
    double indirim = 0;
    double ekIndirim = 0;
    int vade = 30;
    bool risky = false; // pays late, so there is something past due to warn about
    // The login that acts for the account, if any.
    qint64 userSirano = 0;
    QString userAdi;
    int userKind = 0;
};

struct Representative
{
    int saticiNo = 0;
    QString adi;
    int tipi = 1;
    qint64 userSirano = 0; // 0 when the representative has no login
    QString userAdi;
};

struct CargoFirm
{
    qint64 sirano = 0;
    int kargoId = 0;
};

// The price a customer gets for an item: campaign items at their campaign
// price with no further discount (except for customers whose login may not
// see campaigns), others at the list price with the item's discounts, the
// customer's own discounts filling the third and fourth place where the item
// leaves them empty.
struct CustomerPrice
{
    double birimFiyat = 0;
    Rates rates{};
    int k = 0;
};
CustomerPrice customerPrice(const Item &item, const Customer &customer);

struct Context
{
    Db &db;
    const DemoOptions &options;
    QDate today;
    std::vector<Item> items;
    std::vector<int> popular; // indexes into items that sell often
    std::vector<int> campaign;
    std::vector<Customer> customers;
    std::vector<Representative> reps;
    std::vector<CargoFirm> cargoFirms;
};

void fillCatalogue(Context &ctx);
void fillLookups(Context &ctx);
void fillAccounts(Context &ctx);
void fillPromotions(Context &ctx);
void fillHistory(Context &ctx);

} // namespace zelvora::server::demo
