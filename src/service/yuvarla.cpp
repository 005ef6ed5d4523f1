#include "service/yuvarla.h"

#include "table/formatfloat.h"

#include <cmath>

namespace zelvora {

double Yuvarla(double x, const QLocale &locale)
{
    if (!std::isfinite(x))
        return x;
    // No digit is forced before the separator: 0.5 becomes ",50" in Turkish,
    // which the locale reads back all the same.
    QString text = FormatFloat(QStringLiteral("#,###,##.00"), x, locale);
    text.remove(locale.groupSeparator());
    bool ok = false;
    const double rounded = locale.toDouble(text, &ok);
    return ok ? rounded : x;
}

} // namespace zelvora
