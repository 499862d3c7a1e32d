#include "ui/app/Commands.h"

#include "ui/app/SMain.h"
#include "ui/common/MessageBox.h"
#include "ui/core/CPWord.h"
#include "ui/core/SUsers.h"
#include "ui/documents/QtySold.h"
#include "ui/masters/MStock.h"
#include "ui/masters/SAcct.h"
#include "ui/masters/SalRep.h"
#include "ui/masters/Searches.h"
#include "ui/masters/Stock.h"
#include "ui/tools/PrtSet.h"

namespace kv::ui {

namespace {

using core::Right;
using G = Guard;
using M = MenuId;

// The operators command: the administrator maintains the users, everybody else may change
// their own password.
void openOperators(TSMainF& w)
{
    core::Session& s = w.session();
    if (s.isAdmin()) {
        openScreen<TSUsersF>(w);
    } else if (askYesNo(&w, QStringLiteral("هل تريد تغيير رقمك السري؟"))) {
        openScreen<TCPWordF>(w);
    }
}

// The item enquiry: the item search on its own; the choice is only looked at.
void itemEnquiry(TSMainF& w)
{
    TItmSrchF search(w.session(), &w);
    search.exec();
}

void logOff(TSMainF& w) { w.logOff(); }
void exitProgram(TSMainF& w) { w.close(); }
void chooseYear(TSMainF& w) { w.chooseYear(); }
void about(TSMainF& w) { w.showAbout(); }

const char* const vatMenu = "ضريبة القيمة المضافة";
const char* const salesmanMenu = "حـركـة مبيـعـات منـدوب";
const char* const backupMenu = "الـنســخ الاحـتــيــــاطي";

const CommandDef table[] = {
    // Transactions.
    {M::Transactions, "", "فـواتـيـر  المبـيـعات", "TQtySoldF", "F2", "فاتورة F2", 5, {}, G::None, openScreen<TQtySoldF>},
    {M::Transactions, "", "ســـنـدات الإرجـــاع", "TQtyRetF", "F3", "إرجاع F3", 4, {}, G::None, nullptr},
    {M::Transactions, "", "ســنـدات التـوريـــد", "TQtyInF", "F4", "إستلام F4", 3, {}, G::None, nullptr},
    {M::Transactions, "", "ســنـدات الإصـــدار", "TQtyOutF", "F5", "إصدار F5", 2, {}, G::None, nullptr},
    {M::Transactions, "", "إذن تسـليم بضـاعة", "TQtyReqF", "F6", "", 0, {}, G::None, nullptr},
    {M::Transactions, "", "عــروض الأســـعـار", "TQuotF", "F7", "", 0, {}, G::None, nullptr},
    {M::Transactions, "", "أوامــــر الـشـــــراء", "TPOrderF", "F8", "", 0, {}, G::None, nullptr},
    {M::Transactions, "", "ســنـدات الـقـبـــض", "TRecptF", "F9", "", 0, {}, G::None, nullptr},
    {M::Transactions, "", "ســنـدات الـصـــرف", "TPaidF", "F10", "", 0, {}, G::None, nullptr},
    {M::Transactions, "", "إشعارات الـقـيــــود", "TNoticeF", "F11", "", 0, {}, G::None, nullptr},
    {M::Transactions, "", "تـسـجـيـل خــــروج", "TSLoginF", "F12", "", 0, {}, G::None, logOff},
    {M::Transactions, "", "إنهــــاء", "Close", "", "خروج", 1, {}, G::None, exitProgram},

    // Accounts.
    {M::Accounts, "", "قـائـمـة الـدخــل اليـومي", "TDaily1F", "", "", 0, Right::R01, G::Silent, nullptr},
    {M::Accounts, "", "قـائـمـة الـدخــل لـفـتــرة", "TDaily2F", "", "", 0, Right::R02, G::Silent, nullptr},
    {M::Accounts, "", "بـيـان حـركــة النـقــديـة", "TDaily3F", "", "", 0, Right::R03, G::Silent, nullptr},
    {M::Accounts, vatMenu, "حركة المبيعات لعميل", "TClntSalF", "", "", 0, {}, G::None, nullptr},
    {M::Accounts, vatMenu, "بيـان ضريبة المبيعات", "TVatSalF", "", "", 0, {}, G::None, nullptr},
    {M::Accounts, vatMenu, "بيـان ضريبة المشتريات", "TVatPurF", "", "", 0, {}, G::None, nullptr},
    {M::Accounts, vatMenu, "بيـان ضريبة المرتجعات", "TVatRetF", "", "", 0, {}, G::None, nullptr},
    {M::Accounts, "", "فـواتــيـــر الـمـبـيـعــات", "TInvRepF", "", "", 0, Right::R04, G::Silent, nullptr},
    {M::Accounts, "", "ســـــنــدات الإرجــــــاع", "TRetRepF", "", "", 0, Right::R05, G::Silent, nullptr},
    {M::Accounts, "", "ســـــنــدات الـتــوريــــد", "TQinRepF", "", "", 0, Right::R06, G::Silent, nullptr},
    {M::Accounts, "", "ســـــنــدات الاصــــــدار", "TOutRepF", "", "", 0, Right::R07, G::Silent, nullptr},
    {M::Accounts, "", "مـعـاملات صـنـف معـيـن", "TItmTrnF", "", "", 0, Right::R08, G::Silent, nullptr},
    {M::Accounts, "", "الـســـنـدات الـمـالـيــــة", "TVListF", "", "", 0, Right::R09, G::Silent, nullptr},
    {M::Accounts, salesmanMenu, "حسب بــنـــود الفواتير", "TSoldSR1F", "", "", 0, Right::R10, G::Silent, nullptr},
    {M::Accounts, salesmanMenu, "حسب إجمالي الفواتير", "TSoldSR2F", "", "", 0, Right::R10, G::Silent, nullptr},
    {M::Accounts, salesmanMenu, "حسب الأصناف المباعة", "TSoldSR3F", "", "", 0, Right::R10, G::Silent, nullptr},
    {M::Accounts, "", "حركة تحـصـيـل منــدوب", "TSalColF", "", "", 0, Right::R11, G::Silent, nullptr},
    {M::Accounts, "", "بـيـان عمـــولـة مـنـدوب", "TSalComF", "", "", 0, Right::R12, G::Silent, nullptr},
    {M::Accounts, "", "تجـاوز مبـالغ الإئـتـمـان", "TCrLimitF", "", "", 0, Right::R13, G::Silent, nullptr},
    {M::Accounts, "", "كـشـف حـساب شــامـل", "TAcRep0F", "", "", 0, Right::R14, G::Silent, nullptr},
    {M::Accounts, "", "كـشـف حـسـاب عمـيــل", "TAcRep1F", "", "", 0, Right::R14, G::Silent, nullptr},
    {M::Accounts, "", "ملخـص حسابات العمـلاء", "TAcRep2F", "", "", 0, Right::R15, G::Silent, nullptr},

    // Reports.
    {M::Reports, "", "اســــتـعـلام عـن صـــــنــف", "TItmSrchF", "", "", 0, {}, G::None, itemEnquiry},
    {M::Reports, "", "مـلـخـص حــركــة صــــنــف", "TItmSumF", "", "", 0, Right::R03, G::Silent, nullptr},
    {M::Reports, "", "بـيـان حـركـة صـنـف معيـن", "TItmMovF", "", "", 0, Right::R02, G::Silent, nullptr},
    {M::Reports, "", "تقرير تراكمي لحركة صنف", "TItmMonF", "", "", 0, Right::R02, G::Silent, nullptr},
    {M::Reports, "", "الأصـنـاف المـبـاعـة لعمـيـل", "TRSold1F", "", "", 0, {}, G::None, nullptr},
    {M::Reports, "", "مبـيـعات صــنـف للعـمـــلاء", "TRSold2F", "", "", 0, {}, G::None, nullptr},
    {M::Reports, "", "ملخـص الكمـيـات المـبـاعـة", "TRSold3F", "", "", 0, Right::R06, G::Silent, nullptr},
    {M::Reports, "", "اصـــنـاف أكـثـر حـــركـــة", "TItmFastF", "", "", 0, Right::R06, G::Silent, nullptr},
    {M::Reports, "", "اصـــنـاف غـيـر متـحــركــة", "TItmSlowF", "", "", 0, Right::R06, G::Silent, nullptr},
    {M::Reports, "", "تـاريـخ آخــر حـركـة بـيــع", "TLSaleF", "", "", 0, {}, G::None, nullptr},
    {M::Reports, "", "الأصـناف المشتراة من مورد", "TRPurch1F", "", "", 0, {}, G::None, nullptr},
    {M::Reports, "", "اصـناف منتـهيـة الصـلاحيـة", "TItmExpF", "", "", 0, Right::R06, G::Silent, nullptr},
    {M::Reports, "", "اصـناف دون الـحــد الأدنـى", "TItmLevF", "", "", 0, Right::R06, G::Silent, nullptr},
    {M::Reports, "", "تـقـيـيـم مـوجـز للمـخـــزون", "TOnScrnF", "", "", 0, Right::R21, G::Silent, nullptr},
    {M::Reports, "", "قائمة بالأصـناف والكميـات", "TQListF", "", "", 0, Right::R05, G::Silent, nullptr},
    {M::Reports, "", "تقـريـر المسـتودع لفـتـرة", "TSPFinR2F", "", "", 0, Right::R07, G::Silent, nullptr},
    {M::Reports, "", "التقرير الختامي للمسـتودع", "TFinRepF", "", "", 0, Right::R07, G::Silent, nullptr},

    // Files.
    {M::Files, "", "ملـف بـنــود الأصــنـاف", "TMStockF", "", "", 0, Right::T25, G::Silent, openScreen<TMStockF>},
    {M::Files, "", "ملـف بيانات الأصــنـاف", "TStockF", "", "الأصـناف", 6, {}, G::None, openScreen<TStockF>},
    {M::Files, "", "ملـف حسـابات العـمـلاء", "TSAcctF", "", "العمـلاء", 7, {}, G::None, openScreen<TSAcctF>},
    {M::Files, "", "ملـف منـدوبي المبيعات", "TSalRepF", "", "", 0, {}, G::None, openScreen<TSalRepF>},
    {M::Files, "", "ملـف بيانات المشـغـلين", "TSUsersF", "", "", 0, {}, G::None, openOperators},

    // Settings.
    {M::Settings, "", "الأرصــــدة الافتـتــاحـيــة", "TOpenStkF", "", "", 0, Right::T09, G::Message, nullptr},
    {M::Settings, "", "المقارنة بالجرد الفعلي", "TFStockF", "", "", 0, {}, G::AdminOnly, nullptr},
    {M::Settings, "", "جـــرد أصــنـاف مخـتارة", "TStkChkF", "", "", 0, {}, G::None, nullptr},
    {M::Settings, "", "صيـانة قواعد البيانات", "TSMaintF", "", "", 0, Right::T11, G::Message, nullptr},
    {M::Settings, backupMenu, "للســنـة الـحــالـيـة", "TCTablesF", "", "", 0, {}, G::None, nullptr},
    {M::Settings, backupMenu, "لجميـع السـنوات", "TKVBackF", "", "", 0, {}, G::None, nullptr},
    {M::Settings, "", "إخـتـيــار ســـنــة مـالـيــة", "TSelYearF", "", "", 0, {}, G::None, chooseYear},
    {M::Settings, "", "فتـح سنة مالية جديدة", "TSNewYrF", "", "", 0, Right::T10, G::Message, nullptr},
    {M::Settings, "", "بـيـــانـــات المنــشــــــأة", "TFirmInfoF", "", "", 0, {}, G::None, nullptr},
    {M::Settings, "", "إعــــدادات الـطــبــاعـة", "TPrtSetF", "", "", 0, Right::T12, G::Silent, openScreen<TPrtSetF>},
    {M::Settings, "", "إعـــــدادات الـنـظــــــام", "TBranchF", "", "", 0, {}, G::None, nullptr},
    {M::Settings, "", "حــــــول الــبـرنــــــامـــج", "About", "", "", 0, {}, G::None, about},
};

} // namespace

std::span<const CommandDef> commandTable()
{
    return table;
}

QString menuCaption(MenuId menu)
{
    switch (menu) {
    case MenuId::Transactions: return QStringLiteral(" المعاملات ");
    case MenuId::Accounts: return QStringLiteral(" الحسابات ");
    case MenuId::Reports: return QStringLiteral(" التقاريـر ");
    case MenuId::Files: return QStringLiteral(" الملفـات ");
    case MenuId::Settings: return QStringLiteral("إعدادات");
    }
    return {};
}

} // namespace kv::ui
