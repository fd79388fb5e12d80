#include "day_json.h"

#include "json.h"

#include "calendar/date_texts.h"
#include "calendar/day_status.h"
#include "calendar/fasts.h"
#include "calendar/feasts.h"
#include "calendar/paschalion.h"
#include "calendar/sedmiza.h"

#include <charconv>

namespace indikt::cli {

namespace {

void AppendPadded(std::string& out, int value, int width)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    for (int length = static_cast<int>(result.ptr - buffer); length < width; ++length)
        out += '0';
    out.append(buffer, result.ptr);
}

void AppendIsoFields(std::string& out, const DayFields& fields)
{
    out += '"';
    AppendPadded(out, fields.year, 4);
    out += '-';
    AppendPadded(out, fields.month, 2);
    out += '-';
    AppendPadded(out, fields.day, 2);
    out += '"';
}

void AppendIsoDate(std::string& out, Date date) { AppendIsoFields(out, Fields(date)); }

// The Julian year, month and day of the date.
void AppendIsoDate(std::string& out, OldStyleDate date) { AppendIsoFields(out, Fields(date)); }

void AppendOptionalDate(std::string& out, std::optional<Date> date)
{
    if (date)
        AppendIsoDate(out, *date);
    else
        out += "null";
}

// {"1": date, ..., "N": date} for kinds 1..last.
template <typename Target>
void AppendTargets(std::string& out, int last_kind, Target target)
{
    out += '{';
    for (int kind = 1; kind <= last_kind; ++kind) {
        AppendJsonKey(out, std::to_string(kind), kind == 1);
        AppendOptionalDate(out, target(kind));
    }
    out += '}';
}


}  // namespace

std::string IsoText(OldStyleDate date)
{
    std::string text;
    AppendIsoDate(text, date);
    return text.substr(1, text.size() - 2);
}

std::string IsoText(Date date)
{
    std::string text;
    AppendIsoDate(text, date);
    return text.substr(1, text.size() - 2);
}

void AppendDayJson(std::string& out, Date date)
{
    const DayFacts facts = MakeDayFacts(date);
    const FastDay fast = Post(date);

    out += '{';
    AppendJsonKey(out, "date", true);
    AppendIsoDate(out, date);
    AppendJsonKey(out, "old_style");
    AppendIsoDate(out, facts.old_style);
    AppendJsonKey(out, "weekday");
    AppendJsonInt(out, Weekday(date));
    AppendJsonKey(out, "plus");
    AppendJsonInt(out, CalendarDifference(date));
    AppendJsonKey(out, "pascha");
    AppendIsoDate(out, NewStyle(facts.pascha));
    AppendJsonKey(out, "pascha_old_style");
    AppendIsoDate(out, facts.pascha);
    AppendJsonKey(out, "pascha_distance");
    AppendJsonInt(out, facts.pascha_distance);
    AppendJsonKey(out, "from_pascha");
    AppendJsonInt(out, facts.old_style - facts.pascha);
    AppendJsonKey(out, "sedmiza");
    AppendJsonString(out, Sedmiza(date));
    AppendJsonKey(out, "sedmiza_url");
    AppendJsonString(out, SedmizaURL(date));
    AppendJsonKey(out, "post");
    AppendJsonString(out, fast.label);
    AppendJsonKey(out, "post_hint");
    AppendJsonString(out, fast.hint);
    AppendJsonKey(out, "grid_post");
    AppendJsonString(out, CalendarPost(date, facts.pascha));
    AppendJsonKey(out, "grid_nepost");
    AppendJsonString(out, CalendarNePost(date, {}));
    AppendJsonKey(out, "day_key");
    AppendJsonString(out, TextOfMonthAndDay(facts.old_style));
    AppendJsonKey(out, "status");
    AppendJsonString(out, DayStatusText(date));
    AppendJsonKey(out, "texts");
    out += '{';
    bool first = true;
    for (const DateTextForm& form : DateTextForms()) {
        AppendJsonKey(out, form.name, first);
        AppendJsonString(out, form.text(date));
        first = false;
    }
    out += "}}\n";
}

void AppendJumpsJson(std::string& out, Date current)
{
    const OldStyleDate current_pascha = MakeDayFacts(current).pascha;
    out += '{';
    AppendJsonKey(out, "post", true);
    AppendTargets(out, 17, [&](int kind) { return PerPost(kind, current); });
    AppendJsonKey(out, "feasts");
    AppendTargets(out, 30, [&](int kind) { return PerPrasdniki(kind, current); });
    AppendJsonKey(out, "civil");
    AppendTargets(out, 16, [&](int kind) { return PerGosPrasdniki(kind, current); });
    AppendJsonKey(out, "lent_saturdays");
    out += '{';
    for (const int kind : {11, 12, 13}) {
        AppendJsonKey(out, std::to_string(kind), kind == 11);
        out += LentSaturdayEnabled(kind, current, current_pascha) ? "true" : "false";
    }
    out += "}}\n";
}

}  // namespace indikt::cli
