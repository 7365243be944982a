// The stock-table tools through the real window: the list of differences and
// its jumps, putting a spell back to stock, and the row colours of changed
// rows and rows that differ from stock, read from the screen.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HListView.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

using namespace editortest;

namespace {

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF YELLOW = RGB(255, 255, 192);
const COLORREF BLUE = RGB(220, 235, 255);

// A game whose data set "Same" holds the stock tables, and "Near" the stock
// tables with spell 2's level-1 cost and spell 4's description changed.
std::string stockLikeGame() {
    std::string root = freshGame();
    std::vector<SpellLine> nearTable = spellLines(0);
    nearTable[2].numbers[0] = 99;
    nearTable[4].description = "別の説明";
    const std::string stockSounds = soundFileText(soundNames(""));
    const struct {
        const char* name;
        std::string table;
    } sets[] = {{"Same", magicTableText(spellLines(0))}, {"Near", magicTableText(nearTable)}};
    for (const auto& set : sets) {
        std::string dir = root + "\\" + set.name;
        CreateDirectoryA(dir.c_str(), nullptr);
        CreateDirectoryA((dir + "\\Data").c_str(), nullptr);
        testsupport::writeFile(dir + "\\Config", "config");
        testsupport::writeFile(dir + "\\Data\\MagicTable", set.table);
        testsupport::writeFile(dir + "\\Data\\SoundFileName", stockSounds);
    }
    return root;
}

// Every level of the spell holds the stock name, target, description and
// sound, and the level put back its stock numbers.
void expectStockSpell(Editor& editor, int spell, int levelPutBack) {
    const SpellLine stock = asWritten(spellLines(0))[static_cast<size_t>(spell)];
    RZEditData* document = editor.document();
    for (int level = 1; document->entryAt(rowOf(spell, level))->getIndex() == spell; ++level) {
        SCOPED_TRACE(level);
        const RZMagic* entry = document->entryAt(rowOf(spell, level));
        EXPECT_EQ(entry->getName(), stock.name);
        EXPECT_EQ(entry->getTarget(), stock.target);
        EXPECT_EQ(entry->getDescription(), stock.description);
        EXPECT_EQ(entry->getSound(), soundNames("")[static_cast<size_t>(spell)]);
        if (level == levelPutBack) {
            const int* n = stock.numbers + 4 * (level - 1);
            EXPECT_EQ(entry->getCost(), n[0]);
            EXPECT_EQ(entry->getRange(), n[1]);
            EXPECT_EQ(entry->getArea(), n[2]);
            EXPECT_EQ(entry->getEfficiency(), n[3]);
        }
    }
}

class StockTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game = stockLikeGame();
        ASSERT_TRUE(setGameDirectory(game));
    }
    std::string game;
};

} // namespace

TEST_F(StockTableTest, RowColoursShowChangesAndStockDifferences) {
    Editor editor;
    SetWindowPos(editor.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    editor.command(editor.dataSetId("Near"));
    const int spell2 = rowOf(2, 1);
    // Selected far below, so no checked row shows the selection colour.
    editor.selectRow(0);
    editor.type(IDC_COST, "123");
    editor.selectRow(5);
    EXPECT_EQ(editor.rowPixel(0), YELLOW);
    for (int row = 1; row < 5; ++row) {
        EXPECT_EQ(editor.rowPixel(row), WHITE) << row;
    }
    // The row being edited keeps the selection colours with the focus in the
    // form as in the list; the changed row beside it stays yellow.
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_NE(highlight, WHITE);
    ASSERT_NE(highlight, YELLOW);
    editor.selectRow(1);
    for (int box : {IDC_COST, IDC_SPELL_LIST}) {
        editor.focus(box);
        EXPECT_EQ(editor.rowPixel(1), highlight) << box;
        EXPECT_EQ(editor.rowPixel(0), YELLOW) << box;
        EXPECT_EQ(editor.rowPixel(2), WHITE) << box;
    }
    editor.selectRow(5);
    // Stock differences: only spell 2's first level, and yellow wins.
    editor.command(IDM_SHOW_STOCK_DIFF);
    EXPECT_NE(GetMenuState(GetMenu(editor.hwnd), IDM_SHOW_STOCK_DIFF, MF_BYCOMMAND) & MF_CHECKED,
              0u);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(editor.rowPixel(row), row == 0 ? YELLOW : row == spell2 ? BLUE : WHITE) << row;
    }
    // Undo takes row 0 back to its loaded value: white again.
    editor.command(IDM_UNDO);
    editor.selectRow(5);
    EXPECT_EQ(editor.rowPixel(0), WHITE);
    editor.command(IDM_REDO);
    editor.selectRow(5);
    // A save makes every row equal its baseline: row 0 now differs from stock only.
    editor.command(IDM_SAVE);
    editor.selectRow(5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(editor.rowPixel(row), row == 0 || row == spell2 ? BLUE : WHITE) << row;
    }
    editor.command(IDM_SHOW_STOCK_DIFF);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(editor.rowPixel(row), WHITE) << row;
    }
}

TEST_F(StockTableTest, StockDifferencesListJumpAndReset) {
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("Same"));
    answers.push(IDOK);
    editor.command(IDM_STOCK_DIFF);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "標準データとの差分", "標準データとの違いはありません。", MB_OK,
              IDI_INFORMATION);

    editor.command(editor.dataSetId("Near"));
    // One more difference typed in: spell 8's name, shown once on its first level.
    editor.selectRow(rowOf(8, 2));
    editor.type(IDC_NAME, "New");
    char row2[8], row4[8], row8[8];
    snprintf(row2, sizeof row2, "%d", rowOf(2, 1) + 1);
    snprintf(row4, sizeof row4, "%d", rowOf(4, 1) + 1);
    snprintf(row8, sizeof row8, "%d", rowOf(8, 1) + 1);
    const std::vector<std::vector<std::string>> expected = {
        {row2, "呪文02-0", "Lv1", "消費", std::to_string(spellLines(0)[2].numbers[0]), "99"},
        {row4, "呪文04-0", "Lv1", "説明", "説明その4/0", "別の説明"},
        {row8, "New", "Lv1", "名称", "呪文08-0", "New"},
    };
    std::vector<std::vector<std::string>> listed;
    std::vector<std::string> headings;
    std::string caption;
    {
        testsupport::DialogDriver diff(
            [&](HWND dialog) {
                caption = testsupport::windowText(dialog);
                HWND list = GetDlgItem(dialog, IDC_DIFF_LIST);
                headings = testsupport::listHeadings(list);
                listed = testsupport::listTexts(list, 6);
                // Enter on the second row jumps to it.
                testsupport::focusListRow(dialog, list, 1);
                testsupport::pressKeys({VK_RETURN});
                return true;
            },
            "RZStockDiffDialog");
        editor.command(IDM_STOCK_DIFF);
        EXPECT_EQ(1, diff.handled());
    }
    EXPECT_EQ(caption, "標準データとの差分");
    EXPECT_EQ(headings, (std::vector<std::string>{"行", "名称", "Lv", "項目", "標準", "現在"}));
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(editor.selectedRow(), rowOf(4, 1));

    // A double click on the third row jumps to it as well.
    {
        testsupport::DialogDriver click(
            [](HWND dialog) {
                HWND list = GetDlgItem(dialog, IDC_DIFF_LIST);
                RECT cell = {};
                cell.left = LVIR_LABEL;
                SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&cell));
                POINT at = {cell.left + 4, (cell.top + cell.bottom) / 2};
                ClientToScreen(list, &at);
                SetForegroundWindow(dialog);
                SetCursorPos(at.x, at.y);
                INPUT clicks[4] = {};
                const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP,
                                        MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
                for (int i = 0; i < 4; ++i) {
                    clicks[i].type = INPUT_MOUSE;
                    clicks[i].mi.dwFlags = flags[i];
                }
                SendInput(4, clicks, sizeof(INPUT));
                return true;
            },
            "RZStockDiffDialog");
        editor.command(IDM_STOCK_DIFF);
        EXPECT_EQ(1, click.handled());
    }
    EXPECT_EQ(editor.selectedRow(), rowOf(8, 1));

    // Back to stock from a second level: that level's numbers and the spell's
    // shared values on every level, in one step.
    editor.selectRow(rowOf(8, 2));
    editor.type(IDC_COST, "1");
    editor.command(IDM_RESET_TO_STOCK);
    expectStockSpell(editor, 8, 2);
    editor.selectRow(rowOf(4, 2));
    editor.type(IDC_RANGE, "1");
    editor.command(IDM_RESET_TO_STOCK);
    expectStockSpell(editor, 4, 2);
    editor.selectRow(rowOf(2, 1));
    editor.command(IDM_RESET_TO_STOCK);
    expectStockSpell(editor, 2, 1);
    editor.command(IDM_UNDO);
    EXPECT_EQ(editor.document()->entryAt(rowOf(2, 1))->getCost(), 99);
    EXPECT_EQ(editor.document()->entryAt(rowOf(8, 1))->getName(), "呪文08-0");

    // A stock table that ends before the last spells: their levels have no
    // stock values, so they differ in nothing, stay white with the colours on,
    // and putting one back to stock leaves it as it is (the reload throws
    // spell 4's return to stock away).
    std::vector<SpellLine> shortStock = spellLines(0);
    shortStock.resize(40);
    ASSERT_TRUE(
        testsupport::writeFile(game + "\\Default\\Data\\MagicTable", magicTableText(shortStock)));
    answers.push(IDOK);
    editor.command(IDM_RELOAD);
    EXPECT_EQ(editor.document()->stockTable().differences(*editor.document()).size(), 2u);
    const std::string loaded = tableState(editor.document());
    editor.selectRow(rowOf(45, 2));
    editor.command(IDM_RESET_TO_STOCK);
    EXPECT_EQ(tableState(editor.document()), loaded);
    editor.command(IDM_SHOW_STOCK_DIFF);
    HListView* spells = static_cast<HListView*>(editor.control(IDC_SPELL_LIST));
    for (int row : {rowOf(2, 1), rowOf(45, 1), rowOf(45, 2), rowOf(47, 1)}) {
        EXPECT_EQ(spells->getItemColor(row) == RZDisplay::STOCK_COLOR, row == rowOf(2, 1)) << row;
    }
    editor.command(IDM_SHOW_STOCK_DIFF);
    EXPECT_EQ(answers.unexpected, 0);

    // Without a stock table the tools are greyed.
    DeleteFileA((game + "\\Default\\Data\\MagicTable").c_str());
    editor.command(IDM_RELOAD);
    EXPECT_EQ(answers.unexpected, 0);
    for (int id : {IDM_STOCK_DIFF, IDM_RESET_TO_STOCK, IDM_SHOW_STOCK_DIFF}) {
        EXPECT_TRUE(editor.greyed(id)) << id;
    }
}

TEST_F(StockTableTest, ACutCellShowsItsWholeTextWhileTheMouseRestsOnIt) {
    Editor editor;
    editor.command(editor.dataSetId("Near"));
    editor.selectRow(rowOf(4, 1));
    const std::string longText = "とても長い説明文がここに入ります。最後まで読めるでしょうか";
    editor.type(IDC_DESCRIPTION, longText);
    const std::string otherText = "もうひとつの長い説明文です。これも最後まで読めるでしょうか";
    editor.selectRow(rowOf(6, 1));
    editor.type(IDC_DESCRIPTION, otherText);
    // The text of the tip this thread shows, or "-".
    const auto tipText = [] {
        for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr));) {
            if (IsWindowVisible(tip) &&
                GetWindowThreadProcessId(tip, nullptr) == GetCurrentThreadId()) {
                return testsupport::windowText(tip);
            }
        }
        return std::string("-");
    };
    // The real mouse to the middle of a cell, from beside it, so that it moves.
    const auto restOn = [](HWND list, int row, int column) {
        RECT cell = {LVIR_LABEL, column, 0, 0};
        SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        POINT at = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(list, &at);
        SetCursorPos(at.x - 2, at.y);
        INPUT move = {};
        move.type = INPUT_MOUSE;
        move.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        move.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &move, sizeof move);
    };
    // Resting on each cut 現在 cell in turn until its tip shows, then on a row
    // number, shown whole, for longer than a tip takes.
    const std::string wanted[] = {longText, otherText};
    std::vector<std::string> tips;
    int step = 0;
    DWORD since = GetTickCount();
    testsupport::DialogDriver diff(
        [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_DIFF_LIST);
            const DWORD waited = GetTickCount() - since;
            if (step > 0 &&
                (step < 3 ? tipText() != wanted[step - 1] && waited < 4000 : waited < 1500)) {
                return false;
            }
            if (step > 0) {
                tips.push_back(tipText());
            }
            if (step == 3) {
                testsupport::pressKeys({VK_ESCAPE});
                return true;
            }
            for (int row = 0; row < testsupport::listRows(list); ++row) {
                if (step < 2 && testsupport::listCell(list, row, 5) == wanted[step]) {
                    restOn(list, row, 5);
                }
            }
            if (step == 2) {
                restOn(list, 0, 0);
            }
            ++step;
            since = GetTickCount();
            return false;
        },
        "RZStockDiffDialog", 40);
    editor.command(IDM_STOCK_DIFF);
    EXPECT_EQ(tips, (std::vector<std::string>{longText, otherText, "-"}));
}
