#include "core/StartupRules.h"

#include <gtest/gtest.h>

using namespace kv::core;

namespace {

TEST(StartupRules, LocalhostName)
{
    struct Case { const char* server; bool localhost; };
    const Case cases[] = {
        {"LOCALHOST", true}, {"localhost", true}, {"LocalHost", true}, {"  localhost ", true},
        {"127.0.0.1", false}, {"127.0.0.1/3051", false}, {"SERVER1", false}, {"", false},
        {"localhost2", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isLocalhostName(QString::fromLatin1(c.server)), c.localhost) << c.server;
}

TEST(StartupRules, SysId)
{
    struct Case { quint32 random; const char* id; };
    const Case cases[] = {
        {0, "1000"}, {999, "1999"}, {1000, "1000"}, {123456, "123456"}, {2256255, "2256255"},
        {2256256, "1000"}, {2256256 + 1500, "1500"}, {4294967295u, "1312127"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(makeSysId(c.random), QString::fromLatin1(c.id)) << c.random;
}

TEST(StartupRules, LatestDocumentDate)
{
    using D = std::optional<QDate>;
    const D noRow = std::nullopt;
    const D null = QDate();
    const QDate h(1445, 11, 12);
    struct Case { std::array<D, 6> maxDates; QDate mcHDate; QDate expected; };
    const Case cases[] = {
        // No documents at all: the empty date.
        {{null, null, null, null, null, null}, QDate(), QDate()},
        // One receipt later than every invoice.
        {{QDate(2024, 3, 1), null, null, null, QDate(2024, 4, 2), null}, QDate(), QDate(2024, 4, 2)},
        {{QDate(2024, 3, 1), QDate(2024, 2, 1), QDate(2024, 3, 1), null, null, null}, QDate(), QDate(2024, 3, 1)},
        {{QDate(2024, 3, 1), null, null, null, null, QDate(2024, 12, 31)}, QDate(), QDate(2024, 12, 31)},
        // Only a purchase: it replaces the empty start.
        {{null, null, QDate(2024, 1, 5), null, null, null}, QDate(), QDate(2024, 1, 5)},
        // The invoice query gave no row: the confirmed Hijri date is the start.
        {{noRow, null, null, null, null, null}, h, h},
        {{noRow, QDate(1445, 11, 20), null, null, null, null}, h, QDate(1445, 11, 20)},
        {{noRow, QDate(1445, 10, 1), noRow, null, null, null}, h, h},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(latestDocumentDate(cases[i].maxDates, cases[i].mcHDate), cases[i].expected) << "case " << i;
}

Qty q(const char* t) { return *Qty::parse(QString::fromLatin1(t)); }

TEST(StartupRules, ItemQuantities)
{
    struct Case {
        StockFlavour flavour;
        const char *qunits, *onhand, *ucost;
        const char *qonhnd, *ucst, *curval;
    };
    const Case cases[] = {
        {StockFlavour::Stock, "12", "30", "1.5", "2.5000", "18.0000", "45.00"},
        {StockFlavour::StockZ, "12", "30", "1.5", "2.5000", "18.0000", "540.00"}, // ONHAND × UCST
        {StockFlavour::Stock, "12", "-12", "1.5", "-1.0000", "18.0000", "-18.00"},
        {StockFlavour::StockZ, "12", "-12", "1.5", "0.0000", "18.0000", "-216.00"},
        {StockFlavour::Stock, "12", "0", "1.5", "0.0000", "18.0000", "0.00"},
        {StockFlavour::Stock, "3", "10", "0.33", "3.3333", "0.9900", "3.30"},
        {StockFlavour::Stock, "1", "7.5", "0.125", "7.5000", "0.1250", "0.94"},  // 0.9375 -> 0.94
        {StockFlavour::Stock, "0", "30", "1.5", "0.0000", "0.0000", "45.00"},    // no division by QUNITS 0
        {StockFlavour::StockZ, "0", "30", "1.5", "0.0000", "0.0000", "0.00"},
    };
    for (const Case& c : cases) {
        StockAmounts row{};
        row.QUNITS = q(c.qunits);
        row.ONHAND = q(c.onhand);
        row.UCOST = *Price::parse(QString::fromLatin1(c.ucost));
        const ItemQuantities r = ItemQuantities::compute(row, c.flavour);
        const std::string what = std::string(c.flavour == StockFlavour::Stock ? "Stock " : "StockZ ") + c.qunits + "/" + c.onhand;
        EXPECT_EQ(r.QONHND.toString(), QString::fromLatin1(c.qonhnd)) << what;
        EXPECT_EQ(r.UCST.toString(), QString::fromLatin1(c.ucst)) << what;
        EXPECT_EQ(r.CURVAL.toString(), QString::fromLatin1(c.curval)) << what;
    }
}

TEST(StartupRules, QuotientsOfEachColumn)
{
    StockAmounts row{};
    row.QUNITS = q("4");
    row.QTYIN = q("10");
    row.QTYOUT = q("-2");
    row.QTYSOLD = q("0");
    row.QTYRET = q("1");
    row.ONHAND = q("9");
    const ItemQuantities s = ItemQuantities::compute(row, StockFlavour::Stock);
    EXPECT_EQ(s.QIN, q("2.5"));
    EXPECT_EQ(s.QOUT, q("-0.5"));
    EXPECT_EQ(s.QSOLD, q("0"));
    EXPECT_EQ(s.QRET, q("0.25"));
    EXPECT_EQ(s.QONHND, q("2.25"));
    const ItemQuantities z = ItemQuantities::compute(row, StockFlavour::StockZ);
    EXPECT_EQ(z.QIN, q("2.5"));
    EXPECT_EQ(z.QOUT, q("0"));
    EXPECT_EQ(z.QRET, q("0.25"));
}

} // namespace
