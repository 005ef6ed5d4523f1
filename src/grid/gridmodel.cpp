#include "grid/gridmodel.h"

#include "table/formatfloat.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <numeric>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>

namespace zelvora::grid {

namespace {

// ------------------------------------------------------------ sort keys
//
// Texts sort through byte keys that compare with memcmp, made once per sort
// instead of asking a collator for every comparison (QCollator::compare over
// 100,000 rows costs seconds). Case is folded the Turkish way (I -> ı,
// İ -> i) and the Turkish letters take their place in the alphabet
// (c < ç < d, g < ğ < h, ı < i, o < ö < p, s < ş < t, u < ü < v). Other
// accented Latin letters sort with their base letter and after it when the
// rest is equal (kar < kâr < kara).

constexpr std::u16string_view Alphabet = u"abcçdefgğhıijklmnoöpqrsştuüvwxyz";
constexpr char SecondarySeparator = 0x01;   // below every primary weight, so "ka" < "kab"
constexpr char OtherCharacter = char(0xFF); // followed by three bytes of the lower-cased code point
constexpr quint8 FirstLetter = 0x82;        // ASCII non-letters take 0x02..0x81

struct Weight
{
    quint8 primary = 0; // 0: not a letter we place, written as OtherCharacter
    quint8 secondary = 0;
    char16_t lower = 0;
};

constexpr char32_t TableEnd = 0x250; // Latin-1, Latin Extended-A and -B

const std::array<Weight, TableEnd> &weights()
{
    static const std::array<Weight, TableEnd> table = [] {
        std::array<Weight, TableEnd> t{};
        const auto letter = [](char32_t ch) {
            const size_t i = ch < 0x10000 ? Alphabet.find(char16_t(ch)) : std::u16string_view::npos;
            return i == std::u16string_view::npos ? -1 : int(i);
        };
        for (char32_t cp = 0; cp < TableEnd; ++cp) {
            const char32_t lower = cp == U'I' ? U'\u0131' : cp == U'\u0130' ? U'i' : QChar::toLower(cp);
            Weight &w = t[cp];
            w.lower = char16_t(lower);
            if (const int i = letter(lower); i >= 0) {
                w.primary = quint8(FirstLetter + i);
            } else if (cp < 0x80) {
                w.primary = quint8(cp + 2);
            } else if (QChar::decompositionTag(lower) == QChar::Canonical) {
                const QString d = QChar::decomposition(lower);
                const int base = d.size() >= 2 ? letter(d.at(0).unicode()) : -1;
                if (base >= 0) {
                    w.primary = quint8(FirstLetter + base);
                    w.secondary = quint8(std::clamp(int(d.at(1).unicode()) - 0x2FF, 1, 255));
                }
            }
        }
        return t;
    }();
    return table;
}

void appendSortKey(std::string &out, std::string_view utf8, std::string &secondary)
{
    const auto &table = weights();
    // Four key bytes at most per input byte (a stray byte becomes U+FFFD),
    // plus one secondary byte per character and the separator.
    const size_t start = out.size();
    out.resize(start + 5 * utf8.size() + 1);
    secondary.resize(utf8.size());
    char *key = out.data() + start;
    char *sec = secondary.data();
    bool accented = false;
    const auto *s = reinterpret_cast<const unsigned char *>(utf8.data());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        char32_t cp;
        if (b < 0x80) {
            cp = b;
            i += 1;
        } else if ((b >> 5) == 0x6 && i + 1 < n) {
            cp = (char32_t(b & 0x1F) << 6) | (s[i + 1] & 0x3F);
            i += 2;
        } else if ((b >> 4) == 0xE && i + 2 < n) {
            cp = (char32_t(b & 0x0F) << 12) | (char32_t(s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            i += 3;
        } else if ((b >> 3) == 0x1E && i + 3 < n) {
            cp = (char32_t(b & 0x07) << 18) | (char32_t(s[i + 1] & 0x3F) << 12) |
                 (char32_t(s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F);
            i += 4;
        } else {
            cp = 0xFFFD;
            i += 1;
        }
        if (cp < TableEnd && table[cp].primary) {
            *key++ = char(table[cp].primary);
            *sec = char(table[cp].secondary);
            accented = accented || *sec != 0;
        } else {
            const char32_t lower = cp < TableEnd ? table[cp].lower : QChar::toLower(cp);
            *key++ = OtherCharacter;
            *key++ = char((lower >> 16) & 0xFF);
            *key++ = char((lower >> 8) & 0xFF);
            *key++ = char(lower & 0xFF);
            *sec = 0;
        }
        ++sec;
    }
    if (accented) {
        *key++ = SecondarySeparator;
        key = std::copy(secondary.data(), sec, key);
    }
    out.resize(size_t(key - out.data()));
}

// ------------------------------------------------------------ ordering

// Sorts `rows` by the column's value, nulls first, equal values kept in the
// order they came; `same[i]` tells whether rows[i] equals rows[i - 1].
template<typename T>
void sortNumbers(const Column &c, const std::vector<T> &values, std::vector<quint32> &rows,
                 std::vector<bool> &same)
{
    struct Entry
    {
        T value;
        quint32 row;
        quint8 rank; // 0 null, 1 not a number, 2 a number
    };
    const auto &nulls = c.nulls();
    std::vector<Entry> entries;
    entries.reserve(rows.size());
    for (quint32 r : rows) {
        Entry e{T{}, r, 0};
        if (!nulls[r]) {
            const T v = values[r];
            if constexpr (std::is_floating_point_v<T>) {
                e.rank = std::isnan(v) ? 1 : 2;
                e.value = std::isnan(v) ? T{} : v;
            } else {
                e.rank = 2;
                e.value = v;
            }
        }
        entries.push_back(e);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.value != b.value)
            return a.value < b.value;
        return a.row < b.row;
    });
    same.assign(rows.size(), false);
    for (size_t i = 0; i < entries.size(); ++i) {
        rows[i] = entries[i].row;
        if (i > 0)
            same[i] = entries[i].rank == entries[i - 1].rank && entries[i].value == entries[i - 1].value;
    }
}

struct TextEntry
{
    quint64 chunk; // eight key bytes from the current depth, big-endian, zero-padded
    quint32 offset;
    quint32 length;
    quint32 row;
};

// Most-significant-digit sort with eight-byte digits: part names share long
// beginnings ("Fren Balatası ..."), so comparing whole keys would mostly
// compare the same bytes again.
void sortTextRun(TextEntry *begin, TextEntry *end, size_t depth, const std::string &keys)
{
    bool longer = false;
    for (TextEntry *e = begin; e != end; ++e) {
        quint64 chunk = 0;
        if (e->length >= depth + 8) {
            std::memcpy(&chunk, keys.data() + e->offset + depth, 8);
            chunk = qFromBigEndian(chunk);
        } else {
            for (size_t k = depth; k < depth + 8; ++k)
                chunk = (chunk << 8) | (k < e->length ? quint8(keys[e->offset + k]) : 0);
        }
        e->chunk = chunk;
        longer = longer || e->length > depth + 8;
    }
    if (!longer) {
        // Keys end within this digit: after equal digits the shorter key
        // (padded with zeros) is the smaller one.
        std::sort(begin, end, [](const TextEntry &a, const TextEntry &b) {
            if (a.chunk != b.chunk)
                return a.chunk < b.chunk;
            if (a.length != b.length)
                return a.length < b.length;
            return a.row < b.row;
        });
        return;
    }
    std::sort(begin, end, [](const TextEntry &a, const TextEntry &b) { return a.chunk < b.chunk; });
    for (TextEntry *run = begin; run != end;) {
        TextEntry *next = run + 1;
        while (next != end && next->chunk == run->chunk)
            ++next;
        if (next - run > 1)
            sortTextRun(run, next, depth + 8, keys);
        run = next;
    }
}

void sortTexts(const Column &c, bool fold, std::vector<quint32> &rows, std::vector<bool> &same)
{
    std::string keys;
    keys.reserve(c.arena().size() + rows.size());
    std::string secondary;
    std::vector<TextEntry> entries;
    entries.reserve(rows.size());
    const auto &nulls = c.nulls();
    for (quint32 r : rows) {
        const size_t offset = keys.size();
        // Null sorts with the empty text: both show as nothing.
        if (!nulls[r]) {
            if (fold)
                appendSortKey(keys, c.utf8At(r), secondary);
            else
                keys.append(c.utf8At(r));
        }
        entries.push_back({0, quint32(offset), quint32(keys.size() - offset), r});
    }
    if (entries.size() > 1)
        sortTextRun(entries.data(), entries.data() + entries.size(), 0, keys);
    const auto key = [&keys](const TextEntry &e) {
        return std::string_view(keys.data() + e.offset, e.length);
    };
    same.assign(rows.size(), false);
    for (size_t i = 0; i < entries.size(); ++i) {
        rows[i] = entries[i].row;
        if (i > 0)
            same[i] = key(entries[i]) == key(entries[i - 1]);
    }
}

void sortByValue(const Column &c, std::vector<quint32> &rows, std::vector<bool> &same)
{
    switch (c.storage()) {
    case Column::Storage::Int:
        sortNumbers(c, c.ints(), rows, same);
        break;
    case Column::Storage::Double:
        sortNumbers(c, c.doubles(), rows, same);
        break;
    case Column::Storage::Span:
        sortTexts(c, isTextual(c.kind()), rows, same);
        break;
    }
}

// Stable counting sort by a per-table-row rank: O(n) once the ranks are known.
void sortByRank(std::vector<quint32> &rows, const std::vector<quint32> &rank, bool descending)
{
    if (rows.size() < 2)
        return;
    quint32 top = 0;
    for (quint32 r : rows)
        top = std::max(top, rank[r]);
    const auto keyOf = [&](quint32 r) { return descending ? top - rank[r] : rank[r]; };
    std::vector<quint32> start(size_t(top) + 2, 0);
    for (quint32 r : rows)
        ++start[keyOf(r) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<quint32> sorted(rows.size());
    for (quint32 r : rows)
        sorted[start[keyOf(r)]++] = r;
    rows.swap(sorted);
}

// Keys for telling cells of a number column apart without making their text.
quint64 numberKey(const Column &c, qsizetype row)
{
    return c.storage() == Column::Storage::Int ? quint64(c.ints()[size_t(row)])
                                               : std::bit_cast<quint64>(c.doubles()[size_t(row)]);
}

QVariant summaryValue(Summary summary, qsizetype count, double sum, qsizetype values)
{
    switch (summary) {
    case Summary::None:
        return QVariant();
    case Summary::Count:
        return QVariant(qlonglong(count));
    case Summary::Sum:
        return sum;
    case Summary::Average:
        return values > 0 ? sum / double(values) : 0.0;
    }
    return QVariant();
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return false;
    return a == b || a.toString() == b.toString();
}

} // namespace

// ------------------------------------------------------------ GridModel

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent)
{
    connect(&m_source, &QAbstractItemModel::modelReset, this, [this] { tableChanged(); });
    connect(&m_source, &QAbstractItemModel::rowsInserted, this, [this] { tableChanged(); });
    connect(&m_source, &QAbstractItemModel::rowsRemoved, this, [this] { tableChanged(); });
    connect(&m_source, &QAbstractItemModel::dataChanged, this, &GridModel::sourceDataChanged);
}

GridModel::~GridModel() = default;

void GridModel::setColumns(const QList<ColumnDef> &columns)
{
    // Filter, sort and grouping survive when their column still shows the same field.
    const auto sameField = [&](int c) {
        return c >= 0 && c < columns.size() && c < m_columns.size() &&
               columns.at(c).field.compare(m_columns.at(c).field, Qt::CaseInsensitive) == 0;
    };
    beginResetModel();
    if (!sameField(m_sortColumn))
        m_sortColumn = -1;
    if (!sameField(m_groupColumn)) {
        m_groupColumn = -1;
        m_expandedByDefault = true;
        m_toggledGroups.clear();
    }
    GridFilter kept;
    for (auto it = m_filter.columns().cbegin(); it != m_filter.columns().cend(); ++it) {
        if (sameField(it.key()))
            kept.setAllowed(it.key(), it.value());
    }
    m_filter = kept;
    m_columns = columns;
    recompute();
    endResetModel();
    Q_EMIT summariesChanged();
}

int GridModel::columnOf(const QString &field) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_columns.at(i).field.isEmpty() &&
            m_columns.at(i).field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void GridModel::setTable(Table *table)
{
    // The source's reset arrives in tableChanged().
    m_source.setTable(table);
}

qsizetype GridModel::sourceRows() const
{
    // Not the table's record count: a row being appended is not shown until posted.
    return m_source.rowCount();
}

void GridModel::resolveFields()
{
    const Table *t = table();
    m_fieldIndex.assign(size_t(m_columns.size()), -1);
    for (int i = 0; i < m_columns.size(); ++i) {
        if (t && !m_columns.at(i).field.isEmpty())
            m_fieldIndex[size_t(i)] = t->indexOf(m_columns.at(i).field);
    }
}

void GridModel::tableChanged()
{
    m_ranks.clear();
    rebuild();
}

void GridModel::rebuild()
{
    beginResetModel();
    recompute();
    endResetModel();
    Q_EMIT summariesChanged();
}

void GridModel::recompute()
{
    resolveFields();
    m_footerSums.clear();
    m_groupSums.clear();
    m_groups.clear();
    m_order.clear();
    const qsizetype n = sourceRows();
    const int columns = int(m_columns.size());

    std::vector<quint8> fails;
    for (auto it = m_filter.columns().cbegin(); it != m_filter.columns().cend(); ++it) {
        if (it.key() < 0 || it.key() >= columns)
            continue;
        if (fails.empty())
            fails.assign(size_t(n), 0);
        markFailures(it.key(), it.value(), fails);
    }
    m_order.reserve(size_t(n));
    if (fails.empty()) {
        m_order.resize(size_t(n));
        std::iota(m_order.begin(), m_order.end(), quint32(0));
    } else {
        for (qsizetype r = 0; r < n; ++r) {
            if (!fails[size_t(r)])
                m_order.push_back(quint32(r));
        }
    }

    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (m_sortColumn >= 0 && m_sortColumn < columns && m_fieldIndex[size_t(m_sortColumn)] >= 0)
        sortByRank(m_order, ranks(m_fieldIndex[size_t(m_sortColumn)]), descending);

    if (m_groupColumn >= 0 && m_groupColumn < columns && !m_order.empty()) {
        const int field = m_fieldIndex[size_t(m_groupColumn)];
        if (field < 0) {
            m_groups.push_back({0, qsizetype(m_order.size()), true});
        } else {
            // Sorting again by the group's rank keeps the rows of each group
            // in the order just made.
            const std::vector<quint32> &rank = ranks(field);
            sortByRank(m_order, rank, descending && m_sortColumn == m_groupColumn);
            for (size_t i = 0; i < m_order.size(); ++i) {
                if (i == 0 || rank[m_order[i]] != rank[m_order[i - 1]])
                    m_groups.push_back({qsizetype(i), 0, true});
                ++m_groups.back().count;
            }
        }
        for (int g = 0; g < int(m_groups.size()); ++g)
            m_groups[size_t(g)].expanded = m_expandedByDefault != m_toggledGroups.contains(groupValueText(g));
    }
    layoutRows();
}

void GridModel::layoutRows()
{
    const qsizetype n = sourceRows();
    m_entries.clear();
    m_viewRow.assign(size_t(n), -1);
    m_rowGroup.assign(isGrouped() ? size_t(n) : 0, -1);
    if (!isGrouped()) {
        m_entries.assign(m_order.begin(), m_order.end());
    } else {
        m_entries.reserve(m_order.size() + 2 * m_groups.size());
        for (int g = 0; g < int(m_groups.size()); ++g) {
            const Group &group = m_groups[size_t(g)];
            m_entries.push_back(-(2 * g + 1));
            for (qsizetype i = group.first; i < group.first + group.count; ++i) {
                const quint32 r = m_order[size_t(i)];
                m_rowGroup[r] = g;
                if (group.expanded)
                    m_entries.push_back(int(r));
            }
            m_entries.push_back(-(2 * g + 2));
        }
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i] >= 0)
            m_viewRow[size_t(m_entries[i])] = int(i);
    }
}

void GridModel::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    m_ranks.clear();
    if (!m_filter.isEmpty() || m_sortColumn >= 0 || isGrouped()) {
        // The row may have to move, leave or join another group.
        rebuild();
        return;
    }
    m_footerSums.clear();
    m_groupSums.clear();
    if (!m_columns.isEmpty()) {
        for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
            if (r < 0 || size_t(r) >= m_viewRow.size() || m_viewRow[size_t(r)] < 0)
                continue;
            const int row = m_viewRow[size_t(r)];
            Q_EMIT dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
        }
    }
    Q_EMIT summariesChanged();
}

// ------------------------------------------------------------ filtering

void GridModel::markFailures(int column, const QSet<QString> &allowed, std::vector<quint8> &fails) const
{
    const qsizetype n = qsizetype(fails.size());
    const int field = m_fieldIndex[size_t(column)];
    const bool emptyAllowed = allowed.contains(QString());
    if (field < 0) {
        if (!emptyAllowed) {
            for (quint8 &f : fails)
                ++f;
        }
        return;
    }
    const Table *t = table();
    const Column &c = t->column(field);
    const auto &nulls = c.nulls();
    if (isTextual(c.kind())) {
        // Texts show as they are stored: compare the UTF-8 bytes, no QString per cell.
        std::vector<QByteArray> utf8;
        utf8.reserve(size_t(allowed.size()));
        for (const QString &text : allowed)
            utf8.push_back(text.toUtf8());
        std::unordered_set<std::string_view> set;
        for (const QByteArray &bytes : utf8)
            set.insert(std::string_view(bytes.constData(), size_t(bytes.size())));
        for (qsizetype r = 0; r < n; ++r) {
            const bool pass = nulls[size_t(r)] ? emptyAllowed : set.contains(c.utf8At(r));
            fails[size_t(r)] += !pass;
        }
    } else if (c.storage() == Column::Storage::Span) {
        std::unordered_map<std::string_view, bool> known;
        for (qsizetype r = 0; r < n; ++r) {
            bool pass = emptyAllowed;
            if (!nulls[size_t(r)]) {
                auto [it, added] = known.try_emplace(c.utf8At(r), false);
                if (added)
                    it->second = allowed.contains(t->displayText(r, field));
                pass = it->second;
            }
            fails[size_t(r)] += !pass;
        }
    } else {
        // A number's text depends only on its value: format each distinct value once.
        std::unordered_map<quint64, bool> known;
        for (qsizetype r = 0; r < n; ++r) {
            bool pass = emptyAllowed;
            if (!nulls[size_t(r)]) {
                auto [it, added] = known.try_emplace(numberKey(c, r), false);
                if (added)
                    it->second = allowed.contains(t->displayText(r, field));
                pass = it->second;
            }
            fails[size_t(r)] += !pass;
        }
    }
}

void GridModel::setFilter(const GridFilter &filter)
{
    m_filter = filter;
    rebuild();
}

void GridModel::clearFilter()
{
    m_filter.clear();
    rebuild();
}

QStringList GridModel::distinctTexts(int column) const
{
    if (column < 0 || column >= m_columns.size() || size_t(column) >= m_fieldIndex.size())
        return QStringList();
    const qsizetype n = sourceRows();
    std::vector<quint8> fails(size_t(n), 0);
    for (auto it = m_filter.columns().cbegin(); it != m_filter.columns().cend(); ++it) {
        if (it.key() != column && it.key() >= 0 && it.key() < m_columns.size())
            markFailures(it.key(), it.value(), fails);
    }
    const int field = m_fieldIndex[size_t(column)];
    if (field < 0) {
        const bool any = std::find(fails.begin(), fails.end(), quint8(0)) != fails.end();
        return any ? QStringList{QString()} : QStringList();
    }

    // One row per distinct stored value, then ordered by value like the sort.
    const Table *t = table();
    const Column &c = t->column(field);
    const auto &nulls = c.nulls();
    const bool textual = isTextual(c.kind());
    std::vector<quint32> reps;
    bool nullSeen = false;
    if (c.storage() == Column::Storage::Span) {
        std::unordered_set<std::string_view> seen;
        seen.reserve(1024);
        for (qsizetype r = 0; r < n; ++r) {
            if (fails[size_t(r)])
                continue;
            // A text shows as stored, so only null and the empty text meet.
            const bool null = nulls[size_t(r)] || (textual && c.spans()[size_t(r)].second == 0);
            if (null ? !std::exchange(nullSeen, true) : seen.insert(c.utf8At(r)).second)
                reps.push_back(quint32(r));
        }
    } else {
        std::unordered_set<quint64> seen;
        seen.reserve(1024);
        for (qsizetype r = 0; r < n; ++r) {
            if (fails[size_t(r)])
                continue;
            if (nulls[size_t(r)] ? !std::exchange(nullSeen, true) : seen.insert(numberKey(c, r)).second)
                reps.push_back(quint32(r));
        }
    }
    if (auto cached = m_ranks.find(field); cached != m_ranks.end()) {
        sortByRank(reps, cached->second, false);
    } else {
        std::vector<bool> same;
        sortByValue(c, reps, same);
    }
    QStringList texts;
    texts.reserve(qsizetype(reps.size()));
    if (textual) {
        for (quint32 r : reps)
            texts.append(t->displayText(r, field));
        return texts;
    }
    // Different numbers may show alike once formatted.
    QSet<QString> shown;
    for (quint32 r : reps) {
        const QString text = t->displayText(r, field);
        if (!shown.contains(text)) {
            shown.insert(text);
            texts.append(text);
        }
    }
    return texts;
}

// ------------------------------------------------------------ sorting and grouping

const std::vector<quint32> &GridModel::ranks(int tableColumn) const
{
    if (auto it = m_ranks.find(tableColumn); it != m_ranks.end())
        return it->second;
    const qsizetype n = sourceRows();
    std::vector<quint32> rows(static_cast<size_t>(n));
    std::iota(rows.begin(), rows.end(), quint32(0));
    std::vector<bool> same;
    sortByValue(table()->column(tableColumn), rows, same);
    std::vector<quint32> rank(static_cast<size_t>(n));
    quint32 current = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && !same[i])
            ++current;
        rank[rows[i]] = current;
    }
    return m_ranks.emplace(tableColumn, std::move(rank)).first->second;
}

void GridModel::sortBy(int column, Qt::SortOrder order)
{
    m_sortColumn = column >= 0 && column < m_columns.size() ? column : -1;
    m_sortOrder = order;
    rebuild();
}

void GridModel::setGroupColumn(int column)
{
    const int group = column >= 0 && column < m_columns.size() ? column : -1;
    if (group != m_groupColumn) {
        m_expandedByDefault = true;
        m_toggledGroups.clear();
    }
    m_groupColumn = group;
    rebuild();
}

int GridModel::groupCount() const
{
    return int(m_groups.size());
}

QString GridModel::groupValueText(int group) const
{
    const int field = m_fieldIndex[size_t(m_groupColumn)];
    if (field < 0)
        return QString();
    return table()->displayText(m_order[size_t(m_groups[size_t(group)].first)], field);
}

int GridModel::headerRowOf(int group) const
{
    int row = 0;
    for (int g = 0; g < group; ++g)
        row += 2 + (m_groups[size_t(g)].expanded ? int(m_groups[size_t(g)].count) : 0);
    return row;
}

void GridModel::rememberExpanded(int group)
{
    // Kept by value so a group keeps its state when the filter or the table changes.
    const QString key = groupValueText(group);
    if (m_groups[size_t(group)].expanded == m_expandedByDefault)
        m_toggledGroups.remove(key);
    else
        m_toggledGroups.insert(key);
}

void GridModel::setGroupExpanded(int group, bool expanded)
{
    if (group < 0 || group >= groupCount() || m_groups[size_t(group)].expanded == expanded)
        return;
    Group &g = m_groups[size_t(group)];
    const int first = headerRowOf(group) + 1;
    const int last = first + int(g.count) - 1;
    if (expanded)
        beginInsertRows(QModelIndex(), first, last);
    else
        beginRemoveRows(QModelIndex(), first, last);
    g.expanded = expanded;
    rememberExpanded(group);
    layoutRows();
    if (expanded)
        endInsertRows();
    else
        endRemoveRows();
}

bool GridModel::isGroupExpanded(int group) const
{
    return group >= 0 && group < groupCount() && m_groups[size_t(group)].expanded;
}

void GridModel::expandAll()
{
    m_expandedByDefault = true;
    m_toggledGroups.clear();
    beginResetModel();
    for (Group &g : m_groups)
        g.expanded = true;
    layoutRows();
    endResetModel();
}

void GridModel::collapseAll()
{
    m_expandedByDefault = false;
    m_toggledGroups.clear();
    beginResetModel();
    for (Group &g : m_groups)
        g.expanded = false;
    layoutRows();
    endResetModel();
}

// ------------------------------------------------------------ summaries

namespace {

void accumulate(const Column &c, const quint32 *begin, const quint32 *end, double &sum, qsizetype &values)
{
    const auto &nulls = c.nulls();
    switch (c.storage()) {
    case Column::Storage::Int:
        for (const quint32 *r = begin; r != end; ++r) {
            if (!nulls[*r]) {
                sum += double(c.ints()[*r]);
                ++values;
            }
        }
        break;
    case Column::Storage::Double:
        for (const quint32 *r = begin; r != end; ++r) {
            if (!nulls[*r]) {
                sum += c.doubles()[*r];
                ++values;
            }
        }
        break;
    case Column::Storage::Span:
        for (const quint32 *r = begin; r != end; ++r) {
            if (!nulls[*r]) {
                sum += c.doubleAt(*r);
                ++values;
            }
        }
        break;
    }
}

} // namespace

const GridModel::Accumulator &GridModel::footerAccumulator(int column) const
{
    if (auto it = m_footerSums.find(column); it != m_footerSums.end())
        return it->second;
    Accumulator acc;
    if (const int field = m_fieldIndex[size_t(column)]; field >= 0)
        accumulate(table()->column(field), m_order.data(), m_order.data() + m_order.size(), acc.sum,
                   acc.values);
    return m_footerSums.emplace(column, acc).first->second;
}

const std::vector<GridModel::Accumulator> &GridModel::groupAccumulators(int column) const
{
    if (auto it = m_groupSums.find(column); it != m_groupSums.end())
        return it->second;
    std::vector<Accumulator> sums(m_groups.size());
    if (const int field = m_fieldIndex[size_t(column)]; field >= 0) {
        const Column &c = table()->column(field);
        for (size_t g = 0; g < m_groups.size(); ++g) {
            const quint32 *begin = m_order.data() + m_groups[g].first;
            accumulate(c, begin, begin + m_groups[g].count, sums[g].sum, sums[g].values);
        }
    }
    return m_groupSums.emplace(column, std::move(sums)).first->second;
}

QString GridModel::summaryText(int column, Summary summary, const QVariant &value) const
{
    if (summary == Summary::None || !value.isValid())
        return QString();
    if (summary == Summary::Count)
        return QString::number(value.toLongLong());
    const QString &format = m_columns.at(column).summaryFormat;
    return FormatFloat(format.isEmpty() ? QStringLiteral("#,###,##0.00") : format, value.toDouble());
}

QVariant GridModel::footerValue(int column) const
{
    if (column < 0 || column >= m_columns.size() || size_t(column) >= m_fieldIndex.size())
        return QVariant();
    const Summary summary = m_columns.at(column).footer;
    if (summary == Summary::None || summary == Summary::Count)
        return summaryValue(summary, qsizetype(m_order.size()), 0, 0);
    const Accumulator &acc = footerAccumulator(column);
    return summaryValue(summary, qsizetype(m_order.size()), acc.sum, acc.values);
}

QString GridModel::footerText(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return QString();
    return summaryText(column, m_columns.at(column).footer, footerValue(column));
}

QVariant GridModel::groupFooterValue(int group, int column) const
{
    if (group < 0 || group >= groupCount() || column < 0 || column >= m_columns.size() ||
        size_t(column) >= m_fieldIndex.size())
        return QVariant();
    const Summary summary = m_columns.at(column).groupFooter;
    const qsizetype count = m_groups[size_t(group)].count;
    if (summary == Summary::None || summary == Summary::Count)
        return summaryValue(summary, count, 0, 0);
    const Accumulator &acc = groupAccumulators(column)[size_t(group)];
    return summaryValue(summary, count, acc.sum, acc.values);
}

QString GridModel::groupFooterText(int group, int column) const
{
    if (column < 0 || column >= m_columns.size())
        return QString();
    return summaryText(column, m_columns.at(column).groupFooter, groupFooterValue(group, column));
}

QString GridModel::groupCaption(int group) const
{
    if (group < 0 || group >= groupCount())
        return QString();
    return m_columns.at(m_groupColumn).shownCaption() % QLatin1String(": ") % groupValueText(group) %
           QLatin1String(" (") % QString::number(m_groups[size_t(group)].count) % QLatin1Char(')');
}

// ------------------------------------------------------------ rows

GridModel::RowKind GridModel::rowKind(int row) const
{
    if (row < 0 || size_t(row) >= m_entries.size() || m_entries[size_t(row)] >= 0)
        return RowKind::Data;
    return (-m_entries[size_t(row)] - 1) % 2 == 0 ? RowKind::GroupHeader : RowKind::GroupFooter;
}

qsizetype GridModel::tableRow(int row) const
{
    if (row < 0 || size_t(row) >= m_entries.size())
        return -1;
    return std::max(m_entries[size_t(row)], -1);
}

int GridModel::rowOfTableRow(qsizetype tableRow) const
{
    if (tableRow < 0 || size_t(tableRow) >= m_viewRow.size())
        return -1;
    return m_viewRow[size_t(tableRow)];
}

qsizetype GridModel::filteredRowCount() const
{
    return qsizetype(m_order.size());
}

std::vector<qsizetype> GridModel::exportRows() const
{
    return std::vector<qsizetype>(m_order.begin(), m_order.end());
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_entries.size() || index.column() >= m_columns.size() ||
        size_t(index.column()) >= m_fieldIndex.size())
        return QVariant();
    const ColumnDef &def = m_columns.at(index.column());
    const int entry = m_entries[size_t(index.row())];

    if (entry < 0) {
        const int group = (-entry - 1) / 2;
        const bool header = (-entry - 1) % 2 == 0;
        switch (role) {
        case Qt::DisplayRole:
            if (header)
                return index.column() == 0 ? groupCaption(group) : QString();
            return groupFooterText(group, index.column());
        case Qt::TextAlignmentRole:
            return header ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(def.alignment);
        case TableRowRole:
            return QVariant(qlonglong(-1));
        case RowKindRole:
            return int(header ? RowKind::GroupHeader : RowKind::GroupFooter);
        case GroupLevelRole:
            return group;
        default:
            return QVariant();
        }
    }

    switch (role) {
    case TableRowRole:
        return QVariant(qlonglong(entry));
    case RowKindRole:
        return int(RowKind::Data);
    case GroupLevelRole:
        return size_t(entry) < m_rowGroup.size() ? m_rowGroup[size_t(entry)] : -1;
    case Qt::TextAlignmentRole:
        return int(def.alignment);
    default:
        break;
    }

    // The table may have changed ahead of the reset that will follow.
    const Table *t = table();
    const int field = m_fieldIndex[size_t(index.column())];
    const bool readable =
        t && t->active() && field >= 0 && field < t->fieldCount() && entry < t->recordCount();
    switch (role) {
    case Qt::DisplayRole:
        if (def.presentation != Presentation::Text && def.presentation != Presentation::Memo)
            return QString();
        return readable ? t->displayText(entry, field) : QString();
    case Qt::EditRole:
    case RawRole:
        return readable ? t->value(entry, field) : QVariant();
    case ImageIndexRole: {
        if (def.presentation != Presentation::Picture)
            return QVariant();
        if (!readable || t->column(field).isNull(entry))
            return -1;
        return def.images.value(t->column(field).int64At(entry), def.defaultImage);
    }
    case CheckStateRole2:
        if (def.presentation != Presentation::CheckBox)
            return QVariant();
        return int(readable && sameValue(t->value(entry, field), def.checkedValue) ? Qt::Checked
                                                                                   : Qt::Unchecked);
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_columns.size())
        return QVariant();
    return m_columns.at(section).shownCaption();
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace zelvora::grid
