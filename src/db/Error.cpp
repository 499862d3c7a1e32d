#include "db/Error.h"

namespace kv::db {

DbError::DbError(const QString& text, std::vector<std::intptr_t> gdsCodes, QString sqlState)
    : std::runtime_error(text.toStdString()), text_(text), codes_(std::move(gdsCodes)),
      sqlState_(std::move(sqlState)) {}

bool DbError::hasCode(std::intptr_t code) const {
    for (auto c : codes_)
        if (c == code) return true;
    return false;
}

bool DbError::isBusy() const {
    return hasCode(gds::deadlock) || hasCode(gds::update_conflict) || hasCode(gds::concurrent_tran) ||
           hasCode(gds::lock_conflict) || sqlState_ == QLatin1String("40001");
}

} // namespace kv::db
