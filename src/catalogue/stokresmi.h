#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <optional>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;

namespace zelvora {

class Connection;
enum class ResimTuru;

// The item's picture from the service (`ResimVer5`) into `Image1`; the label
// keeps what it shows (the logo) when the item has none or the bytes do not
// match their announced length. A picture larger than the label is shrunk to
// fit, a smaller one shown at its own size, both centred. Runs on the UI
// thread: the dialog waits for it before it is shown.
void StokResmiYukle(const Connection &bag, qint32 stokno, QLabel *Image1);

// The picture web service's address of an item's picture, on the web host
// of this installation.
QUrl StokResmiAdresi(qint32 stokno);

// The decoder a web picture's "Content-Type" asks for: the text after its
// first six characters ("image/"), lower-cased, must be exactly "jpeg",
// "jpg", "bmp" or "png". Anything else, a parameter after the type
// included, asks for none.
std::optional<ResimTuru> IcerikTuruResimTuru(const QByteArray &contentType);

// The item's picture from the picture web service, without waiting: the
// completion is queued to the UI thread and dropped when the label is gone;
// destroying the object cancels the download. Until a picture has loaded the
// label shows nothing of its own, so whatever lies under it stays visible.
class TAsyncResim final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAsyncResim)

public:
    explicit TAsyncResim(QLabel *hedef, QObject *parent = nullptr);
    ~TAsyncResim() override;

    // Starts a download when the address differs from the one asked for
    // last; the same address again does nothing, an empty one only stores it.
    void Indir(const QUrl &adres);
    void setUrl(const QString &adres) { Indir(QUrl(adres)); }
    QString Url() const { return m_url.toString(); }

    // "resimgoster.ashx?id=" + the stock number on the web host.
    void StokResmiIndir(qint32 stokno) { Indir(StokResmiAdresi(stokno)); }

    // The picture shown last; null until one has loaded.
    QImage resim() const { return m_resim; }

Q_SIGNALS:
    // After every completed download that reached the label: whether it now
    // shows the downloaded picture.
    void bitti(bool gosterildi);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Geldi(QNetworkReply *reply);
    void goster();

    QPointer<QLabel> m_hedef;
    QNetworkAccessManager *m_FHTTPClient = nullptr;
    QPointer<QNetworkReply> m_istek;
    QUrl m_url;
    QImage m_resim;
    bool m_iptal = false;
};

} // namespace zelvora
