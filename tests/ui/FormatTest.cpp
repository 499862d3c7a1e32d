// Numbers and dates look the same on every machine.
#include "ui/common/Format.h"

#include <gtest/gtest.h>

using kv::db::Decimal;
using kv::ui::formatFixed;

TEST(ScreenFormat, FixedDecimalsRoundHalfAwayFromZero)
{
    struct Case {
        std::int64_t units;
        int scale;
        int decimals;
        const char* shown;
    };
    const Case cases[] = {
        {1234567891, 3, 2, "1234567.89"},
        {1234567895, 3, 2, "1234567.90"},
        {-5, 3, 2, "-0.01"},
        {-4, 3, 2, "0.00"},
        {125, 1, 4, "12.5000"},
        {0, 4, 2, "0.00"},
        {123456789012345678, 4, 4, "12345678901234.5678"},
        {std::numeric_limits<std::int64_t>::min(), 2, 2, "-92233720368547758.08"},
        {7, 0, 0, "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatFixed(c.units, c.scale, c.decimals).toStdString(), c.shown) << c.units;
}

TEST(ScreenFormat, DatesShowYearFirstAndAreTypedDayFirst)
{
    const QDate d(1445, 6, 15); // a Hijri-numbered date
    EXPECT_EQ(kv::ui::formatDate(d), QStringLiteral("1445/06/15"));
    EXPECT_EQ(kv::ui::parseTypedDate(QStringLiteral("15/06/1445")), d);
    EXPECT_FALSE(kv::ui::parseTypedDate(QStringLiteral("31/02/2024")).isValid());
    EXPECT_EQ(kv::ui::formatDate(QDate()), QString());
}
