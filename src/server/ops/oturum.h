#pragma once

#include <QString>

namespace zelvora {
class TSonucBilgisi;
} // namespace zelvora

namespace zelvora::server {

class Call;
class Db;

// ---- workstations

// KULLANICI.SIRANO of the login bound to workstation `idsi` (compared after
// trimming), 0 when none is. A blank id never matches: unbound rows keep ''.
qint64 istasyonKullanicisi(Db &db, const QString &idsi);

// The login unknown workstations act as on the demo server: the first
// KULLANICI row of the demo dealer. 0 when the store has none.
qint64 demoBayiKullanicisi(Db &db);

// The login a workstation acts as: its own binding, or on the demo server the
// demo dealer. 0 when it has neither.
qint64 istasyonunGirisi(const Call &call, const QString &idsi);

// Notes a workstation that asked for a login and had none, so an operator can
// bind the one that just tried. Never throws: a busy store must not keep the
// client from its answer.
void bilinmeyenIstasyonuKaydet(Db &db, const QString &idsi);

// ---- what a login record may see

// Whose customers a call may touch. The record comes from the client, so only
// its serial and password are taken from it; the kind, the representative and
// the customer are the store's.
struct Kapsam
{
    enum Tur : int
    {
        Hicbiri = 0,  // unknown or inactive login: nothing
        Temsilci = 1, // representative (kind 1): the customers he looks after
        Hepsi = 2,    // sales manager (kind 2): every customer
        TekCari = 3,  // dealer: his own account only
    };
    int tur = Hicbiri;
    qint64 saticiNo = 0;
    qint64 carino = 0;
    int musteriTipi = 0;

    bool temsilciMi() const { return tur == Temsilci || tur == Hepsi; }
    // The representative workspace (customer list, board) shows nothing to dealers.
    Kapsam yalnizTemsilci() const;
};

Kapsam kapsamBul(Db &db, const TSonucBilgisi &bilgi);
// The same for a bare KULLANICI.SIRANO, as reports receive it.
Kapsam kapsamBul(Db &db, qint64 kullaniciSirano);

// A condition on a CARI row aliased `alias`, to be bound with the values of
// kapsamDegerleri in this order: tur, tur, saticiNo, tur, carino.
QString kapsamKosulu(const QString &alias);

} // namespace zelvora::server
