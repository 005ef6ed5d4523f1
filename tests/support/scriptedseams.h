#pragma once

#include "service/mesajgoster.h"
#include "service/seams.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QThread>
#include <QUrl>

#include <functional>

// The outside world as a test scripts it: every dialog, sound and wait is
// recorded with the thread it came on, in one ordered event list, and the
// dialogs answer at once. Workers call into it, hence the lock. The
// deployment constants and the workstation identity are the test's to set.
class ScriptedSeams : public zelvora::Seams
{
public:
    ScriptedSeams() { zelvora::Seams::install(this); }
    ~ScriptedSeams() override { zelvora::Seams::install(nullptr); }

    // Answer of the message dialog; mrNone means "the focused button".
    int dialogAnswer = zelvora::mrNone;
    // What the save dialog answers; empty means "cancelled".
    QString saveAs;
    // Called after a wait has been recorded, with the number of waits so far.
    std::function<void(int)> onSleep;

    // Set before any worker runs; read by workers afterwards.
    zelvora::Dagitim deployment;
    QString computer = QStringLiteral("TESTPC");
    QString user = QStringLiteral("tester");
    QString ip = QStringLiteral("10.1.2.3");
    QString workstation; // empty: the machine's own identifier

    zelvora::Dagitim dagitim() const override { return deployment; }
    QString computerName() const override { return computer; }
    QString userName() const override { return user; }
    QString localIp() const override { return ip; }
    QString workstationId() const override { return workstation; }

    // Something the test saw itself (a window shown, say), in the same order as the rest.
    void note(const QString &event)
    {
        QMutexLocker lock(&m_mutex);
        m_events.append(event);
    }

    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        QMutexLocker lock(&m_mutex);
        m_events.append(QStringLiteral("save:") + saveAs);
        return saveAs;
    }

    int execMessageDialog(const zelvora::MesajIstegi &request) override
    {
        QMutexLocker lock(&m_mutex);
        m_dialogs.append(request);
        m_dialogThreads.append(QThread::currentThread());
        m_events.append(QStringLiteral("dialog:") + request.text);
        if (dialogAnswer != zelvora::mrNone)
            return dialogAnswer;
        const zelvora::MesajDugmesiBilgisi *focused = request.button(request.focusButton);
        return focused ? focused->result : zelvora::mrNone;
    }

    void showMessage(const QString &text) override
    {
        QMutexLocker lock(&m_mutex);
        m_messages.append(text);
        m_messageThreads.append(QThread::currentThread());
        m_events.append(QStringLiteral("message:") + text);
    }

    void showErrorBox(const QString &text) override
    {
        QMutexLocker lock(&m_mutex);
        m_errors.append(text);
        m_errorThreads.append(QThread::currentThread());
        m_events.append(QStringLiteral("error:") + text);
    }

    void playSound(zelvora::SystemSound sound) override
    {
        QMutexLocker lock(&m_mutex);
        m_sounds.append(sound);
    }

    void sleepMs(int milliseconds) override
    {
        int count = 0;
        {
            QMutexLocker lock(&m_mutex);
            m_sleeps.append(milliseconds);
            m_sleepThreads.append(QThread::currentThread());
            m_events.append(QStringLiteral("sleep:") + QString::number(milliseconds));
            count = int(m_sleeps.size());
        }
        if (onSleep)
            onSleep(count);
    }

    void terminate(int exitCode) override
    {
        QMutexLocker lock(&m_mutex);
        m_events.append(QStringLiteral("terminate:") + QString::number(exitCode));
    }

    bool openUrl(const QUrl &url) override
    {
        QMutexLocker lock(&m_mutex);
        m_events.append(QStringLiteral("open:") + url.toString());
        return true;
    }

    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        QMutexLocker lock(&m_mutex);
        m_events.append(QStringLiteral("start:") + program + QLatin1Char(' ') +
                        arguments.join(QLatin1Char(' ')));
        return true;
    }

    QList<zelvora::MesajIstegi> dialogs() const { return locked(m_dialogs); }
    QList<QThread *> dialogThreads() const { return locked(m_dialogThreads); }
    QStringList messages() const { return locked(m_messages); }
    QList<QThread *> messageThreads() const { return locked(m_messageThreads); }
    QStringList errors() const { return locked(m_errors); }
    QList<QThread *> errorThreads() const { return locked(m_errorThreads); }
    QList<zelvora::SystemSound> sounds() const { return locked(m_sounds); }
    QList<int> sleeps() const { return locked(m_sleeps); }
    QList<QThread *> sleepThreads() const { return locked(m_sleepThreads); }
    QStringList events() const { return locked(m_events); }

private:
    template<typename T> T locked(const T &list) const
    {
        QMutexLocker lock(&m_mutex);
        return list;
    }

    mutable QMutex m_mutex;
    QList<zelvora::MesajIstegi> m_dialogs;
    QList<QThread *> m_dialogThreads;
    QStringList m_messages;
    QList<QThread *> m_messageThreads;
    QStringList m_errors;
    QList<QThread *> m_errorThreads;
    QList<zelvora::SystemSound> m_sounds;
    QList<int> m_sleeps;
    QList<QThread *> m_sleepThreads;
    QStringList m_events;
};
