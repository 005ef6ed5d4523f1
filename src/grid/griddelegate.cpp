#include "grid/griddelegate.h"

#include "grid/gridmodel.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QTableView>

namespace zelvora::grid {

namespace {

quint64 imageKey(qsizetype tableRow, int column)
{
    return (quint64(tableRow) << 16) | quint64(column & 0xffff);
}

Qt::Alignment horizontalPart(Qt::Alignment alignment)
{
    const Qt::Alignment h = alignment & Qt::AlignHorizontal_Mask;
    return h ? h : Qt::AlignLeft;
}

Qt::Alignment verticalPart(Qt::Alignment alignment)
{
    const Qt::Alignment v = alignment & Qt::AlignVertical_Mask;
    return v ? v : Qt::AlignVCenter;
}

} // namespace

void look::drawCheckBox(QPainter *painter, const QRectF &box, Qt::CheckState state)
{
    const qreal side = box.width();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const bool on = state != Qt::Unchecked;
    const QColor accent(45, 112, 176);
    painter->setPen(QPen(on ? accent : QColor(138, 144, 153), 1));
    painter->setBrush(on ? accent : QColor(Qt::white));
    painter->drawRoundedRect(box, 2.5, 2.5);
    if (state == Qt::Checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + side * 0.22, box.top() + side * 0.52);
        tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.72);
        tick.lineTo(box.left() + side * 0.78, box.top() + side * 0.30);
        painter->setPen(QPen(Qt::white, qMax(1.6, side / 7.5), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    } else if (state == Qt::PartiallyChecked) {
        painter->fillRect(box.adjusted(side * 0.25, side * 0.42, -side * 0.25, -side * 0.42), Qt::white);
    }
    painter->restore();
}

GridDelegate::GridDelegate(QTableView *view) : QStyledItemDelegate(view), m_view(view)
{
    m_imageCache.setMaxCost(48 * 1024); // kilobytes
}

void GridDelegate::setImages(const QList<QPixmap> &images)
{
    m_images = images;
}

void GridDelegate::setSelectedRowStyle(const QColor &background, const QColor &text)
{
    m_selectedBackground = background;
    m_selectedText = text;
}

void GridDelegate::clearImageCache()
{
    m_imageCache.clear();
}

QRect GridDelegate::rowRect(const QRect &cellRect) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    return QRect(-header->offset(), cellRect.y(), header->length(), cellRect.height());
}

QRect GridDelegate::groupArrowRect(const QRect &rowRect)
{
    return QRect(rowRect.x(), rowRect.y(), look::groupArrowWidth, rowRect.height());
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    const auto *model = qobject_cast<const GridModel *>(index.model());
    if (!model || index.column() >= model->columns().size()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const ColumnDef &column = model->columns().at(index.column());
    switch (model->rowKind(index.row())) {
    case GridModel::RowKind::GroupHeader:
        paintGroupHeader(painter, option, index, *model);
        return;
    case GridModel::RowKind::GroupFooter:
        paintGroupFooter(painter, option, index, *model, column);
        return;
    case GridModel::RowKind::Data:
        break;
    }

    const bool selected = option.state & QStyle::State_Selected;
    const QColor background = selected ? m_selectedBackground : rowBackground(index.row());
    const QColor foreground = selected ? m_selectedText : option.palette.color(QPalette::Text);
    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(look::cellLine);
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->setPen(foreground);
    painter->setFont(option.font);
    const QRect content = option.rect.adjusted(look::cellPadding, 1, -look::cellPadding - 1, -1);

    switch (column.presentation) {
    case Presentation::Text:
        paintText(painter, content, index.data(Qt::DisplayRole).toString(), column.alignment,
                  column.wordWrap);
        break;
    case Presentation::Memo:
        paintText(painter, content, index.data(Qt::DisplayRole).toString(),
                  horizontalPart(column.alignment) | Qt::AlignTop, true);
        break;
    case Presentation::Picture: {
        const QVariant imageIndex = index.data(GridModel::ImageIndexRole);
        const int i = imageIndex.isValid() ? imageIndex.toInt() : -1;
        if (i >= 0 && i < m_images.size() && !m_images.at(i).isNull()) {
            const QPixmap &pixmap = m_images.at(i);
            QSizeF size = pixmap.deviceIndependentSize();
            const QSizeF room = option.rect.adjusted(2, 2, -2, -2).size();
            if (size.width() > room.width() || size.height() > room.height())
                size.scale(room, Qt::KeepAspectRatio);
            QRectF target(QPointF(), size);
            target.moveCenter(QRectF(option.rect).center());
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
            painter->drawPixmap(target, pixmap, QRectF(pixmap.rect()));
        }
        break;
    }
    case Presentation::CheckBox: {
        const QVariant state = index.data(GridModel::CheckStateRole2);
        Qt::CheckState check = Qt::Unchecked;
        if (state.isValid())
            check = Qt::CheckState(state.toInt());
        else if (index.data(GridModel::RawRole) == column.checkedValue)
            check = Qt::Checked;
        const int side = qMin(15, qMin(option.rect.width(), option.rect.height()) - 4);
        if (side > 4) {
            QRectF box(0, 0, side, side);
            box.moveCenter(QRectF(option.rect).center());
            look::drawCheckBox(painter, box.translated(0.5, 0.5), check);
        }
        break;
    }
    case Presentation::Image:
        paintImage(painter, option.rect.adjusted(2, 2, -3, -2), index, *model);
        break;
    case Presentation::Custom:
        if (column.customDraw) {
            QStyleOptionViewItem cellOption = option;
            cellOption.palette.setColor(QPalette::Text, foreground);
            cellOption.palette.setColor(QPalette::Base, background);
            cellOption.backgroundBrush = background;
            CellContext cell;
            cell.table = model->table();
            cell.row = model->tableRow(index.row());
            cell.visualRow = index.row();
            cell.selected = selected;
            painter->setClipRect(option.rect);
            column.customDraw(painter, cellOption, cell);
        } else {
            paintText(painter, content, index.data(Qt::DisplayRole).toString(), column.alignment,
                      column.wordWrap);
        }
        break;
    }
    painter->restore();
}

void GridDelegate::paintText(QPainter *painter, const QRect &rect, const QString &text,
                             Qt::Alignment alignment, bool wordWrap) const
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    const QFontMetrics metrics = painter->fontMetrics();
    Qt::Alignment vertical = verticalPart(alignment);
    const Qt::Alignment horizontal = horizontalPart(alignment);
    if (wordWrap) {
        // A wrapped text taller than the row would lose its first line when
        // centred; show it from the top instead.
        const int flags = int(horizontal | Qt::AlignTop) | Qt::TextWordWrap;
        if (metrics.boundingRect(rect, flags, text).height() > rect.height())
            vertical = Qt::AlignTop;
        painter->drawText(rect, int(horizontal | vertical) | Qt::TextWordWrap, text);
        return;
    }
    const QString line = text.contains(QLatin1Char('\n')) ? text.section(QLatin1Char('\n'), 0, 0) : text;
    painter->drawText(rect, int(horizontal | vertical) | Qt::TextSingleLine,
                      metrics.elidedText(line, Qt::ElideRight, rect.width()));
}

void GridDelegate::paintImage(QPainter *painter, const QRect &rect, const QModelIndex &index,
                              const GridModel &model) const
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const qsizetype tableRow = model.tableRow(index.row());
    const quint64 key = imageKey(tableRow, index.column());
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize box = (QSizeF(rect.size()) * ratio).toSize();
    CachedImage *cached = m_imageCache.object(key);
    if (!cached || cached->box != box) {
        const QVariant raw = index.data(GridModel::RawRole);
        QImage image = QImage::fromData(raw.toByteArray());
        if (!image.isNull() && (image.width() > box.width() || image.height() > box.height()))
            image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(ratio);
        const int cost = qMax(1, int(image.sizeInBytes() / 1024));
        cached = new CachedImage{std::move(image), box};
        if (!m_imageCache.insert(key, cached, cost))
            return;
    }
    if (cached->image.isNull())
        return;
    QRectF target(QPointF(), cached->image.deviceIndependentSize());
    target.moveCenter(QRectF(rect).center());
    painter->drawImage(target, cached->image);
}

void GridDelegate::paintGroupHeader(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index, const GridModel &model) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const int group = index.data(GridModel::GroupLevelRole).toInt();
    painter->save();
    painter->fillRect(option.rect, selected ? m_selectedBackground : look::groupHeader);
    painter->setPen(look::groupLine);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());

    // The caption runs across the whole row; each cell paints the slice of it
    // that falls inside itself, so moved, hidden or scrolled columns never
    // cut it.
    painter->setClipRect(option.rect.adjusted(0, 0, 0, -1));
    const QRect row = rowRect(option.rect);
    const QRect arrowBox = groupArrowRect(row);
    const QPointF c = QRectF(arrowBox).center();
    QPolygonF arrow;
    if (model.isGroupExpanded(group))
        arrow << QPointF(c.x() - 4.5, c.y() - 2.5) << QPointF(c.x() + 4.5, c.y() - 2.5)
              << QPointF(c.x(), c.y() + 3);
    else
        arrow << QPointF(c.x() - 2.5, c.y() - 4.5) << QPointF(c.x() + 3, c.y())
              << QPointF(c.x() - 2.5, c.y() + 4.5);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(84, 92, 105));
    painter->drawPolygon(arrow);

    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(selected ? m_selectedText : look::text);
    const QRect text = row.adjusted(look::groupArrowWidth + 2, 0, -look::cellPadding, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, model.groupCaption(group));
    painter->restore();
}

void GridDelegate::paintGroupFooter(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index, const GridModel &model,
                                    const ColumnDef &column) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const int group = index.data(GridModel::GroupLevelRole).toInt();
    painter->save();
    painter->fillRect(option.rect, selected ? m_selectedBackground : look::groupFooter);
    painter->setPen(look::groupLine);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    const QString text = model.groupFooterText(group, index.column());
    if (!text.isEmpty()) {
        QFont font = option.font;
        font.setWeight(QFont::DemiBold);
        painter->setFont(font);
        painter->setPen(selected ? m_selectedText : look::text);
        const QRect content = option.rect.adjusted(look::cellPadding, 0, -look::cellPadding - 1, -1);
        painter->drawText(content,
                          int(horizontalPart(column.alignment) | Qt::AlignVCenter) | Qt::TextSingleLine,
                          painter->fontMetrics().elidedText(text, Qt::ElideRight, content.width()));
    }
    painter->restore();
}

int GridDelegate::preferredWidth(const QModelIndex &index) const
{
    const auto *model = qobject_cast<const GridModel *>(index.model());
    if (!model || index.column() >= model->columns().size())
        return -1;
    const QFontMetrics metrics(m_view->font());
    const int padding = 2 * look::cellPadding + 2;
    const ColumnDef &column = model->columns().at(index.column());
    switch (model->rowKind(index.row())) {
    case GridModel::RowKind::GroupHeader:
        return -1;
    case GridModel::RowKind::GroupFooter: {
        QFont font = m_view->font();
        font.setWeight(QFont::DemiBold);
        const QString text =
            model->groupFooterText(index.data(GridModel::GroupLevelRole).toInt(), index.column());
        return text.isEmpty() ? -1 : QFontMetrics(font).horizontalAdvance(text) + padding;
    }
    case GridModel::RowKind::Data:
        break;
    }
    switch (column.presentation) {
    case Presentation::Text:
    case Presentation::Memo: {
        const QString text = index.data(Qt::DisplayRole).toString();
        int widest = 0;
        for (const QStringView line : QStringView(text).split(QLatin1Char('\n')))
            widest = qMax(widest, metrics.horizontalAdvance(line.toString()));
        // A long memo would push every other column off screen.
        if (column.presentation == Presentation::Memo)
            widest = qMin(widest, 400);
        return widest + padding;
    }
    case Presentation::Picture: {
        const QVariant imageIndex = index.data(GridModel::ImageIndexRole);
        const int i = imageIndex.isValid() ? imageIndex.toInt() : -1;
        if (i < 0 || i >= m_images.size())
            return -1;
        return int(m_images.at(i).deviceIndependentSize().width()) + padding;
    }
    case Presentation::CheckBox:
        return 15 + padding;
    case Presentation::Image:
    case Presentation::Custom:
        return -1;
    }
    return -1;
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int width = preferredWidth(index);
    return QSize(width > 0 ? width : option.rect.width(), m_view->verticalHeader()->defaultSectionSize());
}

} // namespace zelvora::grid
