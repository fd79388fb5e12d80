#pragma once

// The name forms of the data tree: day keys, weekday keys and the numbers of
// the movable cycle, shared by the tree's checker and its generators.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace indikt {

// Every day key of the old-style year in calendar order, "янв01" to "дек31",
// with "фев29": 366 keys.
const QStringList& AllDayKeys();

// "Пн", "Вт", ... "Вс" (Monday first).
const QStringList& WeekdayKeys();

bool IsDayKey(QStringView text);
bool IsWeekdayKey(QStringView text);
// A day key immediately followed by a weekday key, as in "июл13Вс".
bool IsDayKeyWithWeekday(QStringView text);

// The highest distance from Pascha any reader of the tree asks for: the
// readings of January and February count the days since the previous Pascha.
inline constexpr int kMaxPaschaDistance = 366;

// A number formatted with at least `digits` digits ("%.2d", "%.3d").
QString PaddedNumber(int number, int digits);

// The number a name of the form "%.<digits>d" stands for, within 0..max; nothing
// when the name is not exactly that form ("7", "0007" and "x1" are not "%.3d").
std::optional<int> ParsePaddedNumber(QStringView text, int digits, int max);

// A plain decimal number without a leading zero within min..max.
std::optional<int> ParsePlainNumber(QStringView text, int min, int max);

}  // namespace indikt
