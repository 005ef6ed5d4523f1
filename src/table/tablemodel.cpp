#include "table/tablemodel.h"

namespace zelvora {

TableModel::TableModel(QObject *parent) : QAbstractTableModel(parent) {}

TableModel::~TableModel()
{
    if (m_table)
        m_table->removeObserver(this);
}

void TableModel::setTable(Table *table)
{
    if (table == m_table)
        return;
    beginResetModel();
    if (m_table)
        m_table->removeObserver(this);
    m_table = table;
    if (m_table)
        m_table->addObserver(this);
    takeShape();
    endResetModel();
}

void TableModel::takeShape()
{
    const bool readable = m_table && m_table->active();
    m_rows = readable ? int(m_table->recordCount()) : 0;
    // An Insert row that is not posted yet is not shown.
    if (readable && m_table->state() == Table::State::Insert)
        --m_rows;
    m_columns = m_table ? m_table->fieldCount() : 0;
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!m_table || !index.isValid() || index.row() >= m_rows || index.column() >= m_columns)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return m_table->displayText(index.row(), index.column());
    case Qt::EditRole:
    case RawRole:
        return m_table->value(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const FieldKind k = m_table->column(index.column()).kind();
        if (k == FieldKind::Text || k == FieldKind::Memo || k == FieldKind::Bytes || k == FieldKind::DateTime)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal) {
        if (m_table && section >= 0 && section < m_columns)
            return m_table->column(section).name();
        return QVariant();
    }
    return section + 1;
}

void TableModel::tableReset()
{
    beginResetModel();
    takeShape();
    endResetModel();
}

void TableModel::rowsInserted(qsizetype first, qsizetype last)
{
    if (first != m_rows) {
        tableReset();
        return;
    }
    beginInsertRows(QModelIndex(), int(first), int(last));
    m_rows += int(last - first + 1);
    endInsertRows();
}

void TableModel::rowChanged(qsizetype row)
{
    if (row < m_rows)
        Q_EMIT dataChanged(index(int(row), 0), index(int(row), m_columns - 1));
}

void TableModel::rowsRemoved(qsizetype first, qsizetype last)
{
    if (last >= m_rows) {
        tableReset();
        return;
    }
    beginRemoveRows(QModelIndex(), int(first), int(last));
    m_rows -= int(last - first + 1);
    endRemoveRows();
}

} // namespace zelvora
