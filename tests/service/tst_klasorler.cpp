#include "service/klasorler.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;

class TestKlasorler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void settingsFolderIsMadeUnderTheXdgConfigFolder();
    void existingSettingsFolderIsLeftAsItIs();
    void documentsFolder();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QByteArray m_savedConfig;
    QByteArray m_savedDocuments;
};

void TestKlasorler::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    m_savedConfig = qgetenv("XDG_CONFIG_HOME");
    m_savedDocuments = qgetenv("XDG_DOCUMENTS_DIR");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home->path() + QStringLiteral("/ayar yeri")));
}

void TestKlasorler::cleanup()
{
    qputenv("XDG_CONFIG_HOME", m_savedConfig);
    qputenv("XDG_DOCUMENTS_DIR", m_savedDocuments);
    m_home.reset();
}

void TestKlasorler::settingsFolderIsMadeUnderTheXdgConfigFolder()
{
    const QString expected = m_home->path() + QStringLiteral("/ayar yeri/zelvora");
    QVERIFY(!QFileInfo::exists(expected));
    const QString folder = AyarKlasoru();
    QCOMPARE(folder, expected);
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(!folder.endsWith(QLatin1Char('/')));
    // The saved password lives there: nobody but the owner may look in.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFileInfo(folder).permissions() & others, QFileDevice::Permissions());
    QCOMPARE(AyarKlasoru(), expected);
}

void TestKlasorler::existingSettingsFolderIsLeftAsItIs()
{
    const QString expected = m_home->path() + QStringLiteral("/ayar yeri/zelvora");
    QVERIFY(QDir().mkpath(expected));
    QVERIFY(QFile::setPermissions(expected, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ExeGroup));
    QCOMPARE(AyarKlasoru(), expected);
    QVERIFY(QFileInfo(expected).permissions() & QFileDevice::ReadGroup);
}

void TestKlasorler::documentsFolder()
{
    const QString folder = BelgelerKlasoru();
    QVERIFY(!folder.isEmpty());
    QVERIFY(QDir::isAbsolutePath(folder));
    QVERIFY(!folder.endsWith(QLatin1Char('/')));
}

QTEST_GUILESS_MAIN(TestKlasorler)
#include "tst_klasorler.moc"
