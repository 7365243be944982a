// The table check, the bulk change and each character's spells through the
// real window, its dialogs and real keys, checked against the rows shown, the
// bytes on disk and a model of the table.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "app/operations/RZOperations.h"
#include "support/HHandle.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace editortest;
using testsupport::comboSelection;
using testsupport::pressIn;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class ToolDialogsTest : public FreshGameTest {};

std::string number(int value) {
    return std::to_string(value);
}

// For each character, the rows of the open table where the usable-character
// list names it: the row's first five cells and the rank shown there.
std::map<std::string, Rows> usableRows(Editor& editor) {
    std::map<std::string, Rows> model;
    const Rows spells = testsupport::listTexts(editor.controlHandle(IDC_SPELL_LIST), 5);
    for (int r = 0; r < editor.rowCount(IDC_SPELL_LIST); ++r) {
        editor.selectRow(r);
        for (const std::vector<std::string>& user :
             testsupport::listTexts(editor.controlHandle(IDC_CHARACTERS), 2)) {
            std::vector<std::string> cells = spells[static_cast<size_t>(r)];
            cells.push_back(user[1]);
            model[user[0]].push_back(cells);
        }
    }
    return model;
}

} // namespace

TEST_F(ToolDialogsTest, TableCheckListsProblemsAndCopiesChosenSounds) {
    // SetA: a cost and a range out of range; every sound in the game's folder
    // but spell 3's; sounds chosen from elsewhere (one named with a 0x5C second
    // byte), one of them in the game's folder with other bytes, one with the
    // same bytes.
    std::vector<SpellLine> lines = spellLines(1);
    lines[10].numbers[0] = 12000;
    lines[10].numbers[5] = 100;
    ASSERT_TRUE(writeFile(game + "\\SetA\\Data\\MagicTable", magicTableText(lines)));
    const std::string sounds = game + "\\SetA\\Music&Sound\\";
    CreateDirectoryA(sounds.c_str(), nullptr);
    for (const std::string& name : soundNames("a")) {
        if (name != "asnd03") {
            writeFile(sounds + name + ".wav", "RIFF " + name);
        }
    }
    const std::string out = testsupport::makeScratchDir("chosen") + "\\";
    for (const char* name : {"炎表", "ice", "same"}) {
        writeFile(out + name + ".wav", std::string("RIFF new ") + name);
    }
    writeFile(sounds + "ice.wav", "RIFF old ice");
    writeFile(sounds + "same.wav", "RIFF new same");

    Answerer answers;
    Editor editor;
    editor.command(IDM_TABLE_CHECK); // before a table is open (greyed): no box, no list
    editor.command(editor.dataSetId("SetA"));
    const std::pair<int, const char*> chosen[] = {{5, "炎表"}, {7, "ice"}, {9, "same"}};
    for (const auto& spell : chosen) {
        editor.selectRow(rowOf(spell.first, 1));
        answers.push(IDOK, out + spell.second + ".wav");
        editor.command(IDC_SOUND_CHOOSE);
    }
    editor.selectRow(rowOf(12, 2));
    editor.type(IDC_NAME, "");
    const std::string state = tableState(editor.document());

    const auto row = [](int spell, int level, const char* name, const char* field,
                        const char* problem) {
        return std::vector<std::string>{number(rowOf(spell, level) + 1), name, "Lv" + number(level),
                                        field, problem};
    };
    const Rows after = {row(3, 1, "呪文03-1", "効果音", "効果音ファイルがありません"),
                        row(10, 1, "呪文10-1", "消費", "入力できる範囲(0～9999)の外です"),
                        row(10, 2, "呪文10-1", "射程", "入力できる範囲(0～99)の外です"),
                        row(12, 1, "", "名称", "名称がありません")};
    Rows before = after;
    before.insert(before.begin() + 1,
                  row(5, 1, "呪文05-1", "効果音", "効果音ファイルがゲームのフォルダにありません"));
    Rows shown[2];
    std::vector<std::string> headings;
    bool copyEnabled[2] = {};
    // The first press finds 炎表.wav held open: its copy fails and stops the others.
    HANDLE held = INVALID_HANDLE_VALUE;
    std::string iceAfterFailure;
    answers.push(IDOK);
    answers.push(IDYES);
    testsupport::DialogDriver check(
        testsupport::inTurn(
            {[&](HWND dialog) {
                 headings = testsupport::listHeadings(GetDlgItem(dialog, IDC_CHECK_LIST));
                 shown[0] = testsupport::listTexts(GetDlgItem(dialog, IDC_CHECK_LIST), 5);
                 copyEnabled[0] = IsWindowEnabled(GetDlgItem(dialog, IDC_CHECK_COPY));
                 held = CreateFileA((out + "炎表.wav").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
                 // Enter on the focused button presses it.
                 pressIn(dialog, IDC_CHECK_COPY, {VK_RETURN});
             },
             [&](HWND dialog) {
                 iceAfterFailure = readFile(sounds + "ice.wav");
                 CloseHandle(held);
                 pressIn(dialog, IDC_CHECK_COPY, {VK_RETURN});
             },
             [&](HWND dialog) {
                 shown[1] = testsupport::listTexts(GetDlgItem(dialog, IDC_CHECK_LIST), 5);
                 copyEnabled[1] = IsWindowEnabled(GetDlgItem(dialog, IDC_CHECK_COPY));
                 testsupport::focusListRow(dialog, GetDlgItem(dialog, IDC_CHECK_LIST), 2);
                 testsupport::pressKeys({VK_RETURN});
             }}),
        "RZTableCheckDialog");
    editor.command(IDM_TABLE_CHECK);
    EXPECT_EQ(check.handled(), 1);
    EXPECT_EQ(headings, (std::vector<std::string>{"行", "名称", "Lv", "項目", "問題"}));
    EXPECT_EQ(shown[0], before);
    EXPECT_TRUE(copyEnabled[0]);
    // The one file there with other bytes was asked about; the same bytes not.
    ASSERT_EQ(answers.seen.size(), 5u);
    expectBox(answers.seen[3], "表のチェック",
              "効果音ファイルをコピーできませんでした。\r\n" + sounds + "炎表.wav", MB_OK,
              IDI_WARNING);
    EXPECT_EQ(iceAfterFailure, "RIFF old ice");
    EXPECT_EQ(answers.seen[4].caption, "表のチェック");
    EXPECT_EQ(answers.seen[4].text, "ice.wav はすでにあります。上書きしますか？");
    EXPECT_TRUE(answers.seen[4].hasYes && answers.seen[4].hasNo && !answers.seen[4].hasCancel);
    for (const auto& spell : chosen) {
        EXPECT_EQ(readFile(sounds + spell.second + ".wav"),
                  std::string("RIFF new ") + spell.second);
    }
    EXPECT_EQ(shown[1], after);
    EXPECT_FALSE(copyEnabled[1]);
    EXPECT_EQ(editor.selectedRow(), rowOf(10, 2));
    EXPECT_EQ(tableState(editor.document()), state);

    // Nothing left: a box instead of the list.
    writeFile(game + "\\SetA\\Data\\MagicTable", magicTableText(spellLines(1)));
    writeFile(sounds + "asnd03.wav", "RIFF asnd03");
    answers.push(IDNO);
    editor.command(editor.dataSetId("SetA"));
    answers.push(IDOK);
    editor.command(IDM_TABLE_CHECK);
    ASSERT_EQ(answers.seen.size(), 7u);
    expectBox(answers.seen[6], "表のチェック", "問題は見つかりませんでした。", MB_OK,
              IDI_INFORMATION);

    // SetB, on the stock sounds, has no Music&Sound folder of its own: the copy
    // makes it, mends the last line, and the list closes with the box.
    for (const std::string& name : soundNames("")) {
        testsupport::writeFileAndFolders(game + "\\Default\\Music&Sound\\" + name + ".wav", "RIFF");
    }
    editor.command(editor.dataSetId("SetB"));
    editor.selectRow(rowOf(2, 1));
    answers.push(IDOK, out + "same.wav");
    editor.command(IDC_SOUND_CHOOSE);
    testsupport::DialogDriver copy(
        testsupport::inTurn({[](HWND dialog) { pressIn(dialog, IDC_CHECK_COPY, {VK_RETURN}); }}),
        "RZTableCheckDialog");
    answers.push(IDOK);
    editor.command(IDM_TABLE_CHECK);
    EXPECT_EQ(copy.handled(), 1);
    EXPECT_EQ(readFile(game + "\\SetB\\Music&Sound\\same.wav"), "RIFF new same");
    ASSERT_EQ(answers.seen.size(), 9u);
    expectBox(answers.seen[8], "表のチェック", "問題は見つかりませんでした。", MB_OK,
              IDI_INFORMATION);
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(ToolDialogsTest, BulkChangeSetsManyRowsInOneUndoStep) {
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    RZEditData* document = editor.document();
    const std::string loaded = tableState(document);
    const int selected = rowOf(8, 2);
    editor.selectRow(selected);

    // The model of the refusal: 効率 + 9990 passes 9999 where it is above 9.
    std::string refusal = "入力できる範囲(0～9999)を超える行があるため、変更していません。\r\n";
    for (int r = 0, listed = 0; r < editor.rowCount(IDC_SPELL_LIST) && listed < 10; ++r) {
        const RZMagic* entry = document->entryAt(r);
        if (entry->getEfficiency() > 9) {
            refusal += "\r\n" + number(r + 1) + "行目 " + entry->getName() + " Lv" +
                       number(entry->getLevel()) + ": " + number(entry->getEfficiency() + 9990);
            ++listed;
        }
    }
    // 項目, 操作 and 対象 chosen by their texts, and 値; Enter from 対象.
    const int lists[] = {IDC_BULK_FIELD, IDC_BULK_OPERATION, IDC_BULK_TARGET};
    const auto choose = [&lists](HWND dialog, std::vector<const char*> texts, const char* value) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_TRUE(testsupport::selectComboText(GetDlgItem(dialog, lists[i]), texts[i]));
        }
        SetDlgItemTextA(dialog, IDC_BULK_VALUE, value);
        pressIn(dialog, IDC_BULK_TARGET, {VK_RETURN});
    };
    Rows items;
    bool valueFocused = false;
    for (int box = 0; box < 4; ++box) {
        answers.push(IDOK);
    }
    testsupport::DialogDriver bulk(
        testsupport::inTurn(
            {[&](HWND dialog) {
                 for (int id : lists) {
                     items.push_back(testsupport::comboTexts(GetDlgItem(dialog, id)));
                 }
                 choose(dialog, {"効率", "次の値を足す", "すべての行"}, "9990");
             },
             [&](HWND dialog) {
                 choose(dialog, {"効率", "次の値を足す", "すべての行"}, "1x");
             },
             [&](HWND dialog) {
                 choose(dialog, {"効率", "次の値にする", "すべての行"}, "-1");
             },
             [&](HWND dialog) {
                 choose(dialog, {"効率", "次の％にする", "すべての行"}, "1001");
             },
             [&](HWND dialog) {
                 valueFocused = GetFocus() == GetDlgItem(dialog, IDC_BULK_VALUE);
                 choose(dialog, {"射程", "次の％にする", "選択した行と同じ属性"}, "150");
             }}),
        "RZBulkChangeDialog");
    editor.command(IDM_BULK_CHANGE);
    EXPECT_EQ(bulk.handled(), 1);
    EXPECT_EQ(items, (Rows{{"消費", "射程", "範囲", "効率"},
                           {"次の値にする", "次の値を足す", "次の％にする"},
                           {"すべての行", "選択した呪文のすべてのLv", "選択した行と同じ属性",
                            "選択した行と同じLv"}}));
    ASSERT_EQ(answers.seen.size(), 4u);
    expectBox(answers.seen[0], "一括変更", refusal, MB_OK, IDI_WARNING);
    const char* const wrongValues[] = {"値には整数を入力してください。",
                                       "値には0以上の整数を入力してください。",
                                       "％には0～1000の整数を入力してください。"};
    for (int i = 0; i < 3; ++i) {
        expectBox(answers.seen[i + 1], "一括変更", wrongValues[i], MB_OK, IDI_WARNING);
    }
    EXPECT_TRUE(valueFocused);

    // 射程 at 150% on every row of the selected row's element, halves up.
    const int element = document->entryAt(selected)->getElement();
    const int rangeColumn = RZSpellFields::listColumnOf(RZSpellFields::FIELD_RANGE);
    for (int r = 0; r < editor.rowCount(IDC_SPELL_LIST); ++r) {
        const RZMagic* entry = document->entryAt(r);
        const int old = entry->baseline().getRange();
        const int expected = entry->getElement() == element ? (old * 3 + 1) / 2 : old;
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, r, rangeColumn), number(expected)) << r;
        EXPECT_EQ(editor.rowColour(r) == RZDisplay::CHANGED_COLOR.getColorRef(), expected != old)
            << r;
    }
    EXPECT_EQ(editor.selectedRow(), selected);
    EXPECT_EQ(editor.control(IDC_RANGE)->getText(),
              number(document->entryAt(selected)->getRange()));
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(document), loaded);
    EXPECT_EQ(editor.selectedRow(), selected);

    // The dialog shows the last choices again.
    std::vector<std::string> again;
    testsupport::DialogDriver remembered(
        [&again](HWND dialog) {
            char value[32] = {};
            GetDlgItemTextA(dialog, IDC_BULK_VALUE, value, sizeof value);
            again = {comboSelection(dialog, IDC_BULK_FIELD),
                     comboSelection(dialog, IDC_BULK_OPERATION), value,
                     comboSelection(dialog, IDC_BULK_TARGET)};
            pressIn(dialog, 0, {VK_ESCAPE});
            return true;
        },
        "RZBulkChangeDialog");
    editor.command(IDM_BULK_CHANGE);
    EXPECT_EQ(again,
              (std::vector<std::string>{"射程", "次の％にする", "150", "選択した行と同じ属性"}));
    EXPECT_EQ(tableState(document), loaded);
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(ToolDialogsTest, CharacterSpellsListWhatTheUsableCharacterListShows) {
    Editor editor;
    editor.command(editor.dataSetId("SetB"));
    EXPECT_TRUE(editor.greyed(IDM_CHARACTER_SPELLS));
    EXPECT_FALSE(editor.greyed(IDM_TABLE_CHECK));
    editor.command(editor.dataSetId("SetA"));
    EXPECT_FALSE(editor.greyed(IDM_CHARACTER_SPELLS));
    // The model: every row where the usable-character list names the character.
    std::map<std::string, Rows> model = usableRows(editor);
    std::vector<std::string> names, headings;
    Rows shown[2];
    testsupport::DialogDriver characters(
        testsupport::inTurn(
            {[&](HWND dialog) {
                 names = testsupport::comboTexts(GetDlgItem(dialog, IDC_CHARACTER_CHOICE));
                 headings = testsupport::listHeadings(GetDlgItem(dialog, IDC_CHARACTER_SPELL_LIST));
                 shown[0] = testsupport::listTexts(GetDlgItem(dialog, IDC_CHARACTER_SPELL_LIST), 6);
                 pressIn(dialog, IDC_CHARACTER_CHOICE, {VK_DOWN});
             },
             [&](HWND dialog) {
                 shown[1] = testsupport::listTexts(GetDlgItem(dialog, IDC_CHARACTER_SPELL_LIST), 6);
                 testsupport::focusListRow(dialog, GetDlgItem(dialog, IDC_CHARACTER_SPELL_LIST), 3);
                 testsupport::pressKeys({VK_RETURN});
             }}),
        "RZCharacterSpellsDialog");
    editor.command(IDM_CHARACTER_SPELLS);
    EXPECT_EQ(characters.handled(), 1);
    EXPECT_EQ(names, (std::vector<std::string>{"アリス", "ボブ", "カイ"}));
    EXPECT_EQ(headings, (std::vector<std::string>{"行", "名称", "Lv", "属", "Rk", "適性"}));
    EXPECT_EQ(shown[0], model["アリス"]);
    ASSERT_GT(model["ボブ"].size(), 3u);
    EXPECT_EQ(shown[1], model["ボブ"]);
    EXPECT_EQ(number(editor.selectedRow() + 1), model["ボブ"][3][0]);

    // Opened again: the character chosen last; カイ, the third, chosen now;
    // Escape keeps the selection.
    std::string chosen;
    testsupport::DialogDriver again(
        testsupport::inTurn({[&chosen](HWND dialog) {
                                 chosen = comboSelection(dialog, IDC_CHARACTER_CHOICE);
                                 pressIn(dialog, IDC_CHARACTER_CHOICE, {VK_DOWN});
                             },
                             [](HWND dialog) { pressIn(dialog, 0, {VK_ESCAPE}); }}),
        "RZCharacterSpellsDialog");
    const int before = editor.selectedRow();
    editor.command(IDM_CHARACTER_SPELLS);
    EXPECT_EQ(chosen, "ボブ");
    EXPECT_EQ(editor.selectedRow(), before);

    // A data set of two characters starts from its first one.
    ASSERT_TRUE(
        writeFile(game + "\\SetB\\Data\\CharacterData",
                  characterData({"ダン", "エミ"}, {{5, 5, 5, 5, 5, 5}, {1, 1, 1, 1, 1, 1}})));
    editor.command(editor.dataSetId("SetB"));
    model = usableRows(editor);
    Rows fewer;
    testsupport::DialogDriver first(
        [&](HWND dialog) {
            chosen = comboSelection(dialog, IDC_CHARACTER_CHOICE);
            fewer = testsupport::listTexts(GetDlgItem(dialog, IDC_CHARACTER_SPELL_LIST), 6);
            pressIn(dialog, 0, {VK_ESCAPE});
            return true;
        },
        "RZCharacterSpellsDialog");
    editor.command(IDM_CHARACTER_SPELLS);
    EXPECT_EQ(chosen, "ダン");
    ASSERT_FALSE(model["ダン"].empty());
    EXPECT_EQ(fewer, model["ダン"]);
}

TEST_F(ToolDialogsTest, EnterAndEscapeInAnOpenDropDownActOnTheDropDownOnly) {
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    editor.selectRow(rowOf(8, 2));
    const std::string state = tableState(editor.document());
    // The mouse away from where a list drops, which would pick the item under it.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // A drop-down, the text it shows first and the next item's.
    const struct {
        int command, dropDown;
        const char *dialogClass, *first, *next;
    } cases[] = {
        {IDM_BULK_CHANGE, IDC_BULK_FIELD, "RZBulkChangeDialog", "消費", "射程"},
        {IDM_BULK_CHANGE, IDC_BULK_OPERATION, "RZBulkChangeDialog", "次の値にする", "次の値を足す"},
        {IDM_BULK_CHANGE, IDC_BULK_TARGET, "RZBulkChangeDialog", "すべての行",
         "選択した呪文のすべてのLv"},
        {IDM_CHARACTER_SPELLS, IDC_CHARACTER_CHOICE, "RZCharacterSpellsDialog", "アリス", "ボブ"},
    };
    for (const auto& c : cases) {
        // Before each key, while the dialog is open: the list open or not, the
        // text shown.
        std::vector<std::string> seen;
        const auto then = [&seen, &c](std::initializer_list<WORD> keys) {
            return [&seen, &c, keys](HWND dialog) {
                const bool open = SendDlgItemMessageA(dialog, c.dropDown, CB_GETDROPPEDSTATE, 0, 0);
                seen.push_back((open ? "list " : "") + comboSelection(dialog, c.dropDown));
                testsupport::pressKeys(keys);
            };
        };
        testsupport::DialogDriver driver(
            testsupport::inTurn({[&](HWND dialog) { pressIn(dialog, c.dropDown, {VK_F4}); },
                                 then({VK_DOWN}), then({VK_RETURN}), then({VK_MENU, VK_DOWN}),
                                 then({VK_ESCAPE}), then({VK_ESCAPE})}),
            c.dialogClass);
        editor.command(c.command);
        // The last Escape, with the list closed, closed the dialog.
        EXPECT_EQ(driver.forced(), 0) << c.dropDown;
        const std::string first = c.first, next = c.next;
        EXPECT_EQ(seen, (std::vector<std::string>{"list " + first, "list " + next, next,
                                                  "list " + next, next}));
        EXPECT_EQ(tableState(editor.document()), state) << c.dropDown;
        EXPECT_EQ(editor.selectedRow(), rowOf(8, 2)) << c.dropDown;
    }
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(ToolDialogsTest, CompareWithAnotherTableTakesTheCheckedChanges) {
    // The stock table is spellLines(0) with sounds sndNN. SetA changed a cost,
    // a range, a sound and a cost of a spell the other table lacks; the other
    // table (40 spells) a name, an efficiency, the same range, a target and a
    // description, a sound, and a description too long for a table line.
    std::vector<SpellLine> mine = spellLines(0);
    mine[1].numbers[0] = 8;
    mine[3].numbers[1] = 5;
    mine[45].numbers[0] += 1;
    std::vector<std::string> mySounds = soundNames("");
    mySounds[6] = "mine06";
    std::vector<SpellLine> theirs = spellLines(0);
    theirs.resize(40);
    theirs[0].name = "業火";
    theirs[0].numbers[4 + 3] = 6;
    theirs[3].numbers[1] = 7;
    theirs[5].target = 0;
    theirs[5].description = "新しい説明";
    theirs[10].description = "LONG";
    std::vector<std::string> theirSounds = soundNames("");
    theirSounds.resize(40);
    theirSounds[7] = "pack07";
    const auto put = [](const std::string& folder, const std::string& table,
                        const std::vector<std::string>& sounds) {
        testsupport::makeFolders(folder);
        writeFile(folder + "\\MagicTable", table);
        writeFile(folder + "\\SoundFileName", soundFileText(sounds));
    };
    put(data, magicTableText(mine), mySounds);
    // Written past the helper's line buffer.
    std::string theirText = magicTableText(theirs);
    theirText.replace(theirText.find("LONG"), 4, std::string(1000, 'x'));
    put(game + "\\Mod", theirText, theirSounds);

    Answerer answers;
    Editor editor;
    EXPECT_TRUE(editor.greyed(IDM_COMPARE_TABLE));
    editor.command(editor.dataSetId("SetA"));
    EXPECT_FALSE(editor.greyed(IDM_COMPARE_TABLE));
    editor.selectRow(rowOf(0, 2));
    const std::string state = tableState(editor.document());

    const Rows first = {
        {"1", "呪文00-0", "Lv1", "名称", "呪文00-0", "業火", "呪文00-0", "他の表で変更"},
        {"2", "呪文00-0", "Lv2", "効率", "1", "6", "1", "他の表で変更"},
        {"4", "呪文01-0", "Lv1", "消費", "8", "7", "7", "この表で変更"},
        {"7", "呪文03-0", "Lv1", "射程", "5", "7", "3", "両方で変更"},
        {"10", "呪文05-0", "Lv1", "対象", "敵", "地形", "敵", "他の表で変更"},
        {"10", "呪文05-0", "Lv1", "説明", "説明その5/0", "新しい説明", "説明その5/0",
         "他の表で変更"},
        {"12", "呪文06-0", "Lv1", "効果音", "mine06", "snd06", "snd06", "この表で変更"},
        {"13", "呪文07-0", "Lv1", "効果音", "snd07", "pack07", "snd07", "他の表で変更"},
        {"18", "呪文10-0", "Lv1", "説明", "説明その10/0", std::string(1000, 'x'), "説明その10/0",
         "他の表で変更"}};
    // Each line's check ("1" or "0") and whether the take button may be pressed.
    const auto checks = [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_COMPARE_LIST);
        std::string shown;
        for (int row = 0; row < testsupport::listRows(list); ++row) {
            shown += ListView_GetCheckState(list, row) ? "1" : "0";
        }
        return shown + (IsWindowEnabled(GetDlgItem(dialog, IDC_COMPARE_TAKE)) ? " take" : "");
    };
    Rows shown[2];
    std::vector<std::string> checked;
    std::string stateAfterRefusal, selectedAfterTake;
    std::vector<int> focused;
    answers.push(IDOK, game + "\\Mod\\MagicTable");
    answers.push(IDOK);
    testsupport::DialogDriver compare(
        testsupport::inTurn(
            {[&](HWND dialog) {
                 shown[0] = testsupport::listTexts(GetDlgItem(dialog, IDC_COMPARE_LIST), 8);
                 checked.push_back(checks(dialog));
                 EXPECT_EQ(testsupport::buttonHeights(dialog), 1u)
                     << "one row of buttons looks even";
                 // Space on the line the open table changed checks it.
                 testsupport::focusListRow(dialog, GetDlgItem(dialog, IDC_COMPARE_LIST), 2);
                 testsupport::pressKeys({VK_SPACE});
             },
             [&](HWND dialog) {
                 checked.push_back(checks(dialog));
                 pressIn(dialog, IDC_COMPARE_TAKE, {VK_SPACE});
             },
             [&](HWND dialog) {
                 // Refused: nothing changed; the long description unchecked.
                 stateAfterRefusal = tableState(editor.document());
                 testsupport::focusListRow(dialog, GetDlgItem(dialog, IDC_COMPARE_LIST), 8);
                 testsupport::pressKeys({VK_SPACE});
             },
             [&](HWND dialog) { pressIn(dialog, IDC_COMPARE_TAKE, {VK_RETURN}); },
             [&](HWND dialog) {
                 shown[1] = testsupport::listTexts(GetDlgItem(dialog, IDC_COMPARE_LIST), 8);
                 checked.push_back(checks(dialog));
                 focused.push_back(GetDlgCtrlID(GetFocus()));
                 selectedAfterTake = number(editor.selectedRow()) + " " +
                                     editor.control(IDC_NAME)->getText() + " " +
                                     editor.control(IDC_EFFICIENCY)->getText();
                 testsupport::pressButton(dialog, IDC_COMPARE_CHECK_ALL);
             },
             [&](HWND dialog) {
                 checked.push_back(checks(dialog));
                 pressIn(dialog, IDC_COMPARE_UNCHECK_ALL, {VK_SPACE});
             },
             [&](HWND dialog) {
                 checked.push_back(checks(dialog));
                 focused.push_back(GetDlgCtrlID(GetFocus()));
                 // Enter on a line jumps to its row.
                 testsupport::focusListRow(dialog, GetDlgItem(dialog, IDC_COMPARE_LIST), 0);
                 testsupport::pressKeys({VK_RETURN});
             }}),
        "RZTableCompareDialog");
    editor.command(IDM_COMPARE_TABLE);
    EXPECT_EQ(compare.handled(), 1);
    EXPECT_EQ(compare.forced(), 0);
    ASSERT_EQ(answers.seen.size(), 2u);
    EXPECT_TRUE(answers.seen[0].fileDialog);
    EXPECT_EQ(answers.seen[0].caption, "比較する表を開く");
    EXPECT_EQ(answers.seen[0].fileTypes, "MagicTable|すべてのファイル (*.*)|");
    EXPECT_EQ(answers.seen[0].fileType, "MagicTable");
    EXPECT_EQ(answers.seen[0].owner, editor.hwnd);
    EXPECT_FALSE(answers.seen[0].ownerEnabled);
    expectBox(answers.seen[1], "他の表と比較",
              "保存できない長さになる行があるため、取り込んでいません。\r\n\r\n18行目 呪文10-0",
              MB_OK, IDI_WARNING);
    EXPECT_EQ(stateAfterRefusal, state);
    EXPECT_EQ(shown[0], first);
    // Taken: the lines left keep their checks (all cleared), so nothing is to take.
    EXPECT_EQ(shown[1], (Rows{first[3], first[6], first[8]}));
    EXPECT_EQ(checked, (std::vector<std::string>{"110011011 take", "111011011 take", "000",
                                                 "111 take", "000"}));
    // The take button greyed with the focus gives it to the list; a button
    // that clears the checks keeps it.
    EXPECT_EQ(focused, (std::vector<int>{IDC_COMPARE_LIST, IDC_COMPARE_UNCHECK_ALL}));
    // The selection and the form keep the selected row, with its new values.
    EXPECT_EQ(selectedAfterTake, number(rowOf(0, 2)) + " 業火 6");
    EXPECT_EQ(editor.selectedRow(), rowOf(3, 1));
    // Exactly the rows the step changed are yellow; a shared field on every
    // level of its spell.
    const std::vector<int> changed = {rowOf(0, 1), rowOf(0, 2), rowOf(0, 3), rowOf(1, 1),
                                      rowOf(5, 1), rowOf(5, 2), rowOf(7, 1)};
    for (int r = 0; r < editor.rowCount(IDC_SPELL_LIST); ++r) {
        EXPECT_EQ(editor.rowColour(r) == RZDisplay::CHANGED_COLOR.getColorRef(),
                  std::count(changed.begin(), changed.end(), r) > 0)
            << r;
    }
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(0, 3), 1), "業火");

    // Undone: every row as loaded, the first row the step changed selected.
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(editor.document()), state);
    EXPECT_EQ(editor.selectedRow(), rowOf(0, 1));
    // Redone and saved: the bytes of the table with the changes taken.
    editor.press({VK_CONTROL, 'Y'});
    editor.press({VK_CONTROL, 'S'});
    std::vector<SpellLine> saved = mine;
    saved[0].name = "業火";
    saved[0].numbers[4 + 3] = 6;
    saved[1].numbers[0] = 7;
    saved[5].target = 0;
    saved[5].description = "新しい説明";
    mySounds[7] = "pack07";
    EXPECT_EQ(readFile(data + "\\MagicTable"), magicTableText(asWritten(saved)));
    EXPECT_EQ(readFile(data + "\\SoundFileName"), soundFileText(mySounds));

    // The last line taken closes the dialog; the table then has no difference
    // from it. An empty file holds no table, nor does one another program
    // holds open without sharing.
    saved[2].numbers[2] = 3;
    put(game + "\\One", magicTableText(saved), mySounds);
    writeFile(game + "\\Mod\\Empty", "");
    const std::string held = game + "\\Mod\\MagicTable";
    HHandle holder(CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.isOpen());
    answers.push(IDOK, game + "\\One\\MagicTable");
    answers.push(IDOK, game + "\\One\\MagicTable");
    answers.push(IDOK);
    answers.push(IDOK, game + "\\Mod\\Empty");
    answers.push(IDOK);
    answers.push(IDOK, held);
    answers.push(IDOK);
    // Space clears the one line's check, which greys the take button, and ticks it again.
    testsupport::DialogDriver last(
        testsupport::inTurn({[&](HWND dialog) {
                                 checked = {checks(dialog)};
                                 testsupport::focusListRow(dialog,
                                                           GetDlgItem(dialog, IDC_COMPARE_LIST), 0);
                                 testsupport::pressKeys({VK_SPACE});
                             },
                             [&](HWND dialog) {
                                 checked.push_back(checks(dialog));
                                 testsupport::pressKeys({VK_SPACE});
                             },
                             [&](HWND dialog) {
                                 checked.push_back(checks(dialog));
                                 pressIn(dialog, IDC_COMPARE_TAKE, {VK_SPACE});
                             }}),
        "RZTableCompareDialog");
    for (int times = 0; times < 4; ++times) {
        editor.command(IDM_COMPARE_TABLE);
    }
    EXPECT_EQ(last.handled(), 1);
    EXPECT_EQ(last.forced(), 0);
    EXPECT_EQ(checked, (std::vector<std::string>{"1 take", "0", "1 take"}));
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(2, 1), 8), "3");
    ASSERT_EQ(answers.seen.size(), 9u);
    expectBox(answers.seen[4], "他の表と比較", "違いはありません。", MB_OK, IDI_INFORMATION);
    expectBox(answers.seen[6], "他の表と比較",
              "比較する表を読み込めませんでした。\r\n" + game + "\\Mod\\Empty", MB_OK, IDI_WARNING);
    expectBox(answers.seen[8], "他の表と比較", "比較する表を読み込めませんでした。\r\n" + held,
              MB_OK, IDI_WARNING);
    EXPECT_EQ(answers.unexpected, 0);
}

// The Tools and filter operations as their commands and the benchmarks call
// them: without a table each opens nothing and says it did nothing, as do the
// dialogs' own ones given a window that is no such dialog; with a table each
// says what it did.
TEST_F(ToolDialogsTest, OperationsSayWhatTheyDid) {
    Answerer answers;
    Editor editor;
    HComponent* window = editor.window;
    std::vector<std::unique_ptr<testsupport::DialogDriver>> dialogs;
    for (const char* kind : {"RZBulkChangeDialog", "RZCharacterSpellsDialog", "RZTableCheckDialog",
                             "RZFilterDialog", "RZTableCompareDialog"}) {
        dialogs.push_back(std::make_unique<testsupport::DialogDriver>(
            [](HWND dialog) {
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                return true;
            },
            kind));
    }
    RZRowFilter::Conditions byName, nothing, noMatch;
    byName.text = "呪文01";
    noMatch.text = "zz";
    RZBulkChange::Choice addOne;
    addOne.operation = RZBulkChange::ADD;
    addOne.value = "1";
    const std::string out = testsupport::makeScratchDir("operations");
    const std::pair<const char*, std::function<bool()>> calls[] = {
        {"check", [&] { return RZOP0034(window); }},
        {"bulk", [&] { return RZOP0035(window); }},
        {"characters", [&] { return RZOP0036(window); }},
        {"compare", [&] { return RZOP0037(window); }},
        {"filter", [&] { return RZOP0040(window); }},
        {"copy", [&] { return copyChosenSounds(window); }},
        {"run", [&] { return runBulkChange(window); }},
        {"show", [&] { return showCharacterSpells(window); }},
        {"take", [&] { return takeCheckedChanges(window); }},
        {"checkAll", [&] { return checkAllChanges(window, true); }},
        {"runFilter", [&] { return runFilter(window); }},
        {"byName", [&] { return applyFilter(window, byName); }},
        {"clear", [&] { return RZOP0041(window); }},
        {"noMatch", [&] { return applyFilter(window, noMatch); }},
        {"nothing", [&] { return applyFilter(window, nothing); }},
        {"add", [&] { return bulkChange(window, addOne); }},
        {"export", [&] { return exportTableText(window, HFile(out + "\\all.tsv")); }},
        {"compareMissing", [&] { return compareWithTable(window, HFile(out + "\\none")); }},
    };
    // The first five open their dialogs once a table is open.
    std::vector<std::string> done[2];
    for (int open = 0; open < 2; ++open) {
        if (open == 1) {
            for (const auto& dialog : dialogs) {
                EXPECT_EQ(dialog->handled(), 0);
            }
            editor.command(editor.dataSetId("SetA"));
            answers.push(IDOK); // the comparison's box for the missing file
        }
        for (std::size_t i = open == 1 ? 5 : 0; i < sizeof calls / sizeof calls[0]; ++i) {
            if (calls[i].second()) {
                done[open].push_back(calls[i].first);
            }
        }
    }
    EXPECT_TRUE(done[0].empty()) << done[0].front();
    EXPECT_EQ(done[1], (std::vector<std::string>{"byName", "clear", "nothing", "add", "export"}));
    EXPECT_EQ(answers.unexpected, 0);
}
