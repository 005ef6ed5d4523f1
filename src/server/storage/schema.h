#pragma once

#include <QString>
#include <QStringView>

namespace zelvora::server {

class Db;

// Creates every table and index the operations rely on; safe to run on every
// start, an existing store is left as it is. Includes the item search index.
void createSchema(Db &db);

// Raised whenever a table gains or loses a column, so an operator can tell an
// old store from a new one (kept in AYAR under "SEMA").
int schemaVersion();

// Status of an order as the board and the order lists show it. The codes are
// the board's button numbers less one, so CariSepetVer's n maps to n - 1.
enum class SiparisDurumu : int
{
    Alindi = 1,
    Onaylandi = 2,
    Goruldu = 3,
    ParcaliHazirlandi = 4,
    Hazirlandi = 5,
    SevkEdildi = 6,
};
inline constexpr int siparisDurumuSayisi = 6;
// "Alındı", "Onaylandı", … for 1..6; an empty text for anything else.
QString siparisDurumMetni(int durumKodu);

// ---- item search (SQLite FTS5 with the trigram tokenizer)
//
// STOK_ARA(KOD, OEM, URETICI, FINISH, ADLAR, SADE) has rowid = STOK.STOKNO and
// holds folded copies of the searchable fields; SADE repeats every code with
// blanks and punctuation removed so "0986494" finds "0 986 494 123". It is not
// an ordinary table: a PostgreSQL store would use pg_trgm on STOK instead.
void createSearchIndex(Db &db);
// Refills the whole index from STOK; the demo loader runs it once.
void rebuildSearchIndex(Db &db);
// Brings one item's entry in line with its STOK row (or drops it when the
// row is gone). Call after changing any searchable column.
void updateSearchIndex(Db &db, qint64 stokNo);

// The client's search box turns Turkish letters into plain Latin and upper
// case; the index holds text folded the same way, so the two meet.
QString foldSearchText(QStringView text);
// Only letters and digits of the folded text: codes compared without blanks,
// dots, slashes and dashes.
QString compactSearchText(QStringView text);
// A MATCH argument for STOK_ARA built from what the user typed: the whole text
// as a phrase, every word of three or more letters, or the compact form. Bind
// it as a parameter. Empty when nothing of three characters is left, in which
// case there is nothing to search for (trigrams need three characters).
QString searchMatchExpression(QStringView typed);

} // namespace zelvora::server
