#pragma once

// The whole pages of the tree the lives and prayer-book panes show: the life
// of the saints of the day, and the prayer book of the season after Pascha in
// the chosen language or medium.

#include "calendar/date.h"
#include "calendar/paschalion.h"

#include <QString>

#include <array>

namespace indikt {

// The lives page of a day: "Жития святых\Святцы\" + the old-style day key +
// ".htm", relative to the data root.
QString LivesPage(Date civil);

// The file a lives pane shows (relative), empty when the page is missing.
QString Gitiya(const QString& data_root, Date civil);

enum class PrayerBookSeason { Ordinary, BrightWeek, ToAscension, ToPentecost };

// Pascha itself or the six days after it; to Ascension from the 7th to the
// 38th day after it; to Pentecost from the 39th to the 48th; else ordinary.
PrayerBookSeason SeasonOfPrayerBook(const DayFacts& facts);

// The page of a language (tag 1..5) in a season, relative to the data root.
// Sound and video have one page for every season.
QString PrayerBookPage(int tag, PrayerBookSeason season);

// What the prayer-book pane shows.
struct PrayerBookChoice {
    int tag = 1;
    QString page;                   // the page chosen, relative; empty when it is missing
    QString wanted;                 // the page the language asks for, present or not
    std::array<bool, 5> underlined{};  // the languages whose page exists
};

// `tag` is the chosen language (anything but 2..5 is Slavonic).
PrayerBookChoice Molitv(const QString& data_root, const DayFacts& facts, int tag);

// The question before a prayer-book page is deleted, by language.
QString PrayerBookDeleteQuestion(int tag);

// The viewer's quick jump ("Быстрый переход"): the index pages of the tree.
struct QuickJumpPage {
    const char* caption;
    const char* page;  // relative to the data root
};
inline constexpr std::array<QuickJumpPage, 6> kQuickJumpPages = {{
    {"Богослужение", "Богослужение\\index.html"},
    {"Библиотека", "index.html"},
    {"Библия", "Библия\\index.html"},
    {"Жития святых", "Жития святых\\Святцы\\svyatcy.htm"},
    {"Молитвослов", "Богослужение\\Молитвослов\\index.htm"},
    {"Псалтирь", "Библия\\psalm\\index.html"},
}};

}  // namespace indikt
