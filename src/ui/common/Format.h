#pragma once
// How numbers and dates look on every screen, whatever the machine's locale: C locale digits,
// fixed decimals ("0.00" for amounts, "0.0000" for unit prices, line quantities and percentages),
// dates shown "yyyy/MM/dd" and typed "dd/MM/yyyy".
#include "db/Decimal.h"
#include <QDate>
#include <QString>
#include <cstdint>

class QDateEdit;

namespace kv::ui {

// A fixed-point value (units / 10^scale) with exactly `decimals` digits after the point,
// rounded half away from zero; no thousands separators.
QString formatFixed(std::int64_t units, int scale, int decimals);
inline QString formatFixed(const db::Decimal& d, int decimals) { return formatFixed(d.units, d.scale, decimals); }
inline QString format2(const db::Decimal& d) { return formatFixed(d, 2); } // "0.00"
inline QString format4(const db::Decimal& d) { return formatFixed(d, 4); } // "0.0000"
QString formatInteger(std::int64_t v);

// "yyyy/MM/dd"; an invalid date gives an empty text.
QString formatDate(const QDate& d);
// "dd/MM/yyyy" as typed; an invalid text gives an invalid date.
QDate parseTypedDate(const QString& text);
QString formatTypedDate(const QDate& d); // "dd/MM/yyyy", empty for an invalid date

// Prepares a date edit: left-to-right (a right-to-left edit would reverse its sections), typed
// as "dd/MM/yyyy", and able to hold old Hijri-numbered dates.
void prepareDateEdit(QDateEdit* edit);

} // namespace kv::ui
