#include "grid/filterheader.h"

#include "grid/griddelegate.h"
#include "grid/gridmodel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace zelvora::grid {

namespace {

const QColor headerHover{74, 80, 92};
const QColor headerSeparator{88, 94, 106};
const QColor headerBottom{42, 45, 52};
const QColor funnelIdle{146, 153, 166};
const QColor funnelHover{235, 238, 243};
const QColor funnelActive{255, 193, 7};
const QColor buttonHover{92, 99, 113};
constexpr int buttonWidth = 16;
constexpr int buttonMargin = 4;
constexpr int sortArrowWidth = 9;

Qt::Alignment captionAlignment(const GridModel *model, int logical)
{
    Qt::Alignment h = Qt::AlignLeft;
    if (model && logical >= 0 && logical < model->columns().size()) {
        h = model->columns().at(logical).alignment & Qt::AlignHorizontal_Mask;
        if (!h)
            h = Qt::AlignLeft;
    }
    return h | Qt::AlignVCenter;
}

// Whether the caption shows whole in rect: on one line, or wrapped at blanks
// when the header is tall enough.
bool captionFits(const QFontMetrics &metrics, const QString &caption, const QRect &rect)
{
    if (rect.width() <= 0)
        return caption.isEmpty();
    if (metrics.horizontalAdvance(caption) <= rect.width())
        return true;
    if (rect.height() < 2 * metrics.lineSpacing())
        return false;
    for (const QStringView word : QStringView(caption).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word.toString()) > rect.width())
            return false;
    }
    return metrics.boundingRect(QRect(0, 0, rect.width(), 100000), Qt::TextWordWrap, caption).height() <=
           rect.height();
}

void drawFunnel(QPainter *painter, const QRectF &box, const QColor &colour, bool filled)
{
    const QPointF c = box.center();
    QPolygonF funnel;
    funnel << QPointF(c.x() - 5, c.y() - 4.5) << QPointF(c.x() + 5, c.y() - 4.5)
           << QPointF(c.x() + 1.2, c.y()) << QPointF(c.x() + 1.2, c.y() + 4.5)
           << QPointF(c.x() - 1.2, c.y() + 3.2) << QPointF(c.x() - 1.2, c.y());
    painter->setRenderHint(QPainter::Antialiasing);
    if (filled) {
        painter->setPen(QPen(colour.darker(130), 1));
        painter->setBrush(colour);
    } else {
        painter->setPen(QPen(colour, 1.2));
        painter->setBrush(Qt::NoBrush);
    }
    painter->drawPolygon(funnel);
}

// The popup's rows: the grid's own check box and a hover band, so the popup
// looks like part of the grid rather than a style's list.
class FilterItemDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->save();
        if (option.state & QStyle::State_MouseOver)
            painter->fillRect(option.rect, QColor(228, 243, 250));
        const QRectF box(option.rect.left() + 9.5, option.rect.center().y() - 6.5, 14, 14);
        look::drawCheckBox(painter, box, Qt::CheckState(index.data(Qt::CheckStateRole).toInt()));
        QFont font = option.font;
        if (index.row() == 0)
            font.setBold(true);
        font.setItalic(index.data(Qt::UserRole).toBool());
        painter->setFont(font);
        painter->setPen(look::text);
        const QRect text = option.rect.adjusted(32, 0, -6, 0);
        painter->drawText(
            text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, text.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QFont font = option.font;
        font.setBold(true);
        return QSize(QFontMetrics(font).horizontalAdvance(index.data().toString()) + 40,
                     qMax(24, QFontMetrics(font).height() + 8));
    }
};

// The header's filter popup: "(Tümü)" and the column's values as check boxes
// over a FilterChoice, "Temizle" and "Tamam" underneath.
class FilterPopup final : public QFrame
{
    Q_DISABLE_COPY_MOVE(FilterPopup)

public:
    FilterPopup(QWidget *parent, GridModel *model, int column)
        : QFrame(parent, Qt::Popup), m_model(model),
          m_choice(model->filter(), column, model->distinctTexts(column))
    {
        setAttribute(Qt::WA_DeleteOnClose);
        // A click outside only closes the popup; replaying it onto the filter
        // button would open the popup again at once.
        setAttribute(Qt::WA_NoMouseReplay);
        setFrameShape(QFrame::Box);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, QColor(150, 156, 166));
        setPalette(pal);

        m_list = new QListWidget(this);
        m_list->setFrameShape(QFrame::NoFrame);
        m_list->setUniformItemSizes(true);
        m_list->setSelectionMode(QAbstractItemView::NoSelection);
        m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_list->setMouseTracking(true);
        m_list->setItemDelegate(new FilterItemDelegate(m_list));
        m_list->viewport()->setAttribute(Qt::WA_Hover);
        QPalette listPalette = m_list->palette();
        listPalette.setColor(QPalette::Base, Qt::white);
        m_list->setPalette(listPalette);
        auto *all = new QListWidgetItem(FilterChoice::allLabel(), m_list);
        all->setFlags(Qt::ItemIsEnabled);
        for (qsizetype i = 0; i < m_choice.count(); ++i) {
            auto *item = new QListWidgetItem(FilterChoice::label(m_choice.text(i)), m_list);
            item->setFlags(Qt::ItemIsEnabled);
            // "(Boş)" stands for no value; set apart from a value of that text.
            item->setData(Qt::UserRole, m_choice.text(i).isEmpty());
        }
        refreshAll();
        m_list->setCurrentRow(0);
        m_list->installEventFilter(this);
        connect(m_list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem *item) { toggle(m_list->row(item)); });

        auto *clear = new QPushButton(QStringLiteral("Temizle"), this);
        m_ok = new QPushButton(QStringLiteral("Tamam"), this);
        m_ok->setDefault(true);
        clear->setAutoDefault(false);
        clear->setEnabled(model->filter().isFiltered(column));
        connect(clear, &QPushButton::clicked, this, [this] {
            m_model->setFilter(m_choice.clearedFrom(m_model->filter()));
            close();
        });
        connect(m_ok, &QPushButton::clicked, this, [this] {
            m_model->setFilter(m_choice.appliedTo(m_model->filter()));
            close();
        });

        auto *line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        auto *buttons = new QHBoxLayout;
        buttons->setContentsMargins(8, 6, 8, 8);
        buttons->addWidget(clear);
        buttons->addStretch();
        buttons->addWidget(m_ok);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->setSpacing(0);
        layout->addWidget(m_list, 1);
        layout->addWidget(line);
        layout->addLayout(buttons);
        updateOk();
    }

    // The height that shows every value up to about fifteen of them.
    int preferredListHeight()
    {
        const int rowHeight = qMax(m_list->sizeHintForRow(0), 18);
        return rowHeight * int(qMin<qsizetype>(m_list->count(), 15)) + 2 * m_list->frameWidth() + 4;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_list && event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Space) {
                toggle(m_list->currentRow());
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_ok->isEnabled()) {
                m_ok->click();
                return true;
            }
        }
        return QFrame::eventFilter(watched, event);
    }

private:
    void toggle(int row)
    {
        if (row < 0)
            return;
        if (row == 0) {
            m_choice.setAllChecked(m_choice.allState() != Qt::Checked);
            refreshAll();
        } else {
            m_choice.setChecked(row - 1, !m_choice.isChecked(row - 1));
            m_list->item(row)->setCheckState(m_choice.isChecked(row - 1) ? Qt::Checked : Qt::Unchecked);
            m_list->item(0)->setCheckState(m_choice.allState());
        }
        updateOk();
    }

    void refreshAll()
    {
        m_list->item(0)->setCheckState(m_choice.allState());
        for (qsizetype i = 0; i < m_choice.count(); ++i)
            m_list->item(int(i) + 1)->setCheckState(m_choice.isChecked(i) ? Qt::Checked : Qt::Unchecked);
    }

    // Nothing ticked would hide every row; the user clears the filter instead.
    void updateOk()
    {
        if (m_ok)
            m_ok->setEnabled(m_choice.checkedCount() > 0);
    }

    GridModel *m_model;
    FilterChoice m_choice;
    QListWidget *m_list = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace

// --- FilterChoice ---

FilterChoice::FilterChoice(const GridFilter &filter, int column, const QStringList &texts)
    : m_column(column), m_texts(texts), m_checked(size_t(texts.size()), 1), m_checkedCount(texts.size())
{
    if (const QSet<QString> *allowed = filter.allowed(column)) {
        for (qsizetype i = 0; i < m_texts.size(); ++i)
            setChecked(i, allowed->contains(m_texts.at(i)));
        m_unoffered = *allowed;
        for (const QString &text : m_texts)
            m_unoffered.remove(text);
    }
}

QString FilterChoice::label(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(Boş)") : text;
}

QString FilterChoice::allLabel()
{
    return QStringLiteral("(Tümü)");
}

void FilterChoice::setChecked(qsizetype i, bool checked)
{
    char &flag = m_checked[size_t(i)];
    if ((flag != 0) == checked)
        return;
    flag = checked ? 1 : 0;
    m_checkedCount += checked ? 1 : -1;
}

bool FilterChoice::setChecked(const QString &text, bool checked)
{
    const qsizetype i = m_texts.indexOf(text);
    if (i < 0)
        return false;
    setChecked(i, checked);
    return true;
}

void FilterChoice::setAllChecked(bool checked)
{
    std::fill(m_checked.begin(), m_checked.end(), checked ? 1 : 0);
    m_checkedCount = checked ? m_texts.size() : 0;
}

Qt::CheckState FilterChoice::allState() const
{
    if (m_checkedCount == 0)
        return Qt::Unchecked;
    return m_checkedCount == m_texts.size() ? Qt::Checked : Qt::PartiallyChecked;
}

GridFilter FilterChoice::appliedTo(const GridFilter &filter) const
{
    GridFilter result = filter;
    if (m_checkedCount == m_texts.size()) {
        result.clearColumn(m_column);
        return result;
    }
    QSet<QString> allowed = m_unoffered;
    allowed.reserve(m_checkedCount + m_unoffered.size());
    for (qsizetype i = 0; i < m_texts.size(); ++i) {
        if (isChecked(i))
            allowed.insert(m_texts.at(i));
    }
    result.setAllowed(m_column, allowed);
    return result;
}

GridFilter FilterChoice::clearedFrom(const GridFilter &filter) const
{
    GridFilter result = filter;
    result.clearColumn(m_column);
    return result;
}

// --- FilterHeader ---

FilterHeader::FilterHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::header);
    pal.setColor(QPalette::Base, look::header);
    pal.setColor(QPalette::Button, look::header);
    pal.setColor(QPalette::ButtonText, Qt::white);
    setPalette(pal);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Window);
}

GridModel *FilterHeader::gridModel() const
{
    return qobject_cast<GridModel *>(model());
}

void FilterHeader::setFilterButtonsVisible(bool visible)
{
    if (m_buttonsVisible == visible)
        return;
    m_buttonsVisible = visible;
    viewport()->update();
}

void FilterHeader::setHeaderHeight(int pixels)
{
    m_height = qMax(8, pixels);
    updateGeometry();
    // The table view places its viewport below us when our geometry changes.
    Q_EMIT geometriesChanged();
    viewport()->update();
}

QSize FilterHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(m_height);
    return size;
}

QSize FilterHeader::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.rwidth() += buttonWidth + buttonMargin + sortArrowWidth + 4;
    size.setHeight(m_height);
    return size;
}

QRect FilterHeader::filterButtonRect(int logical) const
{
    if (!m_buttonsVisible || logical < 0 || logical >= count() || isSectionHidden(logical))
        return QRect();
    const int size = sectionSize(logical);
    if (size < buttonWidth + buttonMargin + 20)
        return QRect();
    const int right = sectionViewportPosition(logical) + size - buttonMargin;
    return QRect(right - buttonWidth, (height() - 20) / 2, buttonWidth, 20);
}

int FilterHeader::buttonAt(const QPoint &pos) const
{
    const int logical = logicalIndexAt(pos);
    if (logical < 0)
        return -1;
    const QRect button = filterButtonRect(logical);
    // The whole height of the header counts, so a hasty click still hits.
    if (button.isNull() || pos.x() < button.left() || pos.x() > button.right())
        return -1;
    return logical;
}

void FilterHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    const GridModel *model = gridModel();
    const bool hovered = logicalIndex == m_hoverSection;
    painter->save();
    painter->fillRect(rect, hovered ? headerHover : look::header);
    painter->setPen(headerSeparator);
    painter->drawLine(rect.topRight() + QPoint(0, 5), rect.bottomRight() - QPoint(0, 5));
    painter->setPen(headerBottom);
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setClipRect(rect);

    QString caption;
    if (model && logicalIndex < model->columns().size())
        caption = model->columns().at(logicalIndex).shownCaption();
    else if (QAbstractItemModel *m = this->model())
        caption = m->headerData(logicalIndex, Qt::Horizontal).toString();
    painter->setFont(font());
    const QFontMetrics metrics = painter->fontMetrics();
    const bool sorted = model && model->sortColumn() == logicalIndex;
    const int sortRoom = sorted ? sortArrowWidth + 4 : 0;

    // The caption comes first: a section too narrow for both shows its filter
    // button only under the mouse (or while it filters), like the caption
    // would be cut otherwise.
    QRect textRect = rect.adjusted(look::cellPadding + 1, 1, -look::cellPadding, -1);
    const QRect button = filterButtonRect(logicalIndex);
    const bool filtered = model && model->filter().isFiltered(logicalIndex);
    bool showButton = !button.isNull();
    if (showButton && !filtered && !hovered && !(m_popup && m_popupSection == logicalIndex)) {
        QRect room = textRect;
        room.setRight(button.left() - 3 - sortRoom);
        showButton = captionFits(metrics, caption, room);
    }
    if (showButton)
        textRect.setRight(button.left() - 3);

    if (sorted && textRect.width() > sortArrowWidth + 8) {
        const QRectF arrowBox(textRect.right() - sortArrowWidth + 1, rect.center().y() - 3, sortArrowWidth,
                              6);
        textRect.setRight(int(arrowBox.left()) - 4);
        QPolygonF arrow;
        if (model->sortOrder() == Qt::AscendingOrder)
            arrow << arrowBox.bottomLeft() << arrowBox.bottomRight()
                  << QPointF(arrowBox.center().x(), arrowBox.top());
        else
            arrow << arrowBox.topLeft() << arrowBox.topRight()
                  << QPointF(arrowBox.center().x(), arrowBox.bottom());
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(214, 219, 227));
        painter->drawPolygon(arrow);
    }

    painter->setPen(Qt::white);
    const Qt::Alignment alignment = captionAlignment(model, logicalIndex);
    // Tall headers wrap long captions rather than cut them, as long as no
    // single word is wider than the section.
    if (metrics.horizontalAdvance(caption) > textRect.width() && captionFits(metrics, caption, textRect)) {
        painter->drawText(textRect, int(alignment) | Qt::TextWordWrap, caption);
    } else {
        painter->drawText(textRect, int(alignment) | Qt::TextSingleLine,
                          metrics.elidedText(caption, Qt::ElideRight, textRect.width()));
    }

    if (showButton) {
        const bool overButton = logicalIndex == m_hoverButton;
        if (overButton) {
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(buttonHover);
            painter->drawRoundedRect(QRectF(button).adjusted(-1, 0, 1, 0), 3, 3);
        }
        const QColor colour = filtered ? funnelActive : overButton || hovered ? funnelHover : funnelIdle;
        drawFunnel(painter, QRectF(button), colour, filtered);
    }
    painter->restore();
}

void FilterHeader::setHover(int section, int button)
{
    if (section == m_hoverSection && button == m_hoverButton)
        return;
    m_hoverSection = section;
    m_hoverButton = button;
    viewport()->update();
}

void FilterHeader::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int section = buttonAt(event->position().toPoint());
        if (section >= 0) {
            m_swallowRelease = true;
            showFilterPopup(section);
            event->accept();
            return;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void FilterHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_swallowRelease) {
        m_swallowRelease = false;
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

void FilterHeader::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->buttons() == Qt::NoButton)
        setHover(logicalIndexAt(pos), buttonAt(pos));
    QHeaderView::mouseMoveEvent(event);
}

bool FilterHeader::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        setHover(-1, -1);
    return QHeaderView::viewportEvent(event);
}

void FilterHeader::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    fillColumnMenu(&menu);
    if (!menu.isEmpty())
        menu.exec(event->globalPos());
    event->accept();
}

void FilterHeader::fillColumnMenu(QMenu *menu)
{
    const GridModel *model = gridModel();
    if (!model)
        return;
    int shown = 0;
    for (int logical = 0; logical < count(); ++logical) {
        if (!isSectionHidden(logical))
            ++shown;
    }
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (logical < 0 || logical >= model->columns().size())
            continue;
        const ColumnDef &column = model->columns().at(logical);
        if (!column.customizable)
            continue;
        QAction *action = menu->addAction(column.shownCaption());
        action->setCheckable(true);
        action->setData(logical);
        const bool visible = !isSectionHidden(logical);
        action->setChecked(visible);
        if (visible && shown <= 1)
            action->setEnabled(false);
        connect(action, &QAction::toggled, this,
                [this, logical](bool on) { Q_EMIT columnVisibilityRequested(logical, on); });
    }
}

void FilterHeader::showFilterPopup(int logical)
{
    GridModel *model = gridModel();
    if (!model || logical < 0 || logical >= model->columns().size())
        return;
    if (m_popup)
        m_popup->close();
    auto *popup = new FilterPopup(this, model, logical);
    m_popup = popup;
    m_popupSection = logical;
    // The section keeps its button shown while its popup is open.
    connect(popup, &QObject::destroyed, viewport(), qOverload<>(&QWidget::update));

    const QRect button = filterButtonRect(logical);
    const int sectionLeft = sectionViewportPosition(logical);
    const int anchorRight =
        button.isNull() ? sectionLeft + sectionSize(logical) : button.right() + buttonMargin;
    const int width = qBound(210, sectionSize(logical), 380);
    const int height = popup->preferredListHeight() + popup->layout()->sizeHint().height() -
                       popup->layout()->itemAt(0)->sizeHint().height();
    QPoint topLeft = viewport()->mapToGlobal(QPoint(anchorRight - width, this->height()));
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(qBound(area.left(), topLeft.x(), qMax(area.left(), area.right() - width)));
        if (topLeft.y() + height > area.bottom())
            topLeft.setY(qMax(area.top(), viewport()->mapToGlobal(QPoint(0, 0)).y() - height));
    }
    popup->setGeometry(QRect(topLeft, QSize(width, qMax(height, 120))));
    popup->show();
}

} // namespace zelvora::grid
