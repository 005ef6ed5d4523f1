#pragma once

#include <QLocale>

namespace zelvora {

// Money rounding to two decimals, half away from zero, done the way the
// amounts are shown: formatted under the locale, read back. Taking the value
// to 15 significant digits first is what makes 2.675 come out as 2.68
// although its double lies just below. Values that are not finite come back
// unchanged.
double Yuvarla(double x, const QLocale &locale = QLocale());

} // namespace zelvora
