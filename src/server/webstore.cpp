#include "server/webstore.h"

#include "server/itempictures.h"
#include "server/storage/db.h"
#include "table/table.h"

#include <QDateTime>

namespace zelvora::server {

std::optional<QByteArray> WebStore::itemPicture(int stockNumber)
{
    return itemPictureFor(Db::forThread(m_config.dbPath), stockNumber);
}

void WebStore::storeWebRequest(const QMap<QString, QString> &fields)
{
    const auto f = [&](const char *key) { return fields.value(QLatin1String(key)); };
    // The account and user the form was opened for go with the note, so the
    // person reading the request sees where it came from.
    QString konu = f("aciklama");
    if (!f("carino").isEmpty() || !f("kullanici").trimmed().isEmpty())
        konu = QStringLiteral("Cari: %1, Kullanıcı: %2\n").arg(f("carino"), f("kullanici").trimmed()) + konu;
    Db &db = Db::forThread(m_config.dbPath);
    db.execute(QStringLiteral(
                   "INSERT INTO ISTEK (ZAMAN, TUR, IDSI, BASLIK, FIRMAADI, ADRES1, SEHIR, TELEFON, VD, VN, "
                   "YETKILI, MAIL, KONU) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {toOleDate(QDateTime::currentDateTime()), QStringLiteral("WEB"), f("id"),
                QStringLiteral("Zelvora B2B İstek Formu"), f("firma"), f("adres"), f("sehir"), f("telefon"),
                f("vergidairesi"), f("vergino"), f("yetkili"), f("eposta"), konu});
}

QByteArray WebStore::installer()
{
    // The demo has no real installer to hand out; this one says so and ends,
    // which is enough for the client's update path to run from end to end.
    return QByteArrayLiteral("#!/bin/sh\n"
                             "# Zelvora B2B demo kurulumu\n"
                             "echo \"Zelvora B2B: demo kurulum paketi. Gerçek kurulum yapılmadı.\"\n"
                             "exit 0\n");
}

QString WebStore::companyName()
{
    Db &db = Db::forThread(m_config.dbPath);
    return db.scalarText(QStringLiteral("SELECT DEGER FROM AYAR WHERE ANAHTAR = ?"),
                         {QStringLiteral("FIRMAADI")}, QStringLiteral("Zelvora Oto Yedek Parça A.Ş."));
}

} // namespace zelvora::server
