// The table check's rules on an invented table and a set of files said to
// exist, and the copies that put chosen sounds where the game looks.
#include "app/data/RZEditData.h"
#include "app/data/RZTableCheck.h"
#include "tests/app/data/DataTestSupport.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace RZTableCheck;
using namespace RZSpellFields;

namespace {

struct Level {
    int spell;
    std::string name;
    std::string sound;
    std::string chosen; // the sound file chosen for the spell
    std::vector<std::pair<int, Problem>> expected;
    int numbers[4] = {1, 1, 1, 1}; // cost, range, area, efficiency
};

std::string text(const std::vector<Line>& lines) {
    std::string all;
    for (const Line& line : lines) {
        all += std::to_string(line.position) + "/" + std::to_string(line.field) + "/" +
               std::to_string(line.problem) + " ";
    }
    return all;
}

} // namespace

TEST(RZTableCheck, ListsEachProblemOnceInTableOrderAndCopiesChosenSounds) {
    const std::string root = testsupport::makeScratchDir("check");
    datatest::GameDirectory stockGame(root); // the stock sounds: <root>\Default\Music&Sound
    const std::string game = root + "\\Set";
    const std::string out = "C:\\Elsewhere\\";
    const std::set<std::string> files = {
        game + "\\Music&Sound\\game.wav", root + "\\Default\\Music&Sound\\stock.wav",
        out + "chosen.wav", out + "game.wav", game + "\\Music&Sound\\other.wav"};
    const std::pair<int, Problem> name = {FIELD_NAME, NO_NAME};
    const std::pair<int, Problem> missing = {FIELD_SOUND, SOUND_MISSING};
    std::vector<Level> levels = {
        {4, "chosen and in the game", "game", out + "game.wav", {}}, // the first row too
        {0, "in the game", "game", "", {}},
        {1, "in the stock game", "stock", "", {}},
        {2, "nowhere", "nowhere", "", {missing}},
        {3, "chosen only", "chosen", out + "chosen.wav", {{FIELD_SOUND, SOUND_OUTSIDE_GAME}}},
        {5, "no sound", "", out + "chosen.wav", {}},
        {6, "", "game", "", {name}},
        // Shared fields once, on the first level; numbers on every level.
        {7, "", "nowhere", "", {name, missing}},
        {7, "", "nowhere", "", {{FIELD_COST, OUT_OF_RANGE}}, {10000, 1, 1, 1}},
        {8, "chosen in the game's folder", "other", game + "\\music&sound\\other.wav", {}},
        {9, "chosen file gone", "game", out + "gone.wav", {}},
        {10, "not a plain name", "x\\chosen", out + "chosen.wav", {missing}},
    };
    // Each number at its range's bounds and one beyond each: 0..9999 for cost
    // and efficiency, 0..99 for range and area.
    const int highs[4] = {9999, 99, 99, 9999};
    for (int number = 0; number < 4; ++number) {
        for (int value : {-1, 0, highs[number], highs[number] + 1}) {
            Level level{11, "bounds", "game", "", {}};
            level.numbers[number] = value;
            if (value < 0 || value > highs[number]) {
                level.expected = {{FIELD_COST + number, OUT_OF_RANGE}};
            }
            levels.push_back(level);
        }
    }

    RZEditData document;
    document.setTablePath(HFile(game + "\\Data\\MagicTable"));
    std::vector<Line> expected;
    for (const Level& level : levels) {
        ZDMagic record;
        record.setIndex(level.spell);
        RZSpellValues values;
        values.name = level.name;
        values.sound = level.sound;
        for (int number = 0; number < 4; ++number) {
            setNumber(values, FIELD_COST + number, level.numbers[number]);
        }
        record.setValues(values);
        auto entry = std::make_unique<RZMagic>(record);
        entry->setSoundReplacement(level.chosen.empty() ? HFile() : HFile(level.chosen));
        for (const auto& problem : level.expected) {
            expected.push_back(Line{document.count(), problem.first, problem.second});
        }
        document.append(std::move(entry));
    }
    // Names in any case of ASCII letters, as on the game's disk.
    const Exists exists = [&files](const HFile& file) {
        return std::count_if(files.begin(), files.end(), [&file](const std::string& name) {
                   return _stricmp(name.c_str(), file.fullPath().c_str()) == 0;
               }) > 0;
    };
    const std::vector<Line> lines = check(document, exists);
    EXPECT_EQ(text(lines), text(expected));

    // Chosen files that exist outside the game's folder, under a plain name.
    const std::vector<Copy> made = copies(document, exists);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0].position, 0u);
    EXPECT_EQ(made[0].to.fullPath(), game + "\\Music&Sound\\game.wav");
    EXPECT_EQ(made[1].position, 4u);
    EXPECT_EQ(made[1].from.fullPath(), out + "chosen.wav");
    EXPECT_EQ(made[1].to.fullPath(), game + "\\Music&Sound\\chosen.wav");
    EXPECT_TRUE(copiesMend(lines, made));
    EXPECT_FALSE(copiesMend(lines, {made[0]}));
    // A table not saved yet has no game folder to copy into.
    document.setTablePath(HFile());
    EXPECT_TRUE(copies(document, exists).empty());
}
