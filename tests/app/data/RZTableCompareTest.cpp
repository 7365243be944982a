// Another table set beside the open one, field by field, with the stock table
// as the judge: which lines are listed, on which row, and who changed them.
#include "app/data/RZTableCompare.h"
#include "app/data/RZTableText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace RZTableCompare;

namespace {

// "<open position> <other position> <heading> <state> <stock position>", a line each.
std::vector<std::string> described(const std::vector<Line>& lines) {
    const char* const states[] = {"other", "this", "both", "none"};
    std::vector<std::string> texts;
    for (const Line& line : lines) {
        texts.push_back(std::to_string(line.position) + " " + std::to_string(line.other) + " " +
                        RZSpellFields::info(line.field).listHeading + " " +
                        states[static_cast<int>(line.state)] + " " + std::to_string(line.stock));
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
        {5, 1, {"炎", 1, 10, 2, 1, 50, "焼く", "fire"}},
        {5, 2, {"炎", 1, 20, 3, 2, 60, "焼く", "fire"}},
        {8, 1, {"土", 0, 1, 1, 1, 1, "", ""}},
    };
    const std::vector<Level> open = {
        {5, 1, {"炎", 1, 11, 4, 1, 50, "焼き尽くす", "blaze"}},
        {5, 2, {"炎", 1, 20, 3, 2, 60, "焼き尽くす", "blaze"}},
        {7, 1, {"氷", 0, 5, 1, 1, 9, "凍る", "ice"}},
        {8, 1, {"土", 0, 1, 1, 1, 1, "", ""}},
    };
    const std::vector<Level> other = {
        {9, 1, {"風", 0, 1, 1, 1, 1, "", ""}},
        {7, 1, {"氷", 2, 6, 1, 1, 9, "凍る", "ice"}},
        {5, 2, {"業火", 1, 20, 3, 2, 61, "焼く", "inferno"}},
        {5, 1, {"業火", 1, 10, 5, 3, 50, "焼く", "inferno"}},
    };
    EXPECT_EQ(
        described(compare(open, other, stock)),
        (std::vector<std::string>{"0 3 名称 other 0", "0 3 消費 this 0", "0 3 射程 both 0",
                                  "0 3 範囲 other 0", "0 3 説明 this 0", "0 3 効果音 both 0",
                                  "1 2 効率 other 1", "2 1 対象 none -1", "2 1 消費 none -1"}));
    // Without a stock table nothing is judged; the lines stay.
    EXPECT_EQ(
        described(compare(open, other, {})),
        (std::vector<std::string>{"0 3 名称 none -1", "0 3 消費 none -1", "0 3 射程 none -1",
                                  "0 3 範囲 none -1", "0 3 説明 none -1", "0 3 効果音 none -1",
                                  "1 2 効率 none -1", "2 1 対象 none -1", "2 1 消費 none -1"}));
    // The same table on both sides, or tables without a level in common.
    EXPECT_TRUE(compare(open, open, stock).empty());
    EXPECT_TRUE(compare(open, {other[0]}, stock).empty());
}

TEST(RZTableCompare, TakesAFieldOnItsLevelAndASharedFieldOnEveryLevelOfItsSpell) {
    const std::vector<Level> open = {
        {5, 1, {"炎", 1, 11, 4, 1, 50, "焼く", "fire"}},
        {5, 2, {"炎", 1, 20, 3, 2, 60, "焼く", "fire"}},
        {7, 1, {"氷", 0, 5, 1, 1, 9, "凍る", "ice"}},
    };
    const std::vector<Level> other = {
        {7, 1, {"氷", 0, 5, 1, 1, 9, std::string(RZTableText::LINE_LIMIT, 'x'), "ice"}},
        {5, 1, {"業火", 1, 11, 4, 3, 50, "焼く", "fire"}},
        {5, 2, {"炎", 1, 20, 3, 7, 60, "焼く", "fire"}},
    };
    const std::vector<Line> lines = compare(open, other, {});
    ASSERT_EQ(described(lines), (std::vector<std::string>{"0 1 名称 none -1", "0 1 範囲 none -1",
                                                          "1 2 範囲 none -1", "2 0 説明 none -1"}));
    // 範囲 of level 1 alone, 名称 on both levels; a line naming no level is passed over.
    Line outside = lines[1];
    outside.position = 3;
    Taking taking = take(open, other, {lines[1], lines[0], outside});
    EXPECT_EQ(taking.positions, (std::vector<std::uint32_t>{0, 1}));
    const std::vector<RZSpellValues> values = {{"業火", 1, 11, 4, 3, 50, "焼く", "fire"},
                                               {"業火", 1, 20, 3, 2, 60, "焼く", "fire"}};
    EXPECT_TRUE(taking.values == values);
    EXPECT_TRUE(taking.allowed());
    // A description that leaves the spell's line longer than a save writes.
    taking = take(open, other, {lines[2], lines[3]});
    EXPECT_EQ(taking.positions, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(taking.tooLong, (std::vector<std::uint32_t>{2}));
}
