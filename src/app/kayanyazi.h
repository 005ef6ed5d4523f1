#pragma once

#include <QBasicTimer>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace zelvora {

// A marquee: its items run from right to left across the width, one after
// the other, for as long as it is active. An item is plain text, text with
// simple HTML-style markup, or a picture.
class KayanYazi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KayanYazi)

public:
    enum class OgeTuru
    {
        Metin,
        Html,
        Resim
    };

    explicit KayanYazi(QWidget *parent = nullptr);
    ~KayanYazi() override;

    bool aktif() const { return m_aktif; }
    void setAktif(bool aktif);

    // Room between two items, in pixels.
    int aralik() const { return m_aralik; }
    void setAralik(int aralik);
    // Pixels moved per step; a step every 20 ms.
    void setHiz(int pikselAdim);

    void temizle();
    int ogeEkle(); // a new empty text item; returns its index
    int ogeSayisi() const { return int(m_ogeler.size()); }
    QString ogeMetni(int i) const { return m_ogeler.at(i).metin; }
    OgeTuru ogeTuru(int i) const { return m_ogeler.at(i).tur; }
    void setOgeMetni(int i, const QString &metin);
    void setOgeTuru(int i, OgeTuru tur);
    void setOgeResmi(int i, const QPixmap &resim);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Oge
    {
        QString metin;
        OgeTuru tur = OgeTuru::Metin;
        QPixmap resim;
        QPixmap cizim; // what is drawn, made when first needed
    };

    const QPixmap &cizim(Oge &oge);
    int seritGenisligi();
    void zamanlayiciyiAyarla();
    void cizimleriUnut();

    QList<Oge> m_ogeler;
    int m_aralik = 5;
    int m_hiz = 2;
    bool m_aktif = false;
    int m_kayma = 0;
    QBasicTimer m_zamanlayici;
};

} // namespace zelvora
