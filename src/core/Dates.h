#pragma once
// Dates as the program types, shows and computes them.
//
// A Hijri date is kept in a DATE whose day, month and year numbers are the Hijri ones
// (15/06/1445 is the DATE 15 June 1445). Day arithmetic on such a value runs in the Islamic
// civil calendar on those numbers; a Hijri day whose numbers are no Gregorian day (30 Safar,
// or 29 Safar when the year number is not a Gregorian leap year) cannot be kept.
#include <QDate>
#include <QString>
#include <QStringView>

namespace kv::core {

// "dd/mm/yyyy" (one-digit day and month accepted, four-digit year), whatever the locale.
// Anything else, or a day the calendar lacks, gives an invalid date.
QDate parseDate(QStringView text);
// "yyyy/mm/dd"; empty for an invalid date.
QString formatDate(const QDate& date);

// A fiscal year is Hijri when its number is below 1900. Non-numeric text is not a Hijri year.
bool isHijriYear(const QString& year);

// Whether the Hijri day y/m/d exists and can be kept as a DATE with the same numbers.
bool storableHijri(int y, int m, int d);
// The Hijri date `days` days after (or before, when negative) the stored Hijri date. Invalid when
// the input is not a storable Hijri date or the result cannot be kept as a DATE.
QDate addHijriDays(const QDate& storedHijri, int days);

// The default period of the report screens (DATE1, DATE2 of the report parameters).
struct DefaultDates {
    QDate date1;
    QDate date2;
};
// DATE1 is 01/01 of CurrYr. DATE2 is the year's last day when an older year is open
// ("30/12/yyyy" for a Hijri year, "31/12/yyyy" otherwise) and, in the latest year, the confirmed
// Hijri date (Hijri) or today (Gregorian). This rule counts years up to and including 1900 as
// Hijri. A non-numeric CurrYr gives invalid dates.
DefaultDates defaultReportDates(const QString& CurrYr, const QString& LastYr, const QDate& today,
                                const QDate& mcHDate);

} // namespace kv::core
