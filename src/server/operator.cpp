#include "server/operator.h"

#include "server/server.h"
#include "server/storage/db.h"

#include <cstdio>

namespace zelvora::server {

int bindLastWorkstation(const ServerConfig &given, const QString &user)
{
    ServerConfig config = given;
    if (config.dbPath.isEmpty())
        config.dbPath = config.dataDir + QStringLiteral("/zelvora.db");
    try {
        Server::prepareStore(config);
        auto db = Db::open(config.dbPath);
        const QString workstation = db->scalarText(
            QStringLiteral("SELECT BILGISAYARID FROM BILINMEYENBILGISAYAR ORDER BY SONGORULME DESC LIMIT 1"));
        if (workstation.isEmpty()) {
            std::fprintf(stderr,
                         "zelvora-server: henüz giriş denemesi yapan bir iş istasyonu yok. Önce istemciyi "
                         "açıp giriş deneyin, sonra bu komutu tekrar çalıştırın.\n");
            return 1;
        }
        const qint64 target = db->scalarInt(
            QStringLiteral("SELECT SIRANO FROM KULLANICI WHERE ADI = ? ORDER BY SIRANO LIMIT 1"),
            {user.toUpper()}, 0);
        if (target == 0) {
            std::fprintf(stderr, "zelvora-server: '%s' adında kullanıcı yok.\n", qPrintable(user));
            return 1;
        }
        Transaction tx(*db);
        // A workstation belongs to one login: release it wherever it was bound.
        db->execute(QStringLiteral("UPDATE KULLANICI SET BILGISAYARID = NULL WHERE BILGISAYARID = ?"),
                    {workstation});
        db->execute(QStringLiteral("UPDATE KULLANICI SET BILGISAYARID = ? WHERE SIRANO = ?"),
                    {workstation, target});
        db->execute(QStringLiteral("DELETE FROM BILINMEYENBILGISAYAR WHERE BILGISAYARID = ?"), {workstation});
        tx.commit();
        std::printf("zelvora-server: iş istasyonu %s artık %s olarak giriş yapar.\n", qPrintable(workstation),
                    qPrintable(user.toUpper()));
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zelvora-server: %s\n", e.what());
        return 1;
    }
}

} // namespace zelvora::server
