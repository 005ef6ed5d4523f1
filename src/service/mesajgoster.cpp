#include "service/mesajgoster.h"

#include "service/seams.h"
#include "service/uithread.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace zelvora {

namespace {

struct ButtonDef
{
    int number;
    const char *caption; // UTF-8
    int result;
};

// In the order the dialog lays them out. Help never closes the dialog: there
// is no help file behind the help context.
constexpr ButtonDef ButtonDefs[] = {
    {mbYes, "Evet", mrYes},
    {mbNo, "Hayır", mrNo},
    {mbOK, "Tamam", mrOk},
    {mbCancel, "Vazgeç", mrCancel},
    {mbAbort, "İptal", mrAbort},
    {mbRetry, "Tekrar", mrRetry},
    {mbIgnore, "Atla", mrIgnore},
    {mbAll, "Tümü", mrAll},
    {mbNoToAll, "Tümüne Hayır", mrNoToAll},
    {mbYesToAll, "Tümüne Evet", mrYesToAll},
    {mbHelp, "Yardım", mrNone},
};

constexpr int ButtonWidth = 75;
constexpr int TextWrapWidth = 480;

bool hasButton(int buttons, int number)
{
    return number >= 0 && number < 31 && (buttons & (1 << number)) != 0;
}

QStyle::StandardPixmap iconOf(int kind)
{
    switch (kind) {
    case mtUyari:
        return QStyle::SP_MessageBoxWarning;
    case mtHata:
        return QStyle::SP_MessageBoxCritical;
    case mtBilgi:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

} // namespace

const MesajDugmesiBilgisi *MesajIstegi::button(int number) const
{
    for (const MesajDugmesiBilgisi &b : buttons) {
        if (b.number == number)
            return &b;
    }
    return nullptr;
}

QStringList MesajIstegi::buttonCaptions() const
{
    QStringList captions;
    for (const MesajDugmesiBilgisi &b : buttons)
        captions << b.caption;
    return captions;
}

QString MesajBasligi(int kind)
{
    switch (kind) {
    case mtUyari:
        return QStringLiteral("Uyarı");
    case mtHata:
        return QStringLiteral("Hata");
    case mtBilgi:
        return QStringLiteral("Bilgi");
    case mtSoru:
        return QStringLiteral("Soru");
    default:
        return QString();
    }
}

QString DugmeBasligi(int number)
{
    for (const ButtonDef &tanim : ButtonDefs) {
        if (tanim.number == number)
            return QString::fromUtf8(tanim.caption);
    }
    return QString();
}

MesajIstegi MesajIstegiHazirla(const QString &text, int kind, int buttons, int defaultButton, QWidget *owner)
{
    MesajIstegi request;
    request.kind = kind;
    request.text = text;
    request.caption = MesajBasligi(kind);
    if (request.caption.isEmpty())
        request.caption = QGuiApplication::applicationDisplayName();
    request.owner = owner;

    // A dialog without a button could not be closed; it gets "Tamam".
    bool any = false;
    for (const ButtonDef &tanim : ButtonDefs)
        any = any || hasButton(buttons, tanim.number);
    if (!any)
        buttons = 1 << mbOK;
    for (const ButtonDef &tanim : ButtonDefs) {
        if (hasButton(buttons, tanim.number))
            request.buttons.append({tanim.number, QString::fromUtf8(tanim.caption), tanim.result});
    }

    // The toolkit's own choices when the asked-for default is not in the set.
    for (int candidate : {defaultButton, int(mbOK), int(mbYes), int(mbRetry)}) {
        if (request.button(candidate)) {
            request.focusButton = candidate;
            break;
        }
    }
    if (request.focusButton < 0)
        request.focusButton = request.buttons.first().number;
    for (int candidate : {int(mbCancel), int(mbNo), int(mbOK)}) {
        if (request.button(candidate)) {
            request.escapeButton = candidate;
            break;
        }
    }
    return request;
}

int MesajGoster(const QString &text, int kind, int buttons, int defaultButton, int helpContext,
                QWidget *owner)
{
    Q_UNUSED(helpContext)
    return runOnUiThread([&]() -> int {
        const MesajIstegi request = MesajIstegiHazirla(text, kind, buttons, defaultButton, owner);
        switch (kind) {
        case mtUyari:
            Seams::current().playSound(SystemSound::Exclamation);
            break;
        case mtHata:
            Seams::current().playSound(SystemSound::Error);
            break;
        case mtBilgi:
            Seams::current().playSound(SystemSound::Information);
            break;
        case mtSoru:
            Seams::current().playSound(SystemSound::Question);
            break;
        default:
            break;
        }
        return Seams::current().execMessageDialog(request);
    });
}

void ShowMessage(const QString &text)
{
    runOnUiThread([&text] { Seams::current().showMessage(text); });
}

TMesajForm::TMesajForm(const MesajIstegi &request, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(request.caption);
    setModal(true);

    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(iconOf(request.kind), nullptr, this).pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);
    if (MesajBasligi(request.kind).isEmpty())
        icon->hide();

    // Server and error texts arrive here; they are never read as markup.
    auto *label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    QString text = request.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label->setText(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QFontMetrics metrics(label->font());
    if (metrics.boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), 0, text).width() >
        TextWrapWidth) {
        label->setWordWrap(true);
        label->setFixedWidth(TextWrapWidth);
    }

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addWidget(label, 1);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton *focused = nullptr;
    for (const MesajDugmesiBilgisi &b : request.buttons) {
        auto *button = new QPushButton(b.caption, this);
        button->setMinimumWidth(ButtonWidth);
        button->setAutoDefault(true);
        const int result = b.result;
        if (result != mrNone)
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        row->addWidget(button);
        m_buttons.append(button);
        m_numbers.append(b.number);
        if (b.number == request.focusButton)
            focused = button;
        if (b.number == request.escapeButton)
            m_escapeButton = button;
    }
    row->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The default button comes first in the tab order, so it has the focus
    // when the dialog opens; the others follow in their visual order.
    if (focused) {
        focused->setDefault(true);
        QWidget *previous = focused;
        for (QPushButton *button : std::as_const(m_buttons)) {
            if (button == focused)
                continue;
            setTabOrder(previous, button);
            previous = button;
        }
        focused->setFocus(Qt::OtherFocusReason);
    }
}

TMesajForm::~TMesajForm() = default;

QPushButton *TMesajForm::button(int number) const
{
    const qsizetype i = m_numbers.indexOf(number);
    return i < 0 ? nullptr : m_buttons[i];
}

void TMesajForm::keyPressEvent(QKeyEvent *event)
{
    // Escape presses the cancelling button; the window's close box answers
    // "cancel" whatever the buttons, as the toolkit's dialog did.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_escapeButton) {
        m_escapeButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMesajForm::reject()
{
    done(mrCancel);
}

int MesajFormuCalistir(const MesajIstegi &request)
{
    QWidget *owner = request.owner ? request.owner->window() : QApplication::activeWindow();
    // The owner may close while the dialog is up and take its children with it.
    QPointer<TMesajForm> form = new TMesajForm(request, owner);
    const int result = form->exec();
    if (!form)
        return mrNone;
    delete form;
    return result;
}

} // namespace zelvora
