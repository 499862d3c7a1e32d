#pragma once
// Exact fixed-point number as Firebird stores NUMERIC(18,s): a scaled 64-bit integer.
#include <QString>
#include <cstdint>
#include <optional>

namespace kv::db {

struct Decimal {
    std::int64_t units = 0; // value = units / 10^scale
    int scale = 0;          // digits after the point, 0..18

    Decimal() = default;
    Decimal(std::int64_t u, int s) : units(u), scale(s) {}

    // Change the number of decimals; extra digits are rounded half away from zero.
    Decimal rescaled(int newScale) const;
    // "123.4500" for scale 4; "-0.01"; no thousands separators, '.' as the point.
    QString toString() const;
    // Parses "-12.345", "12", ".5", "1e3" is refused. Rounds to `scale` decimals half away from zero.
    static std::optional<Decimal> parse(QStringView text, int scale);
    double toDouble() const;

    friend bool operator==(const Decimal& a, const Decimal& b);
};

std::int64_t pow10i(int n);

} // namespace kv::db
