#include "core/Money.h"

#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

using namespace kv::core;

namespace {

Money money(const char* t) { return *Money::parse(QString::fromLatin1(t)); }
Qty qty(const char* t) { return *Qty::parse(QString::fromLatin1(t)); }
Price price(const char* t) { return *Price::parse(QString::fromLatin1(t)); }

TEST(Money, RoundingHalfAwayFromZero)
{
    // Values at 4 decimals brought to 2.
    struct Case { const char* from; const char* to; };
    const Case cases[] = {
        {"1.005", "1.01"},   {"-1.005", "-1.01"}, {"2.675", "2.68"},   {"-2.675", "-2.68"},
        {"1.0049", "1.00"},  {"-1.0049", "-1.00"}, {"0.005", "0.01"},  {"-0.005", "-0.01"},
        {"-0.0049", "0.00"}, {"12.3450", "12.35"}, {"12.3449", "12.34"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(price(c.from).round<2>().toString(), QString::fromLatin1(c.to)) << c.from;
        EXPECT_EQ(Money::fromDecimal(*kv::db::Decimal::parse(QString::fromLatin1(c.from), 4)).toString(),
                  QString::fromLatin1(c.to)) << c.from;
    }
    EXPECT_EQ(Money::fromUnits(125).round<1>().units(), 13);  // 1.25 -> 1.3
    EXPECT_EQ(Money::fromUnits(-125).round<0>().units(), -1); // -1.25 -> -1
    EXPECT_EQ(Money::fromUnits(-150).round<0>().units(), -2); // -1.5 -> -2
    EXPECT_EQ(money("1.5").round<4>().toString(), QStringLiteral("1.5000"));
}

TEST(Money, FormatAndParse)
{
    struct Case { const char* text; const char* money; const char* qty; };
    const Case cases[] = {
        {"0", "0.00", "0.0000"},
        {"-0.0001", "0.00", "-0.0001"},
        {"12.5", "12.50", "12.5000"},
        {"-7", "-7.00", "-7.0000"},
        {".25", "0.25", "0.2500"},
        {"99999999999999.9999", "100000000000000.00", "99999999999999.9999"},
        {"1.00005", "1.00", "1.0001"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(money(c.text).toString(), QString::fromLatin1(c.money)) << c.text;
        EXPECT_EQ(qty(c.text).toString(), QString::fromLatin1(c.qty)) << c.text;
    }
    for (const char* bad : {"", "1,000.00", "1e2", "+1", "12.5.1", "abc", "--1"})
        EXPECT_FALSE(Money::parse(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(Qty::parse(QStringLiteral("9999999999999999.0000"))); // past the 64-bit range
}

TEST(Money, DecimalConversions)
{
    const Qty extreme = qty("99999999999999.9999");
    EXPECT_EQ(extreme.units(), 999999999999999999);
    EXPECT_EQ(extreme.toDecimal(), kv::db::Decimal(999999999999999999, 4));
    EXPECT_EQ(Qty::fromDecimal(kv::db::Decimal(-1, 4)).toString(), QStringLiteral("-0.0001"));
    EXPECT_EQ(Qty::fromDecimal(kv::db::Decimal(30, 0)), Qty::fromInt(30));
    EXPECT_EQ(Money::fromDecimal(kv::db::Decimal(1234, 2)).toDecimal().scale, 2);
    EXPECT_THROW(Qty::fromDecimal(kv::db::Decimal(std::numeric_limits<std::int64_t>::max(), 2)),
                 std::overflow_error);
}

TEST(Money, AdditionAndOverflow)
{
    EXPECT_EQ(money("10.10") + money("0.05") - money("20"), money("-9.85"));
    Money m = money("1");
    m += money("0.01");
    m -= money("2");
    EXPECT_EQ(m, money("-0.99"));
    EXPECT_EQ(-money("5"), money("-5"));
    EXPECT_EQ(money("-3.5").abs(), money("3.5"));

    const Money top = Money::fromUnits(std::numeric_limits<std::int64_t>::max());
    const Money bottom = Money::fromUnits(std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(top + Money::fromUnits(1), std::overflow_error);
    EXPECT_THROW(bottom - Money::fromUnits(1), std::overflow_error);
    EXPECT_THROW(-bottom, std::overflow_error);
    EXPECT_THROW(top * 2, std::overflow_error);
    EXPECT_THROW(Qty::fromInt(std::numeric_limits<std::int64_t>::max() / 1000), std::overflow_error);
}

TEST(Money, Multiplication)
{
    struct Case { const char* q; const char* p; const char* total; };
    const Case cases[] = {
        {"3", "1.3350", "4.01"},      // 4.005 -> 4.01
        {"-3", "1.3350", "-4.01"},
        {"1", "2.6750", "2.68"},
        {"0.3333", "3", "1.00"},      // 0.9999 -> 1.00
        {"2.5", "0.0020", "0.01"},    // 0.005 -> 0.01
        {"2.5", "-0.0020", "-0.01"},
        {"0.0001", "0.0001", "0.00"},
        {"12", "1.5", "18.00"},
        {"99999999999999.9999", "1", "100000000000000.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ((mul<2>(qty(c.q), price(c.p))).toString(), QString::fromLatin1(c.total)) << c.q << " x " << c.p;
    EXPECT_EQ((mul<4>(qty("0.0001"), price("0.5"))).toString(), QStringLiteral("0.0001")); // 0.00005
    EXPECT_EQ((mul<4, 2, 4>(money("10.00"), price("15.0000"))).toString(), QStringLiteral("150.0000"));
    EXPECT_EQ(money("2.50") * 3, money("7.50"));
    EXPECT_THROW((mul<4>(qty("99999999999999.9999"), price("99999999999999.9999"))), std::overflow_error);
    EXPECT_THROW((mul<6>(qty("99999999999999.9999"), price("1"))), std::overflow_error);
}

TEST(Money, Division)
{
    struct Case { const char* a; const char* b; const char* q; };
    const Case cases[] = {
        {"30", "12", "2.5000"},
        {"-12", "12", "-1.0000"},
        {"10", "3", "3.3333"},
        {"20", "3", "6.6667"},
        {"-20", "3", "-6.6667"},
        {"1", "-8", "-0.1250"},
        {"0.0001", "2", "0.0001"},    // 0.00005 -> 0.0001
        {"-0.0001", "2", "-0.0001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ((div<4>(qty(c.a), qty(c.b))).toString(), QString::fromLatin1(c.q)) << c.a << " / " << c.b;
    EXPECT_EQ((div<2>(money("100.00"), qty("3"))).toString(), QStringLiteral("33.33"));
    EXPECT_EQ(money("10.00") / 4, money("2.50"));
    EXPECT_EQ(money("0.05") / 2, money("0.03"));
    EXPECT_EQ(money("-0.05") / 2, money("-0.03"));
    EXPECT_EQ(money("0.05") / -2, money("-0.03"));
    EXPECT_THROW(money("1") / 0, std::domain_error);
    EXPECT_THROW((div<4>(qty("1"), Qty())), std::domain_error);
}

TEST(Money, Comparison)
{
    EXPECT_LT(money("-0.01"), Money());
    EXPECT_GT(money("0.01"), Money());
    EXPECT_LE(money("2"), money("2.00"));
    EXPECT_NE(money("2"), money("2.01"));
    EXPECT_TRUE(Money().isZero());
    EXPECT_TRUE(money("-1").isNegative());
    EXPECT_FALSE(Money().isNegative());
}

} // namespace
