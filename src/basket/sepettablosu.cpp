#include "basket/sepettablosu.h"

namespace zelvora {

bool SepetYukle(const Connection &, const TSonucBilgisi &, Table &)
{
    return false;
}

} // namespace zelvora
