#pragma once

#include <QDialog>
#include <QUrl>

#include <memory>

namespace zelvora {

// The web request window: an embedded browser showing one of the
// wholesaler's pages (the access-request form for an unknown workstation).
class Tformistekyeni final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tformistekyeni)

public:
    explicit Tformistekyeni(QWidget *owner = nullptr);
    ~Tformistekyeni() override;

    void Git(const QUrl &address); // navigates the browser
    QUrl adres() const;

private:
    void Button1Click();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace zelvora
