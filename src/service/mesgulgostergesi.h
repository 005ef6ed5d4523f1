#pragma once

#include <QBasicTimer>
#include <QList>
#include <QPixmap>
#include <QWidget>

namespace zelvora {

// The small animated busy indicator beside the search box: hidden at rest,
// turning while it is shown.
class MesgulGostergesi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MesgulGostergesi)

public:
    explicit MesgulGostergesi(QWidget *parent = nullptr);
    ~MesgulGostergesi() override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QList<QPixmap> m_kareler;
    int m_kare = 0;
    QBasicTimer m_zamanlayici;
};

} // namespace zelvora
