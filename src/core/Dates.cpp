#include "core/Dates.h"

#include <QCalendar>

namespace kv::core {

namespace {

const QCalendar& hijriCalendar()
{
    static const QCalendar c(QCalendar::System::IslamicCivil);
    return c;
}

// A run of 1..maxDigits Latin digits; -1 when the text is anything else.
int number(QStringView s, int minDigits, int maxDigits)
{
    if (s.size() < minDigits || s.size() > maxDigits)
        return -1;
    int v = 0;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// The year as a number, or -1 when it is not a positive whole number.
int yearNumber(const QString& year)
{
    bool ok = false;
    const int y = year.trimmed().toInt(&ok);
    return ok && y > 0 ? y : -1;
}

} // namespace

QDate parseDate(QStringView text)
{
    const QStringView t = text.trimmed();
    const qsizetype a = t.indexOf(QLatin1Char('/'));
    const qsizetype b = a < 0 ? -1 : t.indexOf(QLatin1Char('/'), a + 1);
    if (b < 0)
        return {};
    const int d = number(t.first(a), 1, 2);
    const int m = number(t.sliced(a + 1, b - a - 1), 1, 2);
    const int y = number(t.sliced(b + 1), 4, 4);
    if (d < 0 || m < 0 || y < 0)
        return {};
    return QDate(y, m, d); // invalid when the day does not exist
}

QString formatDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

bool isHijriYear(const QString& year)
{
    const int y = yearNumber(year);
    return y > 0 && y < 1900;
}

bool storableHijri(int y, int m, int d)
{
    return QDate::isValid(y, m, d) && hijriCalendar().isDateValid(y, m, d);
}

QDate addHijriDays(const QDate& storedHijri, int days)
{
    if (!storedHijri.isValid())
        return {};
    const int y = storedHijri.year(), m = storedHijri.month(), d = storedHijri.day();
    const QDate day = hijriCalendar().dateFromParts(y, m, d);
    if (!day.isValid())
        return {};
    const QCalendar::YearMonthDay r = hijriCalendar().partsFromDate(day.addDays(days));
    if (!r.isValid() || !storableHijri(r.year, r.month, r.day))
        return {};
    return QDate(r.year, r.month, r.day);
}

DefaultDates defaultReportDates(const QString& CurrYr, const QString& LastYr, const QDate& today,
                                const QDate& mcHDate)
{
    const int y = yearNumber(CurrYr);
    if (y < 0)
        return {};
    const QString year = CurrYr.trimmed();
    auto dayOfYear = [&year](const char* dayMonth) { return parseDate(QString(QLatin1String(dayMonth) + year)); };
    const bool olderYear = LastYr != CurrYr;
    DefaultDates r;
    r.date1 = dayOfYear("01/01/");
    if (y <= 1900)
        r.date2 = olderYear ? dayOfYear("30/12/") : mcHDate;
    else
        r.date2 = olderYear ? dayOfYear("31/12/") : today;
    return r;
}

} // namespace kv::core
