#pragma once

#include <QString>

namespace zelvora {

// Where this installation talks to. Compiled in for the wholesaler's site:
// the program reads no options or environment, and tests build their own.
struct Dagitim
{
    QString sunucuAdresi = QStringLiteral("127.0.0.1");
    int sunucuPortu = 9090;
    // Base of the web site's pages, with the closing "/".
    QString webAdresi = QStringLiteral("http://127.0.0.1:8080/");
    // Host and port that serve "/exe/ZelvoraSetup.exe".
    QString guncellemeAdresi = QStringLiteral("127.0.0.1:8080");
};

} // namespace zelvora
