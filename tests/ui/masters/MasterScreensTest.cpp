// The master-file screens: the item search, the item card's rights, cost visibility and delete
// rule, the numbering of a new customer account, and the main window's commands that open them.
#include "../UiTest.h"

#include "core/Users.h"
#include "db/Connection.h"
#include "masters/Accounts.h"
#include "masters/Items.h"
#include "tools/ListReport.h"
#include "ui/app/Commands.h"
#include "ui/app/SMain.h"
#include "ui/masters/SAcct.h"
#include "ui/masters/MStock.h"
#include "ui/masters/Searches.h"
#include "ui/masters/Stock.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>
#include <QTest>

using namespace kv;
using kv::test::ModalScript;

namespace {

class MasterScreens : public kv::test::ScreenTest {
protected:
    void addGroup(const QString& artNo, const QString& name)
    {
        ASSERT_TRUE(masters::ItemGroupRepository(*session).save({artNo, name}).ok());
    }
    void addItem(const QString& itemNo, const QString& artNo, const QString& descr)
    {
        masters::Item it = masters::ItemRepository::newItem(artNo);
        it.DESCR = descr;
        it.UCOST = core::Money::fromInt(7);
        const masters::Check c = masters::ItemRepository(*session).insert(it, itemNo);
        ASSERT_TRUE(c.ok()) << c.message.toStdString();
    }
    void setOnHand(const QString& itemNo, const QString& onHand)
    {
        db::Transaction tr(*session->MainDB);
        tr.execute(QStringLiteral("update STOCK set ONHAND = %1 where ITEMNO = :ITEMNO").arg(onHand),
                   {{"ITEMNO", db::Value(itemNo)}});
        tr.commit();
    }
    void beOperator(std::initializer_list<core::Right> granted)
    {
        session->vAdmin = QStringLiteral("OP");
        for (auto& f : session->rights.flag)
            f = QStringLiteral("F");
        for (core::Right r : granted)
            session->rights[r] = QStringLiteral("T");
    }
};

void activate(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

} // namespace

TEST_F(MasterScreens, ItemSearchFindsByNumberPrefixAndByANameFragmentWithAQuote)
{
    addGroup(QStringLiteral("12"), QStringLiteral("أدوات"));
    addItem(QStringLiteral("1201"), QStringLiteral("12"), QStringLiteral("قلم أزرق"));
    addItem(QStringLiteral("1202"), QStringLiteral("12"), QStringLiteral("دفتر"));
    addItem(QStringLiteral("3001"), QStringLiteral("12"), QStringLiteral("شاي 'العروسة' أحمر"));

    ui::TItmSrchF search(*session);
    ASSERT_NO_FATAL_FAILURE(activate(&search));
    EXPECT_EQ(search.windowTitle(), QStringLiteral("بحث في بنود الأصـناف"));
    QLineEdit* box = search.list()->edit();
    QTableView* grid = search.list()->grid();
    const auto shown = [&] {
        QStringList keys;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            keys << grid->model()->index(r, 0).data().toString();
        return keys;
    };

    const struct {
        const char* typed;
        QStringList expected;
    } cases[] = {
        {"12", {QStringLiteral("1201"), QStringLiteral("1202")}},
        {"120", {QStringLiteral("1201"), QStringLiteral("1202")}},
        {"30", {QStringLiteral("3001")}},
        {"'العرو", {QStringLiteral("3001")}},
        {"أزرق", {QStringLiteral("1201")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        box->clear();
        box->setFocus();
        kv::test::typeText(box, QString::fromUtf8(c.typed));
        EXPECT_EQ(shown(), c.expected);
    }

    // The quoted fragment again; Enter moves to the grid, Enter there chooses.
    box->clear();
    kv::test::typeText(box, QStringLiteral("'العرو"));
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), QStringLiteral("شاي 'العروسة' أحمر"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_A); // other keys in the grid are ignored
    EXPECT_TRUE(search.isVisible());
    QTest::keyClick(grid, Qt::Key_Return);

    EXPECT_EQ(search.result(), QDialog::Accepted);
    EXPECT_TRUE(session->mFound);
    EXPECT_EQ(search.chosenKey(), QStringLiteral("3001"));
    ASSERT_TRUE(search.chosenItem());
    EXPECT_EQ(search.chosenItem()->DESCR, QStringLiteral("شاي 'العروسة' أحمر"));
}

TEST_F(MasterScreens, ItemSearchWithoutAChoiceLeavesNothingFound)
{
    ui::TItmSrchF search(*session);
    ASSERT_NO_FATAL_FAILURE(activate(&search));
    kv::test::typeText(search.list()->edit(), QStringLiteral("لا يوجد صنف بهذا الاسم"));
    {
        ModalScript script;
        script.then(ModalScript::ok());
        QTest::keyClick(search.list()->grid(), Qt::Key_Return); // an empty grid
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, QStringLiteral("رقم الصنف غير موجود"));
    }
    EXPECT_FALSE(session->mFound);
    EXPECT_TRUE(search.chosenKey().isEmpty());
}

TEST_F(MasterScreens, AnOperatorWithoutT16CannotAddAnItem)
{
    addGroup(QStringLiteral("20"), QStringLiteral("مواد"));
    addItem(QStringLiteral("2001"), QStringLiteral("20"), QStringLiteral("سكر"));
    beOperator({core::Right::T18});
    ui::TStockF screen(*session);
    screen.show();

    ModalScript script;
    screen.SBInsert->trigger();
    QTest::keyClick(&screen, Qt::Key_Insert);
    EXPECT_TRUE(script.seen().empty()); // refused silently
    EXPECT_EQ(screen.mode(), ui::TStockF::Mode::Browse);
    EXPECT_FALSE(screen.DBEDescr->isEnabled());

    // The edit right alone still allows editing.
    screen.editItem();
    EXPECT_EQ(screen.mode(), ui::TStockF::Mode::Edit);
    screen.cancelEdit();
}

TEST_F(MasterScreens, CostsAreShownOnlyWithTheCostRight)
{
    addGroup(QStringLiteral("21"), QStringLiteral("مواد"));
    addItem(QStringLiteral("2101"), QStringLiteral("21"), QStringLiteral("أرز"));
    const struct {
        const char* who;
        bool operatorClass;
        bool costRight;
        bool visible;
    } cases[] = {
        {"operator with R21", true, true, true},
        {"operator without R21", true, false, false},
        {"administrator", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.who);
        if (c.operatorClass) {
            beOperator(c.costRight ? std::initializer_list<core::Right>{core::Right::R21}
                                   : std::initializer_list<core::Right>{});
        } else {
            session->vAdmin = QStringLiteral("SV");
        }
        ui::TStockF screen(*session);
        screen.show();
        ASSERT_TRUE(screen.positionOn(QStringLiteral("2101")));
        for (QWidget* w : std::initializer_list<QWidget*>{screen.DBEUCost, screen.LblUCost, screen.DBEMarkup,
                                                          screen.LblMarkup, screen.LblCost, screen.LblCostL,
                                                          screen.LblCurVal})
            EXPECT_EQ(w->isVisible(), c.visible) << w->objectName().toStdString();
        EXPECT_TRUE(screen.LblOnHand->isVisible());

        screen.showListPage();
        EXPECT_EQ(!screen.DBGList->isColumnHidden(3), c.visible);
        bool printsCost = false;
        for (const auto& col : screen.listReport().table.columns)
            printsCost = printsCost || col.caption == QStringLiteral("سعر التكلفة");
        EXPECT_EQ(printsCost, c.visible);
        bool exportsCost = false;
        for (const auto& col : screen.listTable().columns)
            exportsCost = exportsCost || col.caption == QStringLiteral("التكلفة");
        EXPECT_EQ(exportsCost, c.visible);
    }
}

TEST_F(MasterScreens, AnItemWithStockOnHandCannotBeDeleted)
{
    addGroup(QStringLiteral("50"), QStringLiteral("أجهزة"));
    const struct {
        const char* itemNo;
        const char* onHand;
        bool deleted;
    } cases[] = {
        {"5001", "0.01", false},
        {"5002", "-3", false},
        {"5003", "0", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.itemNo);
        const QString itemNo = QString::fromLatin1(c.itemNo);
        addItem(itemNo, QStringLiteral("50"), QStringLiteral("جهاز"));
        setOnHand(itemNo, QString::fromLatin1(c.onHand));

        ui::TStockF screen(*session);
        ASSERT_TRUE(screen.positionOn(itemNo));
        ModalScript script;
        script.then(ModalScript::ok()).then(ModalScript::ok());
        screen.deleteItem();

        ASSERT_EQ(script.seen().size(), 1u);
        if (c.deleted) {
            EXPECT_EQ(script.seen()[0].text, session->msg.mUDele);
        } else {
            EXPECT_EQ(script.seen()[0].text, QStringLiteral("توجد حركة لهذا الصـنف"));
            EXPECT_EQ(script.seen()[0].icon, int(QMessageBox::Critical));
        }
        EXPECT_EQ(masters::ItemRepository(*session).exists(itemNo), !c.deleted);
    }
}

TEST_F(MasterScreens, AGroupInUseIsKeptAnEmptyOneGoesAndATakenNumberIsRefused)
{
    addGroup(QStringLiteral("98"), QStringLiteral("مستعمل"));
    addItem(QStringLiteral("9801"), QStringLiteral("98"), QStringLiteral("صنف"));
    addGroup(QStringLiteral("99"), QStringLiteral("فارغ"));

    ui::TMStockF screen(*session);
    screen.last(); // 99, empty: asked, then deleted
    {
        ModalScript script;
        script.then(ModalScript::ok());
        screen.deleteGroup();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, masters::text::confirmDeleteRecord());
    }
    screen.last(); // 99 is gone; 98 holds an item: refused without a question
    EXPECT_EQ(screen.DBEArtNo->text(), QStringLiteral("98"));
    {
        ModalScript script;
        script.then(ModalScript::ok());
        screen.deleteGroup();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, masters::text::usedElsewhere());
    }
    screen.last();
    EXPECT_EQ(screen.DBEArtNo->text(), QStringLiteral("98"));

    // A new group under a number on file.
    screen.insertGroup();
    screen.DBEArtNo->setText(QStringLiteral("98"));
    screen.DBEArtNm->setText(QStringLiteral("مكرر"));
    {
        ModalScript script;
        script.then(ModalScript::ok());
        EXPECT_FALSE(screen.saveGroup());
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, masters::text::groupExists());
    }
    screen.cancelEdit();
}

TEST_F(MasterScreens, ANewCustomerAccountGetsTheNextSerialOfItsMainAccount)
{
    masters::MainAccountRepository mains(*session);
    for (const char* no : {"12", "13"}) {
        masters::MainAccount m{QString::fromLatin1(no), QStringLiteral("العملاء"), QStringLiteral("12")};
        ASSERT_TRUE(mains.save(m).ok());
    }
    masters::AccountRepository accounts(*session);
    for (int i = 1; i <= 7; ++i) {
        masters::Account a = accounts.newAccount(QStringLiteral("12"));
        a.ACCTNAME = QStringLiteral("عميل %1").arg(i);
        ASSERT_TRUE(accounts.insert(a, QString::number(i)).ok());
    }

    const struct {
        const char* mactNo;
        const char* proposed;
        const char* stored;
    } cases[] = {
        {"12", "8", "120008"},
        {"13", "1", "130001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mactNo);
        ui::TSAcctF screen(*session);
        screen.show();
        screen.insertAccount();
        ASSERT_EQ(screen.mode(), ui::TSAcctF::Mode::Insert);
        screen.DBEMactNo->setText(QString::fromLatin1(c.mactNo));
        screen.mainAccountLeft();
        EXPECT_EQ(screen.DBEAcctNo->text(), QString::fromLatin1(c.proposed));
        screen.accountNumberLeft();
        EXPECT_EQ(screen.DBEAcctNo->text(), QString::fromLatin1(c.proposed).rightJustified(4, QLatin1Char('0')));
        kv::test::typeText(screen.DBEName, QStringLiteral("مؤسسة النور"));

        ModalScript script;
        EXPECT_TRUE(screen.saveAccount());
        EXPECT_TRUE(script.seen().empty());
        EXPECT_EQ(screen.mode(), ui::TSAcctF::Mode::Browse);
        ASSERT_TRUE(screen.currentAccount());
        EXPECT_EQ(screen.currentAccount()->ACCTNO, QString::fromLatin1(c.stored));
        const auto saved = accounts.find(QString::fromLatin1(c.stored));
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->MACTNO, QString::fromLatin1(c.mactNo));
        EXPECT_EQ(saved->ACCTNAME, QStringLiteral("مؤسسة النور"));
    }
}

TEST_F(MasterScreens, TheCostCentreSearchRefusesACentreDeletedMeanwhile)
{
    {
        db::Transaction tr(*session->MainDB);
        tr.execute(QStringLiteral("update or insert into CCENT (CENTNO, CENTNM) values (1, 'فرع الرياض') matching (CENTNO)"));
        tr.execute(QStringLiteral("update or insert into CCENT (CENTNO, CENTNM) values (2, 'فرع جدة') matching (CENTNO)"));
        tr.commit();
    }
    const struct {
        const char* what;
        bool deleted;
    } cases[] = {{"still there", false}, {"deleted meanwhile", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui::TCCSrchF search(*session);
        ASSERT_NO_FATAL_FAILURE(activate(&search));
        QTest::keyClick(search.list()->edit(), Qt::Key_Return); // to the grid, on centre 1
        if (c.deleted) {
            db::Transaction tr(*session->MainDB);
            tr.execute(QStringLiteral("delete from CCENT where CENTNO = 1"));
            tr.commit();
        }
        ModalScript script;
        script.then(ModalScript::ok());
        QTest::keyClick(search.list()->grid(), Qt::Key_Return);

        EXPECT_EQ(session->mFound, !c.deleted);
        if (c.deleted) {
            ASSERT_EQ(script.seen().size(), 1u);
            EXPECT_EQ(script.seen()[0].text, QStringLiteral("رقم مركز التكلفة غير موجود"));
            EXPECT_TRUE(search.chosenKey().isEmpty());
        } else {
            EXPECT_TRUE(script.seen().empty());
            ASSERT_TRUE(search.chosenCentre());
            EXPECT_EQ(search.chosenCentre()->CENTNM, QStringLiteral("فرع الرياض"));
        }
    }
}

TEST_F(MasterScreens, TheAccountListPrintShowsEachCreditLimit)
{
    masters::MainAccount suppliers{QStringLiteral("15"), QStringLiteral("الموردون"), QStringLiteral("12")};
    ASSERT_TRUE(masters::MainAccountRepository(*session).save(suppliers).ok());
    masters::AccountRepository accounts(*session);
    const int limits[] = {1500, 0};
    for (int i = 0; i < 2; ++i) {
        masters::Account a = accounts.newAccount(QStringLiteral("15"));
        a.ACCTNAME = QStringLiteral("مورد");
        a.CRLIMIT2 = core::Money::fromInt(limits[i]);
        ASSERT_TRUE(accounts.insert(a, QString::number(i + 1)).ok());
    }
    ui::TSAcctF screen(*session);
    QStringList printed; // the print lists every account; these are the main account's
    for (const tools::Row& row : screen.listReport().table.rows)
        if (std::get<QString>(row.at(0)).startsWith(QLatin1String("15")))
            printed << std::get<QString>(row.at(0)) + u' ' + std::get<db::Decimal>(row.at(3)).toString();
    EXPECT_EQ(printed, (QStringList{QStringLiteral("150001 1500.00"), QStringLiteral("150002 0.00")}));
}

TEST_F(MasterScreens, TheMainWindowCommandsOpenTheMasterScreens)
{
    ui::TSMainF window(*session);
    window.setLoginOnShow(false);
    window.setEndProgram([] {});
    {
        ModalScript script;
        script.then(kv::test::logInAs(core::adminName(), adminPassword()));
        ASSERT_TRUE(window.logIn());
    }
    const struct {
        const char* caption;
        const char* screen;
    } cases[] = {
        {"ملـف بـنــود الأصــنـاف", "TMStockF"},
        {"ملـف بيانات الأصــنـاف", "TStockF"},
        {"ملـف حسـابات العـمـلاء", "TSAcctF"},
        {"ملـف منـدوبي المبيعات", "TSalRepF"},
        {"اســــتـعـلام عـن صـــــنــف", "TItmSrchF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        QAction* action = window.menuAction(QString::fromUtf8(c.caption));
        ASSERT_TRUE(action);
        ModalScript script;
        action->trigger();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].objectName, QString::fromLatin1(c.screen));
    }
}
