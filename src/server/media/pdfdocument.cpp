#include "server/media/pdfdocument.h"

#include "server/media/painting.h"

#include <QPageLayout>
#include <QPageSize>
#include <QTimeZone>

namespace zelvora::server::media {

namespace {

constexpr int dpi = 300;
const QColor ink(30, 34, 42);
const QColor navy(12, 32, 74);
const QColor amber(255, 184, 0);

// QPdfWriter stamps the wall-clock time into the info dictionary. We put the document's own date there
// instead, with exactly as many characters, so the cross-reference offsets stay valid.
void replaceCreationDate(QByteArray &pdf, const QDateTime &stamp)
{
    static const QByteArray key = QByteArrayLiteral("/CreationDate (D:");
    const qsizetype at = pdf.indexOf(key);
    if (at < 0) {
        return;
    }
    const qsizetype start = at + key.size();
    const qsizetype end = pdf.indexOf(')', start);
    if (end < 0) {
        return;
    }
    const QDateTime utc =
        (stamp.isValid() ? stamp : QDateTime(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc())).toUTC();
    // Qt ends the date with "Z" when the machine runs on UTC and with "+HH'mm'" otherwise.
    const qsizetype length = end - start;
    const QByteArray date = utc.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
                            (length == 15 ? QByteArrayLiteral("Z") : QByteArrayLiteral("+00'00'"));
    if (date.size() != length) {
        return;
    }
    pdf.replace(start, length, date);
}

} // namespace

PdfDocument::PdfDocument(const QString &title, const QDateTime &stamp, bool landscape)
    : m_buffer(&m_bytes), m_stamp(stamp)
{
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setResolution(dpi);
    m_writer->setTitle(title);
    m_writer->setCreator(companyName);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                        landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(15, 14, 15, 14), QPageLayout::Millimeter));
    m_painter.begin(m_writer.get());
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

PdfDocument::~PdfDocument()
{
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

double PdfDocument::mm(double millimetres) const
{
    return millimetres * dpi / 25.4;
}

QFont PdfDocument::font(double points, QFont::Weight weight) const
{
    return sansFont(points * dpi / 72.0, weight);
}

QRectF PdfDocument::area() const
{
    return QRectF(QPointF(0, 0), QSizeF(m_writer->width(), m_writer->height()));
}

double PdfDocument::letterhead(const QString &documentTitle)
{
    QPainter &p = m_painter;
    const QRectF page = area();
    // Logo mark: a navy square with an amber bar, echoing the banners on the web site.
    const QRectF mark(page.left(), page.top(), mm(11), mm(11));
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawRoundedRect(mark, mm(1.5), mm(1.5));
    p.setBrush(amber);
    p.drawRect(QRectF(mark.left(), mark.bottom() - mm(2), mark.width(), mm(2)));
    p.setPen(QColor(255, 255, 255));
    p.setFont(font(17, QFont::Black));
    p.drawText(mark.adjusted(0, 0, 0, -mm(1.5)), Qt::AlignCenter, QStringLiteral("Z"));

    p.setPen(navy);
    p.setFont(font(14, QFont::Bold));
    p.drawText(QRectF(mark.right() + mm(3), page.top() - mm(0.5), page.width() * 0.6, mm(6.5)),
               Qt::AlignLeft | Qt::AlignVCenter, companyName);
    p.setPen(QColor(100, 108, 120));
    p.setFont(font(8.5));
    p.drawText(QRectF(mark.right() + mm(3), page.top() + mm(6), page.width() * 0.6, mm(5)),
               Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Oto yedek parça toptan satış · Zelvora B2B"));

    const double rule = page.top() + mm(14);
    p.setPen(QPen(navy, mm(0.5)));
    p.drawLine(QPointF(page.left(), rule), QPointF(page.right(), rule));
    p.setPen(QPen(amber, mm(0.5)));
    p.drawLine(QPointF(page.left(), rule + mm(0.8)), QPointF(page.left() + mm(30), rule + mm(0.8)));

    p.setPen(ink);
    drawFittedText(p, QRectF(page.left(), rule + mm(3), page.width(), mm(9)),
                   Qt::AlignLeft | Qt::AlignVCenter, documentTitle, font(15, QFont::Bold), mm(3));
    return bodyTop();
}

void PdfDocument::footer(const QString &left, int page, int pages)
{
    QPainter &p = m_painter;
    const QRectF a = area();
    const double top = a.bottom() - mm(7);
    p.setPen(QPen(QColor(190, 195, 205), mm(0.2)));
    p.drawLine(QPointF(a.left(), top), QPointF(a.right(), top));
    p.setPen(QColor(110, 116, 128));
    p.setFont(font(7.5));
    p.drawText(QRectF(a.left(), top + mm(1), a.width() * 0.7, mm(6)), Qt::AlignLeft | Qt::AlignVCenter, left);
    if (pages > 0) {
        p.drawText(QRectF(a.left() + a.width() * 0.7, top + mm(1), a.width() * 0.3, mm(6)),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Sayfa %1 / %2").arg(page).arg(pages));
    }
}

void PdfDocument::newPage()
{
    m_writer->newPage();
}

QByteArray PdfDocument::finish()
{
    if (m_painter.isActive()) {
        m_painter.end();
    }
    m_buffer.close();
    replaceCreationDate(m_bytes, m_stamp);
    return m_bytes;
}

} // namespace zelvora::server::media
