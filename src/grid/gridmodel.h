#pragma once

#include "grid/columndef.h"
#include "grid/gridfilter.h"
#include "table/tablemodel.h"

#include <QAbstractTableModel>
#include <QSet>

#include <unordered_map>
#include <vector>

namespace zelvora::grid {

// What the grid shows of a table: its declared columns, the rows that pass
// the filter, in the chosen order, optionally grouped by one column with a
// header and a footer row per group. Works on a row permutation over the
// table's columns, never on copies of the cells, so 100,000 rows sort and
// filter in milliseconds.
//
// The table comes through a TableModel, so detaching (setTable(nullptr)) and
// attaching cost one reset.
class GridModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridModel)

public:
    enum class RowKind
    {
        Data,
        GroupHeader,
        GroupFooter
    };

    // Roles besides Display (formatted text), Edit (raw value), TextAlignment.
    enum Role
    {
        RawRole = Qt::UserRole + 1, // the stored value, for sorting and filtering
        TableRowRole,               // qsizetype table row of a data row, -1 otherwise
        RowKindRole,                // int(RowKind)
        GroupLevelRole,             // group index of header/footer rows
        ImageIndexRole,             // Picture columns: index in the image list, -1 for none
        CheckStateRole2,            // CheckBox columns: Qt::CheckState
    };

    explicit GridModel(QObject *parent = nullptr);
    ~GridModel() override;

    void setColumns(const QList<ColumnDef> &columns);
    const QList<ColumnDef> &columns() const { return m_columns; }
    ColumnDef &columnDef(int column) { return m_columns[column]; }
    int columnOf(const QString &field) const; // -1 when no column shows that field

    void setTable(Table *table); // nullptr detaches
    Table *table() const { return m_source.table(); }

    // Filtering
    const GridFilter &filter() const { return m_filter; }
    void setFilter(const GridFilter &filter);
    void clearFilter();
    // The distinct display texts of a column over the rows that pass the other
    // columns' filters, sorted, for the header filter popup.
    QStringList distinctTexts(int column) const;

    // Sorting (stable; -1 restores the table's order)
    void sortBy(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Grouping by one column; -1 ungroups. Groups are ordered by value.
    void setGroupColumn(int column);
    int groupColumn() const { return m_groupColumn; }
    int groupCount() const;
    void setGroupExpanded(int group, bool expanded);
    bool isGroupExpanded(int group) const;
    void expandAll();
    void collapseAll();

    // Summaries over the rows that pass the filter (all of them, whether their
    // group is collapsed or not). Count counts rows; Sum and Average use the
    // numeric value; a column with Summary::None gives an invalid QVariant.
    QVariant footerValue(int column) const;
    QString footerText(int column) const;
    QVariant groupFooterValue(int group, int column) const;
    QString groupFooterText(int group, int column) const;
    QString groupCaption(int group) const; // "<caption>: <value> (<count>)"

    // Rows
    RowKind rowKind(int row) const;
    qsizetype tableRow(int row) const;           // -1 for group rows
    int rowOfTableRow(qsizetype tableRow) const; // -1 when filtered out or collapsed
    qsizetype filteredRowCount() const;          // data rows passing the filter
    // Every data row that passes the filter in display order, groups expanded.
    std::vector<qsizetype> exportRows() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    void summariesChanged();

private:
    struct Group
    {
        qsizetype first = 0; // into m_order
        qsizetype count = 0;
        bool expanded = true;
    };
    // Sum and number of non-null cells, for Sum and Average.
    struct Accumulator
    {
        double sum = 0;
        qsizetype values = 0;
    };

    void rebuild();   // filter, sort, group, lay out rows; one model reset
    void recompute(); // rebuild() without the reset signals
    void tableChanged();
    void layoutRows();
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void resolveFields();
    qsizetype sourceRows() const;
    bool isGrouped() const { return m_groupColumn >= 0; }
    int headerRowOf(int group) const;
    QString groupValueText(int group) const;
    void rememberExpanded(int group);
    // Adds one to the count of every row whose display text in the column is
    // not allowed.
    void markFailures(int column, const QSet<QString> &allowed, std::vector<quint8> &fails) const;
    const std::vector<quint32> &ranks(int tableColumn) const;
    const Accumulator &footerAccumulator(int column) const;
    const std::vector<Accumulator> &groupAccumulators(int column) const;
    QString summaryText(int column, Summary summary, const QVariant &value) const;

    TableModel m_source;
    QList<ColumnDef> m_columns;
    std::vector<int> m_fieldIndex; // table column of each grid column, -1 unbound
    GridFilter m_filter;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_groupColumn = -1;

    std::vector<quint32> m_order;    // passing table rows in display order, groups expanded
    std::vector<Group> m_groups;     // in display order
    std::vector<int> m_entries;      // per view row: table row, or -(2g+1) header / -(2g+2) footer of group g
    std::vector<int> m_viewRow;      // per table row: its view row, -1 when not shown
    std::vector<int> m_rowGroup;     // per table row: its group, -1 when not shown or not grouped
    bool m_expandedByDefault = true; // groups not named in m_toggledGroups
    QSet<QString> m_toggledGroups;   // value texts of groups whose state differs from the default
    // Dense ranks of the values of a table column, equal values equal rank;
    // kept until the table changes so re-sorting and filtering cost O(n).
    // Node-based maps: references handed out stay valid while others are added.
    mutable std::unordered_map<int, std::vector<quint32>> m_ranks;
    mutable std::unordered_map<int, Accumulator> m_footerSums;
    mutable std::unordered_map<int, std::vector<Accumulator>> m_groupSums;
};

} // namespace zelvora::grid
