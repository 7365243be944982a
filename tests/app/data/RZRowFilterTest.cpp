// The filter's rule: each condition alone and together on plain rows, and the
// facts a document gives its entries (shared fields, changed rows).
#include "app/data/RZEditData.h"
#include "app/data/RZRowFilter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace RZRowFilter;

TEST(RZRowFilter, ARowIsShownWhenItMeetsEveryConditionSet) {
    Row fire;
    fire.element = 0;
    fire.rank = 1;
    fire.target = 2;
    fire.name = "炎の矢";
    fire.description = "敵を焼く";
    fire.sound = "fire01";
    fire.changed = true;
    fire.usable = true;
    // ソ and 表 end in a backslash byte: a search never starts inside them.
    Row sword;
    sword.element = 3;
    sword.rank = 2;
    sword.name = "ソード";
    sword.description = "表示ｶﾀｶﾅ";
    sword.sound = "Wind";
    sword.differsFromStock = true;
    const auto when = [](int element, int rank, int target, int character, const char* text,
                         bool changed = false, bool stock = false) {
        Conditions c;
        c.element = element;
        c.rank = rank;
        c.target = target;
        c.character = character;
        c.text = text;
        c.changedOnly = changed;
        c.stockDiffersOnly = stock;
        return c;
    };
    const struct {
        Conditions conditions;
        bool fire, sword;
    } cases[] = {
        {Conditions(), true, true},
        {when(0, ANY, ANY, ANY, ""), true, false},
        {when(3, ANY, ANY, ANY, ""), false, true},
        {when(5, ANY, ANY, ANY, ""), false, false},
        {when(ANY, 2, ANY, ANY, ""), false, true},
        {when(ANY, ANY, 2, ANY, ""), true, false},
        {when(ANY, ANY, 0, ANY, ""), false, true},
        {when(ANY, ANY, ANY, 0, ""), true, false},
        {when(ANY, ANY, ANY, ANY, "FIRE"), true, false},
        {when(ANY, ANY, ANY, ANY, "wInD"), false, true},
        {when(ANY, ANY, ANY, ANY, "焼"), true, false},
        {when(ANY, ANY, ANY, ANY, "ｶﾀ"), false, true},
        {when(ANY, ANY, ANY, ANY, "\\"), false, false},
        {when(ANY, ANY, ANY, ANY, "ド"), false, true},
        {when(ANY, ANY, ANY, ANY, "", true), true, false},
        {when(ANY, ANY, ANY, ANY, "", false, true), false, true},
        {when(0, 1, 2, 0, "矢", true), true, false},
        {when(0, ANY, ANY, ANY, "wind"), false, false},
        {when(ANY, ANY, ANY, ANY, "", true, true), false, false},
        {when(3, 2, 0, ANY, "表", false, true), false, true},
        {when(3, 2, 0, 0, "表"), false, false},
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        EXPECT_EQ(matches(cases[i].conditions, fire), cases[i].fire) << i;
        EXPECT_EQ(matches(cases[i].conditions, sword), cases[i].sword) << i;
        EXPECT_EQ(cases[i].conditions.isEmpty(), i == 0) << i;
    }

    // A document: spell 0 (levels 1 and 2, element 1) and spell 1 (element 2).
    // A name given to one level reaches its sibling: both hold the text and
    // both are changed rows; without characters no row is anyone's.
    RZEditData document;
    for (const int spell : {0, 0, 1}) {
        ZDMagic record;
        record.setIndex(spell);
        record.setLevel(document.count() == 1 ? 2 : 1);
        record.setElement(spell + 1);
        record.setName("呪文");
        document.append(std::make_unique<RZMagic>(record));
    }
    RZMagic* first = document.entryAt(0);
    RZSpellValues values = first->values();
    RZSpellFields::setText(values, RZSpellFields::FIELD_NAME, "新しい呪文");
    first->setValues(values);
    document.shareSpellFields(first, RZEditData::shareField(RZSpellFields::FIELD_NAME));
    EXPECT_EQ(select(document, when(ANY, ANY, ANY, ANY, "新しい")),
              (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(select(document, when(ANY, ANY, ANY, ANY, "", true)),
              (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(select(document, when(2, ANY, ANY, ANY, "呪文")), (std::vector<std::uint32_t>{2}));
    EXPECT_TRUE(select(document, when(ANY, ANY, ANY, 0, "")).empty());
    EXPECT_TRUE(holdsText(*document.entryAt(1), "い呪"));
}
