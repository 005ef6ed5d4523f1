#include "grid/incrementalsearch.h"

#include "grid/gridmodel.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace zelvora::grid {

namespace {

bool isDataRow(const QAbstractItemModel *model, int row)
{
    const QVariant kind = model->index(row, 0).data(GridModel::RowKindRole);
    return !kind.isValid() || kind.toInt() == int(GridModel::RowKind::Data);
}

} // namespace

IncrementalSearch::IncrementalSearch(QAbstractItemView *view) : QObject(view), m_view(view)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(1000);
    connect(&m_idle, &QTimer::timeout, this, &IncrementalSearch::reset);
    m_view->installEventFilter(this);
}

void IncrementalSearch::reset()
{
    m_idle.stop();
    m_prefix.clear();
}

QString IncrementalSearch::fold(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'i':
        case u'I':
        case u'\u0130': // İ
        case u'\u0131': // ı
            folded.append(QLatin1Char('I'));
            break;
        default:
            folded.append(c.toUpper());
        }
    }
    return folded;
}

int IncrementalSearch::findRow(const QAbstractItemModel *model, int column, const QString &prefix,
                               int startRow)
{
    const int rows = model ? model->rowCount() : 0;
    if (rows == 0 || prefix.isEmpty() || column < 0 || column >= model->columnCount())
        return -1;
    const QString wanted = fold(prefix);
    const int start = qBound(0, startRow, rows - 1);
    for (int step = 0; step < rows; ++step) {
        const int row = (start + step) % rows;
        if (!isDataRow(model, row))
            continue;
        const QString text = model->index(row, column).data(Qt::DisplayRole).toString();
        if (text.size() >= prefix.size() && fold(QStringView(text).left(prefix.size())) == wanted)
            return row;
    }
    return -1;
}

int IncrementalSearch::focusedColumn() const
{
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid())
        return current.column();
    // Without a focused cell the first column on screen is the one searched.
    if (const auto *table = qobject_cast<const QTableView *>(m_view)) {
        const QHeaderView *header = table->horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            if (!header->isSectionHidden(logical))
                return logical;
        }
    }
    return 0;
}

bool IncrementalSearch::search(const QString &prefix)
{
    const QModelIndex current = m_view->currentIndex();
    const int column = focusedColumn();
    const int row = findRow(m_view->model(), column, prefix, current.isValid() ? current.row() : 0);
    if (row < 0)
        return false;
    const QModelIndex found = m_view->model()->index(row, column);
    m_view->setCurrentIndex(found);
    m_view->scrollTo(found);
    return true;
}

bool IncrementalSearch::type(const QString &text)
{
    m_idle.start();
    const QString longer = m_prefix + text;
    if (!search(longer))
        return false;
    m_prefix = longer;
    return true;
}

void IncrementalSearch::backspace()
{
    m_idle.start();
    if (m_prefix.isEmpty())
        return;
    m_prefix.chop(1);
    if (!m_prefix.isEmpty())
        search(m_prefix);
}

bool IncrementalSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        if (m_prefix.isEmpty())
            return false;
        reset();
        return true;
    case Qt::Key_Backspace:
        backspace();
        return true;
    default:
        break;
    }
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    // A leading blank is the view's own key (it selects); inside a prefix it
    // is part of a name.
    if (m_prefix.isEmpty() && text.at(0).isSpace())
        return false;
    type(text);
    return true;
}

} // namespace zelvora::grid
