#include "grid/grid.h"

#include "grid/excelexport.h"
#include "grid/filterheader.h"
#include "grid/griddelegate.h"
#include "grid/gridfooter.h"
#include "grid/incrementalsearch.h"
#include "service/seams.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace zelvora::grid {

Q_LOGGING_CATEGORY(lcGrid, "zelvora.grid", QtWarningMsg)

namespace {

constexpr int indicatorWidth = 16;
constexpr int defaultRowHeight = 24;

// The row indicator at the left: a dark strip with a small triangle at the
// focused row. It never measures its sections, so 100,000 rows cost nothing.
class RowIndicator final : public QHeaderView
{
    Q_DISABLE_COPY_MOVE(RowIndicator)

public:
    explicit RowIndicator(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setMinimumSectionSize(8);
        setDefaultSectionSize(defaultRowHeight);
        setHighlightSections(false);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, look::indicator);
        pal.setColor(QPalette::Base, look::indicator);
        setPalette(pal);
        viewport()->setAutoFillBackground(true);
        viewport()->setBackgroundRole(QPalette::Window);
    }

    QSize sizeHint() const override { return QSize(indicatorWidth, defaultSectionSize()); }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        painter->fillRect(rect, look::indicator);
        painter->setPen(QColor(78, 78, 78));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        const QItemSelectionModel *selection = selectionModel();
        if (!selection || selection->currentIndex().row() != logicalIndex)
            return;
        const QPointF c = QRectF(rect).center();
        QPolygonF triangle;
        triangle << QPointF(c.x() - 2.5, c.y() - 4.5) << QPointF(c.x() + 3, c.y())
                 << QPointF(c.x() - 2.5, c.y() + 4.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(236, 236, 236));
        painter->drawPolygon(triangle);
        painter->restore();
    }

    QSize sectionSizeFromContents(int) const override { return QSize(indicatorWidth, defaultSectionSize()); }
};

} // namespace

QList<int> weightedWidths(int gridWidth, const QList<int> &weights, const QList<bool> &visible)
{
    // A column the caller says nothing about counts as shown.
    auto shown = [&](qsizetype i) { return i >= visible.size() || visible.at(i); };
    qint64 sum = 0;
    for (qsizetype i = 0; i < weights.size(); ++i) {
        if (shown(i))
            sum += qMax(0, weights.at(i));
    }
    QList<int> widths(weights.size(), 0);
    if (sum <= 0)
        return widths;
    // Integer division cuts the fraction off, as the rule asks; a grid
    // narrower than the 30-pixel allowance gives zero, not negative widths.
    const qint64 unit = qMax<qint64>(0, (qint64(gridWidth) - 30) / sum);
    for (qsizetype i = 0; i < weights.size(); ++i) {
        if (shown(i))
            widths[i] = int(qMax(0, weights.at(i)) * unit);
    }
    return widths;
}

struct Grid::Private final : QObject
{
    Q_DISABLE_COPY_MOVE(Private)

    explicit Private(Grid *grid) : q(grid) {}

    // Where the focus was before a model reset, to find it again afterwards:
    // a data row by its table row, a group row by its group.
    struct Anchor
    {
        bool valid = false;
        GridModel::RowKind kind = GridModel::RowKind::Data;
        qsizetype tableRow = -1;
        int group = -1;
        int column = 0;
    };

    Grid *q;
    GridModel *model = nullptr;
    QTableView *view = nullptr;
    FilterHeader *header = nullptr;
    RowIndicator *indicator = nullptr;
    GridDelegate *delegate = nullptr;
    GridFooter *footer = nullptr;
    QScrollBar *hbar = nullptr;
    QWidget *hbarCorner = nullptr;
    QWidget *scrollCap = nullptr;
    IncrementalSearch *search = nullptr;

    // The header forgets its sections when the model loses its columns; the
    // grid keeps widths (of hidden columns too) and the order on screen.
    QList<int> widths;
    QList<int> order; // logical column at each visual position
    bool restoring = false;
    bool sectionsLost = false;

    int updateDepth = 0;
    bool sortingAllowed = true;
    bool footerWanted = true;
    bool focusFirstRow = false;
    Anchor anchor;
    qsizetype lastFocused = -2; // what focusedRowChanged said last; -2 before the first time

    void build();
    void applySections();
    void recordOrder();
    void setSectionWidth(int column, int width);
    void setVisibleAt(int column, bool visible);
    int visibleCount() const;
    int firstVisibleColumn() const;
    QList<int> visibleColumnsInOrder() const;
    int defaultWidth(const ColumnDef &column) const;
    int headerWidth(int column) const;
    void updateFooterVisibility();
    void fitScrollCap() { scrollCap->setFixedHeight(header->isHidden() ? 0 : header->sizeHint().height()); }

    void aboutToReset();
    void afterReset();
    int findAnchor() const;
    void currentRowChanged(const QModelIndex &current);
    void noteFocus(qsizetype tableRow);
    void headerClicked(int column);
    void toggleGroupAt(int row);
    bool isGroupHeader(int row) const { return model->rowKind(row) == GridModel::RowKind::GroupHeader; }

    bool eventFilter(QObject *watched, QEvent *event) override;
};

void Grid::Private::build()
{
    model = new GridModel(q);
    view = new QTableView;
    header = new FilterHeader(view);
    indicator = new RowIndicator(view);
    view->setHorizontalHeader(header);
    view->setVerticalHeader(indicator);
    view->setModel(model);
    delegate = new GridDelegate(view);
    view->setItemDelegate(delegate);

    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setShowGrid(false);
    view->setWordWrap(true);
    view->setCornerButtonEnabled(false);
    view->setAlternatingRowColors(false);
    view->setTabKeyNavigation(false);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, look::evenRow);
    pal.setColor(QPalette::Text, look::text);
    view->setPalette(pal);

    // The footer sits between the rows and the horizontal scroll bar, so the
    // view's own bar is replaced by one under the footer that mirrors it.
    auto *frame = new QFrame(q);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    QPalette framePalette = frame->palette();
    framePalette.setColor(QPalette::WindowText, QColor(172, 178, 188));
    frame->setPalette(framePalette);
    view->setParent(frame);
    footer = new GridFooter(view, frame);
    hbar = new QScrollBar(Qt::Horizontal, frame);
    hbar->hide();
    hbarCorner = new QWidget(frame);
    hbarCorner->setFixedWidth(view->verticalScrollBar()->sizeHint().width());
    hbarCorner->hide();
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(0);
    bottom->addWidget(hbar, 1);
    bottom->addWidget(hbarCorner);
    auto *inner = new QVBoxLayout(frame);
    inner->setContentsMargins(1, 1, 1, 1);
    inner->setSpacing(0);
    inner->addWidget(view, 1);
    inner->addWidget(footer);
    inner->addLayout(bottom);
    auto *outer = new QVBoxLayout(q);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    q->setFocusProxy(view);

    QScrollBar *viewBar = view->horizontalScrollBar();
    connect(viewBar, &QScrollBar::rangeChanged, this, [this, viewBar](int min, int max) {
        hbar->setRange(min, max);
        hbar->setPageStep(viewBar->pageStep());
        hbar->setSingleStep(viewBar->singleStep());
        hbar->setVisible(max > min);
        const QScrollBar *vbar = view->verticalScrollBar();
        hbarCorner->setVisible(max > min && vbar->maximum() > vbar->minimum());
    });
    connect(viewBar, &QScrollBar::valueChanged, hbar, &QScrollBar::setValue);
    connect(hbar, &QScrollBar::valueChanged, viewBar, &QScrollBar::setValue);
    connect(view->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int min, int max) { hbarCorner->setVisible(max > min && !hbar->isHidden()); });

    // Above the vertical scroll bar, the header's colour continues instead of
    // the bar's own.
    scrollCap = new QWidget;
    scrollCap->setAutoFillBackground(true);
    QPalette capPalette = scrollCap->palette();
    capPalette.setColor(QPalette::Window, look::header);
    scrollCap->setPalette(capPalette);
    scrollCap->setFixedHeight(header->sizeHint().height());
    view->addScrollBarWidget(scrollCap, Qt::AlignTop);
    connect(header, &QHeaderView::geometriesChanged, this, [this] { fitScrollCap(); });
    header->installEventFilter(this);

    search = new IncrementalSearch(view);
    // Installed after the search, so group rows see +, - and the arrows first.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    if (auto *corner = view->findChild<QAbstractButton *>())
        corner->installEventFilter(this);

    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { aboutToReset(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { afterReset(); });
    connect(model, &QAbstractItemModel::dataChanged, delegate, &GridDelegate::clearImageCache);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { currentRowChanged(current); });
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && model->rowKind(index.row()) == GridModel::RowKind::Data)
            Q_EMIT q->rowDoubleClicked(model->tableRow(index.row()));
    });
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) { headerClicked(column); });
    connect(header, &FilterHeader::columnVisibilityRequested, this, [this](int column, bool visible) {
        // The menu already refuses, but a stray toggle must not empty the grid.
        if (!visible && visibleCount() <= 1)
            return;
        setVisibleAt(column, visible);
    });
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (!restoring && column < widths.size() && !header->isSectionHidden(column))
            widths[column] = size;
    });
    connect(header, &QHeaderView::sectionMoved, this, [this] {
        if (!restoring)
            recordOrder();
    });
    connect(header, &QHeaderView::sectionCountChanged, this, [this](int, int count) {
        if (restoring)
            return;
        if (count != model->columns().size())
            sectionsLost = true;
        else if (sectionsLost)
            applySections();
    });
}

int Grid::Private::defaultWidth(const ColumnDef &column) const
{
    return qMax(64,
                header->fontMetrics().horizontalAdvance(column.shownCaption()) + 2 * look::cellPadding + 36);
}

int Grid::Private::headerWidth(int column) const
{
    const QString caption = model->columns().at(column).shownCaption();
    return header->fontMetrics().horizontalAdvance(caption) + 2 * look::cellPadding + 36;
}

void Grid::Private::applySections()
{
    const int n = int(model->columns().size());
    if (header->count() != n)
        return;
    restoring = true;
    for (int i = 0; i < n; ++i) {
        const bool visible = model->columns().at(i).visible;
        if (visible) {
            header->setSectionHidden(i, false);
            header->resizeSection(i, widths.value(i, header->defaultSectionSize()));
        } else {
            header->setSectionHidden(i, true);
            header->resizeSection(i, widths.value(i, header->defaultSectionSize()));
        }
    }
    if (order.size() == n) {
        for (int visual = 0; visual < n; ++visual) {
            const int from = header->visualIndex(order.at(visual));
            if (from != visual && from >= 0)
                header->moveSection(from, visual);
        }
    }
    restoring = false;
    sectionsLost = false;
}

void Grid::Private::recordOrder()
{
    order.clear();
    for (int visual = 0; visual < header->count(); ++visual)
        order.append(header->logicalIndex(visual));
}

void Grid::Private::setSectionWidth(int column, int width)
{
    if (column < 0 || column >= widths.size())
        return;
    widths[column] = width;
    if (column < header->count()) {
        restoring = true;
        header->resizeSection(column, width);
        restoring = false;
    }
}

void Grid::Private::setVisibleAt(int column, bool visible)
{
    if (column < 0 || column >= model->columns().size())
        return;
    model->columnDef(column).visible = visible;
    if (column < header->count() && header->isSectionHidden(column) == visible) {
        restoring = true;
        header->setSectionHidden(column, !visible);
        if (visible)
            header->resizeSection(column, widths.value(column));
        restoring = false;
    }
    updateFooterVisibility();
}

int Grid::Private::visibleCount() const
{
    int shown = 0;
    for (int i = 0; i < model->columns().size(); ++i) {
        if (model->columns().at(i).visible)
            ++shown;
    }
    return shown;
}

QList<int> Grid::Private::visibleColumnsInOrder() const
{
    QList<int> columns;
    if (header->count() == model->columns().size()) {
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            if (!header->isSectionHidden(logical))
                columns.append(logical);
        }
        return columns;
    }
    for (int i = 0; i < model->columns().size(); ++i) {
        if (model->columns().at(i).visible)
            columns.append(i);
    }
    return columns;
}

int Grid::Private::firstVisibleColumn() const
{
    const QList<int> columns = visibleColumnsInOrder();
    return columns.isEmpty() ? 0 : columns.first();
}

void Grid::Private::updateFooterVisibility()
{
    bool any = false;
    for (const ColumnDef &column : model->columns()) {
        if (column.footer != Summary::None && column.visible)
            any = true;
    }
    footer->setVisible(footerWanted && any);
}

void Grid::Private::aboutToReset()
{
    anchor = Anchor();
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return;
    anchor.valid = true;
    anchor.kind = model->rowKind(current.row());
    anchor.tableRow = model->tableRow(current.row());
    anchor.group = current.data(GridModel::GroupLevelRole).toInt();
    anchor.column = current.column();
}

int Grid::Private::findAnchor() const
{
    if (!anchor.valid)
        return -1;
    if (anchor.kind == GridModel::RowKind::Data)
        return model->rowOfTableRow(anchor.tableRow);
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->rowKind(row) == anchor.kind &&
            model->index(row, 0).data(GridModel::GroupLevelRole).toInt() == anchor.group)
            return row;
    }
    return -1;
}

void Grid::Private::afterReset()
{
    if (sectionsLost)
        applySections();
    delegate->clearImageCache();
    const bool first = focusFirstRow;
    focusFirstRow = false;
    if (model->rowCount() == 0) {
        noteFocus(-1);
        return;
    }
    int row = first ? -1 : findAnchor();
    if (row < 0)
        row = 0;
    int column = anchor.valid ? anchor.column : firstVisibleColumn();
    if (column < 0 || column >= model->columnCount() || header->isSectionHidden(column))
        column = firstVisibleColumn();
    const QModelIndex index = model->index(row, column);
    view->selectionModel()->setCurrentIndex(index,
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

void Grid::Private::currentRowChanged(const QModelIndex &current)
{
    indicator->viewport()->update();
    if (!current.isValid()) {
        noteFocus(-1);
        return;
    }
    // Group rows belong to no table row; screens keep showing the last one.
    if (model->rowKind(current.row()) != GridModel::RowKind::Data)
        return;
    noteFocus(model->tableRow(current.row()));
}

void Grid::Private::noteFocus(qsizetype tableRow)
{
    if (tableRow == lastFocused)
        return;
    lastFocused = tableRow;
    Q_EMIT q->focusedRowChanged(tableRow);
}

void Grid::Private::headerClicked(int column)
{
    if (!sortingAllowed || column < 0 || column >= model->columns().size())
        return;
    const Qt::SortOrder order = model->sortColumn() == column && model->sortOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    model->sortBy(column, order);
    header->viewport()->update();
}

void Grid::Private::toggleGroupAt(int row)
{
    const int group = model->index(row, 0).data(GridModel::GroupLevelRole).toInt();
    const QModelIndex current = view->currentIndex();
    // Focus the group row first, so the reset finds it again afterwards.
    view->setCurrentIndex(model->index(row, current.isValid() ? current.column() : firstVisibleColumn()));
    model->setGroupExpanded(group, !model->isGroupExpanded(group));
}

bool Grid::Private::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view->viewport()) {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPoint pos = mouse->position().toPoint();
        const QModelIndex index = view->indexAt(pos);
        if (!index.isValid() || model->rowKind(index.row()) == GridModel::RowKind::Data)
            return false;
        if (!isGroupHeader(index.row())) {
            // A group footer belongs to no table row: no double-click for it.
            return event->type() == QEvent::MouseButtonDblClick;
        }
        const bool onArrow =
            GridDelegate::groupArrowRect(delegate->rowRect(view->visualRect(index))).contains(pos);
        if (event->type() == QEvent::MouseButtonPress) {
            if (!onArrow)
                return false;
            view->setFocus(Qt::MouseFocusReason);
            toggleGroupAt(index.row());
            return true;
        }
        // A double-click on the caption opens or closes the group; on the
        // arrow the two presses already did.
        if (!onArrow)
            toggleGroupAt(index.row());
        return true;
    }
    if (watched == view && event->type() == QEvent::KeyPress) {
        const QModelIndex current = view->currentIndex();
        if (!current.isValid() || !isGroupHeader(current.row()))
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const int group = current.data(GridModel::GroupLevelRole).toInt();
        const bool expanded = model->isGroupExpanded(group);
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Minus:
            if (expanded)
                toggleGroupAt(current.row());
            return true;
        case Qt::Key_Right:
        case Qt::Key_Plus:
            if (!expanded)
                toggleGroupAt(current.row());
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            toggleGroupAt(current.row());
            return true;
        default:
            return false;
        }
    }
    if (watched == header) {
        // Screens without a header (announcements) hide it.
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            fitScrollCap();
        return false;
    }
    if (event->type() == QEvent::Paint && qobject_cast<QAbstractButton *>(watched)) {
        // The corner above the row indicator, in the header's colour rather
        // than the style's button.
        auto *corner = static_cast<QWidget *>(watched);
        QPainter painter(corner);
        painter.fillRect(corner->rect(), look::header);
        painter.setPen(QColor(42, 45, 52));
        painter.drawLine(corner->rect().bottomLeft(), corner->rect().bottomRight());
        return true;
    }
    return false;
}

// --- Grid ---

Grid::Grid(QWidget *parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    d->build();
    d->updateFooterVisibility();
}

Grid::~Grid() = default;

void Grid::setColumns(const QList<ColumnDef> &columns)
{
    d->restoring = true;
    d->model->setColumns(columns);
    d->widths.clear();
    d->order.clear();
    for (int i = 0; i < columns.size(); ++i) {
        d->widths.append(d->defaultWidth(columns.at(i)));
        d->order.append(i);
    }
    d->restoring = false;
    d->applySections();
    d->updateFooterVisibility();
}

const QList<ColumnDef> &Grid::columns() const
{
    return d->model->columns();
}

int Grid::columnOf(const QString &field) const
{
    return d->model->columnOf(field);
}

void Grid::setColumnVisible(const QString &field, bool visible)
{
    d->setVisibleAt(columnOf(field), visible);
}

bool Grid::isColumnVisible(const QString &field) const
{
    const int column = columnOf(field);
    return column >= 0 && d->model->columns().at(column).visible;
}

void Grid::setColumnCustomizable(const QString &field, bool customizable)
{
    const int column = columnOf(field);
    if (column >= 0)
        d->model->columnDef(column).customizable = customizable;
}

void Grid::setColumnWidth(const QString &field, int width)
{
    d->setSectionWidth(columnOf(field), qMax(0, width));
}

int Grid::columnWidth(const QString &field) const
{
    const int column = columnOf(field);
    return column >= 0 ? d->widths.value(column) : 0;
}

void Grid::setTable(Table *table)
{
    // New content: the focus starts at the first row and screens hear about
    // it even when it is the same row number as before.
    d->focusFirstRow = true;
    d->lastFocused = -2;
    d->model->setTable(table);
    d->focusFirstRow = false;
}

Table *Grid::table() const
{
    return d->model->table();
}

void Grid::beginUpdate()
{
    if (d->updateDepth++ == 0)
        setUpdatesEnabled(false);
}

void Grid::endUpdate()
{
    if (d->updateDepth == 0)
        return;
    if (--d->updateDepth == 0) {
        setUpdatesEnabled(true);
        d->view->viewport()->update();
        d->header->viewport()->update();
        d->footer->update();
    }
}

void Grid::setImages(const QList<QPixmap> &images)
{
    d->delegate->setImages(images);
    d->view->viewport()->update();
}

void Grid::setRowHeight(int pixels)
{
    pixels = qMax(1, pixels);
    d->indicator->setMinimumSectionSize(qMin(pixels, 8));
    d->indicator->setDefaultSectionSize(pixels);
}

int Grid::rowHeight() const
{
    return d->indicator->defaultSectionSize();
}

void Grid::setHeaderHeight(int pixels)
{
    d->header->setHeaderHeight(pixels);
}

void Grid::setSortingAllowed(bool allowed)
{
    d->sortingAllowed = allowed;
}

void Grid::setFilterButtonsVisible(bool visible)
{
    d->header->setFilterButtonsVisible(visible);
}

void Grid::setFooterVisible(bool visible)
{
    d->footerWanted = visible;
    d->updateFooterVisibility();
}

void Grid::setIndicatorVisible(bool visible)
{
    d->indicator->setVisible(visible);
}

void Grid::setSelectedRowStyle(const QColor &background, const QColor &text)
{
    d->delegate->setSelectedRowStyle(background, text);
    d->view->viewport()->update();
}

void Grid::clearFilter()
{
    d->model->clearFilter();
}

GridModel *Grid::model() const
{
    return d->model;
}

void Grid::setGroupColumn(const QString &field)
{
    d->model->setGroupColumn(field.isEmpty() ? -1 : columnOf(field));
}

void Grid::expandAll()
{
    d->model->expandAll();
}

void Grid::collapseAll()
{
    d->model->collapseAll();
}

void Grid::applyWeightedWidths()
{
    const QList<ColumnDef> &columns = d->model->columns();
    QList<int> weights;
    QList<bool> visible;
    bool anyWeight = false;
    for (const ColumnDef &column : columns) {
        weights.append(column.weight);
        visible.append(column.visible);
        if (column.visible && column.weight > 0)
            anyWeight = true;
    }
    if (!anyWeight)
        return;
    // The rule speaks of the grid's own width, frame and indicator included.
    const QList<int> widths = weightedWidths(width(), weights, visible);
    beginUpdate();
    for (int i = 0; i < columns.size(); ++i) {
        if (visible.at(i))
            d->setSectionWidth(i, widths.at(i));
    }
    endUpdate();
}

void Grid::bestFit()
{
    const int rows = d->model->rowCount();
    int first = rows > 0 ? d->view->rowAt(0) : -1;
    int last = -1;
    if (first >= 0) {
        last = d->view->rowAt(d->view->viewport()->height() - 1);
        if (last < 0)
            last = rows - 1;
    }
    const QFontMetrics footerMetrics(d->footer->font());
    beginUpdate();
    for (const int column : d->visibleColumnsInOrder()) {
        int width = d->headerWidth(column);
        bool keepWidth = false;
        for (int row = first; row >= 0 && row <= last; ++row) {
            const int preferred = d->delegate->preferredWidth(d->model->index(row, column));
            if (preferred < 0 && d->model->rowKind(row) == GridModel::RowKind::Data)
                keepWidth = true;
            width = qMax(width, preferred);
        }
        if (d->footer->isVisible()) {
            const QString text = d->model->footerText(column);
            if (!text.isEmpty())
                width = qMax(width, footerMetrics.horizontalAdvance(text) + 2 * look::cellPadding + 8);
        }
        // Pictures and screen-drawn cells cannot say how wide they want to be.
        if (keepWidth)
            width = qMax(width, d->widths.value(column));
        d->setSectionWidth(column, width);
    }
    endUpdate();
}

qsizetype Grid::focusedTableRow() const
{
    const QModelIndex current = d->view->currentIndex();
    if (!current.isValid())
        return -1;
    return d->model->tableRow(current.row());
}

void Grid::focusTableRow(qsizetype row)
{
    const int shown = d->model->rowOfTableRow(row);
    if (shown < 0)
        return;
    const QModelIndex current = d->view->currentIndex();
    const int column = current.isValid() ? current.column() : d->firstVisibleColumn();
    const QModelIndex index = d->model->index(shown, column);
    d->view->setCurrentIndex(index);
    d->view->scrollTo(index);
}

QTableView *Grid::view() const
{
    return d->view;
}

bool Grid::exportToExcel()
{
    const QString fileName = Seams::current().saveFileName(this, QStringLiteral("Excel Kaydet"), QString(),
                                                           QStringLiteral("Excel|*.xls*"));
    if (fileName.isEmpty())
        return false;
    QString error;
    if (!writeExcel(*d->model, d->visibleColumnsInOrder(), fileName, &error)) {
        qCWarning(lcGrid) << "Excel export to" << fileName << "failed:" << error;
        return false;
    }
    return true;
}

} // namespace zelvora::grid
