// Spell records, document entries and the built-in spell tables.
#include "app/data/RZMagic.h"
#include "app/data/RZMagicTables.h"
#include "app/data/ZDMagic.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(ZDMagic, StartsEmptyAndShowsNoTexts) {
    ZDMagic record;
    EXPECT_EQ(-1, record.getIndex());
    EXPECT_EQ(-1, record.getRow());
    EXPECT_EQ(0, record.getLevel());
    EXPECT_EQ(-1, record.getElement());
    EXPECT_EQ(0, record.getRank());
    EXPECT_EQ(-1, record.getTarget());
    EXPECT_EQ(0, record.getCost() | record.getRange() | record.getArea() | record.getEfficiency());
    EXPECT_TRUE(record.getSource().isEmpty());
    for (int kind = 0; kind <= 5; ++kind) {
        EXPECT_EQ("", record.fieldText(kind)) << kind;
    }
}

TEST(ZDMagic, FieldTextsComeFromTheBuiltInTables) {
    ZDMagic record;
    record.setLevel(2);
    record.setElement(5);
    record.setRank(4);
    record.setTarget(1);
    record.setIndex(33);
    EXPECT_EQ("Lv2", record.fieldText(ZDMagic::TEXT_LEVEL));
    EXPECT_EQ("闇", record.fieldText(ZDMagic::TEXT_ELEMENT));
    EXPECT_EQ("A", record.fieldText(ZDMagic::TEXT_RANK));
    EXPECT_EQ("味方", record.fieldText(ZDMagic::TEXT_TARGET));
    EXPECT_EQ("ヒール", record.fieldText(ZDMagic::TEXT_SPELL));
    EXPECT_EQ("", record.fieldText(5));
    EXPECT_EQ("", record.fieldText(-1));

    record.setElement(6);
    record.setTarget(3);
    record.setLevel(4);
    record.setRank(6);
    record.setIndex(48);
    for (int kind = 0; kind <= 4; ++kind) {
        EXPECT_EQ("", record.fieldText(kind)) << kind;
    }
}

TEST(RZMagicTables, SpellTableFacts) {
    int levels = 0;
    int perElement[6] = {};
    for (int spell = 0; spell < RZMagicTables::SPELL_COUNT; ++spell) {
        EXPECT_EQ(0, RZMagicTables::rank(spell, 0));
        for (int level = 1; level <= 3; ++level) {
            if (RZMagicTables::rank(spell, level) != 0) {
                ++levels;
                ++perElement[spell / 8];
            }
        }
        EXPECT_EQ("MAGIC" + std::to_string(spell) + ".BMP", RZMagicTables::pictureName(spell));
    }
    EXPECT_EQ(81, levels);
    EXPECT_EQ(13, perElement[0]);
    EXPECT_EQ(13, perElement[3]);
    EXPECT_EQ(16, perElement[4]);
    EXPECT_EQ(13, perElement[5]);

    // Spell 33 ヒール: D, C, A; 43 パラライズ: B only; 1: D only.
    EXPECT_EQ(1, RZMagicTables::rank(33, 1));
    EXPECT_EQ(2, RZMagicTables::rank(33, 2));
    EXPECT_EQ(4, RZMagicTables::rank(33, 3));
    EXPECT_EQ(3, RZMagicTables::rank(43, 1));
    EXPECT_EQ(0, RZMagicTables::rank(43, 2));
    EXPECT_EQ(1, RZMagicTables::rank(1, 1));
    EXPECT_EQ(0, RZMagicTables::rank(1, 2) + RZMagicTables::rank(1, 3));
    EXPECT_EQ(5, RZMagicTables::rank(47, 1));
    EXPECT_EQ(0, RZMagicTables::rank(48, 1));
    EXPECT_EQ(0, RZMagicTables::rank(0, 4));

    EXPECT_EQ("ファイア", RZMagicTables::spellName(0));
    EXPECT_EQ("ウォールスマッシュ", RZMagicTables::spellName(31));
    EXPECT_EQ("エクスプロージョン", RZMagicTables::spellName(47));
    EXPECT_EQ("", RZMagicTables::spellName(48));
    EXPECT_EQ("", RZMagicTables::pictureName(-1));
}

TEST(RZMagicTables, CopiesOfTheNameTables) {
    std::map<int, std::string> targets = RZMagicTables::copyTable(RZMagicTables::TABLE_TARGETS);
    std::vector<std::pair<int, std::string>> ordered(targets.begin(), targets.end());
    EXPECT_EQ(
        (std::vector<std::pair<int, std::string>>{{-1, ""}, {0, "地形"}, {1, "味方"}, {2, "敵"}}),
        ordered);
    std::map<int, std::string> ranks = RZMagicTables::copyTable(RZMagicTables::TABLE_RANKS);
    EXPECT_EQ(6u, ranks.size());
    EXPECT_EQ("S", ranks[5]);
    EXPECT_EQ(4u, RZMagicTables::copyTable(RZMagicTables::TABLE_LEVELS).size());
    EXPECT_EQ("土", RZMagicTables::copyTable(RZMagicTables::TABLE_ELEMENTS)[3]);
    EXPECT_TRUE(RZMagicTables::copyTable(4).empty());
    EXPECT_TRUE(RZMagicTables::copyTable(-1).empty());
}

TEST(RZMagicTables, ApplyDefaultsStampsOnlyTheBuiltInFacts) {
    ZDMagic record;
    record.setName("keep");
    record.setCost(9);
    RZMagicTables::applyDefaults(&record, 12, 2);
    EXPECT_EQ(12, record.getIndex());
    EXPECT_EQ(1, record.getElement());
    EXPECT_EQ(5, record.getRank());
    EXPECT_EQ(2, record.getLevel());
    EXPECT_EQ("MAGIC12.BMP", record.getPicture());
    EXPECT_EQ("keep", record.getName());
    EXPECT_EQ(9, record.getCost());

    RZMagicTables::applyDefaults(&record, 48, 1);
    EXPECT_EQ(-1, record.getIndex());
    EXPECT_EQ(-1, record.getElement());
    EXPECT_EQ(0, record.getRank());
    EXPECT_EQ(0, record.getLevel());
    EXPECT_EQ("", record.getPicture());

    RZMagicTables::applyDefaults(&record, 5, 4);
    EXPECT_EQ(-1, record.getIndex());
    EXPECT_EQ(0, record.getRank());
    EXPECT_EQ("MAGIC5.BMP", record.getPicture());

    RZMagicTables::applyDefaults(nullptr, 1, 1);
}

TEST(RZMagic, ChangesAreFoundInOrderAndReverted) {
    ZDMagic loaded;
    RZMagicTables::applyDefaults(&loaded, 8, 1);
    loaded.setRow(7);
    loaded.setName("フリーズ");
    loaded.setSource(HFile("C:\\表\\MagicTable"));
    loaded.setSound("ice01");
    RZMagic entry(loaded);
    EXPECT_FALSE(entry.hasChanged());
    EXPECT_EQ("フリーズ", entry.baseline().getName());

    // Each compared field on its own counts as a change, and revert undoes it.
    auto edits = std::vector<void (*)(RZMagic&)>{
        [](RZMagic& e) { e.setRow(8); },
        [](RZMagic& e) { e.setName("ソ"); },
        [](RZMagic& e) { e.setLevel(2); },
        [](RZMagic& e) { e.setElement(0); },
        [](RZMagic& e) { e.setRank(3); },
        [](RZMagic& e) { e.setTarget(2); },
        [](RZMagic& e) { e.setCost(1); },
        [](RZMagic& e) { e.setRange(1); },
        [](RZMagic& e) { e.setArea(1); },
        [](RZMagic& e) { e.setEfficiency(1); },
        [](RZMagic& e) { e.setDescription("能"); },
        [](RZMagic& e) { e.setSound("ice02"); },
    };
    for (std::size_t i = 0; i < edits.size(); ++i) {
        edits[i](entry);
        EXPECT_TRUE(entry.hasChanged()) << i;
        entry.revert();
        EXPECT_FALSE(entry.hasChanged()) << i;
    }

    // Index, picture, source and the sound replacement take no part.
    entry.setIndex(3);
    entry.setPicture("OTHER.BMP");
    entry.setSource(HFile("C:\\x\\y"));
    entry.setSoundReplacement(HFile("C:\\snd\\a.wav"));
    EXPECT_FALSE(entry.hasChanged());
    entry.revert();
    EXPECT_EQ("C:\\表\\MagicTable", entry.getSource().fullPath());
    EXPECT_EQ(3, entry.getIndex());
    EXPECT_EQ("OTHER.BMP", entry.getPicture());
    EXPECT_TRUE(entry.getSoundReplacement().isEmpty());
}

TEST(RZMagic, APictureReplacementCountsOnlyWhenItExists) {
    std::string dir = makeScratchDir("picture");
    writeFile(dir + "\\new.bmp", "BM");
    RZMagic entry{ZDMagic()};
    entry.setPictureReplacement(HFile(dir + "\\missing.bmp"));
    EXPECT_FALSE(entry.hasChanged());
    entry.setPictureReplacement(HFile(dir + "\\new.bmp"));
    EXPECT_TRUE(entry.hasChanged());
    entry.revert();
    EXPECT_TRUE(entry.getPictureReplacement().isEmpty());
    EXPECT_FALSE(entry.hasChanged());
}
