#pragma once
// The chart of accounts of the open year: sub-accounts (ACCT), main accounts (MACT) and the
// balance-sheet items (BSFILE, read only). Plain classes over the session's year connection; each
// method runs in its own short transaction and commits.
//
//   masters::AccountRepository accounts(session);
//   QString serial = accounts.proposeSerial("12");          // "8" after 120001..120007, "1" when none
//   masters::Account a = accounts.newAccount("12");          // DR = CR = 0, ISACTIVE 0, ACCTTYPE of MACT 12
//   a.ACCTNAME = "...";
//   masters::Check c = accounts.insert(a, serial);           // a.ACCTNO = "120008" on success
//   masters::AccountUpdate u = accounts.update(edited);      // u.salesmanChanged -> ask about the transfer
//   accounts.canRemove(acctNo) / accounts.remove(acctNo);    // before / after the screen's question
//   accounts.toggleSuspension(acctNo);                       // the list page's "تعطيل الحساب"
//
// Running totals (DR, CR) are never written here: documents change them through
// addToAccountTotals() (AccountTotals.h). Refusals come back as Checks with the exact message and
// the column to focus; database failures throw db::DbError.
#include "core/Money.h"
#include "masters/Common.h"
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace kv::core { struct Session; }

namespace kv::masters {

// The national address of an account (the address window), also copied onto tax invoices.
struct AccountAddress {
    QString BUILDNO, STREETNM, STREETNME, DISTRICT, DISTRICTE, CITY, CITYE, COUNTRY, COUNTRYE, PCODE,
            ADDRN2, TAXCODE, OTHERID;
};

// One ACCT row.
struct Account {
    QString ACCTNO, ACCTNAME, ACCTNAM2, ACCTTYPE, TEL, TEL2, FAX, MACTNO;
    core::Money DR, CR;
    QString ATTN, LOCAT, LOCAT2, LOCATNO, POBOX;
    core::Money CRLIMIT1, CRLIMIT2; // payment period in days; credit limit (0: none)
    QString SALRID;
    int SPRICE = 0;    // 0 "نـعــم", 1 "لا"
    int ISACTIVE = 0;  // 0 active "متحرك", 1 suspended "معطـل"
    QString ISSMS;
    QDate NDATE;
    int MCLNT = 0;
    AccountAddress address;

    bool suspended() const { return ISACTIVE != 0; }
};

// A row of the account lists and the account search.
struct AccountListRow {
    QString ACCTNO, MACTNO, ACCTNAME, ACCTNAM2, ACCTTYPE, SALRID, TEL;
    int ISACTIVE = 0;
    core::Money CRLIMIT2; // the credit limit, printed with the list
    QString statusMark() const { return ISACTIVE == 1 ? QStringLiteral("X") : QString(); } // list column "؟"
};

struct MainAccount {
    QString MACTNO, MACTNM, ACCTTYPE;
};

struct BalanceSheetItem {
    QString ACCTTYPE, NAME, CAT;
};

// The category of a main account's default item.
enum class ItemCategory {
    None,         // "." : no default item
    BalanceSheet, // "  الـميــزانــيــــــــــــة"
    Trading,      // "  المتاجرة والتشـغيـل" (600)
    ProfitLoss,   // "  الأربـاح والخـسـائـر" (700)
};
ItemCategory categoryOf(const QString& acctType);
// The item code a category writes: None -> "", Trading -> "600", ProfitLoss -> "700",
// BalanceSheet -> the code chosen in the drop-down.
QString itemForCategory(ItemCategory c, const QString& chosenBalanceSheetItem);
QString categoryCaption(ItemCategory c);

// Serial typed on the card: a whole number 0..9999 ("رقم الحساب غير صحيح" otherwise), padded to
// four digits ("7" -> "0007").
std::optional<QString> paddedSerial(const QString& typed);

struct AccountUpdate {
    Check check;
    bool salesmanChanged = false; // the salesman differs from the stored one: ask about the transfer
    bool ok() const { return check.ok(); }
};

class AccountRepository {
public:
    explicit AccountRepository(const core::Session& s);

    std::optional<Account> find(const QString& acctNo) const;
    bool exists(const QString& acctNo) const;
    QString lastAccountNo() const; // highest ACCTNO, the card opens on it
    QList<AccountListRow> list() const;                             // ACCTNO order
    QList<AccountListRow> listByMainAccount(const QString& mactNo) const;

    // A new row under a main account: ACCTTYPE copied from it, DR = CR = 0, ISACTIVE = 0.
    Account newAccount(const QString& mactNo) const;
    // Next serial under the main account: characters 3..6 of its highest ACCTNO plus 1, without
    // leading zeros; "1" when it has none.
    QString proposeSerial(const QString& mactNo) const;

    // Insert in the card's order: serial (a whole number up to 9999) "رقم الحساب غير صحيح"
    // (field ACCTNO), name "أدخل اسم الحساب" (ACCTNAME), main account "رقم الحساب الرئيسي غير موجود"
    // (MACTNO), composed number of six characters or more "رقم الحساب غير صحيح", then ACCTTYPE from
    // the main account, DR = CR = 0, and the row stored; a duplicate gives "رقم الحساب موجود مسبقا".
    Check insert(Account& account, const QString& typedSerial);
    // The card's edit: name and main account checked, ACCTTYPE copied from the main account; the
    // number, DR, CR, ISACTIVE, SPRICE and the address are kept.
    AccountUpdate update(const Account& edited);
    // The address window's save.
    Check updateAddress(const QString& acctNo, const AccountAddress& address);

    // Before the question: an "OP" user may only delete accounts under the customers' (gAType) or
    // suppliers' (gATyp2) main account ("يجب أن يكون الحساب لعميل أو مورد."); "لا توجد سجلات حاليا."
    // when the account is missing.
    Check canRemove(const QString& acctNo) const;
    // After Yes: refused with "توجد حركة لهذا العميل" while DR + CR is not 0 (tested in the
    // deleting statement itself).
    Check remove(const QString& acctNo);
    // Suspend / reactivate: only "SV" ("هذا الخيار من صلاحيات المشرف"), only accounts whose
    // ACCTTYPE is gAType ("هذا ليس برقم عميل").
    Check toggleSuspension(const QString& acctNo);

private:
    const core::Session& s_;
};

class MainAccountRepository {
public:
    explicit MainAccountRepository(const core::Session& s);

    QList<MainAccount> list() const; // MACTNO order
    std::optional<MainAccount> find(const QString& mactNo) const;
    // The last MACTNO as a number plus 1 ("1" when none), two digits below 10.
    QString proposeNumber() const;
    // Whether journal lines exist for accounts mactNo+"0000" .. mactNo+"9999": the number is then
    // locked for the edit ("توجد قيود للحسابات الفرعية لهذا الحساب الرئيسي ").
    bool hasJournalLines(const QString& mactNo) const;
    // Insert (originalMactNo empty) or update. The number must be a whole number 0..99
    // ("رقم الحساب غير صحيح", field MACTNO) and is stored with two digits ("7" -> "07"). When an
    // update changes the number, every account of the old number moves to the new one
    // (ACCTNO = new number + the old number from its third character: 120003 -> 150003;
    // ACCTTYPE = the default item), in the same transaction; a number with journal lines
    // (hasJournalLines) is refused with that message. Any other failure (an existing number)
    // gives "رقم الحساب الرئيسي موجود مسبقا". main.MACTNO holds the stored number on success.
    Check save(MainAccount& main, const QString& originalMactNo = {});
    // "لا توجد سجلات حاليا." when missing; refused while accounts use it.
    Check remove(const QString& mactNo);

private:
    const core::Session& s_;
};

// BSFILE in ACCTTYPE order.
QList<BalanceSheetItem> balanceSheetItems(const core::Session& s);

} // namespace kv::masters
