// Undo, redo, find, the stock-table tools and the row colours through the real
// window and real key strokes, checked against a model of the table, the bytes
// saved, the rows selected and the pixels of the spell list.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "toolkit/HListView.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace editortest;

namespace {

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF YELLOW = RGB(255, 255, 192);
const COLORREF BLUE = RGB(220, 235, 255);

std::string windowText(HWND window) {
    char text[1100] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

bool greyed(Editor& editor, int id) {
    return (GetMenuState(GetMenu(editor.hwnd), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) !=
           0;
}

// Types into the focused box with real keys (digits and letters only).
void typeKeys(Editor& editor, const std::string& text) {
    for (char c : text) {
        editor.press({static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)))});
    }
}

void focus(Editor& editor, int id) {
    SetForegroundWindow(editor.hwnd);
    SetFocus(editor.controlHandle(id));
    pump(20);
}

// Runs an action once on the first window of this thread with the class name,
// from a thread timer, which also fires inside a dialog's own modal loop.
class OnDialog {
  public:
    OnDialog(const char* className, std::function<void(HWND)> action)
        : name(className), act(std::move(action)) {
        timer = SetTimer(nullptr, 0, 40, tick);
        handlers()[timer] = this;
    }
    ~OnDialog() {
        KillTimer(nullptr, timer);
        handlers().erase(timer);
    }
    bool ran = false;

  private:
    static std::map<UINT_PTR, OnDialog*>& handlers() {
        static std::map<UINT_PTR, OnDialog*> all;
        return all;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
        auto found = handlers().find(id);
        if (found == handlers().end()) {
            return;
        }
        OnDialog* self = found->second;
        HWND dialog = FindWindowA(self->name.c_str(), nullptr);
        if (dialog == nullptr || !IsWindowVisible(dialog)) {
            return;
        }
        if (!self->ran) {
            self->ran = true;
            self->at = GetTickCount();
            self->act(dialog);
        } else if (GetTickCount() - self->at > 3000) {
            // The action did not end the dialog: closed, so the test fails
            // on what it checks next instead of waiting for ever.
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    }
    std::string name;
    std::function<void(HWND)> act;
    UINT_PTR timer;
    DWORD at = 0;
};

// A real key stroke sent to whatever has the focus.
void stroke(WORD key) {
    testsupport::pressKeys({key});
}

// The colour of a spell-list row on the screen, read beside the sound column's
// text, where only the row's background shows.
COLORREF rowPixel(Editor& editor, int row) {
    HWND list = editor.controlHandle(IDC_SPELL_LIST);
    RECT cell = {};
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump(30);
    POINT at = {cell.right - 8, (cell.top + cell.bottom) / 2};
    ClientToScreen(list, &at);
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return color;
}

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

class EditHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game = freshGame();
        ASSERT_TRUE(setGameDirectory(game));
    }
    std::string game;
};

} // namespace

TEST_F(EditHistoryTest, BlanksInNamesAndDescriptionsSaveAsFullWidthSpaces) {
    const struct {
        int row;
        std::string name, description, savedName, savedDescription;
    } cases[] = {
        {0, "Fire Ball", "hot and bright",
         "Fire\x81\x40"
         "Ball",
         "hot\x81\x40"
         "and\x81\x40"
         "bright"},
        {3, " lead", "tab\there ", "\x81\x40lead", "tab\x81\x40here\x81\x40"},
        {6, "NoBlank", "\x95\x5c \x95\x5c", "NoBlank", "\x95\x5c\x81\x40\x95\x5c"},
    };
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    std::vector<SpellLine> expected = asWritten(spellLines(1));
    for (const auto& c : cases) {
        editor.selectRow(c.row);
        editor.type(IDC_NAME, c.name);
        editor.type(IDC_DESCRIPTION, c.description);
        int spell = static_cast<int>(editor.document()->entryAt(c.row)->getIndex());
        expected[static_cast<size_t>(spell)].name = c.savedName;
        expected[static_cast<size_t>(spell)].description = c.savedDescription;
    }
    editor.command(IDM_SAVE);
    // Every number and every other spell reads back as it was written.
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\MagicTable"), magicTableText(expected));
    for (const auto& c : cases) {
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, c.row, 1), c.savedName);
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, c.row, 10), c.savedDescription);
    }
    EXPECT_FALSE(editor.document()->hasChanged());
}

TEST_F(EditHistoryTest, MixedStepsUndoAndRedoAsTheModelPredicts) {
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    RZEditData* document = editor.document();
    EXPECT_TRUE(greyed(editor, IDM_UNDO));
    EXPECT_TRUE(greyed(editor, IDM_REDO));
    // The model: the table after each step, and the row each step selects.
    std::vector<std::string> states{tableState(document)};
    std::vector<int> rows{0};
    auto stepDone = [&](int row) {
        states.push_back(tableState(document));
        rows.push_back(row);
    };

    editor.selectRow(1);
    focus(editor, IDC_COST);
    typeKeys(editor, "47"); // one burst of typing: one step
    stepDone(1);
    focus(editor, IDC_NAME); // the focus moves: a new step, on all three levels
    typeKeys(editor, "ab");
    stepDone(1);
    editor.pickTarget(3);
    stepDone(1);
    editor.selectRow(4);
    focus(editor, IDC_EFFICIENCY);
    typeKeys(editor, "9");
    stepDone(4);
    editor.command(IDM_REVERT);
    stepDone(4);
    editor.command(IDM_RESET_TO_STOCK);
    stepDone(4);
    ASSERT_TRUE(testsupport::writeFile(game + "\\SetA\\other.01.wav", "RIFF"));
    answers.push(IDOK, game + "\\SetA\\other.01.wav");
    editor.command(IDC_SOUND_CHOOSE);
    stepDone(4);
    ASSERT_EQ(states.size(), 8u);
    for (size_t i = 1; i < states.size(); ++i) {
        EXPECT_NE(states[i], states[i - 1]) << "step " << i << " changed nothing";
    }
    EXPECT_EQ(tableState(document), states.back());

    // Undo every step with Ctrl+Z from the cost box: the table, the row selected
    // and the box's text follow the model back to the loaded table.
    focus(editor, IDC_COST);
    for (size_t i = states.size() - 1; i > 0; --i) {
        EXPECT_FALSE(greyed(editor, IDM_UNDO));
        editor.press({VK_CONTROL, 'Z'});
        EXPECT_EQ(tableState(document), states[i - 1]) << "undo of step " << i;
        EXPECT_EQ(editor.selectedRow(), rows[i]) << "undo of step " << i;
        EXPECT_EQ(windowText(editor.controlHandle(IDC_COST)),
                  std::to_string(document->entryAt(rows[i])->getCost()));
    }
    EXPECT_TRUE(greyed(editor, IDM_UNDO));
    EXPECT_FALSE(document->hasChanged());
    // Redo with Ctrl+Y and Shift+Ctrl+Z.
    editor.press({VK_CONTROL, 'Y'});
    EXPECT_EQ(tableState(document), states[1]);
    editor.press({VK_SHIFT, VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(document), states[2]);
    editor.command(IDM_REDO);
    EXPECT_EQ(tableState(document), states[3]);
    EXPECT_EQ(editor.selectedRow(), 1);
    // A new step forgets what could be redone.
    focus(editor, IDC_RANGE);
    typeKeys(editor, "5");
    std::string edited = tableState(document);
    EXPECT_TRUE(greyed(editor, IDM_REDO));
    editor.press({VK_CONTROL, 'Y'});
    EXPECT_EQ(tableState(document), edited);

    // Saving keeps the history; undoing after it makes the table differ from the
    // file again, and the exit question asks.
    editor.command(IDM_SAVE);
    std::string saved = testsupport::readFile(game + "\\SetA\\Data\\MagicTable");
    EXPECT_FALSE(document->hasChanged());
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(document), states[3]);
    EXPECT_TRUE(document->hasChanged());
    answers.push(IDCANCEL);
    editor.command(IDM_EXIT);
    ASSERT_EQ(answers.seen.size(), 2u);
    EXPECT_EQ(answers.seen[1].caption, "プログラムの終了");
    editor.press({VK_CONTROL, 'Y'});
    EXPECT_FALSE(document->hasChanged());
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\MagicTable"), saved);
    // Loading another table clears the history.
    editor.command(IDM_RELOAD);
    EXPECT_TRUE(greyed(editor, IDM_UNDO));
    EXPECT_TRUE(greyed(editor, IDM_REDO));
    // Reverting a row that was not edited is a step too; undoing it changes
    // nothing and selects its row.
    std::string loaded = tableState(document);
    editor.selectRow(7);
    editor.command(IDM_REVERT);
    editor.selectRow(2);
    EXPECT_FALSE(greyed(editor, IDM_UNDO));
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(document), loaded);
    EXPECT_EQ(editor.selectedRow(), 7);
    EXPECT_TRUE(greyed(editor, IDM_UNDO));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(EditHistoryTest, RowColoursShowChangesAndStockDifferences) {
    ASSERT_TRUE(setGameDirectory(stockLikeGame()));
    Editor editor;
    SetWindowPos(editor.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    editor.command(editor.dataSetId("Near"));
    const int spell2 = rowOf(2, 1);
    // Selected far below, so no checked row shows the selection colour.
    editor.selectRow(0);
    editor.type(IDC_COST, "123");
    editor.selectRow(5);
    EXPECT_EQ(rowPixel(editor, 0), YELLOW);
    for (int row = 1; row < 5; ++row) {
        EXPECT_EQ(rowPixel(editor, row), WHITE) << row;
    }
    // Stock differences: only spell 2's first level, and yellow wins.
    editor.command(IDM_SHOW_STOCK_DIFF);
    EXPECT_NE(GetMenuState(GetMenu(editor.hwnd), IDM_SHOW_STOCK_DIFF, MF_BYCOMMAND) & MF_CHECKED,
              0u);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(rowPixel(editor, row), row == 0 ? YELLOW : row == spell2 ? BLUE : WHITE) << row;
    }
    // Undo takes row 0 back to its loaded value: white again.
    editor.command(IDM_UNDO);
    editor.selectRow(5);
    EXPECT_EQ(rowPixel(editor, 0), WHITE);
    editor.command(IDM_REDO);
    editor.selectRow(5);
    // A save makes every row equal its baseline: row 0 now differs from stock only.
    editor.command(IDM_SAVE);
    editor.selectRow(5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(rowPixel(editor, row), row == 0 || row == spell2 ? BLUE : WHITE) << row;
    }
    editor.command(IDM_SHOW_STOCK_DIFF);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(rowPixel(editor, row), WHITE) << row;
    }
}

TEST_F(EditHistoryTest, FindSelectsMatchingRowsForwardAndBackward) {
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    // Texts to find: an ASCII name in two spells, and a description with the
    // two-byte 表, whose second byte is a backslash.
    editor.selectRow(rowOf(5, 1));
    editor.type(IDC_NAME, "Fire Ball");
    editor.selectRow(rowOf(20, 1));
    editor.type(IDC_SOUND, "bigFIRE");
    editor.selectRow(rowOf(9, 1));
    editor.type(IDC_DESCRIPTION, "表の説明");
    editor.selectRow(0);
    // The model: rows whose name, description or sound holds "fire", any case.
    std::vector<int> matches;
    for (int row = 0; row < editor.rowCount(IDC_SPELL_LIST); ++row) {
        std::string texts = editor.document()->entryAt(row)->getName() + "|" +
                            editor.document()->entryAt(row)->getDescription() + "|" +
                            editor.document()->entryAt(row)->getSound();
        std::transform(texts.begin(), texts.end(), texts.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        if (texts.find("fire") != std::string::npos) {
            matches.push_back(row);
        }
    }
    ASSERT_GE(matches.size(), 4u);

    focus(editor, IDC_SPELL_LIST);
    {
        OnDialog find("RZFindDialog", [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIND_TEXT, "FiRe");
            SetForegroundWindow(dialog);
            SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
            stroke(VK_RETURN);
        });
        editor.press({VK_CONTROL, 'F'});
        pump(200);
        EXPECT_TRUE(find.ran);
    }
    EXPECT_EQ(editor.selectedRow(), matches[0]);
    for (size_t i = 1; i < matches.size() + 1; ++i) {
        editor.press({VK_F3});
        EXPECT_EQ(editor.selectedRow(), matches[i % matches.size()]) << i;
    }
    editor.press({VK_SHIFT, VK_F3});
    EXPECT_EQ(editor.selectedRow(), matches.back());

    // A backslash is never found inside 表: the box says so, the row stays.
    {
        OnDialog find("RZFindDialog", [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIND_TEXT, "\\");
            SetForegroundWindow(dialog);
            SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
            stroke(VK_RETURN);
        });
        answers.push(IDOK);
        editor.command(IDM_FIND);
    }
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "検索", "「\\」は見つかりませんでした。", MB_OK, IDI_INFORMATION);
    EXPECT_EQ(editor.selectedRow(), matches.back());
    // Escape cancels the box and keeps the last search text.
    {
        std::string shown;
        OnDialog find("RZFindDialog", [&shown](HWND dialog) {
            char text[64] = {};
            GetDlgItemTextA(dialog, IDC_FIND_TEXT, text, sizeof(text));
            shown = text;
            SetForegroundWindow(dialog);
            SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
            stroke(VK_ESCAPE);
        });
        editor.command(IDM_FIND);
        EXPECT_EQ(shown, "\\");
    }
    EXPECT_EQ(editor.selectedRow(), matches.back());
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(EditHistoryTest, StockDifferencesListJumpAndReset) {
    std::string root = stockLikeGame();
    ASSERT_TRUE(setGameDirectory(root));
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
    std::string caption;
    OnDialog diff("RZStockDiffDialog", [&](HWND dialog) {
        char text[256] = {};
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        HWND list = GetDlgItem(dialog, IDC_DIFF_LIST);
        int n = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < n; ++r) {
            std::vector<std::string> cells;
            for (int c = 0; c < 6; ++c) {
                char cell[256] = {};
                LVITEMA item = {};
                item.iSubItem = c;
                item.pszText = cell;
                item.cchTextMax = sizeof cell;
                SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(r),
                             reinterpret_cast<LPARAM>(&item));
                cells.push_back(cell);
            }
            listed.push_back(cells);
        }
        // Enter on the second row jumps to it.
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
        SetForegroundWindow(dialog);
        SetFocus(list);
        stroke(VK_RETURN);
    });
    editor.command(IDM_STOCK_DIFF);
    EXPECT_TRUE(diff.ran);
    EXPECT_EQ(caption, "標準データとの差分");
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(editor.selectedRow(), rowOf(4, 1));

    // A double click on the third row jumps to it as well.
    OnDialog click("RZStockDiffDialog", [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_DIFF_LIST);
        RECT cell = {};
        cell.left = LVIR_LABEL;
        SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&cell));
        POINT at = {cell.left + 4, (cell.top + cell.bottom) / 2};
        ClientToScreen(list, &at);
        SetForegroundWindow(dialog);
        SetCursorPos(at.x, at.y);
        INPUT clicks[4] = {};
        const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                                MOUSEEVENTF_LEFTUP};
        for (int i = 0; i < 4; ++i) {
            clicks[i].type = INPUT_MOUSE;
            clicks[i].mi.dwFlags = flags[i];
        }
        SendInput(4, clicks, sizeof(INPUT));
    });
    editor.command(IDM_STOCK_DIFF);
    EXPECT_TRUE(click.ran);
    EXPECT_EQ(editor.selectedRow(), rowOf(8, 1));

    // Reset to stock: the level's numbers and the spell's shared values, one step.
    editor.selectRow(rowOf(8, 2));
    editor.command(IDM_RESET_TO_STOCK);
    EXPECT_EQ(editor.document()->entryAt(rowOf(8, 1))->getName(), "呪文08-0");
    editor.selectRow(rowOf(2, 1));
    editor.command(IDM_RESET_TO_STOCK);
    EXPECT_EQ(editor.document()->entryAt(rowOf(2, 1))->getCost(), spellLines(0)[2].numbers[0]);
    editor.command(IDM_UNDO);
    EXPECT_EQ(editor.document()->entryAt(rowOf(2, 1))->getCost(), 99);
    EXPECT_EQ(editor.document()->entryAt(rowOf(8, 1))->getName(), "呪文08-0");

    // A stock table that ends before the last spells: their levels have no
    // stock values, so they differ in nothing, stay white with the colours on,
    // and putting one back to stock leaves it as it is.
    std::vector<SpellLine> shortStock = spellLines(0);
    shortStock.resize(40);
    ASSERT_TRUE(
        testsupport::writeFile(root + "\\Default\\Data\\MagicTable", magicTableText(shortStock)));
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
    DeleteFileA((root + "\\Default\\Data\\MagicTable").c_str());
    editor.command(IDM_RELOAD);
    for (int id : {IDM_STOCK_DIFF, IDM_RESET_TO_STOCK, IDM_SHOW_STOCK_DIFF}) {
        EXPECT_TRUE(greyed(editor, id)) << id;
    }
}
