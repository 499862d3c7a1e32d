#include "db/Decimal.h"

#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

using kv::db::Decimal;

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(Decimal, ToString)
{
    struct Case { std::int64_t units; int scale; const char* text; };
    const Case cases[] = {
        {0, 2, "0.00"},
        {0, 0, "0"},
        {-1, 4, "-0.0001"},
        {-1, 2, "-0.01"},
        {1234500, 4, "123.4500"},
        {999999999999999999, 4, "99999999999999.9999"},
        {-999999999999999999, 4, "-99999999999999.9999"},
        {42, 0, "42"},
        {5, 18, "0.000000000000000005"},
        {kMax, 4, "922337203685477.5807"},
        {kMin, 2, "-92233720368547758.08"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decimal(c.units, c.scale).toString(), QString::fromLatin1(c.text)) << c.text;
}

TEST(Decimal, RescaleRoundsHalfAwayFromZero)
{
    struct Case { std::int64_t units; int scale; int to; std::int64_t expected; };
    const Case cases[] = {
        {1005, 3, 2, 101},    // 1.005 -> 1.01
        {-1005, 3, 2, -101},  // -1.005 -> -1.01
        {1004, 3, 2, 100},
        {-1004, 3, 2, -100},
        {2675, 3, 2, 268},    // 2.675 -> 2.68 (the binary double would give 2.67)
        {125000, 5, 0, 1},    // 1.25 -> 1
        {150, 2, 0, 2},       // 1.5 -> 2
        {-150, 2, 0, -2},
        {-49, 2, 0, 0},       // -0.49 -> 0
        {12345, 2, 4, 1234500},
        {kMax, 18, 0, 9},     // 9.22... -> 9
    };
    for (const Case& c : cases) {
        const Decimal r = Decimal(c.units, c.scale).rescaled(c.to);
        EXPECT_EQ(r.units, c.expected) << c.units << " scale " << c.scale << " -> " << c.to;
        EXPECT_EQ(r.scale, c.to);
    }
}

TEST(Decimal, RescaleUpOverflowThrows)
{
    EXPECT_THROW(Decimal(kMax / 10, 2).rescaled(4), std::overflow_error);
    EXPECT_THROW(Decimal(-999999999999999999, 2).rescaled(4), std::overflow_error);
    EXPECT_NO_THROW(Decimal(999999999999999, 2).rescaled(4));
}

TEST(Decimal, Parse)
{
    struct Case { const char* text; int scale; std::int64_t units; };
    const Case cases[] = {
        {"-12.345", 3, -12345},
        {"12", 2, 1200},
        {".5", 2, 50},
        {"-.5", 4, -5000},
        {"7.", 2, 700},
        {"  3.25 ", 2, 325},
        {"1.005", 2, 101},
        {"-1.005", 2, -101},
        {"2.675", 2, 268},
        {"1.00499999", 2, 100},
        {"0.00005", 4, 1},
        {"-0.0001", 4, -1},
        {"-0", 2, 0},
        {"99999999999999.9999", 4, 999999999999999999},
        {"0000000000000000000000012.5", 1, 125},
        {"922337203685477.5807", 4, kMax},
    };
    for (const Case& c : cases) {
        const auto d = Decimal::parse(QString::fromLatin1(c.text), c.scale);
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(d->units, c.units) << c.text;
        EXPECT_EQ(d->scale, c.scale) << c.text;
    }
}

TEST(Decimal, ParseRefuses)
{
    const char* bad[] = {
        "", " ", "-", ".", "-.", "1e3", "1,000", "1.2.3", "+5", "12a", "a12", "1 2",
        "922337203685477.5808",   // one unit past the 64-bit range at scale 4
        "99999999999999999999",   // integer part alone too large
        "922337203685477.58075",  // rounds up past the range
    };
    for (const char* t : bad)
        EXPECT_FALSE(Decimal::parse(QString::fromLatin1(t), 4).has_value()) << t;
    // Arabic-Indic digits are not accepted.
    EXPECT_FALSE(Decimal::parse(QStringLiteral("١٢"), 2).has_value());
    EXPECT_FALSE(Decimal::parse(QStringLiteral("1"), 19).has_value());
}

TEST(Decimal, ParseFormatRoundTrip)
{
    for (const char* t : {"0.00", "-0.01", "123456789012.34", "-99999999999999.99"}) {
        const auto d = Decimal::parse(QString::fromLatin1(t), 2);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->toString(), QString::fromLatin1(t));
    }
}

TEST(Decimal, EqualityComparesValues)
{
    EXPECT_EQ(Decimal(150, 2), Decimal(15, 1));
    EXPECT_EQ(Decimal(-1, 4), Decimal(-1, 4));
    EXPECT_FALSE(Decimal(151, 2) == Decimal(15, 1));
    EXPECT_FALSE(Decimal(1, 2) == Decimal(-1, 2));
}

TEST(Decimal, Pow10AndToDouble)
{
    EXPECT_EQ(kv::db::pow10i(0), 1);
    EXPECT_EQ(kv::db::pow10i(18), 1000000000000000000);
    EXPECT_DOUBLE_EQ(Decimal(-1250, 3).toDouble(), -1.25);
}

} // namespace
