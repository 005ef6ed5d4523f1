#include "grid/gridfooter.h"

#include "grid/griddelegate.h"
#include "grid/gridmodel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace zelvora::grid {

namespace {

const QColor footerBackground{232, 235, 239};
const QColor footerLine{196, 201, 209};

} // namespace

GridFooter::GridFooter(QTableView *view, QWidget *parent) : QWidget(parent), m_view(view)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto repaint = [this] { update(); };
    QHeaderView *header = view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::sectionCountChanged, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    if (auto *model = qobject_cast<GridModel *>(view->model())) {
        connect(model, &GridModel::summariesChanged, this, repaint);
        connect(model, &QAbstractItemModel::modelReset, this, repaint);
        connect(model, &QAbstractItemModel::dataChanged, this, repaint);
        connect(model, &QAbstractItemModel::rowsInserted, this, repaint);
        connect(model, &QAbstractItemModel::rowsRemoved, this, repaint);
    }
}

QSize GridFooter::sizeHint() const
{
    QFont bold = font();
    bold.setWeight(QFont::DemiBold);
    return QSize(100, QFontMetrics(bold).height() + 12);
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), footerBackground);
    painter.setPen(footerLine);
    painter.drawLine(0, 0, width(), 0);

    const auto *model = qobject_cast<const GridModel *>(m_view->model());
    if (!model)
        return;
    // The view's viewport, in our coordinates: sections are placed by it.
    const QWidget *viewport = m_view->viewport();
    const int left = viewport->mapTo(parentWidget(), QPoint()).x() - x();
    const int right = left + viewport->width();
    if (left > 0)
        painter.fillRect(QRect(0, 1, left, height() - 1), look::indicator);

    QFont bold = font();
    bold.setWeight(QFont::DemiBold);
    painter.setFont(bold);
    painter.setClipRect(QRect(left, 1, right - left, height() - 1));
    const QHeaderView *header = m_view->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical) || logical >= model->columns().size())
            continue;
        const QRect cell(left + header->sectionViewportPosition(logical), 1, header->sectionSize(logical),
                         height() - 1);
        if (cell.right() < left || cell.left() > right)
            continue;
        const QString text = model->footerText(logical);
        if (text.isEmpty())
            continue;
        const QRect content = cell.adjusted(look::cellPadding, 0, -look::cellPadding - 1, 0);
        Qt::Alignment horizontal = model->columns().at(logical).alignment & Qt::AlignHorizontal_Mask;
        if (!horizontal)
            horizontal = Qt::AlignLeft;
        painter.setPen(look::text);
        painter.drawText(content, int(horizontal | Qt::AlignVCenter) | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, content.width()));
    }
}

} // namespace zelvora::grid
