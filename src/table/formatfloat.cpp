#include "table/formatfloat.h"

#include <algorithm>
#include <cmath>

namespace zelvora {

namespace {

struct Pattern
{
    QString prefix;
    QString suffix;
    int minInt = 0;
    int minDec = 0;
    int maxDec = 0;
    bool thousands = false;
};

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char(',') || c == QLatin1Char('.');
}

Pattern parse(QStringView section)
{
    Pattern p;
    qsizetype begin = 0;
    while (begin < section.size() && !isPlaceholder(section[begin]))
        ++begin;
    qsizetype end = section.size();
    while (end > begin && !isPlaceholder(section[end - 1]))
        --end;
    p.prefix = section.left(begin).toString();
    p.suffix = section.mid(end).toString();
    bool afterPoint = false;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            if (!afterPoint)
                p.thousands = true;
        } else if (c == QLatin1Char('0')) {
            if (afterPoint) {
                ++p.minDec;
                ++p.maxDec;
            } else {
                ++p.minInt;
            }
        } else if (c == QLatin1Char('#')) {
            if (afterPoint)
                ++p.maxDec;
        }
    }
    // '0' placeholders are right-aligned in the integer part; a lone '#' before
    // a '0' does not force anything.
    return p;
}

} // namespace

QString FormatFloat(const QString &pattern, double value, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    const QStringView section = QStringView(pattern).left(
        pattern.indexOf(QLatin1Char(';')) < 0 ? pattern.size() : pattern.indexOf(QLatin1Char(';')));
    const Pattern p = parse(section);

    // 15 significant digits, the precision a double reliably carries.
    QString digits;
    int pointPos = 1; // digits before the decimal point
    const double magnitude = std::fabs(value);
    if (magnitude != 0) {
        const QString sci = QString::number(magnitude, 'e', 14); // d.dddddddddddddde+XX
        const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
        digits = sci.left(ePos);
        digits.remove(QLatin1Char('.'));
        pointPos = sci.mid(ePos + 1).toInt() + 1;
    } else {
        digits = QStringLiteral("0");
    }
    // Make the digit string cover [point-?, point + maxDec + 1].
    if (pointPos <= 0) {
        digits.prepend(QString(-pointPos + 1, QLatin1Char('0')));
        pointPos = 1;
    }
    const qsizetype keep = pointPos + p.maxDec;
    if (digits.size() < keep + 1)
        digits.append(QString(keep + 1 - digits.size(), QLatin1Char('0')));
    const bool roundUp = digits[keep] >= QLatin1Char('5');
    digits.truncate(keep);
    if (roundUp) {
        qsizetype i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(QLatin1Char('1'));
            ++pointPos;
        }
    }
    QString intPart = digits.left(pointPos);
    QString decPart = digits.mid(pointPos);
    while (intPart.size() > 1 && intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    if (intPart == QLatin1String("0"))
        intPart.clear();
    while (decPart.size() > p.minDec && decPart.endsWith(QLatin1Char('0')))
        decPart.chop(1);
    const bool isZero = intPart.isEmpty() && std::all_of(decPart.cbegin(), decPart.cend(),
                                                         [](QChar c) { return c == QLatin1Char('0'); });
    if (intPart.size() < p.minInt)
        intPart.prepend(QString(p.minInt - intPart.size(), QLatin1Char('0')));
    if (p.thousands && intPart.size() > 3) {
        const QString sep = locale.groupSeparator();
        for (qsizetype i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, sep);
    }
    QString text = p.prefix + intPart;
    if (!decPart.isEmpty())
        text += locale.decimalPoint() + decPart;
    text += p.suffix;
    if (value < 0 && !isZero)
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace zelvora
