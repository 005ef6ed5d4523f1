#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

class QPushButton;

namespace zelvora {

// What MesajGoster returns; the values are the toolkit's modal results, so
// code that compares against them reads as it always has.
enum MesajSonucu
{
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
    mrHelp = 9,
    mrAll = 12,
    mrNoToAll = 13,
    mrYesToAll = 14,
};

// The kind decides caption, icon and sound.
enum MesajTipi
{
    mtUyari = 0,
    mtHata = 1,
    mtBilgi = 2,
    mtSoru = 3,
};

// Button numbers. A button set has bit (1 << number) for each of its buttons:
// 4 is "Tamam" alone, 3 is "Evet" and "Hayır".
enum MesajDugmesi
{
    mbYes = 0,
    mbNo = 1,
    mbOK = 2,
    mbCancel = 3,
    mbAbort = 4,
    mbRetry = 5,
    mbIgnore = 6,
    mbAll = 7,
    mbNoToAll = 8,
    mbYesToAll = 9,
    mbHelp = 10,
};

struct MesajDugmesiBilgisi
{
    int number = 0;
    QString caption;
    int result = mrNone; // mrNone: the button does not close the dialog
};

// Everything the message dialog shows, worked out before any widget exists,
// so a test's seam can record it and answer without a modal loop.
struct MesajIstegi
{
    QString caption;
    QString text;
    int kind = mtUyari;
    QList<MesajDugmesiBilgisi> buttons; // left to right
    int focusButton = -1;               // number of the button that has the focus
    int escapeButton = -1;              // number of the button Escape presses; -1 none
    QPointer<QWidget> owner;            // centred on it; none: on the screen

    const MesajDugmesiBilgisi *button(int number) const;
    QStringList buttonCaptions() const;
};

// The caption of a kind; empty for a kind outside 0..3.
QString MesajBasligi(int kind);
// The Turkish caption of a button number; empty for an unknown number.
QString DugmeBasligi(int number);

MesajIstegi MesajIstegiHazirla(const QString &text, int kind, int buttons, int defaultButton,
                               QWidget *owner = nullptr);

// Shows the Turkish message dialog modally and returns a MesajSonucu. From a
// worker the dialog is shown on the UI thread and the worker waits for the
// answer. The help context is accepted and not used.
int MesajGoster(const QString &text, int kind, int buttons, int defaultButton, int helpContext = 0,
                QWidget *owner = nullptr);

// The plain message box with the text and one button, centred on the screen;
// from a worker shown on the UI thread while the worker waits.
void ShowMessage(const QString &text);

// The message dialog itself. Building it does not show it: exec() is the
// caller's (MesajFormuCalistir), which lets tests look at it first.
class TMesajForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMesajForm)

public:
    explicit TMesajForm(const MesajIstegi &request, QWidget *parent = nullptr);
    ~TMesajForm() override;

    QPushButton *button(int number) const;
    QList<QPushButton *> buttons() const { return m_buttons; }

public Q_SLOTS:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QList<QPushButton *> m_buttons;
    QList<int> m_numbers; // beside m_buttons
    QPushButton *m_escapeButton = nullptr;
};

// The real modal run behind Seams::execMessageDialog. UI thread only.
int MesajFormuCalistir(const MesajIstegi &request);

} // namespace zelvora
