// The sales invoice's line rules, totals and saved-line numbering on plain values: an item in two
// units and one in a single unit, and tables of lines run through the rules.
#include "documents/SalesInvoice.h"
#include "masters/Items.h"
#include <gtest/gtest.h>

using namespace kv;
using core::Money;
using core::Price;
using core::Qty;
using documents::LineBefore;
using documents::LineRules;
using documents::SalesLine;
using documents::Terms;

namespace {

Money money(const char* t) { return *Money::parse(QString::fromLatin1(t)); }
Price price(const char* t) { return *Price::parse(QString::fromLatin1(t)); }
Qty qty(const char* t) { return *Qty::parse(QString::fromLatin1(t)); }

// A carton of 12 pieces: cash 24.00 / 2.50, credit 25.00 / none for the piece.
masters::Item twoUnitItem()
{
    masters::Item it;
    it.ITEMNO = QStringLiteral("10001");
    it.ARTNO = QStringLiteral("10");
    it.QUNITS = masters::StockQty::fromInt(12);
    it.UPRICE = money("24");
    it.UPRICE2 = money("2.5");
    it.UPRICEC = money("25");
    it.UPRICE2C = money("0");
    it.UCOST = money("1.75");
    it.ONHAND = masters::StockQty::fromInt(30);
    it.MFRID = 4;
    return it;
}

masters::Item oneUnitItem()
{
    masters::Item it = twoUnitItem();
    it.ITEMNO = QStringLiteral("20001");
    it.QUNITS = masters::StockQty::fromInt(1);
    it.UPRICE2 = money("9");
    return it;
}

SalesLine lineOf(const masters::Item& item, int uIndex, const char* q, const char* typedPrice = "0")
{
    SalesLine l;
    l.ITEMNO = item.ITEMNO;
    l.UINDEX = uIndex;
    l.QTYSOLD = qty(q);
    l.UPRICE = price(typedPrice);
    return l;
}

LineRules rules(Terms terms, bool enforceMinimum = false, const QHash<QString, Price>* prices = nullptr)
{
    LineRules r;
    r.terms = terms;
    r.enforceMinimum = enforceMinimum;
    r.vatPer = money("15");
    r.customerPrices = prices;
    return r;
}

} // namespace

// The unit, the base quantity, the unit cost and the list price of a new line.
TEST(SalesInvoiceRules, PricesByUnitAndTerms)
{
    struct Case {
        const char* name;
        bool oneUnit;
        int uIndex;
        Terms terms;
        const char* qty;
        int wantUIndex;
        const char* wantPrice;
        const char* wantQSold;
        const char* wantUCost;
    };
    const Case cases[] = {
        {"carton, cash", false, 1, Terms::Cash, "2", 1, "24", "24", "21"},
        {"carton, credit price", false, 1, Terms::Credit, "2", 1, "25", "24", "21"},
        {"piece, cash", false, 2, Terms::Cash, "5", 2, "2.5", "5", "1.75"},
        {"piece, credit without a credit price falls back to cash", false, 2, Terms::Credit, "5", 2, "2.5", "5", "1.75"},
        {"one-unit item is always sold in its large unit", true, 2, Terms::Credit, "3", 1, "25", "3", "1.75"},
        {"unit index other than 2 means the large unit", false, 0, Terms::Cash, "1", 1, "24", "12", "21"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const masters::Item item = c.oneUnit ? oneUnitItem() : twoUnitItem();
        SalesLine l = lineOf(item, c.uIndex, c.qty);
        const documents::Outcome o = documents::applyLineRules(l, item, rules(c.terms), LineBefore{});
        EXPECT_TRUE(o.ok);
        EXPECT_TRUE(o.message.isEmpty());
        EXPECT_EQ(l.UINDEX, c.wantUIndex);
        EXPECT_EQ(l.UPRICE, price(c.wantPrice));
        EXPECT_EQ(l.QSOLD, qty(c.wantQSold));
        EXPECT_EQ(l.UCOST, money(c.wantUCost));
        EXPECT_EQ(l.MFRID, 4);
        EXPECT_EQ(l.VATPER, money("15"));
    }
}

// The list price replaces a typed one only when the item (or, for a two-unit item, the unit) changed in this edit;
// the customer's price list gives the customer's own price whatever happened before.
TEST(SalesInvoiceRules, TypedPriceListPriceAndCustomerPrice)
{
    const QHash<QString, Price> prices{{QStringLiteral("10001"), price("19.5")}};
    struct Case {
        const char* name;
        int uIndex;
        LineBefore before;
        const QHash<QString, Price>* customer;
        const char* want;
    };
    const Case cases[] = {
        {"same item and unit keep the typed price", 1, {"10001", 1}, nullptr, "22"},
        {"another item takes the list price", 1, {"10002", 1}, nullptr, "24"},
        {"the unit changed takes the small unit's price", 2, {"10001", 1}, nullptr, "2.5"},
        {"customer price over a typed price", 1, {"10001", 1}, &prices, "19.5"},
        {"customer price whatever the unit", 2, {}, &prices, "19.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const masters::Item item = twoUnitItem();
        SalesLine l = lineOf(item, c.uIndex, "1", "22");
        documents::applyLineRules(l, item, rules(Terms::Cash, false, c.customer), c.before);
        EXPECT_EQ(l.UPRICE, price(c.want));
    }
}

// An operator without R22 cannot go below the list price of the terms; the line is
// posted at the minimum with the notice. The customer's price still has the last word.
TEST(SalesInvoiceRules, MinimumPrice)
{
    const QHash<QString, Price> prices{{QStringLiteral("10001"), price("10")}};
    struct Case {
        const char* name;
        bool enforce;
        Terms terms;
        int uIndex;
        const char* typed;
        const QHash<QString, Price>* customer;
        const char* want;
        bool notice;
    };
    const Case cases[] = {
        {"below the cash minimum", true, Terms::Cash, 1, "20", nullptr, "24", true},
        {"above the minimum", true, Terms::Cash, 1, "30", nullptr, "30", false},
        {"credit minimum is the credit price", true, Terms::Credit, 1, "24.5", nullptr, "25", true},
        {"no credit price for the small unit: no floor", true, Terms::Credit, 2, "1", nullptr, "1", false},
        {"with R22 (or as SV) any price goes", false, Terms::Cash, 1, "1", nullptr, "1", false},
        {"customer price after the raise", true, Terms::Cash, 1, "20", &prices, "10", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const masters::Item item = twoUnitItem();
        SalesLine l = lineOf(item, c.uIndex, "1", c.typed);
        const documents::Outcome o =
            documents::applyLineRules(l, item, rules(c.terms, c.enforce, c.customer), LineBefore{item.ITEMNO, c.uIndex});
        EXPECT_TRUE(o.ok);
        EXPECT_EQ(l.UPRICE, price(c.want));
        EXPECT_EQ(o.message, c.notice ? documents::text::priceBelowMinimum() : QString());
        if (c.notice) {
            EXPECT_EQ(o.field, QStringLiteral("UPRICE"));
        }
    }
}

// The requested quantity in small units against ONHAND, when gXQSel is "T"; items of
// group "LB" carry no stock.
TEST(SalesInvoiceRules, StockCheck)
{
    struct Case {
        const char* name;
        bool check;
        const char* group;
        int uIndex;
        const char* qty;
        bool accepted;
    };
    const Case cases[] = {
        {"pieces within stock", true, "10", 2, "30", true},
        {"pieces above stock", true, "10", 2, "31", false},
        {"three cartons are 36 pieces", true, "10", 1, "3", false},
        {"two cartons are 24 pieces", true, "10", 1, "2", true},
        {"check off", false, "10", 1, "3", true},
        {"group LB is not checked", true, "LB", 1, "3", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        masters::Item item = twoUnitItem();
        item.ARTNO = QString::fromLatin1(c.group);
        LineRules r = rules(Terms::Cash);
        r.checkStock = c.check;
        SalesLine l = lineOf(item, c.uIndex, c.qty);
        const SalesLine before = l;
        const documents::Outcome o = documents::applyLineRules(l, item, r, LineBefore{});
        EXPECT_EQ(o.ok, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(o.message, documents::text::quantityNotAvailable());
            EXPECT_EQ(o.field, QStringLiteral("QTYSOLD"));
            EXPECT_EQ(l.UPRICE, before.UPRICE); // a refused line is left as it was
            EXPECT_EQ(l.QSOLD, before.QSOLD);
        }
    }
}

// Sum, then amount after discount, then VAT on that amount, each rounded half away from
// zero at two decimals (exactly: 15 % of 0.10 is 0.015, which is 0.02).
TEST(SalesInvoiceRules, RoundingSequence)
{
    struct Case {
        const char* qty;
        const char* price;
        const char* disval;
        const char* vatper;
        const char* subamnt;
        const char* amount;
        const char* vatamnt;
    };
    const Case cases[] = {
        {"3", "0.3333", "0", "15", "1.00", "1.00", "0.15"},
        {"30", "0.0335", "0", "15", "1.01", "1.01", "0.15"},
        {"1", "0.1", "0", "15", "0.10", "0.10", "0.02"},
        {"1", "10.1", "0.10", "15", "10.10", "10.00", "1.50"},
        {"2.5", "3.3", "0.01", "5", "8.25", "8.24", "0.41"},
        {"1", "0.1", "0.20", "15", "0.10", "-0.10", "-0.02"},
        {"1", "100", "0", "0", "100.00", "100.00", "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.qty) + " x " + c.price);
        SalesLine l;
        l.QTYSOLD = qty(c.qty);
        l.UPRICE = price(c.price);
        l.DISVAL = money(c.disval);
        l.VATPER = money(c.vatper);
        documents::computeLineAmounts(l);
        EXPECT_EQ(l.SUBAMNT.toString(), QString::fromLatin1(c.subamnt));
        EXPECT_EQ(l.AMOUNT.toString(), QString::fromLatin1(c.amount));
        EXPECT_EQ(l.VATAMNT.toString(), QString::fromLatin1(c.vatamnt));
    }
}

// Totals add the rounded line values; the cost is the unrounded sum of UCOST × QTYSOLD; profit
// and its percentage come from AMOUNT and TOTCOST.
TEST(SalesInvoiceRules, TotalsAndProfit)
{
    QList<SalesLine> lines;
    auto add = [&](const char* q, const char* p, const char* d, const char* cost) {
        SalesLine l;
        l.QTYSOLD = qty(q);
        l.UPRICE = price(p);
        l.DISVAL = money(d);
        l.VATPER = money("15");
        l.UCOST = money(cost);
        documents::computeLineAmounts(l);
        lines.append(l);
    };
    add("3", "0.3333", "0", "0.11");   // 1.00, VAT 0.15, cost 0.33
    add("1", "0.1", "0", "0.05");      // 0.10, VAT 0.02 (0.015), cost 0.05
    add("0.5", "7", "0.5", "3.33");    // 3.50 - 0.50 = 3.00, VAT 0.45, cost 1.665
    add("0", "5", "0", "4");           // a zero line adds nothing
    const documents::SalesTotals t = documents::sumLines(lines);
    EXPECT_EQ(t.SUBAMNT, money("4.6"));
    EXPECT_EQ(t.DISVAL, money("0.5"));
    EXPECT_EQ(t.AMOUNT, money("4.1"));
    EXPECT_EQ(t.VTAX, money("0.62"));
    EXPECT_EQ(t.invoiceTotal(), money("4.72"));
    EXPECT_EQ(t.TOTCOST, money("2.05")); // 0.33 + 0.05 + 1.665 = 2.045, rounded once
    EXPECT_EQ(t.units, qty("4.5"));

    documents::SalesHeader h;
    h.AMOUNT = t.AMOUNT;
    h.TOTCOST = t.TOTCOST;
    EXPECT_EQ(documents::profit(h), money("2.05"));
    EXPECT_EQ(documents::wholeNumberText(documents::profit(h)), QStringLiteral("2"));
    EXPECT_EQ(*documents::profitPercent(h), money("100"));
    h.TOTCOST = Money();
    EXPECT_FALSE(documents::profitPercent(h).has_value());
}

// The saved lines: quantities of 0 or less are dropped but keep their place in the numbering;
// QSOLD takes the item's whole number of units; DISPER when discount and sum are positive.
TEST(SalesInvoiceRules, SavedLines)
{
    QList<SalesLine> lines(4);
    lines[0].ITEMNO = QStringLiteral("A");
    lines[0].UINDEX = 1;
    lines[0].QTYSOLD = qty("2");
    lines[0].UPRICE = price("8");
    lines[0].DISVAL = money("2");
    lines[1].ITEMNO = QStringLiteral("A");
    lines[1].QTYSOLD = Qty();
    lines[2].ITEMNO = QStringLiteral("B");
    lines[2].UINDEX = 2;
    lines[2].QTYSOLD = qty("3");
    lines[3].ITEMNO = QStringLiteral("C");
    lines[3].UINDEX = 1;
    lines[3].QTYSOLD = qty("1");
    for (SalesLine& l : lines) documents::computeLineAmounts(l);

    const QHash<QString, Qty> units{{"A", qty("12")}, {"B", qty("6")}, {"C", qty("0")}};
    const QList<documents::SavedLine> saved =
        documents::linesToSave(lines, [&](const QString& itemNo) { return units.value(itemNo); });
    ASSERT_EQ(saved.size(), 3);
    EXPECT_EQ(saved[0].LNO, 1);
    EXPECT_EQ(saved[1].LNO, 3);
    EXPECT_EQ(saved[2].LNO, 4);
    EXPECT_EQ(saved[0].line.QSOLD, qty("24"));
    EXPECT_EQ(saved[1].line.QSOLD, qty("3"));
    EXPECT_EQ(saved[2].line.QSOLD, qty("1")); // QUNITS 0 counts as 1
    EXPECT_EQ(saved[0].line.DISPER.toString(), QStringLiteral("12.500000"));
    EXPECT_TRUE(saved[1].line.DISPER.isZero());
}
