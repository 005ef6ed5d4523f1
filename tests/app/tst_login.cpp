#include "scriptedseams.h"

#include "app/ayar.h"
#include "app/dosyaindir.h"
#include "app/girisform.h"
#include "app/kimlik.h"
#include "grid/grid.h"
#include "representative/seccari.h"
#include "requests/formistekyeni.h"
#include "service/connection.h"
#include "service/urlkodla.h"
#include "table/table.h"
#include "testserver.h"
#include "wire/objects.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include <sys/stat.h>

using namespace zelvora;

namespace {

const QString YanlisGiris = QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");
const QString BaglantiYok = QStringLiteral("Bağlantı Kurulamadı !");

Dagitim dagitimOf(const TestServer &server)
{
    Dagitim d;
    d.sunucuAdresi = QStringLiteral("127.0.0.1");
    d.sunucuPortu = server.port();
    d.webAdresi = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());
    d.guncellemeAdresi = QStringLiteral("127.0.0.1:%1").arg(server.httpPort());
    return d;
}

// Publishes another client version the way an operator would, while the server runs.
bool surumYayinla(const TestServer &server, int surum, QString *error)
{
    QProcess sqlite;
    sqlite.start(
        QStringLiteral("sqlite3"),
        {server.databasePath(),
         QStringLiteral("PRAGMA busy_timeout = 10000; UPDATE AYAR SET DEGER = '%1' WHERE ANAHTAR = 'SURUM';")
             .arg(surum)});
    if (!sqlite.waitForFinished(20000) || sqlite.exitStatus() != QProcess::NormalExit ||
        sqlite.exitCode() != 0) {
        *error = QStringLiteral("sqlite3: ") + sqlite.errorString() + QLatin1Char(' ') +
                 QString::fromUtf8(sqlite.readAllStandardError());
        return false;
    }
    return true;
}

int fileMode(const QString &path)
{
    struct stat st
    {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 0777);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Notes every window the login opens, in the seams' event list, and lets the
// test act on it from inside its modal loop.
class WindowWatcher final : public QObject
{
public:
    explicit WindowWatcher(ScriptedSeams *seams) : m_seams(seams) { qApp->installEventFilter(this); }
    ~WindowWatcher() override { qApp->removeEventFilter(this); }

    std::function<void(Tseccari *)> onSeccari = [](Tseccari *w) { w->done(QDialog::Rejected); };
    std::function<void(Tformistekyeni *)> onIstekFormu = [](Tformistekyeni *w) {
        w->done(QDialog::Rejected);
    };

    QString istekBasligi;
    QString istekAdresi;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (auto *w = qobject_cast<Tdosyaindir *>(watched)) {
            // It downloads, starts the installer through the seam and closes itself.
            m_seams->note(QStringLiteral("window:Tdosyaindir"));
            Q_UNUSED(w)
        } else if (auto *w = qobject_cast<Tformistekyeni *>(watched)) {
            m_seams->note(QStringLiteral("window:Tformistekyeni"));
            istekBasligi = w->windowTitle();
            istekAdresi = w->adres().toString(QUrl::FullyEncoded);
            QPointer<Tformistekyeni> guard(w);
            QTimer::singleShot(0, w, [this, guard] {
                if (guard)
                    onIstekFormu(guard);
            });
        } else if (auto *w = qobject_cast<Tseccari *>(watched)) {
            m_seams->note(QStringLiteral("window:Tseccari:") + w->windowTitle());
            QPointer<Tseccari> guard(w);
            QTimer::singleShot(0, w, [this, guard] {
                if (guard)
                    onSeccari(guard);
            });
        }
        return false;
    }

private:
    ScriptedSeams *m_seams;
};

// One login window as the main window creates it.
struct Giris
{
    TSonucBilgisi bilgi;
    Connection bag;
    std::unique_ptr<Tgirisform> form;

    Giris()
    {
        form = std::make_unique<Tgirisform>();
        form->bagim = &bag;
        form->Bilgim = &bilgi;
    }
    QLineEdit *adi() const { return form->findChild<QLineEdit *>(QStringLiteral("adi")); }
    QLineEdit *sifre() const { return form->findChild<QLineEdit *>(QStringLiteral("sifre")); }
    QCheckBox *benihatirla() const { return form->findChild<QCheckBox *>(QStringLiteral("benihatirla")); }
    QPushButton *Button1() const { return form->findChild<QPushButton *>(QStringLiteral("Button1")); }
    QPushButton *Button2() const { return form->findChild<QPushButton *>(QStringLiteral("Button2")); }
    QWidget *indicator() const { return form->findChild<QWidget *>(QStringLiteral("RxGIFAnimator1")); }

    void type(const QString &user, const QString &password)
    {
        adi()->clear();
        sifre()->clear();
        QTest::keyClicks(adi(), user);
        QTest::keyClicks(sifre(), password);
    }
};

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void firstStartHasEmptyBoxesAndRemembers();
    void logins_data();
    void logins();
    void upperCaseIsShownAndCompared();
    void firstFailureLeavesTheCaptionGirisWithExclamation();
    void enterInEmptyBoxesWarns_data();
    void enterInEmptyBoxesWarns();
    void enterInUserBoxMovesToPassword();
    void enterInPasswordBoxStartsTheLogin();
    void unreachableServer();
    void clearedRememberLeavesTheBoxesEmptyNextTime();
    void rememberedCredentialsFillTheBoxes();
    void otherVersionOpensTheUpdate_data();
    void otherVersionOpensTheUpdate();
    void unknownWorkstationOpensTheRequestFormAndEnds();
    void versionIsCheckedBeforeTheWorkstation();
    void representativePicksACustomer_data();
    void representativePicksACustomer();
    void representativeLeavingTheSelectionEnds();
    void vazgecAndClosingEnd();

    void ayarFileIsTheOwnersOnly();
    void ayarHatirlaValues_data();
    void ayarHatirlaValues();
    void ayarKeepsTheRestOfTheFile();

    void macFormatting_data();
    void macFormatting();
    void firstAdapterAddress();
    void diskSerial();
    void identifierFallsBackToTheAdapter_data();
    void identifierFallsBackToTheAdapter();

private:
    bool runLogin(Giris &g, const QString &user, const QString &password);
    bool waitUntilSettled(Giris &g, qsizetype dialogsBefore, qsizetype eventsBefore);
    QString ayarPath() const { return m_config.path() + QStringLiteral("/zelvora/ayar.ini"); }

    QTemporaryDir m_config;
    QTemporaryDir m_data;
    std::unique_ptr<TestServer> m_server;
    std::unique_ptr<ScriptedSeams> m_seams;
    std::unique_ptr<WindowWatcher> m_watcher;
};

void TestLogin::initTestCase()
{
    QVERIFY(m_config.isValid() && m_data.isValid());
    // The settings folder and the installer's folder of a user of our own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    m_server = std::make_unique<TestServer>();
    QString error;
    QVERIFY2(m_server->start(&error), qPrintable(error));
}

void TestLogin::init()
{
    QFile::remove(ayarPath());
    m_seams = std::make_unique<ScriptedSeams>();
    m_seams->deployment = dagitimOf(*m_server);
    m_seams->workstation = QStringLiteral("ZLVDEMO01");
    m_watcher = std::make_unique<WindowWatcher>(m_seams.get());
}

void TestLogin::cleanup()
{
    m_watcher.reset();
    m_seams.reset();
}

bool TestLogin::waitUntilSettled(Giris &g, qsizetype dialogsBefore, qsizetype eventsBefore)
{
    // The attempt is over when the window was accepted, a message was shown
    // with the button usable again, or the program was ended.
    const auto settled = [&] {
        if (g.form->result() == QDialog::Accepted && !g.form->isVisible())
            return true;
        if (m_seams->events().mid(eventsBefore).contains(QStringLiteral("terminate:0")))
            return true;
        return m_seams->dialogs().size() > dialogsBefore && g.Button1()->isEnabled();
    };
    return QTest::qWaitFor(settled, 60000);
}

bool TestLogin::runLogin(Giris &g, const QString &user, const QString &password)
{
    g.form->show();
    g.type(user, password);
    const qsizetype dialogs = m_seams->dialogs().size();
    const qsizetype events = m_seams->events().size();
    g.Button1()->click();
    return waitUntilSettled(g, dialogs, events);
}

void TestLogin::window()
{
    Giris g;
    QCOMPARE(g.form->windowTitle(), QStringLiteral("Giriş"));
    QCOMPARE(g.form->size(), QSize(368, 550));
    QCOMPARE(g.form->font().pixelSize(), 13);
    QVERIFY(g.form->font().bold());
    QCOMPARE(g.Button1()->text(), QStringLiteral("Giriş"));
    QCOMPARE(g.Button2()->text(), QStringLiteral("Vazgeç"));
    QCOMPARE(g.benihatirla()->text(), QStringLiteral("Beni hatırla"));
    QCOMPARE(g.sifre()->echoMode(), QLineEdit::Password);
    auto *label1 = g.form->findChild<QLabel *>(QStringLiteral("Label1"));
    auto *label2 = g.form->findChild<QLabel *>(QStringLiteral("Label2"));
    QVERIFY(label1 && label2);
    QCOMPARE(label1->text(), QStringLiteral(" Kullanıcı Adı:"));
    QCOMPARE(label2->text(), QStringLiteral(" Şifre:"));
    QCOMPARE(label1->palette().color(QPalette::Window), QColor(226, 10, 23));
    QCOMPARE(label1->palette().color(QPalette::WindowText), QColor(Qt::white));
    QVERIFY(g.indicator());
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    QVERIFY(!g.indicator()->isVisible());
    // The identifier is worked out when the window is made.
    QCOMPARE(g.form->idsi, QStringLiteral("ZLVDEMO01"));
}

void TestLogin::firstStartHasEmptyBoxesAndRemembers()
{
    QVERIFY(!QFile::exists(ayarPath()));
    Giris g;
    QVERIFY(g.adi()->text().isEmpty());
    QVERIFY(g.sifre()->text().isEmpty());
    QVERIFY(g.benihatirla()->isChecked());
}

void TestLogin::logins_data()
{
    QTest::addColumn<QString>("workstation");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("carino");
    QTest::addColumn<int>("kind");

    QTest::newRow("dealer") << "ZLVDEMO01"
                            << "DEMO"
                            << "1234" << true << true << 1 << 0;
    QTest::newRow("wrong password") << "ZLVDEMO01"
                                    << "DEMO"
                                    << "4321" << false << false << 0 << 0;
    QTest::newRow("name of another workstation") << "ZLVDEMO02"
                                                 << "DEMO"
                                                 << "1234" << false << false << 0 << 0;
    // Correct, but the account may not log in: refused, and still remembered.
    QTest::newRow("inactive account") << "ZLVDEMO09"
                                      << "KARTAL2"
                                      << "KARTAL06" << false << true << 0 << 0;
    QTest::newRow("kind 3 goes straight in") << "ZLVDEMO07"
                                             << "ANADOLU"
                                             << "ANADOLU42" << true << true << 7 << 3;
    QTest::newRow("kind 4 goes straight in") << "ZLVDEMO08"
                                             << "MARMARA"
                                             << "MARMARA41" << true << true << 8 << 4;
    // The demo server binds a stranger to the demo dealer.
    QTest::newRow("unknown workstation, demo server") << "TEST-YENI-01"
                                                      << "DEMO"
                                                      << "1234" << true << true << 1 << 0;
}

void TestLogin::logins()
{
    QFETCH(QString, workstation);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, accepted);
    QFETCH(bool, saved);
    QFETCH(int, carino);
    QFETCH(int, kind);

    m_seams->workstation = workstation;
    Giris g;
    QVERIFY(runLogin(g, user, password));

    QVERIFY(!m_seams->events().contains(QStringLiteral("terminate:0")));
    QVERIFY(!m_seams->events().join(QLatin1Char('\n')).contains(QStringLiteral("window:")));
    QCOMPARE(QFile::exists(ayarPath()), saved);
    if (saved) {
        const AyarKaydi ayar = AyarOku(ayarPath());
        QCOMPARE(ayar.isim, user);
        QCOMPARE(ayar.sifre, password);
        QVERIFY(ayar.hatirla);
    }
    if (!accepted) {
        QCOMPARE(g.form->result(), int(QDialog::Rejected));
        QVERIFY(g.form->isVisible());
        QCOMPARE(m_seams->dialogs().size(), 1);
        const MesajIstegi msg = m_seams->dialogs().constLast();
        QCOMPARE(msg.text, YanlisGiris);
        QCOMPARE(msg.kind, int(mtUyari));
        QCOMPARE(msg.buttonCaptions(), QStringList{QStringLiteral("Tamam")});
        QVERIFY(g.Button1()->isEnabled());
        QVERIFY(!g.indicator()->isVisible());
        return;
    }
    QCOMPARE(g.form->result(), int(QDialog::Accepted));
    QVERIFY(m_seams->dialogs().isEmpty());
    QCOMPARE(g.bilgi.ADI(), user);
    QCOMPARE(g.bilgi.CARINO(), carino);
    QCOMPARE(g.bilgi.MusteriTipi(), kind);
    QCOMPARE(g.bilgi.AKTIF(), 1);
    QCOMPARE(g.bilgi.Version(), 6);
    QVERIFY(g.bilgi.Varmi());
    // The workstation fields are the ones measured here, not the server's.
    QCOMPARE(g.bilgi.BILGISAYARID(), workstation);
    QCOMPARE(g.bilgi.BilgiSayarAdi(), QStringLiteral("TESTPC"));
    QCOMPARE(g.bilgi.BilgisayarKullanici(), QStringLiteral("tester"));
    QCOMPARE(g.bilgi.Icip(), QStringLiteral("10.1.2.3"));
    QCOMPARE(g.bilgi.Disip(), QStringLiteral("127.0.0.1"));
    QCOMPARE(g.bag.param(QStringLiteral("HostName")), QStringLiteral("127.0.0.1"));
    QCOMPARE(g.bag.param(QStringLiteral("Port")), QString::number(m_server->port()));
}

void TestLogin::upperCaseIsShownAndCompared()
{
    Giris g;
    QVERIFY(runLogin(g, QStringLiteral("demo"), QStringLiteral("1234")));
    QCOMPARE(g.adi()->text(), QStringLiteral("DEMO"));
    QCOMPARE(g.form->result(), int(QDialog::Accepted));
    QCOMPARE(AyarOku(ayarPath()).isim, QStringLiteral("DEMO"));

    // The password box converts as well.
    Giris other;
    other.type(QStringLiteral("ahmet"), QStringLiteral("ahmet01"));
    QCOMPARE(other.sifre()->text(), QStringLiteral("AHMET01"));
}

void TestLogin::firstFailureLeavesTheCaptionGirisWithExclamation()
{
    Giris g;
    g.form->show();
    g.type(QStringLiteral("DEMO"), QStringLiteral("YANLIS"));
    g.Button1()->click();
    QCOMPARE(g.Button1()->text(), QStringLiteral("Bağlanıyor..."));
    QVERIFY(!g.Button1()->isEnabled());
    QVERIFY(g.indicator()->isVisible());
    QVERIFY(waitUntilSettled(g, 0, 0));
    QCOMPARE(g.Button1()->text(), QStringLiteral("Giriş!"));
    QVERIFY(g.Button1()->isEnabled());
    QVERIFY(!g.indicator()->isVisible());

    // Any number of further attempts; the second one succeeds.
    g.type(QStringLiteral("DEMO"), QStringLiteral("1234"));
    g.Button1()->click();
    QVERIFY(waitUntilSettled(g, 1, m_seams->events().size()));
    QCOMPARE(g.form->result(), int(QDialog::Accepted));
}

void TestLogin::enterInEmptyBoxesWarns_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("text");
    QTest::newRow("user name") << "adi"
                               << ""
                               << "Lütfen kullanıcı adını giriniz !";
    QTest::newRow("user name of blanks") << "adi"
                                         << "   "
                                         << "Lütfen kullanıcı adını giriniz !";
    // The password box does not look at the user name.
    QTest::newRow("password") << "sifre"
                              << ""
                              << "Lütfen kullanıcı şifresini giriniz !";
}

void TestLogin::enterInEmptyBoxesWarns()
{
    QFETCH(QString, box);
    QFETCH(QString, user);
    QFETCH(QString, text);
    Giris g;
    g.form->show();
    g.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(g.form.get()));
    QLineEdit *edit = g.form->findChild<QLineEdit *>(box);
    QTest::keyClicks(edit, user);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(m_seams->dialogs().size(), 1);
    QCOMPARE(m_seams->dialogs().constFirst().text, text);
    QCOMPARE(m_seams->dialogs().constFirst().kind, int(mtUyari));
    QCOMPARE(m_seams->dialogs().constFirst().buttonCaptions(), QStringList{QStringLiteral("Tamam")});
    QVERIFY(m_seams->sounds().contains(SystemSound::Error));
    QTRY_VERIFY(edit->hasFocus());
    // Nothing was started.
    QCOMPARE(g.Button1()->text(), QStringLiteral("Giriş"));
    QVERIFY(g.Button1()->isEnabled());
}

void TestLogin::enterInUserBoxMovesToPassword()
{
    Giris g;
    g.form->show();
    g.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(g.form.get()));
    QTest::keyClicks(g.sifre(), QStringLiteral("1234"));
    g.adi()->setFocus();
    QTest::keyClicks(g.adi(), QStringLiteral("DEMO"));
    QTest::keyClick(g.adi(), Qt::Key_Return);
    QTRY_VERIFY(g.sifre()->hasFocus());
    QCOMPARE(g.sifre()->selectedText(), QStringLiteral("1234"));
    QVERIFY(m_seams->dialogs().isEmpty());
    QCOMPARE(g.Button1()->text(), QStringLiteral("Giriş"));
}

void TestLogin::enterInPasswordBoxStartsTheLogin()
{
    Giris g;
    g.form->show();
    g.type(QStringLiteral("DEMO"), QStringLiteral("1234"));
    QTest::keyClick(g.sifre(), Qt::Key_Return);
    QCOMPARE(g.Button1()->text(), QStringLiteral("Bağlanıyor..."));
    // A second Enter while the attempt runs does not start another one.
    QTest::keyClick(g.sifre(), Qt::Key_Enter);
    QVERIFY(waitUntilSettled(g, 0, 0));
    QCOMPARE(g.form->result(), int(QDialog::Accepted));
    QVERIFY(m_seams->dialogs().isEmpty());
}

void TestLogin::unreachableServer()
{
    m_seams->deployment.sunucuPortu = KapaliPort();
    Giris g;
    QVERIFY(runLogin(g, QStringLiteral("DEMO"), QStringLiteral("1234")));
    // Each failed attempt's own text in the plain box, then the login's message.
    QCOMPARE(m_seams->messages().size(), 11);
    QCOMPARE(m_seams->dialogs().size(), 1);
    QCOMPARE(m_seams->dialogs().constFirst().text, BaglantiYok);
    QCOMPARE(m_seams->dialogs().constFirst().kind, int(mtHata));
    QCOMPARE(m_seams->dialogs().constFirst().buttonCaptions(), QStringList{QStringLiteral("Tamam")});
    QCOMPARE(g.form->result(), int(QDialog::Rejected));
    QVERIFY(g.Button1()->isEnabled());
    QCOMPARE(g.Button1()->text(), QStringLiteral("Giriş!"));
    QVERIFY(!QFile::exists(ayarPath()));
    // The record keeps what it had: nothing half-filled from a failed lookup.
    QCOMPARE(g.bilgi.ADI(), QString());
    QCOMPARE(g.bilgi.Disip(), QStringLiteral("127.0.0.1"));
}

void TestLogin::clearedRememberLeavesTheBoxesEmptyNextTime()
{
    {
        Giris g;
        g.form->show();
        g.benihatirla()->setChecked(false);
        QVERIFY(runLogin(g, QStringLiteral("DEMO"), QStringLiteral("1234")));
        QCOMPARE(g.form->result(), int(QDialog::Accepted));
    }
    // The name and password are written anyway; the flag only stops them being read back.
    const QByteArray bytes = readAll(ayarPath());
    QVERIFY2(bytes.contains("[kullanici]"), bytes.constData());
    QVERIFY2(bytes.contains("isim=DEMO"), bytes.constData());
    QVERIFY2(bytes.contains("sifre=1234"), bytes.constData());
    QVERIFY2(bytes.contains(QStringLiteral("hatırla=0").toUtf8()), bytes.constData());

    Giris next;
    QVERIFY(next.adi()->text().isEmpty());
    QVERIFY(next.sifre()->text().isEmpty());
    QVERIFY(!next.benihatirla()->isChecked());
}

void TestLogin::rememberedCredentialsFillTheBoxes()
{
    {
        Giris g;
        QVERIFY(runLogin(g, QStringLiteral("DEMO"), QStringLiteral("1234")));
        QCOMPARE(g.form->result(), int(QDialog::Accepted));
    }
    QVERIFY(readAll(ayarPath()).contains(QStringLiteral("hatırla=1").toUtf8()));
    Giris next;
    QCOMPARE(next.adi()->text(), QStringLiteral("DEMO"));
    QCOMPARE(next.sifre()->text(), QStringLiteral("1234"));
    QVERIFY(next.benihatirla()->isChecked());
}

void TestLogin::otherVersionOpensTheUpdate_data()
{
    QTest::addColumn<int>("version");
    QTest::newRow("older server version 5") << 5;
    QTest::newRow("newer server version 7") << 7;
}

void TestLogin::otherVersionOpensTheUpdate()
{
    QFETCH(int, version);
    QString error;
    QVERIFY2(surumYayinla(*m_server, version, &error), qPrintable(error));
    const auto restore = qScopeGuard([this] {
        QString ignored;
        surumYayinla(*m_server, 6, &ignored);
    });

    // A wrong password too: an outdated client is updated first.
    Giris g;
    QVERIFY(runLogin(g, QStringLiteral("DEMO"), QStringLiteral("YANLIS")));
    const QStringList events = m_seams->events();
    QVERIFY2(!events.isEmpty() && events.first() == QStringLiteral("window:Tdosyaindir"),
             qPrintable(events.join(QLatin1Char('\n'))));
    QCOMPARE(g.bilgi.Version(), version);
    // The update started the installer and ended the program; only the seam came back.
    const QString installer = m_data.path() + QStringLiteral("/ZelvoraSetup.exe");
    const qsizetype started =
        events.indexOf(QStringLiteral("start:") + installer + QStringLiteral(" /silent"));
    QVERIFY2(started > 0, qPrintable(events.join(QLatin1Char('\n'))));
    QCOMPARE(events.at(started + 1), QStringLiteral("terminate:0"));
    QVERIFY(QFile::exists(installer));
    // Back from the seam, the login went on to the credentials.
    QCOMPARE(events.constLast(), QStringLiteral("dialog:") + YanlisGiris);
}

void TestLogin::unknownWorkstationOpensTheRequestFormAndEnds()
{
    TestServer strict(400, {QStringLiteral("--no-demo-binding")});
    QString error;
    QVERIFY2(strict.start(&error), qPrintable(error));
    m_seams->deployment = dagitimOf(strict);
    // Characters that must reach the form intact.
    m_seams->workstation = QStringLiteral("YENİ-PC&1=2");

    Giris g;
    QVERIFY(runLogin(g, QStringLiteral("DEMO"), QStringLiteral("1234")));
    const QStringList events = m_seams->events();
    QCOMPARE(events, (QStringList{QStringLiteral("window:Tformistekyeni"), QStringLiteral("terminate:0")}));
    QCOMPARE(m_watcher->istekBasligi, QStringLiteral("Zelvora B2B İstek Formu"));
    QCOMPARE(m_watcher->istekAdresi, m_seams->deployment.webAdresi +
                                         QStringLiteral("formmailgonder.aspx?carino=0&kullanici=%20&id=") +
                                         QStringLiteral("YEN%C4%B0-PC%261%3D2"));
    QCOMPARE(g.form->result(), int(QDialog::Rejected));
    QVERIFY(!g.bilgi.Varmi());
    QVERIFY(!QFile::exists(ayarPath()));
}

void TestLogin::versionIsCheckedBeforeTheWorkstation()
{
    TestServer strict(400, {QStringLiteral("--no-demo-binding")});
    QString error;
    QVERIFY2(strict.start(&error), qPrintable(error));
    QVERIFY2(surumYayinla(strict, 7, &error), qPrintable(error));
    m_seams->deployment = dagitimOf(strict);
    m_seams->workstation = QStringLiteral("TANINMAYAN-02");

    Giris g;
    QVERIFY(runLogin(g, QStringLiteral("DEMO"), QStringLiteral("1234")));
    QStringList windows;
    for (const QString &e : m_seams->events()) {
        if (e.startsWith(QLatin1String("window:")))
            windows << e;
    }
    QCOMPARE(windows,
             (QStringList{QStringLiteral("window:Tdosyaindir"), QStringLiteral("window:Tformistekyeni")}));
    QCOMPARE(m_seams->events().constLast(), QStringLiteral("terminate:0"));
    QVERIFY(m_seams->dialogs().isEmpty());
}

void TestLogin::representativePicksACustomer_data()
{
    QTest::addColumn<QString>("workstation");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("kind");
    QTest::newRow("representative, kind 1") << "ZLVDEMO10"
                                            << "AHMET"
                                            << "AHMET01" << 1;
    QTest::newRow("sales manager, kind 2") << "ZLVDEMO12"
                                           << "AYSE"
                                           << "AYSE03" << 2;
}

void TestLogin::representativePicksACustomer()
{
    QFETCH(QString, workstation);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, kind);
    m_seams->workstation = workstation;

    int pickedCarino = 0;
    QString pickedKod, pickedAdi, boardCount;
    QString caption;
    int hiddenShown = 0, shownHidden = 0;
    m_watcher->onSeccari = [&](Tseccari *w) {
        caption = w->windowTitle();
        auto *search = w->findChild<QLineEdit *>(QStringLiteral("NEdit1"));
        auto *grid = w->findChild<grid::Grid *>(QStringLiteral("cxGrid1"));
        auto *alindi = w->findChild<QPushButton *>(QStringLiteral("alinditus"));
        if (!search || !grid || !alindi) {
            w->done(QDialog::Rejected);
            return;
        }
        // Hidden at rest: the number and the details; the counters show.
        for (const char *hidden : {"CARINO", "OZELKOD", "KOD1", "GSM", "YETKILI", "EMAIL"})
            hiddenShown += grid->isColumnVisible(QString::fromLatin1(hidden)) ? 1 : 0;
        for (const char *shown :
             {"CARIKOD", "CARIADI", "SATICISI", "TLBAKIYE", "DURUM", "SEPET", "ALINDI", "PARCALIHAZIRLANDI"})
            shownHidden += grid->isColumnVisible(QString::fromLatin1(shown)) ? 0 : 1;
        // Enter in the empty box lists every customer of the representative.
        QTest::keyClick(search, Qt::Key_Return);
        auto *poll = new QTimer(w);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, w, [&, w, grid, alindi, poll] {
            Table *t = grid->table();
            if (!t || t->recordCount() < 2 || alindi->text().isEmpty())
                return;
            poll->stop();
            boardCount = alindi->text();
            grid->focusTableRow(1);
            const qsizetype row = grid->focusedTableRow();
            pickedCarino = t->value(row, t->indexOf(QStringLiteral("CARINO"))).toInt();
            pickedKod = t->value(row, t->indexOf(QStringLiteral("CARIKOD"))).toString();
            pickedAdi = t->value(row, t->indexOf(QStringLiteral("CARIADI"))).toString();
            w->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        poll->start();
    };

    Giris g;
    QVERIFY(runLogin(g, user, password));
    QCOMPARE(caption, QStringLiteral("Cari Seçimi"));
    QCOMPARE(hiddenShown, 0);
    QCOMPARE(shownHidden, 0);
    QCOMPARE(m_seams->events().constFirst(), QStringLiteral("window:Tseccari:Cari Seçimi"));
    QCOMPARE(g.form->result(), int(QDialog::Accepted));
    QVERIFY(m_seams->dialogs().isEmpty());
    QCOMPARE(g.bilgi.MusteriTipi(), kind);
    QVERIFY(pickedCarino > 0);
    QCOMPARE(g.bilgi.CARINO(), pickedCarino);
    QCOMPARE(g.bilgi.carikod(), pickedKod);
    QCOMPARE(g.bilgi.CariAdi(), pickedAdi);
    bool numeric = false;
    boardCount.toInt(&numeric);
    QVERIFY2(numeric, qPrintable(boardCount));
    QCOMPARE(AyarOku(ayarPath()).isim, user);
}

void TestLogin::representativeLeavingTheSelectionEnds()
{
    m_seams->workstation = QStringLiteral("ZLVDEMO10");
    bool vazgecEnded = false;
    m_watcher->onSeccari = [&](Tseccari *w) {
        const qsizetype before = m_seams->events().size();
        w->findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        vazgecEnded = m_seams->events().mid(before) == QStringList{QStringLiteral("terminate:0")};
        // Only the test's seam returns; then the window is closed without a pick.
        w->done(QDialog::Rejected);
    };
    Giris g;
    QVERIFY(runLogin(g, QStringLiteral("AHMET"), QStringLiteral("AHMET01")));
    QVERIFY(vazgecEnded);
    QCOMPARE(m_seams->events().constLast(), QStringLiteral("terminate:0"));
    QCOMPARE(g.form->result(), int(QDialog::Rejected));
    QCOMPARE(g.bilgi.CARINO(), 0);
}

void TestLogin::vazgecAndClosingEnd()
{
    Giris g;
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    g.Button2()->click();
    QCOMPARE(m_seams->events(), QStringList{QStringLiteral("terminate:0")});
    QTest::keyClick(g.form.get(), Qt::Key_Escape);
    QCOMPARE(m_seams->events().size(), 2);
    g.form->close();
    QCOMPARE(m_seams->events(), QStringList(3, QStringLiteral("terminate:0")));
}

void TestLogin::ayarFileIsTheOwnersOnly()
{
    AyarKaydi ayar;
    ayar.isim = QStringLiteral("DEMO");
    ayar.sifre = QStringLiteral("1234");
    QVERIFY(AyarKaydet(ayar));
    QCOMPARE(AyarDosyasi(), ayarPath());
    QCOMPARE(fileMode(ayarPath()), 0600);

    // A file that an older install left readable by others is tightened.
    QVERIFY(QFile::setPermissions(ayarPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther));
    QCOMPARE(fileMode(ayarPath()), 0644);
    QVERIFY(AyarKaydet(ayar));
    QCOMPARE(fileMode(ayarPath()), 0600);
    QVERIFY(!QFile::exists(ayarPath() + QStringLiteral(".yeni")));
}

void TestLogin::ayarHatirlaValues_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("hatirla");
    const QByteArray head = "[kullanici]\nisim=DEMO\nsifre=1234\n";
    QTest::newRow("missing key") << head << true;
    QTest::newRow("0") << head + QStringLiteral("hatırla=0\n").toUtf8() << false;
    QTest::newRow("1") << head + QStringLiteral("hatırla=1\n").toUtf8() << true;
    QTest::newRow("other number") << head + QStringLiteral("hatırla=2\n").toUtf8() << true;
    QTest::newRow("negative") << head + QStringLiteral("hatırla=-1\n").toUtf8() << true;
    QTest::newRow("not a number") << head + QStringLiteral("hatırla=evet\n").toUtf8() << true;
    QTest::newRow("empty value") << head + QStringLiteral("hatırla=\n").toUtf8() << true;
    QTest::newRow("blanks and CRLF")
        << QStringLiteral("\xFEFF[Kullanici]\r\n isim = DEMO \r\nhatırla = 0 \r\n").toUtf8() << false;
    QTest::newRow("in another section") << QStringLiteral("[baska]\nhatırla=0\n").toUtf8() << true;
}

void TestLogin::ayarHatirlaValues()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, hatirla);
    QVERIFY(QDir().mkpath(m_config.path() + QStringLiteral("/zelvora")));
    QVERIFY(writeAll(ayarPath(), contents));
    const AyarKaydi ayar = AyarOku();
    QCOMPARE(ayar.hatirla, hatirla);

    // The window reads the name and password back only when remembered.
    Giris g;
    QCOMPARE(g.benihatirla()->isChecked(), hatirla);
    QCOMPARE(g.adi()->text(),
             hatirla && ayar.isim == QLatin1String("DEMO") ? QStringLiteral("DEMO") : QString());
}

void TestLogin::ayarKeepsTheRestOfTheFile()
{
    QVERIFY(QDir().mkpath(m_config.path() + QStringLiteral("/zelvora")));
    QVERIFY(writeAll(ayarPath(),
                     QStringLiteral("[pencere]\nx=10\n\n[kullanici]\nisim=ESKI\nyazici=1\nhatırla=1\n\n"
                                    "[son]\ny=2\n")
                         .toUtf8()));
    AyarKaydi ayar;
    ayar.isim = QStringLiteral("YENİ");
    ayar.sifre = QStringLiteral("Ş=1;2");
    ayar.hatirla = false;
    QVERIFY(AyarKaydet(ayar));
    const QString text = QString::fromUtf8(readAll(ayarPath()));
    QCOMPARE(text,
             QStringLiteral("[pencere]\nx=10\n\n[kullanici]\nisim=YENİ\nyazici=1\nhatırla=0\nsifre=Ş=1;2\n\n"
                            "[son]\ny=2\n"));
    const AyarKaydi back = AyarOku();
    QCOMPARE(back.isim, ayar.isim);
    QCOMPARE(back.sifre, ayar.sifre);
    QCOMPARE(back.hatirla, false);
}

void TestLogin::macFormatting_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kernel form") << "00:1a:2b:3c:4d:5e"
                                 << "00-1A-2B-3C-4D-5E";
    QTest::newRow("already formatted") << "AA-BB-CC-DD-EE-FF"
                                       << "AA-BB-CC-DD-EE-FF";
    QTest::newRow("plain hex") << "0a0b0c0d0e0f"
                               << "0A-0B-0C-0D-0E-0F";
    QTest::newRow("all zeros") << "00:00:00:00:00:00"
                               << "00-00-00-00-00-00";
    QTest::newRow("too short") << "00:1a:2b:3c:4d"
                               << "";
    QTest::newRow("infiniband length") << "80:00:00:48:fe:80:00:00:00:00:00:00:00:00:00:00:00:00:00:00"
                                       << "";
    QTest::newRow("not hex") << "00:1a:2b:3c:4d:zz"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestLogin::macFormatting()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(MacAdresiBicimle(input), expected);
}

void TestLogin::firstAdapterAddress()
{
    QTemporaryDir net;
    auto adapter = [&](const QString &name, const QByteArray &address, int index, bool physical) {
        const QString folder = net.path() + QLatin1Char('/') + name;
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeAll(folder + QStringLiteral("/address"), address + '\n'));
        QVERIFY(writeAll(folder + QStringLiteral("/ifindex"), QByteArray::number(index) + '\n'));
        if (physical)
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/device")));
    };
    QCOMPARE(MacAdresiAl(net.path()), QString());
    adapter(QStringLiteral("lo"), "00:00:00:00:00:00", 1, false);
    adapter(QStringLiteral("tun0"), "00:00:00:00:00:00", 2, false);
    QCOMPARE(MacAdresiAl(net.path()), QString());
    adapter(QStringLiteral("docker0"), "02:42:ac:11:00:01", 3, false);
    QCOMPARE(MacAdresiAl(net.path()), QStringLiteral("02-42-AC-11-00-01"));
    // A card of the machine's own comes before bridges, whatever their order.
    adapter(QStringLiteral("enp3s0"), "3c:97:0e:12:34:56", 5, true);
    adapter(QStringLiteral("wlp2s0"), "a4:c3:f0:aa:bb:cc", 4, true);
    QCOMPARE(MacAdresiAl(net.path()), QStringLiteral("A4-C3-F0-AA-BB-CC"));
}

void TestLogin::diskSerial()
{
    QTemporaryDir block;
    QTemporaryDir udev;
    auto disk = [&](const QString &name, bool physical) {
        const QString folder = block.path() + QLatin1Char('/') + name;
        QDir().mkpath(physical ? folder + QStringLiteral("/device") : folder);
        return folder;
    };
    disk(QStringLiteral("loop0"), true);
    disk(QStringLiteral("dm-0"), false);
    QCOMPARE(DiskSeriNoAl(block.path(), udev.path()), QString());

    // sdb would be second; sda has no serial in sysfs, only in udev's record.
    const QString sdb = disk(QStringLiteral("sdb"), true);
    QVERIFY(writeAll(sdb + QStringLiteral("/device/serial"), "second\n"));
    const QString sda = disk(QStringLiteral("sda"), true);
    QVERIFY(writeAll(sda + QStringLiteral("/dev"), "8:0\n"));
    QCOMPARE(DiskSeriNoAl(block.path(), udev.path()), QString());
    QVERIFY(writeAll(udev.path() + QStringLiteral("/b8:0"),
                     "S:disk/by-id/ata-Disk_ws1234\nE:ID_SERIAL=Disk_ws1234\nE:ID_SERIAL_SHORT=ws1234\n"));
    QCOMPARE(DiskSeriNoAl(block.path(), udev.path()), QStringLiteral("WS1234"));

    // An NVMe controller pads its serial with blanks.
    const QString nvme = disk(QStringLiteral("nvme0n1"), true);
    QVERIFY(writeAll(nvme + QStringLiteral("/device/serial"), "  s4ewnx0r123456     \n"));
    QCOMPARE(DiskSeriNoAl(block.path(), udev.path()), QStringLiteral("S4EWNX0R123456"));
}

void TestLogin::identifierFallsBackToTheAdapter_data()
{
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("macAsked");
    QTest::newRow("disk serial") << "WD-WX11A12345"
                                 << "00-1A-2B-3C-4D-5E"
                                 << "WD-WX11A12345" << false;
    QTest::newRow("blanks removed") << "  WD WX11 A123  "
                                    << "00-1A-2B-3C-4D-5E"
                                    << "WDWX11A123" << false;
    QTest::newRow("no serial") << ""
                               << "00-1A-2B-3C-4D-5E"
                               << "00-1A-2B-3C-4D-5E" << true;
    QTest::newRow("blank serial") << "   "
                                  << " 00-1A-2B-3C-4D-5E "
                                  << "00-1A-2B-3C-4D-5E" << true;
    QTest::newRow("nothing at all") << ""
                                    << ""
                                    << "" << true;
}

void TestLogin::identifierFallsBackToTheAdapter()
{
    QFETCH(QString, disk);
    QFETCH(QString, mac);
    QFETCH(QString, expected);
    QFETCH(bool, macAsked);
    bool asked = false;
    QCOMPARE(BilgisayarIdOlustur(disk,
                                 [&] {
                                     asked = true;
                                     return mac;
                                 }),
             expected);
    QCOMPARE(asked, macAsked);

    // On this machine: whatever it has, the identifier has no blanks.
    QVERIFY(!BilgisayarIdAl().contains(QLatin1Char(' ')));
    QCOMPARE(DisIpAl(), QStringLiteral("127.0.0.1"));
    QVERIFY(BilgisayarAdiAl().size() <= 15);
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
