#include "core/Messages.h"

namespace kv::core {

void Messages::load(int uiLang)
{
    struct Text {
        QString Messages::*field;
        const char* arabic;
        const char* english;
    };
    static const Text texts[] = {
        {&Messages::mNoDel, "لا يمكن إلغاء معاملة بتاريخ سابق", "Cannot Delete back dated Transactions"},
        {&Messages::mNoChg, "لا يمكن إجراء معاملة في سنة سابقة", "Entries in past years not allowed"},
        {&Messages::mNoEnt, "لا توجد معاملات", "No entries found"},
        {&Messages::mNoDoc, "رقم المعاملة غير موجود", "Transaction No. not found"},
        {&Messages::mUSave, "هل تريد الحفظ؟", "Do you want ot save?"},
        {&Messages::mUDele, "هل تريد الإلغاء؟", "Do you want to Delete?"},
        {&Messages::mNoAct, "رقم الحساب غير موجود", "Account No. not found"},
        {&Messages::mNoItm, "رقم الصنف غير موجود", "Item No. not found"},
        {&Messages::mInUse, "الملف مشغول الآن. حاول مرة أخرى", "File is in use. Try again later"},
        {&Messages::mDeltd, "تم الإلغاء مسبقا", "Record Already deleted"},
        {&Messages::mDelPs, "يجب حذف قيد الترحيل أولا. هل تريد حذف القيد",
         "Posted Ledger should be deleted first. Delete Posted Ledger?"},
        {&Messages::mWInYr, "فضلا أدخل التاريخ ضمن السنة الحالية", "Date must be within Current Year"},
        {&Messages::mNoDte, "التاريخ غير صحيح", "Invalid date"},
        {&Messages::mNoTrN, "رقم المعاملة غير صحيح", "Transaction Numner is invalid"},
        {&Messages::mNoDta, "لا توجد بيانات لطباعتها", "No records to print"},
        {&Messages::mAdmnP, "هذا الخيار من صلاحيات المشرف", "This is an Admin Option"},
    };
    const bool english = uiLang == 1;
    for (const Text& t : texts)
        this->*t.field = QString::fromUtf8(english ? t.english : t.arabic);
}

} // namespace kv::core
