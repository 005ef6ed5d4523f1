#include "catalogue/stokayarinti.h"

#include "basket/sepettablosu.h"
#include "catalogue/stokresmi.h"
#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/ekranyardimcilari.h"
#include "service/mesajgoster.h"
#include "service/resimler.h"
#include "service/sayfabaglami.h"
#include "service/seams.h"
#include "service/servermethods.h"
#include "service/yuvarla.h"
#include "table/formatfloat.h"
#include "table/table.h"
#include "wire/objects.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <cmath>

namespace zelvora {

namespace {

const QString kTutarBicimi = QStringLiteral("#,###,##0.00");

// Reads a field of the current row; a list without the column gives the
// default, so a narrower table from another list still opens the dialog.
Field alan(Table &t, const QString &ad)
{
    return t.findField(ad);
}
double sayi(Table &t, const QString &ad)
{
    Field f = alan(t, ad);
    return f.isValid() && !f.isNull() ? f.asFloat() : 0.0;
}
qint32 tamsayi(Table &t, const QString &ad)
{
    Field f = alan(t, ad);
    return f.isValid() && !f.isNull() ? f.asInteger() : 0;
}
QString yazi(Table &t, const QString &ad)
{
    Field f = alan(t, ad);
    return f.isValid() ? f.displayText() : QString();
}
QString metin(Table &t, const QString &ad)
{
    Field f = alan(t, ad);
    return f.isValid() ? f.asString() : QString();
}

QLabel *baslik(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setFont(tahoma(20));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(67, 76, 88));
    l->setPalette(p);
    return l;
}

// The main connection as a copy: the page context hands it out read-only,
// and a foreground call must not disturb a worker's own copy anyway.
std::unique_ptr<Connection> AnaBaglantiyiAc(const SayfaBaglami &baglam)
{
    return baglam.bagc ? AcikKopya(*baglam.bagc, 1) : nullptr;
}

std::unique_ptr<TSonucBilgisi> BilgiKopyasi(const SayfaBaglami &baglam)
{
    return baglam.sbilgi ? GirisKopyasi(*baglam.sbilgi) : std::make_unique<TSonucBilgisi>();
}

} // namespace

StokTutari StokTutariHesapla(double birimfiyat, int miktar, const std::array<double, 4> &oranlar,
                             double kdvoran)
{
    StokTutari s;
    const double brut = birimfiyat * miktar;
    double net = brut;
    for (double d : oranlar) {
        if (d > 0)
            net = net - net * d / 100;
    }
    s.indtutar = brut - net;
    s.satirNet = Yuvarla(net);
    s.birimNet = miktar == 0 ? 0.0 : Yuvarla(s.satirNet / miktar);
    if (!std::isfinite(s.birimNet))
        s.birimNet = 0;
    s.kdvdahiltutar = Yuvarla(s.birimNet * (1 + kdvoran / 100));
    s.geneltutar = Yuvarla(s.kdvdahiltutar * miktar);
    return s;
}

bool IndirimSatiriGorunur(const std::array<double, 4> &oranlar)
{
    return oranlar[0] + oranlar[1] + oranlar[2] + oranlar[3] > 1;
}

// ---- TutarKutusu

TutarKutusu::TutarKutusu(QWidget *parent) : QLineEdit(parent)
{
    setFont(tahoma(20));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValue(0);
    connect(this, &QLineEdit::textEdited, this, [this](const QString &t) {
        QString s = t;
        s.remove(locale().groupSeparator());
        bool ok = false;
        const double v = locale().toDouble(s.trimmed(), &ok);
        m_value = ok ? v : 0.0;
    });
    connect(this, &QLineEdit::editingFinished, this, [this] { setValue(m_value); });
}

void TutarKutusu::setValue(double v)
{
    m_value = v;
    setText(FormatFloat(kTutarBicimi, v, locale()));
}

// ---- AdetKutusu

AdetKutusu::AdetKutusu(QWidget *parent) : QSpinBox(parent)
{
    setRange(1, 10000);
    setValue(1);
    setFont(tahoma(20));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QValidator::State AdetKutusu::validate(QString &input, int &) const
{
    const QString ondalik = locale().decimalPoint();
    for (QChar c : input) {
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') && !ondalik.contains(c))
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

int AdetKutusu::valueFromText(const QString &text) const
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 1;
}

int AdetKutusu::okunanDeger() const
{
    return valueFromText(lineEdit()->text());
}

bool AdetKutusu::gecerli() const
{
    bool ok = false;
    const int v = lineEdit()->text().trimmed().toInt(&ok);
    return ok && v >= minimum() && v <= maximum();
}

void AdetKutusu::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT enterBasildi();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

// ---- Tstokayarinti

Tstokayarinti::Tstokayarinti(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Sepete Ekle"));
    setObjectName(QStringLiteral("stokayarinti"));
    setFixedSize(662, 631);

    auto *kok = new QVBoxLayout(this);

    // Header: five captions with their values.
    auto *ust = new QGridLayout;
    auto basKur = [&](const QString &text, QLabel *&deger, const char *ad, int satir, int sutun) {
        auto *l = new QLabel(text, this);
        l->setFont(tahoma(13, true));
        deger = new QLabel(this);
        deger->setObjectName(QLatin1String(ad));
        deger->setFont(tahoma(13));
        deger->setTextInteractionFlags(Qt::TextSelectableByMouse);
        ust->addWidget(l, satir, sutun);
        ust->addWidget(deger, satir, sutun + 1);
    };
    basKur(QStringLiteral("Barkod:"), barkod, "barkod", 0, 0);
    basKur(QStringLiteral("Açıklama:"), adi, "adi", 1, 0);
    basKur(QStringLiteral("Finish Kod:"), finishkod, "finishkod", 0, 2);
    basKur(QStringLiteral("Marka:"), marka, "marka", 1, 2);
    basKur(QStringLiteral("Model:"), model, "model", 2, 0);
    ust->setColumnStretch(1, 1);
    ust->setColumnStretch(3, 1);
    kok->addLayout(ust);

    // Picture: the service picture below, the web picture above it.
    auto *resimAlani = new QWidget(this);
    auto *yigin = new QStackedLayout(resimAlani);
    yigin->setStackingMode(QStackedLayout::StackAll);
    Image1 = new QLabel(resimAlani);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(FirmaLogosu());
    AsyncResim1 = new QLabel(resimAlani);
    AsyncResim1->setObjectName(QStringLiteral("AsyncResim1"));
    AsyncResim1->setAlignment(Qt::AlignCenter);
    AsyncResim1->setAttribute(Qt::WA_TranslucentBackground);
    yigin->addWidget(Image1);
    yigin->addWidget(AsyncResim1);
    AsyncResim1->raise();
    kok->addWidget(resimAlani, 1);

    auto *alt = new QHBoxLayout;

    GridPanel2 = new QWidget(this);
    GridPanel2->setObjectName(QStringLiteral("GridPanel2"));
    auto *panel = new QGridLayout(GridPanel2);
    auto indKur = [&](const QString &text, const char *ad, int satir) {
        auto *k = new TutarKutusu(GridPanel2);
        k->setObjectName(QLatin1String(ad));
        k->setReadOnly(true);
        k->setFixedWidth(90);
        panel->addWidget(baslik(text, GridPanel2), satir, 0);
        panel->addWidget(k, satir, 1);
        return k;
    };
    edindirim1 = indKur(QStringLiteral("İsk"), "edindirim1", 0);
    edindirim2 = indKur(QStringLiteral("İsk2"), "edindirim2", 1);
    edindirim3 = indKur(QStringLiteral("İsk3"), "edindirim3", 2);
    edindirim4 = indKur(QStringLiteral("İsk4"), "edindirim4", 3);
    GridPanel2->hide();
    alt->addWidget(GridPanel2);

    auto *giris = new QGridLayout;
    adet = new AdetKutusu(this);
    adet->setObjectName(QStringLiteral("adet"));
    fiyatbaslik = baslik(QStringLiteral("Fiyat:"), this);
    birimfiyat = new TutarKutusu(this);
    birimfiyat->setObjectName(QStringLiteral("birimfiyat"));
    birimfiyat->setReadOnly(true);
    indirimoran = baslik(QStringLiteral("İndirim:"), this);
    indirimoran->setObjectName(QStringLiteral("indirimoran"));
    indtutar = new TutarKutusu(this);
    indtutar->setObjectName(QStringLiteral("indtutar"));
    indtutar->setReadOnly(true);
    kdvdahiltutar = new TutarKutusu(this);
    kdvdahiltutar->setObjectName(QStringLiteral("kdvdahiltutar"));
    kdvdahiltutar->setReadOnly(true);
    geneltutar = new TutarKutusu(this);
    geneltutar->setObjectName(QStringLiteral("geneltutar"));
    geneltutar->setReadOnly(true);
    giris->addWidget(baslik(QStringLiteral("Adet:"), this), 0, 0);
    giris->addWidget(adet, 0, 1);
    giris->addWidget(fiyatbaslik, 1, 0);
    giris->addWidget(birimfiyat, 1, 1);
    giris->addWidget(indirimoran, 2, 0);
    giris->addWidget(indtutar, 2, 1);
    giris->addWidget(baslik(QStringLiteral("KDV Dahil:"), this), 3, 0);
    giris->addWidget(kdvdahiltutar, 3, 1);
    giris->addWidget(baslik(QStringLiteral("Tutar:"), this), 4, 0);
    giris->addWidget(geneltutar, 4, 1);
    alt->addLayout(giris, 1);

    auto *tuslar = new QVBoxLayout;
    ParcaliTus1 = new QPushButton(QStringLiteral("Sipariş ekle"), this);
    ParcaliTus1->setObjectName(QStringLiteral("ParcaliTus1"));
    ParcaliTus1->setMinimumHeight(90);
    ParcaliTus1->setFont(tahoma(16, true));
    ParcaliTus2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    ParcaliTus2->setObjectName(QStringLiteral("ParcaliTus2"));
    ParcaliTus2->setMinimumHeight(50);
    ParcaliTus2->setFont(tahoma(14));
    // Enter belongs to the boxes' own rules, never to a default button.
    for (QPushButton *b : {ParcaliTus1, ParcaliTus2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(140);
    }
    tuslar->addWidget(ParcaliTus1);
    tuslar->addWidget(ParcaliTus2);
    tuslar->addStretch();
    alt->addLayout(tuslar);
    kok->addLayout(alt);

    connect(ParcaliTus1, &QPushButton::clicked, this, &Tstokayarinti::Onayla);
    connect(ParcaliTus2, &QPushButton::clicked, this, &QDialog::reject);
    connect(adet, &AdetKutusu::enterBasildi, this, &Tstokayarinti::Onayla);
    connect(adet->kutu(), &QLineEdit::textChanged, this, [this] {
        GeciciToplam();
        TutarHesapla();
    });
    for (QLineEdit *k : {static_cast<QLineEdit *>(birimfiyat), static_cast<QLineEdit *>(indtutar),
                         static_cast<QLineEdit *>(kdvdahiltutar), static_cast<QLineEdit *>(geneltutar),
                         static_cast<QLineEdit *>(edindirim1), static_cast<QLineEdit *>(edindirim2),
                         static_cast<QLineEdit *>(edindirim3), static_cast<QLineEdit *>(edindirim4)})
        k->installEventFilter(this);

    m_resim = new TAsyncResim(AsyncResim1, this);
    adet->setFocus();
}

Tstokayarinti::~Tstokayarinti() = default;

std::unique_ptr<Tstokayarinti> Tstokayarinti::Ac(QWidget *AOwner, qint32 _stokno)
{
    auto d = std::make_unique<Tstokayarinti>(AOwner);
    d->stokno = _stokno;
    return d;
}

void Tstokayarinti::DuzenlemeyeAc(bool panelGoster)
{
    for (TutarKutusu *k : {birimfiyat, edindirim1, edindirim2, edindirim3, edindirim4})
        k->setReadOnly(false);
    GridPanel2->setVisible(panelGoster);
}

std::array<double, 4> Tstokayarinti::indirimler() const
{
    return {edindirim1->value(), edindirim2->value(), edindirim3->value(), edindirim4->value()};
}

void Tstokayarinti::GeciciToplam()
{
    geneltutar->setValue(Yuvarla(adet->okunanDeger() * kdvlifiyat));
}

void Tstokayarinti::TutarHesapla()
{
    const StokTutari s = StokTutariHesapla(birimfiyat->value(), adet->okunanDeger(), indirimler(), kdvoran);
    indtutar->setValue(s.indtutar);
    kdvdahiltutar->setValue(s.kdvdahiltutar);
    geneltutar->setValue(s.geneltutar);
}

double Tstokayarinti::adetSonucu() const
{
    QString t = adet->kutu()->text().trimmed();
    bool ok = false;
    const double v = locale().toDouble(t, &ok);
    return ok ? v : double(adet->value());
}

void Tstokayarinti::Onayla()
{
    // A quantity outside the box's range, or with a decimal part, would go to
    // the server's basket as typed; ask for a proper one instead.
    if (!adet->gecerli()) {
        MesajGoster(QStringLiteral("Lütfen 1 ile 10000 arasında bir adet giriniz."), mtUyari, 1 << mbOK, mbOK,
                    0, this);
        adet->setFocus();
        adet->selectAll();
        return;
    }
    accept();
}

void Tstokayarinti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_gosterildi) {
        m_gosterildi = true;
        if (screen() && !parentWidget())
            move(screen()->availableGeometry().center() - rect().center());
        FormShow();
    }
}

bool Tstokayarinti::event(QEvent *e)
{
    const bool r = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return r;
}

void Tstokayarinti::FormShow()
{
    const bool gorunur = IndirimSatiriGorunur(indirimler());
    indirimoran->setVisible(gorunur);
    indtutar->setVisible(gorunur);
    GeciciToplam();
    TutarHesapla();
    const QString adres = Seams::current().dagitim().webAdresi + QStringLiteral("resimgoster.ashx?id=") +
                          QString::number(stokno);
    m_resim->Indir(QUrl(adres));
}

void Tstokayarinti::FormActivate()
{
    adet->setFocus();
    adet->selectAll();
}

bool Tstokayarinti::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == birimfiyat && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
            return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_F4) {
            birimfiyat->setValue(F4Fiyati(birimfiyat->value()));
            TutarHesapla();
            return true;
        }
        GeciciToplam();
        TutarHesapla();
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Main window routines

void StokSatiriAc(SayfaBaglami &baglam, Table &kaynak, SatirKaynagi kaynagi, QWidget *owner)
{
    if (!kaynak.active() || kaynak.recNo() < 0)
        return;
    const qint32 no = tamsayi(kaynak, QStringLiteral("STOK_STOKNO"));
    kaynak.locate(QStringLiteral("STOK_STOKNO"), no);

    if (baglam.sepet && !baglam.sepet->active())
        SepetYukle(baglam);
    if (baglam.sepet && baglam.sepet->active() && baglam.sepet->locate(QStringLiteral("STOKNO"), no)) {
        SepetSatirDegistir(baglam, tamsayi(*baglam.sepet, QStringLiteral("SIRANO")), owner);
        return;
    }
    StokSatiriEkle(baglam, kaynak, kaynagi, no, owner);
}

void StokSatiriEkle(SayfaBaglami &baglam, Table &kaynak, SatirKaynagi kaynagi, qint32 no, QWidget *owner)
{
    auto d = Tstokayarinti::Ac(owner, no);
    if (baglam.bagc)
        StokResmiYukle(*baglam.bagc, no, d->Image1);
    d->kdvoran = sayi(kaynak, QStringLiteral("KDV"));
    d->barkod->setText(yazi(kaynak, QStringLiteral("BARKOD")));
    d->adi->setText(yazi(kaynak, QStringLiteral("ADI")));
    d->marka->setText(yazi(kaynak, QStringLiteral("MARKA")));
    d->finishkod->setText(yazi(kaynak, QStringLiteral("FINISHKOD")));
    d->model->setText(yazi(kaynak, QStringLiteral("MODEL")));
    if (baglam.temsilci())
        d->DuzenlemeyeAc(kaynagi != SatirKaynagi::Kampanyali);

    d->birimfiyat->setValue(sayi(kaynak, QStringLiteral("FIYAT")));
    d->edindirim1->setValue(sayi(kaynak, QStringLiteral("IND1")));
    d->edindirim2->setValue(sayi(kaynak, QStringLiteral("IND2")));
    d->edindirim3->setValue(sayi(kaynak, QStringLiteral("IND3")));
    d->edindirim4->setValue(sayi(kaynak, QStringLiteral("IND4")));
    d->kdvlifiyat = sayi(kaynak, QStringLiteral("KDVDAHIL"));
    const QString indirimYazi = yazi(kaynak, QStringLiteral("INDIRIMYAZI"));
    const bool kampanya = kaynagi == SatirKaynagi::Kampanyali || tamsayi(kaynak, QStringLiteral("K")) > 0;
    if (kampanya) {
        d->fiyatbaslik->setText(QStringLiteral("Kampanyalı Fiyat:"));
        d->indirimoran->setText(QStringLiteral("Kampanyalı ") + indirimYazi);
    } else if (kaynagi == SatirKaynagi::YeniStoklar) {
        d->indirimoran->setText(QStringLiteral("İndirim:  % ") + indirimYazi);
    } else {
        d->indirimoran->setText(QStringLiteral("İndirim: %") + indirimYazi);
    }

    if (d->exec() != QDialog::Accepted)
        return;
    const auto ind = d->indirimler();
    SepeteGonder(baglam, kaynak, d->adetSonucu(), d->birimfiyat->value(), ind[0], ind[1], ind[2], ind[3]);
}

qint32 SepeteGonder(SayfaBaglami &baglam, Table &kaynak, double miktar, double fiyat, double ind1,
                    double ind2, double ind3, double ind4)
{
    auto bilgi = BilgiKopyasi(baglam);
    auto bag = AnaBaglantiyiAc(baglam);
    if (!bag)
        return 0;
    qint32 sonuc = 0;
    {
        TServerMethods1Client istemci(bag.get());
        const qint32 carino = baglam.sbilgi ? baglam.sbilgi->CARINO() : 0;
        const qint32 verenid = baglam.sbilgi ? baglam.sbilgi->Sirano() : 0;
        sonuc =
            istemci.SepetEkle2(std::move(bilgi), carino, tamsayi(kaynak, QStringLiteral("STOK_STOKNO")),
                               metin(kaynak, QStringLiteral("BARKOD")), metin(kaynak, QStringLiteral("ADI")),
                               miktar, double(tamsayi(kaynak, QStringLiteral("KDV"))), fiyat, ind1, verenid,
                               tamsayi(kaynak, QStringLiteral("K")), ind2, ind3, ind4);
    }
    bag->close();
    if (sonuc == 1)
        SepetYukle(baglam);
    return sonuc;
}

qint32 SepetSatiriGuncelle(SayfaBaglami &baglam, qint32 sirano, double miktar, double fiyat)
{
    if (!baglam.sepet || !baglam.sepet->active() || baglam.sepet->recNo() < 0)
        return 0;
    Table &sepet = *baglam.sepet;
    auto bilgi = BilgiKopyasi(baglam);
    auto bag = AnaBaglantiyiAc(baglam);
    if (!bag)
        return 0;
    qint32 sonuc = 0;
    {
        TServerMethods1Client istemci(bag.get());
        const qint32 carino = baglam.sbilgi ? baglam.sbilgi->CARINO() : 0;
        const qint32 verenid = baglam.sbilgi ? baglam.sbilgi->Sirano() : 0;
        sonuc = istemci.SepetGuncelle2(
            std::move(bilgi), carino, 0, metin(sepet, QStringLiteral("BARKOD")),
            metin(sepet, QStringLiteral("STOKADI")), miktar, double(tamsayi(sepet, QStringLiteral("KDV"))),
            fiyat, sayi(sepet, QStringLiteral("INDIRIMORANI1")), verenid, sirano,
            sayi(sepet, QStringLiteral("INDIRIMORANI2")), sayi(sepet, QStringLiteral("INDIRIMORANI3")),
            sayi(sepet, QStringLiteral("INDIRIMORANI4")));
    }
    bag->close();
    if (sonuc == 1)
        SepetYukle(baglam);
    return sonuc;
}

void SepetSatirDegistir(SayfaBaglami &baglam, qint32 sirano, QWidget *owner)
{
    if (!baglam.sepet || !baglam.sepet->active())
        return;
    Table &sepet = *baglam.sepet;
    if (!sepet.locate(QStringLiteral("SIRANO"), sirano))
        return;
    const qint32 no = tamsayi(sepet, QStringLiteral("STOKNO"));
    auto d = Tstokayarinti::Ac(owner, no);
    if (baglam.bagc)
        StokResmiYukle(*baglam.bagc, no, d->Image1);
    d->barkod->setText(yazi(sepet, QStringLiteral("BARKOD")));
    d->adi->setText(yazi(sepet, QStringLiteral("STOKADI")));
    d->marka->setText(yazi(sepet, QStringLiteral("MARKA")));
    d->finishkod->setText(yazi(sepet, QStringLiteral("FINISHKOD")));
    d->model->setText(yazi(sepet, QStringLiteral("MODEL")));
    const double kdv = sayi(sepet, QStringLiteral("KDV"));
    d->kdvoran = kdv;
    d->edindirim1->setValue(sayi(sepet, QStringLiteral("INDIRIMORANI1")));
    d->edindirim2->setValue(sayi(sepet, QStringLiteral("INDIRIMORANI2")));
    d->edindirim3->setValue(sayi(sepet, QStringLiteral("INDIRIMORANI3")));
    d->edindirim4->setValue(sayi(sepet, QStringLiteral("INDIRIMORANI4")));
    if (baglam.temsilci())
        d->DuzenlemeyeAc(true);
    d->birimfiyat->setValue(sayi(sepet, QStringLiteral("BIRIMFIYAT")));
    const double netBirim = sayi(sepet, QStringLiteral("NETBIRIMFIYAT"));
    d->kdvdahiltutar->setValue(Yuvarla(netBirim * (kdv / 100 + 1)));
    d->indtutar->setValue(netBirim);
    d->kdvlifiyat = Yuvarla(netBirim * (kdv / 100 + 1));
    d->adet->setValue(int(std::lround(sayi(sepet, QStringLiteral("MIKTAR")))));

    if (d->exec() != QDialog::Accepted)
        return;
    SepetSatiriGuncelle(baglam, sirano, d->adetSonucu(), d->birimfiyat->value());
    SepetYukle(baglam);
}

} // namespace zelvora
