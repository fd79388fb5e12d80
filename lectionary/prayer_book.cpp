#include "prayer_book.h"

#include "calendar/date_texts.h"
#include "texts/data_files.h"

namespace indikt {

namespace {

struct PrayerBookLanguage {
    const char* folder;
    const char* stem;
};

constexpr std::array<PrayerBookLanguage, 5> kLanguages = {{
    {"Слав", "sl"}, {"Гражд", "sgr"}, {"Рус", "tmr"}, {"Звук", "sv"}, {"Видео", "vd"},
}};

const char* SeasonSuffix(PrayerBookSeason season)
{
    switch (season) {
    case PrayerBookSeason::BrightWeek: return "_00";
    case PrayerBookSeason::ToAscension: return "_07";
    case PrayerBookSeason::ToPentecost: return "_40";
    case PrayerBookSeason::Ordinary: break;
    }
    return "";
}

int ValidTag(int tag) { return tag >= 2 && tag <= 5 ? tag : 1; }

bool Exists(const QString& data_root, const QString& relative)
{
    return !PagePath(DataPath(data_root, relative)).isEmpty();
}

}  // namespace

QString LivesPage(Date civil)
{
    return "Жития святых\\Святцы\\" + QString::fromStdString(TextOfMonthAndDay(OldStyle(civil))) + ".htm";
}

QString Gitiya(const QString& data_root, Date civil)
{
    const QString page = LivesPage(civil);
    return Exists(data_root, page) ? page : QString();
}

PrayerBookSeason SeasonOfPrayerBook(const DayFacts& facts)
{
    const int d = facts.pascha_distance;
    if (facts.old_style == facts.pascha)
        return PrayerBookSeason::BrightWeek;
    if (facts.old_style < facts.pascha)
        return PrayerBookSeason::Ordinary;
    if (d < 7)
        return PrayerBookSeason::BrightWeek;
    if (d <= 38)
        return PrayerBookSeason::ToAscension;
    if (d <= 48)
        return PrayerBookSeason::ToPentecost;
    return PrayerBookSeason::Ordinary;
}

QString PrayerBookPage(int tag, PrayerBookSeason season)
{
    const PrayerBookLanguage& language = kLanguages[static_cast<size_t>(ValidTag(tag) - 1)];
    const QString suffix = ValidTag(tag) >= 4 ? QString() : QString::fromUtf8(SeasonSuffix(season));
    return QString("Богослужение\\Молитвослов\\") + QString::fromUtf8(language.folder) + "\\" + language.stem + suffix +
           ".htm";
}

PrayerBookChoice Molitv(const QString& data_root, const DayFacts& facts, int tag)
{
    PrayerBookChoice choice;
    choice.tag = ValidTag(tag);
    const PrayerBookSeason season = SeasonOfPrayerBook(facts);
    choice.underlined[3] = Exists(data_root, PrayerBookPage(4, season));
    choice.underlined[4] = Exists(data_root, PrayerBookPage(5, season));
    // The season's pages are offered when its Slavonic page is there.
    const PrayerBookSeason offered =
        season != PrayerBookSeason::Ordinary && Exists(data_root, PrayerBookPage(1, season)) ? season
                                                                                             : PrayerBookSeason::Ordinary;
    for (int language = 1; language <= 3; ++language)
        choice.underlined[static_cast<size_t>(language - 1)] = Exists(data_root, PrayerBookPage(language, offered));

    choice.wanted = PrayerBookPage(choice.tag, season);
    if (choice.tag <= 3 && !Exists(data_root, choice.wanted))
        choice.wanted = PrayerBookPage(choice.tag, PrayerBookSeason::Ordinary);
    if (Exists(data_root, choice.wanted))
        choice.page = choice.wanted;
    return choice;
}

QString PrayerBookDeleteQuestion(int tag)
{
    switch (ValidTag(tag)) {
    case 2: return "Удалить оглавление Молитвослова на церковно-славянском языке гражданским шрифтом?";
    case 3: return "Удалить оглавление Молитвослова в русском переводе?";
    case 4: return "Удалить оглавление звукозаписей Молитвослова?";
    case 5: return "Удалить оглавление видеозаписей Молитвослова?";
    default: return "Удалить оглавление Молитвослова на церковно-славянском языке?";
    }
}

}  // namespace indikt
