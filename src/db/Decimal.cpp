#include "db/Decimal.h"

#include <limits>
#include <stdexcept>

namespace kv::db {

namespace {

using i128 = __int128;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

void checkScale(int s)
{
    if (s < 0 || s > 18)
        throw std::invalid_argument("decimal scale out of range 0..18");
}

i128 pow10w(int n)
{
    i128 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// n / d rounded half away from zero; d > 0.
i128 divRound(i128 n, i128 d)
{
    i128 q = n / d;
    i128 r = n % d;
    if (r < 0)
        r = -r;
    if (2 * r >= d)
        q += n < 0 ? -1 : 1;
    return q;
}

std::int64_t narrow(i128 v)
{
    if (v > kMax || v < kMin)
        throw std::overflow_error("decimal value out of the 64-bit range");
    return std::int64_t(v);
}

} // namespace

std::int64_t pow10i(int n)
{
    checkScale(n);
    return std::int64_t(pow10w(n));
}

Decimal Decimal::rescaled(int newScale) const
{
    checkScale(newScale);
    checkScale(scale);
    if (newScale == scale)
        return *this;
    if (newScale > scale)
        return Decimal(narrow(i128(units) * pow10w(newScale - scale)), newScale);
    return Decimal(narrow(divRound(units, pow10w(scale - newScale))), newScale);
}

QString Decimal::toString() const
{
    checkScale(scale);
    // Magnitude as unsigned so that the most negative value prints too.
    const bool negative = units < 0;
    const std::uint64_t mag = negative ? std::uint64_t(0) - std::uint64_t(units) : std::uint64_t(units);
    QString digits = QString::number(mag);
    if (digits.size() <= scale)
        digits = QString(scale + 1 - digits.size(), QLatin1Char('0')) + digits;
    if (scale > 0)
        digits.insert(digits.size() - scale, QLatin1Char('.'));
    if (negative)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

std::optional<Decimal> Decimal::parse(QStringView text, int scale)
{
    if (scale < 0 || scale > 18)
        return std::nullopt;
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && t[i] == QLatin1Char('-')) {
        negative = true;
        ++i;
    }
    auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };

    i128 whole = 0;
    int wholeDigits = 0;
    for (; i < t.size() && isDigit(t[i]); ++i, ++wholeDigits) {
        whole = whole * 10 + (t[i].unicode() - '0');
        if (whole > kMax)
            return std::nullopt;
    }

    i128 frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        for (; i < t.size() && isDigit(t[i]); ++i) {
            const int d = t[i].unicode() - '0';
            if (fracDigits < scale)
                frac = frac * 10 + d;
            else if (fracDigits == scale)
                roundUp = d >= 5; // half away from zero: only the first dropped digit decides
            ++fracDigits;
        }
    }
    if (i != t.size() || wholeDigits + fracDigits == 0)
        return std::nullopt;

    if (fracDigits < scale)
        frac *= pow10w(scale - fracDigits);
    i128 mag = whole * pow10w(scale) + frac + (roundUp ? 1 : 0);
    if (mag > kMax)
        return std::nullopt;
    return Decimal(std::int64_t(negative ? -mag : mag), scale);
}

double Decimal::toDouble() const
{
    return double(units) / double(pow10w(scale));
}

bool operator==(const Decimal& a, const Decimal& b)
{
    if (a.scale == b.scale)
        return a.units == b.units;
    // Equal values at different scales compare equal (1.5 == 1.50).
    const int s = a.scale > b.scale ? a.scale : b.scale;
    return i128(a.units) * pow10w(s - a.scale) == i128(b.units) * pow10w(s - b.scale);
}

} // namespace kv::db
