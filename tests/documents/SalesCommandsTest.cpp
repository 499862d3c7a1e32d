// The sales invoice's extra commands over the demo firm's year database: holding and resuming,
// the line total and barcode prompts, the item's sales history, the buyer VAT number of a saved
// invoice and the line repair mode.
#include "documents/SalesCommands.h"
#include "documents/DocumentKind.h"
#include "documents/SalesInvoice.h"
#include "documents/Workflow.h"
#include "DocumentsFixture.h"
#include "support/TestDb.h"
#include "core/Session.h"
#include "db/Connection.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace kv;
using test::money;
using test::price;
using test::qty;
using core::Money;
using core::Price;
using core::Qty;
using documents::Outcome;
using documents::SalesInvoice;
using documents::SalesLine;

namespace {

QString u(const char* t) { return QString::fromUtf8(t); }

const QDate kDate = test::kInvoiceDate;
const char* const kBarcode = "6280000000011";

class SalesCommands : public test::DemoFolderTest {
protected:
    static void SetUpTestSuite()
    {
        makeFolder({
            // Cartons of 6 (10003, 10006) and of 24 (10002, 10005); 10001 has no unit count.
            "update STOCK set QUNITS = 6, UPRICE = 100, UPRICE2 = 20, UPRICEC = 110, UPRICE2C = 22, UCOST = 12.5,"
            " ONHAND = 600 where ITEMNO in ('10003', '10006')",
            "update STOCK set QUNITS = 24, UPRICE = 48, UPRICE2 = 2.25, UPRICEC = 0, UPRICE2C = 0, UCOST = 1.5,"
            " ONHAND = 240 where ITEMNO in ('10002', '10005')",
            "update STOCK set QUNITS = 0, UCOST = 3 where ITEMNO = '10001'",
            "update ACCT set CRLIMIT1 = 30, CRLIMIT2 = 0, ISACTIVE = 0, SALRID = '01', TAXCODE = NULL"
            " where ACCTNO between '120005' and '120012'",
            "update ACCT set TAXCODE = '300000000000003', CITY = 'جدة', BUILDNO = '12', LOCAT = 'المستودع الرئيسي'"
            " where ACCTNO = '120007'",
            "insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (1, 1, '120006', 50, 0)",
            "insert into PRICES (ACCTNO, ITEMNO, UPRICE) values ('120005', '10006', 95.5)",
            "insert into ITEMBC (BCODE, ITEMNO) values ('6280000000011', '10003')",
        });
    }
    void SetUp() override
    {
        DemoFolderTest::SetUp();
        session->CurrYr = session->LastYr = QStringLiteral("2026");
    }

    static SalesLine typed(const char* itemNo, int uIndex, const char* q, const char* disval = "0")
    {
        SalesLine l;
        l.ITEMNO = QString::fromLatin1(itemNo);
        l.UINDEX = uIndex;
        l.QTYSOLD = qty(q);
        l.DISVAL = money(disval);
        return l;
    }
};

} // namespace

// Two invoices held through the workflow, listed by customer name; resuming one brings back its
// header and its lines at the prices they were held with, and removes only its own rows.
TEST_F(SalesCommands, HoldAndResume)
{
    documents::Workflow flow(*session, documents::salesInvoiceKind());
    flow.open();
    EXPECT_EQ(session->mDType, QStringLiteral("Sales Invoice"));

    ASSERT_TRUE(flow.insert().done);
    auto a = invoiceFor(QStringLiteral("120006"));
    a->header.CUSTNAME = u("بكر");
    a->header.SALRID = QStringLiteral("02");
    a->header.DAYS = 7;
    a->header.REFNO = QStringLiteral("R-1");
    ASSERT_TRUE(add(*a, typed("10005", 1, "2")).ok);          // 2 × 48.00, cost 36.00 a carton
    ASSERT_TRUE(add(*a, typed("10003", 2, "3", "1.10")).ok);  // 3 × 22.00 - 1.10
    a->appendLine();                                           // the empty line is not held
    ASSERT_TRUE(flow.hold([&](db::Transaction& tr, int n) { a->park(tr, n); }).done);
    EXPECT_EQ(flow.lastHoldNumber(), 1);

    ASSERT_TRUE(flow.insert().done);
    auto b = invoiceFor(QStringLiteral("120005"));
    b->header.CUSTNAME = u("أحمد");
    ASSERT_TRUE(add(*b, typed("10002", 1, "1")).ok);
    ASSERT_TRUE(flow.hold([&](db::Transaction& tr, int n) { b->park(tr, n); }).done);

    auto held = documents::heldInvoices(*session);
    ASSERT_EQ(held.size(), 2);
    EXPECT_EQ(held[0].number, 2);
    EXPECT_EQ(held[0].CUSTNAME, u("أحمد"));
    EXPECT_EQ(held[1].number, 1);
    EXPECT_EQ(held[1].ACCTNO, QStringLiteral("120006"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from ZGT_TRNS3D where INVSEL = 1")), QStringLiteral("2"));

    // The list price changes meanwhile: the held line keeps the price the operator saw.
    exec("update STOCK set UPRICE = 50 where ITEMNO = '10005'");
    ASSERT_TRUE(flow.insert().done);
    SalesInvoice c(*session);
    c.header.TRDATE = kDate;
    const Outcome o = c.resume(1);
    exec("update STOCK set UPRICE = 48 where ITEMNO = '10005'");
    EXPECT_TRUE(o.ok);
    EXPECT_TRUE(o.message.isEmpty());

    EXPECT_EQ(c.header.ACCTNO, QStringLiteral("120006"));
    EXPECT_EQ(c.header.CUSTNAME, u("بكر"));
    EXPECT_EQ(c.header.SALRID, QStringLiteral("02")); // held, not the account's 01
    EXPECT_EQ(c.header.DAYS, 7);                      // held, not the account's 30
    EXPECT_EQ(c.header.REFNO, QStringLiteral("R-1"));
    EXPECT_EQ(c.header.terms(), documents::Terms::Credit);
    EXPECT_EQ(c.previousBalance(), money("50"));

    ASSERT_EQ(c.lines.size(), 3);
    EXPECT_EQ(c.lines[0].ITEMNO, QStringLiteral("10005"));
    EXPECT_EQ(c.lines[0].UPRICE, price("48"));
    EXPECT_EQ(c.lines[0].QSOLD, qty("48"));
    EXPECT_EQ(c.lines[0].UCOST, money("36"));
    EXPECT_EQ(c.lines[0].VATAMNT, money("14.40"));
    EXPECT_EQ(c.lines[1].UINDEX, 2);
    EXPECT_EQ(c.lines[1].UPRICE, price("22"));
    EXPECT_EQ(c.lines[1].AMOUNT, money("64.90"));
    EXPECT_EQ(c.lines[1].VATAMNT, money("9.74"));     // 9.735
    EXPECT_TRUE(c.lines[2].ITEMNO.isEmpty());         // a fresh line to type on
    EXPECT_NE(c.lines[0].LNO, c.lines[1].LNO);

    EXPECT_EQ(c.header.SUBAMNT, a->header.SUBAMNT);
    EXPECT_EQ(c.header.AMOUNT, money("160.90"));
    EXPECT_EQ(c.header.VTAX, money("24.14"));
    EXPECT_EQ(c.header.INVTOT, money("185.04"));
    EXPECT_EQ(c.header.TOTCOST, a->header.TOTCOST);
    EXPECT_EQ(c.header.DISPER, price("0.679"));       // 1.10 of 162.00

    held = documents::heldInvoices(*session);
    ASSERT_EQ(held.size(), 1);
    EXPECT_EQ(held[0].number, 2);
    EXPECT_EQ(value(QStringLiteral("select count(*) from ZGT_TRNS3D where INVSEL = 1")), QStringLiteral("0"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from ZGT_TRNS3D where INVSEL = 2")), QStringLiteral("1"));

    const Outcome again = c.resume(1);
    EXPECT_FALSE(again.ok);
    EXPECT_TRUE(again.message.isEmpty());
    EXPECT_EQ(c.lines.size(), 3);
}

TEST_F(SalesCommands, LineTotal)
{
    struct Case {
        const char* name;
        bool operatorWithoutR22;
        const char* itemNo;
        int uIndex;
        const char* quantity;
        const char* typed;
        bool ok;
        QString message;
        const char* price;
    };
    const QString none;
    const Case cases[] = {
        {"not a number", false, "10003", 2, "3", "12x", false, documents::text::badAmount(), "22"},
        {"empty does nothing", false, "10003", 2, "3", "  ", false, none, "22"},
        {"no quantity", false, "10003", 2, "0", "100", false, documents::text::enterQuantity(), "22"},
        {"total over the quantity, list price not applied again", false, "10003", 2, "3", "100", true, none, "33.3333"},
        {"Arabic-Indic digits", false, "10003", 2, "4", "١٠٠", true, none, "25"},
        {"the customer's price still wins", false, "10006", 2, "2", "300", true, none, "95.5"},
        {"the minimum still applies", true, "10003", 2, "4", "40", true, documents::text::priceBelowMinimum(), "22"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session->vAdmin = c.operatorWithoutR22 ? QStringLiteral("OP") : QStringLiteral("SV");
        auto inv = invoiceFor(QStringLiteral("120005"));
        ASSERT_TRUE(add(*inv, typed(c.itemNo, c.uIndex, c.quantity)).ok);
        const Outcome o = inv->setLineTotal(0, u(c.typed));
        EXPECT_EQ(o.ok, c.ok);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(inv->lines[0].UPRICE, price(c.price));
        EXPECT_EQ(inv->header.SUBAMNT, inv->lines[0].SUBAMNT);
    }
    auto inv = invoiceFor(QStringLiteral("120005"));
    ASSERT_TRUE(add(*inv, typed("10003", 2, "3")).ok);
    ASSERT_TRUE(inv->setLineTotal(0, QStringLiteral("100")).ok);
    EXPECT_EQ(inv->lines[0].SUBAMNT, money("100"));   // 33.3333 × 3 = 99.9999
}

TEST_F(SalesCommands, Barcode)
{
    session->gBCUse = QStringLiteral("T");
    auto inv = invoiceFor(QStringLiteral("120005"));
    ASSERT_TRUE(add(*inv, typed("10002", 1, "2")).ok);

    Outcome o = inv->enterBarcode(0, QStringLiteral("999"));
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message, session->msg.mNoItm);
    EXPECT_EQ(o.field, QStringLiteral("ITEMNO"));
    EXPECT_EQ(inv->lines[0].ITEMNO, QStringLiteral("10002"));

    o = inv->enterBarcode(0, QString());
    EXPECT_FALSE(o.ok);
    EXPECT_TRUE(o.message.isEmpty());

    // On a line: its item changes, and so its price becomes the new item's list price.
    ASSERT_TRUE(inv->enterBarcode(0, QStringLiteral(" %1 ").arg(QString::fromLatin1(kBarcode))).ok);
    EXPECT_EQ(inv->lines[0].ITEMNO, QStringLiteral("10003"));
    EXPECT_EQ(inv->lines[0].QTYSOLD, qty("2"));
    EXPECT_EQ(inv->lines[0].UPRICE, price("110"));

    // After the last line: a new line, quantity 1 with barcode entry on.
    ASSERT_TRUE(inv->enterBarcode(1, QString::fromLatin1(kBarcode)).ok);
    ASSERT_EQ(inv->lines.size(), 2);
    EXPECT_EQ(inv->lines[1].QTYSOLD, qty("1"));
    EXPECT_EQ(inv->header.SUBAMNT, money("330"));
}

TEST_F(SalesCommands, AddressFromTheAccount)
{
    auto inv = invoiceFor(QStringLiteral("120005"));
    inv->header.ACCTNO = QStringLiteral("120007");
    inv->copyAddressFromAccount();
    EXPECT_EQ(inv->header.LOCAT, u("المستودع الرئيسي"));
    EXPECT_EQ(inv->header.address.TAXCODE, QStringLiteral("300000000000003"));
    EXPECT_EQ(inv->header.address.CITY, u("جدة"));
    EXPECT_EQ(inv->header.address.BUILDNO, QStringLiteral("12"));
}

TEST_F(SalesCommands, ItemSalesHistory)
{
    const char* rows[] = {
        "(9101, 1, '2026-03-01', '10004', '120008', 3, 33.3333, 1)",
        "(9102, 1, '2026-02-01', '10004', '120008', 1, 10, 1)",
        "(9100, 2, '2026-03-01', '10004', '120008', 2, 10.5, 1)",
        "(9103, 1, '2026-01-01', '10004', '120009', 5, 10, 1)", // another customer
        "(9104, 1, '2026-01-01', '10003', '120008', 5, 10, 1)", // another item
    };
    for (const char* r : rows)
        exec(QStringLiteral("insert into TRANS3D (INVSEL, LNO, TRDATE, ITEMNO, ACCTNO, QTYSOLD, UPRICE, UINDEX) values ")
             + QString::fromLatin1(r));

    const auto h = documents::itemSalesHistory(*session, QStringLiteral("10004"), QStringLiteral("120008"));
    ASSERT_EQ(h.size(), 3);
    EXPECT_EQ(h[0].INVSEL, 9102);
    EXPECT_EQ(h[1].INVSEL, 9100); // same date: by number
    EXPECT_EQ(h[2].INVSEL, 9101);
    EXPECT_EQ(h[0].TRDATE, QDate(2026, 2, 1));
    EXPECT_EQ(h[1].value, money("21"));
    EXPECT_EQ(h[2].QTYSOLD, qty("3"));
    EXPECT_EQ(h[2].UPRICE, price("33.3333"));
    EXPECT_EQ(h[2].value, money("100")); // 99.9999

    EXPECT_EQ(documents::itemHistoryCaption(u("صابون "), int(h.size())), u("مبيعات صـنف   -   صابون  عدد السجلات: 3"));
}

TEST_F(SalesCommands, BuyerTaxCode)
{
    exec("insert into TRANS3 (INVSEL, ACCTNO, INVTOT) values (9201, '120010', 115)");
    exec("insert into TRANS3 (INVSEL, ACCTNO, INVTOT) values (9202, '120010', 0)");
    struct Case {
        const char* name;
        const char* vAdmin;
        bool t01;
        int invSel;
        const char* code;
        bool offered;
        bool ok;
        QString message;
        const char* stored;
    };
    const QString none;
    const Case cases[] = {
        {"operator without T01", "OP", false, 9201, "311111111111113", false, false, none, ""},
        {"total 0", "SV", false, 9202, "311111111111113", false, false, none, ""},
        {"no such invoice", "SV", false, 9299, "311111111111113", false, false, none, ""},
        {"empty text", "SV", false, 9201, "  ", true, false, none, ""},
        {"longer than the column", "SV", false, 9201, "311111111111113000000", true, false,
         documents::text::taxCodeTooLong(), ""},
        {"operator with T01", "OP", true, 9201, " 311111111111113 ", true, true, none, "311111111111113"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session->vAdmin = QString::fromLatin1(c.vAdmin);
        session->rights[core::Right::T01] = c.t01 ? QStringLiteral("T") : QStringLiteral("F");
        EXPECT_EQ(documents::canAddBuyerTaxCode(*session, c.invSel), c.offered);
        const Outcome o = documents::addBuyerTaxCode(*session, c.invSel, QString::fromLatin1(c.code));
        EXPECT_EQ(o.ok, c.ok);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(value(QStringLiteral("select TAXCODE from TRANS3 where INVSEL = %1").arg(c.invSel)),
                  QString::fromLatin1(c.stored));
    }

    // Another workstation holds the row: nothing is stored.
    auto other = test::openSession(*folder_);
    db::Transaction held(*other->MainDB);
    held.execute(QStringLiteral("update TRANS3 set DESCR = 'x' where INVSEL = 9201"));
    session->vAdmin = QStringLiteral("SV");
    const Outcome busy = documents::addBuyerTaxCode(*session, 9201, QStringLiteral("399999999999993"));
    EXPECT_EQ(busy.message, session->msg.mInUse);
    held.rollback();
    EXPECT_EQ(value(QStringLiteral("select TAXCODE from TRANS3 where INVSEL = 9201")), QStringLiteral("311111111111113"));
}

namespace {

// Invoice header of the repair cases: wrong sums, a discount of 5.00 and tax figures that must stay.
QString repairHeader(int n)
{
    return QStringLiteral("insert into TRANS3 (INVSEL, TRDATE, ACCTNO, SALRID, SUBAMNT, DISVAL, AMOUNT, VTAX, INVTOT,"
                          " TOTCOST) values (%1, '2026-03-15', '120010', '01', 0, 5, 0, 77.77, 888.88, 0)")
        .arg(n);
}
// A line: "LNO, TRDATE, ITEMNO, UINDEX, QTYSOLD, QSOLD, UPRICE, UCOST, ACCTNO, SALRID".
QString repairLine(int n, const char* values)
{
    return QStringLiteral("insert into TRANS3D (INVSEL, LNO, TRDATE, ITEMNO, UINDEX, QTYSOLD, QSOLD, UPRICE, UCOST,"
                          " ACCTNO, SALRID) values (%1, %2)")
        .arg(n)
        .arg(QString::fromLatin1(values));
}

} // namespace

TEST_F(SalesCommands, WhenAnInvoiceNeedsRepair)
{
    const char* fine = "1, '2026-03-15', '10003', 1, 2, 12, 110, 75, '120010', '01'";
    const char* fine2 = "2, '2026-03-15', '10003', 1, 2, 12, 110, 75, '120010', '01'";
    struct Case {
        const char* name;
        std::vector<const char*> lines;
        bool armed;
        bool needs;
    };
    const Case cases[] = {
        {"no lines, even armed", {}, true, false},
        {"lines in order", {fine, fine2}, false, false},
        {"lines in order, armed", {fine, fine2}, true, true},
        {"an earlier line without QSOLD", {"1, '2026-03-15', '10003', 1, 2, 0, 110, 75, '120010', '01'", fine2}, false, false},
        {"the last line without QSOLD", {fine, "2, '2026-03-15', '10003', 1, 2, 0, 110, 75, '120010', '01'"}, false, true},
        {"the last line with unit 0", {fine, "2, '2026-03-15', '10003', 0, 2, 12, 110, 75, '120010', '01'"}, false, true},
        {"the last line without an account", {fine, "2, '2026-03-15', '10003', 1, 2, 12, 110, 75, NULL, '01'"}, false, true},
    };
    int n = 9400;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ++n;
        exec(repairHeader(n));
        for (const char* l : c.lines) exec(repairLine(n, l));
        EXPECT_EQ(documents::invoiceNeedsRepair(*session, n, c.armed), c.needs);
    }
    // Nothing to repair: nothing is written.
    EXPECT_FALSE(documents::repairIfNeeded(*session, 9402, false));
    EXPECT_EQ(value(QStringLiteral("select SUBAMNT from TRANS3 where INVSEL = 9402")), QStringLiteral("0.00"));
}

TEST_F(SalesCommands, Repair)
{
    const QString stock = QStringLiteral("select list(ITEMNO || ':' || ONHAND || ':' || QTYSOLD || ':' || OUTCOST || ':' || UCOST, ' ')"
                                         " from STOCK where ITEMNO in ('10001', '10002', '10003')");
    const QString stockBefore = value(stock);
    struct Case {
        const char* name;
        bool armed;
        std::vector<const char*> lines;
        const char* linesAfter;  // LNO:UINDEX:QSOLD:UCOST:TRDATE:ACCTNO:SALRID
        const char* headerAfter; // SUBAMNT|AMOUNT|TOTCOST|VTAX|INVTOT
    };
    const Case cases[] = {
        {"a line without QSOLD is taken from the item, the others stay",
         false,
         {"1, NULL, '10003', 1, 2, 0, 110, 0, '120010', '01'",
          "2, '2026-03-01', '10003', 2, 3, 3, 22, 9, '120010', '01'"},
         "1:1:12.0000:75.00:2026-03-15:120010:01 2:2:3.0000:9.00:2026-03-01:120010:01",
         "286.00|281.00|177.00|77.77|888.88"},
        {"unit 0 becomes 1, an empty account and salesman come from the header",
         false,
         {"1, '2026-03-15', '10002', 0, 1, 24, 48, 36, NULL, NULL",
          "2, '2026-03-15', '10002', 2, 1.5, 0, 2.25, 0, '', ''"},
         "1:1:24.0000:36.00:2026-03-15:120010:01 2:2:1.5000:1.50:2026-03-15:120010:01",
         "51.38|46.38|38.25|77.77|888.88"},
        {"armed: every line from today's item, QUNITS 0 counting as 1",
         true,
         {"1, '2026-01-01', '10003', 1, 1, 6, 100, 70, '120010', '01'",
          "2, '2026-01-01', '10001', 1, 2, 5, 7.3333, 1, '120010', '01'",
          "3, '2026-01-01', '10003', 2, 1, 4, 20, 12.5, '120010', '01'"},
         "1:1:6.0000:75.00:2026-03-15:120010:01 2:1:2.0000:3.00:2026-03-15:120010:01"
         " 3:2:1.0000:12.50:2026-03-15:120010:01",
         "134.67|129.67|93.50|77.77|888.88"},
    };
    int n = 9500;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ++n;
        exec(repairHeader(n));
        for (const char* l : c.lines) exec(repairLine(n, l));
        {
            db::Transaction tr(*session->MainDB);
            documents::repairInvoice(tr, n, c.armed);
            tr.commit();
        }
        EXPECT_EQ(value(QStringLiteral(
                            "select list(LNO || ':' || UINDEX || ':' || QSOLD || ':' || UCOST || ':' ||"
                            " coalesce(cast(TRDATE as varchar(10)), '-') || ':' || coalesce(ACCTNO, '') || ':' ||"
                            " coalesce(SALRID, ''), ' ') from (select * from TRANS3D where INVSEL = %1 order by LNO)")
                            .arg(n)),
                  QString::fromLatin1(c.linesAfter));
        EXPECT_EQ(value(QStringLiteral("select SUBAMNT || '|' || AMOUNT || '|' || TOTCOST || '|' || VTAX || '|' || INVTOT"
                                       " from TRANS3 where INVSEL = %1")
                            .arg(n)),
                  QString::fromLatin1(c.headerAfter));
    }
    EXPECT_EQ(value(stock), stockBefore);
}
