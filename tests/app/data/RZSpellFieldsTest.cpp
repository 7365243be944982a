// The field table as a check of the table and a change of many rows ask it:
// the numeric fields, named by their list headings, and the values each takes.
#include "app/data/RZSpellFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(RZSpellFields, NumericFieldsAndTheirRangesByListHeading) {
    const struct {
        const char* heading;
        std::int32_t low, high;
    } numeric[] = {{"消費", 0, 9999}, {"射程", 0, 99}, {"範囲", 0, 99}, {"効率", 0, 9999}};
    std::vector<std::string> headings;
    for (int field = 0; field < RZSpellFields::FIELD_COUNT; ++field) {
        if (RZSpellFields::isNumeric(field)) {
            headings.push_back(RZSpellFields::info(field).listHeading);
        } else {
            EXPECT_FALSE(RZSpellFields::inRange(field, 0)) << field;
        }
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"消費", "射程", "範囲", "効率"}));
    for (const auto& row : numeric) {
        SCOPED_TRACE(row.heading);
        int field = 0;
        while (field < RZSpellFields::FIELD_COUNT &&
               std::string(RZSpellFields::info(field).listHeading) != row.heading) {
            ++field;
        }
        EXPECT_TRUE(RZSpellFields::inRange(field, row.low));
        EXPECT_TRUE(RZSpellFields::inRange(field, row.high));
        EXPECT_FALSE(RZSpellFields::inRange(field, row.low - 1));
        EXPECT_FALSE(RZSpellFields::inRange(field, row.high + 1));
    }
}
