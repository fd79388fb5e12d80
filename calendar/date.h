#pragma once

// The one day count every calendar of the program converts through.
//
// A Date is a whole number of days since 30 December 1899 (day 0). Its year,
// month and day fields are read by the proleptic Gregorian rules: that is the
// civil (new-style) date. The Julian (old-style) calendar reads the same day
// count by its own rules: an OldStyleDate is the same day, named by Julian
// fields. Both calendars convert through the count, so every day of either
// has exactly one value, the Julian 29 February of 1800, 1900, 2100 ...
// included.

#include <compare>

namespace indikt {

// Floor division and modulo: offsets from Pascha and weekday differences are
// negative, and C++ '/' and '%' round toward zero.
constexpr int FloorDiv(int numerator, int denominator)
{
    const int quotient = numerator / denominator;
    const bool inexact = quotient * denominator != numerator;
    return (inexact && ((numerator < 0) != (denominator < 0))) ? quotient - 1 : quotient;
}

constexpr int FloorMod(int numerator, int denominator)
{
    return numerator - FloorDiv(numerator, denominator) * denominator;
}

class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(int serial) : serial_(serial) {}

    constexpr int serial() const { return serial_; }

    friend constexpr auto operator<=>(Date, Date) = default;
    friend constexpr Date operator+(Date date, int days) { return Date(date.serial_ + days); }
    friend constexpr Date operator-(Date date, int days) { return Date(date.serial_ - days); }
    // Signed number of days from `to` back to `from`.
    friend constexpr int operator-(Date from, Date to) { return from.serial_ - to.serial_; }

private:
    int serial_ = 0;
};

// Year, month and day of a date in one of the two calendars.
struct DayFields {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend constexpr bool operator==(const DayFields&, const DayFields&) = default;
};
using CivilFields = DayFields;

constexpr bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int DaysInMonth(int year, int month)
{
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return (month == 2 && IsLeapYear(year)) ? 29 : kDays[month - 1];
}

constexpr bool IsValidCivil(int year, int month, int day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

constexpr bool IsJulianLeapYear(int year) { return FloorMod(year, 4) == 0; }

constexpr int DaysInJulianMonth(int year, int month)
{
    if (month == 2)
        return IsJulianLeapYear(year) ? 29 : 28;
    return month >= 1 && month <= 12 ? DaysInMonth(2001, month) : 0;
}

constexpr bool IsValidJulian(int year, int month, int day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInJulianMonth(year, month);
}

// Days between 1970-01-01 and 1899-12-30.
inline constexpr int kSerialOfUnixEpoch = 25569;

// Gregorian fields to day count. The fields must be valid (IsValidCivil).
// Works in 400-year eras starting on 1 March, so the leap day is the last day
// of the era's year.
constexpr Date FromCivil(int year, int month, int day)
{
    const int shifted_year = month <= 2 ? year - 1 : year;
    const int era = FloorDiv(shifted_year, 400);
    const int year_of_era = shifted_year - era * 400;                          // [0, 399]
    const int month_from_march = month > 2 ? month - 3 : month + 9;            // [0, 11]
    const int day_of_year = (153 * month_from_march + 2) / 5 + day - 1;        // [0, 365]
    const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;  // [0, 146096]
    const int days_from_unix_epoch = era * 146097 + day_of_era - 719468;
    return Date(days_from_unix_epoch + kSerialOfUnixEpoch);
}

// Day count to Gregorian fields; the inverse of FromCivil.
constexpr CivilFields Fields(Date date)
{
    const int days_from_march_0000 = date.serial() - kSerialOfUnixEpoch + 719468;
    const int era = FloorDiv(days_from_march_0000, 146097);
    const int day_of_era = days_from_march_0000 - era * 146097;                                        // [0, 146096]
    const int year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;  // [0, 399]
    const int day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);    // [0, 365]
    const int month_from_march = (5 * day_of_year + 2) / 153;                                           // [0, 11]
    const int day = day_of_year - (153 * month_from_march + 2) / 5 + 1;                                 // [1, 31]
    const int month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;              // [1, 12]
    const int year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

constexpr int YearOf(Date date) { return Fields(date).year; }

// The Julian calendar over the same count. It runs in 4-year cycles starting
// on 1 March, the leap day being the last day of the cycle. Julian 1 March of
// the year 0 is two days before the Gregorian one.
inline constexpr int kJulianMarch0000FromGregorian = -2;

// Julian fields to day count. The fields must be valid (IsValidJulian).
constexpr Date FromJulian(int year, int month, int day)
{
    const int shifted_year = month <= 2 ? year - 1 : year;
    const int cycle = FloorDiv(shifted_year, 4);
    const int year_of_cycle = shifted_year - cycle * 4;                        // [0, 3]
    const int month_from_march = month > 2 ? month - 3 : month + 9;            // [0, 11]
    const int day_of_year = (153 * month_from_march + 2) / 5 + day - 1;        // [0, 365]
    const int days_from_march_0000 = cycle * 1461 + year_of_cycle * 365 + day_of_year;
    return Date(days_from_march_0000 + kJulianMarch0000FromGregorian - 719468 + kSerialOfUnixEpoch);
}

// Day count to Julian fields; the inverse of FromJulian.
constexpr DayFields JulianFields(Date date)
{
    const int days_from_march_0000 = date.serial() - kSerialOfUnixEpoch + 719468 - kJulianMarch0000FromGregorian;
    const int cycle = FloorDiv(days_from_march_0000, 1461);
    const int day_of_cycle = days_from_march_0000 - cycle * 1461;                                  // [0, 1460]
    const int year_of_cycle = day_of_cycle / 365 < 3 ? day_of_cycle / 365 : 3;                     // [0, 3]
    const int day_of_year = day_of_cycle - 365 * year_of_cycle;                                    // [0, 365]
    const int month_from_march = (5 * day_of_year + 2) / 153;                                      // [0, 11]
    const int day = day_of_year - (153 * month_from_march + 2) / 5 + 1;                            // [1, 31]
    const int month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;         // [1, 12]
    const int year = year_of_cycle + cycle * 4 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

// A day named by the Julian calendar: the old style. It holds the same day
// count as the civil Date it stands for, so distances, comparisons and
// weekdays are those of the true days; only its fields are Julian. The type
// keeps the two namings apart: a civil Date never passes for an old-style
// one, and back, without saying so.
class OldStyleDate {
public:
    constexpr OldStyleDate() = default;
    constexpr explicit OldStyleDate(Date day) : day_(day) {}

    // The same day as a civil date.
    constexpr Date civil() const { return day_; }

    friend constexpr auto operator<=>(OldStyleDate, OldStyleDate) = default;
    friend constexpr OldStyleDate operator+(OldStyleDate date, int days) { return OldStyleDate(date.day_ + days); }
    friend constexpr OldStyleDate operator-(OldStyleDate date, int days) { return OldStyleDate(date.day_ - days); }
    // Signed number of days from `to` back to `from`.
    friend constexpr int operator-(OldStyleDate from, OldStyleDate to) { return from.day_ - to.day_; }

private:
    Date day_;
};

// The same day named by the other calendar.
constexpr OldStyleDate OldStyle(Date new_style) { return OldStyleDate(new_style); }
constexpr Date NewStyle(OldStyleDate old_style) { return old_style.civil(); }

constexpr OldStyleDate FromOldStyle(int year, int month, int day) { return OldStyleDate(FromJulian(year, month, day)); }
constexpr DayFields Fields(OldStyleDate date) { return JulianFields(date.civil()); }
constexpr int YearOf(OldStyleDate date) { return Fields(date).year; }

// Weekday of the calendar rules: 1 = Sunday ... 7 = Saturday. Day 0 was a Saturday.
constexpr int Weekday(Date date) { return FloorMod(date.serial() - 1, 7) + 1; }

// ISO weekday, used by the name tables: 1 = Monday ... 7 = Sunday.
constexpr int IsoWeekday(Date date) { return FloorMod(date.serial() + 5, 7) + 1; }

inline constexpr int kSunday = 1;
inline constexpr int kWednesday = 4;
inline constexpr int kFriday = 6;
inline constexpr int kSaturday = 7;

// Whole days between two dates, never negative.
constexpr int DaysBetween(Date a, Date b) { return a > b ? a - b : b - a; }
constexpr int DaysBetween(OldStyleDate a, OldStyleDate b) { return DaysBetween(a.civil(), b.civil()); }

}  // namespace indikt
