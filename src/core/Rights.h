#pragma once
#include <QString>
#include <array>

namespace kv::core {

// The sixty right flags of a user: T01..T30 and R01..R30.
enum class Right : int {
    T01 = 0, T02, T03, T04, T05, T06, T07, T08, T09, T10, T11, T12, T13, T14, T15,
    T16, T17, T18, T19, T20, T21, T22, T23, T24, T25, T26, T27, T28, T29, T30,
    R01, R02, R03, R04, R05, R06, R07, R08, R09, R10, R11, R12, R13, R14, R15,
    R16, R17, R18, R19, R20, R21, R22, R23, R24, R25, R26, R27, R28, R29, R30,
};
constexpr int RightCount = 60;

QString rightColumn(Right r);          // "T01" .. "R30"
Right rightAt(int index);              // 0..59

// The user's flags as loaded from SUSERS; "T" grants, anything else does not.
struct RightFlags {
    std::array<QString, RightCount> flag;
    const QString& operator[](Right r) const { return flag[int(r)]; }
    QString& operator[](Right r) { return flag[int(r)]; }
};

// The one rights test: allowed when vAdmin is not "OP" or the flag is "T".
bool allowed(const QString& vAdmin, const RightFlags& flags, Right r);

// The administrator's reserved name and the other reserved names.
inline const QString& adminName() { static const QString n = QStringLiteral("<المشرف>"); return n; }
inline const QString& adminNameEn() { static const QString n = QStringLiteral("<Admin>"); return n; }
// "SV" for the administrator, "OP" for everyone else (exact name comparison).
QString adminClassFor(const QString& userName);

} // namespace kv::core
