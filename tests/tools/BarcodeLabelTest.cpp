// The label settings file BCParam.txt and the label page.
#include "ToolsTest.h"

#include "support/TestDb.h"
#include "tools/BarcodeLabel.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kv;
using namespace kv::tools;

namespace {

QString writeRaw(const QByteArray& bytes)
{
    const QString path = QDir(test::freshDir(QStringLiteral("bc"))).filePath(QStringLiteral("BCParam.txt"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

} // namespace

TEST(LabelSettings, FirstUseWritesTheDefaultsOnSevenLines)
{
    const QString path = QDir(test::freshDir(QStringLiteral("bc"))).filePath(QStringLiteral("BCParam.txt"));
    const LabelSettings s = readLabelSettings(path); // no file yet
    EXPECT_EQ(s, LabelSettings());
    const auto place = s.placement();
    ASSERT_TRUE(place);
    EXPECT_EQ(place->left, 66);
    EXPECT_EQ(place->top, 31);
    EXPECT_EQ(place->width, 175);
    EXPECT_EQ(place->height, 88);

    ASSERT_TRUE(writeLabelSettings(path, s));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("66\n31\n0.20\n175\n88\n0\n0\n"));
}

TEST(LabelSettings, DamagedFilesFallBackToDefaults)
{
    struct Case {
        QByteArray content;
        LabelSettings expected;
    };
    LabelSettings twoLines;
    twoLines.left = QStringLiteral("10");
    twoLines.top = QStringLiteral("12");
    LabelSettings blanks;
    blanks.width = QStringLiteral("150");
    LabelSettings crlf;
    crlf.left = QStringLiteral("1");
    crlf.top = QStringLiteral("2");
    crlf.module = QStringLiteral("0.3");
    crlf.width = QStringLiteral("4");
    crlf.height = QStringLiteral("5");
    crlf.angle = QStringLiteral("90");
    crlf.sLeft = QStringLiteral("7");
    LabelSettings cut;
    cut.left = QStringLiteral("123");
    cut.height = QStringLiteral("99");
    const Case cases[] = {
        {QByteArray(), LabelSettings()},                        // empty file
        {QByteArray("10\n12"), twoLines},                        // short: the rest default
        {QByteArray("\n\n\n150\n"), blanks},                     // blank lines keep defaults
        {QByteArray("1\r\n2\r\n0.3\r\n4\r\n5\r\n90\r\n7\r\n8\r\n"), crlf}, // Windows lines, an extra line
        {QByteArray("12345\n31\n0.20\n175\n999\n"), cut},         // over-long entries cut to their size
        {QByteArray("\x00\x01\x02garbage", 10), LabelSettings()},// not text
    };
    for (const Case& c : cases)
        EXPECT_EQ(readLabelSettings(writeRaw(c.content)), c.expected) << c.content.toStdString();
}

TEST(LabelSettings, PlacementNeedsWholeNumbersAndResetKeepsTheStoredFields)
{
    LabelSettings s;
    s.width = QStringLiteral("1x");
    EXPECT_FALSE(s.placement());
    s.module = QStringLiteral("0.35");
    s.angle = QStringLiteral("90");
    s.left = QStringLiteral("5");
    s.resetPlacement();
    EXPECT_EQ(s.left, QStringLiteral("66"));
    EXPECT_EQ(s.width, QStringLiteral("175"));
    EXPECT_EQ(s.module, QStringLiteral("0.35"));
    EXPECT_EQ(s.angle, QStringLiteral("90"));
}

TEST(LabelSettings, LabelPageHoldsTheDescriptionAndThePlacedSymbol)
{
    test::guiApp();
    QImage symbol(100, 40, QImage::Format_RGB32);
    symbol.fill(Qt::black);
    const Document doc = labelDocument(QStringLiteral("قلم حبر أزرق"), symbol, LabelPlacement{10, 40, 100, 50});
    ASSERT_EQ(doc.pageCount(), 1);
    const QSizeF paper = doc.setup.paperSizeMm();
    EXPECT_NEAR(paper.width(), 128.9, 0.05);
    EXPECT_NEAR(paper.height(), 23.7, 0.05);
    const ImageItem* img = nullptr;
    const TextItem* text = nullptr;
    for (const PageItem& it : doc.pages[0].items) {
        if (const auto* i = std::get_if<ImageItem>(&it))
            img = i;
        if (const auto* t = std::get_if<TextItem>(&it))
            text = t;
    }
    ASSERT_TRUE(img && text);
    EXPECT_EQ(text->text, QStringLiteral("قلم حبر أزرق"));
    EXPECT_NEAR(img->rect.left(), 10 * labelUnitMm, 1e-9);
    EXPECT_NEAR(img->rect.top(), 40 * labelUnitMm, 1e-9);
    EXPECT_NEAR(img->rect.width(), 100 * labelUnitMm, 1e-9);
    EXPECT_NEAR(img->rect.height(), 50 * labelUnitMm, 1e-9);
    // The default placement stays on the label.
    const LabelPlacement d;
    EXPECT_LE((d.top + d.height) * labelUnitMm, labelHeightMm);
    EXPECT_LE((d.left + d.width) * labelUnitMm, labelWidthMm);

    const Document bare = labelDocument(QStringLiteral("بدون رمز"), QImage(), d);
    for (const PageItem& it : bare.pages[0].items)
        EXPECT_FALSE(std::holds_alternative<ImageItem>(it));
}
