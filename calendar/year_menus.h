#pragma once

// The captions of the jump commands, rebuilt for each civil year: the thirty
// church feasts, the sixteen civil holidays and the seventeen fasts, fast-free
// weeks and memorial days, each with the weekday and date on which it falls
// that year, and the four sub-menu headings with the year.

#include "date.h"

#include <array>
#include <string>
#include <vector>

namespace indikt {

struct YearMenus {
    std::vector<std::string> church_feasts;   // ActionDvPr001..030
    std::vector<std::string> civil_holidays;  // ActionGosPr001..016
    std::vector<std::string> periods;         // ActionPost1..17
    // "Праздники в Y г.", "Многодневные посты в Y г.", "Сплошные седмицы в Y г.",
    // "Дни поминовения усопших в Y г."
    std::array<std::string, 4> headings;
};

YearMenus BuildYearMenus(int year);

}  // namespace indikt
