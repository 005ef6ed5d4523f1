#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace zelvora {

class Connection;
class TSonucBilgisi;

enum class BannerYeri
{
    Baslik, // the header banner, GIF
    Serit,  // the strip across the window, GIF
    Alt     // the picture scrolled along the bottom, BMP
};

// What the start-up chain changes in the main window. Every call comes on
// the UI thread while the chain's worker waits for it.
class ZincirPenceresi
{
public:
    virtual ~ZincirPenceresi() = default;

    // The header labels, from the window's own login record.
    virtual void AnaBilgiAl() = 0;
    // The scrolling text exactly as the server sent it.
    virtual void KayanYaziYaz(const QString &metin) = 0;
    // A banner's bytes; nothing when the server has no banner for the place.
    virtual void BannerGoster(BannerYeri yer, const std::optional<QByteArray> &resim) = 0;
    // The number of opening advertisements, and with it the "Duyurular" caption.
    virtual void AcilisReklamAdetiYaz(int adet) = 0;
    // The count is not known after all: the opening advertisement is not offered.
    virtual void AcilisReklamAdetiSifirla() = 0;
    // One row of page counts, each already in its caption's text form.
    virtual void BalonlariYaz(const QString &sepet, const QString &yeniler, const QString &kampanyali,
                              const QString &bakiyeler) = 0;
};

// The start-up chain of the main window: the header, the scrolling text, the
// three banners, the opening-advertisement count and the page counts, one
// after the other on one pooled worker. Each step opens its own copy of the
// connection (the loud form of BaglantiAc) and goes on to the next when it
// cannot. Errors of the banner and count steps are swallowed; an error of the
// scrolling-text step ends the chain, one of the page counts ends that step,
// and the error is then shown by the general error handler.
class ArkaPlanZinciri final
{
public:
    // Copies the connection's parameters and the login record: the worker
    // never touches the window's own.
    ArkaPlanZinciri(const Connection &bagc, const TSonucBilgisi &sbilgi, QObject *pencereNesnesi,
                    ZincirPenceresi *pencere);
    ~ArkaPlanZinciri();
    Q_DISABLE_COPY_MOVE(ArkaPlanZinciri)

    // Runs the chain on a pooled worker; `devam` runs on the UI thread once
    // it has ended, however it ended, unless the window is gone by then.
    static void Baslat(std::shared_ptr<ArkaPlanZinciri> zincir, std::function<void()> devam);

    // Every step in order, on the calling thread.
    void Calistir();

    void AnaBilgiAl();
    void KayanYaziAl();
    void BannerREsimAl();
    void BannerREsimAlUst();
    void BannerREsimAlAlt();
    void AcilisReklamAdetAl();
    void BalonYaz();

    // A count as the floating-point conversion writes it: "3" for 3.0.
    static QString SayiMetni(double deger);

private:
    std::unique_ptr<Connection> baglantiAc() const;
    void bannerAl(BannerYeri yer);
    void pencerede(const std::function<void(ZincirPenceresi &)> &is) const;

    std::unique_ptr<Connection> m_bagc;
    std::unique_ptr<TSonucBilgisi> m_sbilgi;
    QPointer<QObject> m_pencereNesnesi;
    ZincirPenceresi *m_pencere;
};

} // namespace zelvora
