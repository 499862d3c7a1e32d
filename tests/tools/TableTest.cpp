// How cells read in print and in the export: fixed decimals, dates, isolates, exact sums.
#include "tools/Table.h"

#include <QStandardItemModel>
#include <gtest/gtest.h>

using namespace kv;
using namespace kv::tools;

TEST(Table, CellsFollowTheirColumnFormat)
{
    struct Case {
        Column col;
        Cell cell;
        QString shown;
    };
    const Case cases[] = {
        {{QString(), ColumnKind::Money}, db::Decimal(12345, 3), QStringLiteral("12.35")}, // half away from zero
        {{QString(), ColumnKind::Money}, db::Decimal(-5, 3), QStringLiteral("-0.01")},
        {{QString(), ColumnKind::Qty}, db::Decimal(15, 1), QStringLiteral("1.5000")},
        {{QString(), ColumnKind::Qty, 0, QStringLiteral("0.000")}, db::Decimal(12345, 4), QStringLiteral("1.235")},
        {{QString(), ColumnKind::Money, 0, QStringLiteral("#,##0.00")}, db::Decimal(123456789, 2),
         QStringLiteral("1,234,567.89")},
        {{QString(), ColumnKind::Money}, std::int64_t(7), QStringLiteral("7.00")},
        {{QString(), ColumnKind::Integer}, std::int64_t(-42), QStringLiteral("-42")},
        {{QString(), ColumnKind::Date}, QDate(2024, 3, 5), QStringLiteral("2024/03/05")},
        {{QString(), ColumnKind::Date, 0, QStringLiteral("dd/mm/yyyy")}, QDate(2024, 3, 5), QStringLiteral("05/03/2024")},
        {{QString(), ColumnKind::Date}, QDate(), QString()},
        {{QString(), ColumnKind::Money}, std::monostate{}, QString()},
        {{QString(), ColumnKind::Money}, QStringLiteral("—"), QStringLiteral("—")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatCell(c.col, c.cell), c.shown) << c.shown.toStdString();
}

TEST(Table, NumbersAndDatesAreIsolatedForArabicText)
{
    const Column money{QString(), ColumnKind::Money};
    EXPECT_EQ(formatCellIsolated(money, db::Decimal(150, 2)), QStringLiteral("\u20661.50\u2069"));
    EXPECT_EQ(formatCellIsolated(money, QStringLiteral("نص")), QStringLiteral("نص"));
    EXPECT_EQ(isolate(QString()), QString());
}

TEST(Table, ModelRowsStayExact)
{
    QStandardItemModel m(2, 3);
    m.setHorizontalHeaderLabels({QStringLiteral("الاسم"), QStringLiteral("المبلغ"), QStringLiteral("التاريخ")});
    m.setData(m.index(0, 0), QStringLiteral("قلم"));
    m.setData(m.index(0, 1), QStringLiteral("12345678901234.56"));
    m.setData(m.index(0, 2), QDate(2024, 1, 31));
    m.setData(m.index(1, 1), QStringLiteral("1,250.50"));
    m.setData(m.index(1, 2), QStringLiteral("2024/02/01"));
    const Table t = tableFromModel(m, {ColumnKind::Text, ColumnKind::Money, ColumnKind::Date});
    ASSERT_EQ(t.columns.size(), 3u);
    EXPECT_EQ(t.columns[1].caption, QStringLiteral("المبلغ"));
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(std::get<db::Decimal>(t.rows[0][1]), db::Decimal(1234567890123456, 2));
    EXPECT_EQ(std::get<QDate>(t.rows[0][2]), QDate(2024, 1, 31));
    EXPECT_EQ(std::get<db::Decimal>(t.rows[1][1]), db::Decimal(125050, 2));
    EXPECT_EQ(std::get<QDate>(t.rows[1][2]), QDate(2024, 2, 1));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.rows[1][0]) ||
                std::get<QString>(t.rows[1][0]).isEmpty());
}
