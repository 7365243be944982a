// The main window as built: controls, columns, menus, accelerators, fonts, title.
#include "app/data/RZSpellFields.h"
#include "app/operations/RZExMenu.h"
#include "app/operations/RZListeners.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HFont.h"
#include "toolkit/HListView.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <cstdlib>
#include <string>
#include <vector>

using RZSpellFields::listColumnOf;

using namespace editortest;

namespace {

struct Expected {
    int id;
    const char* nativeClass;
    const char* text;
    int x, y, w, h;
};

const Expected CONTROLS[] = {
    {IDC_SPELL_LIST, "SysListView32", "", 0, 0, 632, 144},
    {IDC_PREVIOUS, "Button", "↑前へ", 10, 147, 70, 20},
    {IDC_NEXT, "Button", "次へ↓", 80, 147, 70, 20},
    {IDC_REVERT, "Button", "元に戻す", 160, 147, 70, 20},
    {IDC_NAME_LABEL, "Static", "名称", 10, 174, 44, 16},
    {IDC_NAME, "Edit", "", 54, 172, 156, 20},
    {IDC_LEVEL_LABEL, "Static", "ﾚﾍﾞﾙ", 226, 174, 44, 16},
    {IDC_LEVEL, "Edit", "", 270, 172, 40, 20},
    {IDC_ELEMENT_LABEL, "Static", "属性", 10, 196, 44, 16},
    {IDC_ELEMENT, "Edit", "", 54, 194, 40, 20},
    {IDC_RANK_LABEL, "Static", "ﾗﾝｸ", 110, 196, 44, 16},
    {IDC_RANK, "Edit", "", 154, 194, 40, 20},
    {IDC_TARGET_LABEL, "Static", "対象", 226, 196, 44, 16},
    {IDC_TARGET, "ComboBox", "", 270, 194, 156, -1},
    {IDC_COST_LABEL, "Static", "消費", 10, 218, 44, 16},
    {IDC_COST, "Edit", "", 54, 216, 40, 20},
    {IDC_RANGE_LABEL, "Static", "射程", 110, 218, 44, 16},
    {IDC_RANGE, "Edit", "", 154, 216, 40, 20},
    {IDC_AREA_LABEL, "Static", "範囲", 226, 218, 44, 16},
    {IDC_AREA, "Edit", "", 270, 216, 40, 20},
    {IDC_EFFICIENCY_LABEL, "Static", "効率", 326, 218, 44, 16},
    {IDC_EFFICIENCY, "Edit", "", 370, 216, 40, 20},
    {IDC_DESCRIPTION_LABEL, "Static", "説明", 10, 240, 44, 16},
    {IDC_DESCRIPTION, "Edit", "", 54, 238, 372, 20},
    {IDC_SOUND_LABEL, "Static", "効果音", 10, 262, 44, 16},
    {IDC_SOUND, "Edit", "", 54, 260, 156, 20},
    {IDC_SOUND_CHOOSE, "Button", "選択...", 210, 260, 60, 20},
    {IDC_PLAY_TEST, "Button", "再生ﾃｽﾄ", 270, 260, 60, 20},
    {IDC_PICTURE_LABEL, "Static", "画像", 10, 284, 44, 16},
    {IDC_PICTURE_REPLACE, "Button", "画像差替", 54, 282, 100, 20},
    {IDC_PICTURE, "Static", "", 54, 304, 372, 128},
    {IDC_CHARACTERS_LABEL, "Static", "使用可能キャラ", 442, 174, 180, 16},
    {IDC_CHARACTERS, "SysListView32", "", 442, 192, 180, 188},
};

std::string menuText(HMENU menu, UINT position) {
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

std::string headerText(HWND list, int column) {
    char text[256] = {};
    LVCOLUMNA c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = text;
    c.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    return std::string(text) + "/" + std::to_string(c.cx) + "/" +
           ((c.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT ? "R" : "L");
}

} // namespace

class RZWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(setGameDirectory(sharedGame())); }
};

TEST_F(RZWindowTest, ControlsStandWhereTheFormSays) {
    Editor editor;
    HWND previous = nullptr;
    for (const Expected& e : CONTROLS) {
        SCOPED_TRACE(e.id);
        HWND control = editor.controlHandle(e.id);
        ASSERT_NE(control, nullptr);
        char name[64] = {};
        GetClassNameA(control, name, sizeof(name));
        EXPECT_STRCASEEQ(name, e.nativeClass);
        char text[128] = {};
        GetWindowTextA(control, text, sizeof(text));
        EXPECT_EQ(std::string(text), e.text);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, editor.hwnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, e.x);
        EXPECT_EQ(r.top, e.y);
        EXPECT_EQ(r.right - r.left, e.w);
        if (e.h > 0) {
            EXPECT_EQ(r.bottom - r.top, e.h);
        }
        // Children were created in id order: each lies after the one before.
        HWND before = GetWindow(control, GW_HWNDPREV);
        if (previous != nullptr) {
            EXPECT_EQ(before, previous);
        }
        previous = control;
    }
}

TEST_F(RZWindowTest, EditSettingsAndStartUpState) {
    Editor editor;
    EXPECT_EQ(editor.title(), "RZEdit 1.02");
    EXPECT_EQ(versionText(), "1.02");
    RECT r;
    GetWindowRect(editor.hwnd, &r);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 480) / 2);
    LONG style = GetWindowLongA(editor.hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);

    const int readOnly[] = {IDC_LEVEL, IDC_ELEMENT, IDC_RANK};
    for (int id : readOnly) {
        EXPECT_NE(GetWindowLongA(editor.controlHandle(id), GWL_STYLE) & ES_READONLY, 0) << id;
    }
    const int number[] = {IDC_RANGE, IDC_AREA, IDC_EFFICIENCY};
    for (int id : number) {
        EXPECT_NE(GetWindowLongA(editor.controlHandle(id), GWL_STYLE) & ES_NUMBER, 0) << id;
    }
    const int limits[][2] = {{IDC_NAME, 40}, {IDC_COST, 4},       {IDC_RANGE, 4},
                             {IDC_AREA, 2},  {IDC_EFFICIENCY, 2}, {IDC_DESCRIPTION, 256},
                             {IDC_SOUND, 80}};
    for (const auto& limit : limits) {
        EXPECT_EQ(SendMessageA(editor.controlHandle(limit[0]), EM_GETLIMITTEXT, 0, 0), limit[1])
            << limit[0];
    }
    // Nothing loaded: empty lists, empty boxes.
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 0);
    EXPECT_EQ(editor.rowCount(IDC_CHARACTERS), 0);
    EXPECT_EQ(editor.control(IDC_PLAY_TEST)->getUserObject(),
              static_cast<void*>(editor.window->getWavePlayer()));
    // The area box refuses letters and a third digit.
    HWND area = editor.controlHandle(IDC_AREA);
    SetFocus(area);
    SendMessageA(area, WM_CHAR, 'x', 0);
    SendMessageA(area, WM_CHAR, '1', 0);
    SendMessageA(area, WM_CHAR, '2', 0);
    SendMessageA(area, WM_CHAR, '3', 0);
    char text[16] = {};
    GetWindowTextA(area, text, sizeof(text));
    EXPECT_STREQ(text, "12");
}

TEST_F(RZWindowTest, FontsColumnsAndPreviewBuffer) {
    Editor editor;
    HFONT windowFont = editor.window->getWindowFont()->getHandle();
    ASSERT_NE(windowFont, nullptr);
    LOGFONTA face = {};
    GetObjectA(windowFont, sizeof(face), &face);
    EXPECT_STREQ(face.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(face.lfCharSet, SHIFTJIS_CHARSET);
    for (int id = IDC_PREVIOUS; id <= IDC_LAST_CONTROL; ++id) {
        if (id == IDC_PICTURE) {
            continue;
        }
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(editor.controlHandle(id), WM_GETFONT, 0, 0)),
                  windowFont)
            << id;
    }
    EXPECT_NE(reinterpret_cast<HFONT>(
                  SendMessageA(editor.controlHandle(IDC_SPELL_LIST), WM_GETFONT, 0, 0)),
              windowFont);

    const char* spell[] = {"行/24/L",   "名称/96/L", "Lv/36/L",    "属/24/L",
                           "Rk/24/L",   "対象/36/L", "消費/36/R",  "射程/36/R",
                           "範囲/36/R", "効率/36/R", "説明/132/L", "効果音/96/L"};
    ASSERT_EQ(testsupport::listHeadings(editor.controlHandle(IDC_SPELL_LIST)).size(),
              std::size(spell));
    for (int c = 0; c < static_cast<int>(std::size(spell)); ++c) {
        EXPECT_EQ(headerText(editor.controlHandle(IDC_SPELL_LIST), c), spell[c]);
    }
    EXPECT_EQ(headerText(editor.controlHandle(IDC_CHARACTERS), 0), "ＩＤ/116/L");
    EXPECT_EQ(headerText(editor.controlHandle(IDC_CHARACTERS), 1), "ﾗﾝｸ/36/L");
    EXPECT_NE(GetWindowLongA(editor.controlHandle(IDC_SPELL_LIST), GWL_STYLE) & LVS_SINGLESEL, 0);
}

TEST_F(RZWindowTest, MenusAcceleratorsAndDataSets) {
    Editor editor;
    HMENU bar = GetMenu(editor.hwnd);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(menuText(bar, 0), "ﾌｧｲﾙ(&F)");
    EXPECT_EQ(menuText(bar, 1), "編集(&E)");
    EXPECT_EQ(menuText(bar, 2), "ツール(&T)");
    EXPECT_EQ(menuText(bar, 3), "その他(&O)");
    HMENU file = GetSubMenu(bar, 0);
    const char* fileItems[] = {"新規作成(&N)\tCtrl+N",
                               "開く(&O)\tCtrl+O",
                               "再読込(&R)\tF5",
                               "",
                               "上書き保存(&S)\tCtrl+S",
                               "名前をつけて保存(&A)\tShift+Ctrl+S",
                               "",
                               "終了(&X)\tCtrl+Q"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(menuText(file, static_cast<UINT>(i)), fileItems[i]);
        EXPECT_EQ(GetMenuItemID(file, i), static_cast<UINT>(IDM_NEW + i));
    }
    // The data sets follow: a separator, then one item per set with Config.
    std::vector<std::string> sets;
    int count = GetMenuItemCount(file);
    ASSERT_GE(count, 9);
    EXPECT_EQ(GetMenuItemID(file, 8), static_cast<UINT>(IDM_DATA_SET_SEPARATOR));
    for (int i = 9; i < count; ++i) {
        EXPECT_EQ(GetMenuItemID(file, i), static_cast<UINT>(IDM_FIRST_DATA_SET + (i - 9)));
        sets.push_back(menuText(file, static_cast<UINT>(i)));
    }
    std::sort(sets.begin(), sets.end());
    EXPECT_EQ(sets, (std::vector<std::string>{"Empty", "SetA", "SetB"}));
    EXPECT_EQ(editor.window->getDataSetMenu()->getNextId(), IDM_FIRST_DATA_SET + 3);

    HMENU edit = GetSubMenu(bar, 1);
    const struct {
        const char* text;
        int id;
    } editItems[] = {{"前へ(&N)\tCtrl+↑", IDM_PREVIOUS},
                     {"次へ(&P)\tCtrl+↓", IDM_NEXT},
                     {"先頭へ移動(&T)\tCtrl+Home", IDM_FIRST},
                     {"末尾へ移動(&B)\tCtrl+End", IDM_LAST},
                     {"", IDM_EDIT_SEPARATOR_1},
                     {"元に戻す(&U)\tCtrl+F5", IDM_REVERT},
                     {"", IDM_EDIT_SEPARATOR_2},
                     {"取り消し(&Z)\tCtrl+Z", IDM_UNDO},
                     {"やり直し(&Y)\tCtrl+Y", IDM_REDO},
                     {"", IDM_EDIT_SEPARATOR_3},
                     {"検索(&F)...\tCtrl+F", IDM_FIND},
                     {"次を検索(&N)\tF3", IDM_FIND_NEXT},
                     {"絞り込み(&L)...\tCtrl+L", IDM_FILTER},
                     {"絞り込みの解除(&W)\tShift+Ctrl+L", IDM_CLEAR_FILTER}};
    ASSERT_EQ(GetMenuItemCount(edit), 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(menuText(edit, static_cast<UINT>(i)), editItems[i].text);
        EXPECT_EQ(GetMenuItemID(edit, i), static_cast<UINT>(editItems[i].id));
    }
    HMENU tools = GetSubMenu(bar, 2);
    const char* const toolItems[] = {"標準データとの差分(&D)...",
                                     "選択した呪文を標準に戻す(&R)",
                                     "標準データとの違いを色で表示(&C)",
                                     "",
                                     "TSVファイルに書き出し(&E)...",
                                     "TSVファイルから読み込み(&I)...",
                                     "表をコピー(&C)",
                                     "貼り付け(&V)",
                                     "",
                                     "表のチェック(&K)...",
                                     "一括変更(&B)...",
                                     "キャラクター別の呪文(&A)...",
                                     "他の表と比較(&M)..."};
    const int toolIds[] = {IDM_STOCK_DIFF,        IDM_RESET_TO_STOCK, IDM_SHOW_STOCK_DIFF,
                           IDM_TOOLS_SEPARATOR_1, IDM_EXPORT_TSV,     IDM_IMPORT_TSV,
                           IDM_COPY_TABLE,        IDM_PASTE_TABLE,    IDM_TOOLS_SEPARATOR_2,
                           IDM_TABLE_CHECK,       IDM_BULK_CHANGE,    IDM_CHARACTER_SPELLS,
                           IDM_COMPARE_TABLE};
    ASSERT_EQ(GetMenuItemCount(tools), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(menuText(tools, static_cast<UINT>(i)), toolItems[i]);
        EXPECT_EQ(GetMenuItemID(tools, i), static_cast<UINT>(toolIds[i]));
    }
    // The items on the whole table wait for a table, the stock tools for a stock table.
    for (UINT id : {175, 176, 177, 178, 180, 181, 182, 183}) {
        EXPECT_NE(GetMenuState(tools, id, MF_BYCOMMAND) & MF_GRAYED, 0u) << id;
    }
    for (int id : {IDM_STOCK_DIFF, IDM_RESET_TO_STOCK, IDM_SHOW_STOCK_DIFF}) {
        EXPECT_NE(GetMenuState(tools, id, MF_BYCOMMAND) & MF_GRAYED, 0u) << id;
    }
    // Nothing to undo or redo in a new window, and the colours start off.
    EXPECT_NE(GetMenuState(edit, IDM_UNDO, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(edit, IDM_REDO, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(edit, IDM_FILTER, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(edit, IDM_CLEAR_FILTER, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(tools, IDM_SHOW_STOCK_DIFF, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(menuText(GetSubMenu(bar, 3), 0), "ﾊﾞｰｼﾞｮﾝ情報(&A)");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 3), 0), static_cast<UINT>(IDM_ABOUT));

    ACCEL table[30] = {};
    int n = CopyAcceleratorTableA(editor.window->getAccelerator(), table, 30);
    ASSERT_EQ(n, 21);
    const int expected[21][3] = {
        {0x0B, 0x4E, IDM_NEW},           {0x0B, 0x4F, IDM_OPEN},    {0x03, 0x74, IDM_RELOAD},
        {0x0B, 0x53, IDM_SAVE},          {0x0F, 0x53, IDM_SAVE_AS}, {0x0B, 0x51, IDM_EXIT},
        {0x0B, 0x26, IDM_PREVIOUS},      {0x0B, 0x28, IDM_NEXT},    {0x0B, 0x21, IDM_PREVIOUS},
        {0x0B, 0x22, IDM_NEXT},          {0x0B, 0x24, IDM_FIRST},   {0x0B, 0x23, IDM_LAST},
        {0x0B, 0x74, IDM_REVERT},        {0x0B, 0x5A, IDM_UNDO},    {0x0B, 0x59, IDM_REDO},
        {0x0F, 0x5A, IDM_REDO},          {0x0B, 0x46, IDM_FIND},    {0x03, 0x72, IDM_FIND_NEXT},
        {0x07, 0x72, IDM_FIND_PREVIOUS}, {0x0B, 0x4C, IDM_FILTER},  {0x0F, 0x4C, IDM_CLEAR_FILTER}};
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(table[i].fVirt & 0x7F, expected[i][0]) << i;
        EXPECT_EQ(table[i].key, expected[i][1]) << i;
        EXPECT_EQ(table[i].cmd, expected[i][2]) << i;
    }
}

TEST_F(RZWindowTest, NoGameDirectoryMeansNoDataSetItems) {
    ASSERT_TRUE(setGameDirectory(testsupport::runDirectory() + "\\no-such-game"));
    Editor editor;
    HMENU file = GetSubMenu(GetMenu(editor.hwnd), 0);
    EXPECT_EQ(GetMenuItemCount(file), 8);
    EXPECT_EQ(editor.window->getDataSetMenu()->getNextId(), IDM_DATA_SET_SEPARATOR);
}

TEST_F(RZWindowTest, TabFromTheNameBoxReachesTheReadOnlyLevelBox) {
    Editor editor;
    SetFocus(editor.controlHandle(IDC_NAME));
    SendMessageA(editor.controlHandle(IDC_NAME), WM_CHAR, '\t', 0);
    EXPECT_EQ(GetFocus(), editor.controlHandle(IDC_LEVEL));
}

// For a look at the window by hand: keeps it open with a table loaded for
// RZ_SHOW_SECONDS seconds (run with --gtest_also_run_disabled_tests).
TEST_F(RZWindowTest, DISABLED_ShowWithATableLoaded) {
    const char* seconds = std::getenv("RZ_SHOW_SECONDS");
    if (!demoDirectory().empty()) {
        setGameDirectory(demoDirectory());
    }
    Editor editor;
    editor.command(demoDirectory().empty() ? editor.dataSetId("SetA") : IDM_FIRST_DATA_SET);
    editor.selectRow(2);
    pump(static_cast<unsigned>(1000 * (seconds != nullptr ? std::atoi(seconds) : 5)));
}
