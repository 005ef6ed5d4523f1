#include "requests/formistekyeni.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace zelvora {

struct Tformistekyeni::Private
{
    QWebEngineView *sitem = nullptr;
    QPushButton *Button1 = nullptr;
    QUrl adres;
};

Tformistekyeni::Tformistekyeni(QWidget *owner) : QDialog(owner), d(std::make_unique<Private>())
{
    setModal(true);

    d->sitem = new QWebEngineView(this);
    d->sitem->setObjectName(QStringLiteral("sitem"));

    d->Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    d->Button1->setObjectName(QStringLiteral("Button1"));
    d->Button1->setAutoDefault(false);
    connect(d->Button1, &QPushButton::clicked, this, &Tformistekyeni::Button1Click);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 6, 6, 6);
    bar->addWidget(d->Button1);
    bar->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(d->sitem, 1);
    layout->addLayout(bar);

    resize(780, 555);
    // Centred on the screen, not on the owner: the login may already be hidden.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = geometry();
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
}

Tformistekyeni::~Tformistekyeni() = default;

void Tformistekyeni::Git(const QUrl &address)
{
    d->adres = address;
    d->sitem->setUrl(address);
}

QUrl Tformistekyeni::adres() const
{
    return d->adres;
}

void Tformistekyeni::Button1Click()
{
    close();
}

} // namespace zelvora
