#include "masters/Common.h"

namespace kv::masters {

namespace {
constexpr std::intptr_t not_valid = 335544347;        // validation error for column (NOT NULL)
constexpr std::intptr_t arith_except = 335544321;     // string truncation, numeric overflow
constexpr std::intptr_t check_constraint = 335544558; // CHECK violated
constexpr std::intptr_t foreign_key = 335544466;      // FOREIGN KEY violated
constexpr std::intptr_t convert_error = 335544334;    // conversion error from string
} // namespace

bool isRefusedValue(const db::DbError& e)
{
    if (e.isBusy()) return false;
    for (std::intptr_t c : {db::gds::unique_key, db::gds::no_dup, not_valid, arith_except, check_constraint,
                            foreign_key, convert_error})
        if (e.hasCode(c)) return true;
    return false;
}

} // namespace kv::masters
