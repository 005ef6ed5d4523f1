#include "app/dosyaindir.h"

#include "service/ekranyardimcilari.h"

#include "service/errorhandler.h"
#include "service/seams.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProgressBar>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>
#include <stdexcept>

namespace zelvora {

namespace {

// The client's own version; the window names it beside the server's.
constexpr int ProgramVersiyonu = 6;
constexpr int ZamanAsimiMs = 60000;

// The user's local (not roaming) application-data folder holds the installer;
// without one, the root folder as the program always did.
QString KurulumDosyasi()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        return QDir::rootPath() + QStringLiteral("ZelvoraSetup.exe");
    QDir().mkpath(folder);
    return QDir::cleanPath(folder + QStringLiteral("/ZelvoraSetup.exe"));
}

void HataGoster(const QString &text)
{
    GenelHataGoster(std::make_exception_ptr(std::runtime_error(text.toStdString())));
}

// Turkish for what a user meets most; anything rarer keeps Qt's own wording.
QString HataliCevap(const QNetworkReply &reply)
{
    const QString host = reply.url().authority();
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Sunucu bağlantıyı reddetti (") + host + QLatin1Char(')');
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Sunucu adı çözümlenemedi (") + host + QLatin1Char(')');
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Sunucu bağlantıyı indirme bitmeden kapattı (") + host + QLatin1Char(')');
    case QNetworkReply::TimeoutError:
    // The transfer time-out aborts the reply; nothing else cancels it while the window lives.
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("Zaman aşımı: sunucu %1 saniye içinde yanıt vermedi").arg(ZamanAsimiMs / 1000);
    default:
        return reply.errorString();
    }
}

} // namespace

QString IndirmeBilgisi(qint64 received, qint64 total, const QLocale &locale)
{
    // Two decimals and no digit grouping, as the program has always written it.
    const auto sayi = [&locale](double value) {
        QString text = QString::number(value, 'f', 2);
        text.replace(QLatin1Char('.'), locale.decimalPoint());
        return text;
    };
    const double percent = total > 0 ? double(received) / double(total) * 100.0 : 0.0;
    return QStringLiteral("Bilgi: %") + sayi(percent) + QStringLiteral("  İndirilen: ") +
           sayi(double(received) / 1024.0 / 1024.0) + QLatin1Char('/') +
           sayi(double(total) / 1024.0 / 1024.0) + QStringLiteral(" Mb");
}

struct Tdosyaindir::Private
{
    QLabel *sLabel1 = nullptr;
    QLabel *bilgi = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    QUrl adres;
    bool basladi = false;
    bool gosterildi = false;
    // Only a failed save lets the user out; the login then goes on.
    bool kapatilabilir = false;
    QString hedef;

    std::unique_ptr<QNetworkAccessManager> NetHTTPClient1;
    QPointer<QNetworkReply> cevap;
};

Tdosyaindir::Tdosyaindir(QWidget *owner, int _y) : QDialog(owner), d(std::make_unique<Private>())
{
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setModal(true);
    resize(560, 330);

    d->sLabel1 = new QLabel(this);
    d->sLabel1->setObjectName(QStringLiteral("sLabel1"));
    d->sLabel1->setFont(tahoma(27));
    d->sLabel1->setAlignment(Qt::AlignCenter);
    d->sLabel1->setWordWrap(true);
    QPalette palette = d->sLabel1->palette();
    palette.setColor(QPalette::WindowText, QColor(67, 76, 88));
    d->sLabel1->setPalette(palette);
    d->sLabel1->setText(QStringLiteral("Zelvora B2B Programının\nYeni versiyonu indirilecektir\nLütfen "
                                       "Bekleyiniz...!\nVersion: ") +
                        QString::number(_y) + QLatin1Char('-') + QString::number(ProgramVersiyonu));

    d->bilgi = new QLabel(this);
    d->bilgi->setObjectName(QStringLiteral("bilgi"));
    d->bilgi->setFont(tahoma(13, true));

    d->ProgressBar1 = new QProgressBar(this);
    d->ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    d->ProgressBar1->setRange(0, 100);
    d->ProgressBar1->setValue(0);
    d->ProgressBar1->setTextVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(d->sLabel1, 1);
    layout->addWidget(d->bilgi);
    layout->addWidget(d->ProgressBar1);

    d->adres = QUrl(QStringLiteral("http://") + Seams::current().dagitim().guncellemeAdresi +
                    QStringLiteral("/exe/ZelvoraSetup.exe"));
    d->basladi = false;
}

Tdosyaindir::~Tdosyaindir()
{
    // A reply still running must not call back into a half-destroyed window.
    if (d->cevap) {
        d->cevap->disconnect(this);
        d->cevap->abort();
    }
}

void Tdosyaindir::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (d->gosterildi)
        return;
    d->gosterildi = true;
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // Once the show has been handled, so the window is up before the network is touched.
    QTimer::singleShot(0, this, &Tdosyaindir::FormActivate);
}

void Tdosyaindir::closeEvent(QCloseEvent *event)
{
    // The update is not optional: closing during the download does not skip it.
    if (!d->kapatilabilir) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Tdosyaindir::reject()
{
    if (d->kapatilabilir)
        QDialog::reject();
}

void Tdosyaindir::FormActivate()
{
    Indir();
}

void Tdosyaindir::Indir()
{
    if (d->basladi)
        return;
    d->basladi = true;

    d->hedef = KurulumDosyasi();
    if (QFile::exists(d->hedef)) {
        QFile eski(d->hedef);
        if (!eski.remove()) {
            d->kapatilabilir = true;
            HataGoster(QStringLiteral("Eski kurulum dosyası silinemedi: ") +
                       QDir::toNativeSeparators(d->hedef) + QLatin1Char('\n') + eski.errorString());
            return;
        }
    }

    d->NetHTTPClient1 = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(d->adres);
    request.setRawHeader(
        "Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8");
    // Qt only inflates what it asked for itself, and then it also offers br and zstd; the
    // installer is compressed already, so the body comes as it is and the progress counts
    // the bytes that Content-Length announces.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    request.setRawHeader("User-Agent", "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, "
                                       "like Gecko) Chrome/60.0.3112.32 Safari/537.36");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(ZamanAsimiMs);

    d->cevap = d->NetHTTPClient1->get(request);
    connect(d->cevap, &QNetworkReply::downloadProgress, this, &Tdosyaindir::NetHTTPClient1ReceiveData);
    // Qt holds downloadProgress back for 100 ms at a time; every piece that arrives is shown.
    connect(d->cevap, &QNetworkReply::readyRead, this, [this] {
        if (!d->cevap)
            return;
        const QVariant length = d->cevap->header(QNetworkRequest::ContentLengthHeader);
        NetHTTPClient1ReceiveData(d->cevap->bytesAvailable(), length.isValid() ? length.toLongLong() : -1);
    });
    connect(d->cevap, &QNetworkReply::finished, this, &Tdosyaindir::IndirmeBitti);
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 AReadCount, qint64 AContentLength)
{
    if (AContentLength <= 0)
        return;
    d->bilgi->setText(IndirmeBilgisi(AReadCount, AContentLength));
    // The bar counts in int; very large files are counted in kilobytes instead.
    const qint64 bolen = AContentLength > std::numeric_limits<int>::max() ? 1024 : 1;
    d->ProgressBar1->setMaximum(int(AContentLength / bolen));
    d->ProgressBar1->setValue(int(qMin(AReadCount, AContentLength) / bolen));
}

void Tdosyaindir::IndirmeBitti()
{
    QNetworkReply *reply = d->cevap;
    if (!reply)
        return;
    d->cevap = nullptr;
    reply->deleteLater();

    // An error page is not an installer: only a 2xx body is saved and started.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        NetHTTPClient1RequestError(QStringLiteral("HTTP ") + QString::number(status.toInt()) +
                                   (reason.isEmpty() ? QString() : QLatin1Char(' ') + reason));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        NetHTTPClient1RequestError(HataliCevap(*reply));
        return;
    }

    const QByteArray govde = reply->readAll();
    // QSaveFile leaves no half-written installer behind for the shell to start.
    QSaveFile dosya(d->hedef);
    if (!dosya.open(QIODevice::WriteOnly) || dosya.write(govde) != govde.size() || !dosya.commit()) {
        d->kapatilabilir = true;
        HataGoster(QStringLiteral("Kurulum dosyası kaydedilemedi: ") + QDir::toNativeSeparators(d->hedef) +
                   QLatin1Char('\n') + dosya.errorString());
        return;
    }
    QFile::setPermissions(d->hedef,
                          QFile::permissions(d->hedef) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    KurulumuBaslat(d->hedef);
}

void Tdosyaindir::NetHTTPClient1RequestError(const QString &AError)
{
    Seams::current().showErrorBox(QStringLiteral("Hata Oluştu !\r\nHata: ") + AError);
    Seams::current().terminate(0);
    // Only a test's seam comes back here; let a modal caller go on.
    d->kapatilabilir = true;
    done(QDialog::Rejected);
}

void Tdosyaindir::KurulumuBaslat(const QString &path)
{
    if (!Seams::current().startProgram(path, {QStringLiteral("/silent")})) {
        // The process ends either way; the user at least learns where the installer lies.
        Seams::current().showErrorBox(
            QStringLiteral("Hata Oluştu !\r\nHata: Kurulum programı başlatılamadı: ") +
            QDir::toNativeSeparators(path));
    }
    Seams::current().terminate(0);
    d->kapatilabilir = true;
    done(QDialog::Accepted);
}

} // namespace zelvora
