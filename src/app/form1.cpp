#include "app/form1.h"

#include "service/ekranyardimcilari.h"

#include "app/girisform.h"
#include "app/kayanyazi.h"
#include "app/zirconstyle.h"
#include "basket/sepetsayfasi.h"
#include "catalogue/stokayarinti.h"
#include "catalogue/stoklistesi.h"
#include "service/mesajgoster.h"
#include "service/mesgulgostergesi.h"
#include "service/resimler.h"
#include "service/seams.h"
#include "wire/objects.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QValidator>

namespace zelvora {

namespace {

const QString pencereBasligi = QStringLiteral("Zelvora B2B Programı");
const QString uygulamaBasligi = QStringLiteral("Zelvora B2B");

QFrame *yatayCizgi(QWidget *parent)
{
    auto *cizgi = new QFrame(parent);
    cizgi->setFixedHeight(1);
    cizgi->setAutoFillBackground(true);
    QPalette renkler = cizgi->palette();
    renkler.setColor(QPalette::Window, zircon::cerceve);
    cizgi->setPalette(renkler);
    return cizgi;
}

void zeminRengi(QWidget *widget, const QColor &renk)
{
    widget->setAutoFillBackground(true);
    QPalette renkler = widget->palette();
    renkler.setColor(QPalette::Window, renk);
    widget->setPalette(renkler);
}

} // namespace

TForm1::TForm1(QWidget *parent) : TForm1(GirisPenceresi(), parent) {}

TForm1::TForm1(GirisPenceresi giris, QWidget *parent) : QMainWindow(parent), m_giris(std::move(giris))
{
    arayuzuKur();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::SayiFormatla(Table &table) const
{
    zelvora::SayiFormatla(table);
}

// ------------------------------------------------------------------ start-up

void TForm1::FormCreate()
{
    _acilisadet = 0;
    _acilisgoruldu = false;

    QApplication::setApplicationName(uygulamaBasligi);
    setWindowTitle(pencereBasligi);
    // The screen-wide message font: message dialogs and boxes are set in 15 points.
    QFont mesajYazisi = ZirconYazisi(13);
    mesajYazisi.setPointSize(15);
    QApplication::setFont(mesajYazisi, "zelvora::TMesajForm");
    QApplication::setFont(mesajYazisi, "QMessageBox");

    Seams &seams = Seams::current();
    sbilgi = std::make_unique<TSonucBilgisi>();
    sbilgi->setBilgiSayarAdi(seams.computerName());
    sbilgi->setBilgisayarKullanici(seams.userName());
    sbilgi->setIcip(seams.localIp());
    sbilgi->setBILGISAYARID(seams.workstationId());

    const Dagitim dagitim = seams.dagitim();
    bagc.setParam(QStringLiteral("HostName"), dagitim.sunucuAdresi);
    bagc.setParam(QStringLiteral("Port"), QString::number(dagitim.sunucuPortu));

    m_webAdresi = dagitim.webAdresi;
    SiteMenuItem->setText(m_webAdresi);

    m_baglam.bagc = &bagc;
    m_baglam.sbilgi = sbilgi.get();
    m_baglam.stok = &stok;
    m_baglam.sepet = &sepet;
    m_baglam.ONCEKILER = &ONCEKILER;
    m_baglam.EKSTRE = &EKSTRE;
    m_baglam.YENILER = &YENILER;
    m_baglam.kampstok = &kampstok;
    m_baglam.sayfalar = sayfalar;

    if (!GirisYap())
        return;
    stokListesiniKur();
    sepetSayfasiniKur();

    // The window shows at once; the header, banners and counts follow.
    ZincirPenceresi *pencere = this;
    ArkaPlanZinciri::Baslat(std::make_shared<ArkaPlanZinciri>(bagc, *sbilgi, this, pencere), [this] {
        AcilisReklamGoster();
        m_baslangicBitti = true;
        Q_EMIT baslangicBittiChanged();
    });
}

bool TForm1::GirisYap()
{
    bool girdi = false;
    if (m_giris) {
        girdi = m_giris(bagc, *sbilgi);
    } else {
        // No Qt parent: the login is a window of its own with its own
        // task-bar entry, since this one is not visible yet.
        Tgirisform giris;
        giris.bagim = &bagc;
        giris.Bilgim = sbilgi.get();
        girdi = giris.exec() == QDialog::Accepted;
    }
    if (!girdi) {
        Seams::current().terminate(0);
        return false;
    }
    KullaniciTipiUygula(sbilgi->MusteriTipi());
    return true;
}

void TForm1::KullaniciTipiUygula(int tip)
{
    // Set once; the pages read the kind from their context when they build
    // their columns, and it does not change again for the run.
    m_baglam.MusteriTipi = tip;
    if (tip == 1 || tip == 2) {
        musteritus->setVisible(true);
        R1->setVisible(true);
    }
    if (tip == 3)
        R1->setVisible(false);
    if (tip == 4) {
        sayfalar->setTabVisible(sayfalar->indexOf(skampanyali), false);
        R1->setVisible(false);
    }
}

void TForm1::AcilisReklamGoster()
{
    if (_acilisgoruldu || _acilisadet == 0)
        return;
    // The opening advertisement window comes with the promotions screens;
    // until then there is nothing to offer.
}

// ------------------------------------------------------------------ closing

void TForm1::closeEvent(QCloseEvent *event)
{
    FormCloseQuery(event);
}

void TForm1::FormCloseQuery(QCloseEvent *event)
{
    event->ignore();
    if (MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), mtSoru, (1 << mbYes) | (1 << mbNo),
                    mbYes, 0, this) == mrYes) {
        // No connection is closed and the server is not told.
        Seams::current().terminate(0);
        return;
    }
}

void TForm1::G1Click()
{
    close();
}

void TForm1::SiteMenuItemClick()
{
    Seams::current().openUrl(QUrl(m_webAdresi));
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_ilkGosterim) {
        m_ilkGosterim = false;
        araedit->setFocus();
    }
}

// ------------------------------------------------------------ the chain's work

void TForm1::AnaBilgiAl()
{
    kullanicilbl->setText(sbilgi->ADI());
    cariadilbl->setText(sbilgi->CariAdi());
    saticilbl->setText(sbilgi->SaticiAdi() + QStringLiteral(" Telefonu: ") + sbilgi->SaticiTelefon() +
                       QStringLiteral(" email: ") + sbilgi->SaticiMail());
}

void TForm1::KayanYaziYaz(const QString &metin)
{
    kayanyazi->setAktif(false);
    kayanyazi->temizle();
    if (!metin.trimmed().isEmpty()) {
        const int oge = kayanyazi->ogeEkle();
        kayanyazi->setOgeMetni(oge, metin);
        kayanyazi->setOgeTuru(oge, KayanYazi::OgeTuru::Html);
    }
    kayanyazi->setAktif(true);
}

void TForm1::BannerGoster(BannerYeri yer, const std::optional<QByteArray> &resim)
{
    switch (yer) {
    case BannerYeri::Baslik:
        if (resim)
            gifYukle(RxGIFAnimator1, *resim, true);
        break;
    case BannerYeri::Serit:
        if (resim) {
            gifYukle(RxGIFAnimator2, *resim, false);
        } else {
            RxGIFAnimator2->clear();
            RxGIFAnimator2->setFixedHeight(0);
        }
        break;
    case BannerYeri::Alt:
        if (!resim) {
            Panel5->setFixedHeight(40);
        } else if (resim->size() >= 11) {
            QPixmap bmp;
            if (!bmp.loadFromData(*resim, "BMP"))
                break;
            Image3 = bmp;
            RealTimeMarquee1->temizle();
            RealTimeMarquee1->setOgeResmi(RealTimeMarquee1->ogeEkle(), Image3);
            RealTimeMarquee1->setFixedHeight(Image3.height());
            RealTimeMarquee1->setVisible(true);
            RealTimeMarquee1->setAktif(true);
            Panel5->setFixedHeight(Image3.height() + 40);
        }
        break;
    }
}

void TForm1::gifYukle(QLabel *alan, const QByteArray &resim, bool genisligiAl)
{
    auto *tampon = new QBuffer(alan);
    tampon->setData(resim);
    tampon->open(QIODevice::ReadOnly);
    auto *film = new QMovie(tampon, "gif", alan);
    if (!film->isValid() || !film->jumpToFrame(0)) {
        delete film;
        delete tampon;
        return;
    }
    const QSize boyut = film->currentImage().size();
    if (QMovie *eski = alan->movie()) {
        alan->setMovie(nullptr);
        QIODevice *eskiTampon = eski->device();
        delete eski;
        if (eskiTampon && eskiTampon->parent() == alan)
            delete eskiTampon;
    }
    // The header banner takes the picture's width and is stretched to the
    // header's height; the strip takes the picture's height.
    if (genisligiAl) {
        alan->setFixedWidth(boyut.width());
        film->setScaledSize(QSize(boyut.width(), alan->height()));
    } else {
        alan->setFixedHeight(boyut.height());
    }
    alan->setMovie(film);
    film->start();
}

void TForm1::sayfaBasligiYaz(QWidget *sayfa, const QString &baslik)
{
    const int sira = sayfalar->indexOf(sayfa);
    if (sira >= 0)
        sayfalar->setTabText(sira, baslik);
}

void TForm1::AcilisReklamAdetiYaz(int adet)
{
    _acilisadet = adet;
    sayfaBasligiYaz(sTabSheetduyuru, QString::number(adet) + QStringLiteral("=Duyurular"));
}

void TForm1::AcilisReklamAdetiSifirla()
{
    _acilisadet = 0;
}

void TForm1::BalonlariYaz(const QString &sepet, const QString &yeniler, const QString &kampanyali,
                          const QString &bakiyeler)
{
    sayfaBasligiYaz(ssepet, sepet + QStringLiteral("=Sepet"));
    sayfaBasligiYaz(syeniler, yeniler + QStringLiteral("=Yeni Stoklar"));
    sayfaBasligiYaz(skampanyali, kampanyali + QStringLiteral("=Kampanyalı"));
    sayfaBasligiYaz(sTabbakiyeler, bakiyeler + QStringLiteral("=Bakiyeler"));
}

// ------------------------------------------------------------------ layout

void TForm1::arayuzuKur()
{
    setFont(ZirconYazisi(13, true));
    setMinimumSize(1024, 640);

    auto *merkez = new QWidget(this);
    auto *dikey = new QVBoxLayout(merkez);
    dikey->setContentsMargins(0, 0, 0, 0);
    dikey->setSpacing(0);
    dikey->addWidget(baslikPaneli());
    dikey->addWidget(yatayCizgi(merkez));
    dikey->addWidget(aramaCubugu());

    RxGIFAnimator2 = new QLabel(merkez);
    RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
    RxGIFAnimator2->setAlignment(Qt::AlignCenter);
    RxGIFAnimator2->setFixedHeight(0);
    dikey->addWidget(RxGIFAnimator2);

    sayfalariKur();
    dikey->addWidget(sayfalar, 1);
    dikey->addWidget(durumAciklamasi());
    dikey->addWidget(altPanel());
    setCentralWidget(merkez);
}

QWidget *TForm1::baslikPaneli()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(100);
    zeminRengi(panel, Qt::white);
    auto *satir = new QHBoxLayout(panel);
    satir->setContentsMargins(0, 0, 8, 0);
    satir->setSpacing(8);

    logoresmi = new QLabel(panel);
    logoresmi->setObjectName(QStringLiteral("logoresmi"));
    logoresmi->setFixedSize(218, 100);
    logoresmi->setPixmap(FirmaLogosu());
    satir->addWidget(logoresmi);

    auto *bilgiler = new QWidget(panel);
    auto *izgara = new QGridLayout(bilgiler);
    izgara->setContentsMargins(0, 8, 0, 8);
    izgara->setHorizontalSpacing(6);
    izgara->setVerticalSpacing(0);
    izgara->setColumnStretch(0, 18);
    izgara->setColumnStretch(1, 82);
    const QString basliklar[] = {QStringLiteral("Kullanıcı: "), QStringLiteral("Firma: "),
                                 QStringLiteral("Temsilci: ")};
    QLabel **degerler[] = {&kullanicilbl, &cariadilbl, &saticilbl};
    const char *adlar[] = {"kullanicilbl", "cariadilbl", "saticilbl"};
    for (int i = 0; i < 3; ++i) {
        auto *baslik = new QLabel(basliklar[i], bilgiler);
        baslik->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QPalette soluk = baslik->palette();
        soluk.setColor(QPalette::WindowText, zircon::aciklama);
        baslik->setPalette(soluk);
        auto *deger = new QLabel(bilgiler);
        deger->setObjectName(QLatin1String(adlar[i]));
        deger->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        deger->setTextFormat(Qt::PlainText);
        deger->setMinimumWidth(1);
        izgara->addWidget(baslik, i, 0);
        izgara->addWidget(deger, i, 1);
        izgara->setRowStretch(i, 1);
        *degerler[i] = deger;
    }
    satir->addWidget(bilgiler, 1);

    RxGIFAnimator1 = new QLabel(panel);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setFixedSize(409, 100);
    RxGIFAnimator1->setAlignment(Qt::AlignCenter);
    satir->addWidget(RxGIFAnimator1);

    Genelmenu = new QMenu(this);
    Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    Genelmenu->setFont(ZirconYazisi(13, true));
    M1 = Genelmenu->addAction(QStringLiteral("Mail Gönder"));
    Genelmenu->addSeparator();
    N4 = Genelmenu->addAction(QStringLiteral("Şifre Değiştirme İsteği"));
    Genelmenu->addSeparator();
    SiteMenuItem = Genelmenu->addAction(QString());
    Genelmenu->addSeparator();
    G1 = Genelmenu->addAction(QStringLiteral("Çıkış"));
    Genelmenu->addSeparator();
    R1 = Genelmenu->addAction(QStringLiteral("Raporlar"));
    R1->setVisible(false);
    M1->setObjectName(QStringLiteral("M1"));
    N4->setObjectName(QStringLiteral("N4"));
    SiteMenuItem->setObjectName(QStringLiteral("SiteMenuItem"));
    G1->setObjectName(QStringLiteral("G1"));
    R1->setObjectName(QStringLiteral("R1"));
    connect(G1, &QAction::triggered, this, &TForm1::G1Click);
    connect(SiteMenuItem, &QAction::triggered, this, &TForm1::SiteMenuItemClick);

    menubuton = new QToolButton(panel);
    menubuton->setObjectName(QStringLiteral("menubuton"));
    menubuton->setFixedSize(84, 64);
    menubuton->setIconSize(QSize(48, 48));
    menubuton->setIcon(QIcon(MenuResmi()));
    menubuton->setAutoRaise(true);
    // Only the arrow does something: it opens the menu.
    menubuton->setPopupMode(QToolButton::MenuButtonPopup);
    menubuton->setMenu(Genelmenu);
    satir->addWidget(menubuton, 0, Qt::AlignVCenter);
    return panel;
}

QWidget *TForm1::aramaCubugu()
{
    auto *cubuk = new QWidget(this);
    cubuk->setObjectName(QStringLiteral("Panel2"));
    cubuk->setFixedHeight(35);
    auto *satir = new QHBoxLayout(cubuk);
    satir->setContentsMargins(8, 3, 8, 3);
    satir->setSpacing(6);

    auto *aramaResmi = new QLabel(cubuk);
    aramaResmi->setPixmap(AramaResmi());
    satir->addWidget(aramaResmi);

    araedit = new QLineEdit(cubuk);
    araedit->setObjectName(QStringLiteral("araedit"));
    araedit->setFixedWidth(340);
    araedit->setFont(ZirconYazisi(20));
    araedit->setValidator(new BuyukHarf(araedit));
    satir->addWidget(araedit);

    arabuton = new QToolButton(cubuk);
    arabuton->setObjectName(QStringLiteral("arabuton"));
    arabuton->setIcon(AraResmi());
    arabuton->setIconSize(QSize(24, 24));
    arabuton->setToolTip(QStringLiteral("Ara"));
    arabuton->setAutoRaise(true);
    satir->addWidget(arabuton);

    temizlebuton = new QToolButton(cubuk);
    temizlebuton->setObjectName(QStringLiteral("temizlebuton"));
    temizlebuton->setIcon(TemizleResmi());
    temizlebuton->setIconSize(QSize(24, 24));
    temizlebuton->setToolTip(QStringLiteral("Temizle"));
    temizlebuton->setAutoRaise(true);
    satir->addWidget(temizlebuton);

    musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"), cubuk);
    musteritus->setObjectName(QStringLiteral("musteritus"));
    musteritus->setVisible(false);
    satir->addWidget(musteritus);

    MesgulGostergesi **gostergeler[] = {&gifstokara,   &gifyeniler, &gifkampanyali, &gifduyuru,
                                        &gifoncekiler, &gifsepet,   &gifekstre};
    const char *adlar[] = {"gifstokara",   "gifyeniler", "gifkampanyali", "gifduyuru",
                           "gifoncekiler", "gifsepet",   "gifekstre"};
    for (int i = 0; i < 7; ++i) {
        auto *gosterge = new MesgulGostergesi(cubuk);
        gosterge->setObjectName(QLatin1String(adlar[i]));
        satir->addWidget(gosterge);
        *gostergeler[i] = gosterge;
    }
    satir->addStretch(1);
    return cubuk;
}

void TForm1::sayfalariKur()
{
    sayfalar = new QTabWidget(this);
    sayfalar->setObjectName(QStringLiteral("sayfalar"));
    sayfalar->tabBar()->setProperty(ZirconStyle::sekmeBoyutuOzelligi, QSize(120, 45));
    sayfalar->setIconSize(QSize(32, 32));
    sayfalar->setDocumentMode(true);

    struct Sayfa
    {
        QWidget **alan;
        const char *ad;
        QString baslik;
        int resim;
    };
    const Sayfa tanimlar[] = {
        {&sstoklistesi, "sstoklistesi", QStringLiteral("Stok Listesi"), 0},
        {&ssepet, "ssepet", QStringLiteral("Sepet"), 8},
        {&sonceki, "sonceki", QStringLiteral("Önceki Siparişler"), 3},
        {&sccariekstre, "sccariekstre", QStringLiteral("Cari Ekstre"), 1},
        {&syeniler, "syeniler", QStringLiteral("Yeni Stoklar"), 10},
        {&skampanyali, "skampanyali", QStringLiteral("Kampanyalı Stoklar"), 6},
        {&sTabSheetduyuru, "sTabSheetduyuru", QStringLiteral("Duyurular"), 5},
        {&sTabbakiyeler, "sTabbakiyeler", QStringLiteral("Bakiyeler"), 7},
        {&ss, "ss", QStringLiteral("Sanal Pos"), 12},
    };
    for (const Sayfa &tanim : tanimlar) {
        auto *sayfa = new QWidget(sayfalar);
        sayfa->setObjectName(QLatin1String(tanim.ad));
        sayfalar->addTab(sayfa, SekmeResmi(tanim.resim), tanim.baslik);
        *tanim.alan = sayfa;
    }
    sayfalar->setCurrentWidget(sstoklistesi);
}

// Built after the login: its columns depend on the user kind.
void TForm1::stokListesiniKur()
{
    AramaCubugu cubuk;
    cubuk.araedit = araedit;
    cubuk.arabuton = arabuton;
    cubuk.temizlebuton = temizlebuton;
    cubuk.gifstokara = gifstokara;
    stoklistesi = new TStokListesi(m_baglam, cubuk, sstoklistesi);
    auto *yerlesim = new QVBoxLayout(sstoklistesi);
    yerlesim->setContentsMargins(0, 0, 0, 0);
    yerlesim->addWidget(stoklistesi);
    connect(arabuton, &QToolButton::clicked, stoklistesi, &TStokListesi::SpeedButton2Click);
    connect(temizlebuton, &QToolButton::clicked, stoklistesi, &TStokListesi::SpeedButton1Click);
}

// Built after the login: the status column depends on the user kind.
void TForm1::sepetSayfasiniKur()
{
    sepetsayfasi = new TSepetSayfasi(m_baglam, araedit, gifsepet, ssepet);
    auto *yerlesim = new QVBoxLayout(ssepet);
    yerlesim->setContentsMargins(0, 0, 0, 0);
    yerlesim->addWidget(sepetsayfasi);
    connect(sepetsayfasi, &TSepetSayfasi::satirDegistirIstendi, this,
            [this](qint32 sirano) { SepetSatirDegistir(m_baglam, sirano, this); });
}

QWidget *TForm1::durumAciklamasi()
{
    auto *serit = new QWidget(this);
    serit->setObjectName(QStringLiteral("durumaciklamasi"));
    serit->setFixedHeight(27);
    zeminRengi(serit, Qt::white);
    auto *satir = new QHBoxLayout(serit);
    satir->setContentsMargins(8, 0, 8, 0);
    satir->setSpacing(0);

    const QFont yazi = ZirconYazisi(11, true);
    QPalette renkler = serit->palette();
    renkler.setColor(QPalette::WindowText, zircon::aciklama);
    auto etiket = [&](const QString &metin) {
        auto *label = new QLabel(metin, serit);
        label->setFont(yazi);
        label->setPalette(renkler);
        satir->addWidget(label);
    };
    etiket(QStringLiteral("Durum Açıklaması:    "));

    const QList<QPixmap> resimler = DurumResimleri();
    const struct
    {
        int durum;
        QString baslik;
    } aciklamalar[] = {
        {1, QStringLiteral(" Stok mevcut  ")},  {2, QStringLiteral(" Telefon Açınız  ")},
        {3, QStringLiteral(" Yolda  ")},        {5, QStringLiteral(" Tedarik Sürecinde ")},
        {4, QStringLiteral(" Özel Sipariş  ")}, {0, QStringLiteral(" Yok  ")},
    };
    for (const auto &aciklama : aciklamalar) {
        auto *resim = new QLabel(serit);
        resim->setPixmap(resimler.at(DurumResimNumarasi(aciklama.durum)));
        satir->addWidget(resim);
        etiket(aciklama.baslik);
        satir->addSpacing(6);
    }
    satir->addStretch(1);
    return serit;
}

QWidget *TForm1::altPanel()
{
    Panel5 = new QWidget(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedHeight(40);
    zeminRengi(Panel5, QColor(248, 249, 251));
    auto *dikey = new QVBoxLayout(Panel5);
    dikey->setContentsMargins(0, 0, 0, 0);
    dikey->setSpacing(0);

    RealTimeMarquee1 = new KayanYazi(Panel5);
    RealTimeMarquee1->setObjectName(QStringLiteral("RealTimeMarquee1"));
    RealTimeMarquee1->setFont(ZirconYazisi(24));
    RealTimeMarquee1->setAralik(5);
    RealTimeMarquee1->setFixedHeight(0);
    RealTimeMarquee1->setVisible(false);
    dikey->addWidget(RealTimeMarquee1);

    kayanyazi = new KayanYazi(Panel5);
    kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
    kayanyazi->setFont(ZirconYazisi(24));
    kayanyazi->setAralik(5);
    kayanyazi->setFixedHeight(40);
    dikey->addWidget(kayanyazi, 0, Qt::AlignBottom);
    return Panel5;
}

} // namespace zelvora
