#include "catalogue/stokresmi.h"

#include "service/baglantiac.h"
#include "service/connection.h"
#include "service/mesajgoster.h"
#include "service/resimcoz.h"
#include "service/seams.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "wire/errors.h"

#include <QEvent>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPixmap>

namespace zelvora {

namespace {

// The user sees the kind of error in front of its text, as the picture box
// has always shown it.
QString HataSinifiVeMetni(std::exception_ptr hata)
{
    try {
        std::rethrow_exception(hata);
    } catch (const wire::RemoteError &e) {
        return e.className() + QStringLiteral(": ") + e.message();
    } catch (const ConnectionError &e) {
        return QStringLiteral("EConnectionError: ") + e.message();
    } catch (const wire::WireError &e) {
        return QStringLiteral("EWireError: ") + e.message();
    } catch (const std::exception &e) {
        return QStringLiteral("Exception: ") + QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Exception: Beklenmeyen hata");
    }
}

QSize alanBoyutu(const QLabel *label)
{
    const QSize alan = label->contentsRect().size();
    return alan.isEmpty() ? label->size() : alan;
}

} // namespace

void StokResmiYukle(const Connection &bag, qint32 stokno, QLabel *Image1)
{
    if (!Image1)
        return;
    const std::unique_ptr<Connection> baglanti = AcikKopya(bag, 1);
    if (!baglanti)
        return;
    try {
        TServerMethods1Client istemci(baglanti.get());
        qint64 boy = 0;
        QIODevice *akis = istemci.ResimVer5(stokno, boy);
        const std::optional<QByteArray> bytes = CopyAnnouncedStream(akis, boy);
        if (bytes) {
            const QImage resim = ResimCoz(*bytes, ResimTuru::Jpeg);
            if (!resim.isNull()) {
                QPixmap pixmap = QPixmap::fromImage(resim);
                const QSize alan = alanBoyutu(Image1);
                if (!alan.isEmpty() && (pixmap.width() > alan.width() || pixmap.height() > alan.height()))
                    pixmap = pixmap.scaled(alan, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                Image1->setAlignment(Qt::AlignCenter);
                Image1->setPixmap(pixmap);
            }
        }
    } catch (...) {
        ShowMessage(HataSinifiVeMetni(std::current_exception()));
    }
    baglanti->close();
}

QUrl StokResmiAdresi(qint32 stokno)
{
    return QUrl(Seams::current().dagitim().webAdresi + QStringLiteral("resimgoster.ashx?id=") +
                QString::number(stokno));
}

std::optional<ResimTuru> IcerikTuruResimTuru(const QByteArray &contentType)
{
    const QByteArray tur = contentType.mid(6).toLower();
    if (tur == "jpeg" || tur == "jpg")
        return ResimTuru::Jpeg;
    if (tur == "bmp")
        return ResimTuru::Bmp;
    if (tur == "png")
        return ResimTuru::Png;
    return std::nullopt;
}

TAsyncResim::TAsyncResim(QLabel *hedef, QObject *parent)
    : QObject(parent), m_hedef(hedef), m_FHTTPClient(new QNetworkAccessManager(this))
{
    if (hedef) {
        // Transparent where there is no picture, so the service picture
        // beneath shows until ours arrives.
        hedef->setAttribute(Qt::WA_TranslucentBackground);
        hedef->setAutoFillBackground(false);
        hedef->setAlignment(Qt::AlignCenter);
        // A download for a window that is closing is of no use to anyone.
        connect(hedef, &QObject::destroyed, this, [this] {
            if (m_istek)
                m_istek->abort();
        });
        hedef->installEventFilter(this);
    }
    connect(m_FHTTPClient, &QNetworkAccessManager::finished, this, &TAsyncResim::Geldi);
}

TAsyncResim::~TAsyncResim()
{
    m_iptal = true;
    if (m_istek) {
        // The reply is ours to end; nothing of it must reach the label now.
        disconnect(m_FHTTPClient, nullptr, this, nullptr);
        m_istek->abort();
        delete m_istek.data();
    }
}

void TAsyncResim::Indir(const QUrl &adres)
{
    if (adres == m_url)
        return;
    m_url = adres;
    if (m_istek) {
        // Only the last address asked for may fill the label.
        QNetworkReply *eski = m_istek.data();
        m_istek.clear();
        eski->abort();
    }
    if (adres.isEmpty() || m_iptal)
        return;
    QNetworkRequest istek(adres);
    istek.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    istek.setTransferTimeout(30000);
    m_istek = m_FHTTPClient->get(istek);
}

void TAsyncResim::Geldi(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_istek.data() || m_iptal)
        return;
    m_istek.clear();
    // An aborted transfer has nothing to read.
    const QByteArray govde = reply->isOpen() ? reply->readAll() : QByteArray();
    if (govde.isEmpty())
        return;
    const QByteArray icerikTuru = reply->rawHeader(QByteArrayLiteral("Content-Type"));
    // The manager answers on the UI thread, but the label may be closing in
    // this same pass of the event loop: the picture goes in from the queue,
    // and only when the label is still there by then.
    QMetaObject::invokeMethod(
        this,
        [this, govde, icerikTuru] {
            if (!m_hedef)
                return;
            const std::optional<ResimTuru> tur = IcerikTuruResimTuru(icerikTuru);
            const QImage resim = tur ? ResimCoz(govde, *tur) : QImage();
            if (resim.isNull()) {
                Q_EMIT bitti(false);
                return;
            }
            m_resim = resim;
            goster();
            Q_EMIT bitti(true);
        },
        Qt::QueuedConnection);
}

bool TAsyncResim::eventFilter(QObject *watched, QEvent *event)
{
    // The picture is kept at full size so that it fits the label anew
    // whenever the dialog's layout changes the label.
    if (watched == m_hedef.data() && event->type() == QEvent::Resize)
        goster();
    return QObject::eventFilter(watched, event);
}

void TAsyncResim::goster()
{
    if (!m_hedef || m_resim.isNull())
        return;
    const QSize alan = alanBoyutu(m_hedef);
    QPixmap pixmap = QPixmap::fromImage(m_resim);
    if (!alan.isEmpty())
        pixmap = pixmap.scaled(alan, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_hedef->setPixmap(pixmap);
    m_hedef->update();
}

} // namespace zelvora
