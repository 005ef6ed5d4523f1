#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace zelvora::server {

class Db;

struct DemoOptions
{
    int items = 20000;
    quint32 seed = 20261211;
    // The day the order and account history leads up to; an empty date means
    // today. Tests fix it so that fills made on different days compare equal.
    QDate today;
};

// A login of the demo data set, for the README, the tests and the operator.
struct DemoLogin
{
    QString user;      // KULLANICI.ADI
    QString password;  // KULLANICI.SIFRE
    int kind = 0;      // KULLANICI.MUSTERITIPI
    qint64 carino = 0; // the customer account; 0 for representatives, who pick one
    int saticiNo = 0;  // the representative (for dealers: the one who looks after them)
    bool active = true;
    QString workstation; // KULLANICI.BILGISAYARID the login is bound to
    QString role;        // a few words for people reading the list
};

QList<DemoLogin> demoLogins();

// The dealer that unknown workstations are bound to on the demo server.
QString demoDealerUser();

// Fills an empty store (createSchema done) with a wholesaler's catalogue,
// customers, logins, baskets, orders and account history, in one transaction.
// The same options always give the same rows. Throws DbError when the store
// already holds items.
void fillDemoData(Db &db, const DemoOptions &options);

} // namespace zelvora::server
