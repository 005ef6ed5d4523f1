#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

namespace zelvora {

// A captioned group of radio buttons filled from rows at run time: each item
// has a caption and a value attached to it, and at most one is selected
// (none after filling until the user or the program picks one).
class RadyoGrubu final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RadyoGrubu)

public:
    explicit RadyoGrubu(const QString &baslik, QWidget *parent = nullptr);
    ~RadyoGrubu() override;

    void temizle();
    void ekle(const QString &baslik, int deger);
    int adet() const { return int(m_dugmeler.size()); }

    // -1 when nothing is selected; an index out of range selects nothing.
    int secili() const;
    void setSecili(int sira);
    // The value attached to the selected item; `yoksa` when none is.
    int seciliDeger(int yoksa = -1) const;
    QRadioButton *dugme(int sira) const { return m_dugmeler.value(sira); }

Q_SIGNALS:
    // The user clicked an item; a selection made by the program is silent.
    void tiklandi();

private:
    QVBoxLayout *m_yerlesim = nullptr;
    QButtonGroup *m_grup = nullptr;
    QList<QRadioButton *> m_dugmeler;
    QList<int> m_degerler;
};

} // namespace zelvora
