#pragma once
// Session services that screens call: default report period, last journal number, default
// document date.
#include "core/Session.h"
#include <QDate>

namespace kv::core {

// SetDefDates: puts the default period into this connection's ZGT_PARAM row (creating the row
// when the work table is empty) and returns it.
struct DefaultDates;
DefaultDates SetDefDates(Session& s, const QDate& today = QDate::currentDate());

// GetLastTrNo: refreshes mTrNo with the last journal voucher number issued. Reads the
// journal's generator without advancing it (and never below the highest TRNO on file).
int GetLastTrNo(Session& s);

// The date a new document starts with: the confirmed Hijri date in a Hijri year, otherwise the
// server's date (SPCDATE).
QDate defaultDocumentDate(Session& s);

} // namespace kv::core
