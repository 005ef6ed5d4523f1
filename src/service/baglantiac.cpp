#include "service/baglantiac.h"

#include "service/connection.h"
#include "service/errorhandler.h"
#include "service/mesajgoster.h"
#include "service/seams.h"

namespace zelvora {

bool BaglantiAc(Connection &connection, int mode)
{
    connection.close();
    int failures = 0;
    while (failures < BaglantiDenemeSayisi) {
        QString reason;
        try {
            connection.open();
            return true;
        } catch (...) {
            reason = HataMetni(std::current_exception());
        }
        ShowMessage(reason);
        connection.close();
        // The last failure waits too, before the final message.
        Seams::current().sleepMs(BaglantiBeklemesiMs);
        ++failures;
    }
    if (mode == 1)
        MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"), mtHata, 1 << mbOK,
                    mbOK);
    return false;
}

std::unique_ptr<Connection> AcikKopya(const Connection &bagc, int mode)
{
    std::unique_ptr<Connection> kopya = bagc.clone();
    if (!BaglantiAc(*kopya, mode))
        return {};
    return kopya;
}

} // namespace zelvora
