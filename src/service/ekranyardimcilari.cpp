#include "service/ekranyardimcilari.h"

namespace zelvora {

namespace {

QFont font(const QString &family, int pixels, bool bold)
{
    QFont f;
    f.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

QFont tahoma(int pixels, bool bold)
{
    return font(QStringLiteral("Tahoma"), pixels, bold);
}

QFont arial(int pixels, bool bold)
{
    return font(QStringLiteral("Arial"), pixels, bold);
}

QValidator::State BuyukHarf::validate(QString &input, int &pos) const
{
    const QString upper = input.toUpper();
    if (upper.size() != input.size())
        pos = int(qMin<qsizetype>(pos, upper.size()));
    input = upper;
    return Acceptable;
}

} // namespace zelvora
