#include "ui/common/Format.h"

#include <QDateEdit>
#include <QLocale>

namespace kv::ui {

namespace {
constexpr std::int64_t tenPow(int n)
{
    std::int64_t v = 1;
    while (n-- > 0)
        v *= 10;
    return v;
}
} // namespace

QString formatFixed(std::int64_t units, int scale, int decimals)
{
    const bool negative = units < 0;
    // Work on the magnitude as unsigned so that INT64_MIN cannot overflow.
    std::uint64_t mag = negative ? std::uint64_t(0) - std::uint64_t(units) : std::uint64_t(units);
    if (scale > decimals) {
        const std::uint64_t div = std::uint64_t(tenPow(scale - decimals));
        const std::uint64_t rest = mag % div;
        mag /= div;
        if (rest * 2 >= div)
            ++mag; // half away from zero
        scale = decimals;
    }
    const std::uint64_t unit = std::uint64_t(tenPow(scale));
    const std::uint64_t whole = mag / unit;
    std::uint64_t frac = mag % unit;
    frac *= std::uint64_t(tenPow(decimals - scale)); // widen to the shown decimals

    const QLocale c = QLocale::c();
    QString text = c.toString(qulonglong(whole));
    if (decimals > 0)
        text += QLatin1Char('.') + QStringLiteral("%1").arg(qulonglong(frac), decimals, 10, QLatin1Char('0'));
    if (negative && mag != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString formatInteger(std::int64_t v)
{
    return QLocale::c().toString(qlonglong(v));
}

QString formatDate(const QDate& d)
{
    return d.isValid() ? QLocale::c().toString(d, QStringLiteral("yyyy/MM/dd")) : QString();
}

QDate parseTypedDate(const QString& text)
{
    return QLocale::c().toDate(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
}

QString formatTypedDate(const QDate& d)
{
    return d.isValid() ? QLocale::c().toString(d, QStringLiteral("dd/MM/yyyy")) : QString();
}

void prepareDateEdit(QDateEdit* edit)
{
    edit->setLayoutDirection(Qt::LeftToRight); // before the format, or the sections are reversed
    edit->setLocale(QLocale::c());
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setMinimumDate(QDate(100, 1, 1));
    edit->setCalendarPopup(false);
}

} // namespace kv::ui
