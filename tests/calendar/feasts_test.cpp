#include "calendar/feasts.h"

#include <gtest/gtest.h>

namespace indikt {
namespace {

TEST(PerPrasdniki, TargetsOf2025)
{
    // Pascha 2025: 20 April new style; the difference is 13 days.
    struct Case { int kind; CivilFields target; };
    const Case cases[] = {
        {1, {2025, 5, 21}},   // 8 May old style
        {3, {2025, 4, 7}},    // the Annunciation
        {6, {2025, 5, 29}},   // Ascension, Pascha + 39
        {7, {2025, 4, 13}},   // Palm Sunday
        {8, {2025, 6, 9}},
        {9, {2025, 6, 8}},
        {10, {2025, 1, 19}},
        {11, {2025, 1, 14}},
        {12, {2025, 4, 20}},
        {18, {2025, 5, 14}},
        {22, {2025, 1, 7}},   // the Nativity of 2024 old style, not the one at the end of 2025
        {23, {2025, 12, 19}},
        {28, {2025, 8, 28}},
        {30, {2025, 7, 21}},
    };
    const Date current = FromCivil(2025, 12, 31);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const auto target = PerPrasdniki(c.kind, current);
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(Fields(*target), c.target);
    }
    EXPECT_FALSE(PerPrasdniki(0, current).has_value());
    EXPECT_FALSE(PerPrasdniki(31, current).has_value());
}

TEST(PerPrasdniki, DifferenceOfTheShownYear)
{
    // The difference grows to 14 only at the Julian 29 February 2100: the
    // Nativity of 2099 old style is 7 January 2100, the Meeting 15 February,
    // the Annunciation of 2100 8 April (difference 14 by then).
    EXPECT_EQ(Fields(*PerPrasdniki(22, FromCivil(2100, 6, 1))), (CivilFields{2100, 1, 7}));
    EXPECT_EQ(Fields(*PerPrasdniki(25, FromCivil(2100, 6, 1))), (CivilFields{2100, 2, 15}));
    EXPECT_EQ(Fields(*PerPrasdniki(3, FromCivil(2100, 6, 1))), (CivilFields{2100, 4, 8}));
    EXPECT_EQ(Fields(*PerPrasdniki(17, FromCivil(1800, 6, 1))), (CivilFields{1800, 8, 18}));
}

TEST(PerGosPrasdniki, NewStyleDaysOfTheShownYear)
{
    struct Case { int kind; CivilFields target; };
    const Case cases[] = {
        {1, {2025, 1, 1}}, {3, {2025, 2, 23}}, {7, {2025, 5, 9}}, {13, {2025, 11, 4}}, {16, {2025, 12, 12}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fields(*PerGosPrasdniki(c.kind, FromCivil(2025, 7, 1))), c.target) << c.kind;
    EXPECT_FALSE(PerGosPrasdniki(17, FromCivil(2025, 7, 1)).has_value());
}

TEST(FeastTables, KindsAreTheirPositions)
{
    const auto church = ChurchFeasts();
    ASSERT_EQ(church.size(), 30u);
    for (std::size_t i = 0; i < church.size(); ++i) {
        EXPECT_EQ(church[i].kind, static_cast<int>(i) + 1);
        EXPECT_EQ(church[i].movable, church[i].old_style_text.empty()) << church[i].prefix;
        EXPECT_TRUE(church[i].prefix.ends_with(" - ")) << church[i].prefix;
    }
    EXPECT_EQ(church[21].prefix, "РОЖДЕСТВО ХРИСТОВО - ");
    EXPECT_EQ(church[21].old_style_text, "(25 дек)");
    const auto civil = CivilHolidays();
    ASSERT_EQ(civil.size(), 16u);
    for (std::size_t i = 0; i < civil.size(); ++i)
        EXPECT_EQ(civil[i].kind, static_cast<int>(i) + 1);
}

}  // namespace
}  // namespace indikt
