#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>

class QLabel;

namespace zelvora {

class Connection;

// The item's picture from the service (`ResimVer5`) into `Image1`; the label
// keeps what it shows (the logo) when the item has none or the bytes do not
// match their announced length.
void StokResmiYukle(const Connection &bag, qint32 stokno, QLabel *Image1);

// The item's picture from the picture web service, without waiting: the
// completion is queued to the UI thread and dropped when the label is gone;
// destroying the object cancels the download.
class TAsyncResim final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAsyncResim)

public:
    explicit TAsyncResim(QLabel *hedef, QObject *parent = nullptr);
    ~TAsyncResim() override;

    void Indir(const QUrl &adres);

Q_SIGNALS:
    void bitti(bool gosterildi);

private:
    QPointer<QLabel> m_hedef;
};

} // namespace zelvora
