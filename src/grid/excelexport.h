#pragma once

#include <QString>

namespace zelvora::grid {

class GridModel;

// Writes the visible columns' captions as the header row and then every row
// that passes the grid's filter, groups expanded, as a real .xlsx file:
// numbers as numbers (with the field's display format), dates as dates,
// texts as texts, check boxes as their value, pictures and custom cells as
// the value or text behind them. ".xlsx" is added when the name has no
// extension. False with a reason when the file cannot be written.
bool writeExcel(const GridModel &model, const QList<int> &visibleColumns, const QString &fileName,
                QString *error = nullptr);

} // namespace zelvora::grid
