#include "basket/onaysip.h"

#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/ekranyardimcilari.h"
#include "service/mesajgoster.h"
#include "service/radyogrubu.h"
#include "service/servermethods.h"
#include "table/tablereader.h"
#include "wire/objects.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvora {

namespace {

// Courier New where it is installed; the metric twin (Liberation Mono) or
// any fixed-pitch face otherwise, so the summary's colons still line up.
QFont sabitAralikli(int pixels)
{
    QFont yazi(QStringLiteral("Courier New"));
    yazi.setStyleHint(QFont::TypeWriter);
    yazi.setFixedPitch(true);
    yazi.setPixelSize(pixels);
    yazi.setBold(true);
    return yazi;
}

// Kind lists come as rows of (id, name).
void TurleriDoldur(TableReader *okuyucu, RadyoGrubu *grup)
{
    grup->temizle();
    if (!okuyucu)
        return;
    while (okuyucu->next())
        grup->ekle(okuyucu->asString(1), okuyucu->asInteger(0));
}

void uyariGoster(const QString &metin, QWidget *owner)
{
    MesajGoster(metin, mtUyari, 1 << mbOK, mbOK, 0, owner);
}

} // namespace

TONAYSIP::TONAYSIP(QWidget *owner, const Connection &c, const TSonucBilgisi &_sbilgi)
    : QDialog(owner), bagc(&c), sbilgi(&_sbilgi)
{
    arayuzuKur();
}

TONAYSIP::~TONAYSIP() = default;

std::unique_ptr<TONAYSIP> TONAYSIP::Ac(QWidget *AOwner, const Connection &_c, const QString &mesaj,
                                       const TSonucBilgisi &_sbilgi, const QString &_toplam)
{
    std::unique_ptr<TONAYSIP> d(new TONAYSIP(AOwner, _c, _sbilgi));
    d->Label3->setText(mesaj);
    d->toplam = _toplam;
    d->Label2->setText(OzetYazisi(_sbilgi.ADI(), _sbilgi.CariAdi(), _toplam));
    d->TurleriYukle();
    return d;
}

QString TONAYSIP::OzetYazisi(const QString &kullanici, const QString &cari, const QString &tutar)
{
    return QStringLiteral("Kullanıcı: ") + kullanici + QStringLiteral("\r\n") +
           QStringLiteral("Cari     : ") + cari + QStringLiteral("\r\n") + QStringLiteral("Tutar    : ") +
           tutar;
}

void TONAYSIP::arayuzuKur()
{
    setObjectName(QStringLiteral("ONAYSIP"));
    setWindowTitle(QStringLiteral("Sipariş Onay"));
    setFixedSize(894, 526);
    setFont(tahoma(13));

    auto *dikey = new QVBoxLayout(this);
    dikey->setContentsMargins(10, 10, 10, 10);
    dikey->setSpacing(8);

    auto *ust = new QHBoxLayout;
    ust->setSpacing(8);
    teslimbox = new RadyoGrubu(QStringLiteral("Teslim Durumu"), this);
    teslimbox->setObjectName(QStringLiteral("teslimbox"));
    boxkargo = new RadyoGrubu(QStringLiteral("Kargo Türleri"), this);
    boxkargo->setObjectName(QStringLiteral("boxkargo"));
    connect(boxkargo, &RadyoGrubu::tiklandi, this, &TONAYSIP::boxkargoClick);

    auto *kargoKutusu = new QGroupBox(QStringLiteral("Kargo"), this);
    auto *kargoDikey = new QVBoxLayout(kargoKutusu);
    kargocombo = new QComboBox(kargoKutusu);
    kargocombo->setObjectName(QStringLiteral("kargocombo"));
    kargocombo->setEditable(false);
    connect(kargocombo, &QComboBox::currentIndexChanged, this, [this](int) { kargocomboChange(); });
    uyarikargo = new QLabel(kargoKutusu);
    uyarikargo->setObjectName(QStringLiteral("uyarikargo"));
    uyarikargo->setTextFormat(Qt::PlainText);
    uyarikargo->setWordWrap(true);
    uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette kirmizi = uyarikargo->palette();
    kirmizi.setColor(QPalette::WindowText, QColor(180, 0, 0));
    uyarikargo->setPalette(kirmizi);
    kargoDikey->addWidget(kargocombo);
    kargoDikey->addWidget(uyarikargo, 1);

    auto *mesajKutusu = new QGroupBox(QStringLiteral("Mesaj"), this);
    auto *mesajDikey = new QVBoxLayout(mesajKutusu);
    aciklamagir = new QPlainTextEdit(mesajKutusu);
    aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
    aciklamagir->setFont(tahoma(13, true));
    QPalette acik = aciklamagir->palette();
    acik.setColor(QPalette::Base, QColor(255, 255, 225));
    aciklamagir->setPalette(acik);
    mesajDikey->addWidget(aciklamagir);

    ust->addWidget(teslimbox, 3);
    ust->addWidget(boxkargo, 3);
    ust->addWidget(kargoKutusu, 4);
    ust->addWidget(mesajKutusu, 4);
    dikey->addLayout(ust, 5);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setFont(sabitAralikli(16));
    dikey->addWidget(Label2, 2);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setTextFormat(Qt::PlainText);
    Label3->setWordWrap(true);
    Label3->setFont(sabitAralikli(16));
    QPalette uyari = Label3->palette();
    uyari.setColor(QPalette::WindowText, QColor(220, 0, 0));
    Label3->setPalette(uyari);
    dikey->addWidget(Label3, 1);

    Label1 = new QLabel(QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(tahoma(20, true));
    Label1->setAlignment(Qt::AlignCenter);
    dikey->addWidget(Label1, 1);

    auto *alt = new QHBoxLayout;
    evetbuton = new QPushButton(QStringLiteral("Evet"), this);
    evetbuton->setObjectName(QStringLiteral("evetbuton"));
    hayirbuton = new QPushButton(QStringLiteral("Hayır"), this);
    hayirbuton->setObjectName(QStringLiteral("hayirbuton"));
    for (QPushButton *dugme : {evetbuton, hayirbuton}) {
        dugme->setFont(tahoma(16, true));
        dugme->setMinimumSize(160, 44);
        dugme->setAutoDefault(false);
    }
    connect(evetbuton, &QPushButton::clicked, this, &TONAYSIP::evetbutonClick);
    connect(hayirbuton, &QPushButton::clicked, this, &QDialog::reject);
    alt->addStretch(1);
    alt->addWidget(evetbuton);
    alt->addSpacing(120);
    alt->addWidget(hayirbuton);
    alt->addStretch(1);
    dikey->addLayout(alt);
}

void TONAYSIP::TurleriYukle()
{
    const std::unique_ptr<Connection> kopya = AcikKopya(*bagc, 1);
    if (!kopya)
        return;
    {
        TServerMethods1Client istemci(kopya.get());
        TurleriDoldur(istemci.TeslimVer(), teslimbox);
        // The usual kind comes second.
        teslimbox->setSecili(1);
    }
    {
        TServerMethods1Client istemci(kopya.get());
        TurleriDoldur(istemci.KargoVer(), boxkargo);
    }
    kopya->close();
}

void TONAYSIP::boxkargoClick()
{
    uyarikargo->clear();
    // The firms of the kind clicked before must not stay on offer when this
    // kind's cannot be loaded: the order would go out with a firm of another
    // kind.
    if (kargo.active())
        kargo.emptyTable();
    if (boxkargo->secili() >= 0)
        KargolariYukle(boxkargo->seciliDeger());

    const QSignalBlocker sessiz(kargocombo);
    kargocombo->clear();
    kargocombo->addItem(QStringLiteral(" "));
    const int adi = kargo.active() ? kargo.indexOf(QStringLiteral("ADI")) : -1;
    for (qsizetype satir = 0; adi >= 0 && satir < kargo.recordCount(); ++satir)
        kargocombo->addItem(kargo.value(satir, adi).toString());
    kargocombo->setCurrentIndex(-1);
    if (kargocombo->count() == 2) {
        kargocombo->setCurrentIndex(1);
        kargocomboChange();
    }
}

void TONAYSIP::KargolariYukle(int gn)
{
    const std::unique_ptr<Connection> baglanti = AcikKopya(*bagc, 1);
    if (!baglanti)
        return;
    {
        TServerMethods1Client istemci(baglanti.get());
        if (TableReader *okuyucu = istemci.KargolarVer(gn))
            LoadFromReader(*okuyucu, kargo);
    }
    baglanti->close();
}

void TONAYSIP::kargocomboChange()
{
    uyarikargo->clear();
    if (!kargo.active() || kargocombo->currentIndex() < 0)
        return;
    if (kargo.locate(QStringLiteral("ADI"), kargocombo->currentText())) {
        const Field uyari = kargo.findField(QStringLiteral("UYARI"));
        if (uyari.isValid())
            uyarikargo->setText(uyari.asString());
    }
}

void TONAYSIP::evetbutonClick()
{
    if (teslimbox->secili() < 0) {
        uyariGoster(QStringLiteral("Lütfen Teslim Durumu Seçiniz !"), this);
        return;
    }
    if (boxkargo->secili() < 0) {
        uyariGoster(QStringLiteral("Lütfen Kargo Türünü Seçiniz !"), this);
        return;
    }
    if (kargocombo->currentIndex() <= 0 || !kargo.active() ||
        !kargo.locate(QStringLiteral("ADI"), kargocombo->currentText())) {
        uyariGoster(QStringLiteral("Lütfen Kargo  Seçiniz !"), this);
        kargocombo->setFocus();
        return;
    }
    KN = kargo.fieldByName(QStringLiteral("SIRANO")).asInteger();
    td = teslimbox->seciliDeger(0);
    kt = boxkargo->seciliDeger(0);
    accept();
}

} // namespace zelvora
