#pragma once

#include "table/table.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <variant>

struct sqlite3;
struct sqlite3_stmt;

namespace zelvora::server {

class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// One bound parameter. Statements are always parameterised with '?'.
using SqlValue = std::variant<std::nullptr_t, qint64, double, QString, QByteArray>;
using SqlValues = std::initializer_list<SqlValue>;

class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(int index, const SqlValue &value); // 1-based, as SQL counts
    Statement &bindAll(SqlValues values);
    bool step(); // true while a row is there
    void reset();

    int columnCount() const;
    bool isNull(int i) const;
    qint64 int64(int i) const;
    double real(int i) const;
    QString text(int i) const;
    QByteArray blob(int i) const;
    std::string_view utf8(int i) const; // valid until the next step

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

// One connection to the store. A connection belongs to one thread; the server
// gives every worker its own (see Db::forThread).
class Db
{
public:
    static std::unique_ptr<Db> open(const QString &path);
    ~Db();
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;

    // The connection of the calling worker thread, opened on first use.
    static Db &forThread(const QString &path);

    void exec(const QString &sql); // unparameterised DDL and pragmas only
    Statement prepare(const QString &sql);
    void execute(const QString &sql, SqlValues values = {});
    qint64 lastInsertId() const;
    int changes() const;

    // Scalar shortcuts: the first column of the first row, or the fallback.
    qint64 scalarInt(const QString &sql, SqlValues values = {}, qint64 fallback = 0);
    double scalarReal(const QString &sql, SqlValues values = {}, double fallback = 0);
    QString scalarText(const QString &sql, SqlValues values = {}, const QString &fallback = QString());

    // Runs a query into a table whose columns are described by `shape`, a
    // compact list such as "STOK_STOKNO:i, BARKOD:s50, KALAN:f, TARIH:d".
    // Kinds: s text (with size), m memo, i 32-bit, l 64-bit, f float, c currency,
    // b boolean, d date-time (stored as an OLE date REAL), x bytes.
    Table query(const QString &sql, const QString &shape, SqlValues values = {});

    sqlite3 *handle() const { return m_db; }

private:
    explicit Db(sqlite3 *db) : m_db(db) {}
    sqlite3 *m_db = nullptr;
};

// All-or-nothing: rolls back unless commit() was reached.
class Transaction
{
public:
    explicit Transaction(Db &db);
    ~Transaction();
    void commit();

private:
    Db &m_db;
    bool m_done = false;
};

QList<FieldDef> parseShape(const QString &shape);

} // namespace zelvora::server
