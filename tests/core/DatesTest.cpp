#include "core/Dates.h"

#include <gtest/gtest.h>

using namespace kv::core;

namespace {

TEST(Dates, ParseDayMonthYear)
{
    struct Case { const char* text; QDate expected; };
    const Case cases[] = {
        {"15/06/2024", QDate(2024, 6, 15)},
        {"1/2/2024", QDate(2024, 2, 1)},
        {" 01/01/2023 ", QDate(2023, 1, 1)},
        {"29/02/2024", QDate(2024, 2, 29)},
        {"30/12/1445", QDate(1445, 12, 30)}, // a Hijri day kept with its own numbers
        {"29/02/2023", QDate()},
        {"30/02/1445", QDate()},
        {"31/04/2024", QDate()},
        {"00/01/2024", QDate()},
        {"15/13/2024", QDate()},
        {"15/06/24", QDate()},
        {"2024/06/15", QDate()},
        {"15-06-2024", QDate()},
        {"15/06/2024/1", QDate()},
        {"15//2024", QDate()},
        {"a5/06/2024", QDate()},
        {"", QDate()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseDate(QString::fromLatin1(c.text)), c.expected) << c.text;
    }
}

TEST(Dates, FormatYearMonthDay)
{
    EXPECT_EQ(formatDate(QDate(2024, 6, 5)), QStringLiteral("2024/06/05"));
    EXPECT_EQ(formatDate(QDate(1445, 12, 30)), QStringLiteral("1445/12/30"));
    EXPECT_EQ(formatDate(QDate()), QString());
}

TEST(Dates, HijriYear)
{
    struct Case { const char* year; bool hijri; };
    const Case cases[] = {
        {"1445", true}, {"1899", true}, {"1900", false}, {"2024", false},
        {" 1445 ", true}, {"", false}, {"14a5", false}, {"abc", false}, {"-5", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isHijriYear(QString::fromLatin1(c.year)), c.hijri) << c.year;
}

TEST(Dates, StorableHijri)
{
    struct Case { int y, m, d; bool storable; };
    const Case cases[] = {
        {1445, 6, 15, true},
        {1445, 2, 28, true},
        {1445, 2, 30, false}, // 30 Safar: no such Gregorian day
        {1445, 2, 29, false}, // 1445 is not a Gregorian leap year
        {1444, 2, 29, true},  // ... 1444 is
        {1445, 1, 31, false}, // no Hijri month has 31 days
        {1445, 12, 30, true}, // 1445 is a Hijri leap year
        {1444, 12, 30, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storableHijri(c.y, c.m, c.d), c.storable) << c.d << "/" << c.m << "/" << c.y;
}

TEST(Dates, AddHijriDays)
{
    struct Case { QDate from; int days; QDate expected; };
    const Case cases[] = {
        {QDate(1445, 6, 15), 3, QDate(1445, 6, 18)},
        {QDate(1445, 6, 15), 0, QDate(1445, 6, 15)},
        {QDate(1445, 1, 29), 1, QDate(1445, 1, 30)},  // Muharram has 30 days
        {QDate(1445, 1, 30), 1, QDate(1445, 2, 1)},
        {QDate(1445, 2, 28), 1, QDate()},             // 29 Safar 1445 cannot be kept
        {QDate(1445, 2, 28), 2, QDate(1445, 3, 1)},   // Safar has 29 days
        {QDate(1445, 3, 1), -1, QDate()},
        {QDate(1445, 3, 1), -2, QDate(1445, 2, 28)},
        {QDate(1444, 2, 28), 1, QDate(1444, 2, 29)},
        {QDate(1444, 12, 29), 1, QDate(1445, 1, 1)},  // Dhu al-Hijjah 1444 has 29 days
        {QDate(1445, 12, 29), 1, QDate(1445, 12, 30)},
        {QDate(1445, 6, 15), 354, QDate(1446, 6, 14)}, // 1445 has 355 days
        {QDate(1445, 1, 31), 1, QDate()},             // not a Hijri day
        {QDate(), 1, QDate()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(addHijriDays(c.from, c.days), c.expected) << formatDate(c.from).toStdString() << " + " << c.days;
    }
}

TEST(Dates, DefaultReportDates)
{
    const QDate today(2024, 5, 20);
    const QDate hijriToday(1445, 11, 12);
    struct Case { const char* curr; const char* last; QDate mcHDate; QDate date1, date2; };
    const Case cases[] = {
        {"2023", "2024", QDate(), QDate(2023, 1, 1), QDate(2023, 12, 31)},
        {"2024", "2024", QDate(), QDate(2024, 1, 1), today},
        {"1445", "1445", hijriToday, QDate(1445, 1, 1), hijriToday},
        {"1444", "1445", hijriToday, QDate(1444, 1, 1), QDate(1444, 12, 30)},
        {"1445", "1445", QDate(), QDate(1445, 1, 1), QDate()}, // Hijri date never confirmed
        {"1900", "1900", hijriToday, QDate(1900, 1, 1), hijriToday}, // counted as Hijri here
        {"1900", "2024", QDate(), QDate(1900, 1, 1), QDate(1900, 12, 30)},
        {"abc", "2024", hijriToday, QDate(), QDate()},
    };
    for (const Case& c : cases) {
        const DefaultDates d = defaultReportDates(QString::fromLatin1(c.curr), QString::fromLatin1(c.last), today, c.mcHDate);
        EXPECT_EQ(d.date1, c.date1) << c.curr << " / " << c.last;
        EXPECT_EQ(d.date2, c.date2) << c.curr << " / " << c.last;
    }
}

} // namespace
