// The iCalendar of the church year and the user's commemorations, read back
// with libical's own parser: the spans of the fasts, the feasts on their
// civil days, the user's rows with their repetition and alarm, stable UIDs,
// and lines as RFC 5545 folds them.
#include "walks/ical_export.h"

#include "file_helpers.h"
#include "texts/cp1251.h"

#include <QTemporaryDir>

#include <libical/ical.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }

struct Event {
    std::string uid;
    std::string summary;
    std::string start;  // as written: 20270107 or 20261201T073000
    std::string end;
    std::string rule;
    bool alarm = false;
};

std::string DateText(icaltimetype time) { return icaltime_as_ical_string(time); }

// Every VEVENT of the text; the test fails when libical finds anything wrong.
std::vector<Event> Parse(const QByteArray& text)
{
    std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> calendar(icalparser_parse_string(text.constData()),
                                                                      icalcomponent_free);
    EXPECT_NE(calendar, nullptr);
    if (!calendar)
        return {};
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    std::vector<Event> events;
    for (icalcomponent* item = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT); item;
         item = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        Event event;
        event.uid = icalcomponent_get_uid(item);
        event.summary = icalcomponent_get_summary(item);
        event.start = DateText(icalcomponent_get_dtstart(item));
        if (icalcomponent_get_first_property(item, ICAL_DTEND_PROPERTY))
            event.end = DateText(icalcomponent_get_dtend(item));
        if (icalproperty* rule = icalcomponent_get_first_property(item, ICAL_RRULE_PROPERTY))
            event.rule = icalproperty_get_value_as_string(rule);
        event.alarm = icalcomponent_get_first_component(item, ICAL_VALARM_COMPONENT) != nullptr;
        events.push_back(event);
    }
    return events;
}

const Event* Find(const std::vector<Event>& events, const std::string& summary, const std::string& start)
{
    for (const Event& event : events)
        if (event.summary == summary && event.start == start)
            return &event;
    return nullptr;
}

class IcalExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteBytes(root.filePath("Памятка.txt"),
                               *EncodeCp1251(QString::fromUtf8(
                                   "Данные программы Индикт\r\n"
                                   "Число лет:    да\r\nДата:         10.12.1976\r\nЮбилей:       Иван\r\n"
                                   "Статус:       государственный\r\nПразднование: 12.12.2026\r\nПраздник:     День Конституции\r\n"
                                   "Действие:     true\r\nПериод:       Ежедневно\r\nВремя:        07:30\r\n"
                                   "Дата события: 01.12.2026\r\nИмя события:  Утреннее правило\r\n"
                                   "Действие:     true\r\nПериод:       Однократно\r\nВремя:        18:05\r\n"
                                   "Дата события: 24.12.2026\r\nИмя события:  Всенощная\r\n"))));
    }
    QTemporaryDir root;
};

TEST_F(IcalExportTest, TheChurchYearAndTheUsersRowsOnTheirDays)
{
    const IcalExport exported = ExportIcal(root.path(), D(2026, 12, 1), D(2027, 5, 31), IcalParts{}, D(2026, 12, 9));
    EXPECT_TRUE(exported.problem.isEmpty()) << exported.problem.toStdString();
    const std::vector<Event> events = Parse(exported.text);
    EXPECT_EQ(static_cast<int>(events.size()), exported.events);

    struct Case { const char* summary; const char* start; const char* end; };
    const Case cases[] = {
        // The Nativity fast ends on 6 January civil (24 December old style), cut at the period's start;
        // the Lenten Triodion of 2027: Pascha on 2 May civil, Clean Monday 15 March.
        {"Рождественский пост", "20261201", "20270106"},
        {"Сплошная седмица", "20270107", "20270118"},  // Svyatki: the Nativity to the eve of Theophany
        {"Великий пост", "20270315", ""},
        {"РОЖДЕСТВО ХРИСТОВО", "20270107", "20270108"},
        {"КРЕЩЕНИЕ ГОСПОДНЕ", "20270119", "20270120"},
        {"ПАСХА", "20270502", "20270503"},
        {"Новый год", "20270101", "20270102"},
        {"Иван (50 лет)", "20261210", "20261211"},  // the jubilee with its years
        {"День Конституции", "20261212", "20261213"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.summary);
        const Event* event = Find(events, c.summary, c.start);
        ASSERT_NE(event, nullptr);
        if (*c.end) {
            EXPECT_EQ(event->end, c.end);
        }
    }
    const Event* lent = Find(events, "Великий пост", "20270315");
    ASSERT_NE(lent, nullptr);
    EXPECT_GE(lent->end, "20270424") << "Lent runs to the eve of Lazarus Saturday at least";

    const Event* daily = Find(events, "Утреннее правило", "20261201T073000");
    ASSERT_NE(daily, nullptr);
    EXPECT_EQ(daily->rule, "FREQ=DAILY");
    EXPECT_TRUE(daily->alarm);
    const Event* once = Find(events, "Всенощная", "20261224T180500");
    ASSERT_NE(once, nullptr);
    EXPECT_TRUE(once->rule.empty());
    EXPECT_TRUE(once->alarm);
}

TEST_F(IcalExportTest, UidsAreUniqueAndStableAndLinesAreFolded)
{
    IcalParts parts;
    const IcalExport first = ExportIcal(root.path(), D(2027, 1, 1), D(2027, 12, 31), parts, D(2026, 12, 9));
    const IcalExport again = ExportIcal(root.path(), D(2027, 1, 1), D(2027, 12, 31), parts, D(2026, 12, 9));
    EXPECT_EQ(first.text, again.text) << "the same period gives the same file";
    std::set<std::string> uids;
    for (const Event& event : Parse(first.text))
        EXPECT_TRUE(uids.insert(event.uid).second) << "twice: " << event.uid;
    EXPECT_GT(uids.size(), 60u);

    // A shorter period: the same event keeps its UID, so an import updates it.
    std::map<std::string, std::string> uid_of;
    for (const Event& event : Parse(first.text))
        uid_of[event.summary + event.start] = event.uid;
    for (const Event& event : Parse(ExportIcal(root.path(), D(2027, 4, 1), D(2027, 6, 30), parts, D(2027, 3, 1)).text))
        if (uid_of.count(event.summary + event.start)) {
            EXPECT_EQ(uid_of[event.summary + event.start], event.uid) << event.summary;
        }

    for (const QByteArray& line : first.text.split('\n')) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        EXPECT_LE(line.size() - 1, 75) << line.toStdString();
    }
}

TEST(IcalParts, TheWordsOfWhat)
{
    IcalParts parts;
    ASSERT_TRUE(ParseIcalParts("fasts,readings", &parts));
    EXPECT_TRUE(parts.fasts);
    EXPECT_TRUE(parts.readings);
    EXPECT_FALSE(parts.feasts);
    EXPECT_FALSE(parts.commemorations);
    EXPECT_FALSE(ParseIcalParts("fasts,saint", &parts));
}

}  // namespace
}  // namespace indikt
