#pragma once

#include <QString>

namespace zelvora {

// A value for the query part of a web address: UTF-8, percent-encoded, so
// that "&", "=", "#", "+" and blanks in a name arrive as they were typed.
// Only letters, digits and "-._~" stay as they are.
QString UrlKodla(const QString &text);

} // namespace zelvora
