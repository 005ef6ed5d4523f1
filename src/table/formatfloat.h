#pragma once

#include <QLocale>
#include <QString>

namespace zelvora {

// Number patterns as the screens write them ("#,###,##0.00"): '0' forces a
// digit, '#' allows one, ',' asks for thousands separators, '.' marks the
// decimals. Separators come from the locale, so Turkish users read 1.234,56.
// The value is first taken to 15 significant digits and then rounded half away
// from zero, so 2.675 shows as 2.68 although its binary double lies just below.
QString FormatFloat(const QString &pattern, double value, const QLocale &locale = QLocale());

} // namespace zelvora
