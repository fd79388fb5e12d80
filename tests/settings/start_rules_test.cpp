#include "settings/start_rules.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

TEST(StartArguments, OptionsAreNotTheStartArgument)
{
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> start_argument;
        std::optional<std::string> data_root;
        bool error;
    };
    const Case cases[] = {
        {{}, std::nullopt, std::nullopt, false},
        {{"3"}, "3", std::nullopt, false},
        {{"--data-root", "/tmp/Мои данные"}, std::nullopt, "/tmp/Мои данные", false},
        {{"--data-root", "/d", "2"}, "2", "/d", false},
        {{"4", "--data-root=/d"}, "4", "/d", false},
        {{"2", "3"}, "2", std::nullopt, false},
        {{"--data-root"}, std::nullopt, std::nullopt, true},
        {{"--fullscreen"}, std::nullopt, std::nullopt, true},
    };
    for (const Case& c : cases) {
        const StartArguments parsed = ParseStartArguments(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? std::string("(none)") : c.arguments.front());
        EXPECT_EQ(parsed.error.empty(), !c.error) << parsed.error;
        if (c.error)
            continue;
        EXPECT_EQ(parsed.start_argument, c.start_argument);
        EXPECT_EQ(parsed.data_root, c.data_root);
    }
}

TEST(StartMode, ArgumentOverStoredValue)
{
    struct Case { std::optional<std::string> argument; int stored; StartMode mode; };
    const Case cases[] = {
        {std::nullopt, 1, StartMode::Saved},
        {std::nullopt, 3, StartMode::Mini},
        {std::nullopt, 0, StartMode::Maximised},
        {std::nullopt, 9, StartMode::Saved},     // a value no mode has
        {std::nullopt, -2, StartMode::Saved},
        {"3", 1, StartMode::Mini},
        {"4", 0, StartMode::Tray},
        {"0", 4, StartMode::Maximised},
        {"abc", 3, StartMode::Saved},            // not a number: mode 1
        {"", 3, StartMode::Saved},
        {"2x", 3, StartMode::Saved},
        {"7", 3, StartMode::Saved},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StartModeInForce(c.argument, c.stored), c.mode) << c.argument.value_or("(none)") << " / " << c.stored;
    EXPECT_TRUE(StartModeApplies(true, false));
    EXPECT_TRUE(StartModeApplies(false, true));
    EXPECT_FALSE(StartModeApplies(false, false));
}

TEST(OnceADay, OnlyAnAutomaticStartOnTheDayOfTheLastSaveEnds)
{
    const Date today = FromCivil(2026, 12, 8);
    struct Case { bool argument; bool once; bool autostart; std::optional<Date> saved; bool ends; };
    const Case cases[] = {
        {true, true, true, today, true},
        {true, true, true, today - 1, false},
        {true, true, true, std::nullopt, false},
        {false, true, true, today, false},   // started by hand
        {true, false, true, today, false},
        {true, true, false, today, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EndsAtOnceAsSecondStartOfTheDay(c.argument, c.once, c.autostart, c.saved, today), c.ends);
}

ClockTime At(int day, int hour, int minute) { return {FromCivil(2026, 12, day), hour * 60 + minute}; }

TEST(ClockWatch, EventsAreCrossingsBetweenTicks)
{
    struct Step { ClockTime now; bool midnight; bool afternoon; };
    struct Case { const char* why; std::vector<Step> steps; };
    const Case cases[] = {
        {"a start after 15:00 does not switch by itself",
         {{At(8, 15, 30), false, false}, {At(8, 15, 31), false, false}, {At(8, 23, 59), false, false},
          {At(9, 0, 0), true, false}, {At(9, 14, 59), false, false}, {At(9, 15, 0), false, true}}},
        {"15:00 switches once in the life of the run",
         {{At(8, 14, 59), false, false}, {At(8, 15, 0), false, true}, {At(9, 0, 1), true, false},
          {At(9, 15, 0), false, false}}},
        {"a machine that slept through midnight and 15:00",
         {{At(8, 10, 0), false, false}, {At(10, 9, 0), true, true}}},
        {"a sleep from evening to the next afternoon crosses 15:00 of the next day",
         {{At(8, 20, 0), false, false}, {At(9, 16, 0), true, true}}},
        {"a sleep from evening to the next morning crosses no 15:00",
         {{At(8, 20, 0), false, false}, {At(9, 8, 0), true, false}}},
        {"a clock set back to the day before makes that day today, once, and crosses no 15:00",
         {{At(8, 16, 0), false, false}, {At(7, 14, 0), true, false}, {At(7, 14, 30), false, false},
          {At(7, 15, 0), false, true}}},
        {"a clock set back within the day brings nothing",
         {{At(8, 10, 0), false, false}, {At(8, 9, 0), false, false}}},
        {"midnight is not repeated at 00:00:10 or 00:01",
         {{At(8, 23, 59), false, false}, {At(9, 0, 0), true, false}, {At(9, 0, 0), false, false},
          {At(9, 0, 1), false, false}, {At(9, 0, 2), false, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ClockWatch watch;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const ClockEvents events = watch.Tick(c.steps[i].now);
            EXPECT_EQ(events.midnight, c.steps[i].midnight) << "tick " << i;
            EXPECT_EQ(events.afternoon, c.steps[i].afternoon) << "tick " << i;
        }
    }
}

int Hm(int hour, int minute) { return hour * 60 + minute; }

TEST(PrSob, FiresTheEventsOfTheMinuteOnceAndDropsThePastMinutesOfTheHour)
{
    struct Tick { int now; bool fired; std::vector<int> left; };
    struct Case { const char* why; std::vector<int> list; std::vector<Tick> ticks; };
    const Case cases[] = {
        {"two events at 10:00 fire once together; 10:05 five minutes later",
         {Hm(10, 0), Hm(10, 0), Hm(10, 5)},
         {{Hm(9, 59), false, {Hm(10, 0), Hm(10, 0), Hm(10, 5)}},
          {Hm(10, 0), true, {Hm(10, 5)}},
          {Hm(10, 0), false, {Hm(10, 5)}},  // the next tick of the same minute
          {Hm(10, 4), false, {Hm(10, 5)}},
          {Hm(10, 5), true, {}}}},
        {"busy until 10:03: the 10:00 entry goes unfired, 10:03 fires",
         {Hm(10, 0), Hm(10, 3), Hm(11, 0)},
         {{Hm(10, 3), true, {Hm(11, 0)}}}},
        {"a past minute of another hour stays; the order of the list is kept",
         {Hm(11, 30), Hm(9, 59), Hm(10, 20), Hm(10, 1)},
         {{Hm(10, 2), false, {Hm(11, 30), Hm(9, 59), Hm(10, 20)}}}},
        {"an event at 00:00 and one at 23:59",
         {Hm(0, 0), Hm(23, 59)},
         {{Hm(0, 0), true, {Hm(23, 59)}}, {Hm(23, 59), true, {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<int> list = c.list;
        for (const Tick& tick : c.ticks) {
            EXPECT_EQ(PrSob(list, tick.now), tick.fired) << "at minute " << tick.now;
            EXPECT_EQ(list, tick.left) << "at minute " << tick.now;
        }
    }
}

}  // namespace
}  // namespace indikt
