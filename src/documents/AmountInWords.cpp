#include "documents/AmountInWords.h"

#include <array>

namespace kv::documents {

namespace {

// Indexed by digit; entry 0 is unused.
constexpr std::array<const char*, 10> kHundreds = {"", "مائة", "مائتا", "ثلاثمائة", "أربعمائة",
                                                   "خمسمائة", "ستمائة", "سبعمائة", "ثمانمائة", "تسعمائة"};
constexpr std::array<const char*, 10> kUnits = {"", "واحد", "اثنان", "ثلاثة", "أربعة",
                                                "خمسة", "ستة", "سبعة", "ثمانية", "تسعة"};
constexpr std::array<const char*, 10> kTens = {"", "عشرة", "عشرون", "ثلاثون", "أربعون",
                                               "خمسون", "ستون", "سبعون", "ثمانون", "تسعون"};

// Scale words of the groups above the thousands: 10^6, 10^9, ... (an int64 reaches 10^18).
constexpr std::array<const char*, 5> kScales = {"مليون", "مليار", "تريليون", "كوادريليون", "كوينتليون"};

QString u8(const char* s)
{
    return QString::fromUtf8(s);
}

// The words of one group of three digits (0..999); empty for 0.
QString groupText(unsigned v)
{
    const unsigned h = v / 100, t = v / 10 % 10, u = v % 10;
    QString text;
    if (h != 0)
        text += v == h * 100 ? u8(kHundreds[h]) : u8(kHundreds[h]) + QStringLiteral(" و");
    if (u != 0) {
        if (t == 1 && u == 1)
            text += u8("أحد");
        else if (t == 1 && u == 2)
            text += u8("اثنا");
        else if (t >= 2)
            text += u8(kUnits[u]) + QStringLiteral(" و");
        else
            text += u8(kUnits[u]);
    }
    if (t == 1)
        text += u == 0 ? u8(kTens[1]) : u8(" عشر");
    else if (t >= 2)
        text += u8(kTens[t]);
    return text;
}

// A count of one of the large scales, ending with a space: a single digit takes the words of the
// millions table ("اثنين مليون "), a longer count its group's words.
QString scaleWord(unsigned count, const char* scale)
{
    const QString number = count == 2 ? u8("اثنين") : count < 10 ? u8(kUnits[count]) : groupText(count);
    return number + QLatin1Char(' ') + u8(scale) + QLatin1Char(' ');
}

// The words after "فقط " of a magnitude.
QString wordsOf(std::uint64_t n)
{
    // groups[0] units, [1] thousands, [2] millions, [3] billions, ...
    std::array<unsigned, 7> groups{};
    for (std::size_t i = 0; i < groups.size(); ++i, n /= 1000)
        groups[i] = unsigned(n % 1000);

    QString text;
    bool large = false; // a million or more written so far
    for (std::size_t i = groups.size() - 1; i >= 2; --i) {
        if (groups[i] != 0) {
            text += scaleWord(groups[i], kScales[i - 2]);
            large = true;
        }
    }
    if (groups[1] != 0) {
        text += groupText(groups[1]) + u8(" ألف ");
        if (groups[0] != 0)
            text += u8("و ") + groupText(groups[0]);
    } else if (groups[0] != 0) {
        text += (large ? u8(" و ") : QString()) + groupText(groups[0]);
    }
    return text;
}

std::uint64_t magnitude(std::int64_t n)
{
    return n < 0 ? std::uint64_t(0) - std::uint64_t(n) : std::uint64_t(n);
}

QString lead(bool negative)
{
    return negative ? u8("فقط سالب ") : u8("فقط ");
}

} // namespace

QString numberInWords(std::int64_t n)
{
    return lead(n < 0) + wordsOf(magnitude(n));
}

QString amountPhrase(core::Money total)
{
    // The sign belongs to the amount, not to its whole part: -0.50 is still negative.
    const std::uint64_t units = magnitude(total.units());
    const unsigned cents = unsigned(units % 100);
    QString text = lead(total.isNegative()) + wordsOf(units / 100);
    if (cents == 0)
        return text + u8(" ريال");
    return text + u8(" ريال و ") + QStringLiteral("%1").arg(cents, 2, 10, QLatin1Char('0')) + u8(" هللة");
}

QString quantityPhrase(core::Qty total)
{
    constexpr std::uint64_t one = 10000; // Qty has four decimals
    const std::uint64_t units = magnitude(total.units());
    std::uint64_t whole = units / one;
    const std::uint64_t rest = units % one;
    if (rest * 2 > one || (rest * 2 == one && whole % 2 == 1))
        ++whole;
    return lead(total.isNegative() && whole != 0) + wordsOf(whole);
}

} // namespace kv::documents
