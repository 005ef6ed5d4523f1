#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace zelvora::server {

class Db;

// Σ(BORC − ALACAK) of the customer's statement, rounded to the kuruş;
// positive is what the customer owes us.
double cariBakiye(Db &db, qint64 carino);

// "1.234,56" / "-1.234,56": amounts the way our printed documents show them.
QString tutarMetni(double tutar);

// Two picked days, either order, as [bas, son): the later day counts whole.
// Dates arrive as OLE days at midnight; anything that is not a number or lies
// outside the calendar is taken as the epoch rather than trusted.
struct GunAraligi
{
    double bas = 0;
    double son = 1;
    QDate ilkGun() const;
    QDate sonGun() const; // the last whole day inside
};
GunAraligi gunAraligi(double tarih1, double tarih2);

QDate oleGunu(double oleTarih);
double oleTarihi(QDate gun);

// A debit of the statement that the customer's payments have not covered yet,
// payments taken against the oldest debits first.
struct AcikKalem
{
    double tarih = 0;
    double vadeTarihi = 0;
    QString turAdi;
    QString evrak;
    double tutar = 0; // the debit as booked
    double kalan = 0; // the part still open
};

// The open debits of customer `carino` from the movements before `sonTarih`
// (exclusive), oldest first.
QList<AcikKalem> acikKalemler(Db &db, qint64 carino, double sonTarih);

} // namespace zelvora::server
