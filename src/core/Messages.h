#pragma once
#include <QString>

namespace kv::core {

// The common messages in the interface language (0 Arabic, anything else... see load()).
struct Messages {
    QString mNoDel, mNoChg, mNoEnt, mNoDoc, mUSave, mUDele, mNoAct, mNoItm,
            mInUse, mDeltd, mDelPs, mWInYr, mNoDte, mNoTrN, mNoDta, mAdmnP;

    // MsgProc: English texts when uiLang is 1, Arabic otherwise.
    void load(int uiLang);
};

// Other fixed texts shared by several screens.
namespace text {
inline const char* noRights() { return "لا توجد لديك صلاحيات كافية لهذا الاجراء."; }
inline const char* dbUnreachable() { return "لا يمكن الوصول إلى قاعدة البيانات"; }
inline const char* invalidLogin() { return "تسجيل الدخول غير صحيح"; }
inline const char* wrongPassword() { return "الرقم السري غير صحيح"; }
inline const char* notAvailableYet() { return "هذه الشاشة غير متاحة بعد"; }
} // namespace text

} // namespace kv::core
