#pragma once

#include "wire/value.h"

#include <QStringView>

#include <vector>

namespace zelvora::wire {

// The operations of the remote class TServerMethods1: the one contract that the
// client proxy, the server's dispatcher, the tests and docs/protocol.md share.
struct Param
{
    const char *name;
    Kind kind;
    bool out = false;
    const char *objectType = nullptr; // unit-qualified class for object parameters
};

enum class ResultForm
{
    None,   // no result slot
    Scalar, // text, integer, double or boolean
    Object, // an object in the JSON form, or null
    Reader, // a table read row by row
    Packet, // a whole table assigned at once
    Stream, // bytes, with an out Int64 length before them
};

struct Operation
{
    const char *name;
    std::vector<Param> params; // in declared order; out parameters are marked
    ResultForm form;
    Kind result;                      // Kind::Null when form is None
    const char *resultType = nullptr; // object class, or the declared type for docs

    QString command() const; // "TServerMethods1." + name
    int inputCount() const;
    int outputCount() const;
};

inline constexpr const char *ServerClass = "TServerMethods1";

const std::vector<Operation> &catalogue();
const Operation *findOperation(QStringView name); // by bare name or full command text
const Operation *findOperation(const char *name);

} // namespace zelvora::wire
