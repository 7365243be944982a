// The record display and the list listeners through the real window: moving
// through the list, typing and picking into the form, reverting, sorting, the
// listener guard and an empty refill.
#include "app/data/RZSpellFields.h"
#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
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

using RZSpellFields::listColumnOf;

using namespace editortest;

namespace {

// The target drop-down's items, in order.
const std::vector<std::string> TARGETS = {"", "地形", "味方", "敵"};

class RZDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(setGameDirectory(sharedGame()));
        editor = new Editor();
        editor->command(editor->dataSetId("SetA"));
        ASSERT_EQ(editor->rowCount(IDC_SPELL_LIST), 81);
    }
    void TearDown() override { delete editor; }
    RZMagic* entry(int i) { return editor->document()->entryAt(static_cast<std::uint32_t>(i)); }
    RZMagic* rowEntry(int row) {
        return reinterpret_cast<RZMagic*>(
            static_cast<HListView*>(editor->control(IDC_SPELL_LIST))->getItemParam(row, 0));
    }
    // Clicks the column until its direction is the one wanted.
    void sortBy(int column, int direction) {
        for (int i = 0; i < 3; ++i) {
            editor->clickColumn(IDC_SPELL_LIST, column);
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
    e.command(IDC_PREVIOUS); // previous from the first row: the last
    EXPECT_EQ(e.selectedRow(), 80);
    EXPECT_EQ(e.document()->shownEntry(), entry(80));
    e.command(IDC_NEXT); // next from the last: the first
    EXPECT_EQ(e.selectedRow(), 0);
    e.command(IDM_NEXT);
    EXPECT_EQ(e.selectedRow(), 1);
    e.command(IDM_PREVIOUS);
    EXPECT_EQ(e.selectedRow(), 0);
    e.command(IDM_LAST);
    EXPECT_EQ(e.selectedRow(), 80);
    e.command(IDM_FIRST);
    EXPECT_EQ(e.selectedRow(), 0);

    // The name changes in every level at once; the list follows when the row is
    // left, every level's row coloured as changed.
    e.type(IDC_NAME, "新しい炎");
    EXPECT_EQ(entry(1)->getName(), "新しい炎");
    EXPECT_EQ(entry(2)->getName(), "新しい炎");
    EXPECT_EQ(e.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_NAME)), "呪文00-1");
    e.command(IDC_NEXT);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(e.cell(IDC_SPELL_LIST, row, listColumnOf(RZSpellFields::FIELD_NAME)), "新しい炎");
        EXPECT_EQ(e.rowColour(row), RGB(255, 255, 192)) << row;
    }
    EXPECT_EQ(e.rowColour(3), RGB(255, 255, 255));
    EXPECT_EQ(e.control(IDC_NAME)->getText(), "新しい炎");
    EXPECT_EQ(e.control(IDC_LEVEL)->getText(), "2");

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
    e.type(IDC_COST, "1x2");
    EXPECT_EQ(entry(1)->getCost(), 12);
    EXPECT_EQ(entry(0)->getCost(), spellLines(1)[0].numbers[0]);
    EXPECT_TRUE(log.contains("RZOP0010 開始"));
    e.type(IDC_COST, "");
    EXPECT_EQ(entry(1)->getCost(), 0);
    e.type(IDC_RANGE, "9");
    e.type(IDC_AREA, "3");
    e.type(IDC_EFFICIENCY, "77");
    EXPECT_EQ(entry(1)->getRange(), 9);
    EXPECT_EQ(entry(1)->getArea(), 3);
    EXPECT_EQ(entry(1)->getEfficiency(), 77);
    e.type(IDC_DESCRIPTION, "新しい説明");
    e.type(IDC_SOUND, "newsnd");
    e.pickTarget("敵"); // spell 0 was 味方
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entry(i)->getDescription(), "新しい説明");
        EXPECT_EQ(entry(i)->getSound(), "newsnd");
        EXPECT_EQ(entry(i)->getTarget(), 2);
    }
    EXPECT_NE(entry(3)->getSound(), "newsnd");
    // Leaving the row rewrites the shared columns on every level's row.
    e.selectRow(3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(e.cell(IDC_SPELL_LIST, row, listColumnOf(RZSpellFields::FIELD_TARGET)), "敵");
        EXPECT_EQ(e.cell(IDC_SPELL_LIST, row, listColumnOf(RZSpellFields::FIELD_DESCRIPTION)),
                  "新しい説明");
        EXPECT_EQ(e.cell(IDC_SPELL_LIST, row, listColumnOf(RZSpellFields::FIELD_SOUND)), "newsnd");
    }
    e.selectRow(1);

    // Typing the loaded values back makes the spell unchanged again.
    std::vector<SpellLine> lines = spellLines(1);
    e.type(IDC_COST, std::to_string(lines[0].numbers[4]));
    e.type(IDC_RANGE, std::to_string(lines[0].numbers[5]));
    e.type(IDC_AREA, std::to_string(lines[0].numbers[6]));
    e.type(IDC_EFFICIENCY, std::to_string(lines[0].numbers[7]));
    e.type(IDC_DESCRIPTION, lines[0].description);
    e.type(IDC_SOUND, "asnd00");
    e.pickTarget(TARGETS[lines[0].target + 1]);
    EXPECT_FALSE(e.document()->hasChanged());

    // A read-only box stores nothing.
    RZDisplay display;
    EXPECT_FALSE(display.storeEntry(e.window, e.control(IDC_LEVEL), e.document()));
    EXPECT_TRUE(display.storeEntry(e.window, e.control(IDC_NAME), e.document()));
}

TEST_F(RZDisplayTest, ATargetOutsideTheTableSelectsTheLastItem) {
    Editor& e = *editor;
    entry(0)->setTarget(3);
    RZOP0003(e.window);
    HDropDown<int>* target = static_cast<HDropDown<int>*>(e.control(IDC_TARGET));
    EXPECT_EQ(target->getItemCount(), 4);
    EXPECT_EQ(target->getItemText(0), "");
    EXPECT_EQ(target->getItemText(3), "敵");
    EXPECT_EQ(testsupport::comboTexts(e.controlHandle(IDC_TARGET)), TARGETS);
    EXPECT_EQ(target->getSelectedIndex(), 3);
    entry(0)->setTarget(-1);
    RZOP0003(e.window);
    EXPECT_EQ(target->getSelectedIndex(), 0);
}

TEST_F(RZDisplayTest, FocusingAFieldSelectsItsText) {
    Editor& e = *editor;
    HWND cost = e.controlHandle(IDC_COST);
    SetFocus(cost);
    pump(5);
    DWORD start = 0, end = 0;
    SendMessageA(cost, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(cost)));
    EXPECT_GT(end, 0u);
    // Browsing on from the field leaves the new value selected too.
    e.command(IDM_NEXT);
    SendMessageA(cost, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(cost)));
}

TEST_F(RZDisplayTest, BrowsingLeavesEveryBoxAsSettingItsTextDoes) {
    Editor& e = *editor;
    e.selectRow(0);
    // Typed into and scrolled, then left: the next level shares the text.
    HWND description = e.controlHandle(IDC_DESCRIPTION);
    SetFocus(description);
    const std::string typed =
        "長い説明をここに打ち込んで箱の幅より先まで続けておく。まだ続けて、さらに先まで書いておく";
    SendMessageA(description, EM_SETSEL, 0, -1);
    SendMessageA(description, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
    SetFocus(e.controlHandle(IDC_SPELL_LIST));
    pump(5);
    ASSERT_TRUE(SendMessageA(description, EM_CANUNDO, 0, 0));
    ASSERT_GT(SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    e.selectRow(1);
    for (int id : {IDC_NAME, IDC_DESCRIPTION, IDC_COST}) {
        SCOPED_TRACE(id);
        HWND box = e.controlHandle(id);
        DWORD start = 1, end = 1;
        SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 0u);
        EXPECT_EQ(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        EXPECT_FALSE(SendMessageA(box, EM_CANUNDO, 0, 0));
        EXPECT_FALSE(SendMessageA(box, EM_GETMODIFY, 0, 0));
    }
    EXPECT_EQ(e.control(IDC_DESCRIPTION)->getText(), typed);
    EXPECT_EQ(e.control(IDC_NAME)->getText(), entry(1)->getName());
    EXPECT_EQ(e.control(IDC_COST)->getText(), std::to_string(entry(1)->getCost()));
}

TEST_F(RZDisplayTest, RevertRestoresTheSpellOnEveryLevelAndForgetsChosenFiles) {
    Editor& e = *editor;
    e.selectRow(0);
    e.type(IDC_COST, "999");
    e.selectRow(1);
    e.type(IDC_NAME, "変えた名前");
    e.type(IDC_SOUND, "other");
    entry(1)->setPictureReplacement(HFile(sharedGame() + "\\Default\\Picture\\MAGIC5.BMP"));
    entry(0)->setPictureReplacement(HFile(sharedGame() + "\\Default\\Picture\\MAGIC5.BMP"));
    entry(2)->setSoundReplacement(HFile("Z:\\somewhere\\other.wav"));
    e.command(IDC_REVERT);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entry(i)->getName(), "呪文00-1");
        EXPECT_EQ(entry(i)->getSound(), "asnd00");
        EXPECT_TRUE(entry(i)->getPictureReplacement().isEmpty());
        EXPECT_TRUE(entry(i)->getSoundReplacement().isEmpty());
    }
    EXPECT_EQ(entry(0)->getCost(), 999); // level 1's own number stays changed
    EXPECT_EQ(e.control(IDC_NAME)->getText(), "呪文00-1");
    EXPECT_EQ(e.control(IDC_SOUND)->getText(), "asnd00");
    e.command(IDM_REVERT);
    EXPECT_EQ(entry(0)->getCost(), 999);
    e.selectRow(0);
    e.command(IDM_REVERT);
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
        {listColumnOf(RZSpellFields::KEY_ROW), [](const RZMagic* m) { return m->getRow(); }},
        {listColumnOf(RZSpellFields::KEY_LEVEL), [](const RZMagic* m) { return m->getLevel(); }},
        {listColumnOf(RZSpellFields::KEY_ELEMENT),
         [](const RZMagic* m) { return m->getElement(); }},
        {listColumnOf(RZSpellFields::KEY_RANK), [](const RZMagic* m) { return m->getRank(); }},
        {listColumnOf(RZSpellFields::FIELD_TARGET),
         [](const RZMagic* m) { return m->getTarget(); }},
        {listColumnOf(RZSpellFields::FIELD_COST), [](const RZMagic* m) { return m->getCost(); }},
        {listColumnOf(RZSpellFields::FIELD_RANGE), [](const RZMagic* m) { return m->getRange(); }},
        {listColumnOf(RZSpellFields::FIELD_AREA), [](const RZMagic* m) { return m->getArea(); }},
        {listColumnOf(RZSpellFields::FIELD_EFFICIENCY),
         [](const RZMagic* m) { return m->getEfficiency(); }},
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
                EXPECT_EQ(e.cell(IDC_SPELL_LIST, row, c.column),
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
    sortBy(listColumnOf(RZSpellFields::FIELD_COST), 1);
    EXPECT_GE(rowEntry(80)->getCost(), 100);
    for (int column :
         {listColumnOf(RZSpellFields::FIELD_NAME), listColumnOf(RZSpellFields::FIELD_DESCRIPTION),
          listColumnOf(RZSpellFields::FIELD_SOUND)}) {
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
    e.type(IDC_RANGE, "8");
    EXPECT_EQ(top->getRange(), 8);
    e.selectRow(1);
    EXPECT_EQ(e.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_RANGE)), "8");
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
    e.clickColumn(IDC_SPELL_LIST, listColumnOf(RZSpellFields::FIELD_COST));
    EXPECT_EQ(RZListViewEvent::directions()[6], 1);
}

TEST_F(RZDisplayTest, TheCharacterListSortsByItsTexts) {
    Editor& e = *editor;
    ASSERT_EQ(e.rowCount(IDC_CHARACTERS), 3);
    auto names = [&] {
        return e.cell(IDC_CHARACTERS, 0, 0) + "," + e.cell(IDC_CHARACTERS, 1, 0) + "," +
               e.cell(IDC_CHARACTERS, 2, 0);
    };
    // The directions are kept across refills: click until this one ascends.
    e.clickColumn(IDC_CHARACTERS, 0);
    if (RZListViewEvent2::directions()[0] != 1) {
        e.clickColumn(IDC_CHARACTERS, 0);
    }
    EXPECT_EQ(names(), "アリス,カイ,ボブ");
    e.clickColumn(IDC_CHARACTERS, 0);
    EXPECT_EQ(names(), "ボブ,カイ,アリス");
    e.clickColumn(IDC_CHARACTERS, 1); // C, D, S
    EXPECT_EQ(names(), "ボブ,カイ,アリス");
    e.clickColumn(IDC_CHARACTERS, 1);
    EXPECT_EQ(names(), "アリス,カイ,ボブ");
    EXPECT_EQ(e.cell(IDC_CHARACTERS, 0, 1), "S");
    e.clickColumn(IDC_CHARACTERS, 0);
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
    ASSERT_EQ(e.rowCount(IDC_CHARACTERS), 1001);
    HListView* characters = static_cast<HListView*>(e.control(IDC_CHARACTERS));
    // Rows keep their insertion number as parameter; the last one is number 1000.
    EXPECT_EQ(characters->getItemParam(1000, 0), 1000);
    EXPECT_EQ(e.cell(IDC_CHARACTERS, 1000, 1), "S");
    // Another level refills the list, still no more than 1001 rows.
    e.selectRow(0);
    EXPECT_EQ(e.rowCount(IDC_CHARACTERS), 1001);
}

// Opening another data set of the same size rewrites the rows in place: every
// cell and row parameter ends as a fresh fill leaves them (document order, even
// after a sort), and the first row is selected and shown in the form. A table
// of another size refills the list.
TEST_F(RZDisplayTest, OpeningAnotherDataSetShowsItInFull) {
    Editor& e = *editor;
    HDropDown<int>* target = static_cast<HDropDown<int>*>(e.control(IDC_TARGET));
    const int targets = target->getItemCount();
    auto expectShown = [&](const char* name) {
        SCOPED_TRACE(name);
        ASSERT_EQ(e.rowCount(IDC_SPELL_LIST), static_cast<int>(e.document()->count()));
        for (int row = 0; row < e.rowCount(IDC_SPELL_LIST); ++row) {
            EXPECT_EQ(rowEntry(row), entry(row)) << row;
            for (int column = listColumnOf(RZSpellFields::KEY_ROW);
                 column < RZSpellFields::LIST_COLUMN_COUNT; ++column) {
                EXPECT_EQ(e.cell(IDC_SPELL_LIST, row, column),
                          RZDisplay::columnText(entry(row), column))
                    << row << " " << column;
            }
        }
        EXPECT_EQ(e.selectedRow(), 0);
        EXPECT_EQ(e.document()->shownEntry(), entry(0));
        EXPECT_EQ(e.control(IDC_NAME)->getText(), entry(0)->getName());
        EXPECT_EQ(e.control(IDC_DESCRIPTION)->getText(), entry(0)->getDescription());
        EXPECT_EQ(target->getItemCount(), targets);
        EXPECT_EQ(target->getSelectedValue(), entry(0)->getTarget());
    };
    sortBy(6, -1);
    e.selectRow(5);
    e.command(e.dataSetId("SetB"));
    ASSERT_EQ(e.rowCount(IDC_SPELL_LIST), 81);
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
    e.command(IDM_OPEN);
    EXPECT_LT(e.rowCount(IDC_SPELL_LIST), 81);
    expectShown("short table");
}

TEST_F(RZDisplayTest, AnEmptyRefillClearsTheForm) {
    Editor& e = *editor;
    std::string dir = testsupport::makeScratchDir("emptytable");
    testsupport::writeFile(dir + "\\MagicTable", "");
    Answerer answers;
    answers.push(IDOK, dir + "\\MagicTable");
    e.command(IDM_OPEN);
    EXPECT_EQ(answers.seen.size(), 1u);
    EXPECT_EQ(e.document()->count(), 0u);
    EXPECT_EQ(e.rowCount(IDC_SPELL_LIST), 0);
    EXPECT_EQ(e.document()->shownEntry(), nullptr);
    const int edits[] = {IDC_NAME,  IDC_LEVEL, IDC_ELEMENT,    IDC_RANK,        IDC_COST,
                         IDC_RANGE, IDC_AREA,  IDC_EFFICIENCY, IDC_DESCRIPTION, IDC_SOUND};
    for (int id : edits) {
        EXPECT_EQ(e.control(id)->getText(), "") << id;
    }
    EXPECT_EQ(e.rowCount(IDC_CHARACTERS), 0);
    EXPECT_EQ(e.control(IDC_PICTURE)->getUserObject(), nullptr);
    // Nothing to move to, nothing to revert.
    e.command(IDC_NEXT);
    EXPECT_EQ(e.selectedRow(), -1);
    EXPECT_FALSE(RZOP0014(e.window));
}

TEST_F(RZDisplayTest, EveryCommandReachesItsOperation) {
    Editor& e = *editor;
    // Without a shown entry the sound and picture choosers open nothing.
    e.document()->setShownEntry(nullptr);
    // An id past the data sets of any test game: no item has it.
    const int STRAY_COMMAND = IDM_FIRST_DATA_SET + 98;
    const struct {
        int id;
        const char* operation;
    } routes[] = {{IDC_PREVIOUS, "RZOP0006"},
                  {IDM_PREVIOUS, "RZOP0006"},
                  {IDC_NEXT, "RZOP0007"},
                  {IDM_NEXT, "RZOP0007"},
                  {IDM_FIRST, "RZOP0008"},
                  {IDM_LAST, "RZOP0009"},
                  {IDC_REVERT, "RZOP0014"},
                  {IDM_REVERT, "RZOP0014"},
                  {IDC_SOUND_CHOOSE, "RZOP0012"},
                  {IDC_PLAY_TEST, "RZOP0004"},
                  {IDC_PICTURE_REPLACE, "RZOP0013"},
                  {IDC_ABOUT_OK, "RZOP0020"},
                  {IDM_FILE_SEPARATOR_1, "RZOP0002"},
                  {STRAY_COMMAND, "RZOP0002"},
                  {IDM_RELOAD, "RZOP0017"}};
    for (const auto& route : routes) {
        e.document()->setShownEntry(nullptr);
        testsupport::LogTail log;
        e.command(route.id);
        EXPECT_TRUE(log.contains(std::string(route.operation) + " 開始")) << route.id;
        EXPECT_TRUE(log.contains("[RZ]onCommand")) << route.id;
    }
    EXPECT_TRUE(e.alive());
}

// The list's refills and selection, given no window, no document or a window
// without the spell list (a dialog, say), change nothing and say so; given the
// editor's window and document they say they did their work.
TEST_F(RZDisplayTest, WithoutTheWindowOrTheDocumentTheListIsLeftAlone) {
    Editor& e = *editor;
    RZEditData* document = e.document();
    const RZMagic* second = entry(1);
    HWindow bare;
    RZDisplay display;
    std::string done;
    for (HComponent* window : {static_cast<HComponent*>(nullptr), static_cast<HComponent*>(&bare),
                               static_cast<HComponent*>(e.window)}) {
        for (RZEditData* given : {static_cast<RZEditData*>(nullptr), document}) {
            done += std::to_string(display.showShownRows(window, given)) +
                    std::to_string(display.refreshRows(window, given)) +
                    std::to_string(display.selectEntry(window, given, second)) +
                    std::to_string(display.showTable(window, given)) + " ";
        }
    }
    EXPECT_EQ(done, "0000 0000 0000 0000 0000 1111 ");
    EXPECT_EQ(e.rowCount(IDC_SPELL_LIST), 81);
    EXPECT_EQ(document->shownEntry(), second); // the table shown again keeps the selected row
}
