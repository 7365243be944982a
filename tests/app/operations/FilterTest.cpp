// The spell list's filter through the real window, its dialog and real keys:
// the rows and the title against a model of the table, moving among the shown
// rows, an edit, undo to a hidden row, the list's order, the bulk change's
// shown rows and turning the filter off.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/views/RZIds.h"
#include "app/views/RZListViewEvent.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HComponent.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace editortest;
using testsupport::comboSelection;
using testsupport::comboTexts;
using testsupport::pressIn;

namespace {

class FilterTest : public FreshGameTest {};

std::vector<std::string> column(Editor& editor, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < editor.rowCount(IDC_SPELL_LIST); ++row) {
        cells.push_back(editor.cell(IDC_SPELL_LIST, row, column));
    }
    return cells;
}

} // namespace

TEST_F(FilterTest, ShowsMatchingRowsUntilUndoReachesAHiddenOneOrTheKeyClearsIt) {
    Answerer answers;
    Editor editor;
    EXPECT_TRUE(editor.greyed(IDM_FILTER));
    editor.command(editor.dataSetId("SetA"));
    EXPECT_FALSE(editor.greyed(IDM_FILTER));
    EXPECT_TRUE(editor.greyed(IDM_CLEAR_FILTER));
    RZEditData* document = editor.document();
    const std::string title = editor.title();
    const int all = editor.rowCount(IDC_SPELL_LIST);
    // The model: each row's 行, whether ボブ may use it (the usable-character
    // list), and the drop-downs' items: elements and ranks by first appearance.
    const std::vector<std::string> numbers = column(editor, 0);
    const std::vector<std::string> elements =
        column(editor, RZSpellFields::listColumnOf(RZSpellFields::KEY_ELEMENT));
    std::vector<std::string> lists[4] = {
        {"すべて"}, {"すべて"}, {"すべて"}, {"すべて", "アリス", "ボブ", "カイ"}};
    for (const std::string& text : comboTexts(editor.controlHandle(IDC_TARGET))) {
        lists[2].push_back(text);
    }
    std::vector<int> matching; // the first element's rows ボブ may use
    for (int row = 0; row < all; ++row) {
        for (int k : {0, 1}) {
            const std::string text =
                editor.cell(IDC_SPELL_LIST, row,
                            RZSpellFields::listColumnOf(k == 0 ? RZSpellFields::KEY_ELEMENT
                                                               : RZSpellFields::KEY_RANK));
            if (std::find(lists[k].begin(), lists[k].end(), text) == lists[k].end()) {
                lists[k].push_back(text);
            }
        }
        editor.selectRow(row);
        for (const auto& user : testsupport::listTexts(editor.controlHandle(IDC_CHARACTERS), 1)) {
            if (user[0] == "ボブ" && elements[row] == lists[0][1]) {
                matching.push_back(row);
            }
        }
    }
    ASSERT_GE(matching.size(), 3u);
    ASSERT_LT(matching.size(), static_cast<size_t>(all));
    // A shown row's spell renamed (its levels share the name), then a hidden row's cost.
    int hidden = 1;
    while (std::count(matching.begin(), matching.end(), hidden) != 0 ||
           document->entryAt(hidden)->getIndex() == document->entryAt(matching[1])->getIndex()) {
        ++hidden;
    }
    editor.selectRow(matching[1]);
    editor.type(IDC_NAME, "FireBall");
    editor.selectRow(hidden);
    const std::string cost = editor.control(IDC_COST)->getText();
    editor.type(IDC_COST, "5");

    // The dialog opens with each drop-down's items and both boxes unchecked.
    // "zz" matches nothing: the box, over the dialog, which stays. Then the
    // first element and ボブ, chosen with the keys, one control a step (the
    // keys arrive after the step's focus change).
    std::vector<std::string> shownLists[5];
    HWND filterDialog = nullptr;
    answers.push(IDOK);
    const int ids[4] = {IDC_FILTER_ELEMENT, IDC_FILTER_RANK, IDC_FILTER_TARGET,
                        IDC_FILTER_CHARACTER};
    const auto press = [](int id, WORD key, int times) {
        return [id, key, times](HWND dialog) {
            for (int i = 0; i < times; ++i) {
                pressIn(dialog, id, {key});
            }
        };
    };
    testsupport::DialogDriver filter(
        testsupport::inTurn({[&](HWND dialog) {
                                 filterDialog = dialog;
                                 for (int i = 0; i < 4; ++i) {
                                     shownLists[i] = comboTexts(GetDlgItem(dialog, ids[i]));
                                 }
                                 for (int id : {IDC_FILTER_CHANGED, IDC_FILTER_STOCK}) {
                                     shownLists[4].push_back(
                                         std::to_string(IsDlgButtonChecked(dialog, id)) +
                                         std::to_string(IsWindowEnabled(GetDlgItem(dialog, id))));
                                 }
                                 pressIn(dialog, IDC_FILTER_TEXT, {'Z', 'Z'});
                             },
                             press(0, VK_RETURN, 1), press(IDC_FILTER_TEXT, VK_BACK, 2),
                             press(IDC_FILTER_ELEMENT, VK_DOWN, 1),
                             press(IDC_FILTER_CHARACTER, VK_DOWN, 2), press(0, VK_RETURN, 1)}),
        "RZFilterDialog");
    editor.focus(IDC_SPELL_LIST);
    editor.press({VK_CONTROL, 'L'});
    EXPECT_EQ(filter.forced(), 0);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "絞り込み", "条件に合う行がありません。", MB_OK, IDI_INFORMATION);
    EXPECT_EQ(answers.seen[0].owner, filterDialog);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shownLists[i], lists[i]) << i;
    }
    EXPECT_EQ(shownLists[4], (std::vector<std::string>{"01", "01"}));
    std::vector<std::string> expected;
    for (int row : matching) {
        expected.push_back(numbers[static_cast<size_t>(row)]);
    }
    EXPECT_EQ(column(editor, 0), expected);
    const std::string counts = std::to_string(matching.size()) + "/" + std::to_string(all) + "行]";
    EXPECT_EQ(editor.title(), title + " [絞り込み " + counts);
    EXPECT_FALSE(editor.greyed(IDM_CLEAR_FILTER));
    // The selected row is hidden: the first shown row is selected. 次へ and
    // 末尾へ move among the shown rows and wrap.
    EXPECT_EQ(editor.selectedRow(), 0);
    editor.press({VK_CONTROL, VK_DOWN});
    EXPECT_EQ(document->shownEntry(), document->entryAt(matching[1]));
    EXPECT_EQ(
        editor.cell(IDC_SPELL_LIST, 1, RZSpellFields::listColumnOf(RZSpellFields::FIELD_NAME)),
        "FireBall");
    editor.press({VK_CONTROL, VK_END});
    editor.press({VK_CONTROL, VK_DOWN});
    EXPECT_EQ(editor.selectedRow(), 0);

    // Undo of the hidden row's cost turns the filter off and selects that row.
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), all);
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(document->shownEntry(), document->entryAt(hidden));
    EXPECT_EQ(editor.control(IDC_COST)->getText(), cost);
    EXPECT_TRUE(editor.greyed(IDM_CLEAR_FILTER));
    editor.press({VK_CONTROL, 'Y'});

    // Enter on キャンセル cancels what the dialog holds.
    testsupport::DialogDriver cancelled(
        testsupport::inTurn(
            {press(IDC_FILTER_CHANGED, VK_SPACE, 1), press(IDC_FILTER_CANCEL, VK_RETURN, 1)}),
        "RZFilterDialog");
    editor.command(IDM_FILTER);
    EXPECT_EQ(cancelled.forced(), 0);
    EXPECT_EQ(editor.title(), title);

    // 行 descending, then the changed rows: the dialog shows "すべて" and an
    // empty text (no filter), the rows keep the list's order.
    editor.clickColumn(IDC_SPELL_LIST, 0);
    if (RZListViewEvent::directions()[0] != -1) {
        editor.clickColumn(IDC_SPELL_LIST, 0);
    }
    // The changed rows: the renamed spell's levels and the hidden row.
    const int nameColumn = RZSpellFields::listColumnOf(RZSpellFields::FIELD_NAME);
    expected.clear();
    for (int row = 0; row < all; ++row) {
        if (editor.cell(IDC_SPELL_LIST, row, nameColumn) == "FireBall" ||
            editor.cell(IDC_SPELL_LIST, row, 0) == numbers[static_cast<size_t>(hidden)]) {
            expected.push_back(editor.cell(IDC_SPELL_LIST, row, 0));
        }
    }
    ASSERT_GE(expected.size(), 2u);
    std::vector<std::string> opened;
    {
        testsupport::DialogDriver changed(
            [&](HWND dialog) {
                for (int id : ids) {
                    opened.push_back(comboSelection(dialog, id));
                }
                opened.push_back(testsupport::windowText(GetDlgItem(dialog, IDC_FILTER_TEXT)));
                pressIn(dialog, IDC_FILTER_CHANGED, {VK_SPACE});
                pressIn(dialog, 0, {VK_RETURN});
                return true;
            },
            "RZFilterDialog");
        editor.command(IDM_FILTER);
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"すべて", "すべて", "すべて", "すべて", ""}));
    EXPECT_EQ(column(editor, 0), expected);
    // An edit that puts the hidden row's cost back: no longer changed, still shown.
    const int row = static_cast<int>(
        std::find(expected.begin(), expected.end(), numbers[static_cast<size_t>(hidden)]) -
        expected.begin());
    editor.selectRow(row);
    editor.type(IDC_COST, cost);
    editor.selectRow(row == 0 ? 1 : 0); // rewritten when left
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), static_cast<int>(expected.size()));
    EXPECT_EQ(editor.rowColour(row), RGB(255, 255, 255));
    // The bulk change's 表示している行 (the fifth target): 効率 + 1 on the shown
    // rows only; without a filter that last choice shows as すべての行.
    const int efficiencyColumn = RZSpellFields::listColumnOf(RZSpellFields::FIELD_EFFICIENCY);
    std::vector<std::string> efficiencies[2] = {column(editor, efficiencyColumn)};
    std::vector<std::string> targets[2];
    const auto bulkDialog = [&targets](int round) {
        return [&targets, round](HWND dialog) {
            targets[round] = comboTexts(GetDlgItem(dialog, IDC_BULK_TARGET));
            targets[round].push_back(comboSelection(dialog, IDC_BULK_TARGET));
            SendDlgItemMessageA(dialog, IDC_BULK_FIELD, CB_SETCURSEL, 3, 0);
            SendDlgItemMessageA(dialog, IDC_BULK_OPERATION, CB_SETCURSEL, 1, 0);
            SetDlgItemTextA(dialog, IDC_BULK_VALUE, "1");
            pressIn(dialog, IDC_BULK_TARGET, {VK_END});
            pressIn(dialog, 0, {static_cast<WORD>(round == 0 ? VK_RETURN : VK_ESCAPE)});
            return true;
        };
    };
    {
        testsupport::DialogDriver bulk(bulkDialog(0), "RZBulkChangeDialog");
        editor.command(IDM_BULK_CHANGE);
    }
    efficiencies[1] = column(editor, efficiencyColumn);
    ASSERT_EQ(targets[0].size(), 6u);
    EXPECT_EQ(targets[0][4], "表示している行");
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(std::stoi(efficiencies[1][i]), std::stoi(efficiencies[0][i]) + 1) << i;
    }
    // Saving keeps the filter and writes every row.
    editor.press({VK_CONTROL, 'S'});
    EXPECT_EQ(editor.title(), title + " [絞り込み " + std::to_string(expected.size()) + "/" +
                                  std::to_string(all) + "行]");
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), static_cast<int>(expected.size()));
    const std::string saved = testsupport::readFile(data + "\\MagicTable");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 48);

    // Shift+Ctrl+L: every row again in the list's order (行 descending once
    // more: the save's refill put the rows in table order), the selection kept.
    editor.clickColumn(IDC_SPELL_LIST, 0);
    if (RZListViewEvent::directions()[0] != -1) {
        editor.clickColumn(IDC_SPELL_LIST, 0);
    }
    const RZMagic* selected = document->shownEntry();
    editor.focus(IDC_SPELL_LIST);
    editor.press({VK_SHIFT, VK_CONTROL, 'L'});
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(column(editor, 0), std::vector<std::string>(numbers.rbegin(), numbers.rend()));
    EXPECT_EQ(document->shownEntry(), selected);
    EXPECT_TRUE(editor.greyed(IDM_CLEAR_FILTER));
    {
        testsupport::DialogDriver bulk(bulkDialog(1), "RZBulkChangeDialog");
        editor.command(IDM_BULK_CHANGE);
    }
    EXPECT_EQ(targets[1], (std::vector<std::string>{"すべての行", "選択した呪文のすべてのLv",
                                                    "選択した行と同じ属性", "選択した行と同じLv",
                                                    "すべての行"}));
    // A text filter, then OK with the text cleared: no condition left is no filter.
    std::vector<std::string> titles;
    {
        int round = 0;
        testsupport::DialogDriver text(
            [&round](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_FILTER_TEXT, round++ == 0 ? "FireBall" : "");
                pressIn(dialog, 0, {VK_RETURN});
                return true;
            },
            "RZFilterDialog");
        for (int i = 0; i < 2; ++i) {
            editor.command(IDM_FILTER);
            titles.push_back(editor.title() + " " +
                             std::to_string(editor.rowCount(IDC_SPELL_LIST)));
        }
    }
    const int named = static_cast<int>(expected.size()) - 1; // the renamed spell's levels
    EXPECT_EQ(titles,
              (std::vector<std::string>{title + " [絞り込み " + std::to_string(named) + "/" +
                                            std::to_string(all) + "行] " + std::to_string(named),
                                        title + " " + std::to_string(all)}));

    // Sorted by 消費, the first row's cost raised past all others: the row keeps
    // its place until a filter fills the list again in the column's order.
    const int costColumn = RZSpellFields::listColumnOf(RZSpellFields::FIELD_COST);
    editor.clickColumn(IDC_SPELL_LIST, costColumn);
    if (RZListViewEvent::directions()[costColumn] != 1) {
        editor.clickColumn(IDC_SPELL_LIST, costColumn);
    }
    editor.selectRow(0);
    const RZMagic* raised = document->shownEntry();
    editor.type(IDC_COST, "9999");
    editor.selectRow(1);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, costColumn), "9999");
    // Expected: the rows the filter keeps in their order, rows of equal cost
    // included, with the raised one moved to the end.
    const std::vector<std::string> before = column(editor, 0);
    const std::vector<std::string> names = column(editor, nameColumn);
    std::vector<std::string> kept;
    for (std::size_t row = 1; row < before.size(); ++row) {
        if (names[row] != "FireBall") {
            kept.push_back(before[row]);
        }
    }
    kept.push_back(before[0]);
    {
        testsupport::DialogDriver byName(
            [](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_FILTER_TEXT, "呪文");
                pressIn(dialog, 0, {VK_RETURN});
                return true;
            },
            "RZFilterDialog");
        editor.command(IDM_FILTER);
    }
    EXPECT_EQ(column(editor, 0), kept);
    EXPECT_EQ(column(editor, costColumn).back(), "9999");
    editor.selectRow(all - named - 1);
    EXPECT_EQ(document->shownEntry(), raised);
    EXPECT_EQ(answers.unexpected, 0);
}
