#pragma once

#include "service/dagitim.h"

#include <QString>
#include <QStringList>

class QUrl;
class QWidget;

namespace zelvora {

struct MesajIstegi;

enum class SystemSound
{
    Exclamation,
    Error,
    Information,
    Question
};

// Every effect outside the program goes through one replaceable point, so
// tests can script the answers and record what was asked. The base class is
// the real program. Dialog entry points are only ever called on the UI thread;
// the helpers in front of them (MesajGoster, ShowMessage, GenelHataGoster)
// see to that.
class Seams
{
public:
    Seams() = default;
    virtual ~Seams();
    Q_DISABLE_COPY_MOVE(Seams)

    // The file name the user picked to save to, or empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                 const QString &filter);

    // Runs the Turkish message dialog modally; returns its MesajSonucu.
    virtual int execMessageDialog(const MesajIstegi &request);
    // The plain message box: the text and one button, centred on the screen.
    virtual void showMessage(const QString &text);
    // The standard error box of the general error handler.
    virtual void showErrorBox(const QString &text);
    virtual void playSound(SystemSound sound);

    // The pause between connection attempts. Called on whichever thread retries.
    virtual void sleepMs(int milliseconds);

    // Ends the process at once with `exitCode`: no destructors, no closing of
    // connections, nothing told to the server. Only a test's replacement
    // returns, so callers return right after calling it.
    virtual void terminate(int exitCode);

    // A file or address handed to the desktop (browser, PDF viewer, ...).
    virtual bool openUrl(const QUrl &url);
    // Starts a program without waiting for it.
    virtual bool startProgram(const QString &program, const QStringList &arguments);

    virtual Dagitim dagitim() const;

    // The workstation as the login reports it to the server.
    virtual QString computerName() const; // host name, at most 15 characters
    virtual QString userName() const;     // login name
    virtual QString localIp() const;      // first IPv4 address of the host name
    virtual QString workstationId() const;

    // Thread-safe to read; install only while no worker runs.
    static Seams &current();
    // Installs a replacement (not owned); nullptr puts the real one back.
    static void install(Seams *seams);
};

} // namespace zelvora
