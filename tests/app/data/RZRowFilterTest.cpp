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
    // element, rank, target, name, description, sound, changed, differs from
    // stock, usable by the character. ソ and 表 end in a backslash byte: a
    // search never starts inside them.
    const Row fire{0, 1, 2, "炎の矢", "敵を焼く", "fire01", true, false, true};
    const Row sword{3, 2, 0, "ソード", "表示ｶﾀｶﾅ", "Wind", false, true, false};
    // element, rank, target, character, text, changed only, differs from stock only
    const struct {
        Conditions conditions;
        bool fire, sword;
    } cases[] = {
        {{}, true, true},
        {{0, ANY, ANY, ANY, ""}, true, false},
        {{3, ANY, ANY, ANY, ""}, false, true},
        {{5, ANY, ANY, ANY, ""}, false, false},
        {{ANY, 2, ANY, ANY, ""}, false, true},
        {{ANY, ANY, 2, ANY, ""}, true, false},
        {{ANY, ANY, 0, ANY, ""}, false, true},
        {{ANY, ANY, ANY, 0, ""}, true, false},
        {{ANY, ANY, ANY, ANY, "FIRE"}, true, false},
        {{ANY, ANY, ANY, ANY, "wInD"}, false, true},
        {{ANY, ANY, ANY, ANY, "焼"}, true, false},
        {{ANY, ANY, ANY, ANY, "ｶﾀ"}, false, true},
        {{ANY, ANY, ANY, ANY, "\\"}, false, false},
        {{ANY, ANY, ANY, ANY, "ド"}, false, true},
        {{ANY, ANY, ANY, ANY, "", true}, true, false},
        {{ANY, ANY, ANY, ANY, "", false, true}, false, true},
        {{0, 1, 2, 0, "矢", true}, true, false},
        {{0, ANY, ANY, ANY, "wind"}, false, false},
        {{ANY, ANY, ANY, ANY, "", true, true}, false, false},
        {{3, 2, 0, ANY, "表", false, true}, false, true},
        {{3, 2, 0, 0, "表"}, false, false},
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
    EXPECT_EQ(select(document, {ANY, ANY, ANY, ANY, "新しい"}), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(select(document, {ANY, ANY, ANY, ANY, "", true}), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(select(document, {2, ANY, ANY, ANY, "呪文"}), (std::vector<std::uint32_t>{2}));
    EXPECT_TRUE(select(document, {ANY, ANY, ANY, 0, ""}).empty());
    EXPECT_TRUE(holdsText(*document.entryAt(1), "い呪"));
}
