#pragma once

#include <QDialog>

#include <memory>

class QKeyEvent;

namespace zelvora {

class Connection;
class TSonucBilgisi;

// The login window. The caller gives it the main window's connection and
// login record, runs it modally and takes Accepted as a successful login; the
// record has then been filled in place.
class Tgirisform final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tgirisform)

public:
    explicit Tgirisform(QWidget *owner = nullptr);
    ~Tgirisform() override;

    QString idsi;                    // the workstation identifier, computed at creation
    Connection *bagim = nullptr;     // the main window's shared connection
    TSonucBilgisi *Bilgim = nullptr; // the main window's login record, filled in place

private:
    struct Private;
    std::unique_ptr<Private> d;

    bool eventFilter(QObject *watched, QEvent *event) override;
    // Escape and the title bar's close button: the program ends, as "Vazgeç".
    void reject() override;

    void AyarOku();
    void AyarKaydet();
    bool adiKeyDown(QKeyEvent *key); // true when the key was taken
    bool sifreKeyDown(QKeyEvent *key);
    void Button1Click();
    void Button2Click();
    void Devamet(const QString &disip);
    // Runs on a worker: only its arguments, never the window.
    static bool SunucuBilgisiAl(Connection &baglanti, const QString &idsi, TSonucBilgisi &kayit);
    bool CariSecimiAc(); // false when the program was ended instead
    void GuncellemeAc(int surum);
    void IstekFormuAc();
    void BosKutuUyarisi(const QString &text, QWidget *box);
    void Dinlenmede(); // back at rest after a failed attempt
};

} // namespace zelvora
