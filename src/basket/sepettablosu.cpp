#include "basket/sepettablosu.h"

#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/sayfabaglami.h"
#include "service/servermethods.h"
#include "table/table.h"
#include "wire/objects.h"

#include <atomic>

namespace zelvora {

namespace {

std::atomic<quint64> yazimSayaci{0};

} // namespace

std::optional<DataPacket> SepetPaketiAl(const Connection &bagc, const TSonucBilgisi &sbilgi)
{
    const std::unique_ptr<Connection> baglanti = AcikKopya(bagc, 1);
    if (!baglanti)
        return std::nullopt;
    std::optional<DataPacket> paket;
    {
        TServerMethods1Client istemci(baglanti.get());
        paket = istemci.SepetVer2(sbilgi.CARINO());
    }
    // The connection closes with `baglanti`, whether the call returned or threw.
    baglanti->close();
    return paket;
}

void SepetPaketiYaz(Table &sepet, const DataPacket &paket)
{
    sepet.assign(paket.table());
    SayiFormatla(sepet);
    ++yazimSayaci;
}

bool SepetYukle(const Connection &bagc, const TSonucBilgisi &sbilgi, Table &sepet)
{
    const std::optional<DataPacket> paket = SepetPaketiAl(bagc, sbilgi);
    if (!paket)
        return false;
    SepetPaketiYaz(sepet, *paket);
    return true;
}

bool SepetYukle(const SayfaBaglami &baglam)
{
    if (!baglam.bagc || !baglam.sbilgi || !baglam.sepet)
        return false;
    return SepetYukle(*baglam.bagc, *baglam.sbilgi, *baglam.sepet);
}

quint64 SepetYazimSayaci()
{
    return yazimSayaci.load();
}

} // namespace zelvora
