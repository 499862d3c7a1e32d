// Salesmen: the card's rules, delete refusal, and the two transfers, each all or nothing.
#include "MastersFixture.h"
#include "masters/Salesmen.h"

using namespace kv;
using core::Money;
using masters::Salesman;
using masters::SalesmanRepository;
namespace text = masters::text;

namespace {

class Salesmen : public test::MastersTest {
protected:
    void SetUp() override
    {
        MastersTest::SetUp();
        SalesmanRepository reps(*session);
        ASSERT_TRUE(reps.save({"01", "أحمد", {}, {}, *Money::parse(u"2.5"), {}}).ok());
        ASSERT_TRUE(reps.save({"02", "سعيد", {}, {}, {}, {}}).ok());
    }
};

} // namespace

TEST_F(Salesmen, SaveRules)
{
    SalesmanRepository reps(*session);
    struct Row {
        const char* no;
        const char* name;
        QString message;
        const char* field;
    } rows[] = {{"03", "", text::enterSalesmanName(), "NAME"},
                {"01", "مكرر", text::salesmanExists(), "SALRID"},
                {"", "بدون رقم", text::salesmanExists(), "SALRID"},
                {"123", "طويل", text::salesmanExists(), "SALRID"}};
    for (const Row& r : rows) {
        const masters::Check c = reps.save({QString::fromLatin1(r.no), QString::fromUtf8(r.name), {}, {}, {}, {}});
        EXPECT_EQ(c.message, r.message) << r.no;
        EXPECT_EQ(c.field, QString::fromLatin1(r.field)) << r.no;
    }
    Salesman s = *reps.find("02");
    s.NAME = "سعيد علي";
    s.PERC = Money::fromInt(3);
    ASSERT_TRUE(reps.save(s, "02").ok());
    EXPECT_EQ(reps.find("02")->NAME, "سعيد علي");
    EXPECT_EQ(reps.find("02")->PERC, Money::fromInt(3));
    EXPECT_EQ(reps.list().size(), 2);
}

TEST_F(Salesmen, SalesmanOfACustomerCannotBeDeleted)
{
    exec("INSERT INTO ACCT (ACCTNO, ACCTTYPE, SALRID) VALUES ('120001', '12', '01')");
    SalesmanRepository reps(*session);
    EXPECT_EQ(reps.remove("01").message, text::salesmanInUse());
    EXPECT_TRUE(reps.remove("02").ok());
    EXPECT_EQ(reps.remove("02").message, text::noRecords());
}

TEST_F(Salesmen, CustomerTransferMovesOnlyTheAccounts)
{
    exec({"INSERT INTO ACCT (ACCTNO, ACCTTYPE, SALRID) VALUES ('120001', '12', '01')",
          "INSERT INTO ACCT (ACCTNO, ACCTTYPE, SALRID) VALUES ('120002', '12', '01')",
          "INSERT INTO ACCT (ACCTNO, ACCTTYPE, SALRID) VALUES ('120003', '12', '02')",
          "INSERT INTO TRANS3 (INVSEL, ACCTNO, SALRID) VALUES (1, '120001', '01')"});
    SalesmanRepository reps(*session);
    struct Row {
        const char *from, *to;
        QString message;
    } refused[] = {{"09", "02", text::firstSalesmanNotFound()},
                   {"01", "09", text::secondSalesmanNotFound()},
                   {"01", "01", text::sameSalesman()}};
    for (const Row& r : refused) EXPECT_EQ(reps.transferCustomers(r.from, r.to).check.message, r.message) << r.to;

    const masters::TransferResult t = reps.transferCustomers("01", "02");
    ASSERT_TRUE(t.ok());
    EXPECT_EQ(t.moved, 2);
    EXPECT_EQ(value("SELECT COUNT(*) FROM ACCT WHERE SALRID = '02'"), "3");
    EXPECT_EQ(value("SELECT SALRID FROM TRANS3 WHERE INVSEL = 1"), "01");
}

TEST_F(Salesmen, TransactionTransferRelabelsFromTheDateOn)
{
    exec({"INSERT INTO TRANS (TRNO, LNO, TRDATE, ACCTNO, SALRID) VALUES (1, 1, '2026-03-14', '120001', '01')",
          "INSERT INTO TRANS (TRNO, LNO, TRDATE, ACCTNO, SALRID) VALUES (2, 1, '2026-03-15', '120001', '01')",
          "INSERT INTO TRANS (TRNO, LNO, TRDATE, ACCTNO, SALRID) VALUES (3, 1, '2026-04-01', '120009', '01')",
          "INSERT INTO TRANS1 (INVIN, TRDATE, ACCTNO, SALRID) VALUES (1, '2026-03-20', '120001', '01')",
          "INSERT INTO TRANS3 (INVSEL, TRDATE, ACCTNO, SALRID) VALUES (1, '2026-03-10', '120001', '01')",
          "INSERT INTO TRANS3 (INVSEL, TRDATE, ACCTNO, SALRID) VALUES (2, '2026-03-16', '120001', '01')",
          "INSERT INTO TRANS3D (INVSEL, LNO, TRDATE, ACCTNO, SALRID, UINDEX) VALUES (2, 1, '2026-03-16', '120001', '01', 2)",
          "INSERT INTO RECPT (RVNO, TRDATE, ACCTNO, SALRID) VALUES (1, '2026-03-20', '120001', '01')"});
    SalesmanRepository reps(*session);
    EXPECT_EQ(reps.transferTransactions("120001", "02", QDate()).message, text::badDate());
    ASSERT_TRUE(reps.transferTransactions("120001", "02", QDate(2026, 3, 15)).ok());
    EXPECT_EQ(value("SELECT LIST(TRNO || SALRID, ',') FROM (SELECT TRNO, SALRID FROM TRANS ORDER BY TRNO)"),
              "101,202,301");
    EXPECT_EQ(value("SELECT SALRID FROM TRANS1"), "02");
    EXPECT_EQ(value("SELECT LIST(INVSEL || SALRID, ',') FROM (SELECT INVSEL, SALRID FROM TRANS3 ORDER BY INVSEL)"),
              "101,202");
    EXPECT_EQ(value("SELECT SALRID FROM TRANS3D"), "02");
    EXPECT_EQ(value("SELECT SALRID FROM RECPT"), "01");
}

TEST(SalesmanCommission, PercentOfAnAmount)
{
    struct Row {
        const char *amount, *perc, *commission;
    } rows[] = {{"1000", "2.5", "25.00"}, {"99.99", "1.5", "1.50"}, {"0.33", "50", "0.17"}, {"-0.33", "50", "-0.17"}};
    for (const Row& r : rows)
        EXPECT_EQ(masters::commission(*Money::parse(QString::fromLatin1(r.amount)), *Money::parse(QString::fromLatin1(r.perc))).toString(),
                  QString::fromLatin1(r.commission));
}
