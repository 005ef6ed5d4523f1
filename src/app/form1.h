#pragma once

#include "app/arkaplanzinciri.h"
#include "service/connection.h"
#include "service/sayfabaglami.h"
#include "table/table.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace zelvora {

class KayanYazi;
class TStokListesi;
class TSepetSayfasi;
class MesgulGostergesi;
class TSonucBilgisi;

// The main window: a frame that owns the shared state (the connection, the
// login record, the page tables) and the page control. It logs the user in
// while it is created, before it is ever shown, and then loads its header,
// banners and counts in the background.
class TForm1 final : public QMainWindow, private ZincirPenceresi
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)

public:
    // Runs the login in place of the login window: fills the record and
    // answers true for "OK". Tests build the window for any user kind with
    // it; the program never passes one.
    using GirisPenceresi = std::function<bool(Connection &bagc, TSonucBilgisi &sbilgi)>;

    // The program's window: runs the login window modally. When the login
    // does not end with "OK" the process has ended before this returns.
    explicit TForm1(QWidget *parent = nullptr);
    explicit TForm1(GirisPenceresi giris, QWidget *parent = nullptr);
    ~TForm1() override;

    // What the pages get from the window.
    const SayfaBaglami &sayfaBaglami() const { return m_baglam; }

    // Gives every plain floating-point field the display format
    // "#,###,##0.00"; the pages call it after each load.
    void SayiFormatla(Table &table) const;

    // The start-up chain has ended and its continuation has run.
    bool baslangicBitti() const { return m_baslangicBitti; }

    // -------------------------------------------------------- shared state
    Connection bagc;
    std::unique_ptr<TSonucBilgisi> sbilgi;
    int _acilisadet = 0;
    bool _acilisgoruldu = false;
    QPointer<QWidget> benimbakiyesiparisler; // the balances window while it is docked

    Table stok;
    Table sepet;
    Table ONCEKILER;
    Table EKSTRE;
    Table YENILER;
    Table kampstok;

    // ------------------------------------------------------------ controls
    QLabel *logoresmi = nullptr;
    QLabel *kullanicilbl = nullptr;
    QLabel *cariadilbl = nullptr;
    QLabel *saticilbl = nullptr;
    QLabel *RxGIFAnimator1 = nullptr; // header banner
    QToolButton *menubuton = nullptr;
    QMenu *Genelmenu = nullptr;
    QAction *M1 = nullptr;
    QAction *N4 = nullptr;
    QAction *SiteMenuItem = nullptr;
    QAction *G1 = nullptr;
    QAction *R1 = nullptr;

    QLineEdit *araedit = nullptr;
    QToolButton *arabuton = nullptr;
    QToolButton *temizlebuton = nullptr;
    QPushButton *musteritus = nullptr;
    MesgulGostergesi *gifstokara = nullptr;
    MesgulGostergesi *gifyeniler = nullptr;
    MesgulGostergesi *gifkampanyali = nullptr;
    MesgulGostergesi *gifduyuru = nullptr;
    MesgulGostergesi *gifoncekiler = nullptr;
    MesgulGostergesi *gifsepet = nullptr;
    MesgulGostergesi *gifekstre = nullptr;

    QLabel *RxGIFAnimator2 = nullptr; // banner strip

    QTabWidget *sayfalar = nullptr;
    QWidget *sstoklistesi = nullptr;
    QWidget *ssepet = nullptr;
    QWidget *sonceki = nullptr;
    QWidget *sccariekstre = nullptr;
    QWidget *syeniler = nullptr;
    QWidget *skampanyali = nullptr;
    QWidget *sTabSheetduyuru = nullptr;
    QWidget *sTabbakiyeler = nullptr;
    QWidget *ss = nullptr;
    TStokListesi *stoklistesi = nullptr;   // inside sstoklistesi
    TSepetSayfasi *sepetsayfasi = nullptr; // inside ssepet

    QWidget *Panel5 = nullptr;             // bottom panel
    KayanYazi *RealTimeMarquee1 = nullptr; // the bottom banner, scrolled
    KayanYazi *kayanyazi = nullptr;        // the scrolling text line
    QPixmap Image3;                        // the bottom banner's picture

Q_SIGNALS:
    void baslangicBittiChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    bool GirisYap();
    void KullaniciTipiUygula(int tip);
    void FormCloseQuery(QCloseEvent *event);
    void G1Click();
    void SiteMenuItemClick();
    void AcilisReklamGoster();

    void arayuzuKur();
    QWidget *baslikPaneli();
    QWidget *aramaCubugu();
    QWidget *durumAciklamasi();
    QWidget *altPanel();
    void sayfalariKur();
    void stokListesiniKur();
    void sepetSayfasiniKur();
    void gifYukle(QLabel *alan, const QByteArray &resim, bool genisligiAl);
    void sayfaBasligiYaz(QWidget *sayfa, const QString &baslik);

    // The start-up chain's changes to the window.
    void AnaBilgiAl() override;
    void KayanYaziYaz(const QString &metin) override;
    void BannerGoster(BannerYeri yer, const std::optional<QByteArray> &resim) override;
    void AcilisReklamAdetiYaz(int adet) override;
    void AcilisReklamAdetiSifirla() override;
    void BalonlariYaz(const QString &sepet, const QString &yeniler, const QString &kampanyali,
                      const QString &bakiyeler) override;

    GirisPenceresi m_giris;
    SayfaBaglami m_baglam;
    QString m_webAdresi;
    bool m_baslangicBitti = false;
    bool m_ilkGosterim = true;
};

} // namespace zelvora
