#include "dom_pravilo.h"

#include "calendar/date_texts.h"

#include <QStringList>

#include <algorithm>

namespace indikt {

namespace {

// The books in reading order, as the plans count their chapters.
constexpr RuleBook kGospels[] = {
    {1, 28, "Мф, глава ", "Евангелие от Матфея, глава ", 51},
    {29, 44, "Мк, глава ", "Евангелие от Марка, глава ", 52},
    {45, 68, "Лк, глава ", "Евангелие от Луки, глава ", 53},
    {69, 89, "Ин, глава ", "Евангелие от Иоанна, глава ", 54},
};

constexpr RuleBook kApostle[] = {
    {1, 28, "Деян, глава ", "Деяния святых Апостолов, глава ", 55},
    {29, 33, "Иак, глава ", "Послание святого Апостола Иакова, глава ", 56},
    {34, 38, "1 Петр, глава ", "Первое послание святого Апостола Петра, глава ", 57},
    {39, 41, "2 Петр, глава ", "Второе послание святого Апостола Петра, глава ", 58},
    {42, 46, "1 Ин, глава ", "Первое послание святого Апостола Иоанна, глава ", 59},
    {47, 47, "2 Ин, глава ", "Второе послание святого Апостола Иоанна, глава ", 60},
    {48, 48, "3 Ин, глава ", "Третье послание святого Апостола Иоанна, глава ", 61},
    {49, 49, "Иуд, глава ", "Послание святого Апостола Иуды, глава ", 62},
    {50, 65, "Рим, глава ", "Послание к римлянам святого Апостола Павла, глава ", 63},
    {66, 81, "1 Кор, глава ", "Первое послание к коринфянам святого Апостола Павла, глава ", 64},
    {82, 94, "2 Кор, глава ", "Второе послание к коринфянам святого Апостола Павла, глава ", 65},
    {95, 100, "Гал, глава ", "Послание к галатам святого Апостола Павла, глава ", 66},
    {101, 106, "Еф, глава ", "Послание к ефесянам святого Апостола Павла, глава ", 67},
    {107, 110, "Флп, глава ", "Послание к филиппийцам святого Апостола Павла, глава ", 68},
    {111, 114, "Кол, глава ", "Послание к колоссянам святого Апостола Павла, глава ", 69},
    {115, 119, "1 Фес, глава ", "Первое послание к фессалоникийцам святого Апостола Павла, глава ", 70},
    {120, 122, "2 Фес, глава ", "Второе послание к фессалоникийцам святого Апостола Павла, глава ", 71},
    {123, 128, "1 Тим, глава ", "Первое послание к Тимофею святого Апостола Павла, глава ", 72},
    {129, 132, "2 Тим, глава ", "Второе послание к Тимофею святого Апостола Павла, глава ", 73},
    {133, 135, "Тит, глава ", "Послание к Титу святого Апостола Павла, глава ", 74},
    {136, 136, "Флм, глава ", "Послание к Филимону святого Апостола Павла, глава ", 75},
    {137, 149, "Евр, глава ", "Послание к евреям святого Апостола Павла, глава ", 76},
    {150, 171, "Откр, глава ", "Откровение святого Апостола Иоанна Богослова, глава ", 77},
};

// Without the Psalter (book 22), which has a plan of its own.
constexpr RuleBook kOldTestament[] = {
    {1, 50, "Быт, глава ", "Первая книга Моисеева. Бытие, глава ", 1},
    {51, 90, "Исх, глава ", "Вторая книга Моисеева. Исход, глава ", 2},
    {91, 117, "Лев, глава ", "Третья книга Моисеева. Левит, глава ", 3},
    {118, 153, "Числ, глава ", "Четвертая книга Моисеева. Числа, глава ", 4},
    {154, 187, "Втор, глава ", "Пятая книга Моисеева. Второзаконие, глава ", 5},
    {188, 211, "Нав, глава ", "Книга Иисуса Навина, глава ", 6},
    {212, 232, "Суд, глава ", "Книга Судей Израилевых, глава ", 7},
    {233, 236, "Руф, глава ", "Книга Руфи, глава ", 8},
    {237, 267, "1 Цар, глава ", "Первая книга Царств, глава ", 9},
    {268, 291, "2 Цар, глава ", "Вторая книга Царств, глава ", 10},
    {292, 313, "3 Цар, глава ", "Третья книга Царств, глава ", 11},
    {314, 338, "4 Цар, глава ", "Четвертая книга Царств, глава ", 12},
    {339, 367, "1 Пар, глава ", "Первая книга Паралипоменон, глава ", 13},
    {368, 403, "2 Пар, глава ", "Вторая книга Паралипоменон, глава ", 14},
    {404, 413, "Езд, глава ", "Книга Ездры, глава ", 15},
    {414, 426, "Неем, глава ", "Книга Неемии, глава ", 16},
    {427, 435, "2 Езд, глава ", "Вторая книга Ездры, глава ", 17},
    {436, 449, "Тов, глава ", "Книга Товита, глава ", 18},
    {450, 465, "Иудифь, глава ", "Книга Иудифи, глава ", 19},
    {466, 475, "Есф, глава ", "Книга Есфири, глава ", 20},
    {476, 517, "Иов, глава ", "Книга Иова, глава ", 21},
    {518, 548, "Притч, глава ", "Книга Притчей Соломоновых, глава ", 23},
    {549, 560, "Еккл, глава ", "Книга Екклесиаста, или Проповедника, глава ", 24},
    {561, 568, "Песн, глава ", "Книга Песни Песней Соломона, глава ", 25},
    {569, 587, "Прем, глава ", "Книга Премудрости Соломона, глава ", 26},
    {588, 638, "Сир, глава ", "Книга Премудрости Иисуса, сына Сирахова, глава ", 27},
    {639, 704, "Ис, глава ", "Книга пророка Исаии, глава ", 28},
    {705, 756, "Иер, глава ", "Книга пророка Иеремии, глава ", 29},
    {757, 761, "Плач, глава ", "Книга Плач Иеремии, глава ", 30},
    {762, 762, "Посл Иер, глава ", "Послание Иеремии, глава ", 31},
    {763, 767, "Вар, глава ", "Книга пророка Варуха, глава ", 32},
    {768, 815, "Иез, глава ", "Книга пророка Иезекииля, глава ", 33},
    {816, 829, "Дан, глава ", "Книга пророка Даниила, глава ", 34},
    {830, 843, "Ос, глава ", "Книга пророка Осии, глава ", 35},
    {844, 846, "Иоил, глава ", "Книга пророка Иоиля, глава ", 36},
    {847, 855, "Ам, глава ", "Книга пророка Амоса, глава ", 37},
    {856, 856, "Авд, глава ", "Книга пророка Авдия, глава ", 38},
    {857, 860, "Иона, глава ", "Книга пророка Ионы, глава ", 39},
    {861, 867, "Мих, глава ", "Книга пророка Михея, глава ", 40},
    {868, 870, "Наум, глава ", "Книга пророка Наума, глава ", 41},
    {871, 873, "Авв, глава ", "Книга пророка Аввакума, глава ", 42},
    {874, 876, "Соф, глава ", "Книга пророка Софонии, глава ", 43},
    {877, 878, "Агг, глава ", "Книга пророка Аггея, глава ", 44},
    {879, 892, "Зах, глава ", "Книга пророка Захарии, глава ", 45},
    {893, 896, "Мал, глава ", "Книга пророка Малахии, глава ", 46},
    {897, 912, "1 Мак, глава ", "Первая книга Маккавейская, глава ", 47},
    {913, 927, "2 Мак, глава ", "Вторая книга Маккавейская, глава ", 48},
    {928, 934, "3 Мак, глава ", "Третья книга Маккавейская, глава ", 49},
    {935, 950, "3 Езд, глава ", "Третья книга Ездры, глава ", 50},
};

// The psalms of each kathisma.
constexpr const char* kKathismata[20] = {
    "1 (Пс 1-8)",     "2 (Пс 9-16)",     "3 (Пс 17-23)",    "4 (Пс 24-31)",     "5 (Пс 32-36)",
    "6 (Пс 37-45)",   "7 (Пс 46-54)",    "8 (Пс 55-63)",    "9 (Пс 64-69)",     "10 (Пс 70-76)",
    "11 (Пс 77-84)",  "12 (Пс 85-90)",   "13 (Пс 91-100)",  "14 (Пс 101-104)",  "15 (Пс 105-108)",
    "16 (Пс 109-117)", "17 (Пс 118)",    "18 (Пс 119-133)", "19 (Пс 134-142)",  "20 (Пс 143-150)",
};

const RulePlanInfo kPlans[kRulePlanCount] = {
    {RulePlan::Gospel, "EvNSav", "Евангелие", "Чтение Евангелия", "Читаем Евангелие ", 89, 4, kGospels},
    {RulePlan::Apostle, "ApNSav", "Апостол", "Чтение Апостола", "Читаем Апостол ", 171, 4, kApostle},
    {RulePlan::Psalter, "Psalm", "Псалтирь", "Чтение Псалтири", "Читаем Псалтирь ", 20, 4, {}},
    {RulePlan::OldTestament, "VSav", "Ветхий Завет", "Чтение Ветхого Завета", "Читаем Ветхий Завет ", 950, 3,
     kOldTestament},
};

const char* const kBookFolders[] = {"Библия\\b_slv\\b_slv", "Библия\\b_sgr\\b_sgr", "Библия\\b_snd\\b_snd",
                                    "Библия\\b_cas\\b_cas"};
const char* const kPsalterFolders[] = {"Библия\\psalm\\ps_sl\\", "Библия\\psalm\\ps_sgr\\", "Библия\\psalm\\ps_snd\\",
                                       "Библия\\psalm\\ps_tmr\\"};
const char* const kVersionItems[] = {"на ц-сл.", "на ц-сл. гражданским шрифтом", "в Синодальном переводе",
                                     "в переводе еп. Кассиана (Безобразова)"};
const char* const kPsalterTranslation = "в переводе с греч. о. Амвросия (Тимрота)";

const char* const kWeekdayShort[7] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// The weekday of a date as the skipped-days list counts it: 0 = Sunday.
int SkipIndex(Date date) { return Weekday(date) - 1; }

// Skipped days d with from <= d <= to.
long long SkippedDaysBetween(const std::array<bool, 7>& skipped, Date from, Date to)
{
    if (to < from)
        return 0;
    const long long days = static_cast<long long>(to - from) + 1;
    const long long per_week = std::count(skipped.begin(), skipped.end(), true);
    long long count = days / 7 * per_week;
    const int rest = static_cast<int>(days % 7);
    for (int i = 0; i < rest; ++i)
        if (skipped[static_cast<size_t>(SkipIndex(from + i))])
            ++count;
    return count;
}

// A settings value that cannot be stored wrongly: everything bounded to
// what the tables and the arithmetic allow.
PlanSettings Bounded(RulePlan plan, PlanSettings settings)
{
    const int units = PlanInfo(plan).units;
    settings.per_day = std::clamp(settings.per_day, 1, kMaxUnitsPerDay);
    settings.cycles = std::clamp(settings.cycles, 1, kMaxCycles);
    if (settings.start_index < 0 || settings.start_index > units)
        settings.start_index = 1;
    settings.version = BoundedVersion(plan, settings.version);
    return settings;
}

int CyclesOf(const PlanSettings& settings) { return settings.always ? kEndlessCycles : settings.cycles; }

// The unit a cumulative index falls on.
int UnitOfIndex(long long index, int units)
{
    if (index >= 1 && index <= units)
        return static_cast<int>(index);
    const int unit = static_cast<int>(((index % units) + units) % units);
    return unit == 0 ? units : unit;
}

QString Plural(int n, const char* one, const char* few, const char* many)
{
    return n == 1 ? one : (n >= 2 && n <= 4) ? few : many;
}

// The head of a summary: the title, the cycles and the start date.
QString SummaryHead(RulePlan plan, const PlanSettings& settings)
{
    const QString date = Qs(TextOfDayAndMonthAndYear6(settings.start)) + " г.";
    const QString title = PlanInfo(plan).title;
    if (settings.always)
        return title + "с " + date + " постоянно; ";
    return title + QString::number(settings.cycles) + " " + CyclesLabel(settings.cycles) + " с " + date + "; ";
}

QString SummaryMiddle(RulePlan plan, const PlanSettings& settings)
{
    QString text = plan == RulePlan::Psalter
                       ? " начинаем c " + QString::number(settings.start_index) + "-й каф.; читаем "
                       : QString(" читаем ");
    text += QString::number(settings.per_day) + " " + UnitsPerDayLabel(plan, settings.per_day);
    if (settings.automatic && std::find(settings.skipped.begin(), settings.skipped.end(), true) != settings.skipped.end()) {
        QStringList days;
        for (int day = 0; day < 7; ++day)
            if (settings.skipped[static_cast<size_t>(day)])
                days << kWeekdayShort[day];
        text += ", кроме " + days.join(", ");
    }
    return text;
}

QString PagingPhrase(const PlanSettings& settings)
{
    return settings.automatic ? "листать автоматически." : "листать после перехода по ссылкам на Св. Писание.";
}

}  // namespace

const RulePlanInfo& PlanInfo(RulePlan plan) { return kPlans[static_cast<size_t>(plan)]; }

int BoundedVersion(RulePlan plan, int version)
{
    return version >= 0 && version < PlanInfo(plan).versions ? version : 0;
}

QString VersionItem(RulePlan plan, int version)
{
    version = BoundedVersion(plan, version);
    return plan == RulePlan::Psalter && version == 3 ? kPsalterTranslation : kVersionItems[version];
}

QString VersionFolder(RulePlan plan, int version)
{
    version = BoundedVersion(plan, version);
    return plan == RulePlan::Psalter ? kPsalterFolders[version] : kBookFolders[version];
}

RuleUnit UnitOf(RulePlan plan, int unit)
{
    const RulePlanInfo& info = PlanInfo(plan);
    unit = std::clamp(unit, 1, info.units);
    if (plan == RulePlan::Psalter) {
        const QString label = kKathismata[unit - 1];
        return {label, label, QString::asprintf("psalm%02d.html", unit)};
    }
    const auto book = std::find_if(info.books.begin(), info.books.end(),
                                   [unit](const RuleBook& b) { return unit >= b.first && unit <= b.last; });
    const QString chapter = QString::number(unit - book->first + 1);
    return {QString(book->short_label) + chapter, QString(book->full_name) + chapter,
            QString::asprintf("%02d.html#g", book->file_number) + chapter};
}

PlanStep PortionOf(RulePlan plan, const PlanSettings& raw, const PlanState& state, Date date, Date today)
{
    const PlanSettings settings = Bounded(plan, raw);
    const int units = PlanInfo(plan).units;
    const int h = settings.per_day;
    const long long cycle_units = static_cast<long long>(CyclesOf(settings)) * units;
    PlanStep step{{}, state};
    step.state.position = std::max(state.position, 0);  // a negative position is the plan's beginning
    PlanPortion& portion = step.portion;
    // Paging after reading does not begin before its start date.
    if (!settings.automatic && settings.start > today)
        return step;
    const long long last = cycle_units + settings.start_index - 1;
    portion.last = static_cast<int>(last);
    if (date < settings.start)
        return step;
    portion.started = true;

    long long c = 0;
    bool after_end = false;
    if (settings.automatic) {
        const long long skipped = SkippedDaysBetween(settings.skipped, settings.start, date);
        portion.skipped = settings.skipped[static_cast<size_t>(SkipIndex(date))];
        const long long reading_days = static_cast<long long>(date - settings.start) - skipped;
        c = std::max<long long>(settings.start_index + h * reading_days, 1);
        // Past the end date E = S0 + k + R*N/h - 1 the last portion is the rest of the cycle.
        after_end = (reading_days + 1) * h > cycle_units;
        step.state.position = static_cast<int>(std::min(c, last + 1));
    } else {
        PlanState& s = step.state;
        if (s.position <= 0) {
            // The first portion of the plan: from its start index.
            s.position = std::max(settings.start_index, 1);
            s.pending = true;
            s.read_day = today;
        } else if (!s.pending && s.read_day != today) {
            s.position = static_cast<int>(std::min<long long>(static_cast<long long>(s.position) + h, last + 1));
            s.pending = true;
            s.read_day = today;
        }
        c = s.position;
        portion.read = !s.pending;
    }
    portion.cumulative = static_cast<int>(std::min(c, last + 1));
    if (c > last) {
        portion.finished = true;
        portion.read = false;
        return step;
    }

    const int u = UnitOfIndex(c, units);
    int v = u;
    if (h >= 2) {
        if (!after_end) {
            v = u + h - 1;
            if (v > units)
                v = last - c + 1 < h ? units : v - units;
        } else {
            v = settings.start_index - 1;
            if (v <= 0)
                v = units;
        }
    }
    portion.unit = u;
    const RuleUnit first = UnitOf(plan, u);
    const RuleUnit second = UnitOf(plan, v);
    portion.file = first.file;
    const bool single = h == 1 || v == u;
    if (plan == RulePlan::Psalter) {
        portion.text = single ? "Кафизма " + first.short_text + "."
                              : "Кафизмы с " + first.short_text + " по " + second.short_text + ".";
        portion.long_text = portion.text;
        portion.markup = single ? "[Кафизма " + first.short_text + "=" + first.file + "]."
                                : "Кафизмы с [" + first.short_text + "=" + first.file + "] по " + second.short_text + ".";
    } else {
        portion.text = single ? first.short_text + "." : "От " + first.short_text + " до " + second.short_text + ".";
        portion.long_text = single ? first.full_text : "От " + first.full_text + " до " + second.full_text + ".";
        portion.markup = single ? "[" + first.short_text + "=" + first.file + "]."
                                : "От [" + first.short_text + "=" + first.file + "] до " + second.short_text + ".";
    }
    // A skipped day has no portion, though its place in the plan is counted.
    if (portion.skipped) {
        portion.text.clear();
        portion.long_text.clear();
        portion.markup.clear();
    }
    return step;
}

RuleDay TextPravilo(const HomeRule& rule, Date date, Date today)
{
    RuleDay day;
    for (const RulePlan plan : kRulePlans) {
        PlanStep& step = day.steps[static_cast<size_t>(plan)];
        if (rule.plan(plan).on)
            step = PortionOf(plan, rule.plan(plan), rule.state(plan), date, today);
        else
            step.state = rule.state(plan);
    }
    return day;
}

void KeepStates(HomeRule& rule, const RuleDay& day)
{
    for (const RulePlan plan : kRulePlans)
        rule.state(plan) = day.step(plan).state;
}

bool HasUnreadPortion(const HomeRule& rule, const RuleDay& day)
{
    for (const RulePlan plan : kRulePlans) {
        const PlanStep& step = day.step(plan);
        if (rule.plan(plan).on && !rule.plan(plan).automatic && !step.portion.text.isEmpty() && step.state.pending)
            return true;
    }
    return false;
}

PlanState MarkedRead(RulePlan plan, const PlanSettings& settings, const PlanState& state, Date today)
{
    PlanState read = PortionOf(plan, settings, state, today, today).state;
    read.pending = false;
    read.read_day = today;
    return read;
}

void StepUnit(RulePlan plan, PlanSettings& settings, PlanState& state, bool forward, Date today)
{
    settings = Bounded(plan, settings);
    const int units = PlanInfo(plan).units;
    if (settings.automatic) {
        // The start index stays within one cycle: a larger one would be read as 1.
        int index = std::max(settings.start_index, 1);
        index += forward ? 1 : -1;
        if (index > units)
            index = 1;
        if (index <= 0)
            index = units;
        settings.start_index = index;
        return;
    }
    const long long cycle_units = static_cast<long long>(CyclesOf(settings)) * units;
    long long position = static_cast<long long>(state.position) + (forward ? 1 : -1);
    if (position > cycle_units)
        position = 1;
    if (position <= 0)
        position = units;
    state.position = static_cast<int>(position);
    state.pending = true;
    state.read_day = today;
}

void TurnOff(PlanSettings& settings, PlanState& state, Date today)
{
    settings.on = false;
    settings.skipped = {};
    settings.always = false;
    settings.cycles = 1;
    settings.per_day = 1;
    settings.start_index = 1;
    settings.automatic = true;
    state.position = 0;
    state.pending = false;
    state.read_day = today - 1;
}

QString UnitsPerDayLabel(RulePlan plan, int per_day)
{
    return plan == RulePlan::Psalter ? Plural(per_day, "кафизму в день", "кафизмы в день", "кафизм в день")
                                     : Plural(per_day, "главу в день", "главы в день", "глав в день");
}

QString CyclesLabel(int cycles) { return cycles >= 2 && cycles <= 4 ? "раза" : "раз"; }

QString PlanSummary(RulePlan plan, const PlanSettings& raw)
{
    const PlanSettings settings = Bounded(plan, raw);
    return SummaryHead(plan, settings) + SummaryMiddle(plan, settings) + "; " + VersionItem(plan, settings.version) +
           "; " + PagingPhrase(settings);
}

QString PlanCaptionHint(RulePlan plan, const PlanSettings& raw)
{
    const PlanSettings settings = Bounded(plan, raw);
    return SummaryHead(plan, settings) + SummaryMiddle(plan, settings) + ";\n" + PagingPhrase(settings);
}

QString RuleDateLabel(Date today) { return Qs(TextOfDayAndMonthAndYear5(today)) + " г. "; }

QString RuleCopyText(const HomeRule& rule, const RuleDay& day, Date today)
{
    QString text = "Домашнее правило на " + RuleDateLabel(today) + "\n";
    for (const RulePlan plan : kRulePlans)
        if (rule.plan(plan).on)
            text += "\n" + QString(PlanInfo(plan).caption) + ": " + day.step(plan).portion.text;
    return text;
}

}  // namespace indikt
