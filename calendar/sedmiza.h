#pragma once

// The week of the church year with its tone, for example
// "Седмица 3-я по Пятидесятнице. Глас 1-й." A fixed table names the 134 days
// from the Sunday of the Publican and Pharisee (70 days before Pascha) to the
// second Sunday after Pentecost; every other day is counted in weeks after
// Pentecost, with no upper limit.

#include "date.h"

#include <string>

namespace indikt {

// Plain text of the week (new-style date in).
std::string Sedmiza(Date new_style);

// The same names, with the great days of the Triodion and Pentecostarion
// written as reading links "[label=sinaksar.htm#sNN]".
std::string SedmizaURL(Date new_style);

// The tone (1..8) and the count of Sundays after Pentecost that the texts use.
struct PentecostCount {
    int days_from_pascha;   // e: signed days of the old-style date from Pascha
    int sunday_number;      // n: Sundays after the counting Pentecost
    int week_number;        // w: the week after the counting Pentecost
    int tone;               // g: 1..8
};
PentecostCount CountFromPentecost(Date new_style);

// The Great Canon of Saint Andrew ("Стояние Марии Египетской"): Thursday of
// the fifth week of Lent, or Tuesday of that week when the Annunciation falls
// on the Thursday or on the Wednesday, whose evening begins the Thursday.
OldStyleDate GreatCanonDay(int julian_year);

}  // namespace indikt
