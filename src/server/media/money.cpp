#include "server/media/money.h"

#include <QLocale>
#include <QStringList>

#include <array>

namespace zelvora::server::media {

QString formatKurus(qint64 kurus, const QString &currency)
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const bool negative = kurus < 0;
    const quint64 magnitude = negative ? quint64(-(kurus + 1)) + 1 : quint64(kurus);
    QString text = turkish.toString(magnitude / 100) + QLatin1Char(',') +
                   QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    if (negative) {
        text.prepend(QLatin1Char('-'));
    }
    return currency.isEmpty() ? text : text + QLatin1Char(' ') + currency;
}

namespace {

// Below one thousand. Turkish says "yüz" and "bin", never "bir yüz" or "bir bin".
QString hundreds(int n)
{
    static const std::array<const char16_t *, 10> ones{u"",    u"Bir",  u"İki",  u"Üç",    u"Dört",
                                                       u"Beş", u"Altı", u"Yedi", u"Sekiz", u"Dokuz"};
    static const std::array<const char16_t *, 10> tens{u"",     u"On",     u"Yirmi",  u"Otuz",   u"Kırk",
                                                       u"Elli", u"Altmış", u"Yetmiş", u"Seksen", u"Doksan"};
    QStringList words;
    if (n >= 100) {
        if (n / 100 > 1) {
            words << QString::fromUtf16(ones[std::size_t(n / 100)]);
        }
        words << QStringLiteral("Yüz");
    }
    if (n % 100 >= 10) {
        words << QString::fromUtf16(tens[std::size_t(n % 100 / 10)]);
    }
    if (n % 10) {
        words << QString::fromUtf16(ones[std::size_t(n % 10)]);
    }
    return words.join(QLatin1Char(' '));
}

QString number(quint64 n)
{
    if (n == 0) {
        return QStringLiteral("Sıfır");
    }
    static const std::array<const char16_t *, 7> scales{u"",        u"Bin",       u"Milyon",   u"Milyar",
                                                        u"Trilyon", u"Katrilyon", u"Kentilyon"};
    QStringList groups;
    for (std::size_t scale = 0; n > 0; ++scale, n /= 1000) {
        const int part = int(n % 1000);
        if (part == 0) {
            continue;
        }
        QString words = scale == 1 && part == 1 ? QString() : hundreds(part);
        if (scale > 0) {
            words += (words.isEmpty() ? QString() : QStringLiteral(" ")) + QString::fromUtf16(scales[scale]);
        }
        groups.prepend(words);
    }
    return groups.join(QLatin1Char(' '));
}

} // namespace

QString amountInWords(qint64 kurus)
{
    const bool negative = kurus < 0;
    const quint64 magnitude = negative ? quint64(-(kurus + 1)) + 1 : quint64(kurus);
    QString text = number(magnitude / 100) + QStringLiteral(" Türk Lirası");
    if (magnitude % 100) {
        text += QLatin1Char(' ') + number(magnitude % 100) + QStringLiteral(" Kuruş");
    }
    return negative ? QStringLiteral("Eksi ") + text : text;
}

} // namespace zelvora::server::media
