#include "core/Session.h"

#include <gtest/gtest.h>

namespace {

TEST(Session, HijriYearFollowsOpenYear)
{
    struct Case { const char* year; bool hijri; };
    const Case cases[] = {{"1445", true}, {"2024", false}, {"", false}};
    kv::core::Session s;
    for (const Case& c : cases) {
        s.CurrYr = QString::fromLatin1(c.year);
        EXPECT_EQ(s.isHijriYear(), c.hijri) << c.year;
    }
}

} // namespace
