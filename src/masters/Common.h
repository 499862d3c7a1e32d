#pragma once
// Shared pieces of the master-file model: the outcome of a rule check or a save, and the fixed
// texts of the item, group, barcode, account and salesman screens.
//
// Every repository method that can refuse returns a Check: ok() when the action was done (or is
// allowed), otherwise the exact message to show, its kind (information / warning / error, as the
// screen's message box) and the column whose field should get the focus. Database failures are
// not Checks: they arrive as db::DbError (DbError::isBusy() for a row held by another
// workstation; the screens show the catalogue's in-use message for it). Example:
//
//   kv::masters::Check c = items.insert(item, typedNumber);
//   if (!c.ok()) { showMessage(c.severity, c.message); focusField(c.field); }
#include "db/Error.h"
#include <QString>

namespace kv::masters {

enum class Severity { Information, Warning, Error };

struct Check {
    QString message;  // empty when ok
    QString field;    // column to focus ("ITEMNO", "DESCR", ...); may be empty
    Severity severity = Severity::Information;

    bool ok() const { return message.isEmpty(); }
    explicit operator bool() const { return ok(); }

    static Check pass() { return {}; }
    static Check info(const QString& text, const QString& field = {}) { return {text, field, Severity::Information}; }
    static Check error(const QString& text, const QString& field = {}) { return {text, field, Severity::Error}; }
};

// True for a failure that is a refused value rather than a broken database: a duplicate key, a
// NOT NULL or CHECK violation, a text too long or a number out of range. Busy conflicts and lost
// connections are not refusals.
bool isRefusedValue(const db::DbError& e);

// Fixed texts of the master-file screens, exactly as they are shown.
namespace text {
// Items, groups, barcodes.
inline QString badUnitCount() { return QStringLiteral("عدد الوحدات غير صحيح"); }
inline QString enterItemDescription() { return QStringLiteral("فضلا أدخل بيان الصنف"); }
inline QString groupNotFound() { return QStringLiteral("رقم البند غير موجود"); }
inline QString mainGroupNotFound() { return QStringLiteral("رقم البند الرئيسي غير موجود"); }
inline QString itemExists() { return QStringLiteral("رقم الصنف موجود مسبقا"); }
inline QString itemHasMovement() { return QStringLiteral("توجد حركة لهذا الصـنف"); }
inline QString itemNotFound() { return QStringLiteral("رقم الصنف غير موجود"); }
inline QString noRecords() { return QStringLiteral("لا توجد سجلات حاليا."); }
inline QString noRecordsNoDot() { return QStringLiteral("لا توجد سجلات حاليا"); }
inline QString confirmDeleteRecord() { return QStringLiteral("هل تريد إلغاء هذا السجل؟"); }
inline QString incompleteData() { return QStringLiteral("البيانات غير مكتملة"); }
inline QString usedElsewhere() { return QStringLiteral("تم استخدام السجل بملفات أخرى"); }
inline QString groupExists() { return QStringLiteral("رقم البند الرئيسي موجود مسبقا"); }
inline QString barcodeExists() { return QStringLiteral("الباركود موجود مسبقا"); }

// Accounts and main accounts.
inline QString badAccountNumber() { return QStringLiteral("رقم الحساب غير صحيح"); }
inline QString enterAccountName() { return QStringLiteral("أدخل اسم الحساب"); }
inline QString mainAccountNotFound() { return QStringLiteral("رقم الحساب الرئيسي غير موجود"); }
inline QString accountExists() { return QStringLiteral("رقم الحساب موجود مسبقا"); }
inline QString accountNotFound() { return QStringLiteral("رقم الحساب غير موجود"); }
inline QString mustBeCustomerOrSupplier() { return QStringLiteral("يجب أن يكون الحساب لعميل أو مورد."); }
inline QString accountHasMovement() { return QStringLiteral("توجد حركة لهذا العميل"); }
inline QString adminOnly() { return QStringLiteral("هذا الخيار من صلاحيات المشرف"); }
inline QString notACustomer() { return QStringLiteral("هذا ليس برقم عميل"); }
inline QString accountNumberLocked() { return QStringLiteral("لا يمكن تعديل رقم الحساب لارتباطه بالمعاملات"); }
inline QString salesmanChangedAsk() { return QStringLiteral("تم تغيير رقم المندوب. هل تريد تحويل المعاملات السابقة؟"); }
inline QString otherAccountsNeedAdmin() { return QStringLiteral("لاضافة حسابات أخرى كالمصروفات، يجب الدخول باسم المشرف"); }
inline QString mainAccountHasJournal() { return QStringLiteral("توجد قيود للحسابات الفرعية لهذا الحساب الرئيسي "); }
inline QString mainAccountExists() { return QStringLiteral("رقم الحساب الرئيسي موجود مسبقا"); }
inline QString mainAccountInUse() { return QStringLiteral("لا يمكن إلغاء رقم الحساب الرئيسي لإرتباطه بالحسابات الفرعية"); }

// Salesmen.
inline QString enterSalesmanName() { return QStringLiteral("فضلا أدخل اسم المندوب"); }
inline QString salesmanExists() { return QStringLiteral("رقم المندوب موجود مسبقا"); }
inline QString salesmanInUse() { return QStringLiteral("تم استخدام رقم المندوب في ملف العملاء"); }
inline QString salesmanNotFound() { return QStringLiteral("رقم المندوب غير موجود"); }
inline QString salesmanNotFoundDot() { return QStringLiteral("رقم المندوب غير موجود."); }
inline QString firstSalesmanNotFound() { return QStringLiteral("رقم المندوب الأول غير موجود."); }
inline QString secondSalesmanNotFound() { return QStringLiteral("رقم المندوب الثاني غير موجود."); }
inline QString sameSalesman() { return QStringLiteral("لا يمكن التحويل لنفس المندوب"); }
inline QString confirmTransfer() { return QStringLiteral("هل تريد إجراء االتحويل؟"); }
inline QString transferNote() { return QStringLiteral("ملحوظة: تظل عمولة ومديونية المندوب الأول بدون تغيير وتبدأ عمولة ومديونية المندوب الثاني بعد التحويل"); }
inline QString badDate() { return QStringLiteral("التاريخ غير صحيح"); }
inline QString transferFailed() { return QStringLiteral("حدث خطأ أثناء الإجراء. سيتم إلغاء العملية"); }

// Cost centres.
inline QString costCentreNotFound() { return QStringLiteral("رقم مركز التكلفة غير موجود"); }
} // namespace text

} // namespace kv::masters
