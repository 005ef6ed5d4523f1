#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

// Runs `adim` on the modal window of type T as soon as it is up, so a test
// can fill in and close a dialog that the code under test runs with exec().
template<typename T> void ModaldaYap(std::function<void(T *)> adim)
{
    auto *zamanlayici = new QTimer;
    zamanlayici->setInterval(20);
    QObject::connect(zamanlayici, &QTimer::timeout, zamanlayici, [zamanlayici, adim] {
        auto *pencere = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!pencere)
            return;
        zamanlayici->stop();
        zamanlayici->deleteLater();
        adim(pencere);
    });
    zamanlayici->start();
}
