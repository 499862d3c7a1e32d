// Totals in Arabic words: the printed documents' exact words and spacing.
#include "documents/AmountInWords.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kv;
using documents::amountPhrase;
using documents::numberInWords;
using documents::quantityPhrase;

namespace {

struct NumberCase {
    std::int64_t n;
    const char* text;
};

void expectNumbers(const std::vector<NumberCase>& cases)
{
    for (const NumberCase& c : cases)
        EXPECT_EQ(numberInWords(c.n), QString::fromUtf8(c.text)) << "number " << c.n;
}

core::Money money(const char* shown)
{
    return *core::Money::parse(QString::fromLatin1(shown));
}

core::Qty qty(const char* shown)
{
    return *core::Qty::parse(QString::fromLatin1(shown));
}

} // namespace

TEST(AmountInWords, NumbersUpToTenMillion)
{
    expectNumbers({
        {0, "فقط "},
        {2, "فقط اثنان"},
        {10, "فقط عشرة"},
        {11, "فقط أحد عشر"},
        {12, "فقط اثنا عشر"},
        {21, "فقط واحد وعشرون"},
        {100, "فقط مائة"},
        {102, "فقط مائة واثنان"},
        {105, "فقط مائة وخمسة"},
        {110, "فقط مائة وعشرة"},
        {115, "فقط مائة وخمسة عشر"},
        {250, "فقط مائتا وخمسون"},
        {1000, "فقط واحد ألف "},
        {1234, "فقط واحد ألف و مائتا وأربعة وثلاثون"},
        {2000, "فقط اثنان ألف "},
        {10000, "فقط عشرة ألف "},
        {10001, "فقط عشرة ألف و واحد"},
        {12500, "فقط اثنا عشر ألف و خمسمائة"},
        {20000, "فقط عشرون ألف "},
        {200200, "فقط مائتا ألف و مائتا"},
        {999999, "فقط تسعمائة وتسعة وتسعون ألف و تسعمائة وتسعة وتسعون"},
        {1000000, "فقط واحد مليون "},
        {1000001, "فقط واحد مليون  و واحد"},
        {1250000, "فقط واحد مليون مائتا وخمسون ألف "},
        {2013011, "فقط اثنين مليون ثلاثة عشر ألف و أحد عشر"},
        {9999999, "فقط تسعة مليون تسعمائة وتسعة وتسعون ألف و تسعمائة وتسعة وتسعون"},
    });
}

TEST(AmountInWords, LargerNumbersContinueTheSameGrammar)
{
    expectNumbers({
        {10000000, "فقط عشرة مليون "},
        {12000000, "فقط اثنا عشر مليون "},
        {25000001, "فقط خمسة وعشرون مليون  و واحد"},
        {102000000, "فقط مائة واثنان مليون "},
        {999999999, "فقط تسعمائة وتسعة وتسعون مليون تسعمائة وتسعة وتسعون ألف و تسعمائة وتسعة وتسعون"},
        {1000000000, "فقط واحد مليار "},
        {1002000005, "فقط واحد مليار اثنين مليون  و خمسة"},
        {2000003000, "فقط اثنين مليار ثلاثة ألف "},
        {std::numeric_limits<std::int64_t>::max(),
         "فقط تسعة كوينتليون مائتا وثلاثة وعشرون كوادريليون ثلاثمائة واثنان وسبعون تريليون ستة وثلاثون مليار "
         "ثمانمائة وأربعة وخمسون مليون سبعمائة وخمسة وسبعون ألف و ثمانمائة وسبعة"},
    });
}

TEST(AmountInWords, NegativeNumbersAreTheMagnitudeAfterMinus)
{
    expectNumbers({
        {-5, "فقط سالب خمسة"},
        {-1000, "فقط سالب واحد ألف "},
        {-1000001, "فقط سالب واحد مليون  و واحد"},
        {std::numeric_limits<std::int64_t>::min(),
         "فقط سالب تسعة كوينتليون مائتا وثلاثة وعشرون كوادريليون ثلاثمائة واثنان وسبعون تريليون ستة وثلاثون "
         "مليار ثمانمائة وأربعة وخمسون مليون سبعمائة وخمسة وسبعون ألف و ثمانمائة وثمانية"},
    });
}

TEST(AmountInWords, AmountPhraseWritesHalalasAsShownFigures)
{
    const struct {
        const char* total;
        const char* phrase;
    } cases[] = {
        {"125.50", "فقط مائة وخمسة وعشرون ريال و 50 هللة"},
        {"1000.00", "فقط واحد ألف  ريال"},
        {"12.05", "فقط اثنا عشر ريال و 05 هللة"},
        {"1.99", "فقط واحد ريال و 99 هللة"}, // decimals cut off, not rounded up
        {"0.05", "فقط  ريال و 05 هللة"},
        {"0.00", "فقط  ريال"},
        {"12500000.10", "فقط اثنا عشر مليون خمسمائة ألف  ريال و 10 هللة"},
        {"-125.50", "فقط سالب مائة وخمسة وعشرون ريال و 50 هللة"},
        {"-0.50", "فقط سالب  ريال و 50 هللة"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amountPhrase(money(c.total)), QString::fromUtf8(c.phrase)) << c.total;
}

TEST(AmountInWords, QuantityPhraseRoundsHalvesToEven)
{
    const struct {
        const char* total;
        const char* phrase;
    } cases[] = {
        {"12.5", "فقط اثنا عشر"},
        {"13.5", "فقط أربعة عشر"},
        {"1.5", "فقط اثنان"},
        {"0.5", "فقط "},
        {"2.4999", "فقط اثنان"},
        {"2.5001", "فقط ثلاثة"},
        {"1000", "فقط واحد ألف "},
        {"-2.5", "فقط سالب اثنان"},
        {"-0.4", "فقط "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quantityPhrase(qty(c.total)), QString::fromUtf8(c.phrase)) << c.total;
}
