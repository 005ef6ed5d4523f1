#pragma once

#include <QString>

namespace zelvora {

// The user's documents folder; empty when it cannot be determined.
QString BelgelerKlasoru();

// The per-user settings folder ("ayar.ini" lives there): the XDG config
// folder + "/zelvora", created when missing, without a closing separator.
// Empty when it cannot be determined or created.
QString AyarKlasoru();

} // namespace zelvora
