#include "basket/sepettablosu.h"

#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "table/table.h"
#include "wire/objects.h"

namespace zelvora {

bool SepetYukle(const Connection &bagc, const TSonucBilgisi &sbilgi, Table &sepet)
{
    const std::unique_ptr<Connection> baglanti = bagc.clone();
    if (!BaglantiAc(*baglanti, 1))
        return false;
    {
        TServerMethods1Client istemci(baglanti.get());
        const DataPacket paket = istemci.SepetVer2(sbilgi.CARINO());
        sepet.assign(paket.table());
        SayiFormatla(sepet);
    }
    // The connection closes with `baglanti`, whether the call returned or threw.
    baglanti->close();
    return true;
}

} // namespace zelvora
