// The record display and the list listeners through the real window: moving
// through the list, typing and picking into the form, reverting, sorting, the
// listener guard and an empty refill.
#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZImageView.h"
#include "app/views/RZListViewEvent.h"
#include "app/views/RZListViewEvent2.h"
#include "app/views/RZWindow.h"
#include "tests/app/views/EditorHarness.h"
#include "support/HFile.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HListView.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace editortest;

namespace {

class RZDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(setGameDirectory(sharedGame()));
        editor = new Editor();
        editor->command(editor->dataSetId("SetA"));
        ASSERT_EQ(editor->rowCount(101), 81);
    }
    void TearDown() override { delete editor; }
    RZMagic* entry(int i) { return editor->document()->entryAt(static_cast<std::uint32_t>(i)); }
    RZMagic* rowEntry(int row) {
        return reinterpret_cast<RZMagic*>(
            static_cast<HListView*>(editor->control(101))->getItemParam(row, 0));
    }
    // Clicks the column until its direction is the one wanted.
    void sortBy(int column, int direction) {
        for (int i = 0; i < 3; ++i) {
            editor->clickColumn(101, column);
            if (RZListViewEvent::directions()[static_cast<size_t>(column)] == direction) {
                return;
            }
        }
        FAIL() << "column " << column << " never reached " << direction;
    }
    Editor* editor = nullptr;
};

} // namespace

TEST_F(RZDisplayTest, NavigationWrapsAndRewritesTheRowLeft) {
    Editor& e = *editor;
    EXPECT_EQ(e.selectedRow(), 0);
    e.command(102); // previous from the first row: the last
    EXPECT_EQ(e.selectedRow(), 80);
    EXPECT_EQ(e.document()->shownEntry(), entry(80));
    e.command(103); // next from the last: the first
    EXPECT_EQ(e.selectedRow(), 0);
    e.command(146);
    EXPECT_EQ(e.selectedRow(), 1);
    e.command(145);
    EXPECT_EQ(e.selectedRow(), 0);
    e.command(148);
    EXPECT_EQ(e.selectedRow(), 80);
    e.command(147);
    EXPECT_EQ(e.selectedRow(), 0);

    // The name changes in every level at once; the list follows when the row is left.
    e.type(106, "新しい炎");
    EXPECT_EQ(entry(1)->getName(), "新しい炎");
    EXPECT_EQ(entry(2)->getName(), "新しい炎");
    EXPECT_EQ(e.cell(101, 0, 1), "呪文00-1");
    e.command(103);
    EXPECT_EQ(e.cell(101, 0, 1), "新しい炎");
    EXPECT_EQ(e.cell(101, 1, 1), "新しい炎");
    EXPECT_EQ(e.cell(101, 2, 1), "新しい炎");
    EXPECT_EQ(e.control(106)->getText(), "新しい炎");
    EXPECT_EQ(e.control(108)->getText(), "2");

    // Direct calls: nothing happens without a window or with a bad direction.
    RZDisplay display;
    EXPECT_FALSE(display.moveSelection(nullptr, 1));
    EXPECT_FALSE(display.moveSelection(e.window, 7));
    EXPECT_EQ(e.selectedRow(), 1);
    EXPECT_EQ(RZOP0006(nullptr), 0);
}

TEST_F(RZDisplayTest, FieldEditsStoreAtOnceAndSharedFieldsReachEveryLevel) {
    Editor& e = *editor;
    testsupport::LogTail log;
    e.selectRow(1);                              // spell 0, level 2
    EXPECT_FALSE(log.contains("RZOP0010 開始")); // refilling the form stores nothing
    e.type(116, "1x2");
    EXPECT_EQ(entry(1)->getCost(), 12);
    EXPECT_EQ(entry(0)->getCost(), spellLines(1)[0].numbers[0]);
    EXPECT_TRUE(log.contains("RZOP0010 開始"));
    e.type(116, "");
    EXPECT_EQ(entry(1)->getCost(), 0);
    e.type(118, "9");
    e.type(120, "3");
    e.type(122, "77");
    EXPECT_EQ(entry(1)->getRange(), 9);
    EXPECT_EQ(entry(1)->getArea(), 3);
    EXPECT_EQ(entry(1)->getEfficiency(), 77);
    e.type(124, "新しい説明");
    e.type(126, "newsnd");
    e.pickTarget(2); // 味方
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entry(i)->getDescription(), "新しい説明");
        EXPECT_EQ(entry(i)->getSound(), "newsnd");
        EXPECT_EQ(entry(i)->getTarget(), 1);
    }
    EXPECT_NE(entry(3)->getSound(), "newsnd");

    // Typing the loaded values back makes the spell unchanged again.
    std::vector<SpellLine> lines = spellLines(1);
    char number[16];
    wsprintfA(number, "%d", lines[0].numbers[4]);
    e.type(116, number);
    wsprintfA(number, "%d", lines[0].numbers[5]);
    e.type(118, number);
    wsprintfA(number, "%d", lines[0].numbers[6]);
    e.type(120, number);
    wsprintfA(number, "%d", lines[0].numbers[7]);
    e.type(122, number);
    e.type(124, lines[0].description);
    e.type(126, "asnd00");
    e.pickTarget(lines[0].target + 1);
    EXPECT_FALSE(e.document()->hasChanged());

    // A read-only box stores nothing.
    RZDisplay display;
    EXPECT_FALSE(display.storeEntry(e.window, e.control(108), e.document()));
    EXPECT_TRUE(display.storeEntry(e.window, e.control(106), e.document()));
}

TEST_F(RZDisplayTest, ATargetOutsideTheTableSelectsTheLastItem) {
    Editor& e = *editor;
    entry(0)->setTarget(3);
    RZOP0003(e.window);
    HDropDown<int>* target = static_cast<HDropDown<int>*>(e.control(114));
    EXPECT_EQ(target->getItemCount(), 4);
    EXPECT_EQ(target->getItemText(0), "");
    EXPECT_EQ(target->getItemText(3), "敵");
    EXPECT_EQ(target->getSelectedIndex(), 3);
    entry(0)->setTarget(-1);
    RZOP0003(e.window);
    EXPECT_EQ(target->getSelectedIndex(), 0);
}

TEST_F(RZDisplayTest, FocusingAFieldSelectsItsText) {
    Editor& e = *editor;
    HWND cost = e.controlHandle(116);
    SetFocus(cost);
    pump(5);
    DWORD start = 0, end = 0;
    SendMessageA(cost, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(cost)));
    EXPECT_GT(end, 0u);
    // Browsing on from the field leaves the new value selected too.
    e.command(146);
    SendMessageA(cost, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(cost)));
}

TEST_F(RZDisplayTest, RevertRestoresTheSpellOnEveryLevelAndForgetsChosenFiles) {
    Editor& e = *editor;
    e.selectRow(0);
    e.type(116, "999");
    e.selectRow(1);
    e.type(106, "変えた名前");
    e.type(126, "other");
    entry(1)->setPictureReplacement(HFile(sharedGame() + "\\Default\\Picture\\MAGIC5.BMP"));
    entry(0)->setPictureReplacement(HFile(sharedGame() + "\\Default\\Picture\\MAGIC5.BMP"));
    entry(2)->setSoundReplacement(HFile("Z:\\somewhere\\other.wav"));
    e.command(104);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entry(i)->getName(), "呪文00-1");
        EXPECT_EQ(entry(i)->getSound(), "asnd00");
        EXPECT_TRUE(entry(i)->getPictureReplacement().isEmpty());
        EXPECT_TRUE(entry(i)->getSoundReplacement().isEmpty());
    }
    EXPECT_EQ(entry(0)->getCost(), 999); // level 1's own number stays changed
    EXPECT_EQ(e.control(106)->getText(), "呪文00-1");
    EXPECT_EQ(e.control(126)->getText(), "asnd00");
    e.command(150);
    EXPECT_EQ(entry(0)->getCost(), 999);
    e.selectRow(0);
    e.command(150);
    EXPECT_EQ(entry(0)->getCost(), spellLines(1)[0].numbers[0]);
    EXPECT_FALSE(e.document()->hasChanged());
}

TEST_F(RZDisplayTest, SortingByValueBothWaysAndRowsKeepTheirEntries) {
    Editor& e = *editor;
    struct Column {
        int column;
        int (*value)(const RZMagic*);
    };
    const Column numeric[] = {
        {0, [](const RZMagic* m) { return m->getRow(); }},
        {2, [](const RZMagic* m) { return m->getLevel(); }},
        {3, [](const RZMagic* m) { return m->getElement(); }},
        {4, [](const RZMagic* m) { return m->getRank(); }},
        {5, [](const RZMagic* m) { return m->getTarget(); }},
        {6, [](const RZMagic* m) { return m->getCost(); }},
        {7, [](const RZMagic* m) { return m->getRange(); }},
        {8, [](const RZMagic* m) { return m->getArea(); }},
        {9, [](const RZMagic* m) { return m->getEfficiency(); }},
    };
    for (const Column& c : numeric) {
        for (int direction : {1, -1}) {
            SCOPED_TRACE(c.column * 10 + direction);
            sortBy(c.column, direction);
            for (int row = 1; row < 81; ++row) {
                int a = c.value(rowEntry(row - 1));
                int b = c.value(rowEntry(row));
                EXPECT_TRUE(direction > 0 ? a <= b : a >= b) << row;
                // The row shows its own entry.
                EXPECT_EQ(e.cell(101, row, c.column),
                          RZDisplay::columnText(rowEntry(row), c.column));
            }
            for (size_t other = 0; other < RZListViewEvent::directions().size(); ++other) {
                if (static_cast<int>(other) != c.column) {
                    EXPECT_EQ(RZListViewEvent::directions()[other], 0);
                }
            }
        }
    }
    // Costs over 99 sort after 99 (by value, not by text).
    sortBy(6, 1);
    EXPECT_GE(rowEntry(80)->getCost(), 100);
    for (int column : {1, 10, 11}) {
        for (int direction : {1, -1}) {
            sortBy(column, direction);
            for (int row = 1; row < 81; ++row) {
                std::string a = RZDisplay::columnText(rowEntry(row - 1), column);
                std::string b = RZDisplay::columnText(rowEntry(row), column);
                EXPECT_TRUE(direction > 0 ? a <= b : a >= b) << column << " " << row;
            }
        }
    }
    // Selecting and editing after a sort works on the row's own entry.
    sortBy(6, -1);
    RZMagic* top = rowEntry(0);
    e.selectRow(0);
    EXPECT_EQ(e.document()->shownEntry(), top);
    e.type(118, "8");
    EXPECT_EQ(top->getRange(), 8);
    e.selectRow(1);
    EXPECT_EQ(e.cell(101, 0, 7), "8");
    // The order of the document never changes.
    for (int i = 0; i < 81; ++i) {
        EXPECT_EQ(entry(i)->getRow(), i + 1);
    }
    // The directions survive a refill: the next click reverses the last sort.
    RZOP0014(e.window);
    e.selectRow(0);
    RZOP0014(e.window);
    e.command(e.dataSetId("SetA"));
    EXPECT_EQ(rowEntry(0), entry(0));
    e.clickColumn(101, 6);
    EXPECT_EQ(RZListViewEvent::directions()[6], 1);
}

TEST_F(RZDisplayTest, TheCharacterListSortsByItsTexts) {
    Editor& e = *editor;
    ASSERT_EQ(e.rowCount(133), 3);
    auto names = [&] {
        return e.cell(133, 0, 0) + "," + e.cell(133, 1, 0) + "," + e.cell(133, 2, 0);
    };
    // The directions are kept across refills: click until this one ascends.
    e.clickColumn(133, 0);
    if (RZListViewEvent2::directions()[0] != 1) {
        e.clickColumn(133, 0);
    }
    EXPECT_EQ(names(), "アリス,カイ,ボブ");
    e.clickColumn(133, 0);
    EXPECT_EQ(names(), "ボブ,カイ,アリス");
    e.clickColumn(133, 1); // C, D, S
    EXPECT_EQ(names(), "ボブ,カイ,アリス");
    e.clickColumn(133, 1);
    EXPECT_EQ(names(), "アリス,カイ,ボブ");
    EXPECT_EQ(e.cell(133, 0, 1), "S");
    e.clickColumn(133, 0);
    EXPECT_EQ(names(), "アリス,カイ,ボブ");
}

TEST_F(RZDisplayTest, TheCharacterListStopsAfter1001Rows) {
    Editor& e = *editor;
    // 2000 more characters, every one able to use every spell level.
    std::vector<std::string> names;
    std::vector<std::vector<int>> aptitudes;
    for (int i = 0; i < 2000; ++i) {
        names.push_back("chara" + std::to_string(i));
        aptitudes.push_back({5, 5, 5, 5, 5, 5});
    }
    std::string dir = testsupport::makeScratchDir("manycharacters");
    ASSERT_TRUE(testsupport::writeFile(dir + "\\CharacterData", characterData(names, aptitudes)));
    ASSERT_TRUE(e.document()->characters()->readFile(HFile(dir + "\\CharacterData")));
    ASSERT_GT(e.document()->characters()->count(), 2000u);

    e.selectRow(1);
    ASSERT_EQ(e.rowCount(133), 1001);
    HListView* characters = static_cast<HListView*>(e.control(133));
    // Rows keep their insertion number as parameter; the last one is number 1000.
    EXPECT_EQ(characters->getItemParam(1000, 0), 1000);
    EXPECT_EQ(e.cell(133, 1000, 1), "S");
    // Another level refills the list, still no more than 1001 rows.
    e.selectRow(0);
    EXPECT_EQ(e.rowCount(133), 1001);
}

// Opening another data set of the same size rewrites the rows in place: every
// cell and row parameter ends as a fresh fill leaves them (document order, even
// after a sort), and the first row is selected and shown in the form. A table
// of another size refills the list.
TEST_F(RZDisplayTest, OpeningAnotherDataSetShowsItInFull) {
    Editor& e = *editor;
    HDropDown<int>* target = static_cast<HDropDown<int>*>(e.control(114));
    const int targets = target->getItemCount();
    auto expectShown = [&](const char* name) {
        SCOPED_TRACE(name);
        ASSERT_EQ(e.rowCount(101), static_cast<int>(e.document()->count()));
        for (int row = 0; row < e.rowCount(101); ++row) {
            EXPECT_EQ(rowEntry(row), entry(row)) << row;
            for (int column = 0; column < 12; ++column) {
                EXPECT_EQ(e.cell(101, row, column), RZDisplay::columnText(entry(row), column))
                    << row << " " << column;
            }
        }
        EXPECT_EQ(e.selectedRow(), 0);
        EXPECT_EQ(e.document()->shownEntry(), entry(0));
        EXPECT_EQ(e.control(106)->getText(), entry(0)->getName());
        EXPECT_EQ(e.control(124)->getText(), entry(0)->getDescription());
        EXPECT_EQ(target->getItemCount(), targets);
        EXPECT_EQ(target->getSelectedValue(), entry(0)->getTarget());
    };
    sortBy(6, -1);
    e.selectRow(5);
    e.command(e.dataSetId("SetB"));
    ASSERT_EQ(e.rowCount(101), 81);
    expectShown("SetB");
    sortBy(1, 1);
    e.command(e.dataSetId("SetA"));
    expectShown("SetA");

    std::string dir = testsupport::makeScratchDir("shorttable");
    std::vector<SpellLine> lines = spellLines(3);
    lines.resize(10);
    ASSERT_TRUE(testsupport::writeFile(dir + "\\MagicTable", magicTableText(lines)));
    Answerer answers;
    answers.push(IDOK, dir + "\\MagicTable");
    e.command(137);
    EXPECT_LT(e.rowCount(101), 81);
    expectShown("short table");
}

TEST_F(RZDisplayTest, AnEmptyRefillClearsTheForm) {
    Editor& e = *editor;
    std::string dir = testsupport::makeScratchDir("emptytable");
    testsupport::writeFile(dir + "\\MagicTable", "");
    Answerer answers;
    answers.push(IDOK, dir + "\\MagicTable");
    e.command(137);
    EXPECT_EQ(answers.seen.size(), 1u);
    EXPECT_EQ(e.document()->count(), 0u);
    EXPECT_EQ(e.rowCount(101), 0);
    EXPECT_EQ(e.document()->shownEntry(), nullptr);
    const int edits[] = {106, 108, 110, 112, 116, 118, 120, 122, 124, 126};
    for (int id : edits) {
        EXPECT_EQ(e.control(id)->getText(), "") << id;
    }
    EXPECT_EQ(e.rowCount(133), 0);
    EXPECT_EQ(e.control(131)->getUserObject(), nullptr);
    // Nothing to move to, nothing to revert.
    e.command(103);
    EXPECT_EQ(e.selectedRow(), -1);
    EXPECT_FALSE(RZOP0014(e.window));
}

TEST_F(RZDisplayTest, EveryCommandReachesItsOperation) {
    Editor& e = *editor;
    // Without a shown entry the sound and picture choosers open nothing.
    e.document()->setShownEntry(nullptr);
    const struct {
        int id;
        const char* operation;
    } routes[] = {{102, "RZOP0006"}, {145, "RZOP0006"}, {103, "RZOP0007"}, {146, "RZOP0007"},
                  {147, "RZOP0008"}, {148, "RZOP0009"}, {104, "RZOP0014"}, {150, "RZOP0014"},
                  {127, "RZOP0012"}, {128, "RZOP0004"}, {130, "RZOP0013"}, {203, "RZOP0020"},
                  {139, "RZOP0002"}, {600, "RZOP0002"}, {138, "RZOP0017"}};
    for (const auto& route : routes) {
        e.document()->setShownEntry(nullptr);
        testsupport::LogTail log;
        e.command(route.id);
        EXPECT_TRUE(log.contains(std::string(route.operation) + " 開始")) << route.id;
        EXPECT_TRUE(log.contains("[RZ]onCommand")) << route.id;
    }
    EXPECT_TRUE(e.alive());
}
