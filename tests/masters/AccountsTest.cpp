// Accounts: numbering under a main account, the order of the card's checks, ACCTTYPE copied from
// the main account, delete refusals, suspension, main accounts, running totals.
#include "MastersFixture.h"
#include "masters/AccountTotals.h"
#include "masters/Accounts.h"

using namespace kv;
using core::Money;
using masters::Account;
using masters::AccountRepository;
using masters::MainAccount;
using masters::MainAccountRepository;
namespace text = masters::text;

namespace {

class Accounts : public test::MastersTest {
protected:
    void SetUp() override
    {
        MastersTest::SetUp();
        exec({"INSERT INTO MACT (MACTNO, MACTNM, ACCTTYPE) VALUES ('12', 'العملاء', '12')",
              "INSERT INTO MACT (MACTNO, MACTNM, ACCTTYPE) VALUES ('20', 'الموردون', '20')",
              "INSERT INTO MACT (MACTNO, MACTNM, ACCTTYPE) VALUES ('30', 'المصروفات', '700')"});
    }
    Account account(const QString& mact, const QString& name = QStringLiteral("مؤسسة النور"))
    {
        Account a = AccountRepository(*session).newAccount(mact);
        a.ACCTNAME = name;
        return a;
    }
    void addAccount(const QString& no, const QString& mact, const QString& type, const QString& dr = "0",
                    const QString& cr = "0")
    {
        exec("INSERT INTO ACCT (ACCTNO, ACCTNAME, ACCTTYPE, MACTNO, DR, CR) VALUES ('" + no + "', 'x', '" + type + "', '" +
             mact + "', " + dr + ", " + cr + ")");
    }
};

} // namespace

TEST_F(Accounts, NewAccountsAreNumberedMainAccountPlusFourDigitSerial)
{
    AccountRepository accounts(*session);
    EXPECT_EQ(accounts.proposeSerial("20"), "1");
    for (int i = 1; i <= 7; ++i) addAccount(QStringLiteral("12000%1").arg(i), "12", "12");
    EXPECT_EQ(accounts.proposeSerial("12"), "8");

    Account a = account("12");
    ASSERT_TRUE(accounts.insert(a, accounts.proposeSerial("12")).ok());
    EXPECT_EQ(a.ACCTNO, "120008");
    Account s = account("20");
    ASSERT_TRUE(accounts.insert(s, "1").ok());
    EXPECT_EQ(s.ACCTNO, "200001");
    EXPECT_EQ(accounts.find("200001")->ACCTTYPE, "20");
    EXPECT_EQ(accounts.lastAccountNo(), "200001");

    Account again = account("12");
    const masters::Check c = accounts.insert(again, "8");
    EXPECT_EQ(c.message, text::accountExists());
    EXPECT_EQ(c.field, "ACCTNO");
}

TEST_F(Accounts, TypedSerialIsAWholeNumberUpTo9999)
{
    struct Row {
        const char* typed;
        const char* padded; // nullptr: refused
    } rows[] = {{"7", "0007"}, {"42", "0042"}, {"123", "0123"}, {"9999", "9999"}, {"0", "0000"},
                {"10000", nullptr}, {"ab", nullptr}, {"", nullptr}, {"-1", nullptr}, {"1.5", nullptr}};
    for (const Row& r : rows) {
        const auto p = masters::paddedSerial(QString::fromLatin1(r.typed));
        if (r.padded) EXPECT_EQ(p.value_or("?"), QString::fromLatin1(r.padded)) << r.typed;
        else EXPECT_FALSE(p.has_value()) << r.typed;
    }
}

TEST_F(Accounts, InsertChecksComeInTheCardsOrder)
{
    AccountRepository accounts(*session);
    struct Row {
        const char* mact;
        const char* name;
        const char* serial;
        QString message;
        const char* field;
    } rows[] = {
        {"99", "", "ab", text::badAccountNumber(), "ACCTNO"},
        {"99", "", "10000", text::badAccountNumber(), "ACCTNO"},
        {"99", " ", "1", text::enterAccountName(), "ACCTNAME"}, // before the main account test
        {"99", "x", "1", text::mainAccountNotFound(), "MACTNO"},
    };
    for (const Row& r : rows) {
        Account a = account(QString::fromLatin1(r.mact), QString::fromUtf8(r.name));
        const masters::Check c = accounts.insert(a, QString::fromLatin1(r.serial));
        EXPECT_EQ(c.message, r.message) << r.serial;
        EXPECT_EQ(c.field, QString::fromLatin1(r.field)) << r.serial;
    }
    // A one-digit main account composes five characters: refused.
    exec("INSERT INTO MACT (MACTNO, MACTNM, ACCTTYPE) VALUES ('5', 'قديم', '10')");
    Account shortNo = account("5");
    EXPECT_EQ(accounts.insert(shortNo, "1").message, text::badAccountNumber());
    EXPECT_EQ(value("SELECT COUNT(*) FROM ACCT"), "0");
}

TEST_F(Accounts, EverySaveCopiesTheItemOfTheMainAccountAndKeepsTheTotals)
{
    AccountRepository accounts(*session);
    Account a = account("12");
    a.ACCTTYPE = "99"; // whatever the card held
    a.DR = Money::fromInt(500);
    ASSERT_TRUE(accounts.insert(a, "1").ok());
    EXPECT_EQ(value("SELECT ACCTTYPE || '/' || DR || '/' || ISACTIVE FROM ACCT WHERE ACCTNO = '120001'"), "12/0.00/0");

    exec({"UPDATE MACT SET ACCTTYPE = '14' WHERE MACTNO = '12'", "UPDATE ACCT SET CR = 75 WHERE ACCTNO = '120001'",
          "INSERT INTO SALREP (SALRID, NAME) VALUES ('02', 'سعيد')"});
    Account edited = *accounts.find("120001");
    edited.CR = Money(); // stale card value
    edited.ACCTNAME = "مؤسسة الفجر";
    edited.SALRID = "02";
    const masters::AccountUpdate u = accounts.update(edited);
    ASSERT_TRUE(u.ok());
    EXPECT_TRUE(u.salesmanChanged);
    const Account now = *accounts.find("120001");
    EXPECT_EQ(now.ACCTTYPE, "14");
    EXPECT_EQ(now.CR, Money::fromInt(75));
    EXPECT_EQ(now.ACCTNAME, "مؤسسة الفجر");
    EXPECT_FALSE(accounts.update(now).salesmanChanged);
}

TEST_F(Accounts, DeleteIsRefusedForAccountsWithTotalsAndForOperatorsOutsideCustomersAndSuppliers)
{
    addAccount("120001", "12", "12", "0", "250");
    addAccount("120002", "12", "12");
    addAccount("300001", "30", "700");
    exec("INSERT INTO TRANS3 (INVSEL, ACCTNO) VALUES (1, '120002')");
    AccountRepository accounts(*session);

    EXPECT_TRUE(accounts.canRemove("120001").ok());
    EXPECT_EQ(accounts.remove("120001").message, text::accountHasMovement());
    EXPECT_TRUE(accounts.remove("120002").ok()); // documents naming it do not matter

    session->vAdmin = "OP";
    EXPECT_EQ(accounts.canRemove("300001").message, text::mustBeCustomerOrSupplier());
    EXPECT_EQ(accounts.remove("300001").message, text::mustBeCustomerOrSupplier());
    session->vAdmin = "SV";
    EXPECT_TRUE(accounts.remove("300001").ok());
    EXPECT_EQ(accounts.canRemove("300001").message, text::noRecords());
}

TEST_F(Accounts, OnlyTheAdministratorSuspendsAndOnlyCustomers)
{
    addAccount("120001", "12", "12");
    addAccount("200001", "20", "20");
    AccountRepository accounts(*session);
    session->vAdmin = "OP";
    EXPECT_EQ(accounts.toggleSuspension("120001").message, text::adminOnly());
    session->vAdmin = "SV";
    EXPECT_EQ(accounts.toggleSuspension("200001").message, text::notACustomer());
    ASSERT_TRUE(accounts.toggleSuspension("120001").ok());
    EXPECT_TRUE(accounts.find("120001")->suspended());
    EXPECT_EQ(accounts.listByMainAccount("12").value(0).statusMark(), "X");
    ASSERT_TRUE(accounts.toggleSuspension("120001").ok());
    EXPECT_FALSE(accounts.find("120001")->suspended());
}

TEST_F(Accounts, MainAccountNumbersAndRenumbering)
{
    MainAccountRepository mains(*session);
    EXPECT_EQ(mains.proposeNumber(), "31");
    MainAccount seven{"7", "صندوق", "11"};
    ASSERT_TRUE(mains.save(seven).ok());
    EXPECT_EQ(seven.MACTNO, "07");
    MainAccount tooBig{"100", "x", ""};
    EXPECT_EQ(mains.save(tooBig).message, text::badAccountNumber());
    MainAccount dup{"12", "مكرر", ""};
    EXPECT_EQ(mains.save(dup).message, text::mainAccountExists());

    addAccount("120003", "12", "12");
    MainAccount renum{"15", "العملاء", "13"};
    ASSERT_TRUE(mains.save(renum, "12").ok());
    EXPECT_EQ(value("SELECT ACCTNO || '/' || MACTNO || '/' || ACCTTYPE FROM ACCT"), "150003/15/13");
    EXPECT_FALSE(mains.find("12").has_value());

    // A journal line of one of its accounts locks the number.
    exec("INSERT INTO TRANS (TRNO, LNO, ACCTNO, DR, CR) VALUES (5, 1, '150003', 10, 0)");
    EXPECT_TRUE(mains.hasJournalLines("15"));
    EXPECT_FALSE(mains.hasJournalLines("20"));
    MainAccount back{"12", "العملاء", "13"};
    EXPECT_EQ(mains.save(back, "15").message, text::mainAccountHasJournal());
    EXPECT_EQ(value("SELECT ACCTNO FROM ACCT"), "150003");

    EXPECT_EQ(mains.remove("15").message, text::mainAccountInUse());
    EXPECT_TRUE(mains.remove("07").ok());
    EXPECT_EQ(mains.remove("07").message, text::noRecords());
}

TEST_F(Accounts, DefaultItemCategories)
{
    using masters::ItemCategory;
    EXPECT_EQ(masters::categoryOf(""), ItemCategory::None);
    EXPECT_EQ(masters::categoryOf("600"), ItemCategory::Trading);
    EXPECT_EQ(masters::categoryOf("700"), ItemCategory::ProfitLoss);
    EXPECT_EQ(masters::categoryOf("12"), ItemCategory::BalanceSheet);
    EXPECT_EQ(masters::itemForCategory(ItemCategory::Trading, "12"), "600");
    EXPECT_EQ(masters::itemForCategory(ItemCategory::BalanceSheet, "12"), "12");
    EXPECT_EQ(masters::itemForCategory(ItemCategory::None, "12"), "");
    // The template brings the two fixed items and the balance-sheet items.
    const auto items = masters::balanceSheetItems(*session);
    QStringList codes;
    for (const auto& i : items) codes << i.ACCTTYPE;
    EXPECT_TRUE(codes.contains("600") && codes.contains("700") && codes.contains("12") && codes.contains("20"));
}

TEST_F(Accounts, RunningTotalsChangeByIncrements)
{
    addAccount("120001", "12", "12", "100", "40");
    db::Transaction tr(*session->MainDB);
    EXPECT_TRUE(masters::addToAccountTotals(tr, "120001", Money::fromInt(50), Money()));      // sales invoice
    EXPECT_TRUE(masters::addToAccountTotals(tr, "120001", Money(), *Money::parse(u"12.5")));  // return
    EXPECT_TRUE(masters::addToAccountTotals(tr, "120001", masters::journalLineRemoval(Money::fromInt(30), Money())));
    EXPECT_TRUE(masters::addToAccountTotals(tr, "120001", masters::journalLineRemoval(Money(), Money::fromInt(2))));
    EXPECT_FALSE(masters::addToAccountTotals(tr, "999999", Money::fromInt(1), Money()));
    tr.commit();
    EXPECT_EQ(value("SELECT DR || '/' || CR FROM ACCT WHERE ACCTNO = '120001'"), "120.00/50.50");

    struct Row {
        int dr, cr;
        const char* shown;
    } rows[] = {{120, 50, "70.00 م"}, {50, 120, "70.00 د"}, {10, 10, "0.00 د"}};
    for (const Row& r : rows)
        EXPECT_EQ(masters::balanceText(Money::fromInt(r.dr), Money::fromInt(r.cr)), QString::fromUtf8(r.shown));
}
