// From Enter to rows on screen for stock searches on a big catalogue, split
// into the server's work, the transfer, the client's decoding and the view
// (table assignment, grid binding and the first paint of the visible rows).
//
//   bench_stoklistesi [items] [runs]   (defaults: 200000 items, 5 runs; medians)
#include "grid/grid.h"
#include "medianms.h"
#include "server/dispatcher.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "table/tablereader.h"
#include "testserver.h"
#include "wire/codec.h"
#include "wire/framing.h"
#include "wire/objects.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace zelvora;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int items = argc > 1 ? std::max(1000, atoi(argv[1])) : 200000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    TestServer server(items);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "server: %s\n", qPrintable(error));
        return 1;
    }
    TSonucBilgisi login;
    {
        auto c = server.openConnection();
        TServerMethods1Client client(c.get());
        login.Kopyala(*client.BuyukGetir(QStringLiteral("BENCH")));
    }
    server::ServerConfig config;
    config.dbPath = server.databasePath();
    const server::Dispatcher dispatcher(config);

    grid::Grid grid;
    grid.resize(1600, 700);
    grid.show();

    std::printf("catalogue: %d items\n\n%-12s %8s | %10s %10s %10s %10s | %10s\n", items, "query", "rows",
                "server ms", "transfer", "decode ms", "view ms", "total ms");
    for (const char *text : {"FEB0", "012", "SKF", "BAL", "FRE"}) {
        const QString kod = QString::fromLatin1(text);
        wire::Request request;
        request.command = QStringLiteral("TServerMethods1.StokAraGetir");
        request.params = {wire::Value::text(kod), wire::Value::object(toJson(&login))};
        const QByteArray frame = wire::encodeRequest(request);

        QByteArray answer;
        const double serverMs = medianMs(runs, [&] {
            bool close = false;
            answer = dispatcher.handle(QByteArrayView(frame).sliced(wire::HeaderSize), &close);
        });
        // The whole round trip over loopback, bytes only.
        QByteArray payload;
        const double roundTripMs = medianMs(runs, [&] {
            QTcpSocket socket;
            socket.connectToHost(QStringLiteral("127.0.0.1"), server.port());
            socket.waitForConnected(5000);
            wire::writeFrame(socket, frame, 60000);
            payload = wire::readFrame(socket, wire::DefaultResponseLimit, 60000).value_or(QByteArray());
        });
        wire::Message message;
        const double decodeMs = medianMs(runs, [&] { message = wire::decodePayload(payload); });
        Table stok;
        const double viewMs = medianMs(runs, [&] {
            grid.setTable(nullptr);
            stok.assign(*message.values.last().asTable());
            SayiFormatla(stok);
            if (grid.columns().isEmpty()) {
                QList<grid::ColumnDef> columns;
                for (const FieldDef &f : stok.fieldDefs()) {
                    grid::ColumnDef column;
                    column.field = f.name;
                    columns.append(column);
                }
                grid.setColumns(columns);
            }
            grid.setTable(&stok);
            grid.view()->viewport()->repaint();
        });
        std::printf("%-12s %8lld | %10.2f %10.2f %10.2f %10.2f | %10.2f\n", text,
                    qlonglong(stok.recordCount()), serverMs, std::max(0.0, roundTripMs - serverMs), decodeMs,
                    viewMs, roundTripMs + decodeMs + viewMs);
    }
    std::printf("\ntransfer = the loopback round trip of the same request less the server's own time\n");
    return 0;
}
