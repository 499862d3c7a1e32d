#pragma once
// An account's running debit and credit totals of the year (ACCT.DR, ACCT.CR): the one function
// every document, notice and journal voucher calls, inside its own transaction.
//
//   db::Transaction tr(*session.MainDB);
//   ... write the sales invoice ...
//   masters::addToAccountTotals(tr, invoice.ACCTNO, invoice.INVTOT, {});          // DR += INVTOT
//   tr.commit();
//
//   deleting it:  masters::addToAccountTotals(tr, acctNo, -invoice.INVTOT, {});   // DR -= INVTOT
//   a journal line deleted:  auto d = masters::journalLineRemoval(line.DR, line.CR);
//                            masters::addToAccountTotals(tr, line.ACCTNO, d.dr, d.cr);
//
// The change is ONE UPDATE "DR = DR + :D, CR = CR + :C": two workstations posting to the same
// account at once cannot lose an update; the second one fails at once as busy (DbError::isBusy())
// and retries its whole save.
//
// Which events add what (the callers' rule): sales invoice DR ± INVTOT; purchase invoice
// CR ± INVTOT; issue voucher DR ± AMOUNT; return voucher CR + INVTOT; debit/credit notice
// DR ± notice DR and CR ± notice CR; journal voucher posted DR + line DR, CR + line CR; journal
// voucher deleted: journalLineRemoval(). Receipt and payment vouchers reach the totals only
// through the journal voucher that posts them.
#include "core/Money.h"
#include <QString>

namespace kv::db { class Transaction; }

namespace kv::masters {

struct TotalsDelta {
    core::Money dr;
    core::Money cr;
};

// Adds dr to ACCT.DR and cr to ACCT.CR of the account (negative amounts subtract). Returns false
// when the account does not exist (nothing changes). Throws db::DbError on a database failure.
bool addToAccountTotals(db::Transaction& tr, const QString& acctNo, core::Money dr, core::Money cr);
inline bool addToAccountTotals(db::Transaction& tr, const QString& acctNo, TotalsDelta d)
{
    return addToAccountTotals(tr, acctNo, d.dr, d.cr);
}

// Deleting a journal line: when its DR is above 0, DR -= line DR, otherwise CR -= line CR.
TotalsDelta journalLineRemoval(core::Money lineDr, core::Money lineCr);

// The balance as the screens show it: DR - CR as a positive amount "0.00" followed by " م"
// (debit) when DR exceeds CR, otherwise by " د" (credit).
QString balanceText(core::Money dr, core::Money cr);

} // namespace kv::masters
