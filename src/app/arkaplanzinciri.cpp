#include "app/arkaplanzinciri.h"

#include "service/arkada.h"
#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "service/uithread.h"
#include "wire/objects.h"

#include <QLoggingCategory>

namespace zelvora {

namespace {
Q_LOGGING_CATEGORY(lcZincir, "zelvora.zincir", QtWarningMsg)

// The columns of a page-count row: basket, new items, campaign items,
// announcements, order balances.
constexpr int balonSutunlari = 5;
} // namespace

ArkaPlanZinciri::ArkaPlanZinciri(const Connection &bagc, const TSonucBilgisi &sbilgi, QObject *pencereNesnesi,
                                 ZincirPenceresi *pencere)
    : m_bagc(bagc.clone()), m_sbilgi(std::make_unique<TSonucBilgisi>()), m_pencereNesnesi(pencereNesnesi),
      m_pencere(pencere)
{
    m_sbilgi->Kopyala(sbilgi);
}

ArkaPlanZinciri::~ArkaPlanZinciri() = default;

void ArkaPlanZinciri::Baslat(std::shared_ptr<ArkaPlanZinciri> zincir, std::function<void()> devam)
{
    QObject *pencere = zincir->m_pencereNesnesi;
    ArkadaCalistir([zincir] { zincir->Calistir(); })->Await(pencere, std::move(devam));
}

void ArkaPlanZinciri::Calistir()
{
    AnaBilgiAl();
    KayanYaziAl();
    BannerREsimAl();
    BannerREsimAlUst();
    BannerREsimAlAlt();
    AcilisReklamAdetAl();
    BalonYaz();
}

QString ArkaPlanZinciri::SayiMetni(double deger)
{
    return QString::number(deger, 'g', 15);
}

std::unique_ptr<Connection> ArkaPlanZinciri::baglantiAc() const
{
    return AcikKopya(*m_bagc, 1);
}

void ArkaPlanZinciri::pencerede(const std::function<void(ZincirPenceresi &)> &is) const
{
    runOnUiThreadAndWait([this, &is] {
        // The window may have gone while the worker was on the network.
        if (m_pencereNesnesi)
            is(*m_pencere);
    });
}

void ArkaPlanZinciri::AnaBilgiAl()
{
    pencerede([](ZincirPenceresi &p) { p.AnaBilgiAl(); });
}

void ArkaPlanZinciri::KayanYaziAl()
{
    std::unique_ptr<Connection> baglanti = baglantiAc();
    if (!baglanti)
        return;
    QString metin;
    {
        TServerMethods1Client istemci(baglanti.get());
        metin = istemci.KayanYaziGetir();
    }
    baglanti.reset();
    pencerede([&metin](ZincirPenceresi &p) { p.KayanYaziYaz(metin); });
}

void ArkaPlanZinciri::bannerAl(BannerYeri yer)
{
    std::unique_ptr<Connection> baglanti = baglantiAc();
    if (!baglanti)
        return;
    try {
        TServerMethods1Client istemci(baglanti.get());
        qint64 boy = 0;
        QIODevice *akim = nullptr;
        switch (yer) {
        case BannerYeri::Baslik:
            akim = istemci.BannerResimVer(boy);
            break;
        case BannerYeri::Serit:
            akim = istemci.BannerResimVer2(boy);
            break;
        case BannerYeri::Alt:
            akim = istemci.BannerResimVer3(boy);
            break;
        }
        if (boy == 0) {
            pencerede([yer](ZincirPenceresi &p) { p.BannerGoster(yer, std::nullopt); });
        } else if (const std::optional<QByteArray> resim = CopyAnnouncedStream(akim, boy)) {
            pencerede([yer, &resim](ZincirPenceresi &p) { p.BannerGoster(yer, resim); });
        }
    } catch (...) {
        // A banner is decoration: whatever went wrong, the place stays as it was.
        qCDebug(lcZincir) << "banner" << int(yer) << "not loaded";
    }
}

void ArkaPlanZinciri::BannerREsimAl()
{
    bannerAl(BannerYeri::Baslik);
}

void ArkaPlanZinciri::BannerREsimAlUst()
{
    bannerAl(BannerYeri::Serit);
}

void ArkaPlanZinciri::BannerREsimAlAlt()
{
    bannerAl(BannerYeri::Alt);
}

void ArkaPlanZinciri::AcilisReklamAdetAl()
{
    std::unique_ptr<Connection> baglanti = baglantiAc();
    if (!baglanti)
        return;
    try {
        qint32 adet = 0;
        {
            TServerMethods1Client istemci(baglanti.get());
            adet = istemci.AcilisReklamAdet();
        }
        pencerede([adet](ZincirPenceresi &p) { p.AcilisReklamAdetiYaz(adet); });
        baglanti->close();
    } catch (...) {
        qCDebug(lcZincir) << "opening advertisement count not loaded";
        pencerede([](ZincirPenceresi &p) { p.AcilisReklamAdetiSifirla(); });
    }
}

void ArkaPlanZinciri::BalonYaz()
{
    std::unique_ptr<Connection> baglanti = baglantiAc();
    if (!baglanti)
        return;
    TServerMethods1Client istemci(baglanti.get());
    TableReader *satirlar = istemci.BalonGetir(GirisKopyasi(*m_sbilgi));
    if (!satirlar || satirlar->columnCount() < balonSutunlari)
        return;
    // A later row overwrites the captions of an earlier one.
    while (satirlar->next()) {
        const QString sepet = SayiMetni(satirlar->asFloat(0));
        const QString yeniler = QString::number(satirlar->asInteger(1));
        const QString kampanyali = QString::number(satirlar->asInteger(2));
        const QString bakiyeler = SayiMetni(satirlar->asFloat(4));
        pencerede([&](ZincirPenceresi &p) { p.BalonlariYaz(sepet, yeniler, kampanyali, bakiyeler); });
    }
}

} // namespace zelvora
