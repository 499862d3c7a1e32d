#pragma once
// Helpers shared by the repositories of this folder (not part of their interface).
#include "core/Money.h"
#include "core/Session.h"
#include "db/Connection.h"
#include <stdexcept>
#include <type_traits>

namespace kv::masters::detail {

inline db::Connection& yearDb(const core::Session& s)
{
    if (!s.MainDB) throw db::DbError(QStringLiteral("no year database is open"));
    return *s.MainDB;
}

// Runs f(tr) in a fresh transaction on the year database and commits when it returns; a result
// with ok() false, or an exception, rolls it back (the exception propagates).
template<class F>
auto inTransaction(const core::Session& s, F&& f)
{
    db::Transaction tr(yearDb(s));
    if constexpr (std::is_void_v<decltype(f(tr))>) {
        f(tr);
        tr.commit();
    } else {
        auto r = f(tr);
        // A refusal after some statements ran leaves nothing behind.
        if constexpr (requires { r.ok(); }) {
            if (!r.ok()) {
                tr.rollback();
                return r;
            }
        }
        tr.commit();
        return r;
    }
}

template<int S>
core::Fixed<S> fixedAt(const db::Query& q, const char* column)
{
    return core::Fixed<S>::fromDecimal(q.decimal(QLatin1String(column), S));
}

inline db::Value textOrNull(const QString& t)
{
    return t.isEmpty() ? db::Value(db::Null{}) : db::Value(t);
}

} // namespace kv::masters::detail
