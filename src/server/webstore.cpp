#include "server/webstore.h"

#include "server/itempictures.h"
#include "server/storage/db.h"
#include "table/table.h"

#include <QDateTime>
#include <QStringList>

namespace zelvora::server {

std::optional<QByteArray> WebStore::itemPicture(int stockNumber)
{
    return itemPictureFor(Db::forThread(m_config.dbPath), stockNumber);
}

void WebStore::storeWebRequest(const QMap<QString, QString> &fields)
{
    // The form's own fields go into the matching columns; everything else is
    // kept in KONU so nothing the requester typed is lost.
    static const QStringList known = {
        QStringLiteral("firmaadi"), QStringLiteral("adres"),   QStringLiteral("ilce"),
        QStringLiteral("sehir"),    QStringLiteral("telefon"), QStringLiteral("vd"),
        QStringLiteral("vn"),       QStringLiteral("yetkili"), QStringLiteral("mail")};
    QStringList rest;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (!known.contains(it.key()) && it.key() != QLatin1String("id"))
            rest << it.key() + QStringLiteral(": ") + it.value();
    }
    Db &db = Db::forThread(m_config.dbPath);
    db.execute(
        QStringLiteral("INSERT INTO ISTEK (ZAMAN, TUR, IDSI, BASLIK, FIRMAADI, ADRES1, ILCE, SEHIR, TELEFON, "
                       "VD, VN, YETKILI, MAIL, KONU) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {toOleDate(QDateTime::currentDateTime()), QStringLiteral("WEB"), fields.value(QStringLiteral("id")),
         QStringLiteral("Zelvora B2B İstek Formu"), fields.value(QStringLiteral("firmaadi")),
         fields.value(QStringLiteral("adres")), fields.value(QStringLiteral("ilce")),
         fields.value(QStringLiteral("sehir")), fields.value(QStringLiteral("telefon")),
         fields.value(QStringLiteral("vd")), fields.value(QStringLiteral("vn")),
         fields.value(QStringLiteral("yetkili")), fields.value(QStringLiteral("mail")),
         rest.join(QLatin1Char('\n'))});
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
