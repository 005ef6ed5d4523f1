#include "server/media/painting.h"
#include "server/media/pdf.h"
#include "server/media/pdfdocument.h"

#include <QFontMetricsF>
#include <QRegularExpression>

#include <algorithm>

namespace zelvora::server::media {

namespace {

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("…");
}

// Amounts, quantities and percentages read better right-aligned, so columns holding only such values are.
// Dates look numeric too but are read from the left.
bool numericColumn(const QList<QStringList> &rows, int column)
{
    static const QRegularExpression number(
        QStringLiteral("^[-+]?[0-9][0-9.,]*( ?(TL|USD|EUR|%|adet|ad\\.))?$"));
    static const QRegularExpression date(QStringLiteral("^[0-9]{1,2}[./][0-9]{1,2}[./][0-9]{2,4}"));
    bool any = false;
    for (const QStringList &row : rows) {
        const QString cell = column < row.size() ? row[column].trimmed() : QString();
        if (cell.isEmpty()) {
            continue;
        }
        if (!number.match(cell).hasMatch() || date.match(cell).hasMatch()) {
            return false;
        }
        any = true;
    }
    return any;
}

QList<double> columnWidths(const ReportContent &content, const QFont &headFont, const QFont &bodyFont,
                           double padding, double available)
{
    const QFontMetricsF head(headFont), body(bodyFont);
    QList<double> widths;
    double total = 0;
    for (int c = 0; c < content.columns.size(); ++c) {
        double width = head.horizontalAdvance(content.columns[c]);
        for (const QStringList &row : content.rows) {
            if (c < row.size()) {
                width = std::max(width, body.horizontalAdvance(row[c]));
            }
        }
        widths.append(width + 2 * padding);
        total += widths.last();
    }
    if (total <= available) {
        // Spread the spare room evenly so narrow tables still span the page.
        const double extra = (available - total) / double(widths.size());
        for (double &w : widths) {
            w += extra;
        }
        return widths;
    }
    // Too wide: shrink the wide columns first; short codes and amounts must stay readable.
    double limit = available / double(widths.size());
    for (int round = 0; round < 20; ++round) {
        double fixed = 0;
        int flexible = 0;
        for (double w : widths) {
            if (w <= limit) {
                fixed += w;
            } else {
                ++flexible;
            }
        }
        if (flexible == 0) {
            break;
        }
        const double next = (available - fixed) / flexible;
        if (std::abs(next - limit) < 0.5) {
            break;
        }
        limit = next;
    }
    for (double &w : widths) {
        w = std::min(w, limit);
    }
    return widths;
}

} // namespace

QByteArray reportPdf(const ReportContent &content)
{
    if (!canPaintText()) {
        return {};
    }
    ReportContent sheet = content;
    if (sheet.columns.isEmpty()) {
        sheet.columns << QString();
    }
    for (QStringList &row : sheet.rows) {
        while (row.size() < sheet.columns.size()) {
            row << QString();
        }
        row = row.mid(0, sheet.columns.size());
    }
    const QString title = sheet.title.trimmed().isEmpty() ? QStringLiteral("RAPOR") : sheet.title.trimmed();

    PdfDocument doc(title, sheet.generatedAt, sheet.columns.size() > 6);
    QPainter &p = doc.painter();
    const QRectF page = doc.area();
    const QFont headFont = doc.font(8.5, QFont::Bold);
    const QFont bodyFont = doc.font(8.5);
    const double pad = doc.mm(1.8), headHeight = doc.mm(8), rowHeight = doc.mm(6.2);
    // Room for the footer and, on the last page, the row count under the table.
    const double bottom = page.bottom() - doc.mm(17);
    const QList<double> widths = columnWidths(sheet, headFont, bodyFont, pad, page.width());
    QList<bool> numeric;
    for (int c = 0; c < sheet.columns.size(); ++c) {
        numeric.append(numericColumn(sheet.rows, c));
    }

    // The first page also carries the customer block, so it holds fewer rows.
    const double letterheadBottom = doc.bodyTop();
    const double infoHeight = doc.mm(22);
    const auto rowsFitting = [&](double top) {
        return std::max(1, int((bottom - top - headHeight) / rowHeight));
    };
    const int firstRows = rowsFitting(letterheadBottom + infoHeight);
    const int laterRows = rowsFitting(letterheadBottom);
    const int extra = std::max<qsizetype>(0, sheet.rows.size() - firstRows);
    const int pages = 1 + (extra + laterRows - 1) / laterRows;

    const QString footerText =
        (sheet.generatedAt.isValid()
             ? QStringLiteral("Oluşturma: ") +
                   sheet.generatedAt.toString(QStringLiteral("dd.MM.yyyy HH:mm")) + QStringLiteral(" · ")
             : QString()) +
        title + (sheet.customerCode.isEmpty() ? QString() : QStringLiteral(" · ") + sheet.customerCode);

    qsizetype next = 0;
    for (int pageNo = 1; pageNo <= pages; ++pageNo) {
        if (pageNo > 1) {
            doc.newPage();
        }
        double y = doc.letterhead(title);
        if (pageNo == 1) {
            const QRectF info(page.left(), y, page.width(), infoHeight - doc.mm(5));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(244, 246, 250));
            p.drawRoundedRect(info, doc.mm(1.5), doc.mm(1.5));
            const QString customer = sheet.customerCode.isEmpty()
                                         ? sheet.customerName
                                         : sheet.customerCode + QStringLiteral(" – ") + sheet.customerName;
            const QList<std::pair<QString, QString>> fields{
                {QStringLiteral("Müşteri"), customer},
                {QStringLiteral("Temsilci"), sheet.representative},
                {QStringLiteral("Dönem"), dateText(sheet.from) + QStringLiteral(" – ") + dateText(sheet.to)},
            };
            const double line = info.height() / 3.2;
            for (int i = 0; i < fields.size(); ++i) {
                const QRectF label(info.left() + doc.mm(4), info.top() + doc.mm(0.8) + i * line, doc.mm(24),
                                   line);
                p.setPen(QColor(70, 78, 92));
                p.setFont(doc.font(9, QFont::DemiBold));
                p.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, fields[i].first);
                p.setPen(QColor(25, 28, 35));
                drawFittedText(
                    p, QRectF(label.right(), label.top(), info.width() - label.width() - doc.mm(8), line),
                    Qt::AlignLeft | Qt::AlignVCenter, fields[i].second, doc.font(9.5), doc.mm(2));
            }
            y += infoHeight;
        }

        // Header row, repeated on every page.
        double x = page.left();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(12, 32, 74));
        p.drawRect(QRectF(page.left(), y, page.width(), headHeight));
        p.setPen(QColor(255, 255, 255));
        for (int c = 0; c < sheet.columns.size(); ++c) {
            const int align = (numeric[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            drawFittedText(p, QRectF(x + pad, y, widths[c] - 2 * pad, headHeight), align, sheet.columns[c],
                           headFont, doc.mm(2));
            x += widths[c];
        }
        y += headHeight;

        const int capacity = pageNo == 1 ? firstRows : laterRows;
        p.setFont(bodyFont);
        const QFontMetricsF metrics(bodyFont);
        for (int i = 0; i < capacity && next < sheet.rows.size(); ++i, ++next) {
            const QStringList &row = sheet.rows[next];
            if (next % 2) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(244, 246, 250));
                p.drawRect(QRectF(page.left(), y, page.width(), rowHeight));
            }
            x = page.left();
            p.setPen(QColor(25, 28, 35));
            for (int c = 0; c < row.size(); ++c) {
                const int align = (numeric[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
                const QRectF cell(x + pad, y, widths[c] - 2 * pad, rowHeight);
                p.drawText(cell, align, metrics.elidedText(row[c], Qt::ElideRight, cell.width()));
                x += widths[c];
            }
            y += rowHeight;
        }
        p.setPen(QPen(QColor(190, 196, 208), doc.mm(0.25)));
        p.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));

        if (pageNo == pages) {
            p.setPen(QColor(90, 96, 110));
            p.setFont(doc.font(8.5, QFont::DemiBold));
            const QString summary = sheet.rows.isEmpty()
                                        ? QStringLiteral("Bu dönem için kayıt bulunmuyor.")
                                        : QStringLiteral("Toplam %1 satır").arg(sheet.rows.size());
            p.drawText(QRectF(page.left(), y + doc.mm(1.5), page.width(), doc.mm(6)),
                       Qt::AlignLeft | Qt::AlignTop, summary);
        }
        doc.footer(footerText, pageNo, pages);
    }
    return doc.finish();
}

} // namespace zelvora::server::media
