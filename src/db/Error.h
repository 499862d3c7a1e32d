#pragma once
#include <QString>
#include <stdexcept>
#include <vector>
#include <cstdint>

namespace kv::db {

// A failure reported by the Firebird client or server, with its status vector.
class DbError : public std::runtime_error {
public:
    DbError(const QString& text, std::vector<std::intptr_t> gdsCodes = {}, QString sqlState = {});

    const QString& text() const { return text_; }           // the client's own error text
    const std::vector<std::intptr_t>& gdsCodes() const { return codes_; }
    const QString& sqlState() const { return sqlState_; }    // e.g. "40001"
    std::intptr_t primaryCode() const { return codes_.empty() ? 0 : codes_.front(); }
    bool hasCode(std::intptr_t code) const;

    // Lock conflict, update conflict, deadlock, object in use: another workstation holds the row.
    bool isBusy() const;

private:
    QString text_;
    std::vector<std::intptr_t> codes_;
    QString sqlState_;
};

// Known status codes.
namespace gds {
constexpr std::intptr_t deadlock = 335544336;        // isc_deadlock (lock conflict on no wait)
constexpr std::intptr_t lock_conflict = 335544345;   // isc_lock_conflict (object in use)
constexpr std::intptr_t update_conflict = 335544451; // isc_update_conflict
constexpr std::intptr_t concurrent_tran = 335544878; // isc_concurrent_transaction
constexpr std::intptr_t dsql_field_err = 335544578;  // column unknown
constexpr std::intptr_t unique_key = 335544665;      // violation of PRIMARY or UNIQUE KEY
constexpr std::intptr_t no_dup = 335544349;          // unique index violation
constexpr std::intptr_t io_error = 335544344;        // file cannot be opened
constexpr std::intptr_t network_error = 335544721;   // unable to complete network request
constexpr std::intptr_t login = 335544472;           // user name and password are not defined
constexpr std::intptr_t exclusive_open = 335545107;  // file in use by another process (embedded)
} // namespace gds

} // namespace kv::db
