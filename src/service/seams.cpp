#include "service/seams.h"

#include <QFileDialog>

namespace zelvora {

namespace {
Seams realSeams;
Seams *installed = nullptr;
} // namespace

Seams::~Seams() = default;

QString Seams::saveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

Seams &Seams::current()
{
    return installed ? *installed : realSeams;
}

void Seams::install(Seams *seams)
{
    installed = seams;
}

} // namespace zelvora
