#include "tools/tree_names.h"

#include "calendar/date_texts.h"

namespace indikt {

namespace {

// Days of the old-style months; February has its 29th, which Julian leap
// years keep and the hymns of a common year borrow.
constexpr int kDaysOfOldStyleMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QStringList BuildDayKeys()
{
    QStringList keys;
    for (int month = 1; month <= 12; ++month) {
        const QString abbreviation = FromView(MonthAbbreviation(month));
        for (int day = 1; day <= kDaysOfOldStyleMonth[month - 1]; ++day)
            keys.append(abbreviation + PaddedNumber(day, 2));
    }
    return keys;
}

QStringList BuildWeekdayKeys()
{
    QStringList keys;
    for (int iso_weekday = 1; iso_weekday <= 7; ++iso_weekday)
        keys.append(FromView(WeekdayAbbreviation(iso_weekday)));
    return keys;
}

bool AllDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

}  // namespace

const QStringList& AllDayKeys()
{
    static const QStringList keys = BuildDayKeys();
    return keys;
}

const QStringList& WeekdayKeys()
{
    static const QStringList keys = BuildWeekdayKeys();
    return keys;
}

bool IsDayKey(QStringView text)
{
    return AllDayKeys().contains(text);
}

bool IsWeekdayKey(QStringView text)
{
    return WeekdayKeys().contains(text);
}

bool IsDayKeyWithWeekday(QStringView text)
{
    // Both parts are written in Cyrillic letters of fixed length: 5 and 2.
    return text.size() == 7 && IsDayKey(text.first(5)) && IsWeekdayKey(text.sliced(5));
}

QString PaddedNumber(int number, int digits)
{
    return QString::number(number).rightJustified(digits, u'0');
}

std::optional<int> ParsePaddedNumber(QStringView text, int digits, int max)
{
    if (!AllDigits(text) || text.size() > 9)
        return std::nullopt;
    const int number = text.toInt();
    if (number > max || PaddedNumber(number, digits) != text)
        return std::nullopt;
    return number;
}

std::optional<int> ParsePlainNumber(QStringView text, int min, int max)
{
    if (!AllDigits(text) || text.size() > 9 || (text.size() > 1 && text.front() == u'0'))
        return std::nullopt;
    const int number = text.toInt();
    if (number < min || number > max)
        return std::nullopt;
    return number;
}

}  // namespace indikt
