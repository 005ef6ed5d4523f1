#include "server/storage/db.h"

#include <QHash>
#include <QThread>

#include <sqlite3.h>

namespace zelvora::server {

namespace {

[[noreturn]] void fail(sqlite3 *db, const QString &what)
{
    throw DbError(what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace

// ---------------------------------------------------------------- Statement

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        fail(db, QStringLiteral("prepare"));
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

Statement &Statement::bind(int index, const SqlValue &value)
{
    int rc = SQLITE_OK;
    if (std::holds_alternative<std::nullptr_t>(value)) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else if (const auto *i = std::get_if<qint64>(&value)) {
        rc = sqlite3_bind_int64(m_stmt, index, *i);
    } else if (const auto *d = std::get_if<double>(&value)) {
        rc = sqlite3_bind_double(m_stmt, index, *d);
    } else if (const auto *s = std::get_if<QString>(&value)) {
        const QByteArray utf8 = s->toUtf8();
        rc = sqlite3_bind_text64(m_stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                                 SQLITE_TRANSIENT, SQLITE_UTF8);
    } else if (const auto *b = std::get_if<QByteArray>(&value)) {
        rc = sqlite3_bind_blob64(m_stmt, index, b->constData(), sqlite3_uint64(b->size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        fail(m_db, QStringLiteral("bind"));
    return *this;
}

Statement &Statement::bindAll(SqlValues values)
{
    int i = 1;
    for (const SqlValue &v : values)
        bind(i++, v);
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(m_db, QStringLiteral("step"));
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

bool Statement::isNull(int i) const
{
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

qint64 Statement::int64(int i) const
{
    return sqlite3_column_int64(m_stmt, i);
}

double Statement::real(int i) const
{
    return sqlite3_column_double(m_stmt, i);
}

QString Statement::text(int i) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, i)) : QString();
}

std::string_view Statement::utf8(int i) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
    return p ? std::string_view(p, size_t(sqlite3_column_bytes(m_stmt, i))) : std::string_view();
}

QByteArray Statement::blob(int i) const
{
    const auto *p = static_cast<const char *>(sqlite3_column_blob(m_stmt, i));
    return p ? QByteArray(p, sqlite3_column_bytes(m_stmt, i)) : QByteArray();
}

// ---------------------------------------------------------------- Db

std::unique_ptr<Db> Db::open(const QString &path)
{
    sqlite3 *handle = nullptr;
    const QByteArray file = path.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &handle,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<Db> db(new Db(handle));
    if (rc != SQLITE_OK)
        fail(handle, QStringLiteral("open %1").arg(path));
    // Writers queue behind each other instead of failing at once; readers never
    // wait for writers in WAL mode.
    sqlite3_busy_timeout(handle, 10000);
    db->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    db->exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    db->exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    db->exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
    // Big searches read many pages; a larger cache and a memory map keep them
    // off the read() path. The sizes are per connection, and there is one
    // connection per worker thread.
    db->exec(QStringLiteral("PRAGMA cache_size=-32768"));
    db->exec(QStringLiteral("PRAGMA mmap_size=268435456"));
    return db;
}

Db::~Db()
{
    sqlite3_close_v2(m_db);
}

Db &Db::forThread(const QString &path)
{
    // One connection per worker thread and database file; it lives as long as
    // the thread (the pool keeps its threads, so connections are reused).
    thread_local QHash<QString, std::shared_ptr<Db>> connections;
    auto it = connections.find(path);
    if (it == connections.end())
        it = connections.insert(path, std::shared_ptr<Db>(Db::open(path)));
    return **it;
}

void Db::exec(const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString message = QString::fromUtf8(err ? err : "unknown error");
        sqlite3_free(err);
        throw DbError(message);
    }
}

Statement Db::prepare(const QString &sql)
{
    return Statement(m_db, sql);
}

void Db::execute(const QString &sql, SqlValues values)
{
    Statement st(m_db, sql);
    st.bindAll(values);
    while (st.step()) {
    }
}

qint64 Db::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Db::changes() const
{
    return sqlite3_changes(m_db);
}

qint64 Db::scalarInt(const QString &sql, SqlValues values, qint64 fallback)
{
    Statement st(m_db, sql);
    st.bindAll(values);
    return st.step() && !st.isNull(0) ? st.int64(0) : fallback;
}

double Db::scalarReal(const QString &sql, SqlValues values, double fallback)
{
    Statement st(m_db, sql);
    st.bindAll(values);
    return st.step() && !st.isNull(0) ? st.real(0) : fallback;
}

QString Db::scalarText(const QString &sql, SqlValues values, const QString &fallback)
{
    Statement st(m_db, sql);
    st.bindAll(values);
    return st.step() && !st.isNull(0) ? st.text(0) : fallback;
}

QList<FieldDef> parseShape(const QString &shape)
{
    QList<FieldDef> defs;
    const auto parts = QStringView(shape).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QStringView part : parts) {
        part = part.trimmed();
        const qsizetype colon = part.lastIndexOf(QLatin1Char(':'));
        if (colon <= 0 || colon + 1 >= part.size())
            throw DbError(QStringLiteral("bad column shape '%1'").arg(part.toString()));
        FieldDef def;
        def.name = part.left(colon).trimmed().toString();
        const QStringView type = part.mid(colon + 1).trimmed();
        switch (type[0].unicode()) {
        case 's':
            def.kind = FieldKind::Text;
            def.size = type.size() > 1 ? type.mid(1).toInt() : 50;
            break;
        case 'm':
            def.kind = FieldKind::Memo;
            break;
        case 'i':
            def.kind = FieldKind::Integer;
            break;
        case 'l':
            def.kind = FieldKind::LargeInt;
            break;
        case 'f':
            def.kind = FieldKind::Float;
            break;
        case 'c':
            def.kind = FieldKind::Currency;
            break;
        case 'b':
            def.kind = FieldKind::Boolean;
            break;
        case 'd':
            def.kind = FieldKind::DateTime;
            break;
        case 'x':
            def.kind = FieldKind::Bytes;
            break;
        default:
            throw DbError(QStringLiteral("bad column kind in '%1'").arg(part.toString()));
        }
        defs.append(def);
    }
    return defs;
}

Table Db::query(const QString &sql, const QString &shape, SqlValues values)
{
    const QList<FieldDef> defs = parseShape(shape);
    Statement st(m_db, sql);
    if (st.columnCount() != defs.size())
        throw DbError(
            QStringLiteral("query gives %1 columns, shape names %2").arg(st.columnCount()).arg(defs.size()));
    st.bindAll(values);
    Table table;
    table.define(defs);
    qsizetype rows = 0;
    while (st.step()) {
        for (int c = 0; c < defs.size(); ++c) {
            Column &col = table.column(c);
            col.appendNull();
            if (st.isNull(c))
                continue;
            switch (col.storage()) {
            case Column::Storage::Int:
                col.setInt64(rows, st.int64(c));
                break;
            case Column::Storage::Double:
                col.setDouble(rows, st.real(c));
                break;
            case Column::Storage::Span:
                if (col.kind() == FieldKind::Bytes) {
                    const QByteArray b = st.blob(c);
                    col.setUtf8(rows, std::string_view(b.constData(), size_t(b.size())));
                } else {
                    col.setUtf8(rows, st.utf8(c));
                }
                break;
            }
        }
        ++rows;
    }
    table.finishBulkLoad(rows);
    return table;
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Db &db) : m_db(db)
{
    // IMMEDIATE takes the write lock up front, so two writers never both read
    // and then fail to upgrade.
    m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    m_db.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

} // namespace zelvora::server
