#pragma once

#include <QString>

class QWidget;

namespace zelvora {

// Every effect outside the program (file dialogs here; message boxes, ending
// the process, the desktop and the like as they come) goes through one
// replaceable point, so tests can script the answers and record what was asked.
class Seams
{
public:
    virtual ~Seams();

    // The file name the user picked to save to, or empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                 const QString &filter);

    static Seams &current();
    // Installs a replacement (not owned); nullptr puts the real one back.
    static void install(Seams *seams);
};

} // namespace zelvora
