#pragma once
// Internal: the Firebird OO API objects behind Connection, Transaction and Query.
#include "db/Error.h"
#include <firebird/Interface.h>
#include <QString>

namespace kv::db::fb {

Firebird::IMaster* master();
Firebird::IUtil* util();

// A status holder that turns errors into DbError.
class Status {
public:
    Status();
    ~Status();
    Firebird::CheckStatusWrapper* operator&() { return &wrapper_; }
    Firebird::CheckStatusWrapper* get() { return &wrapper_; }
    bool failed() const;
    // Throws DbError when the last call failed. `context` prefixes nothing: the client's text is kept.
    void check();
    [[noreturn]] void raise();

private:
    Firebird::IStatus* status_;
    Firebird::CheckStatusWrapper wrapper_;
};

DbError errorFrom(Firebird::IStatus* status);

} // namespace kv::db::fb

namespace kv::db {
struct ConnectionImpl {
    Firebird::IAttachment* att = nullptr;
    QString name;
};
struct TransactionImpl {
    Firebird::ITransaction* tra = nullptr;
};
} // namespace kv::db
