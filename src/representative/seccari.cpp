#include "representative/seccari.h"

#include "service/ekranyardimcilari.h"

#include "grid/grid.h"
#include "service/arkada.h"
#include "service/connection.h"
#include "service/mesajgoster.h"
#include "service/seams.h"
#include "service/servermethods.h"
#include "table/table.h"
#include "table/tablereader.h"
#include "wire/objects.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <functional>

namespace zelvora {

namespace {

// A board button: its caption is the count, drawn large in red, with a small
// title under it so the board reads without hovering for the hint. A button
// without a count (all customers, an empty basket list) shows a list mark.
class SayacDugmesi final : public QPushButton
{
public:
    SayacDugmesi(const QString &title, const QString &hint, QWidget *parent)
        : QPushButton(parent), m_title(title)
    {
        QString tip = hint;
        tip.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        setToolTip(tip);
        setMinimumSize(104, 60);
        setMaximumSize(155, 60);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setCursor(Qt::PointingHandCursor);
        setAutoDefault(false);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0.0, isDown() ? QColor(226, 230, 236) : QColor(255, 255, 255));
        fill.setColorAt(1.0, isDown() ? QColor(214, 219, 226) : QColor(234, 238, 243));
        const bool hot = underMouse() || hasFocus();
        p.setPen(QPen(hot ? QColor(226, 10, 23) : QColor(190, 198, 209), 1));
        p.setBrush(fill);
        p.drawRoundedRect(frame, 4, 4);

        const QRect inner = rect().adjusted(4, 2, -4, -5);
        const QRect top = inner.adjusted(0, 0, 0, -16);
        if (text().isEmpty()) {
            // Three lines of a list.
            p.setPen(QPen(QColor(150, 158, 170), 3, Qt::SolidLine, Qt::RoundCap));
            const QPoint c = top.center();
            for (int i = -1; i <= 1; ++i)
                p.drawLine(c.x() - 11, c.y() + i * 7, c.x() + 11, c.y() + i * 7);
        } else {
            p.setFont(tahoma(27, true));
            p.setPen(QColor(226, 10, 23));
            p.drawText(top, Qt::AlignCenter, text());
        }
        p.setFont(tahoma(11, false));
        p.setPen(QColor(67, 76, 88));
        p.drawText(inner, Qt::AlignHCenter | Qt::AlignBottom, m_title);
    }

private:
    QString m_title;
};

QList<grid::ColumnDef> cariKolonlari()
{
    // Order and visibility as the list has always shown them; the headers are the field names.
    static const char *const shown[] = {"CARIKOD", "CARIADI",    "SATICISI",         "TLBAKIYE",
                                        "DURUM",   "SEPET",      "ALINDI",           "ONAYLANDI",
                                        "GORULDU", "HAZIRLANDI", "PARCALIHAZIRLANDI"};
    static const char *const all[] = {"CARINO",
                                      "CARIKOD",
                                      "CARIADI",
                                      "SATICISI",
                                      "TLBAKIYE",
                                      "DURUM",
                                      "OZELKOD",
                                      "KOD1",
                                      "KOD2",
                                      "KOD3",
                                      "KOD4",
                                      "KOD5",
                                      "TEL1",
                                      "TEL2",
                                      "ILCE",
                                      "IL",
                                      "GSM",
                                      "SEPET",
                                      "YETKILI",
                                      "INDIRIM",
                                      "VADE",
                                      "VADEKONTROLGUN",
                                      "VADEKONTROLAY",
                                      "VERGIDAIRESI",
                                      "VERGINO",
                                      "ADRES1",
                                      "ADRES2",
                                      "ANAGRUP",
                                      "ALTGRUP",
                                      "FAX1",
                                      "FAX2",
                                      "EMAIL",
                                      "ALINDI",
                                      "ONAYLANDI",
                                      "GORULDU",
                                      "HAZIRLANDI",
                                      "PARCALIHAZIRLANDI"};
    QList<grid::ColumnDef> columns;
    for (const char *name : all) {
        grid::ColumnDef c;
        c.field = QString::fromLatin1(name);
        c.visible = std::any_of(std::begin(shown), std::end(shown),
                                [name](const char *s) { return qstrcmp(s, name) == 0; });
        c.wordWrap = false;
        if (c.field == QLatin1String("CARIKOD"))
            c.footer = grid::Summary::Count;
        columns << c;
    }
    return columns;
}

} // namespace

struct Tseccari::Private
{
    QLineEdit *NEdit1 = nullptr;
    grid::Grid *cxGrid1 = nullptr;
    Table CARILER;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *sBitBtn2 = nullptr;
    QPushButton *sepettus = nullptr;
    QPushButton *alinditus = nullptr;
    QPushButton *onaylanditus = nullptr;
    QPushButton *goruldutus = nullptr;
    QPushButton *parcalihazirlandi = nullptr;
    QPushButton *hazirlanditus = nullptr;
    QPushButton *sevktus = nullptr;
    bool shown = false;
    // Only the newest list reaches the grid when the user searches again
    // before an earlier answer has arrived.
    int sonIstek = 0;

    // Runs `call` on a worker with its own connection and a copy of the login
    // record; the rows replace CARILER on the UI thread. A failure leaves the
    // list as it was, and the general error handler shows why.
    void listele(Tseccari *q,
                 std::function<TableReader *(TServerMethods1Client &, std::unique_ptr<TSonucBilgisi>)> call,
                 bool focusSearch);
};

void Tseccari::Private::listele(
    Tseccari *q, std::function<TableReader *(TServerMethods1Client &, std::unique_ptr<TSonucBilgisi>)> call,
    bool focusSearch)
{
    if (!q->bag || !q->bilgim)
        return;
    std::shared_ptr<Connection> baglanti = q->bag->clone();
    auto bil = std::make_shared<TSonucBilgisi>();
    bil->Kopyala(*q->bilgim);
    auto rows = std::make_shared<Table>();
    auto ok = std::make_shared<bool>(false);
    const int istek = ++sonIstek;
    ArkadaCalistir([baglanti, bil, rows, ok, call = std::move(call)] {
        baglanti->open();
        TServerMethods1Client client(baglanti.get());
        TableReader *reader = call(client, GirisKopyasi(*bil));
        if (reader)
            LoadFromReader(*reader, *rows);
        baglanti->close();
        *ok = reader != nullptr;
    })->Await(q, [this, rows, ok, istek, focusSearch] {
        if (!*ok || istek != sonIstek)
            return;
        cxGrid1->setTable(nullptr);
        CARILER = std::move(*rows);
        SayiFormatla(CARILER);
        cxGrid1->setTable(&CARILER);
        cxGrid1->bestFit();
        if (CARILER.recordCount() > 0)
            cxGrid1->focusTableRow(0);
        if (focusSearch) {
            NEdit1->selectAll();
            NEdit1->setFocus(Qt::OtherFocusReason);
        }
    });
}

Tseccari::Tseccari(QWidget *owner) : QDialog(owner), d(std::make_unique<Private>())
{
    setWindowTitle(QStringLiteral("Cari Seçimi"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);

    auto *board = new QHBoxLayout;
    board->setSpacing(6);
    auto dugme = [this, board](QPushButton *&field, const char *name, const QString &title,
                               const QString &hint) {
        field = new SayacDugmesi(title, hint, this);
        field->setObjectName(QString::fromLatin1(name));
        board->addWidget(field);
    };
    dugme(d->sBitBtn2, "sBitBtn2", QStringLiteral("Tüm Cariler"), QStringLiteral("Tüm Carileri Listeler"));
    dugme(d->sepettus, "sepettus", QStringLiteral("Sepeti Dolu Olanlar"),
          QStringLiteral("Sipariş sepetinde \r\nstok olan carileri listeler."));
    dugme(d->alinditus, "alinditus", QStringLiteral("Yeni Alınan"),
          QStringLiteral("Yeni Alınan \r\nSiparişleri Listeler"));
    dugme(d->onaylanditus, "onaylanditus", QStringLiteral("Onaylanan"),
          QStringLiteral("Onaylanan Siparişler"));
    dugme(d->goruldutus, "goruldutus", QStringLiteral("Görülen"), QStringLiteral("Görülen Siparişler"));
    dugme(d->parcalihazirlandi, "parcalihazirlandi", QStringLiteral("Eksik Hazırlanan"),
          QStringLiteral("Eksik Hazırlanan siparişler"));
    dugme(d->hazirlanditus, "hazirlanditus", QStringLiteral("Hazırlanan"),
          QStringLiteral("Hazırlanan Siparişler"));
    dugme(d->sevktus, "sevktus", QStringLiteral("Sevk Edilen"), QStringLiteral("Sevk Edilen Siparişler"));
    d->goruldutus->setText(QStringLiteral("0"));

    auto *searchLabel = new QLabel(QStringLiteral("Cari Ara:"), this);
    searchLabel->setFont(tahoma(15, true));
    d->NEdit1 = new QLineEdit(this);
    d->NEdit1->setObjectName(QStringLiteral("NEdit1"));
    d->NEdit1->setFont(tahoma(20, false));
    d->NEdit1->setValidator(new BuyukHarf(d->NEdit1));
    d->NEdit1->setPlaceholderText(QStringLiteral("Cari kodu veya adı; tümü için boş bırakıp Enter"));
    d->NEdit1->setStyleSheet(QStringLiteral("QLineEdit { background: #F6F9FB; }"));
    d->NEdit1->installEventFilter(this);
    auto *search = new QHBoxLayout;
    search->addWidget(searchLabel);
    search->addWidget(d->NEdit1, 1);

    d->cxGrid1 = new grid::Grid(this);
    d->cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    d->cxGrid1->setFont(tahoma(15, false));
    d->cxGrid1->setColumns(cariKolonlari());
    d->cxGrid1->setFooterVisible(true);

    d->Button1 = new QPushButton(QStringLiteral("Seç"), this);
    d->Button1->setObjectName(QStringLiteral("Button1"));
    d->Button1->setMinimumSize(120, 32);
    d->Button1->setAutoDefault(false);
    d->Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    d->Button2->setObjectName(QStringLiteral("Button2"));
    d->Button2->setMinimumSize(120, 32);
    d->Button2->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(d->Button1);
    bottom->addStretch(1);
    bottom->addWidget(d->Button2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(board);
    layout->addLayout(search);
    layout->addWidget(d->cxGrid1, 1);
    layout->addLayout(bottom);

    connect(d->Button1, &QPushButton::clicked, this, [this] { CariSec(); });
    connect(d->Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(d->cxGrid1, &grid::Grid::rowDoubleClicked, this, [this](qsizetype) { CariSec(); });
    connect(d->sBitBtn2, &QPushButton::clicked, this, [this] {
        d->NEdit1->clear();
        CarileriAra();
    });
    const std::pair<QPushButton *, int> statuses[] = {
        {d->sepettus, 1},          {d->alinditus, 2},     {d->onaylanditus, 3}, {d->goruldutus, 4},
        {d->parcalihazirlandi, 5}, {d->hazirlanditus, 6}, {d->sevktus, 7},
    };
    for (const auto &[button, durum] : statuses)
        connect(button, &QPushButton::clicked, this, [this, durum] { DurumaGoreListele(durum); });

    d->NEdit1->setFocus(Qt::OtherFocusReason);
}

Tseccari::~Tseccari()
{
    // The grid must let go of the table before the table goes.
    d->cxGrid1->setTable(nullptr);
}

void Tseccari::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (d->shown)
        return;
    d->shown = true;
    if (QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(area.x() + 50, area.y() + 50, qMax(640, area.width() - 100),
                    qMax(420, area.height() - 100));
    }
    d->NEdit1->setFocus(Qt::OtherFocusReason);
}

bool Tseccari::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d->NEdit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CarileriAra();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tseccari::SepetSayisiYaz()
{
    if (!bag || !bilgim)
        return;
    std::shared_ptr<Connection> baglanti = bag->clone();
    auto bil = std::make_shared<TSonucBilgisi>();
    bil->Kopyala(*bilgim);
    auto sayi = std::make_shared<qint32>(-1);
    ArkadaCalistir([baglanti, bil, sayi] {
        baglanti->open();
        TServerMethods1Client client(baglanti.get());
        *sayi = client.SepetSayisi(GirisKopyasi(*bil));
        baglanti->close();
    })->Await(this, [this, sayi] { d->sepettus->setText(*sayi < 1 ? QString() : QString::number(*sayi)); });
}

void Tseccari::TusSonuclari()
{
    if (!bag || !bilgim)
        return;
    std::shared_ptr<Connection> baglanti = bag->clone();
    auto bil = std::make_shared<TSonucBilgisi>();
    bil->Kopyala(*bilgim);
    auto sonuc = std::make_shared<TTusSonuclari>();
    auto ok = std::make_shared<bool>(false);
    ArkadaCalistir([baglanti, bil, sonuc, ok] {
        baglanti->open();
        TServerMethods1Client client(baglanti.get());
        if (const TTusSonuclari *t = client.TusSonuclariVer(GirisKopyasi(*bil))) {
            sonuc->Kopyala(*t);
            *ok = true;
        }
        baglanti->close();
    })->Await(this, [this, sonuc, ok] {
        if (!*ok)
            return;
        d->alinditus->setText(QString::number(sonuc->Alindi()));
        d->onaylanditus->setText(QString::number(sonuc->Onaylandi()));
        d->goruldutus->setText(QString::number(sonuc->Goruldu()));
        d->parcalihazirlandi->setText(QString::number(sonuc->ParcaliHazirlandi()));
        d->hazirlanditus->setText(QString::number(sonuc->Hazirlandi()));
        d->sevktus->setText(QString::number(sonuc->SevkEdildi()));
    });
}

void Tseccari::CarileriAra()
{
    QString aranan = d->NEdit1->text();
    aranan.replace(QStringLiteral("ı"), QStringLiteral("i"));
    aranan = aranan.trimmed();
    d->listele(
        this,
        [aranan](TServerMethods1Client &client, std::unique_ptr<TSonucBilgisi> bil) {
            return client.CariAra(std::move(bil), aranan);
        },
        true);
}

void Tseccari::DurumaGoreListele(int durum)
{
    d->listele(
        this,
        [durum](TServerMethods1Client &client, std::unique_ptr<TSonucBilgisi> bil) {
            return client.CariSepetVer(std::move(bil), durum);
        },
        durum == 1);
}

void Tseccari::CariSec()
{
    const qsizetype row = d->cxGrid1->focusedTableRow();
    if (row < 0 || !bilgim)
        return;
    const int carino = d->CARILER.indexOf(QStringLiteral("CARINO"));
    if (carino < 0)
        return;
    if (d->CARILER.value(row, carino).toInt() < 1) {
        MesajGoster(QStringLiteral("Bu satırda seçilebilecek bir cari yok !"), mtUyari, 1 << mbOK, mbOK, 0,
                    this);
        return;
    }
    const int carikod = d->CARILER.indexOf(QStringLiteral("CARIKOD"));
    const int cariadi = d->CARILER.indexOf(QStringLiteral("CARIADI"));
    bilgim->setCARINO(d->CARILER.value(row, carino).toInt());
    bilgim->setcarikod(carikod < 0 ? QString() : d->CARILER.value(row, carikod).toString());
    bilgim->setCariAdi(cariadi < 0 ? QString() : d->CARILER.value(row, cariadi).toString());
    accept();
}

void Tseccari::Button2Click()
{
    Seams::current().terminate(0);
}

} // namespace zelvora
