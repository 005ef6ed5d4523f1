#include "table/table.h"

#include "table/formatfloat.h"

#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zelvora {

bool isKnownFieldKind(quint8 kind)
{
    return kind >= quint8(FieldKind::Text) && kind <= quint8(FieldKind::Bytes);
}

bool isTextual(FieldKind kind)
{
    return kind == FieldKind::Text || kind == FieldKind::Memo;
}

bool isFloating(FieldKind kind)
{
    return kind == FieldKind::Float || kind == FieldKind::Currency || kind == FieldKind::Bcd ||
           kind == FieldKind::DateTime;
}

QString fieldKindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return QStringLiteral("Text");
    case FieldKind::Integer:
        return QStringLiteral("Integer");
    case FieldKind::LargeInt:
        return QStringLiteral("LargeInt");
    case FieldKind::Float:
        return QStringLiteral("Float");
    case FieldKind::Currency:
        return QStringLiteral("Currency");
    case FieldKind::Bcd:
        return QStringLiteral("Bcd");
    case FieldKind::Boolean:
        return QStringLiteral("Boolean");
    case FieldKind::DateTime:
        return QStringLiteral("DateTime");
    case FieldKind::Memo:
        return QStringLiteral("Memo");
    case FieldKind::Bytes:
        return QStringLiteral("Bytes");
    }
    return QStringLiteral("?");
}

namespace {
const QDate OleEpoch(1899, 12, 30);
constexpr double MsPerDay = 86400000.0;
} // namespace

double toOleDate(const QDateTime &dt)
{
    if (!dt.isValid())
        return 0;
    // Dates are wall-clock values without a zone, as the server stores them.
    const qint64 days = OleEpoch.daysTo(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / MsPerDay;
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

QDateTime fromOleDate(double value)
{
    const double whole = value >= 0 ? std::floor(value) : std::ceil(value);
    double frac = std::fabs(value - whole);
    qint64 ms = qRound64(frac * MsPerDay);
    qint64 days = qint64(whole);
    if (ms >= qint64(MsPerDay)) {
        ms -= qint64(MsPerDay);
        days += value >= 0 ? 1 : -1;
    }
    return QDateTime(OleEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

// ---------------------------------------------------------------- Column

Column::Storage Column::storage() const
{
    switch (m_def.kind) {
    case FieldKind::Integer:
    case FieldKind::LargeInt:
    case FieldKind::Boolean:
        return Storage::Int;
    case FieldKind::Float:
    case FieldKind::Currency:
    case FieldKind::Bcd:
    case FieldKind::DateTime:
        return Storage::Double;
    case FieldKind::Text:
    case FieldKind::Memo:
    case FieldKind::Bytes:
        return Storage::Span;
    }
    return Storage::Span;
}

qint32 Column::int32At(qsizetype row) const
{
    switch (storage()) {
    case Storage::Int:
        return qint32(m_int[size_t(row)]);
    case Storage::Double:
        return qint32(std::llround(m_dbl[size_t(row)]));
    case Storage::Span:
        return textAt(row).trimmed().toInt();
    }
    return 0;
}

qint64 Column::int64At(qsizetype row) const
{
    switch (storage()) {
    case Storage::Int:
        return m_int[size_t(row)];
    case Storage::Double:
        return std::llround(m_dbl[size_t(row)]);
    case Storage::Span:
        return textAt(row).trimmed().toLongLong();
    }
    return 0;
}

double Column::doubleAt(qsizetype row) const
{
    switch (storage()) {
    case Storage::Int:
        return double(m_int[size_t(row)]);
    case Storage::Double:
        return m_dbl[size_t(row)];
    case Storage::Span:
        return textAt(row).trimmed().toDouble();
    }
    return 0;
}

bool Column::boolAt(qsizetype row) const
{
    switch (storage()) {
    case Storage::Int:
        return m_int[size_t(row)] != 0;
    case Storage::Double:
        return m_dbl[size_t(row)] != 0;
    case Storage::Span: {
        const QString t = textAt(row).trimmed();
        return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t.toInt() != 0;
    }
    }
    return false;
}

std::string_view Column::utf8At(qsizetype row) const
{
    if (storage() != Storage::Span)
        return {};
    const auto &s = m_span[size_t(row)];
    return std::string_view(m_arena.data() + s.first, s.second);
}

QString Column::textAt(qsizetype row) const
{
    if (isNull(row))
        return QString();
    switch (m_def.kind) {
    case FieldKind::Text:
    case FieldKind::Memo: {
        const auto v = utf8At(row);
        return QString::fromUtf8(v.data(), qsizetype(v.size()));
    }
    case FieldKind::Bytes: {
        const auto v = utf8At(row);
        return QString::fromLatin1(QByteArray(v.data(), qsizetype(v.size())).toHex());
    }
    case FieldKind::Integer:
    case FieldKind::LargeInt:
        return QString::number(m_int[size_t(row)]);
    case FieldKind::Boolean:
        return m_int[size_t(row)] ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::DateTime:
        return fromOleDate(m_dbl[size_t(row)]).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    case FieldKind::Float:
    case FieldKind::Currency:
    case FieldKind::Bcd:
        return QString::number(m_dbl[size_t(row)], 'g', QLocale::FloatingPointShortest);
    }
    return QString();
}

QByteArray Column::bytesAt(qsizetype row) const
{
    const auto v = utf8At(row);
    return QByteArray(v.data(), qsizetype(v.size()));
}

QVariant Column::valueAt(qsizetype row) const
{
    if (isNull(row))
        return QVariant();
    switch (m_def.kind) {
    case FieldKind::Text:
    case FieldKind::Memo:
        return textAt(row);
    case FieldKind::Bytes:
        return bytesAt(row);
    case FieldKind::Integer:
        return qint32(m_int[size_t(row)]);
    case FieldKind::LargeInt:
        return qint64(m_int[size_t(row)]);
    case FieldKind::Boolean:
        return m_int[size_t(row)] != 0;
    case FieldKind::DateTime:
        return fromOleDate(m_dbl[size_t(row)]);
    case FieldKind::Float:
    case FieldKind::Currency:
    case FieldKind::Bcd:
        return m_dbl[size_t(row)];
    }
    return QVariant();
}

void Column::appendNull()
{
    m_null.push_back(1);
    switch (storage()) {
    case Storage::Int:
        m_int.push_back(0);
        break;
    case Storage::Double:
        m_dbl.push_back(0);
        break;
    case Storage::Span:
        m_span.emplace_back(quint32(m_arena.size()), 0);
        break;
    }
}

void Column::setNull(qsizetype row)
{
    m_null[size_t(row)] = 1;
    switch (storage()) {
    case Storage::Int:
        m_int[size_t(row)] = 0;
        break;
    case Storage::Double:
        m_dbl[size_t(row)] = 0;
        break;
    case Storage::Span:
        m_span[size_t(row)].second = 0;
        break;
    }
}

void Column::setInt64(qsizetype row, qint64 v)
{
    m_null[size_t(row)] = 0;
    switch (storage()) {
    case Storage::Int:
        m_int[size_t(row)] = m_def.kind == FieldKind::Integer ? qint64(qint32(v)) : v;
        break;
    case Storage::Double:
        m_dbl[size_t(row)] = double(v);
        break;
    case Storage::Span:
        setUtf8(row, QByteArray::number(v).toStdString());
        break;
    }
    if (m_def.kind == FieldKind::Boolean)
        m_int[size_t(row)] = v != 0;
}

void Column::setDouble(qsizetype row, double v)
{
    m_null[size_t(row)] = 0;
    switch (storage()) {
    case Storage::Int:
        m_int[size_t(row)] = m_def.kind == FieldKind::Boolean ? (v != 0) : std::llround(v);
        if (m_def.kind == FieldKind::Integer)
            m_int[size_t(row)] = qint32(m_int[size_t(row)]);
        break;
    case Storage::Double:
        m_dbl[size_t(row)] = v;
        break;
    case Storage::Span:
        setUtf8(row, QByteArray::number(v, 'g', QLocale::FloatingPointShortest).toStdString());
        break;
    }
}

void Column::setBool(qsizetype row, bool v)
{
    setInt64(row, v ? 1 : 0);
}

void Column::setUtf8(qsizetype row, std::string_view v)
{
    m_null[size_t(row)] = 0;
    switch (storage()) {
    case Storage::Span: {
        // An edited value is appended; the old bytes stay as garbage until the
        // next load, which is cheaper than compacting on every edit.
        auto &span = m_span[size_t(row)];
        if (v.size() <= span.second) {
            std::copy(v.begin(), v.end(), m_arena.begin() + span.first);
            span.second = quint32(v.size());
        } else {
            span = {quint32(m_arena.size()), quint32(v.size())};
            m_arena.append(v);
        }
        break;
    }
    case Storage::Int:
    case Storage::Double: {
        const QString t = QString::fromUtf8(v.data(), qsizetype(v.size())).trimmed();
        if (m_def.kind == FieldKind::Boolean)
            setBool(row, t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t.toInt() != 0);
        else if (storage() == Storage::Int)
            setInt64(row, t.toLongLong());
        else
            setDouble(row, t.toDouble());
        break;
    }
    }
}

bool Column::setValue(qsizetype row, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        setNull(row);
        return true;
    }
    switch (m_def.kind) {
    case FieldKind::Text:
    case FieldKind::Memo:
        setText(row, v.toString());
        return true;
    case FieldKind::Bytes: {
        const QByteArray b = v.toByteArray();
        setUtf8(row, std::string_view(b.constData(), size_t(b.size())));
        return true;
    }
    case FieldKind::DateTime:
        if (v.metaType().id() == QMetaType::QDateTime || v.metaType().id() == QMetaType::QDate) {
            setDouble(row, toOleDate(v.toDateTime()));
            return true;
        }
        [[fallthrough]];
    default: {
        bool ok = false;
        if (m_def.kind == FieldKind::Boolean && v.metaType().id() == QMetaType::Bool) {
            setBool(row, v.toBool());
            return true;
        }
        if (storage() == Storage::Int) {
            const qint64 n = v.toLongLong(&ok);
            if (!ok) {
                const double d = v.toDouble(&ok);
                if (ok)
                    setDouble(row, d);
                return ok;
            }
            setInt64(row, n);
            return true;
        }
        const double d = v.toDouble(&ok);
        if (ok)
            setDouble(row, d);
        return ok;
    }
    }
}

void Column::copyCell(qsizetype row, const Column &src, qsizetype srcRow)
{
    if (src.isNull(srcRow)) {
        setNull(row);
        return;
    }
    const Storage mine = storage();
    if (mine == src.storage()) {
        m_null[size_t(row)] = 0;
        switch (mine) {
        case Storage::Int:
            setInt64(row, src.m_int[size_t(srcRow)]);
            return;
        case Storage::Double:
            m_dbl[size_t(row)] = src.m_dbl[size_t(srcRow)];
            return;
        case Storage::Span:
            setUtf8(row, src.utf8At(srcRow));
            return;
        }
    }
    setValue(row, src.valueAt(srcRow));
}

void Column::removeLast()
{
    if (m_null.empty())
        return;
    m_null.pop_back();
    switch (storage()) {
    case Storage::Int:
        m_int.pop_back();
        break;
    case Storage::Double:
        m_dbl.pop_back();
        break;
    case Storage::Span:
        m_span.pop_back();
        break;
    }
}

void Column::clear()
{
    m_null.clear();
    m_int.clear();
    m_dbl.clear();
    m_span.clear();
    m_arena.clear();
}

void Column::reserve(qsizetype rows)
{
    m_null.reserve(size_t(rows));
    switch (storage()) {
    case Storage::Int:
        m_int.reserve(size_t(rows));
        break;
    case Storage::Double:
        m_dbl.reserve(size_t(rows));
        break;
    case Storage::Span:
        m_span.reserve(size_t(rows));
        break;
    }
}

// ---------------------------------------------------------------- Field

QString Field::fieldName() const
{
    return m_table->column(m_column).name();
}

FieldKind Field::kind() const
{
    return m_table->column(m_column).kind();
}

bool Field::isNull() const
{
    m_table->requireRow();
    return m_table->column(m_column).isNull(m_table->m_cursor);
}

qint32 Field::asInteger() const
{
    m_table->requireRow();
    return m_table->column(m_column).int32At(m_table->m_cursor);
}

qint64 Field::asLargeInt() const
{
    m_table->requireRow();
    return m_table->column(m_column).int64At(m_table->m_cursor);
}

double Field::asFloat() const
{
    m_table->requireRow();
    return m_table->column(m_column).doubleAt(m_table->m_cursor);
}

bool Field::asBoolean() const
{
    m_table->requireRow();
    return m_table->column(m_column).boolAt(m_table->m_cursor);
}

QString Field::asString() const
{
    m_table->requireRow();
    return m_table->column(m_column).textAt(m_table->m_cursor);
}

QDateTime Field::asDateTime() const
{
    m_table->requireRow();
    return fromOleDate(m_table->column(m_column).doubleAt(m_table->m_cursor));
}

QVariant Field::value() const
{
    m_table->requireRow();
    return m_table->column(m_column).valueAt(m_table->m_cursor);
}

QString Field::displayText() const
{
    m_table->requireRow();
    return m_table->displayText(m_table->m_cursor, m_column);
}

QString Field::displayFormat() const
{
    return m_table->column(m_column).displayFormat();
}

void Field::setDisplayFormat(const QString &format)
{
    m_table->column(m_column).setDisplayFormat(format);
}

void Field::setValue(const QVariant &v)
{
    m_table->requireRow();
    if (m_table->m_state != Table::State::Insert && m_table->m_state != Table::State::Edit)
        throw std::logic_error("Table is not in edit or insert mode");
    if (!m_table->column(m_column).setValue(m_table->m_cursor, v))
        throw std::invalid_argument(QStringLiteral("'%1' is not a valid value for field '%2'")
                                        .arg(v.toString(), fieldName())
                                        .toStdString());
}

void Field::setNull()
{
    setValue(QVariant());
}

// ---------------------------------------------------------------- Table

Table::Table(const Table &other)
    : m_columns(other.m_columns), m_rows(other.m_rows), m_cursor(other.m_cursor), m_eof(other.m_eof),
      m_bof(other.m_bof), m_state(other.active() ? State::Browse : State::Inactive)
{}

Table &Table::operator=(const Table &other)
{
    if (this != &other) {
        m_columns = other.m_columns;
        m_rows = other.m_rows;
        m_cursor = other.m_cursor;
        m_eof = other.m_eof;
        m_bof = other.m_bof;
        m_state = other.active() ? State::Browse : State::Inactive;
        notifyReset();
    }
    return *this;
}

Table::Table(Table &&other) noexcept
    : m_columns(std::move(other.m_columns)), m_rows(other.m_rows), m_cursor(other.m_cursor),
      m_eof(other.m_eof), m_bof(other.m_bof),
      m_state(other.m_state == State::Inactive ? State::Inactive : State::Browse)
{
    other.m_rows = 0;
    other.m_cursor = -1;
    other.m_state = State::Inactive;
}

Table &Table::operator=(Table &&other) noexcept
{
    if (this != &other) {
        m_columns = std::move(other.m_columns);
        m_rows = other.m_rows;
        m_cursor = other.m_cursor;
        m_eof = other.m_eof;
        m_bof = other.m_bof;
        m_state = other.m_state == State::Inactive ? State::Inactive : State::Browse;
        other.m_rows = 0;
        other.m_cursor = -1;
        other.m_state = State::Inactive;
        notifyReset();
    }
    return *this;
}

Table::~Table() = default;

void Table::define(const QList<FieldDef> &fields)
{
    m_columns.clear();
    m_columns.reserve(size_t(fields.size()));
    for (const FieldDef &f : fields)
        m_columns.emplace_back(f);
    m_rows = 0;
    m_cursor = -1;
    m_eof = m_bof = true;
    m_state = State::Browse;
    notifyReset();
}

int Table::indexOf(const QString &name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QList<FieldDef> Table::fieldDefs() const
{
    QList<FieldDef> defs;
    defs.reserve(qsizetype(m_columns.size()));
    for (const Column &c : m_columns)
        defs.append(c.def());
    return defs;
}

Field Table::fieldByName(const QString &name)
{
    const int i = indexOf(name);
    if (i < 0)
        throw std::invalid_argument(QStringLiteral("Field '%1' not found").arg(name).toStdString());
    return Field(this, i);
}

void Table::open()
{
    if (m_state == State::Inactive) {
        m_state = State::Browse;
        m_cursor = m_rows > 0 ? 0 : -1;
        m_bof = true;
        m_eof = m_rows == 0;
        notifyReset();
    }
}

void Table::close()
{
    if (m_state != State::Inactive) {
        m_state = State::Inactive;
        notifyReset();
    }
}

void Table::emptyTable()
{
    requireActive();
    for (Column &c : m_columns)
        c.clear();
    m_rows = 0;
    m_cursor = -1;
    m_eof = m_bof = true;
    m_state = State::Browse;
    notifyReset();
}

void Table::setRecNo(qsizetype row)
{
    requireActive();
    if (m_rows == 0) {
        m_cursor = -1;
        m_eof = m_bof = true;
        return;
    }
    m_cursor = std::clamp<qsizetype>(row, 0, m_rows - 1);
    m_bof = m_cursor == 0;
    m_eof = false;
}

void Table::first()
{
    requireActive();
    m_cursor = m_rows > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_rows == 0;
}

void Table::last()
{
    requireActive();
    m_cursor = m_rows - 1;
    m_eof = true;
    m_bof = m_rows == 0;
}

void Table::next()
{
    requireActive();
    if (m_cursor + 1 < m_rows) {
        ++m_cursor;
        m_bof = false;
    } else {
        m_eof = true;
    }
}

void Table::prior()
{
    requireActive();
    if (m_cursor > 0) {
        --m_cursor;
        m_eof = false;
    } else {
        m_bof = true;
    }
}

bool Table::locate(const QString &fieldName, const QVariant &value)
{
    requireActive();
    const int col = indexOf(fieldName);
    if (col < 0)
        throw std::invalid_argument(QStringLiteral("Field '%1' not found").arg(fieldName).toStdString());
    const Column &c = m_columns[size_t(col)];
    const bool wantNull = !value.isValid() || value.isNull();
    for (qsizetype r = 0; r < m_rows; ++r) {
        bool hit = false;
        if (c.isNull(r)) {
            hit = wantNull;
        } else if (!wantNull) {
            switch (c.storage()) {
            case Column::Storage::Int:
                hit = c.int64At(r) == value.toLongLong();
                break;
            case Column::Storage::Double:
                hit = c.doubleAt(r) == value.toDouble();
                break;
            case Column::Storage::Span:
                hit = c.textAt(r) == value.toString();
                break;
            }
        }
        if (hit) {
            setRecNo(r);
            return true;
        }
    }
    return false;
}

void Table::append()
{
    requireActive();
    if (m_state == State::Insert || m_state == State::Edit)
        post();
    for (Column &c : m_columns)
        c.appendNull();
    m_cursor = m_rows++;
    m_eof = true;
    m_bof = false;
    m_state = State::Insert;
}

void Table::edit()
{
    requireRow();
    if (m_state == State::Browse)
        m_state = State::Edit;
}

void Table::post()
{
    requireActive();
    if (m_state == State::Insert) {
        m_state = State::Browse;
        notifyInserted(m_cursor, m_cursor);
    } else if (m_state == State::Edit) {
        m_state = State::Browse;
        notifyChanged(m_cursor);
    }
}

void Table::cancel()
{
    requireActive();
    if (m_state == State::Insert) {
        for (Column &c : m_columns)
            c.removeLast();
        --m_rows;
        m_cursor = m_rows - 1;
        m_eof = m_rows == 0;
    }
    // Edits write through, so cancelling an edit keeps them; callers post or
    // reload rather than cancel.
    m_state = State::Browse;
}

void Table::deleteRecord()
{
    requireRow();
    const qsizetype row = m_cursor;
    for (Column &c : m_columns) {
        auto &nulls = c.nulls();
        nulls.erase(nulls.begin() + row);
        switch (c.storage()) {
        case Column::Storage::Int:
            c.ints().erase(c.ints().begin() + row);
            break;
        case Column::Storage::Double:
            c.doubles().erase(c.doubles().begin() + row);
            break;
        case Column::Storage::Span:
            c.spans().erase(c.spans().begin() + row);
            break;
        }
    }
    --m_rows;
    m_state = State::Browse;
    if (m_cursor >= m_rows)
        m_cursor = m_rows - 1;
    m_eof = m_rows == 0;
    notifyRemoved(row, row);
}

void Table::assign(const Table &source)
{
    m_columns = source.m_columns;
    m_rows = source.m_rows;
    m_cursor = m_rows > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_rows == 0;
    m_state = State::Browse;
    notifyReset();
}

void Table::appendRowFrom(const Table &source, qsizetype row)
{
    append();
    const int n = std::min(fieldCount(), source.fieldCount());
    for (int i = 0; i < n; ++i)
        m_columns[size_t(i)].copyCell(m_cursor, source.m_columns[size_t(i)], row);
    post();
}

void Table::reserve(qsizetype rows)
{
    for (Column &c : m_columns)
        c.reserve(rows);
}

void Table::finishBulkLoad(qsizetype rows)
{
    m_rows = rows;
    m_cursor = rows > 0 ? 0 : -1;
    m_bof = true;
    m_eof = rows == 0;
    m_state = State::Browse;
    notifyReset();
}

void Table::addObserver(TableObserver *observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void Table::removeObserver(TableObserver *observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void Table::disableControls()
{
    ++m_disableCount;
}

void Table::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        notifyReset();
    }
}

QVariant Table::value(qsizetype row, int column) const
{
    if (!active() || row < 0 || row >= m_rows || column < 0 || column >= fieldCount())
        return QVariant();
    return m_columns[size_t(column)].valueAt(row);
}

QString Table::displayText(qsizetype row, int column) const
{
    if (!active() || row < 0 || row >= m_rows || column < 0 || column >= fieldCount())
        return QString();
    const Column &c = m_columns[size_t(column)];
    if (c.isNull(row))
        return QString();
    if (!c.displayFormat().isEmpty() && (c.storage() != Column::Storage::Span) &&
        c.kind() != FieldKind::Boolean && c.kind() != FieldKind::DateTime)
        return FormatFloat(c.displayFormat(), c.doubleAt(row));
    return c.textAt(row);
}

void Table::requireActive() const
{
    if (m_state == State::Inactive)
        throw std::logic_error("Cannot perform this operation on a closed dataset");
}

void Table::requireRow() const
{
    requireActive();
    if (m_cursor < 0 || m_cursor >= m_rows)
        throw std::logic_error("Cannot perform this operation on an empty dataset");
}

void Table::notifyReset()
{
    if (m_disableCount > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    for (TableObserver *o : m_observers)
        o->tableReset();
}

void Table::notifyInserted(qsizetype first, qsizetype last)
{
    if (m_disableCount > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    for (TableObserver *o : m_observers)
        o->rowsInserted(first, last);
}

void Table::notifyChanged(qsizetype row)
{
    if (m_disableCount > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    for (TableObserver *o : m_observers)
        o->rowChanged(row);
}

void Table::notifyRemoved(qsizetype first, qsizetype last)
{
    if (m_disableCount > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    for (TableObserver *o : m_observers)
        o->rowsRemoved(first, last);
}

void SayiFormatla(Table &table)
{
    for (int i = 0; i < table.fieldCount(); ++i) {
        if (table.column(i).kind() == FieldKind::Float)
            table.column(i).setDisplayFormat(QStringLiteral("#,###,##0.00"));
    }
}

} // namespace zelvora
