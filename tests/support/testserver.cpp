#include "testserver.h"

#include "service/connection.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpServer>

TestServer::TestServer(int items, const QStringList &extraArgs) : m_items(items), m_extraArgs(extraArgs) {}

TestServer::~TestServer()
{
    stop();
}

QString TestServer::serverProgram()
{
    return QStringLiteral(ZELVORA_SERVER_PATH);
}

bool TestServer::start(QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why + QStringLiteral("\n") + QString::fromUtf8(m_process.readAllStandardError());
        stop();
        return false;
    };
    m_process.setProgram(serverProgram());
    m_process.setArguments(QStringList{QStringLiteral("--data"), m_dir.path(), QStringLiteral("--host"),
                                       QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                                       QStringLiteral("0"), QStringLiteral("--http-port"),
                                       QStringLiteral("0"), QStringLiteral("--items"),
                                       QString::number(m_items)} +
                           m_extraArgs);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return fail(QStringLiteral("server did not start: ") + m_process.errorString());
    // The server prints one line when both ports listen.
    static const QRegularExpression ready(QStringLiteral("listening tcp=(\\d+) http=(\\d+)"));
    QByteArray seen;
    QDeadlineTimer deadline(120000);
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running)
            return fail(QStringLiteral("server exited early: ") + QString::fromUtf8(seen));
        m_process.waitForReadyRead(200);
        seen += m_process.readAllStandardOutput();
        const auto match = ready.match(QString::fromUtf8(seen));
        if (match.hasMatch()) {
            m_port = quint16(match.captured(1).toUInt());
            m_httpPort = quint16(match.captured(2).toUInt());
            return true;
        }
    }
    return fail(QStringLiteral("server did not report its ports: ") + QString::fromUtf8(seen));
}

void TestServer::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
}

quint16 KapaliPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

std::unique_ptr<zelvora::Connection> TestServer::openConnection() const
{
    auto c = std::make_unique<zelvora::Connection>();
    c->setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    c->setParam(QStringLiteral("Port"), QString::number(m_port));
    c->open();
    return c;
}
