#pragma once

// The one day count every calendar of the program converts through.
//
// A Date is a whole number of days since 30 December 1899 (day 0). Its year,
// month and day fields are read by the proleptic Gregorian rules. An
// "old-style" value is an ordinary Date whose Gregorian fields happen to hold
// the Julian date (see paschalion.h): the fields are never converted to other
// fields, only the day count is shifted.

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

struct CivilFields {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend constexpr bool operator==(const CivilFields&, const CivilFields&) = default;
};

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

}  // namespace indikt
