#pragma once
// Fixed-point amounts: an int64 count of 10^-Scale units, as NUMERIC(18,Scale) stores them.
//
//   Money  = Fixed<2>  amounts, totals, balances            shown "0.00"
//   Qty    = Fixed<4>  document-line quantities              shown "0.0000"
//   Price  = Fixed<4>  unit prices, unit costs, percentages  shown "0.0000"
//
// Every reduction of decimals rounds half away from zero (1.005 -> 1.01, -1.005 -> -1.01).
// Arithmetic that leaves the 64-bit range throws std::overflow_error; dividing by zero throws
// std::domain_error.
//
// Text: parse() accepts Latin digits with an optional leading '-' and an optional '.' followed
// by any number of decimals (extra decimals are rounded), surrounded by optional white space.
// Thousands separators, '+', exponents and other digit sets are refused.
#include "db/Decimal.h"
#include <QString>
#include <compare>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>

namespace kv::core {

namespace fixed_detail {

using i128 = __int128;

constexpr i128 pow10(int n)
{
    i128 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// n / d rounded half away from zero.
constexpr i128 divRound(i128 n, i128 d)
{
    if (d == 0)
        throw std::domain_error("division by zero");
    if (d < 0) {
        n = -n;
        d = -d;
    }
    i128 q = n / d;
    i128 r = n % d;
    if (r < 0)
        r = -r;
    if (2 * r >= d)
        q += n < 0 ? -1 : 1;
    return q;
}

constexpr std::int64_t narrow(i128 v)
{
    if (v > std::numeric_limits<std::int64_t>::max() || v < std::numeric_limits<std::int64_t>::min())
        throw std::overflow_error("fixed-point value out of range");
    return std::int64_t(v);
}

// A value at scale `from` brought to scale `to`, rounding when decimals are dropped.
constexpr i128 rescale(i128 v, int from, int to)
{
    return to >= from ? v * pow10(to - from) : divRound(v, pow10(from - to));
}

} // namespace fixed_detail

template<int Scale>
class Fixed {
    static_assert(Scale >= 0 && Scale <= 18, "NUMERIC scales are 0..18");

public:
    static constexpr int scale = Scale;

    constexpr Fixed() = default;

    static constexpr Fixed fromUnits(std::int64_t units) { return Fixed(units); }
    // A whole number: fromInt(12) is 12.00 as Money.
    static constexpr Fixed fromInt(std::int64_t whole)
    {
        return Fixed(fixed_detail::narrow(fixed_detail::i128(whole) * fixed_detail::pow10(Scale)));
    }
    // A database value at any scale, rounded to Scale decimals.
    static Fixed fromDecimal(const db::Decimal& d)
    {
        return Fixed(fixed_detail::narrow(fixed_detail::rescale(d.units, d.scale, Scale)));
    }
    static std::optional<Fixed> parse(QStringView text)
    {
        if (auto d = db::Decimal::parse(text, Scale))
            return Fixed(d->units);
        return std::nullopt;
    }

    constexpr std::int64_t units() const { return units_; }
    db::Decimal toDecimal() const { return db::Decimal(units_, Scale); }
    QString toString() const { return toDecimal().toString(); } // exactly Scale decimals

    constexpr bool isZero() const { return units_ == 0; }
    constexpr bool isNegative() const { return units_ < 0; }
    constexpr Fixed abs() const { return units_ < 0 ? -*this : *this; }

    // The same value with S2 decimals (rounded half away from zero when S2 < Scale).
    template<int S2>
    constexpr Fixed<S2> round() const
    {
        return Fixed<S2>::fromUnits(fixed_detail::narrow(fixed_detail::rescale(units_, Scale, S2)));
    }

    constexpr Fixed operator-() const { return Fixed(fixed_detail::narrow(-fixed_detail::i128(units_))); }
    friend constexpr Fixed operator+(Fixed a, Fixed b)
    {
        return Fixed(fixed_detail::narrow(fixed_detail::i128(a.units_) + b.units_));
    }
    friend constexpr Fixed operator-(Fixed a, Fixed b)
    {
        return Fixed(fixed_detail::narrow(fixed_detail::i128(a.units_) - b.units_));
    }
    constexpr Fixed& operator+=(Fixed b) { return *this = *this + b; }
    constexpr Fixed& operator-=(Fixed b) { return *this = *this - b; }

    // By a whole number (a count of lines, a number of instalments).
    friend constexpr Fixed operator*(Fixed a, std::int64_t n)
    {
        return Fixed(fixed_detail::narrow(fixed_detail::i128(a.units_) * n));
    }
    friend constexpr Fixed operator*(std::int64_t n, Fixed a) { return a * n; }
    friend constexpr Fixed operator/(Fixed a, std::int64_t n)
    {
        return Fixed(fixed_detail::narrow(fixed_detail::divRound(a.units_, n)));
    }

    friend constexpr auto operator<=>(const Fixed&, const Fixed&) = default;
    friend constexpr bool operator==(const Fixed&, const Fixed&) = default;

private:
    constexpr explicit Fixed(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

using Money = Fixed<2>;
using Qty = Fixed<4>;
using Price = Fixed<4>;

// The exact product a × b rounded half away from zero to R decimals:
//   Money total = mul<2>(qty, price);
template<int R, int A, int B>
constexpr Fixed<R> mul(Fixed<A> a, Fixed<B> b)
{
    static_assert(R >= 0 && R <= 18);
    using fixed_detail::i128;
    // |a × b| < 2^126 and A + B <= 36: the product and its rescaling fit 128 bits
    // whenever the result itself fits 64 bits.
    const i128 p = i128(a.units()) * b.units();
    if constexpr (R >= A + B) {
        const i128 limit = i128(std::numeric_limits<std::int64_t>::max()) / fixed_detail::pow10(R - A - B);
        if (p > limit || p < -limit)
            throw std::overflow_error("fixed-point product out of range");
    }
    return Fixed<R>::fromUnits(fixed_detail::narrow(fixed_detail::rescale(p, A + B, R)));
}

// The quotient a / b rounded half away from zero to R decimals:
//   Qty large = div<4>(smallUnits, unitsPerLarge);
template<int R, int A, int B>
constexpr Fixed<R> div(Fixed<A> a, Fixed<B> b)
{
    static_assert(R + B <= 18, "quotient scale too large");
    using fixed_detail::i128;
    // a / b = (a.units × 10^(R+B)) / (b.units × 10^A) in units of 10^-R; both terms fit 128 bits.
    const i128 n = i128(a.units()) * fixed_detail::pow10(R + B);
    const i128 d = i128(b.units()) * fixed_detail::pow10(A);
    return Fixed<R>::fromUnits(fixed_detail::narrow(fixed_detail::divRound(n, d)));
}

} // namespace kv::core
