#pragma once

#include "grid/columndef.h"
#include "grid/gridmodel.h"

#include <QPixmap>
#include <QWidget>

class QTableView;

namespace zelvora::grid {

class FilterHeader;
class GridFooter;

// The list grid every screen uses: declared columns over an in-memory table,
// read-only, whole-row selection, header filter buttons, quick column
// customisation, sorting by header click (switchable), a footer with
// summaries, grouping with group footers, incremental search, picture and
// check-box cells, custom-drawn cells, the program's row styles, the
// weighted-width rule, best fit and Excel export.
class Grid final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Grid)

public:
    explicit Grid(QWidget *parent = nullptr);
    ~Grid() override;

    void setColumns(const QList<ColumnDef> &columns);
    const QList<ColumnDef> &columns() const;
    int columnOf(const QString &field) const;
    void setColumnVisible(const QString &field, bool visible);
    bool isColumnVisible(const QString &field) const;
    void setColumnCustomizable(const QString &field, bool customizable);
    void setColumnWidth(const QString &field, int width);
    int columnWidth(const QString &field) const;

    // Binding: detach while a worker fills the table, attach afterwards.
    void setTable(Table *table);
    Table *table() const;

    // Batch update: no repaint until the matching endUpdate().
    void beginUpdate();
    void endUpdate();

    void setImages(const QList<QPixmap> &images); // the image list of Picture columns
    void setRowHeight(int pixels);
    int rowHeight() const;
    void setHeaderHeight(int pixels);
    void setSortingAllowed(bool allowed);
    void setFilterButtonsVisible(bool visible);
    void setFooterVisible(bool visible);
    void setIndicatorVisible(bool visible); // the row indicator column at the left
    void setSelectedRowStyle(const QColor &background, const QColor &text);

    void clearFilter();
    GridModel *model() const;

    void setGroupColumn(const QString &field); // empty ungroups
    void expandAll();
    void collapseAll();

    // The weighted-width rule: the grid's width less 30 pixels divided by the
    // sum of the visible columns' weights (fraction cut off) gives the unit;
    // each visible column gets weight x unit. Nothing happens when no visible
    // column has a weight.
    void applyWeightedWidths();
    // Widths from the header and the rows now on screen, not the whole table.
    void bestFit();

    qsizetype focusedTableRow() const; // -1 when none
    void focusTableRow(qsizetype row);
    QTableView *view() const;

    // "Excel Kaydet": asks for a file through the dialog seam with the filter
    // "Excel|*.xls*"; writes the rows that pass the filter, groups expanded.
    // Returns false when the user cancelled or the file could not be written.
    bool exportToExcel();

Q_SIGNALS:
    void focusedRowChanged(qsizetype tableRow);
    void rowDoubleClicked(qsizetype tableRow);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The weighted-width rule on its own, for tests and for screens that lay out
// columns by other rules: widths for the given weights (0 for hidden columns).
QList<int> weightedWidths(int gridWidth, const QList<int> &weights, const QList<bool> &visible);

} // namespace zelvora::grid
