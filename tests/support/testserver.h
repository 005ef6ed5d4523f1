#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace zelvora {
class Connection;
}

// A loopback port nothing listens on: the system hands out a free one and
// it is given back at once. 0 when none could be had.
quint16 KapaliPort();

// A real zelvora-server for a test: its own fresh database in a temporary
// folder, listening on loopback ports the system picks.
class TestServer
{
public:
    explicit TestServer(int items = 400, const QStringList &extraArgs = {});
    ~TestServer();
    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    // Starts the server and waits until it listens; false with a reason
    // otherwise (call inside QVERIFY2).
    bool start(QString *error = nullptr);
    void stop();

    quint16 port() const { return m_port; }
    quint16 httpPort() const { return m_httpPort; }
    QString dataDir() const { return m_dir.path(); }
    QString databasePath() const { return m_dir.path() + QStringLiteral("/zelvora.db"); }
    static QString serverProgram();

    // A service connection to this server, already open.
    std::unique_ptr<zelvora::Connection> openConnection() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_items;
    QStringList m_extraArgs;
    quint16 m_port = 0;
    quint16 m_httpPort = 0;
};
