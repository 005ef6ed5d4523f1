#pragma once

#include "server/config.h"
#include "server/storage/db.h"
#include "wire/catalogue.h"
#include "wire/value.h"

#include <QHash>

#include <memory>

namespace zelvora {
class Nesne;
class TSonucBilgisi;
} // namespace zelvora

namespace zelvora::server {

// One call of an operation as a handler sees it: the input parameters already
// checked against the catalogue (count and kinds), the store, and the answer.
class Call
{
public:
    Call(const wire::Operation &op, const wire::Values &in, Db &db, const ServerConfig &config);

    const wire::Operation &op;
    Db &db;
    const ServerConfig &config;

    // Inputs by position (out parameters do not count).
    QString text(int i) const;
    qint32 int32(int i) const;
    double real(int i) const;
    // The login record sent as an object parameter; a missing one (JSON null)
    // is refused with an argument error, since no operation can act without it.
    std::unique_ptr<TSonucBilgisi> login(int i) const;

    // Answers. A stream sets the out length parameter and the stream together.
    void returnText(const QString &v);
    void returnInt(qint32 v);
    void returnBool(bool v);
    void returnTable(Table t);
    void returnObject(const Nesne *obj); // nullptr answers a JSON null
    void returnStream(const QByteArray &bytes);

    wire::Values outs;
    wire::Value result;

private:
    const wire::Values &m_in;
};

using Handler = void (*)(Call &call);
using Registry = QHash<QString, Handler>;

// Each business area adds its operations; the dispatcher refuses to start when
// an operation of the catalogue has no handler.
void registerLoginOperations(Registry &r);
void registerStockOperations(Registry &r);
void registerBasketOperations(Registry &r);
void registerOrderOperations(Registry &r);
void registerAccountOperations(Registry &r);
void registerBalanceOperations(Registry &r);
void registerPromotionOperations(Registry &r);
void registerRepresentativeOperations(Registry &r);
void registerRequestOperations(Registry &r);

} // namespace zelvora::server
