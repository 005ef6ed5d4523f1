#pragma once

#include <QString>

namespace zelvora {

// The saved credentials, section "kullanici" of "ayar.ini" in the per-user
// settings folder. The password is kept in plain text because existing
// installations read it so; the file is readable by its owner only.
struct AyarKaydi
{
    QString isim;        // "isim": the user name as typed
    QString sifre;       // "sifre": the password as typed
    bool hatirla = true; // "hatırla": whether the login fills the boxes from the file
};

// AyarKlasoru() + "/ayar.ini"; empty when there is no settings folder.
QString AyarDosyasi();

// What the file holds. A missing file or key reads as empty texts; "hatırla"
// is read as an integer where anything but 0 is true and a missing key or a
// value that is not a number counts as true.
AyarKaydi AyarOku();
AyarKaydi AyarOku(const QString &dosya);

// Writes the three keys, keeping whatever else the file holds; the file is
// replaced in one step and created with mode 0600. False when it could not be
// written.
bool AyarKaydet(const AyarKaydi &ayar);
bool AyarKaydet(const QString &dosya, const AyarKaydi &ayar);

} // namespace zelvora
