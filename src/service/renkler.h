#pragma once

#include <QColor>

namespace zelvora {

// The program's colours, shared by the style and the pictures drawn in code.
namespace zircon {
inline const QColor pencere{236, 239, 243};
inline const QColor zemin{255, 255, 255};
inline const QColor yazi{42, 45, 52};
inline const QColor dugme{226, 230, 236};
inline const QColor cerceve{184, 190, 199};
inline const QColor vurgu{0, 114, 188};
inline const QColor sekme{61, 65, 74};          // a tab at rest, the same as the grid headers
inline const QColor sekmeUzerinde{82, 88, 100}; // under the mouse
inline const QColor sekmeSecili{0, 114, 188};
inline const QColor sekmeYazisi{255, 255, 255};
inline const QColor sekmeSayisi{255, 48, 48};
inline const QColor aciklama{67, 76, 88}; // the status legend
} // namespace zircon

} // namespace zelvora
