// A three-letter search on a big catalogue, measured at three depths side by
// side: the query alone on the database, the server's whole handling of the
// request (decode, query, prices, packet), and the client's call from sending
// to a filled table over loopback TCP.
//
//   bench_search [items] [runs]      (defaults: 200000 items, 5 runs; median shown)
#include "medianms.h"
#include "server/dispatcher.h"
#include "server/ops/stock.h"
#include "server/storage/db.h"
#include "server/storage/schema.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "testserver.h"
#include "wire/codec.h"
#include "wire/objects.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace zelvora;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int items = argc > 1 ? std::max(1000, atoi(argv[1])) : 200000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QElapsedTimer build;
    build.start();
    TestServer server(items);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "server: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("catalogue: %d items, store built in %.1f s, %.1f MB on disk\n", items,
                build.elapsed() / 1000.0, QFileInfo(server.databasePath()).size() / 1048576.0);

    Connection connection;
    connection.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    connection.setParam(QStringLiteral("Port"), QString::number(server.port()));
    connection.open();
    TSonucBilgisi login;
    {
        TServerMethods1Client client(&connection);
        login.Kopyala(*client.BuyukGetir(QStringLiteral("BENCH")));
    }
    connection.close();

    server::ServerConfig config;
    config.dbPath = server.databasePath();
    const server::Dispatcher dispatcher(config);
    auto db = server::Db::open(server.databasePath());

    std::printf("\n%-6s %8s %10s | %12s %12s | %12s | %12s\n", "query", "rows", "wire KB", "db query ms",
                "db+prices ms", "server ms", "client ms");
    for (const char *text : {"FRE", "BAL", "FIL", "AMO", "BOS", "SKF", "012", "DOB", "ZZQ"}) {
        const QString kod = QString::fromLatin1(text);
        // The query alone: every matching row stepped through, nothing kept.
        qsizetype rows = 0;
        const double dbMs = medianMs(runs, [&] {
            server::Statement st = db->prepare(server::stokAraSql());
            st.bindAll({qint64(login.CARINO()), server::searchMatchExpression(kod)});
            rows = 0;
            while (st.step())
                ++rows;
        });
        const double pricedMs = medianMs(runs, [&] { server::stokAra(*db, kod, login); });

        wire::Request request;
        request.command = QStringLiteral("TServerMethods1.StokAraGetir");
        request.params = {wire::Value::text(kod), wire::Value::object(toJson(&login))};
        const QByteArray frame = wire::encodeRequest(request);
        qsizetype wireBytes = 0;
        const double serverMs = medianMs(runs, [&] {
            bool close = false;
            wireBytes = dispatcher.handle(QByteArrayView(frame).sliced(wire::HeaderSize), &close).size();
        });

        Table stok;
        const double clientMs = medianMs(runs, [&] {
            auto copy = connection.clone();
            copy->open();
            TServerMethods1Client client(copy.get());
            auto bilgi = std::make_unique<TSonucBilgisi>();
            bilgi->Kopyala(login);
            stok.assign(client.StokAraGetir(kod, std::move(bilgi)).table());
            SayiFormatla(stok);
            copy->close();
        });
        std::printf("%-6s %8lld %10.1f | %12.2f %12.2f | %12.2f | %12.2f\n", text,
                    qlonglong(stok.recordCount()), wireBytes / 1024.0, dbMs, pricedMs, serverMs, clientMs);
        if (stok.recordCount() != rows)
            std::printf("       (the direct query found %lld rows)\n", qlonglong(rows));
    }
    return 0;
}
