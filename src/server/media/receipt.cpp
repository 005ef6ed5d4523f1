#include "server/media/money.h"
#include "server/media/painting.h"
#include "server/media/pdf.h"
#include "server/media/pdfdocument.h"

#include <QFontMetricsF>

namespace zelvora::server::media {

QString maskCardNumber(const QString &number)
{
    const QString trimmed = number.simplified();
    if (trimmed.contains(QLatin1Char('*'))) {
        return trimmed;
    }
    QString digits;
    for (const QChar c : trimmed) {
        if (c.isDigit()) {
            digits += c;
        } else if (c != QLatin1Char(' ') && c != QLatin1Char('-')) {
            digits.clear();
            break;
        }
    }
    if (digits.size() >= 12 && digits.size() <= 19) {
        QString masked = digits.left(6) + QString(digits.size() - 10, QLatin1Char('*')) + digits.right(4);
        QString grouped;
        for (qsizetype i = 0; i < masked.size(); i += 4) {
            grouped += (grouped.isEmpty() ? QString() : QStringLiteral(" ")) + masked.mid(i, 4);
        }
        return grouped;
    }
    if (trimmed.size() <= 4) {
        return QString(trimmed.size(), QLatin1Char('*'));
    }
    return QString(trimmed.size() - 4, QLatin1Char('*')) + trimmed.right(4);
}

QByteArray cardPaymentReceipt(const ReceiptContent &content)
{
    if (!canPaintText()) {
        return {};
    }
    const QString title = QStringLiteral("KREDİ KARTI TAHSİLAT MAKBUZU");
    PdfDocument doc(title + QStringLiteral(" ") + content.receiptNo, content.issuedAt);
    QPainter &p = doc.painter();
    const QRectF page = doc.area();
    double y = doc.letterhead(title);

    const QString when = content.issuedAt.isValid()
                             ? content.issuedAt.toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                             : QString();
    const QString installments = content.installments > 1
                                     ? QStringLiteral("%1 taksit").arg(content.installments)
                                     : QStringLiteral("Peşin");
    QList<std::pair<QString, QString>> lines{
        {QStringLiteral("Makbuz No"), content.receiptNo},
        {QStringLiteral("Tarih"), when},
        {QStringLiteral("Müşteri Kodu"), content.customerCode},
        {QStringLiteral("Müşteri Ünvanı"), content.customerName},
        {QStringLiteral("Kart Sahibi"), content.cardHolder},
        {QStringLiteral("Kart Numarası"), maskCardNumber(content.cardNumber)},
        {QStringLiteral("Banka"), content.bank},
        {QStringLiteral("Taksit"), installments},
        {QStringLiteral("Onay Kodu"), content.authorisationCode},
    };
    if (!content.note.trimmed().isEmpty()) {
        lines.append({QStringLiteral("Açıklama"), content.note.simplified()});
    }

    // Label/value table.
    const double rowHeight = doc.mm(8.5), labelWidth = doc.mm(48), pad = doc.mm(3);
    const QRectF table(page.left(), y, page.width(), rowHeight * lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF row(table.left(), table.top() + i * rowHeight, table.width(), rowHeight);
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 ? QColor(255, 255, 255) : QColor(244, 246, 250));
        p.drawRect(row);
        p.setBrush(QColor(232, 236, 244));
        p.drawRect(QRectF(row.left(), row.top(), labelWidth, rowHeight));
        p.setPen(QColor(70, 78, 92));
        p.setFont(doc.font(9.5, QFont::DemiBold));
        p.drawText(QRectF(row.left() + pad, row.top(), labelWidth - 2 * pad, rowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, lines[i].first);
        p.setPen(QColor(25, 28, 35));
        drawFittedText(
            p,
            QRectF(row.left() + labelWidth + pad, row.top(), row.width() - labelWidth - 2 * pad, rowHeight),
            Qt::AlignLeft | Qt::AlignVCenter, lines[i].second, doc.font(10), doc.mm(2.2));
    }
    p.setPen(QPen(QColor(190, 196, 208), doc.mm(0.25)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(table);
    y = table.bottom() + doc.mm(7);

    // The amount, set apart and repeated in words.
    const QRectF amountBox(page.left(), y, page.width(), doc.mm(22));
    p.setPen(QPen(QColor(12, 32, 74), doc.mm(0.5)));
    p.setBrush(QColor(250, 251, 253));
    p.drawRoundedRect(amountBox, doc.mm(2), doc.mm(2));
    p.setPen(QColor(70, 78, 92));
    p.setFont(doc.font(10, QFont::DemiBold));
    p.drawText(QRectF(amountBox.left() + doc.mm(5), amountBox.top() + doc.mm(2), doc.mm(60), doc.mm(9)),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TAHSİL EDİLEN TUTAR"));
    p.setPen(QColor(12, 32, 74));
    p.setFont(doc.font(20, QFont::Bold));
    p.drawText(
        QRectF(amountBox.left(), amountBox.top() + doc.mm(1), amountBox.width() - doc.mm(5), doc.mm(12)),
        Qt::AlignRight | Qt::AlignVCenter, formatKurus(content.amountKurus, content.currency));
    p.setPen(QColor(70, 78, 92));
    drawFittedText(p,
                   QRectF(amountBox.left() + doc.mm(5), amountBox.top() + doc.mm(12),
                          amountBox.width() - doc.mm(10), doc.mm(8)),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Yalnız: ") + amountInWords(content.amountKurus), doc.font(9.5), doc.mm(2));
    y = amountBox.bottom() + doc.mm(8);

    p.setPen(QColor(90, 96, 110));
    p.setFont(doc.font(8.5));
    p.drawText(
        QRectF(page.left(), y, page.width(), doc.mm(14)), Qt::AlignLeft | Qt::TextWordWrap,
        QStringLiteral("Yukarıda bilgileri yazılı tutar, kart sahibinin onayı ile kredi kartından tahsil "
                       "edilmiş ve müşterinin cari hesabına alacak olarak kaydedilmiştir."));
    y += doc.mm(26);

    // Signature fields.
    const double half = (page.width() - doc.mm(20)) / 2;
    for (int i = 0; i < 2; ++i) {
        const double left = page.left() + i * (half + doc.mm(20));
        p.setPen(QPen(QColor(150, 156, 168), doc.mm(0.25)));
        p.drawLine(QPointF(left, y + doc.mm(18)), QPointF(left + half, y + doc.mm(18)));
        p.setPen(QColor(70, 78, 92));
        p.setFont(doc.font(9, QFont::DemiBold));
        p.drawText(QRectF(left, y + doc.mm(19), half, doc.mm(6)), Qt::AlignHCenter | Qt::AlignTop,
                   i == 0 ? QStringLiteral("Tahsil Eden") : QStringLiteral("Kart Sahibi"));
    }

    doc.footer(companyName + QStringLiteral(" · Makbuz ") + content.receiptNo, 1, 1);
    return doc.finish();
}

} // namespace zelvora::server::media
