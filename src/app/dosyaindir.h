#pragma once

#include <QDialog>
#include <QLocale>

#include <memory>

namespace zelvora {

// The progress line under the notice: "Bilgi: %" + percent, "  İndirilen: "
// + received/total in megabytes, each with two decimals and the locale's
// decimal separator, + " Mb". Only meaningful for a total above 0.
QString IndirmeBilgisi(qint64 received, qint64 total, const QLocale &locale = QLocale());

// The self-update window: downloads the installer the server publishes,
// starts it with "/silent" and ends the program. Every way out ends the
// process; there is no skipping the update.
class Tdosyaindir final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tdosyaindir)

public:
    // `_y` is the version number the server published.
    Tdosyaindir(QWidget *owner, int _y);
    ~Tdosyaindir() override;

private:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

    void FormActivate();
    void Indir();
    void NetHTTPClient1ReceiveData(qint64 AReadCount, qint64 AContentLength);
    void IndirmeBitti();
    void NetHTTPClient1RequestError(const QString &AError);
    void KurulumuBaslat(const QString &path);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace zelvora
