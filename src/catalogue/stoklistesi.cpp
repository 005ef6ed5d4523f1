#include "catalogue/stoklistesi.h"

#include "catalogue/stokayarinti.h"
#include "grid/grid.h"
#include "grid/griddelegate.h"
#include "grid/kolonlar.h"
#include "service/arkada.h"
#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/mesajgoster.h"
#include "service/resimler.h"
#include "service/sayfabaglami.h"
#include "service/servermethods.h"
#include "table/formatfloat.h"
#include "table/table.h"
#include "wire/objects.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTableView>
#include <QVBoxLayout>

namespace zelvora {

namespace {

const QString sayfaBasligi = QStringLiteral("Stok Listesi");
const QString fiyatBilgisi = QStringLiteral("FiyatBilgisi");
const QString paraBicimi = QStringLiteral("#,###,##0.00");

// The flag and picture cells share the grid's one image list with the
// status pictures, after the ten places of those.
constexpr int bayrakYok = 10;
constexpr int bayrakVar = 11;
constexpr int resimVar = 12;

QPixmap bayrakResmi(bool var)
{
    QPixmap resim(DurumResimBoyutu, DurumResimBoyutu);
    resim.fill(Qt::transparent);
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(var ? QColor(46, 160, 67) : QColor(200, 204, 210));
    p.drawEllipse(QRectF(4, 4, 16, 16));
    if (var) {
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(8, 12.5), QPointF(11, 15.5), QPointF(16.5, 9)}));
    }
    return resim;
}

QPixmap fotografResmi()
{
    QPixmap resim(DurumResimBoyutu, DurumResimBoyutu);
    resim.fill(Qt::transparent);
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(61, 65, 74), 1.5));
    p.setBrush(QColor(120, 170, 220));
    p.drawRoundedRect(QRectF(3, 7, 18, 12), 2, 2);
    p.drawRect(QRectF(8, 5, 6, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(9, 10, 6, 6));
    return resim;
}

double sayi(const grid::CellContext &hucre, const QString &alan)
{
    return hucre.value(alan).toDouble();
}

} // namespace

QChar AramaHarfi(QChar harf)
{
    switch (harf.unicode()) {
    case 0x00E7:
        return QLatin1Char('c'); // ç
    case 0x011F:
        return QLatin1Char('g'); // ğ
    case 0x0131:
        return QLatin1Char('I'); // ı
    case 0x00F6:
        return QLatin1Char('o'); // ö
    case 0x015F:
        return QLatin1Char('s'); // ş
    case 0x00FC:
        return QLatin1Char('u'); // ü
    case 0x00C7:
        return QLatin1Char('C'); // Ç
    case 0x011E:
        return QLatin1Char('G'); // Ğ
    case 0x0130:
        return QLatin1Char('I'); // İ
    case 0x00D6:
        return QLatin1Char('O'); // Ö
    case 0x015E:
        return QLatin1Char('S'); // Ş
    case 0x00DC:
        return QLatin1Char('U'); // Ü
    default:
        return harf;
    }
}

QString FiyatBilgisiYazisi(double listeFiyati, double kampanyaFiyati, double netFiyat, double kdvDahil)
{
    QString yazi =
        QStringLiteral("Liste Fiyatı: ") + FormatFloat(paraBicimi, listeFiyati) + QLatin1Char('\n');
    if (kampanyaFiyati > 0)
        yazi += QStringLiteral("Kampanyalı Fiyat: ") + FormatFloat(paraBicimi, kampanyaFiyati) +
                QLatin1Char('\n');
    yazi += QStringLiteral("NetFiyat: ") + FormatFloat(paraBicimi, netFiyat) + QLatin1Char('\n');
    yazi += QStringLiteral("KDV li Fiyat: ") + FormatFloat(paraBicimi, kdvDahil) + QLatin1Char('\n');
    return yazi;
}

struct TStokListesi::Private
{
    Private(SayfaBaglami &b, const AramaCubugu &c) : baglam(b), cubuk(c) {}

    SayfaBaglami &baglam;
    AramaCubugu cubuk;
    grid::Grid *grid = nullptr;
    QMenu *menu = nullptr;
};

TStokListesi::TStokListesi(SayfaBaglami &baglam, const AramaCubugu &cubuk, QWidget *parent)
    : QWidget(parent), d(std::make_unique<Private>(baglam, cubuk))
{
    setObjectName(QStringLiteral("stoklistesi"));
    auto *yerlesim = new QVBoxLayout(this);
    yerlesim->setContentsMargins(0, 0, 0, 0);
    d->grid = new grid::Grid(this);
    d->grid->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    yerlesim->addWidget(d->grid);
    kolonlariKur();

    d->menu = new QMenu(this);
    d->menu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *S2 = d->menu->addAction(QStringLiteral("Sepete Ekle"));
    S2->setObjectName(QStringLiteral("S2"));
    connect(S2, &QAction::triggered, this, &TStokListesi::cxGrid1DBTableView1DblClick);
    d->menu->addSeparator();
    // The order balances, the orders of an item and its movements open from
    // here once their windows exist.
    d->menu->addAction(QStringLiteral("Sipariş Bakiyeleriniz"));
    d->menu->addSeparator();
    d->menu->addAction(QStringLiteral("Siparişleri Göster"));
    d->menu->addSeparator();
    d->menu->addAction(QStringLiteral("Stok Hareketleri"));

    QTableView *view = d->grid->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint &pos) { d->menu->popup(view->viewport()->mapToGlobal(pos)); });
    connect(d->grid, &grid::Grid::rowDoubleClicked, this,
            [this](qsizetype) { cxGrid1DBTableView1DblClick(); });

    if (d->cubuk.araedit)
        d->cubuk.araedit->installEventFilter(this);
    if (d->cubuk.gifstokara)
        d->cubuk.gifstokara->setVisible(false);
}

// The search bar may go before the page when the main window closes; Qt
// drops the key filter with whichever goes first.
TStokListesi::~TStokListesi() = default;

grid::Grid *TStokListesi::cxGrid1DBTableView1() const
{
    return d->grid;
}

QMenu *TStokListesi::popupMenu() const
{
    return d->menu;
}

bool TStokListesi::aramaSuruyor() const
{
    return d->cubuk.araedit && !d->cubuk.araedit->isEnabled();
}

void TStokListesi::kolonlariKur()
{
    using grid::ColumnDef;
    using grid::Presentation;

    const auto metin = grid::Kolon;
    auto sabitGizli = [&](const QString &alan, int agirlik) {
        ColumnDef k = metin(alan, QString(), false, agirlik);
        k.customizable = false;
        return k;
    };
    auto bayrak = [&](const QString &alan, const QString &baslik) {
        ColumnDef k = metin(alan, baslik, true, 1);
        k.presentation = Presentation::Picture;
        k.alignment = Qt::AlignCenter;
        k.images = {{0, bayrakYok}, {1, bayrakVar}};
        k.defaultImage = bayrakYok;
        return k;
    };

    const ColumnDef durum = grid::DurumKolonu();

    ColumnDef oem1 = metin(QStringLiteral("OEM1"), QStringLiteral("Oem1"), false, 2);
    oem1.footer = grid::Summary::Count;

    ColumnDef resim = metin(QStringLiteral("RESIM"), QStringLiteral("Resim"), true, 1);
    resim.presentation = Presentation::Picture;
    resim.alignment = Qt::AlignCenter;
    resim.images = {{1, resimVar}};

    ColumnDef indirim = metin(QStringLiteral("INDIRIMYAZI"), QStringLiteral("İndirim Oran"), true, 2);
    indirim.alignment = Qt::AlignCenter;

    ColumnDef fiyat = metin(fiyatBilgisi, QStringLiteral("Fiyat Bilgisi"), false, 2);
    fiyat.presentation = Presentation::Custom;
    fiyat.customDraw = [](QPainter *painter, const QStyleOptionViewItem &option,
                          const grid::CellContext &hucre) {
        QColor zemin = hucre.selected ? grid::look::selectedRow
                                      : (hucre.row % 2 == 1 ? grid::look::oddRow : grid::look::evenRow);
        painter->fillRect(option.rect, zemin);
        const QString yazi = FiyatBilgisiYazisi(
            sayi(hucre, QStringLiteral("LISTEFIYAT1")), sayi(hucre, QStringLiteral("KAMPFIYAT")),
            sayi(hucre, QStringLiteral("NETFIYAT")), sayi(hucre, QStringLiteral("KDVDAHIL")));
        painter->setPen(hucre.selected ? grid::look::selectedText : grid::look::text);
        painter->setFont(option.font);
        // The trailing line break would push the block up by one line.
        painter->drawText(option.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                          yazi.chopped(1));
    };

    const bool temsilci = d->baglam.temsilci();
    auto temsilciKolonu = [&](const QString &alan) {
        ColumnDef k = sabitGizli(alan, 1);
        k.visible = temsilci;
        k.customizable = temsilci;
        return k;
    };
    ColumnDef kamp = metin(QStringLiteral("KAMPFIYAT"), QStringLiteral("Kampanyalı Fiyat"), false, 2);
    ColumnDef k = bayrak(QStringLiteral("K"), QStringLiteral("Kampanyalı"));
    if (d->baglam.kampanyaGizli()) {
        kamp.customizable = false;
        k.visible = false;
        k.customizable = false;
    }

    const QList<ColumnDef> kolonlar = {
        durum,
        oem1,
        metin(QStringLiteral("OEM2"), QStringLiteral("Oem2"), false, 2),
        metin(QStringLiteral("OEM3"), QStringLiteral("Oem3"), false, 2),
        metin(QStringLiteral("BARKOD"), QStringLiteral("Barkod"), true, 2),
        metin(QStringLiteral("ADI"), QStringLiteral("Açıklama"), true, 3),
        metin(QStringLiteral("OEM4"), QStringLiteral("Oem4"), false, 2),
        sabitGizli(QStringLiteral("STOK_STOKNO"), 1),
        metin(QStringLiteral("FINISHKOD"), QStringLiteral("Finish Kod"), false, 2),
        metin(QStringLiteral("URETICIKODU"), QStringLiteral("Üretici Kod"), false, 2),
        resim,
        sabitGizli(QStringLiteral("BARKOD_BARKODNO"), 1),
        metin(QStringLiteral("DIGERADI"), QStringLiteral("Diğer Adı"), false, 3),
        sabitGizli(QStringLiteral("DPKOD"), 2),
        metin(QStringLiteral("OEMNO"), QStringLiteral("Oem No"), false, 2),
        metin(QStringLiteral("BIRIM"), QStringLiteral("Birim"), false, 1),
        metin(QStringLiteral("MARKA"), QStringLiteral("Marka"), true, 2),
        metin(QStringLiteral("MODEL"), QStringLiteral("Model"), true, 2),
        metin(QStringLiteral("ANAGRUP"), QStringLiteral("Ana Grup"), false, 2),
        metin(QStringLiteral("OZELKOD"), QStringLiteral("Özel Kod"), true, 2),
        temsilciKolonu(QStringLiteral("KALAN")),
        sabitGizli(QStringLiteral("PKOD"), 1),
        metin(QStringLiteral("KDV"), QString(), false, 1),
        temsilciKolonu(QStringLiteral("ALINANSIPARIS")),
        temsilciKolonu(QStringLiteral("VERILENSIPARIS")),
        metin(QStringLiteral("LISTEFIYAT1"), QStringLiteral("Liste Fiyatı"), false, 2),
        kamp,
        metin(QStringLiteral("FIYAT"), QStringLiteral("Liste Fiyatı"), false, 2),
        bayrak(QStringLiteral("Y"), QStringLiteral("Yeni")),
        k,
        indirim,
        metin(QStringLiteral("NETFIYAT"), QStringLiteral("Net Fiyatı"), false, 2),
        metin(QStringLiteral("KDVDAHIL"), QStringLiteral("KDV Dahil Fiyat"), false, 3),
        fiyat,
    };

    grid::Grid *g = d->grid;
    g->setColumns(kolonlar);
    QList<QPixmap> resimler = DurumResimleri();
    while (resimler.size() < bayrakYok)
        resimler.append(QPixmap());
    resimler << bayrakResmi(false) << bayrakResmi(true) << fotografResmi();
    g->setImages(resimler);
    g->setHeaderHeight(40);
    g->setRowHeight(40);
    g->setFilterButtonsVisible(true);
    g->setFooterVisible(true);
    g->setSelectedRowStyle(grid::look::selectedRow, grid::look::selectedText);
    g->setTable(d->baglam.stok);
}

void TStokListesi::basligiYaz(const QString &baslik)
{
    d->baglam.sekmeBasligiYaz(this, baslik);
}

bool TStokListesi::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d->cubuk.araedit && event->type() == QEvent::KeyPress)
        return araeditKeyPress(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

bool TStokListesi::araeditKeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Enter();
        return true;
    }
    const QString yazi = event->text();
    if (yazi.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    QString cevrilmis = yazi;
    for (QChar &harf : cevrilmis)
        harf = AramaHarfi(harf);
    if (cevrilmis == yazi)
        return false;
    // The box's validator makes the replacement upper case.
    d->cubuk.araedit->insert(cevrilmis);
    return true;
}

void TStokListesi::SpeedButton2Click()
{
    if (aramaSuruyor())
        return;
    Enter();
}

void TStokListesi::Enter()
{
    if (aramaSuruyor())
        return;
    d->baglam.sekmeyiOneGetir(this);
    if (d->cubuk.araedit->text().trimmed().size() < 3) {
        MesajGoster(QStringLiteral("Lütfen en az 3 harf giriniz !"), mtUyari, 1 << mbOK, mbOK, 0, this);
        return;
    }
    d->cubuk.araedit->setEnabled(false);
    if (d->cubuk.gifstokara)
        d->cubuk.gifstokara->setVisible(true);
    d->grid->beginUpdate();
    d->grid->setTable(nullptr);
    d->grid->clearFilter();
    StokListesiAl();
}

void TStokListesi::StokListesiAl()
{
    // Everything the worker reads is copied here; the table is detached from
    // the grid until the continuation has run.
    std::shared_ptr<Connection> baglanti = d->baglam.bagc->clone();
    auto bilgi = std::make_shared<TSonucBilgisi>();
    bilgi->Kopyala(*d->baglam.sbilgi);
    const QString kod = d->cubuk.araedit->text();
    Table *stok = d->baglam.stok;
    auto hata = std::make_shared<bool>(true);

    ArkadaCalistir([baglanti, bilgi, kod, stok, hata] {
        if (!BaglantiAc(*baglanti, 0))
            return;
        bool kapali = false;
        try {
            TServerMethods1Client istemci(baglanti.get());
            stok->disableControls();
            kapali = true;
            const DataPacket paket = istemci.StokAraGetir(kod, GirisKopyasi(*bilgi));
            stok->assign(paket.table());
            SayiFormatla(*stok);
            stok->enableControls();
            kapali = false;
            baglanti->close();
            *hata = false;
        } catch (...) {
            if (kapali)
                stok->enableControls();
        }
    })->Await(this, [this, hata] { StokListesiBitti(*hata); });
}

void TStokListesi::StokListesiBitti(bool hata)
{
    Table *stok = d->baglam.stok;
    if (hata && stok->active())
        stok->emptyTable();
    if (!hata)
        basligiYaz(QString::number(stok->recordCount()) + QLatin1Char('=') + sayfaBasligi);

    QLineEdit *araedit = d->cubuk.araedit;
    araedit->setEnabled(true);
    d->grid->setTable(stok);
    d->grid->endUpdate();
    araedit->selectAll();
    araedit->setFocus();
    if (d->cubuk.gifstokara)
        d->cubuk.gifstokara->setVisible(false);
    StokGridDuzenle();

    if (hata) {
        MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"), mtHata, 1 << mbOK,
                    mbOK, 0, this);
        basligiYaz(sayfaBasligi);
    }
    Q_EMIT aramaBittiChanged();
}

void TStokListesi::SpeedButton1Click()
{
    if (aramaSuruyor())
        return;
    Table *stok = d->baglam.stok;
    if (stok->active()) {
        stok->emptyTable();
        // Emptying does not tell the views; rebinding does.
        d->grid->setTable(stok);
        basligiYaz(sayfaBasligi);
    }
    d->baglam.sekmeyiOneGetir(this);
    d->grid->clearFilter();
    d->cubuk.araedit->clear();
    d->cubuk.araedit->selectAll();
    d->cubuk.araedit->setFocus();
}

void TStokListesi::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    StokGridDuzenle();
}

void TStokListesi::StokGridDuzenle()
{
    if (aramaSuruyor())
        return;
    grid::Grid *g = d->grid;
    g->beginUpdate();
    const bool genis = window()->width() > GenisEkranSiniri;
    g->setColumnVisible(QStringLiteral("LISTEFIYAT1"), genis);
    g->setColumnVisible(QStringLiteral("KAMPFIYAT"), genis && !d->baglam.kampanyaGizli());
    g->setColumnVisible(QStringLiteral("NETFIYAT"), genis);
    g->setColumnVisible(QStringLiteral("KDVDAHIL"), genis);
    g->setColumnVisible(fiyatBilgisi, !genis);
    g->setRowHeight(genis ? 60 : 100);
    g->applyWeightedWidths();
    if (!genis) {
        g->setColumnWidth(QStringLiteral("OEM1"), 80);
        g->setColumnWidth(QStringLiteral("OEM2"), 80);
        g->setColumnWidth(QStringLiteral("OEM3"), 80);
        g->setColumnWidth(fiyatBilgisi, 150);
        g->setRowHeight(100);
    }
    g->endUpdate();
}

void TStokListesi::cxGrid1DBTableView1DblClick()
{
    Table *stok = d->baglam.stok;
    const qsizetype satir = d->grid->focusedTableRow();
    if (!stok->active() || satir < 0 || satir >= stok->recordCount())
        return;
    stok->setRecNo(satir);
    StokSatiriAc(d->baglam, *stok, SatirKaynagi::StokListesi, this);
}

} // namespace zelvora
