#pragma once

// The status-bar text of a day: the long date, the old-style date and the
// days since the last Pascha and to the next one. It is spelt as the program
// has always shown it: "Паcхи" with a Latin "c".

#include "date.h"

#include <string>

namespace indikt {

// For 9 January 2012: "Понедельник 9 янв 2012 г. (27 дек по ст. ст.). От Паcхи
// 2011 г. - 260 дней. До Паcхи 2012 г. - 97 дней. " (one line, ending in a blank).
std::string DayStatusText(Date current);

// The pieces of the text, for the hints of the date labels.
std::string LongDateText(Date current);      // "Понедельник 9 янв 2012 г. "
std::string OldStylePiece(Date current);     // "(27 дек по ст. ст.)"

}  // namespace indikt
