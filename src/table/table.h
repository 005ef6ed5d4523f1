#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelvora {

// Column kinds of the in-memory table. The numbers travel on the wire as they
// stand, so they never change meaning.
enum class FieldKind : quint8
{
    Text = 1,     // short string (UTF-8 inside)
    Integer = 2,  // 32-bit signed
    LargeInt = 3, // 64-bit signed
    Float = 4,    // plain double: the only kind SayiFormatla touches
    Currency = 5, // money, kept as double
    Bcd = 6,      // decimal, kept as double
    Boolean = 7,
    DateTime = 8, // OLE automation date: days since 1899-12-30, time as fraction
    Memo = 9,     // long text
    Bytes = 10,   // raw bytes (pictures and the like)
};

bool isKnownFieldKind(quint8 kind);
bool isTextual(FieldKind kind);  // Text and Memo
bool isFloating(FieldKind kind); // Float, Currency, Bcd, DateTime
QString fieldKindName(FieldKind kind);

struct FieldDef
{
    QString name;
    FieldKind kind = FieldKind::Text;
    qint32 size = 0; // declared width for texts; informational
};

// OLE automation dates, the form dates take in tables and on the wire.
double toOleDate(const QDateTime &dt);
QDateTime fromOleDate(double days);

class Table;

// Column store. Strings are kept as UTF-8 spans in one arena and become QString
// only when somebody asks for them, so a 200,000-row search result costs a few
// allocations instead of millions.
class Column
{
public:
    Column() = default;
    explicit Column(FieldDef def) : m_def(std::move(def)) {}

    const FieldDef &def() const { return m_def; }
    const QString &name() const { return m_def.name; }
    FieldKind kind() const { return m_def.kind; }
    const QString &displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format) { m_displayFormat = format; }

    qsizetype rowCount() const { return qsizetype(m_null.size()); }
    bool isNull(qsizetype row) const { return m_null[size_t(row)] != 0; }

    qint32 int32At(qsizetype row) const;
    qint64 int64At(qsizetype row) const;
    double doubleAt(qsizetype row) const;
    bool boolAt(qsizetype row) const;
    std::string_view utf8At(qsizetype row) const;
    QString textAt(qsizetype row) const;
    QByteArray bytesAt(qsizetype row) const;
    QVariant valueAt(qsizetype row) const;

    void appendNull();
    void setNull(qsizetype row);
    void setInt64(qsizetype row, qint64 v);
    void setDouble(qsizetype row, double v);
    void setBool(qsizetype row, bool v);
    void setUtf8(qsizetype row, std::string_view v);
    void setText(qsizetype row, const QString &v) { setUtf8(row, std::string_view(v.toUtf8())); }
    bool setValue(qsizetype row, const QVariant &v); // false when v cannot become this kind
    void copyCell(qsizetype row, const Column &src, qsizetype srcRow);
    void removeLast();
    void clear();
    void reserve(qsizetype rows);

    // Direct access for the packet codec.
    std::vector<quint8> &nulls() { return m_null; }
    std::vector<qint64> &ints() { return m_int; }
    std::vector<double> &doubles() { return m_dbl; }
    std::vector<std::pair<quint32, quint32>> &spans() { return m_span; }
    std::string &arena() { return m_arena; }
    const std::vector<quint8> &nulls() const { return m_null; }
    const std::vector<qint64> &ints() const { return m_int; }
    const std::vector<double> &doubles() const { return m_dbl; }
    const std::vector<std::pair<quint32, quint32>> &spans() const { return m_span; }
    const std::string &arena() const { return m_arena; }

    // Texts and bytes live in the arena; integers and booleans in ints; the rest in doubles.
    enum class Storage
    {
        Int,
        Double,
        Span
    };
    Storage storage() const;

private:
    FieldDef m_def;
    QString m_displayFormat;
    std::vector<quint8> m_null;
    std::vector<qint64> m_int;
    std::vector<double> m_dbl;
    std::vector<std::pair<quint32, quint32>> m_span; // offset, length into m_arena
    std::string m_arena;
};

// Told about changes so a bound view can follow. Nothing is sent while the
// table's controls are disabled; enableControls() then sends one reset.
class TableObserver
{
public:
    virtual ~TableObserver() = default;
    virtual void tableReset() = 0;
    virtual void rowsInserted(qsizetype first, qsizetype last) = 0;
    virtual void rowChanged(qsizetype row) = 0;
    virtual void rowsRemoved(qsizetype first, qsizetype last) = 0;
};

class Table;

// One field of the current row, the way screens read and write values by name.
class Field
{
public:
    Field(Table *table, int column) : m_table(table), m_column(column) {}

    bool isValid() const { return m_table && m_column >= 0; }
    QString fieldName() const;
    FieldKind kind() const;
    bool isNull() const;
    qint32 asInteger() const;
    qint64 asLargeInt() const;
    double asFloat() const;
    bool asBoolean() const;
    QString asString() const;
    QDateTime asDateTime() const;
    QVariant value() const;
    QString displayText() const; // with the field's display format
    QString displayFormat() const;
    void setDisplayFormat(const QString &format);
    void setValue(const QVariant &v);
    void setNull();

private:
    Table *m_table = nullptr;
    int m_column = -1;
};

class Table
{
public:
    enum class State
    {
        Inactive,
        Browse,
        Insert,
        Edit
    };

    Table() = default;
    Table(const Table &other);
    Table &operator=(const Table &other);
    Table(Table &&other) noexcept;
    Table &operator=(Table &&other) noexcept;
    ~Table();

    // Structure
    void define(const QList<FieldDef> &fields); // replaces columns and rows; table is open and empty
    int fieldCount() const { return int(m_columns.size()); }
    int indexOf(const QString &name) const; // case-insensitive, as field lookups are; -1 when absent
    const Column &column(int i) const { return m_columns[size_t(i)]; }
    Column &column(int i) { return m_columns[size_t(i)]; }
    QList<FieldDef> fieldDefs() const;
    Field field(int i) { return Field(this, i); }
    Field fieldByName(const QString &name); // throws std::invalid_argument naming the field when absent
    Field findField(const QString &name) { return Field(this, indexOf(name)); }

    // Open / closed
    bool active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    void open();
    void close();      // rows and columns stay defined but unreadable until open()
    void emptyTable(); // drops every row, keeps the columns; stays open

    // Rows and cursor
    qsizetype recordCount() const { return m_rows; }
    qsizetype recNo() const { return m_cursor; } // 0-based; -1 when empty
    void setRecNo(qsizetype row);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool locate(const QString &fieldName, const QVariant &value);

    // Changes go straight into the columns; post() ends the edit and tells the views.
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    // Whole-table loads
    void assign(const Table &source); // the source's columns and rows, as a data packet is assigned
    void appendRowFrom(const Table &source, qsizetype row); // by position, kinds converted as needed
    void reserve(qsizetype rows);
    void finishBulkLoad(qsizetype rows); // for the codec: columns were filled directly

    // Views
    void addObserver(TableObserver *observer);
    void removeObserver(TableObserver *observer);
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // Plain cell access for views and codecs, without moving the cursor.
    QVariant value(qsizetype row, int column) const;
    QString displayText(qsizetype row, int column) const;

private:
    friend class Field;
    void requireActive() const;
    void requireRow() const;
    void notifyReset();
    void notifyInserted(qsizetype first, qsizetype last);
    void notifyChanged(qsizetype row);
    void notifyRemoved(qsizetype first, qsizetype last);

    std::vector<Column> m_columns;
    qsizetype m_rows = 0;
    qsizetype m_cursor = -1;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Inactive;
    int m_disableCount = 0;
    bool m_changedWhileDisabled = false;
    std::vector<TableObserver *> m_observers;
};

// Gives every plain Float field the display format "#,###,##0.00"; currency and
// decimal fields keep theirs.
void SayiFormatla(Table &table);

} // namespace zelvora
