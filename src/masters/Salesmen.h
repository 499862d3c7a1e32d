#pragma once
// Salesmen of the open year (SALREP) and the two transfers between salesmen. Plain class over the
// session's year connection; each method runs in its own transaction and commits.
//
//   masters::SalesmanRepository reps(session);
//   masters::Check c = reps.save({"03", "سعيد", ...});          // insert
//   c = reps.save(edited, "03");                                 // update of salesman 03
//   c = reps.remove("03");        // "تم استخدام رقم المندوب في ملف العملاء" while a customer has him
//   masters::TransferResult t = reps.transferCustomers("01", "02");   // all ACCT.SALRID 01 -> 02
//   c = reps.transferTransactions(acctNo, "02", date);  // TRANS, TRANS1, TRANS3, TRANS3D from date on
//
// Both transfers run in one transaction each: all of their updates or none. A database failure
// throws db::DbError after rolling back (the transaction-transfer window shows
// text::transferFailed() for it, the busy message when isBusy()).
#include "core/Money.h"
#include "masters/Common.h"
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace kv::core { struct Session; }

namespace kv::masters {

struct Salesman {
    QString SALRID, NAME;
    core::Money CMSN, CMSNB, PERC, PERCB; // the screen edits PERC only
};

// Commission on an amount: amount × PERC / 100, rounded to 2 decimals (2.5 % of 1000.00 = 25.00).
core::Money commission(core::Money amount, core::Money perc);

struct TransferResult {
    Check check;
    int moved = 0; // accounts re-labelled
    bool ok() const { return check.ok(); }
};

class SalesmanRepository {
public:
    explicit SalesmanRepository(const core::Session& s);

    QList<Salesman> list() const; // SALRID order
    std::optional<Salesman> find(const QString& salrId) const;

    // Insert (originalSalrId empty) or update. An empty name: "فضلا أدخل اسم المندوب" (field
    // NAME); an empty, too long or existing number: "رقم المندوب موجود مسبقا" (field SALRID).
    // The update writes SALRID, NAME and PERC.
    Check save(const Salesman& salesman, const QString& originalSalrId = {});
    // "لا توجد سجلات حاليا." when missing; "تم استخدام رقم المندوب في ملف العملاء" while an account
    // carries the number.
    Check remove(const QString& salrId);
    // Whether an account carries the number.
    bool inUse(const QString& salrId) const;

    // Moves every customer of `from` to `to` (only ACCT.SALRID; documents keep their salesman).
    // Checks in order: "رقم المندوب الأول غير موجود." (field FROM), "رقم المندوب الثاني غير موجود."
    // (field TO), "لا يمكن التحويل لنفس المندوب".
    TransferResult transferCustomers(const QString& from, const QString& to);

    // Re-labels one account's journal lines, purchases, sales invoices and their lines dated on or
    // after `from` with salesman salrId. An invalid date gives "التاريخ غير صحيح".
    Check transferTransactions(const QString& acctNo, const QString& salrId, const QDate& from);

private:
    const core::Session& s_;
};

} // namespace kv::masters
