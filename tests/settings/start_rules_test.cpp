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
        {"a clock set back brings nothing",
         {{At(8, 10, 0), false, false}, {At(7, 23, 0), false, false}, {At(7, 23, 30), false, false}}},
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

}  // namespace
}  // namespace indikt
