// Another table set beside the open one, field by field, with the stock table
// as the judge: which lines are listed, on which row, and who changed them.
#include "app/data/RZTableCompare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace RZTableCompare;

namespace {

RZSpellValues spell(const char* name, int target, int cost, int range, int area, int efficiency,
                    const char* description, const char* sound) {
    RZSpellValues values;
    values.name = name;
    values.target = target;
    values.cost = cost;
    values.range = range;
    values.area = area;
    values.efficiency = efficiency;
    values.description = description;
    values.sound = sound;
    return values;
}

const char* stateName(State state) {
    switch (state) {
    case State::OTHER_CHANGED:
        return "other";
    case State::THIS_CHANGED:
        return "this";
    case State::BOTH_CHANGED:
        return "both";
    case State::NO_STOCK:
        break;
    }
    return "none";
}

// "<open position> <other position> <heading> <state> <stock position>", a line each.
std::vector<std::string> described(const std::vector<Line>& lines) {
    std::vector<std::string> texts;
    for (const Line& line : lines) {
        texts.push_back(std::to_string(line.position) + " " + std::to_string(line.other) + " " +
                        RZSpellFields::info(line.field).listHeading + " " + stateName(line.state) +
                        " " + std::to_string(line.stock));
    }
    return texts;
}

} // namespace

TEST(RZTableCompare, ListsEachDifferingFieldOnceWithWhoChangedIt) {
    // Spell 5 at two levels: the open table changed some values, the other
    // table others, both a few; the levels share name, target, description
    // and sound. Spell 7 has no stock level. Spell 8 is only in the open
    // table, spell 9 only in the other, which holds its levels in another order.
    const std::vector<Level> stock = {
        {5, 1, spell("炎", 1, 10, 2, 1, 50, "焼く", "fire")},
        {5, 2, spell("炎", 1, 20, 3, 2, 60, "焼く", "fire")},
        {8, 1, spell("土", 0, 1, 1, 1, 1, "", "")},
    };
    const std::vector<Level> open = {
        {5, 1, spell("炎", 1, 11, 4, 1, 50, "焼き尽くす", "blaze")},
        {5, 2, spell("炎", 1, 20, 3, 2, 60, "焼き尽くす", "blaze")},
        {7, 1, spell("氷", 0, 5, 1, 1, 9, "凍る", "ice")},
        {8, 1, spell("土", 0, 1, 1, 1, 1, "", "")},
    };
    const std::vector<Level> other = {
        {9, 1, spell("風", 0, 1, 1, 1, 1, "", "")},
        {7, 1, spell("氷", 2, 6, 1, 1, 9, "凍る", "ice")},
        {5, 2, spell("業火", 1, 20, 3, 2, 61, "焼く", "inferno")},
        {5, 1, spell("業火", 1, 10, 5, 3, 50, "焼く", "inferno")},
    };
    const std::vector<std::string> judged = {
        "0 3 名称 other 0", "0 3 消費 this 0",  "0 3 射程 both 0",
        "0 3 範囲 other 0", "0 3 説明 this 0",  "0 3 効果音 both 0",
        "1 2 効率 other 1", "2 1 対象 none -1", "2 1 消費 none -1",
    };
    EXPECT_EQ(described(compare(open, other, stock)), judged);

    // Without a stock table nothing is judged; the lines stay.
    const std::vector<std::string> unjudged = {
        "0 3 名称 none -1", "0 3 消費 none -1", "0 3 射程 none -1",
        "0 3 範囲 none -1", "0 3 説明 none -1", "0 3 効果音 none -1",
        "1 2 効率 none -1", "2 1 対象 none -1", "2 1 消費 none -1",
    };
    EXPECT_EQ(described(compare(open, other, {})), unjudged);

    // The same table on both sides, or tables without a level in common.
    EXPECT_TRUE(compare(open, open, stock).empty());
    EXPECT_TRUE(compare(open, {other[0]}, stock).empty());
}
