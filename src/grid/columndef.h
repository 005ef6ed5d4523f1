#pragma once

#include <QMap>
#include <QString>
#include <QStyleOptionViewItem>
#include <QVariant>

#include <functional>

class QPainter;

namespace zelvora {
class Table;
}

namespace zelvora::grid {

enum class Presentation
{
    Text,     // the field's value with the table's display format
    Picture,  // a picture from the grid's image list chosen by the value (statuses, yes/no flags)
    CheckBox, // checked when the value equals checkedValue
    Image,    // the value's bytes are a picture (JPEG, PNG, BMP)
    Memo,     // several lines of text
    Custom,   // drawn by the screen (customDraw)
};

enum class Summary
{
    None,
    Count,
    Sum,
    Average
};

// What a custom-drawn cell may read: its row's values by field name, even of
// columns that are hidden.
struct CellContext
{
    const Table *table = nullptr;
    qsizetype row = -1;       // table row
    qsizetype visualRow = -1; // position among the shown rows, for odd/even styles
    bool selected = false;
    QVariant value(const QString &field) const;
};

using CustomDraw =
    std::function<void(QPainter *painter, const QStyleOptionViewItem &option, const CellContext &cell)>;

// One column of a grid, as a screen declares it.
struct ColumnDef
{
    QString field;   // table field; empty for an unbound column (Custom presentation)
    QString caption; // the field name when empty
    bool visible = true;
    int weight = 1;           // share of the width in the weighted-width rule
    bool customizable = true; // false: locked, never offered in column customisation
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = true;
    Presentation presentation = Presentation::Text;
    QMap<qint64, int> images;  // Picture: value -> index in the image list; other values show nothing
    int defaultImage = -1;     // Picture: index used for values not in `images` (-1: nothing)
    QVariant checkedValue = 1; // CheckBox
    QVariant uncheckedValue = 0;
    Summary footer = Summary::None;      // under the column in the footer row
    Summary groupFooter = Summary::None; // under the column in each group's footer row
    QString summaryFormat;               // display format of sums and averages; "#,###,##0.00" when empty
    CustomDraw customDraw;               // Custom

    QString shownCaption() const { return caption.isEmpty() ? field : caption; }
};

} // namespace zelvora::grid
