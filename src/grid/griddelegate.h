#pragma once

#include <QCache>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QStyledItemDelegate>

class QPainter;
class QTableView;

namespace zelvora::grid {

class GridModel;
struct ColumnDef;

// The program's grid look, in one place: the shared colours, row bands and
// the geometry of the group rows' expand arrow, so the view, its headers and
// the footer agree without asking each other.
namespace look {
inline const QColor evenRow{239, 239, 239};
inline const QColor oddRow{255, 255, 255};
inline const QColor selectedRow{210, 240, 249};
inline const QColor selectedText{0, 0, 0};
inline const QColor header{61, 65, 74};
inline const QColor indicator{66, 66, 66};
inline const QColor text{33, 37, 41};
inline const QColor cellLine{222, 224, 228};
inline const QColor groupHeader{226, 231, 238};
inline const QColor groupFooter{214, 219, 226};
inline const QColor groupLine{190, 197, 207};
constexpr int cellPadding = 5;
constexpr int groupArrowWidth = 22;
// The grid's check box, also used by the header's filter popup.
void drawCheckBox(QPainter *painter, const QRectF &box, Qt::CheckState state);
} // namespace look

// Paints every cell of the grid. One delegate for all columns keeps painting
// to the cells on screen: texts, pictures and images are made here and
// nowhere else.
class GridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridDelegate)

public:
    explicit GridDelegate(QTableView *view);

    void setImages(const QList<QPixmap> &images);
    const QList<QPixmap> &images() const { return m_images; }
    void setSelectedRowStyle(const QColor &background, const QColor &text);
    void clearImageCache();

    static QColor rowBackground(int visualRow) { return visualRow % 2 == 0 ? look::evenRow : look::oddRow; }

    // The whole row in viewport coordinates, over every section, for the
    // group rows that paint one caption across their cells.
    QRect rowRect(const QRect &cellRect) const;
    static QRect groupArrowRect(const QRect &rowRect);

    // What a cell needs to show whole, for best fit; -1 when the column cannot
    // tell (custom-drawn and image cells keep their width).
    int preferredWidth(const QModelIndex &index) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    void paintGroupHeader(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                          const GridModel &model) const;
    void paintGroupFooter(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                          const GridModel &model, const ColumnDef &column) const;
    void paintText(QPainter *painter, const QRect &rect, const QString &text, Qt::Alignment alignment,
                   bool wordWrap) const;
    void paintImage(QPainter *painter, const QRect &rect, const QModelIndex &index,
                    const GridModel &model) const;

    QTableView *m_view;
    QList<QPixmap> m_images;
    QColor m_selectedBackground = look::selectedRow;
    QColor m_selectedText = look::selectedText;
    // Decoded pictures of Image cells by table row and column, fitted to the
    // box they were last shown in; decoding a JPEG on every repaint would
    // make scrolling stutter.
    struct CachedImage
    {
        QImage image;
        QSize box;
    };
    mutable QCache<quint64, CachedImage> m_imageCache;
};

} // namespace zelvora::grid
