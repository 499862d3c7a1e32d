// The sales invoice over the demo firm's year database: customer selection and previous balance,
// lines posted with the item file and the customer's prices, the save checks in their order, and
// the writer inside a transaction that is rolled back or committed.
#include "documents/SalesInvoice.h"
#include "documents/DocumentKind.h"
#include "documents/Workflow.h"
#include "DocumentsFixture.h"
#include "support/TestDb.h"
#include "core/Session.h"
#include "db/Connection.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

using namespace kv;
using test::money;
using test::price;
using test::qty;
using core::Money;
using core::Price;
using core::Qty;
using documents::LineBefore;
using documents::Outcome;
using documents::SalesInvoice;
using documents::SalesLine;

namespace {

const QDate kDate = test::kInvoiceDate;
const QString kCash = QStringLiteral("110001");

class SalesInvoiceDb : public test::DemoFolderTest {
protected:
    static void SetUpTestSuite()
    {
        // Items: cartons of 6 (10003, 10006) and of 24 (10002, 10005); 10004 is of group "LB".
        makeFolder({
            "update STOCK set QUNITS = 6, UPRICE = 100, UPRICE2 = 20, UPRICEC = 110, UPRICE2C = 22, UCOST = 12.5,"
            " ONHAND = 600, QTYIN = 600, QTYSOLD = 0, OUTCOST = 0 where ITEMNO in ('10003', '10006')",
            "update STOCK set QUNITS = 24, UPRICE = 48, UPRICE2 = 2.25, UPRICEC = 0, UPRICE2C = 0, UCOST = 1.5,"
            " ONHAND = 240, QTYIN = 240, QTYSOLD = 0, OUTCOST = 0 where ITEMNO in ('10002', '10005')",
            "update STOCK set QUNITS = 1, UPRICE = 10, ARTNO = 'LB', ONHAND = 0 where ITEMNO = '10004'",
            // Customers: 120005 the usual one, 120006 suspended, 120007 limit 200, 120008 limit 230,
            // 120009 limit 230 with an opening balance of 20, 120010 for balances, 120012 for writes.
            "update ACCT set CRLIMIT1 = 30, CRLIMIT2 = 1000, ISACTIVE = 0, SALRID = '01', TAXCODE = NULL"
            " where ACCTNO between '120005' and '120012'",
            "update ACCT set ISACTIVE = 1 where ACCTNO = '120006'",
            "update ACCT set CRLIMIT2 = 200 where ACCTNO = '120007'",
            "update ACCT set CRLIMIT2 = 230 where ACCTNO in ('120008', '120009')",
            "insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (1, 1, '120009', 20, 0)",
            "update ACCT set CRLIMIT2 = 1, TAXCODE = '300000000000003', CITY = 'جدة', BUILDNO = '12'"
            " where ACCTNO = '120011'",
            "update ACCT set CRLIMIT2 = 1 where ACCTNO = '110001'",
            "insert into PRICES (ACCTNO, ITEMNO, UPRICE) values ('120005', '10006', 95.5)",
        });
    }
    void SetUp() override
    {
        DemoFolderTest::SetUp();
        session->gDQSld = QStringLiteral("F");
        session->SalOnly = 1;
    }

    Money moneyValue(const QString& sql)
    {
        const QString t = value(sql);
        return t.isEmpty() ? Money() : *Money::parse(t);
    }

    static SalesLine typed(const char* itemNo, int uIndex, const char* q, const char* p = "0", const char* disval = "0")
    {
        SalesLine l;
        l.ITEMNO = QString::fromLatin1(itemNo);
        l.UINDEX = uIndex;
        l.QTYSOLD = qty(q);
        l.UPRICE = price(p);
        l.DISVAL = money(disval);
        return l;
    }

    static int reserveNumber(db::Transaction& tr)
    {
        db::Query q(tr, QStringLiteral("execute procedure SPTRANS3"));
        q.execute();
        return (q.next() ? int(q.integer(QStringLiteral("LINVSEL"))) : 0) + 1;
    }
};

} // namespace

TEST_F(SalesInvoiceDb, CustomerSelection)
{
    SalesInvoice inv(*session);
    EXPECT_EQ(inv.header.ACCTNO, kCash);
    EXPECT_EQ(inv.header.USERID, QStringLiteral("tester"));

    const Outcome unknown = inv.selectCustomer(QStringLiteral("129999"));
    EXPECT_FALSE(unknown.ok);
    EXPECT_EQ(unknown.message, session->msg.mNoAct);
    EXPECT_EQ(unknown.field, QStringLiteral("ACCTNO"));

    ASSERT_TRUE(inv.selectCustomer(QStringLiteral(" 120011 ")).ok);
    EXPECT_EQ(inv.header.ACCTNO, QStringLiteral("120011"));
    EXPECT_EQ(inv.header.terms(), documents::Terms::Credit);
    EXPECT_EQ(inv.header.DAYS, 30);
    EXPECT_EQ(inv.header.SALRID, QStringLiteral("01"));
    EXPECT_EQ(inv.header.address.TAXCODE, QStringLiteral("300000000000003")); // copied: it has a VAT number
    EXPECT_EQ(inv.header.address.CITY, QStringLiteral("جدة"));

    // A salesman already on the invoice stays; an account without a VAT number leaves the address.
    inv.header.SALRID = QStringLiteral("02");
    ASSERT_TRUE(inv.selectCustomer(QStringLiteral("120005")).ok);
    EXPECT_EQ(inv.header.SALRID, QStringLiteral("02"));
    EXPECT_EQ(inv.header.address.CITY, QStringLiteral("جدة"));
    EXPECT_EQ(inv.customerPrices().value(QStringLiteral("10006")), price("95.5"));

    inv.chooseCash();
    EXPECT_EQ(inv.header.ACCTNO, kCash);
    EXPECT_EQ(inv.header.terms(), documents::Terms::Cash);
    EXPECT_TRUE(inv.previousBalance().isZero());
    EXPECT_TRUE(inv.customerPrices().isEmpty());
}

// Posting lines reads the item file, the terms and the customer's prices.
TEST_F(SalesInvoiceDb, PostingLines)
{
    struct Case {
        const char* name;
        const char* acct;        // "" the cash account
        bool operatorWithoutR22;
        SalesLine line;
        bool ok;
        QString message;
        const char* price;
    };
    const QString none;
    const Case cases[] = {
        {"cash terms, carton", "", false, typed("10003", 1, "1"), true, none, "100"},
        {"credit terms, piece", "120005", false, typed("10003", 2, "1"), true, none, "22"},
        {"credit without credit price", "120005", false, typed("10002", 1, "1"), true, none, "48"},
        {"customer price", "120005", false, typed("10006", 2, "1"), true, none, "95.5"},
        {"customer price under the minimum", "120005", true, typed("10006", 1, "1"), true, none, "95.5"},
        {"unknown item", "", false, typed("99999", 1, "1"), false, session->msg.mNoItm, nullptr},
        {"blank item is refused without a word", "", false, typed("  ", 1, "1"), false, none, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session->vAdmin = c.operatorWithoutR22 ? QStringLiteral("OP") : QStringLiteral("SV");
        auto inv = std::make_unique<SalesInvoice>(*session);
        if (*c.acct) ASSERT_TRUE(inv->selectCustomer(QString::fromLatin1(c.acct)).ok);
        else inv->chooseCash();
        const Outcome o = add(*inv, c.line);
        EXPECT_EQ(o.ok, c.ok);
        if (!c.ok) {
            EXPECT_EQ(o.message, c.message);
            EXPECT_EQ(o.field, QStringLiteral("ITEMNO"));
            EXPECT_TRUE(inv->lines.isEmpty());
            continue;
        }
        ASSERT_EQ(inv->lines.size(), 1);
        EXPECT_EQ(inv->lines[0].UPRICE, price(c.price));
        EXPECT_EQ(inv->header.SUBAMNT, inv->lines[0].SUBAMNT); // the totals follow every post
    }
}

// With gXQSel on, each line is compared with ONHAND alone: two lines that are each within stock
// are both accepted although together they are not.
TEST_F(SalesInvoiceDb, StockCheckIsPerLine)
{
    session->gXQSel = QStringLiteral("T");
    auto inv = invoiceFor(QStringLiteral("120005"));
    EXPECT_TRUE(add(*inv, typed("10002", 1, "8")).ok);  // 192 of 240 pieces
    EXPECT_TRUE(add(*inv, typed("10002", 1, "8")).ok);
    const Outcome over = add(*inv, typed("10002", 2, "241"));
    EXPECT_EQ(over.message, documents::text::quantityNotAvailable());
    EXPECT_EQ(inv->lines.size(), 2);
    EXPECT_TRUE(add(*inv, typed("10004", 1, "5")).ok); // "LB": no stock kept
}

TEST_F(SalesInvoiceDb, PreviousBalance)
{
    const char* rows[] = {
        "insert into TRANS1 (INVIN, ACCTNO, INVTOT) values (9001, '120010', 100)",
        "insert into TRANS2 (INVOUT, ACCTNO, AMOUNT) values (9001, '120010', 40)",
        "insert into TRANS3 (INVSEL, ACCTNO, INVTOT) values (9001, '120010', 300)",
        "insert into TRANS3 (INVSEL, ACCTNO, INVTOT) values (9002, '120010', 200)",
        "insert into TRANS3 (INVSEL, ACCTNO, INVTOT) values (9003, '120011', 999)",
        "insert into TRANS4 (INVRET, ACCTNO, INVTOT) values (9001, '120010', 30)",
        "insert into RECPT (RVNO, ACCTNO, CR) values (9001, '120010', 150)",
        "insert into PAID (PVNO, ACCTNO, DR) values (9001, '120010', 25)",
        "insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (1, 2, '120010', 70, 10)",
        "insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (1, 3, '120010', 5, null)",
        "insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (1, 4, '120010', null, 2)",
        "insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (2, 1, '120010', 1000, 0)",
    };
    for (const char* r : rows) exec(QString::fromLatin1(r));
    // (40 + 500 + 25) - (100 + 30 + 150) + (70 - 10 + 5 - 2) = 348; an empty side counts as 0;
    // voucher 2 and other accounts do not count.
    EXPECT_EQ(documents::previousBalance(*session, QStringLiteral("120010")), money("348"));
    EXPECT_TRUE(documents::previousBalance(*session, QStringLiteral("120005")).isZero());

    auto inv = invoiceFor(QStringLiteral("120010"));
    EXPECT_EQ(inv->previousBalance(), money("348"));
    EXPECT_TRUE(inv->balanceBlinks());
    ASSERT_TRUE(add(*inv, typed("10003", 1, "1")).ok); // 110.00 + 16.50 VAT
    EXPECT_EQ(inv->currentBalance(), money("474.5"));
}

// The save checks stop at the first one that fails, with its message and field.
TEST_F(SalesInvoiceDb, SaveChecksInOrder)
{
    using Change = std::function<void(SalesInvoice&, core::Session&)>;
    struct Case {
        const char* name;
        Change change;
        QString message;
        const char* field;
    };
    const core::Messages m = session->msg; // SetUp() below opens a new session
    const Case cases[] = {
        {"a valid invoice", [](SalesInvoice&, core::Session&) {}, {}, ""},
        {"number 0", [](SalesInvoice& i, core::Session&) { i.header.INVSEL = 0; },
         documents::text::badInvoiceNumber(), "INVSEL"},
        {"number 0 comes before an empty invoice",
         [](SalesInvoice& i, core::Session&) { i.header.INVSEL = 0; i.removeLine(0); },
         documents::text::badInvoiceNumber(), "INVSEL"},
        {"no amount", [](SalesInvoice& i, core::Session&) { i.removeLine(0); }, documents::text::badInvoice(), "ACCTNO"},
        {"date of another year", [](SalesInvoice& i, core::Session&) { i.header.TRDATE = QDate(2025, 12, 31); },
         m.mWInYr, "TRDATE"},
        {"date before the latest document", [](SalesInvoice&, core::Session& s) { s.LTrDate = QDate(2026, 3, 20); },
         m.mNoTrN, "TRDATE"},
        {"back-dated with the date editable",
         [](SalesInvoice&, core::Session& s) { s.LTrDate = QDate(2026, 3, 20); s.gDQSld = QStringLiteral("T"); },
         {}, ""},
        {"no account", [](SalesInvoice& i, core::Session&) { i.header.ACCTNO.clear(); }, m.mNoAct, "ACCTNO"},
        {"unknown account", [](SalesInvoice& i, core::Session&) { i.header.ACCTNO = QStringLiteral("129999"); },
         m.mNoAct, "ACCTNO"},
        {"suspended account", [](SalesInvoice& i, core::Session&) { i.header.ACCTNO = QStringLiteral("120006"); },
         documents::text::accountSuspended(), "ACCTNO"},
        {"amount above the limit", [](SalesInvoice& i, core::Session&) { i.header.ACCTNO = QStringLiteral("120007"); },
         documents::text::creditLimitExceeded(), "ACCTNO"},
        {"the limit ignores the tax", [](SalesInvoice& i, core::Session&) { i.header.ACCTNO = QStringLiteral("120008"); },
         {}, ""},
        {"the limit counts the previous balance",
         [](SalesInvoice& i, core::Session&) { i.header.ACCTNO = QStringLiteral("120009"); },
         documents::text::creditLimitExceeded(), "ACCTNO"},
        {"never on the cash account",
         [](SalesInvoice& i, core::Session&) { i.chooseCash(); i.header.CUSTNAME = QStringLiteral("زائر"); }, {}, ""},
        {"unknown salesman", [](SalesInvoice& i, core::Session&) { i.header.SALRID = QStringLiteral("99"); },
         masters::text::salesmanNotFound(), "SALRID"},
        {"suspended before the salesman",
         [](SalesInvoice& i, core::Session&) { i.header.SALRID = QStringLiteral("99"); i.header.ACCTNO = QStringLiteral("120006"); },
         documents::text::accountSuspended(), "ACCTNO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        auto inv = invoiceFor(QStringLiteral("120005"));
        ASSERT_TRUE(add(*inv, typed("10003", 1, "2")).ok); // 220.00 before tax, 253.00 with it
        c.change(*inv, *session);
        const Outcome o = inv->checkSave();
        EXPECT_EQ(o.ok, c.message.isEmpty());
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.field, QString::fromLatin1(c.field));
    }
}

// A cash invoice without a customer name is not saved the first time: the name is filled in and
// the focus goes to it; the second attempt passes. The terms follow the account at save.
TEST_F(SalesInvoiceDb, CashInvoiceGetsItsNameOnTheFirstSave)
{
    auto inv = invoiceFor(kCash);
    ASSERT_TRUE(add(*inv, typed("10003", 2, "1")).ok);
    inv->header.TIRMS = 1;
    const Outcome first = inv->checkSave();
    EXPECT_FALSE(first.ok);
    EXPECT_TRUE(first.message.isEmpty());
    EXPECT_EQ(first.field, QStringLiteral("CUSTNAME"));
    EXPECT_EQ(inv->header.CUSTNAME, documents::text::cashSalesName());
    EXPECT_EQ(inv->header.terms(), documents::Terms::Cash);
    EXPECT_TRUE(inv->checkSave().ok);
}

// Everything the writer does happens in the caller's transaction: rolled back, nothing remains.
TEST_F(SalesInvoiceDb, WriteRolledBackLeavesNothing)
{
    const QString items = QStringLiteral("select list(ITEMNO || ':' || ONHAND || ':' || QTYSOLD || ':' || OUTCOST, ' ')"
                                         " from STOCK where ITEMNO in ('10005', '10006')");
    const QString before = value(items);
    const Money dr = moneyValue(QStringLiteral("select DR from ACCT where ACCTNO = '120012'"));

    auto inv = invoiceFor(QStringLiteral("120012"));
    ASSERT_TRUE(add(*inv, typed("10005", 1, "2")).ok);
    ASSERT_TRUE(add(*inv, typed("10006", 2, "3")).ok);
    ASSERT_TRUE(inv->checkSave().ok);
    int number = 0;
    {
        db::Transaction tr(*session->MainDB);
        number = reserveNumber(tr);
        documents::SalesInvoiceWriter w(*session, *inv);
        w.write(tr, number);
        tr.rollback();
    }
    EXPECT_EQ(value(items), before);
    EXPECT_EQ(moneyValue(QStringLiteral("select DR from ACCT where ACCTNO = '120012'")), dr);
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3 where INVSEL = %1").arg(number)), QStringLiteral("0"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3D where INVSEL = %1").arg(number)), QStringLiteral("0"));
}

// After a committed write the items and the customer moved by exactly the saved lines.
TEST_F(SalesInvoiceDb, WriteCommittedMovesStockAndBalance)
{
    struct ItemState {
        Money onHand, sold, outCost;
    };
    auto state = [&](const char* itemNo) {
        const QString w = QStringLiteral(" from STOCK where ITEMNO = '%1'").arg(QString::fromLatin1(itemNo));
        return ItemState{moneyValue(QStringLiteral("select ONHAND") + w), moneyValue(QStringLiteral("select QTYSOLD") + w),
                         moneyValue(QStringLiteral("select OUTCOST") + w)};
    };
    const ItemState a0 = state("10003"), b0 = state("10002");
    const Money dr0 = moneyValue(QStringLiteral("select DR from ACCT where ACCTNO = '120012'"));

    auto inv = invoiceFor(QStringLiteral("120012"));
    ASSERT_TRUE(add(*inv, typed("10003", 1, "2")).ok);                  // 12 pieces, 2 × 110.00
    ASSERT_TRUE(add(*inv, typed("10003", 2, "5", "0", "1.10")).ok);     // 5 pieces, 5 × 22.00 - 1.10
    ASSERT_TRUE(add(*inv, typed("10002", 1, "0")).ok);                  // kept in the grid, not saved
    ASSERT_TRUE(add(*inv, typed("10002", 2, "1.5")).ok);                // 1.5 pieces × 2.25
    inv->header.DELDATE = QDate(2026, 3, 16);
    inv->header.REFNO = QStringLiteral("R-7");
    ASSERT_TRUE(inv->checkSave().ok);
    EXPECT_EQ(inv->header.AMOUNT, money("332.28"));  // 220 + 108.90 + 3.38
    EXPECT_EQ(inv->header.VTAX, money("49.85"));     // 33.00 + 16.34 (16.335) + 0.51 (0.507)
    EXPECT_EQ(inv->header.DISPER, price("0.33"));    // 1.10 of 333.38

    int number = 0;
    {
        db::Transaction tr(*session->MainDB);
        number = reserveNumber(tr);
        documents::SalesInvoiceWriter w(*session, *inv);
        w.write(tr, number);
        tr.commit();
    }

    const ItemState a1 = state("10003"), b1 = state("10002");
    EXPECT_EQ(a0.onHand - a1.onHand, money("17"));
    EXPECT_EQ(a1.sold - a0.sold, money("17"));
    EXPECT_EQ(a1.outCost - a0.outCost, money("330"));    // the gross line values 220 + 110
    EXPECT_EQ(b0.onHand - b1.onHand, money("1.5"));
    EXPECT_EQ(b1.sold - b0.sold, money("1.5"));
    EXPECT_EQ(b1.outCost - b0.outCost, money("3.38"));
    EXPECT_EQ(moneyValue(QStringLiteral("select DR from ACCT where ACCTNO = '120012'")) - dr0, inv->header.INVTOT);

    const QString where = QStringLiteral(" from TRANS3 where INVSEL = %1").arg(number);
    EXPECT_EQ(value(QStringLiteral("select ACCTNO || '|' || TIRMS || '|' || SALRID || '|' || REFNO || '|' || USERID") + where),
              QStringLiteral("120012|1|01|R-7|tester"));
    EXPECT_EQ(value(QStringLiteral("select INVTOT") + where), inv->header.INVTOT.toString());
    EXPECT_EQ(value(QStringLiteral("select TOTCOST") + where), inv->header.TOTCOST.toString());
    EXPECT_EQ(value(QStringLiteral("select list(LNO || ':' || QSOLD || ':' || UCOST, ' ') from "
                                   "(select LNO, QSOLD, UCOST from TRANS3D where INVSEL = %1 order by LNO)")
                        .arg(number)),
              QStringLiteral("1:12.0000:75.00 2:5.0000:12.50 4:1.5000:1.50"));
    EXPECT_EQ(value(QStringLiteral("select cast(DISPER * 100 as integer) from TRANS3D where INVSEL = %1 and LNO = 2").arg(number)),
              QStringLiteral("100")); // 1.10 of 110.00 is 1 %
}

// A quotation and a delivery note become the invoice's lines once; the save marks them converted.
TEST_F(SalesInvoiceDb, ConversionFromQuotationAndDeliveryNote)
{
    exec(QStringLiteral("insert into QUOT (QUOTNO, ACCTNO, POSTED) values (501, '120005', 0)"));
    exec(QStringLiteral("insert into QUOTD (QUOTNO, LNO, ITEMNO, UINDEX, QTYREQ, UPRICE) values (501, 1, '10003', 2, 4, 23.5)"));
    exec(QStringLiteral("insert into QUOTD (QUOTNO, LNO, ITEMNO, UINDEX, QTYREQ, UPRICE) values (501, 2, '10006', 1, 1, 120)"));
    exec(QStringLiteral("insert into QREQ (QREQNO, ACCTNO, REFNO, LOCAT, POSTED) values (601, '120008', 'PO-9', 'المستودع', 1)"));

    auto inv = invoiceFor(kCash);
    Outcome o = inv->convertFromQuotation(777);
    EXPECT_EQ(o.message, documents::text::quotationNotFound());
    EXPECT_EQ(o.field, QStringLiteral("QUOTNO"));
    EXPECT_EQ(inv->header.QUOTNO, 0);

    o = inv->convertFromDeliveryNote(601);
    EXPECT_EQ(o.message, documents::text::deliveryNoteConverted());
    EXPECT_EQ(o.field, QStringLiteral("SALORD"));

    ASSERT_TRUE(add(*inv, typed("10002", 1, "1")).ok);
    o = inv->convertFromQuotation(501);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(inv->header.ACCTNO, QStringLiteral("120005"));
    EXPECT_EQ(inv->header.QUOTNO, 501);
    ASSERT_EQ(inv->lines.size(), 2); // the earlier line is gone
    EXPECT_EQ(inv->lines[0].UINDEX, 2);
    EXPECT_EQ(inv->lines[0].QTYSOLD, qty("4"));
    EXPECT_EQ(inv->lines[0].UPRICE, price("23.5"));  // the quoted price
    EXPECT_EQ(inv->lines[1].UPRICE, price("95.5"));  // the customer's own price still wins
    EXPECT_EQ(inv->header.SUBAMNT, money("189.5"));

    ASSERT_TRUE(inv->checkSave().ok);
    {
        db::Transaction tr(*session->MainDB);
        documents::SalesInvoiceWriter w(*session, *inv);
        w.write(tr, reserveNumber(tr));
        tr.commit();
    }
    EXPECT_EQ(value(QStringLiteral("select POSTED from QUOT where QUOTNO = 501")), QStringLiteral("1"));
    auto again = invoiceFor(kCash);
    EXPECT_EQ(again->convertFromQuotation(501).message, documents::text::quotationConverted());
}

// Two invoices for one customer typed at the same time, each within the credit limit on its own
// but not together: the save checks the limit again, so the second is refused.
TEST_F(SalesInvoiceDb, TheCreditLimitHoldsForInvoicesSavedAtOnce)
{
    const Money before = documents::previousBalance(*session, QStringLiteral("120012"));
    exec(QStringLiteral("update ACCT set CRLIMIT2 = %1 where ACCTNO = '120012'").arg((before + money("230")).toString()));
    auto first = invoiceFor(QStringLiteral("120012")), second = invoiceFor(QStringLiteral("120012"));
    for (auto* inv : {first.get(), second.get()}) {
        ASSERT_TRUE(add(*inv, typed("10003", 2, "5")).ok); // 5 × 22.00, 126.50 with tax
        ASSERT_TRUE(inv->checkSave().ok);
    }
    documents::SalesInvoiceWriter w1(*session, *first), w2(*session, *second);
    EXPECT_TRUE(documents::saveDocument(*session, documents::salesInvoiceKind(), w1).ok());
    const documents::SaveResult r = documents::saveDocument(*session, documents::salesInvoiceKind(), w2);
    EXPECT_EQ(r.status, documents::SaveStatus::Refused);
    EXPECT_EQ(r.message, documents::text::creditLimitExceeded());
    EXPECT_EQ(documents::previousBalance(*session, QStringLiteral("120012")), before + money("126.50"));
    exec(QStringLiteral("update ACCT set CRLIMIT2 = 1000 where ACCTNO = '120012'"));
}

// Two workstations convert the same quotation: the first save marks it converted, the second is
// refused with nothing written instead of billing the quotation twice. A delivery note deleted
// after it was converted refuses the save as well.
TEST_F(SalesInvoiceDb, AQuotationOrDeliveryNoteIsInvoicedOnce)
{
    exec(QStringLiteral("insert into QUOT (QUOTNO, ACCTNO, POSTED) values (502, '120005', 0)"));
    exec(QStringLiteral("insert into QUOTD (QUOTNO, LNO, ITEMNO, UINDEX, QTYREQ, UPRICE) values (502, 1, '10003', 2, 1, 23.5)"));
    exec(QStringLiteral("insert into QREQ (QREQNO, ACCTNO, POSTED) values (602, '120005', 0)"));
    exec(QStringLiteral("insert into QREQD (QREQNO, LNO, ITEMNO, UINDEX, QTYREQ, UPRICE) values (602, 1, '10003', 2, 1, 23.5)"));
    const QString headers = value(QStringLiteral("select count(*) from TRANS3"));
    const QString onHand = value(QStringLiteral("select ONHAND from STOCK where ITEMNO = '10003'"));

    auto first = invoiceFor(kCash), second = invoiceFor(kCash), third = invoiceFor(kCash);
    ASSERT_TRUE(first->convertFromQuotation(502).ok);
    ASSERT_TRUE(second->convertFromQuotation(502).ok); // typed on another workstation meanwhile
    ASSERT_TRUE(third->convertFromDeliveryNote(602).ok);
    for (auto* inv : {first.get(), second.get(), third.get()}) ASSERT_TRUE(inv->checkSave().ok);

    documents::SalesInvoiceWriter w1(*session, *first);
    EXPECT_TRUE(documents::saveDocument(*session, documents::salesInvoiceKind(), w1).ok());
    documents::SalesInvoiceWriter w2(*session, *second);
    documents::SaveResult r = documents::saveDocument(*session, documents::salesInvoiceKind(), w2);
    EXPECT_EQ(r.status, documents::SaveStatus::Refused);
    EXPECT_EQ(r.message, documents::text::quotationConverted());

    exec(QStringLiteral("delete from QREQD where QREQNO = 602"));
    exec(QStringLiteral("delete from QREQ where QREQNO = 602"));
    documents::SalesInvoiceWriter w3(*session, *third);
    r = documents::saveDocument(*session, documents::salesInvoiceKind(), w3);
    EXPECT_EQ(r.status, documents::SaveStatus::Refused);
    EXPECT_EQ(r.message, documents::text::deliveryNoteNotFound());

    // Only the first invoice and its one piece.
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3")).toInt(), headers.toInt() + 1);
    EXPECT_EQ(*core::Qty::parse(value(QStringLiteral("select ONHAND from STOCK where ITEMNO = '10003'"))),
              *core::Qty::parse(onHand) - qty("1"));
}

// The entry workflow's save reserves the number and commits what the writer wrote.
TEST_F(SalesInvoiceDb, SavedThroughTheWorkflow)
{
    auto inv = invoiceFor(QStringLiteral("120005"));
    ASSERT_TRUE(add(*inv, typed("10006", 2, "2")).ok);
    ASSERT_TRUE(inv->checkSave().ok);
    documents::SalesInvoiceWriter w(*session, *inv);
    const documents::SaveResult r = documents::saveDocument(*session, documents::salesInvoiceKind(), w);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(w.written().INVSEL, r.number);
    EXPECT_EQ(value(QStringLiteral("select INVTOT from TRANS3 where INVSEL = %1").arg(r.number)), QStringLiteral("219.65"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3D where INVSEL = %1").arg(r.number)), QStringLiteral("1"));
}
