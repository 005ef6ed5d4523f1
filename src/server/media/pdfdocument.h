#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>

#include <memory>

namespace zelvora::server::media {

inline const QString companyName = QStringLiteral("Zelvora Oto Yedek Parça A.Ş.");

// What our receipts and reports share: A4 page, letterhead, footer, units in millimetres and bytes that do
// not change from run to run.
class PdfDocument
{
public:
    PdfDocument(const QString &title, const QDateTime &stamp, bool landscape = false);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    QPainter &painter() { return m_painter; }
    double mm(double millimetres) const;
    QFont font(double points, QFont::Weight weight = QFont::Normal) const;
    // The printable area in device units, inside the margins.
    QRectF area() const;

    // Draws the letterhead with documentTitle under it; returns where the body may start, which is
    // always bodyTop().
    double letterhead(const QString &documentTitle);
    double bodyTop() const { return area().top() + mm(29); }
    void footer(const QString &left, int page, int pages);
    void newPage();

    QByteArray finish();

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    QDateTime m_stamp;
};

} // namespace zelvora::server::media
