#pragma once

#include <QString>

namespace zelvora::server::media {

// 123456 kuruş -> "1.234,56 TL", the way Turkish invoices print amounts.
QString formatKurus(qint64 kurus, const QString &currency = QStringLiteral("TL"));

// 123456 -> "Bin İki Yüz Otuz Dört Türk Lirası Elli Altı Kuruş"; receipts repeat the amount in words so it
// cannot be altered by adding a digit.
QString amountInWords(qint64 kurus);

} // namespace zelvora::server::media
