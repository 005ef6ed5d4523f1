#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace zelvora::grid {

// The header filters of one grid: per column, the display texts that may
// pass. A column without an entry passes everything. Plain data, so tests and
// screens can drive it without widgets.
class GridFilter
{
public:
    void setAllowed(int column, const QSet<QString> &texts) { m_allowed.insert(column, texts); }
    void clearColumn(int column) { m_allowed.remove(column); }
    void clear() { m_allowed.clear(); }
    bool isEmpty() const { return m_allowed.isEmpty(); }
    bool isFiltered(int column) const { return m_allowed.contains(column); }
    const QSet<QString> *allowed(int column) const
    {
        auto it = m_allowed.constFind(column);
        return it == m_allowed.constEnd() ? nullptr : &*it;
    }
    const QHash<int, QSet<QString>> &columns() const { return m_allowed; }

private:
    QHash<int, QSet<QString>> m_allowed;
};

} // namespace zelvora::grid
