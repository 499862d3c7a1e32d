#include "core/Rights.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace kv::core;

namespace {

TEST(Rights, ColumnNames)
{
    EXPECT_EQ(rightColumn(Right::T01), QStringLiteral("T01"));
    EXPECT_EQ(rightColumn(Right::T30), QStringLiteral("T30"));
    EXPECT_EQ(rightColumn(Right::R01), QStringLiteral("R01"));
    EXPECT_EQ(rightColumn(Right::R30), QStringLiteral("R30"));
    EXPECT_EQ(rightAt(30), Right::R01);
    EXPECT_THROW(rightAt(RightCount), std::out_of_range);
    EXPECT_THROW(rightAt(-1), std::out_of_range);
}

TEST(Rights, Allowed)
{
    struct Case { const char* vAdmin; const char* flag; bool allowed; };
    const Case cases[] = {
        {"SV", "T", true}, {"SV", "F", true}, {"SV", "", true}, {"SV", "t", true}, {"SV", " T", true},
        {"OP", "T", true}, {"OP", "F", false}, {"OP", "", false}, {"OP", "t", false}, {"OP", " T", false},
    };
    for (const Case& c : cases) {
        RightFlags flags;
        flags[Right::R17] = QString::fromLatin1(c.flag);
        EXPECT_EQ(allowed(QString::fromLatin1(c.vAdmin), flags, Right::R17), c.allowed)
            << c.vAdmin << " '" << c.flag << "'";
        // Only the flag asked for counts.
        EXPECT_EQ(allowed(QString::fromLatin1(c.vAdmin), flags, Right::R16), QString::fromLatin1(c.vAdmin) != "OP");
    }
}

TEST(Rights, AdminClass)
{
    struct Case { QString name; const char* cls; };
    const Case cases[] = {
        {QStringLiteral("<المشرف>"), "SV"},
        {QStringLiteral("المشرف"), "OP"},
        {QStringLiteral(" <المشرف>"), "OP"},
        {QStringLiteral("<المشرف> "), "OP"},
        {QStringLiteral("<Admin>"), "OP"},
        {QStringLiteral("ahmad"), "OP"},
        {QString(), "OP"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(adminClassFor(c.name), QString::fromLatin1(c.cls)) << c.name.toStdString();
}

} // namespace
