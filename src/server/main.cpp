#include "server/demo/demodata.h"
#include "server/operator.h"
#include "server/server.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>

#include <unistd.h>

using namespace zelvora::server;

int main(int argc, char *argv[])
{
    // Pictures and documents are painted with QPainter, which needs a GUI
    // application object; the server never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder even for offscreen painting.
        const QByteArray dir = QDir::tempPath().toUtf8() + "/zelvora-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromUtf8(dir));
        QFile::setPermissions(QString::fromUtf8(dir), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelvora-server"));
    std::signal(SIGPIPE, SIG_IGN);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zelvora B2B uygulama sunucusu ve web sunucusu"));
    parser.addHelpOption();
    const QCommandLineOption portOpt(QStringLiteral("port"),
                                     QStringLiteral("Servis portu (varsayılan 9090)."),
                                     QStringLiteral("port"), QStringLiteral("9090"));
    const QCommandLineOption httpOpt(QStringLiteral("http-port"),
                                     QStringLiteral("Web portu (varsayılan 8080)."), QStringLiteral("port"),
                                     QStringLiteral("8080"));
    const QCommandLineOption hostOpt(QStringLiteral("host"),
                                     QStringLiteral("Dinlenecek adres (varsayılan 127.0.0.1)."),
                                     QStringLiteral("adres"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption dataOpt(QStringLiteral("data"),
                                     QStringLiteral("Veri klasörü (varsayılan ./zelvora-data)."),
                                     QStringLiteral("klasör"), QStringLiteral("zelvora-data"));
    const QCommandLineOption dbOpt(
        QStringLiteral("db"),
        QStringLiteral("Veritabanı: SQLite dosya yolu (PostgreSQL adresleri henüz yok)."),
        QStringLiteral("adres"));
    const QCommandLineOption itemsOpt(
        QStringLiteral("items"),
        QStringLiteral("İlk açılışta üretilecek demo stok sayısı (varsayılan 20000)."),
        QStringLiteral("sayı"), QStringLiteral("20000"));
    const QCommandLineOption workersOpt(
        QStringLiteral("workers"),
        QStringLiteral("Aynı anda hizmet verilen bağlantı sayısı (varsayılan 16)."), QStringLiteral("sayı"),
        QStringLiteral("16"));
    const QCommandLineOption strictOpt(QStringLiteral("no-demo-binding"),
                                       QStringLiteral("Tanınmayan iş istasyonlarını demo bayiye bağlama."));
    const QCommandLineOption bindOpt(
        QStringLiteral("bind-last"),
        QStringLiteral("Son görülen iş istasyonunu verilen kullanıcı adına bağla ve çık (ör. TEMSILCI1)."),
        QStringLiteral("kullanıcı"));
    const QCommandLineOption loginsOpt(
        QStringLiteral("list-logins"),
        QStringLiteral("Demo verisinin kullanıcı adlarını ve şifrelerini yaz ve çık."));
    parser.addOptions(
        {portOpt, httpOpt, hostOpt, dataOpt, dbOpt, itemsOpt, workersOpt, strictOpt, bindOpt, loginsOpt});
    parser.process(app);

    if (parser.isSet(loginsOpt)) {
        auto line = [](const QString &user, const QString &password, const QString &kind,
                       const QString &role) {
            std::printf("%s\n", qPrintable(user.leftJustified(12) + password.leftJustified(13) +
                                           kind.leftJustified(5) + role));
        };
        line(QStringLiteral("KULLANICI"), QStringLiteral("ŞİFRE"), QStringLiteral("TİP"),
             QStringLiteral("AÇIKLAMA"));
        for (const DemoLogin &l : demoLogins())
            line(l.user, l.password, QString::number(l.kind), l.role);
        return 0;
    }

    ServerConfig config;
    config.port = quint16(parser.value(portOpt).toUInt());
    config.httpPort = quint16(parser.value(httpOpt).toUInt());
    config.host = parser.value(hostOpt);
    config.dataDir = parser.value(dataOpt);
    config.items = std::max(1, parser.value(itemsOpt).toInt());
    config.workers = std::clamp(parser.value(workersOpt).toInt(), 1, 256);
    config.bindUnknownWorkstations = !parser.isSet(strictOpt);
    if (parser.isSet(dbOpt)) {
        const QString db = parser.value(dbOpt);
        if (db.startsWith(QLatin1String("postgres"))) {
            std::fprintf(stderr, "zelvora-server: PostgreSQL desteği bu sürümde yok; SQLite kullanın.\n");
            return 2;
        }
        config.dbPath = db;
    }

    if (parser.isSet(bindOpt))
        return bindLastWorkstation(config, parser.value(bindOpt));

    Server server(config);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "zelvora-server: başlatılamadı: %s\n", qPrintable(error));
        return 1;
    }
    if (server.config().bindUnknownWorkstations)
        std::fprintf(stderr,
                     "\n*** DEMO KİPİ: tanınmayan her iş istasyonu demo bayi hesabına bağlanır. ***\n"
                     "*** Gerçek kullanımda --no-demo-binding ile başlatın.                  ***\n\n");
    std::printf("zelvora-server listening tcp=%u http=%u host=%s db=%s\n", unsigned(server.port()),
                unsigned(server.httpPort()), qPrintable(config.host), qPrintable(server.config().dbPath));
    std::fflush(stdout);
    return app.exec();
}
