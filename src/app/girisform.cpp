#include "app/girisform.h"

#include "service/ekranyardimcilari.h"

#include "app/ayar.h"
#include "app/dosyaindir.h"
#include "app/kimlik.h"
#include "representative/seccari.h"
#include "requests/formistekyeni.h"
#include "service/arkada.h"
#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/mesajgoster.h"
#include "service/mesgulgostergesi.h"
#include "service/seams.h"
#include "service/servermethods.h"
#include "service/urlkodla.h"
#include "wire/objects.h"

#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QLoggingCategory>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QUrl>
#include <QValidator>

#include <cmath>
#include <numbers>

namespace zelvora {

namespace {

Q_LOGGING_CATEGORY(lcGiris, "zelvora.giris", QtWarningMsg)

// The version this client is; the server publishes the one it wants.
constexpr int IstemciSurumu = 6;

constexpr int FormGenisligi = 368;
constexpr int FormYuksekligi = 550;
const QColor kirmizi(226, 10, 23);

// The window's background: the wholesaler's name on a red header, a light
// body for the boxes and a grey band for the contact details.
QPixmap arkaPlanResmi()
{
    QPixmap pixmap(FormGenisligi, FormYuksekligi);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient body(0, 0, 0, FormYuksekligi);
    body.setColorAt(0.0, QColor(255, 255, 255));
    body.setColorAt(1.0, QColor(232, 234, 237));
    p.fillRect(pixmap.rect(), body);

    // Header with a soft white sweep across its lower edge.
    constexpr int header = 168;
    QLinearGradient red(0, 0, FormGenisligi, header);
    red.setColorAt(0.0, QColor(236, 28, 36));
    red.setColorAt(1.0, QColor(160, 6, 14));
    QPainterPath top;
    top.moveTo(0, 0);
    top.lineTo(FormGenisligi, 0);
    top.lineTo(FormGenisligi, header - 34);
    top.cubicTo(FormGenisligi * 0.70, header + 6, FormGenisligi * 0.35, header - 18, 0, header);
    top.closeSubpath();
    p.fillPath(top, red);
    QPainterPath sweep;
    sweep.moveTo(0, header);
    sweep.cubicTo(FormGenisligi * 0.35, header - 18, FormGenisligi * 0.70, header + 6, FormGenisligi,
                  header - 34);
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.drawPath(sweep);
    p.setPen(QPen(QColor(120, 126, 134, 90), 1));
    p.translate(0, 5);
    p.drawPath(sweep);
    p.translate(0, -5);

    // A light glow behind the badge.
    QRadialGradient glow(QPointF(70, 74), 70);
    glow.setColorAt(0.0, QColor(255, 255, 255, 60));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(70, 74), 70, 70);

    // The badge: a wheel rim around the initial.
    const QPointF centre(70, 72);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 38, 38);
    p.setPen(QPen(QColor(200, 204, 210), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 33, 33);
    p.setPen(QPen(kirmizi, 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 10; ++i) {
        const double a = i * std::numbers::pi / 5.0;
        p.drawLine(centre + QPointF(34 * std::cos(a), 34 * std::sin(a)),
                   centre + QPointF(38 * std::cos(a), 38 * std::sin(a)));
    }
    QFont initial = arial(40, true);
    initial.setItalic(true);
    p.setFont(initial);
    p.setPen(kirmizi);
    p.drawText(QRectF(centre.x() - 38, centre.y() - 38, 76, 76), Qt::AlignCenter, QStringLiteral("Z"));

    p.setPen(Qt::white);
    QFont brand = arial(34, true);
    brand.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(brand);
    p.drawText(QRect(122, 34, 240, 42), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZELVORA"));
    p.setFont(arial(16, true));
    p.drawText(QRect(124, 76, 240, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Oto Yedek Parça"));
    p.setPen(QColor(255, 255, 255, 210));
    p.setFont(arial(12, false));
    p.drawText(QRect(124, 98, 240, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("B2B Sipariş Sistemi"));

    // Contact band.
    constexpr int band = 452;
    QLinearGradient grey(0, band, 0, FormYuksekligi);
    grey.setColorAt(0.0, QColor(214, 217, 222));
    grey.setColorAt(1.0, QColor(190, 194, 200));
    p.fillRect(QRect(0, band, FormGenisligi, FormYuksekligi - band), grey);
    p.fillRect(QRect(0, band, FormGenisligi, 3), kirmizi);
    return pixmap;
}

// The identity as the seam reports it, else as this machine does.
QString kimlik(const QString &fromSeam, QString (*measured)())
{
    return fromSeam.isEmpty() ? measured() : fromSeam;
}

QString istasyonKimligi()
{
    return kimlik(Seams::current().workstationId(), &BilgisayarIdAl);
}

} // namespace

struct Tgirisform::Private
{
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *adi = nullptr;
    QLineEdit *sifre = nullptr;
    QCheckBox *benihatirla = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    MesgulGostergesi *RxGIFAnimator1 = nullptr;
    QLabel *RxLabel1 = nullptr;
};

Tgirisform::Tgirisform(QWidget *owner) : QDialog(owner), d(std::make_unique<Private>())
{
    // Before the main window is visible this is the application's only
    // window, so it keeps a frame of its own with a task-bar entry.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Giriş"));
    setFixedSize(FormGenisligi, FormYuksekligi);
    setFont(tahoma(13, true));

    d->Image1 = new QLabel(this);
    d->Image1->setObjectName(QStringLiteral("Image1"));
    d->Image1->setGeometry(0, 0, FormGenisligi, FormYuksekligi);
    d->Image1->setPixmap(arkaPlanResmi());

    constexpr int left = 44;
    constexpr int width = FormGenisligi - 2 * left;
    auto etiket = [this](const QString &name, const QString &text, int y) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        label->setGeometry(left, y, width, 22);
        label->setAutoFillBackground(true);
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, kirmizi);
        pal.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(pal);
        label->setFont(tahoma(13, true));
        return label;
    };
    auto kutu = [this](const QString &name, int y) {
        auto *box = new QLineEdit(this);
        box->setObjectName(name);
        box->setGeometry(left, y, width, 30);
        box->setValidator(new BuyukHarf(box));
        box->installEventFilter(this);
        return box;
    };
    d->Label1 = etiket(QStringLiteral("Label1"), QStringLiteral(" Kullanıcı Adı:"), 196);
    d->adi = kutu(QStringLiteral("adi"), 218);
    d->Label2 = etiket(QStringLiteral("Label2"), QStringLiteral(" Şifre:"), 262);
    d->sifre = kutu(QStringLiteral("sifre"), 284);
    d->sifre->setEchoMode(QLineEdit::Password);

    d->benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"), this);
    d->benihatirla->setObjectName(QStringLiteral("benihatirla"));
    d->benihatirla->setGeometry(left, 324, width, 24);
    d->benihatirla->setChecked(true);

    d->Button1 = new QPushButton(QStringLiteral("Giriş"), this);
    d->Button1->setObjectName(QStringLiteral("Button1"));
    d->Button1->setGeometry(left, 360, (width - 10) / 2, 34);
    d->Button1->setCursor(Qt::PointingHandCursor);
    d->Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    d->Button2->setObjectName(QStringLiteral("Button2"));
    d->Button2->setGeometry(left + (width + 10) / 2, 360, (width - 10) / 2, 34);
    d->Button2->setCursor(Qt::PointingHandCursor);

    d->RxGIFAnimator1 = new MesgulGostergesi(this);
    d->RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    d->RxGIFAnimator1->move((FormGenisligi - d->RxGIFAnimator1->width()) / 2, 410);
    d->RxGIFAnimator1->hide();

    d->RxLabel1 = new QLabel(this);
    d->RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    d->RxLabel1->setGeometry(0, 460, FormGenisligi, 84);
    d->RxLabel1->setAlignment(Qt::AlignCenter);
    d->RxLabel1->setFont(arial(15, true));
    d->RxLabel1->setTextFormat(Qt::PlainText);
    d->RxLabel1->setText(QStringLiteral("Zelvora Oto Yedek Parça A.Ş.\n"
                                        "Ostim OSB 1234. Cad. No: 18 Ankara\n"
                                        "siparis@zelvora.com.tr\n"
                                        "Tel: 0312 555 12 34  Faks: 0312 555 12 35"));
    QPalette contact = d->RxLabel1->palette();
    contact.setColor(QPalette::WindowText, QColor(52, 56, 62));
    d->RxLabel1->setPalette(contact);
    auto *shadow = new QGraphicsDropShadowEffect(d->RxLabel1);
    shadow->setColor(Qt::white);
    shadow->setOffset(1, 1);
    shadow->setBlurRadius(0);
    d->RxLabel1->setGraphicsEffect(shadow);

    // Set on the controls themselves: a sheet on the window would carry on
    // into every dialog opened over it (the customer selection, the update).
    const QString kutuStili = QStringLiteral(
        "QLineEdit { background: white; border: 1px solid #A9AEB6; border-radius: 2px; padding: 0 6px;"
        " font-size: 15px; selection-background-color: #E20A17; }"
        "QLineEdit:focus { border: 1px solid #E20A17; }");
    d->adi->setStyleSheet(kutuStili);
    d->sifre->setStyleSheet(kutuStili);
    d->Button1->setStyleSheet(QStringLiteral(
        "QPushButton { border-radius: 3px; font-weight: bold; font-size: 14px; color: white;"
        " border: 1px solid #9E0610;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EE2A33, stop:1 #C40812); }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #F4434B,"
        " stop:1 #D20B16); }"
        "QPushButton:pressed { background: #A90711; }"
        "QPushButton:disabled { background: #D9A3A6; color: #FBEFEF; border: 1px solid #C98C90; }"));
    d->Button2->setStyleSheet(QStringLiteral(
        "QPushButton { border-radius: 3px; font-weight: bold; font-size: 14px; color: #33373D;"
        " border: 1px solid #A9AEB6;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #E3E5E8); }"
        "QPushButton:hover { background: #F2F3F5; }"
        "QPushButton:pressed { background: #D5D8DC; }"));

    connect(d->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(d->Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    setTabOrder(d->adi, d->sifre);
    setTabOrder(d->sifre, d->benihatirla);
    setTabOrder(d->benihatirla, d->Button1);
    setTabOrder(d->Button1, d->Button2);

    // FormCreate.
    idsi = istasyonKimligi();
    AyarOku();
    d->adi->setFocus(Qt::OtherFocusReason);
}

Tgirisform::~Tgirisform() = default;

void Tgirisform::AyarOku()
{
    const AyarKaydi ayar = zelvora::AyarOku();
    d->benihatirla->setChecked(ayar.hatirla);
    if (ayar.hatirla) {
        d->adi->setText(ayar.isim);
        d->sifre->setText(ayar.sifre);
    }
}

void Tgirisform::AyarKaydet()
{
    AyarKaydi ayar;
    ayar.isim = d->adi->text();
    ayar.sifre = d->sifre->text();
    ayar.hatirla = d->benihatirla->isChecked();
    // Not being able to remember the user is no reason to refuse the login.
    if (!zelvora::AyarKaydet(ayar))
        qCWarning(lcGiris) << "ayar.ini could not be written";
}

bool Tgirisform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == d->adi)
            return adiKeyDown(key);
        if (watched == d->sifre)
            return sifreKeyDown(key);
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::BosKutuUyarisi(const QString &text, QWidget *box)
{
    Seams::current().playSound(SystemSound::Error);
    MesajGoster(text, mtUyari, 1 << mbOK, mbOK, 0, this);
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->selectAll();
    box->setFocus(Qt::OtherFocusReason);
}

bool Tgirisform::adiKeyDown(QKeyEvent *key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (d->adi->text().trimmed().isEmpty()) {
        BosKutuUyarisi(QStringLiteral("Lütfen kullanıcı adını giriniz !"), d->adi);
        return true;
    }
    d->sifre->selectAll();
    d->sifre->setFocus(Qt::OtherFocusReason);
    return true;
}

bool Tgirisform::sifreKeyDown(QKeyEvent *key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (d->sifre->text().trimmed().isEmpty()) {
        BosKutuUyarisi(QStringLiteral("Lütfen kullanıcı şifresini giriniz !"), d->sifre);
        return true;
    }
    // While an attempt runs the button is disabled; Enter must not start a second one beside it.
    if (d->Button1->isEnabled())
        Button1Click();
    return true;
}

void Tgirisform::Button1Click()
{
    if (!bagim || !Bilgim) {
        qCWarning(lcGiris) << "login started without a connection or a login record";
        return;
    }
    d->Button1->setText(QStringLiteral("Bağlanıyor..."));
    d->Button1->setEnabled(false);
    d->RxGIFAnimator1->show();

    auto disip = std::make_shared<QString>();
    ArkadaCalistir([disip] { *disip = DisIpAl(); })->Await(this, [this, disip] {
        d->Button1->setText(QStringLiteral("Giriş!"));
        Devamet(*disip);
    });
}

void Tgirisform::Button2Click()
{
    Seams::current().terminate(0);
}

void Tgirisform::reject()
{
    Seams::current().terminate(0);
}

void Tgirisform::Devamet(const QString &disip)
{
    Bilgim->setDisip(disip);
    const Dagitim dagitim = Seams::current().dagitim();
    bagim->setParam(QStringLiteral("HostName"), dagitim.sunucuAdresi);
    bagim->setParam(QStringLiteral("Port"), QString::number(dagitim.sunucuPortu));

    // The worker gets copies: its own connection, the identifier, and a
    // record of its own that reaches Bilgim only once the step has succeeded.
    std::shared_ptr<Connection> baglanti = bagim->clone();
    auto kayit = std::make_shared<TSonucBilgisi>();
    auto basarili = std::make_shared<bool>(false);
    // The indicator keeps turning through the server step: with retries it
    // can take several seconds, and the user should see that something runs.
    d->RxGIFAnimator1->show();
    ArkadaCalistir([baglanti, kayit, basarili, id = idsi] {
        *basarili = SunucuBilgisiAl(*baglanti, id, *kayit);
    })->Await(this, [this, kayit, basarili] {
        d->RxGIFAnimator1->hide();
        if (!*basarili) {
            MesajGoster(QStringLiteral("Bağlantı Kurulamadı !"), mtHata, 1 << mbOK, mbOK, 0, this);
            Dinlenmede();
            return;
        }
        Bilgim->Kopyala(*kayit);

        // An outdated client is updated before anything else is looked at.
        if (Bilgim->Version() != IstemciSurumu)
            GuncellemeAc(Bilgim->Version());
        if (!Bilgim->Varmi()) {
            IstekFormuAc();
            Seams::current().terminate(0);
            return;
        }
        if (d->adi->text() == Bilgim->ADI() && d->sifre->text() == Bilgim->SIFRE()) {
            AyarKaydet();
            if (Bilgim->AKTIF() == 1) {
                if ((Bilgim->MusteriTipi() == 1 || Bilgim->MusteriTipi() == 2) && !CariSecimiAc())
                    return;
                accept();
                return;
            }
        }
        MesajGoster(QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"), mtUyari,
                    1 << mbOK, mbOK, 0, this);
        Dinlenmede();
    });
}

void Tgirisform::Dinlenmede()
{
    d->Button1->setEnabled(true);
    d->adi->selectAll();
    d->adi->setFocus(Qt::OtherFocusReason);
}

bool Tgirisform::SunucuBilgisiAl(Connection &baglanti, const QString &idsi, TSonucBilgisi &kayit)
{
    if (!BaglantiAc(baglanti, 0))
        return false;
    try {
        TServerMethods1Client client(&baglanti);
        const TSonucBilgisi *sonuc = client.BuyukGetir(idsi);
        if (!sonuc) {
            baglanti.close();
            return false;
        }
        kayit.Kopyala(*sonuc);
    } catch (const std::exception &e) {
        qCWarning(lcGiris) << "BuyukGetir failed:" << e.what();
        baglanti.close();
        return false;
    }
    baglanti.close();

    const Seams &seams = Seams::current();
    kayit.setBilgiSayarAdi(kimlik(seams.computerName(), &BilgisayarAdiAl));
    kayit.setBilgisayarKullanici(kimlik(seams.userName(), &KullaniciAdiAl));
    kayit.setIcip(kimlik(seams.localIp(), &IcIpAl));
    kayit.setBILGISAYARID(istasyonKimligi());
    kayit.setDisip(DisIpAl());
    return true;
}

bool Tgirisform::CariSecimiAc()
{
    Tseccari secim(this);
    secim.bag = bagim;
    secim.bilgim = Bilgim;
    secim.SepetSayisiYaz();
    secim.TusSonuclari();
    if (secim.exec() != QDialog::Accepted) {
        Seams::current().terminate(0);
        return false;
    }
    return true;
}

void Tgirisform::GuncellemeAc(int surum)
{
    Tdosyaindir pencere(this, surum);
    pencere.exec();
}

void Tgirisform::IstekFormuAc()
{
    Tformistekyeni form(this);
    form.setWindowTitle(QStringLiteral("Zelvora B2B İstek Formu"));
    // The form's "kullanici" is a single blank, sent encoded: the web host
    // refuses a raw blank in an address.
    const QString adres = Seams::current().dagitim().webAdresi +
                          QStringLiteral("formmailgonder.aspx?carino=0&kullanici=%20&id=") +
                          UrlKodla(istasyonKimligi());
    form.Git(QUrl(adres));
    form.exec();
}

} // namespace zelvora
