#pragma once

#include "table/table.h"

#include <QAbstractTableModel>

namespace zelvora {

// Shows an in-memory table to Qt views. Detaching (setTable(nullptr)) and
// attaching again cost one model reset, not a walk over the rows, so a page can
// hand its table to a worker and take it back cheaply.
class TableModel final : public QAbstractTableModel, private TableObserver
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableModel)

public:
    // The value as stored, for sorting and filtering; DisplayRole gives the
    // text with the field's display format.
    static constexpr int RawRole = Qt::UserRole + 1;

    explicit TableModel(QObject *parent = nullptr);
    ~TableModel() override;

    void setTable(Table *table);
    Table *table() const { return m_table; }
    bool attached() const { return m_table != nullptr; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void tableReset() override;
    void rowsInserted(qsizetype first, qsizetype last) override;
    void rowChanged(qsizetype row) override;
    void rowsRemoved(qsizetype first, qsizetype last) override;
    void takeShape();

    Table *m_table = nullptr;
    // What the views were last told; the table may already be ahead of it
    // while a row is being appended.
    int m_rows = 0;
    int m_columns = 0;
};

} // namespace zelvora
