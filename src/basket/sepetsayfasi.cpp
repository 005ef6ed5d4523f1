#include "basket/sepetsayfasi.h"

#include "basket/onaysip.h"
#include "basket/sepettablosu.h"
#include "basket/sepettoplam.h"
#include "grid/grid.h"
#include "grid/griddelegate.h"
#include "grid/kolonlar.h"
#include "service/arkada.h"
#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/ekranyardimcilari.h"
#include "service/mesajgoster.h"
#include "service/resimler.h"
#include "service/sayfabaglami.h"
#include "service/servermethods.h"
#include "service/tablehelpers.h"
#include "table/formatfloat.h"
#include "table/table.h"
#include "wire/objects.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace zelvora {

namespace {

const QString sayfaBasligi = QStringLiteral("Sepet");
const QString paraBicimi = QStringLiteral("#,###,##0.00");
const QString secBasligi = QStringLiteral("Seç");

// Below or at this screen width the columns fit their contents instead of
// sharing the width by weight.
constexpr int genisEkranSiniri = 1152;

bool soru(const QString &metin, QWidget *owner)
{
    return MesajGoster(metin, mtSoru, (1 << mbYes) | (1 << mbNo), mbNo, 0, owner) == mrYes;
}

} // namespace

struct TSepetSayfasi::Private
{
    Private(SayfaBaglami &b, QLineEdit *a, QWidget *g) : baglam(b), araedit(a), gifsepet(g) {}

    SayfaBaglami &baglam;
    QLineEdit *araedit = nullptr;
    QWidget *gifsepet = nullptr;
    grid::Grid *grid = nullptr;
    QMenu *menu = nullptr;
    bool yukleniyor = false;

    Table &sepet() const { return *baglam.sepet; }
};

TSepetSayfasi::TSepetSayfasi(SayfaBaglami &baglam, QLineEdit *araedit, QWidget *gifsepet, QWidget *parent)
    : QWidget(parent), d(std::make_unique<Private>(baglam, araedit, gifsepet))
{
    setObjectName(QStringLiteral("sepetsayfasi"));
    auto *dikey = new QVBoxLayout(this);
    dikey->setContentsMargins(0, 0, 0, 0);
    dikey->setSpacing(0);

    d->grid = new grid::Grid(this);
    d->grid->setObjectName(QStringLiteral("cxGridDBTableView1"));
    dikey->addWidget(d->grid, 1);
    kolonlariKur();
    dikey->addWidget(secimSeridi());
    dikey->addWidget(altPanel());

    d->menu = new QMenu(this);
    d->menu->setObjectName(QStringLiteral("PopupMenu2"));
    QAction *Deitir1 = d->menu->addAction(QStringLiteral("Satır Değiştir"));
    Deitir1->setObjectName(QStringLiteral("Deitir1"));
    d->menu->addSeparator();
    QAction *SatrSil1 = d->menu->addAction(QStringLiteral("Satır Sil"));
    SatrSil1->setObjectName(QStringLiteral("SatrSil1"));
    d->menu->addSeparator();
    QAction *HepsiniSil1 = d->menu->addAction(QStringLiteral("Hepsini Sil"));
    HepsiniSil1->setObjectName(QStringLiteral("HepsiniSil1"));
    connect(Deitir1, &QAction::triggered, this, &TSepetSayfasi::Deitir1Click);
    connect(SatrSil1, &QAction::triggered, this, &TSepetSayfasi::SatrSil1Click);
    connect(HepsiniSil1, &QAction::triggered, this, &TSepetSayfasi::HepsiniSil1Click);

    QTableView *view = d->grid->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint &pos) { d->menu->popup(view->viewport()->mapToGlobal(pos)); });
    connect(d->grid, &grid::Grid::rowDoubleClicked, this,
            [this](qsizetype) { cxGridDBTableView1DblClick(); });

    if (d->gifsepet)
        d->gifsepet->setVisible(false);
}

TSepetSayfasi::~TSepetSayfasi() = default;

grid::Grid *TSepetSayfasi::cxGridDBTableView1() const
{
    return d->grid;
}

QMenu *TSepetSayfasi::popupMenu() const
{
    return d->menu;
}

bool TSepetSayfasi::yukleniyor() const
{
    return d->yukleniyor;
}

// ------------------------------------------------------------------ layout

void TSepetSayfasi::kolonlariKur()
{
    using grid::ColumnDef;
    using grid::Presentation;

    const auto kolon = grid::Kolon;
    auto gizli = [&](const QString &alan, const QString &baslik = QString(), int agirlik = 1) {
        return kolon(alan, baslik, false, agirlik);
    };

    ColumnDef sec = kolon(QStringLiteral("SEC"), secBasligi, true, 1);
    sec.presentation = Presentation::CheckBox;
    sec.alignment = Qt::AlignCenter;
    sec.checkedValue = 1;
    sec.uncheckedValue = 0;
    sec.customizable = false;

    ColumnDef tarih = kolon(QStringLiteral("VERILISTARIHI"), QStringLiteral("Sipariş Tarihi"), true, 1);
    tarih.footer = grid::Summary::Count;
    ColumnDef miktar = kolon(QStringLiteral("MIKTAR"), QStringLiteral("Miktar"), true, 1);
    miktar.footer = grid::Summary::Sum;
    ColumnDef netTutar = kolon(QStringLiteral("NETTUTAR"), QStringLiteral("Net Tutar"), true, 1);
    netTutar.footer = grid::Summary::Sum;
    ColumnDef indirim = kolon(QStringLiteral("INDIRIMYAZI"), QStringLiteral("İndirim Oran"), true, 2);
    indirim.alignment = Qt::AlignCenter;

    ColumnDef durum = grid::DurumKolonu();
    if (d->baglam.durumGizli()) {
        durum.visible = false;
        durum.customizable = false;
    }

    const QList<ColumnDef> kolonlar = {
        sec,
        tarih,
        kolon(QStringLiteral("BARKOD"), QStringLiteral("Barkod"), true, 2),
        kolon(QStringLiteral("FINISHKOD"), QStringLiteral("FinishKod"), true, 2),
        kolon(QStringLiteral("OEMNO"), QStringLiteral("OEMNo"), true, 2),
        kolon(QStringLiteral("STOKADI"), QStringLiteral("Stok Açıklama"), true, 3),
        miktar,
        kolon(QStringLiteral("BIRIMFIYAT"), QStringLiteral("Birim Fiyat"), true, 1),
        kolon(QStringLiteral("TUTAR"), QStringLiteral("Tutar"), true, 1),
        indirim,
        kolon(QStringLiteral("NETBIRIMFIYAT"), QStringLiteral("Net Fiyat"), true, 1),
        kolon(QStringLiteral("KDV"), QString(), true, 1),
        kolon(QStringLiteral("VERGITUTARI"), QStringLiteral("Vergi Tutarı"), true, 1),
        netTutar,
        kolon(QStringLiteral("VEREN"), QStringLiteral("Veren"), true, 1),
        durum,
        gizli(QStringLiteral("SIPARISNO"), QStringLiteral("Sipariş No"), 0),
        gizli(QStringLiteral("TARIH"), QStringLiteral("Tarih")),
        gizli(QStringLiteral("KUR"), QStringLiteral("Kur")),
        gizli(QStringLiteral("SAAT"), QStringLiteral("Saat")),
        gizli(QStringLiteral("ACIKLAMA"), QStringLiteral("Açıklama")),
        gizli(QStringLiteral("OEM1")),
        gizli(QStringLiteral("OEM2")),
        gizli(QStringLiteral("OEM3")),
        gizli(QStringLiteral("OEM4")),
        gizli(QStringLiteral("DIGERADI")),
        gizli(QStringLiteral("DPKOD")),
        gizli(QStringLiteral("MARKA"), QStringLiteral("Marka")),
        gizli(QStringLiteral("MODEL"), QStringLiteral("Model")),
        gizli(QStringLiteral("ANAGRUP"), QStringLiteral("Ana Grup")),
        gizli(QStringLiteral("OZELKOD"), QStringLiteral("Özel Kod")),
        gizli(QStringLiteral("PKOD")),
        gizli(QStringLiteral("INDIRIMORANI4"), QString(), 0),
    };

    grid::Grid *g = d->grid;
    g->setColumns(kolonlar);
    g->setImages(DurumResimleri());
    g->setHeaderHeight(40);
    g->setRowHeight(60);
    g->setFilterButtonsVisible(true);
    g->setFooterVisible(true);
    g->setSelectedRowStyle(grid::look::selectedRow, grid::look::selectedText);
    g->setTable(d->baglam.sepet);
}

QWidget *TSepetSayfasi::secimSeridi()
{
    auto *panelsec = new QWidget(this);
    panelsec->setObjectName(QStringLiteral("panelsec"));
    panelsec->setFixedHeight(44);
    auto *satir = new QHBoxLayout(panelsec);
    satir->setContentsMargins(8, 4, 8, 4);
    satir->setSpacing(8);

    Button4 = new QPushButton(QStringLiteral("Hepsini Seç"), panelsec);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button5 = new QPushButton(QStringLiteral("Seçimleri Kaldır"), panelsec);
    Button5->setObjectName(QStringLiteral("Button5"));
    for (QPushButton *dugme : {Button4, Button5}) {
        dugme->setMinimumWidth(150);
        satir->addWidget(dugme);
    }
    connect(Button4, &QPushButton::clicked, this, &TSepetSayfasi::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TSepetSayfasi::Button5Click);

    lbluyarbakiye = new QLabel(panelsec);
    lbluyarbakiye->setObjectName(QStringLiteral("lbluyarbakiye"));
    lbluyarbakiye->setTextFormat(Qt::PlainText);
    lbluyarbakiye->setFont(tahoma(16, true));
    lbluyarbakiye->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lbluyarbakiye->setMinimumWidth(1);
    QPalette kirmizi = lbluyarbakiye->palette();
    kirmizi.setColor(QPalette::WindowText, QColor(220, 0, 0));
    lbluyarbakiye->setPalette(kirmizi);
    satir->addSpacing(12);
    satir->addWidget(lbluyarbakiye, 1);
    return panelsec;
}

QWidget *TSepetSayfasi::altPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("altpanel"));
    auto *satir = new QHBoxLayout(panel);
    satir->setContentsMargins(8, 4, 8, 6);
    satir->setSpacing(8);

    // The totals are kept current for the order confirmation, which takes its
    // amount from them, but the box is not shown.
    mesajKutusu = new QGroupBox(QStringLiteral("Mesaj"), panel);
    mesajKutusu->setObjectName(QStringLiteral("mesajkutusu"));
    auto *izgara = new QGridLayout(mesajKutusu);
    const QString basliklar[] = {QStringLiteral("Toplam:"), QStringLiteral("İndirim Toplam:"),
                                 QStringLiteral("Ara Toplam:"), QStringLiteral("Vergi:"),
                                 QStringLiteral("Genel Toplam:")};
    QLabel **etiketler[] = {&aratoplaml, &indiriml, &nettutarl, &vergil, &geneltoplaml};
    const char *adlar[] = {"aratoplaml", "indiriml", "nettutarl", "vergil", "geneltoplaml"};
    for (int i = 0; i < 5; ++i) {
        izgara->addWidget(new QLabel(basliklar[i], mesajKutusu), i, 0);
        auto *deger = new QLabel(mesajKutusu);
        deger->setObjectName(QLatin1String(adlar[i]));
        deger->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        izgara->addWidget(deger, i, 1);
        *etiketler[i] = deger;
    }
    mesajKutusu->setVisible(false);
    satir->addWidget(mesajKutusu);
    satir->addStretch(1);

    auto *dugmeler = new QVBoxLayout;
    dugmeler->setSpacing(4);
    Button1 = new QPushButton(GonderResmi(), QStringLiteral("Gönder"), panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(ExcelResmi(), QStringLiteral("Excel Kaydet"), panel);
    Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton *dugme : {Button1, Button2}) {
        dugme->setMinimumSize(170, 34);
        dugme->setIconSize(QSize(22, 22));
        dugmeler->addWidget(dugme);
    }
    QFont kalin = Button1->font();
    kalin.setBold(true);
    Button1->setFont(kalin);
    connect(Button1, &QPushButton::clicked, this, &TSepetSayfasi::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSepetSayfasi::Button2Click);
    satir->addLayout(dugmeler);
    return panel;
}

void TSepetSayfasi::basligiYaz(const QString &baslik)
{
    d->baglam.sekmeBasligiYaz(this, baslik);
}

// ---------------------------------------------------------------- page load

void TSepetSayfasi::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Shown as the page comes to the front, not when the window is restored.
    if (!event->spontaneous())
        ssepetShow();
}

void TSepetSayfasi::ssepetShow()
{
    // The load in flight brings the server's basket; a second one would
    // only race it.
    if (d->yukleniyor)
        return;
    d->yukleniyor = true;
    lbluyarbakiye->clear();
    if (d->gifsepet)
        d->gifsepet->setVisible(true);
    d->grid->setEnabled(false);
    d->grid->beginUpdate();
    d->grid->setTable(nullptr);

    CariBakiyeUyariBak();

    // The worker only fetches: the table is written here on the UI thread,
    // where everything else that reads it runs.
    auto baglanti = std::shared_ptr<Connection>(d->baglam.bagc->clone());
    auto bilgi = std::shared_ptr<TSonucBilgisi>(GirisKopyasi(*d->baglam.sbilgi));
    auto paket = std::make_shared<std::optional<DataPacket>>();
    const quint64 sayac = SepetYazimSayaci();
    ArkadaCalistir([baglanti, bilgi, paket] {
        *paket = SepetPaketiAl(*baglanti, *bilgi);
    })->Await(this, [this, paket, sayac] {
        // A load that another one overtook (a line added meanwhile, say)
        // would bring back an older basket.
        if (*paket && SepetYazimSayaci() == sayac)
            SepetPaketiYaz(d->sepet(), **paket);
        SepetYukleBitti();
    });
}

void TSepetSayfasi::SepetYukleBitti()
{
    Table &sepet = d->sepet();
    if (sepet.active())
        basligiYaz(QString::number(sepet.recordCount()) + QLatin1Char('=') + sayfaBasligi);
    SepetToplamHesapla();
    d->grid->setEnabled(true);
    d->grid->setTable(&sepet);
    d->grid->endUpdate();
    if (d->gifsepet)
        d->gifsepet->setVisible(false);
    d->yukleniyor = false;
    KolonGenislikAyarla();
    Q_EMIT yuklemeBitti();
}

void TSepetSayfasi::CariBakiyeUyariBak()
{
    auto baglanti = std::shared_ptr<Connection>(d->baglam.bagc->clone());
    const qint32 carino = d->baglam.sbilgi->CARINO();
    struct Sonuc
    {
        bool baglandi = false;
        QString metin;
    };
    auto sonuc = std::make_shared<Sonuc>();
    ArkadaCalistir([baglanti, carino, sonuc] {
        if (!BaglantiAc(*baglanti, 0))
            return;
        sonuc->baglandi = true;
        try {
            TServerMethods1Client istemci(baglanti.get());
            sonuc->metin = istemci.CariVadeGunGecmismiBul(carino);
        } catch (...) {
            // The warning is a courtesy; without it the page works the same.
            sonuc->metin.clear();
        }
        baglanti->close();
    })->Await(this, [this, sonuc] {
        if (sonuc->baglandi)
            lbluyarbakiye->setText(sonuc->metin);
        Q_EMIT uyariBitti();
    });
}

// ------------------------------------------------------------------ totals

void TSepetSayfasi::SepetToplamHesapla()
{
    const SepetToplamlari t = zelvora::SepetToplamHesapla(d->sepet());
    aratoplaml->setText(FormatFloat(paraBicimi, t.toplam));
    indiriml->setText(FormatFloat(paraBicimi, t.indirim));
    vergil->setText(FormatFloat(paraBicimi, t.vergi));
    nettutarl->setText(FormatFloat(paraBicimi, t.araToplam));
    geneltoplaml->setText(FormatFloat(paraBicimi, t.genelToplam));
}

// ----------------------------------------------------------------- widths

void TSepetSayfasi::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (d->grid->isEnabled())
        KolonGenislikAyarla();
}

void TSepetSayfasi::KolonGenislikAyarla()
{
    const QScreen *ekran = screen();
    KolonGenislikAyarla(ekran ? ekran->geometry().width() : 0);
}

void TSepetSayfasi::KolonGenislikAyarla(int ekranGenisligi)
{
    if (ekranGenisligi > genisEkranSiniri)
        d->grid->applyWeightedWidths();
    else
        d->grid->bestFit();
}

// ------------------------------------------------------------- line actions

qint32 TSepetSayfasi::odaktakiSatir()
{
    Table &sepet = d->sepet();
    const qsizetype satir = d->grid->focusedTableRow();
    if (!sepet.active() || satir < 0 || satir >= sepet.recordCount())
        return -1;
    // The grid maps its rows to table rows, so the line is at hand.
    sepet.setRecNo(satir);
    return sepet.fieldByName(QStringLiteral("SIRANO")).asInteger();
}

void TSepetSayfasi::cxGridDBTableView1DblClick()
{
    Deitir1Click();
}

void TSepetSayfasi::Deitir1Click()
{
    const qint32 sirano = odaktakiSatir();
    if (sirano < 0)
        return;
    const int kolon = d->grid->view()->currentIndex().column();
    const QList<grid::ColumnDef> &kolonlar = d->grid->columns();
    const bool secHucresi =
        kolon >= 0 && kolon < kolonlar.size() && kolonlar.at(kolon).shownCaption() == secBasligi;
    if (!secHucresi) {
        Q_EMIT satirDegistirIstendi(sirano);
        return;
    }
    Table &sepet = d->sepet();
    Field sec = sepet.fieldByName(QStringLiteral("SEC"));
    const qint32 yeni = sec.asInteger() == 0 ? 1 : 0;
    sepet.edit();
    sec.setValue(yeni);
    sepet.post();
    SecimGuncelle(sirano, yeni);
    SepetToplamHesapla();
}

void TSepetSayfasi::SatrSil1Click()
{
    const qint32 sirano = odaktakiSatir();
    if (sirano < 0)
        return;
    Table &sepet = d->sepet();
    const QString aciklama = sepet.fieldByName(QStringLiteral("BARKOD")).asString() + QLatin1Char('-') +
                             sepet.fieldByName(QStringLiteral("STOKADI")).asString();
    if (!soru(QStringLiteral("Satırı silmek istiyor musunuz "), this))
        return;
    const std::unique_ptr<Connection> baglanti = AcikKopya(*d->baglam.bagc, 1);
    if (!baglanti)
        return;
    {
        TServerMethods1Client istemci(baglanti.get());
        istemci.SepetSatirSil(GirisKopyasi(*d->baglam.sbilgi), sirano, aciklama);
    }
    baglanti->close();
    SepetYukle(d->baglam);
    MesajGoster(QStringLiteral("Satır silindi !"), mtBilgi, 1 << mbOK, mbOK, 0, this);
}

void TSepetSayfasi::HepsiniSil1Click()
{
    if (!KayitVarmi(d->sepet()))
        return;
    if (!soru(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "), this))
        return;
    const std::unique_ptr<Connection> baglanti = AcikKopya(*d->baglam.bagc, 1);
    if (!baglanti)
        return;
    {
        TServerMethods1Client istemci(baglanti.get());
        istemci.SepetHepsiniSil(GirisKopyasi(*d->baglam.sbilgi));
    }
    baglanti->close();
    MesajGoster(QStringLiteral("Sepet Silindi !"), mtBilgi, 1 << mbOK, mbOK, 0, this);
    SepetYukle(d->baglam);
}

// ------------------------------------------------------------------ marks

bool TSepetSayfasi::SecimGuncelle(qint32 sirano, qint32 secim)
{
    try {
        const std::unique_ptr<Connection> baglanti = AcikKopya(*d->baglam.bagc, 1);
        if (!baglanti)
            return false;
        {
            TServerMethods1Client istemci(baglanti.get());
            istemci.SepetSecimGuncelle(sirano, secim);
        }
        baglanti->close();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void TSepetSayfasi::HepsiniIsaretle(qint32 secim)
{
    Table &sepet = d->sepet();
    if (sepet.active()) {
        Field sec = sepet.findField(QStringLiteral("SEC"));
        Field sira = sepet.findField(QStringLiteral("SIRANO"));
        for (sepet.first(); sec.isValid() && !sepet.eof(); sepet.next()) {
            sepet.edit();
            sec.setValue(secim);
            sepet.post();
            SecimGuncelle(sira.isValid() ? sira.asInteger() : 0, secim);
        }
    }
    SepetToplamHesapla();
    if (d->araedit && d->araedit->isEnabled()) {
        d->araedit->selectAll();
        d->araedit->setFocus();
    }
}

void TSepetSayfasi::Button4Click()
{
    HepsiniIsaretle(1);
}

void TSepetSayfasi::Button5Click()
{
    HepsiniIsaretle(0);
}

// ----------------------------------------------------------- export, order

void TSepetSayfasi::Button2Click()
{
    d->grid->exportToExcel();
}

void TSepetSayfasi::Button1Click()
{
    if (!SeciliVarmi(d->sepet())) {
        MesajGoster(QStringLiteral("Gönderilecek Parça Yok "), mtUyari, 1 << mbOK, mbOK, 0, this);
        return;
    }
    const std::unique_ptr<TONAYSIP> onay = TONAYSIP::Ac(window(), *d->baglam.bagc, lbluyarbakiye->text(),
                                                        *d->baglam.sbilgi, geneltoplaml->text());
    onay->Label3->setText(lbluyarbakiye->text());
    if (onay->exec() != QDialog::Accepted)
        return;
    if (SiparisGonder(onay->KN, onay->kt, onay->td, onay->aciklamagir->toPlainText())) {
        MesajGoster(QStringLiteral("Siparişiniz Gönderildi !"), mtBilgi, 1 << mbOK, mbOK, 0, this);
        SepetYukle(d->baglam);
    } else {
        MesajGoster(QStringLiteral("Sipariş Göndermede Hata"), mtHata, 1 << mbOK, mbOK, 0, this);
    }
}

bool TSepetSayfasi::SiparisGonder(qint32 kargoFirma, qint32 kargoTuru, qint32 teslim, const QString &aciklama)
{
    const TSonucBilgisi &sbilgi = *d->baglam.sbilgi;
    const std::unique_ptr<Connection> baglanti = AcikKopya(*d->baglam.bagc, 1);
    if (!baglanti)
        return false;
    bool kaydedildi = false;
    {
        TServerMethods1Client istemci(baglanti.get());
        kaydedildi = istemci.SiparisKaydet(GirisKopyasi(sbilgi), sbilgi.CARINO(), teslim, kargoTuru, aciklama,
                                           sbilgi.Sirano(), kargoFirma);
    }
    baglanti->close();
    return kaydedildi;
}

} // namespace zelvora
