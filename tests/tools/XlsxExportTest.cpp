// Excel workbooks read back from their XML: captions, Arabic text, exact numbers with formats,
// real dates, the right-to-left sheet and the row limit.
#include "ToolsTest.h"

#include "support/TestDb.h"
#include "tools/XlsxExport.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kv;
using namespace kv::tools;

namespace {

QString part(const QString& xlsx, const QString& name)
{
    bool ok = false;
    const QByteArray xml = test::runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, name}, &ok);
    EXPECT_TRUE(ok) << "no " << name.toStdString() << " in " << xlsx.toStdString();
    return QString::fromUtf8(xml);
}

int countOf(const QString& text, const QString& what)
{
    return int(text.count(what));
}

Table smallTable()
{
    Table t;
    t.columns = {{QStringLiteral("رقم الصنف"), ColumnKind::Text, 12},
                 {QStringLiteral("اسم الصنف"), ColumnKind::Text, 80},
                 {QStringLiteral("الكمية"), ColumnKind::Qty, 10},
                 {QStringLiteral("التكلفة"), ColumnKind::Money, 10},
                 {QStringLiteral("التاريخ"), ColumnKind::Date, 10}};
    for (int i = 0; i < 5; ++i)
        t.rows.push_back({QStringLiteral("A-%1").arg(i), QStringLiteral("قلم حبر أزرق %1").arg(i),
                          db::Decimal(12500 + i, 4), db::Decimal(1234567 + i, 2),
                          i == 1 ? Cell{} : Cell(QDate(2024, 3, 5))});
    return t;
}

} // namespace

TEST(XlsxExport, WorkbookHoldsCaptionsTextNumbersAndDates)
{
    const QString path = QDir(test::freshDir(QStringLiteral("xlsx"))).filePath(QStringLiteral("out.xlsx"));
    XlsxOptions o;
    o.sumRow = true;
    ASSERT_EQ(writeXlsx(path, smallTable(), o), QString());

    const QString book = part(path, QStringLiteral("xl/workbook.xml"));
    EXPECT_TRUE(book.contains(QStringLiteral("name=\"AbsDb\"")));

    const QString strings = part(path, QStringLiteral("xl/sharedStrings.xml"));
    EXPECT_TRUE(strings.contains(QStringLiteral("<t>رقم الصنف</t>")));
    EXPECT_TRUE(strings.contains(QStringLiteral("<t>التكلفة</t>")));
    EXPECT_TRUE(strings.contains(QStringLiteral("<t>قلم حبر أزرق 3</t>")));

    const QString sheet = part(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains(QStringLiteral("rightToLeft=\"1\"")));
    // Money cell of row 2 as a number (not text), quantity with its four decimals.
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"D2\" s=\"\\d+\"><v>12345.67</v></c>"))))
        << sheet.toStdString();
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"C3\" s=\"\\d+\"><v>1.2501</v></c>"))));
    // 5 March 2024 is day 45356 of Excel's calendar; the null date leaves E3 empty.
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"E2\" s=\"\\d+\"><v>45356</v></c>"))));
    EXPECT_FALSE(sheet.contains(QStringLiteral("r=\"E3\"")));
    // Sums under the numeric columns, as formulas with their exact totals.
    EXPECT_TRUE(sheet.contains(QStringLiteral("<f>SUM(D2:D6)</f><v>61728.45</v>")));
    // Widths: a display width of 80 gives 50, 12 gives 14.
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<col min=\"2\" max=\"2\" width=\"50\\.7109375\""))));
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<col min=\"1\" max=\"1\" width=\"14\\.7109375\""))));

    const QString styles = part(path, QStringLiteral("xl/styles.xml"));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"0.00\"")));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"0.0000\"")));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"yyyy/mm/dd\"")));
    EXPECT_TRUE(styles.contains(QStringLiteral("<b/>")));
    EXPECT_TRUE(styles.contains(QStringLiteral("val=\"Arial\"")));
}

TEST(XlsxExport, ChosenColumnsAndRowLimit)
{
    const QString path = QDir(test::freshDir(QStringLiteral("xlsx"))).filePath(QStringLiteral("limit.xlsx"));
    XlsxOptions o;
    o.columns = std::vector<int>{1, 3};
    o.rowLimit = 2;
    ASSERT_EQ(writeXlsx(path, smallTable(), o), QString());
    const QString sheet = part(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_EQ(countOf(sheet, QStringLiteral("<row ")), 3); // header + 2 rows
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"B3\" s=\"\\d+\"><v>12345.68</v></c>"))));
    EXPECT_FALSE(sheet.contains(QStringLiteral("r=\"C")));
}

TEST(XlsxExport, NoColumnsChosenWritesNoCells)
{
    const QString path = QDir(test::freshDir(QStringLiteral("xlsx"))).filePath(QStringLiteral("none.xlsx"));
    XlsxOptions o;
    o.columns = std::vector<int>{};
    ASSERT_EQ(writeXlsx(path, smallTable(), o), QString());
    const QString sheet = part(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_FALSE(sheet.contains(QStringLiteral("<c ")));
}

TEST(XlsxExport, UnwritableFileReportsAnError)
{
    const QString path = QDir(test::freshDir(QStringLiteral("xlsx"))).filePath(QStringLiteral("no/such/dir/x.xlsx"));
    EXPECT_FALSE(writeXlsx(path, smallTable()).isEmpty());
}

TEST(XlsxExport, RowLimitText)
{
    const std::pair<QString, std::optional<int>> cases[] = {
        {QStringLiteral("All"), 2147483646}, {QStringLiteral(" all "), 2147483646}, {QStringLiteral("100"), 100},
        {QStringLiteral("5000"), 5000},      {QStringLiteral("12a"), std::nullopt}, {QString(), std::nullopt},
        {QStringLiteral("-3"), 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseRowLimit(text), expected) << text.toStdString();
}
