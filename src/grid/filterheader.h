#pragma once

#include "grid/gridfilter.h"

#include <QHeaderView>
#include <QPointer>
#include <QStringList>

#include <vector>

class QMenu;

namespace zelvora::grid {

class GridModel;

// What the filter popup of one column offers and what it makes of the ticks,
// apart from any widget: "(Tümü)" stands for all values at once, and ticking
// every value means no filter on the column at all.
class FilterChoice final
{
public:
    FilterChoice(const GridFilter &filter, int column, const QStringList &texts);

    int column() const { return m_column; }
    qsizetype count() const { return m_texts.size(); }
    const QString &text(qsizetype i) const { return m_texts.at(i); }
    // What the popup shows for a value: the blank value as "(Boş)".
    static QString label(const QString &text);
    static QString allLabel();

    bool isChecked(qsizetype i) const { return m_checked[size_t(i)] != 0; }
    void setChecked(qsizetype i, bool checked);
    bool setChecked(const QString &text, bool checked); // false when the value is not offered
    void setAllChecked(bool checked);
    Qt::CheckState allState() const;
    qsizetype checkedCount() const { return m_checkedCount; }

    // The filter with this column's part replaced by the ticks. Values the
    // popup did not offer (other columns' filters hide their rows) keep
    // whether they were allowed; ticking every offered value removes the
    // column's filter.
    GridFilter appliedTo(const GridFilter &filter) const;
    // The filter without this column's part ("Temizle").
    GridFilter clearedFrom(const GridFilter &filter) const;

private:
    int m_column;
    QStringList m_texts;
    std::vector<char> m_checked;
    qsizetype m_checkedCount = 0;
    QSet<QString> m_unoffered; // allowed before, but not among the offered values
};

// The grid's column header: the program's header style, a sort indicator, a
// filter button at the right of each section whose popup edits the model's
// GridFilter, and the quick column customisation as its context menu.
class FilterHeader final : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilterHeader)

public:
    explicit FilterHeader(QWidget *parent = nullptr);

    void setFilterButtonsVisible(bool visible);
    bool filterButtonsVisible() const { return m_buttonsVisible; }
    void setHeaderHeight(int pixels);
    int headerHeight() const { return m_height; }

    // Viewport coordinates; empty when the section is hidden or too narrow.
    QRect filterButtonRect(int logical) const;
    void showFilterPopup(int logical);
    QWidget *filterPopup() const { return m_popup; }

    // Fills menu with one checkable action per customizable column, in the
    // order on screen. Locked columns are never offered; the only visible
    // column is offered checked and disabled. Toggling an action asks for the
    // column through columnVisibilityRequested.
    void fillColumnMenu(QMenu *menu);

    QSize sizeHint() const override;

Q_SIGNALS:
    void columnVisibilityRequested(int column, bool visible);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    GridModel *gridModel() const;
    int buttonAt(const QPoint &pos) const;
    void setHover(int section, int button);

    bool m_buttonsVisible = true;
    int m_height = 30;
    int m_hoverSection = -1;
    int m_hoverButton = -1;
    bool m_swallowRelease = false;
    QPointer<QWidget> m_popup;
    int m_popupSection = -1;
};

} // namespace zelvora::grid
