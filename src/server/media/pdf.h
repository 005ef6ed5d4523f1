#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace zelvora::server::media {

struct ReceiptContent
{
    QString receiptNo;
    QDateTime issuedAt;
    QString customerCode;
    QString customerName;
    qint64 amountKurus = 0;
    QString currency = QStringLiteral("TL");
    QString cardNumber; // full or already masked; only the masked form is ever printed
    QString cardHolder;
    QString bank;
    int installments = 1; // 1 is a single payment ("Peşin")
    QString authorisationCode;
    QString note; // optional, e.g. what the payment was for
};

struct ReportContent
{
    QString title;
    QString customerCode;
    QString customerName;
    QString representative;
    QDate from;
    QDate to;
    QStringList columns;
    QList<QStringList> rows; // short rows are padded, long ones cut to the column count
    QDateTime generatedAt;   // printed in the footer; also the document's creation date
};

// A4 PDFs with the company letterhead. Both need a QGuiApplication and return an empty array without
// one. Same input, same bytes: the creation date stored in the file is the receipt's or report's own date,
// not the clock.
QByteArray cardPaymentReceipt(const ReceiptContent &content);
QByteArray reportPdf(const ReportContent &content); // more than six columns are laid out in landscape

// "4543601234567890" -> "4543 60** **** 7890": first six and last four digits, the most the card schemes
// allow on a receipt. Text that already contains '*' is taken as masked by the bank and kept; anything
// else that is not 12 to 19 digits keeps only its last four characters.
QString maskCardNumber(const QString &number);

} // namespace zelvora::server::media
