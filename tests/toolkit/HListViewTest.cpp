#include "tests/common/TestSupport.h"
#include "tests/toolkit/ControlTestWindow.h"
#include "toolkit/HListView.h"
#include "toolkit/HListViewEventListener.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

using controltest::Window;
using testsupport::LogTail;
using testsupport::pumpMessages;

namespace {
std::string nativeHeader(HWND hwnd, int column) {
    char text[1024] = {};
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    SendMessageA(hwnd, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    return text;
}

int nativeColumns(HWND hwnd) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(hwnd, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

// Records the callbacks; vetoes selecting or rejecting chosen rows.
class SelectionRecorder : public HListViewEventListener {
  public:
    bool onSelected(HWND h, HListView* lv, int index) override {
        calls.push_back("selected " + std::to_string(index));
        return HListViewEventListener::onSelected(h, lv, index);
    }
    bool onRejected(HWND h, HListView* lv, int index) override {
        calls.push_back("rejected " + std::to_string(index));
        return HListViewEventListener::onRejected(h, lv, index);
    }
    bool onSelecting(HWND h, HListView* lv, int index) override {
        calls.push_back("selecting " + std::to_string(index));
        lastHwnd = h;
        lastListView = lv;
        HListViewEventListener::onSelecting(h, lv, index);
        return index != vetoSelecting;
    }
    bool onRejecting(HWND h, HListView* lv, int index) override {
        calls.push_back("rejecting " + std::to_string(index));
        HListViewEventListener::onRejecting(h, lv, index);
        return index != vetoRejecting;
    }
    bool onColumnClick(HWND h, HListView* lv, int index) override {
        calls.push_back("column " + std::to_string(index));
        return HListViewEventListener::onColumnClick(h, lv, index);
    }
    bool saw(const std::string& call) const {
        for (const std::string& c : calls) {
            if (c == call) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> calls;
    int vetoSelecting = -1;
    int vetoRejecting = -1;
    HWND lastHwnd = nullptr;
    HListView* lastListView = nullptr;
};

// Fills three columns and the given number of rows ("r<row>c<column>").
void fill(HListView* list, int rowCount) {
    for (int row = 0; row < rowCount; ++row) {
        list->insertItem(row, "r" + std::to_string(row) + "c0");
        list->setItemText(row, 1, "r" + std::to_string(row) + "c1");
        list->setItemText(row, 2, "r" + std::to_string(row) + "c2");
        list->setItemParam(row, 0, 100 + row);
    }
}

// Every pixel of a window, frame and children included, as it is on screen.
std::vector<DWORD> capture(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    return testsupport::pixelsOf(width, height, [&](HDC memory) {
        HDC window = GetWindowDC(hwnd);
        BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, window);
    });
}

HListView* makeList(Window& window, int id) {
    HListView* list = window.make<HListView>(window.get(), id, "");
    list->setBounds(10, 10, 500, 300);
    list->setSingleSelection(true);
    list->addColumn("名前", 150, 0);
    list->addColumn("属性", 100, 0);
    list->addColumn("消費", 80, 0);
    return list;
}
} // namespace

TEST(HListView, RowsFilledBeforeCreateAreShownWithEveryCell) {
    Window window;
    HListView* list = makeList(window, 601);
    EXPECT_EQ("ListView", list->getKindName());
    EXPECT_EQ(1, list->insertItem(0, "ファイア"));
    EXPECT_EQ(1, list->setItemText(0, 1, "火"));
    EXPECT_EQ(1, list->setItemText(0, 2, "12"));
    fill(list, 0);
    EXPECT_EQ(1, list->insertItem(1, "アイス"));
    list->setItemText(1, 1, "水");
    list->setItemText(1, 2, "8");
    list->setItemParam(1, 0, 7);
    EXPECT_EQ(2, list->getItemCount());
    EXPECT_EQ(3, list->getColumnCount());
    // No control: nothing selected, nothing to select.
    EXPECT_EQ(-1, list->getSelectedIndex());
    EXPECT_EQ(-1, list->setSelectedIndex(0));

    window.show();
    HWND hwnd = list->getHandle();
    ASSERT_NE(nullptr, hwnd);
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    EXPECT_STREQ("SysListView32", className);
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(LVS_REPORT), style & LVS_TYPEMASK);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    DWORD extended = static_cast<DWORD>(SendMessageA(hwnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);

    ASSERT_EQ(3, nativeColumns(hwnd));
    EXPECT_EQ("名前", nativeHeader(hwnd, 0));
    EXPECT_EQ("消費", nativeHeader(hwnd, 2));
    ASSERT_EQ(2, testsupport::listRows(hwnd));
    EXPECT_EQ("ファイア", testsupport::listCell(hwnd, 0, 0));
    EXPECT_EQ("火", testsupport::listCell(hwnd, 0, 1));
    EXPECT_EQ("12", testsupport::listCell(hwnd, 0, 2));
    EXPECT_EQ("アイス", testsupport::listCell(hwnd, 1, 0));
    EXPECT_EQ("水", testsupport::listCell(hwnd, 1, 1));
    EXPECT_EQ("8", testsupport::listCell(hwnd, 1, 2));
    // The parameter set before create is on the control's item.
    EXPECT_EQ(7, list->getItemParam(1, 0));

    // A second create of the live control only notes it.
    LogTail log;
    list->create();
    EXPECT_EQ(hwnd, list->getHandle());
    EXPECT_TRUE(log.contains("HListView           :0144 情報：既に初期化されている、"
                             "または親コンポーネントに問題あり"));
}

TEST(HListView, AColumnAddedToTheLiveControlIsInsertedAtTheEnd) {
    Window window;
    HListView* list = makeList(window, 605);
    window.show();
    EXPECT_EQ(0, list->addColumn("詠唱", 60, 0));
    EXPECT_EQ(4, nativeColumns(list->getHandle()));
    EXPECT_EQ("詠唱", nativeHeader(list->getHandle(), 3));
    EXPECT_EQ(60, SendMessageA(list->getHandle(), LVM_GETCOLUMNWIDTH, 3, 0));
}

TEST(HListView, InsertionAppendsOutOfRangePositionsAndRenumbersFollowingRows) {
    Window window;
    HListView* list = makeList(window, 610);
    window.show();
    HWND hwnd = list->getHandle();

    EXPECT_EQ(0, list->insertItem(-5, "a"));
    EXPECT_EQ(0, list->insertItem(7, "b"));
    EXPECT_EQ(0, list->insertItem(2, "c"));
    EXPECT_EQ("a", list->getItemText(0, 0));
    EXPECT_EQ("b", list->getItemText(1, 0));
    EXPECT_EQ("c", list->getItemText(2, 0));

    // Inserting at 0 moves the old rows to 1, 2 and 3.
    EXPECT_EQ(0, list->insertItem(0, "first"));
    EXPECT_EQ(0, list->setItemText(1, 1, "was first"));
    EXPECT_EQ("a", list->getItemText(1, 0));
    EXPECT_EQ("was first", list->getItemText(1, 1));
    EXPECT_EQ("was first", testsupport::listCell(hwnd, 1, 1));
    EXPECT_EQ("a", testsupport::listCell(hwnd, 1, 0));
    EXPECT_EQ("first", testsupport::listCell(hwnd, 0, 0));
    EXPECT_EQ(4, testsupport::listRows(hwnd));
    // Setting the same cell again replaces its text.
    EXPECT_EQ(0, list->setItemText(1, 1, "again"));
    EXPECT_EQ("again", list->getItemText(1, 1));
    EXPECT_EQ(0, list->setItemText(3, 2, "c2"));
    EXPECT_EQ("c2", list->getItemText(3, 2));
}

TEST(HListView, OutOfRangeAccessIsAnsweredWithoutHarm) {
    Window window;
    HListView* list = makeList(window, 620);
    list->insertItem(0, "only");
    list->setItemText(0, 2, "third");

    EXPECT_EQ(2, list->setItemText(1, 0, "x"));
    EXPECT_EQ(2, list->setItemText(0, 3, "x"));
    EXPECT_EQ(2, list->setItemText(-1, 0, "x"));

    LogTail log;
    EXPECT_EQ("", list->getItemText(5, 0));
    EXPECT_TRUE(log.contains("HListView           :0394 情報：getItemText 範囲外アクセス"));
    EXPECT_EQ("", list->getItemText(0, -1));
    // A column inside the count for which the row has no cell.
    LogTail noCell;
    EXPECT_EQ("", list->getItemText(0, 1));
    EXPECT_TRUE(noCell.contains("getItemText 範囲外アクセス"));
    // Cells set out of column order still answer for their own column.
    EXPECT_EQ("third", list->getItemText(0, 2));

    EXPECT_EQ(0, list->getItemParam(3, 0));
    EXPECT_EQ(0, list->getItemParam(0, 1));
    EXPECT_EQ(2, list->setItemParam(0, 1, 5));
    EXPECT_EQ(2, list->setItemParam(9, 0, 5));
    EXPECT_TRUE(list->getItemColor(9) == HColor::WHITE);
    EXPECT_FALSE(list->setItemColor(9, HColor::BLACK));

    window.show();
    EXPECT_EQ(-1, list->setSelectedIndex(1));
    EXPECT_EQ(-1, list->setSelectedIndex(-1));
    EXPECT_EQ("", list->getItemText(0, 1));
}

TEST(HListView, LongTextsAreCut) {
    Window window;
    HListView* list = window.make<HListView>(window.get(), 630, "");
    list->setBounds(10, 10, 500, 300);
    list->addColumn(std::string(300, 'h'), 100, 0);
    list->insertItem(0, std::string(2000, 'x'));
    window.show();
    EXPECT_EQ(std::string(255, 'h'), nativeHeader(list->getHandle(), 0));
    EXPECT_EQ(std::string(1023, 'x'), list->getItemText(0, 0));
    EXPECT_EQ(std::string(1023, 'x'), testsupport::listCell(list->getHandle(), 0, 0));

    EXPECT_EQ(0, list->setItemText(0, 0, std::string(1500, 'y')));
    EXPECT_EQ(std::string(1023, 'y'), list->getItemText(0, 0));

    // A cut never leaves half of a two-byte character behind.
    std::string wide;
    for (int i = 0; i < 600; ++i) {
        wide += "魔";
    }
    list->setItemText(0, 0, "a" + wide);
    std::string cut = list->getItemText(0, 0);
    EXPECT_EQ(1023u, cut.size());
    EXPECT_EQ("a" + wide.substr(0, 1022), cut);
    list->setItemText(0, 0, wide);
    EXPECT_EQ(wide.substr(0, 1022), list->getItemText(0, 0));
}

TEST(HListView, ParametersArePointerSized) {
    Window window;
    HListView* list = makeList(window, 640);
    fill(list, 3);
    LPARAM big = static_cast<LPARAM>(0x123456789ABLL);
    EXPECT_EQ(0, list->setItemParam(2, 0, big));
    EXPECT_EQ(big, list->getItemParam(2, 0));
    window.show();
    EXPECT_EQ(big, list->getItemParam(2, 0));
    EXPECT_EQ(101, list->getItemParam(1, 0));
    LPARAM other = static_cast<LPARAM>(-2);
    EXPECT_EQ(0, list->setItemParam(1, 0, other));
    EXPECT_EQ(other, list->getItemParam(1, 0));
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = 1;
    SendMessageA(list->getHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(other, item.lParam);
    // A cell of another column keeps its own parameter in the copy.
    EXPECT_EQ(0, list->setItemParam(1, 2, 55));
    EXPECT_EQ(55, list->getItemParam(1, 2));
    EXPECT_EQ(other, list->getItemParam(1, 0));
}

TEST(HListView, RemoveAllItemsEmptiesCopyAndControl) {
    Window window;
    HListView* list = makeList(window, 650);
    EXPECT_EQ(0, list->removeAllItems());
    fill(list, 4);
    list->setItemColor(2, HColor(255, 0, 0));
    window.show();
    EXPECT_EQ(4, testsupport::listRows(list->getHandle()));
    EXPECT_EQ(0, list->removeAllItems());
    EXPECT_EQ(0, list->getItemCount());
    EXPECT_EQ(0, testsupport::listRows(list->getHandle()));
    EXPECT_EQ(-1, list->getSelectedIndex());
    EXPECT_TRUE(list->getItemColor(2) == HColor::WHITE);
    EXPECT_EQ(3, list->getColumnCount());
    // And it fills again as the main window does.
    fill(list, 2);
    EXPECT_EQ(0, list->setSelectedIndex(0));
    EXPECT_EQ(0, list->getSelectedIndex());
    EXPECT_EQ("r1c2", testsupport::listCell(list->getHandle(), 1, 2));
}

// A removed row takes its colour and check box with it: the rows below move up
// with theirs, and a row added at the end starts white and cleared.
TEST(HListView, ARemovedRowTakesItsColourAndCheckWithIt) {
    Window window;
    HListView* list = makeList(window, 660);
    list->setCheckBoxes(true);
    fill(list, 3);
    // A check given before the list has its window is kept, and shown once it has.
    list->setItemChecked(1, true);
    const bool before = list->isItemChecked(1);
    window.show();
    EXPECT_TRUE(before && list->isItemChecked(1));
    list->setItemChecked(1, false);
    list->setItemChecked(0, true);
    list->setItemChecked(2, true);
    list->setItemColor(0, HColor(255, 0, 0));
    EXPECT_FALSE(list->removeItem(3));
    ASSERT_TRUE(list->removeItem(0));
    EXPECT_EQ(0, list->insertItem(2, "new"));
    const char* texts[] = {"r1c0", "r2c0", "new"};
    const bool checks[] = {false, true, false};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(texts[row], testsupport::listCell(list->getHandle(), row, 0)) << row;
        EXPECT_EQ(checks[row], list->isItemChecked(row)) << row;
        EXPECT_TRUE(list->getItemColor(row) == HColor::WHITE) << row;
    }
}

// A refill between beginUpdate and endUpdate leaves on screen exactly what a
// full repaint of the control shows (rows, scroll bars, header): with the row
// count kept, with the vertical bar going and coming back or only its thumb
// moving, with the rows scrolled away from the top and the horizontal bar
// moved. A paint that was already waiting at endUpdate is not lost.
TEST(HListView, AnUpdateShowsWhatAFullRepaintShows) {
    Window window;
    HListView* list = makeList(window, 652);
    list->addColumn("説明", 400, 0);
    fill(list, 40);
    window.show();
    pumpMessages(100);
    HWND hwnd = list->getHandle();
    auto refill = [&](int rows, const std::string& tag) {
        list->beginUpdate();
        list->removeAllItems();
        for (int row = 0; row < rows; ++row) {
            list->insertItem(row, tag + std::to_string(row));
            for (int column = 1; column < 4; ++column) {
                list->setItemText(row, column, tag + std::to_string(row * column));
            }
        }
        list->endUpdate();
        pumpMessages(50);
        std::vector<DWORD> shown = capture(hwnd);
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpMessages(50);
        std::vector<DWORD> repainted = capture(hwnd);
        return !shown.empty() && shown == repainted;
    };
    EXPECT_TRUE(refill(40, "a"));
    EXPECT_TRUE(refill(3, "b"));
    EXPECT_TRUE(refill(60, "c"));
    EXPECT_TRUE(refill(45, "c")); // the vertical bar's thumb alone moves
    SendMessageA(hwnd, LVM_SCROLL, 120, 300);
    pumpMessages(50);
    EXPECT_TRUE(refill(60, "d"));
    EXPECT_TRUE(refill(2, "e"));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ("e1", testsupport::listCell(hwnd, 1, 0));

    HWND header = reinterpret_cast<HWND>(SendMessageA(hwnd, LVM_GETHEADER, 0, 0));
    list->beginUpdate();
    list->setItemText(0, 1, "f");
    InvalidateRect(header, nullptr, TRUE);
    list->endUpdate();
    EXPECT_TRUE(GetUpdateRect(header, nullptr, FALSE));
    pumpMessages(50);
    EXPECT_EQ("f", testsupport::listCell(hwnd, 0, 1));
}

TEST(HListView, SelectionAndItsCallbacks) {
    Window window;
    HListView* list = makeList(window, 660);
    fill(list, 5);
    SelectionRecorder* listener = window.make<SelectionRecorder>();
    list->addListener(listener);
    window.show();

    EXPECT_EQ(-1, list->getSelectedIndex());
    LogTail log;
    EXPECT_EQ(1, list->setSelectedIndex(1));
    pumpMessages(50);
    EXPECT_EQ(1, list->getSelectedIndex());
    EXPECT_TRUE(listener->saw("selecting 1"));
    EXPECT_TRUE(listener->saw("selected 1"));
    EXPECT_EQ(list->getHandle(), listener->lastHwnd);
    EXPECT_EQ(list, listener->lastListView);
    char line[128];
    snprintf(line, sizeof(line), "onSelected hwnd=%llX, lv=%llX index=1", hexOf(list->getHandle()),
             hexOf(list));
    EXPECT_TRUE(log.contains(line)) << line;
    UINT state = static_cast<UINT>(
        SendMessageA(list->getHandle(), LVM_GETITEMSTATE, 1, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), state);

    listener->calls.clear();
    EXPECT_EQ(3, list->setSelectedIndex(3));
    EXPECT_EQ(3, list->getSelectedIndex());
    EXPECT_TRUE(listener->saw("rejecting 1"));
    EXPECT_TRUE(listener->saw("rejected 1"));
    EXPECT_TRUE(listener->saw("selected 3"));
}

TEST(HListView, AVetoFromOnSelectingKeepsTheOldSelection) {
    Window window;
    HListView* list = makeList(window, 670);
    fill(list, 5);
    SelectionRecorder* listener = window.make<SelectionRecorder>();
    list->addListener(listener);
    window.show();
    list->setSelectedIndex(0);
    ASSERT_EQ(0, list->getSelectedIndex());

    listener->vetoSelecting = 2;
    listener->calls.clear();
    list->setSelectedIndex(2);
    pumpMessages(50);
    EXPECT_TRUE(listener->saw("selecting 2"));
    EXPECT_FALSE(listener->saw("selected 2"));
    EXPECT_EQ(0, list->getSelectedIndex());
    EXPECT_FALSE(SendMessageA(list->getHandle(), LVM_GETITEMSTATE, 2, LVIS_SELECTED));

    // A real click on the vetoed row keeps the old selection as well.
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    SendMessageA(list->getHandle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rect));
    SetForegroundWindow(window.handle());
    controltest::clickAt(list->getHandle(), POINT{rect.left + 20, (rect.top + rect.bottom) / 2});
    pumpMessages(200);
    EXPECT_EQ(0, list->getSelectedIndex());
    EXPECT_FALSE(listener->saw("selected 2"));

    // A click on a row that is allowed moves the selection.
    SendMessageA(list->getHandle(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect));
    rect.left = LVIR_BOUNDS;
    SendMessageA(list->getHandle(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect));
    controltest::clickAt(list->getHandle(), POINT{rect.left + 20, (rect.top + rect.bottom) / 2});
    pumpMessages(200);
    EXPECT_EQ(3, list->getSelectedIndex());
    EXPECT_TRUE(listener->saw("selected 3"));

    // So does the keyboard: Down onto a vetoed row leaves the selection put.
    listener->vetoSelecting = 4;
    SetFocus(list->getHandle());
    pumpMessages(50);
    controltest::typeKey(VK_DOWN);
    pumpMessages(150);
    EXPECT_TRUE(listener->saw("selecting 4"));
    EXPECT_EQ(3, list->getSelectedIndex());
    listener->vetoSelecting = -1;

    // A veto on losing the selection keeps the row selected too.
    listener->vetoRejecting = 3;
    list->setSelectedIndex(4);
    pumpMessages(50);
    EXPECT_TRUE(SendMessageA(list->getHandle(), LVM_GETITEMSTATE, 3, LVIS_SELECTED) &
                LVIS_SELECTED);
}

TEST(HListView, AClickOnAColumnHeaderReachesOnColumnClick) {
    Window window;
    HListView* list = makeList(window, 680);
    fill(list, 2);
    SelectionRecorder* listener = window.make<SelectionRecorder>();
    list->addListener(listener);
    window.show();

    HWND header = reinterpret_cast<HWND>(SendMessageA(list->getHandle(), LVM_GETHEADER, 0, 0));
    RECT rect = {};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    SetForegroundWindow(window.handle());
    controltest::clickAt(header, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    pumpMessages(200);
    EXPECT_TRUE(listener->saw("column 1"));
}

TEST(HListView, SortKeepsTheCopyInTheControlsOrder) {
    Window window;
    HListView* list = makeList(window, 690);
    fill(list, 6);
    list->setItemColor(0, HColor(255, 0, 0));
    window.show();
    EXPECT_FALSE(HListView(nullptr, 1, "").sortItems(nullptr, 0));

    // Descending by parameter: the rows come out reversed.
    PFNLVCOMPARE descending = [](LPARAM a, LPARAM b, LPARAM) -> int {
        return a < b ? 1 : (a > b ? -1 : 0);
    };
    ASSERT_TRUE(list->sortItems(descending, 0));
    for (int row = 0; row < 6; ++row) {
        std::string expected = "r" + std::to_string(5 - row);
        EXPECT_EQ(expected + "c0", list->getItemText(row, 0));
        EXPECT_EQ(expected + "c2", list->getItemText(row, 2));
        EXPECT_EQ(expected + "c0", testsupport::listCell(list->getHandle(), row, 0));
        EXPECT_EQ(expected + "c2", testsupport::listCell(list->getHandle(), row, 2));
        EXPECT_EQ(105 - row, list->getItemParam(row, 0));
    }
    EXPECT_TRUE(list->getItemColor(5) == HColor(255, 0, 0));
    EXPECT_TRUE(list->getItemColor(0) == HColor::WHITE);
    // Row indexes stay right for later edits.
    EXPECT_EQ(0, list->setItemText(5, 1, "edited"));
    EXPECT_EQ("edited", testsupport::listCell(list->getHandle(), 5, 1));
    EXPECT_EQ("edited", list->getItemText(5, 1));
    // Rewriting every cell, half of them with the text they hold (which is not
    // sent again), leaves the control showing what was written.
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 3; ++column) {
            std::string text = (row + column) % 2 == 0 ? list->getItemText(row, column)
                                                       : "w" + std::to_string(row * 3 + column);
            EXPECT_EQ(0, list->setItemText(row, column, text));
            EXPECT_EQ(text, testsupport::listCell(list->getHandle(), row, column));
        }
    }

    // Rows sharing one parameter are told apart by their first text.
    list->removeAllItems();
    list->insertItem(0, "b");
    list->insertItem(1, "a");
    list->insertItem(2, "c");
    list->setItemText(1, 1, "a1");
    PFNLVCOMPARE byText = [](LPARAM, LPARAM, LPARAM) -> int { return 0; };
    ASSERT_TRUE(list->sortItems(byText, 0));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(testsupport::listCell(list->getHandle(), row, 0), list->getItemText(row, 0));
    }
}

namespace {
HListView* sortedList = nullptr;
int sortColumn = 0;
// Compares two rows by the text of a column; the parameters are the rows'
// numbers at insertion, found in the copy as it stands while the sort runs.
int CALLBACK byColumnText(LPARAM a, LPARAM b, LPARAM direction) {
    std::string first = sortedList->getItemText(sortedList->findItemByParam(a), sortColumn);
    std::string second = sortedList->getItemText(sortedList->findItemByParam(b), sortColumn);
    return first.compare(second) * static_cast<int>(direction);
}
} // namespace

TEST(HListView, RepeatedSortsByTextStayConsistent) {
    Window window;
    HListView* list = makeList(window, 692);
    const char* names[] = {"delta", "alpha", "echo", "charlie", "bravo"};
    const char* marks[] = {"3", "5", "1", "4", "2"};
    for (int row = 0; row < 5; ++row) {
        list->insertItem(row, names[row]);
        list->setItemParam(row, 0, row);
        list->setItemText(row, 1, marks[row]);
    }
    window.show();
    sortedList = list;
    sortColumn = 0;
    ASSERT_TRUE(list->sortItems(byColumnText, 1));
    const char* ascending[] = {"alpha", "bravo", "charlie", "delta", "echo"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(ascending[row], list->getItemText(row, 0));
        EXPECT_EQ(ascending[row], testsupport::listCell(list->getHandle(), row, 0));
    }
    sortColumn = 1;
    ASSERT_TRUE(list->sortItems(byColumnText, -1));
    const char* byMark[] = {"alpha", "charlie", "delta", "bravo", "echo"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(byMark[row], list->getItemText(row, 0));
        EXPECT_EQ(byMark[row], testsupport::listCell(list->getHandle(), row, 0));
        EXPECT_EQ(testsupport::listCell(list->getHandle(), row, 1), list->getItemText(row, 1));
    }
    EXPECT_EQ(-1, list->findItemByParam(99));
    sortedList = nullptr;
}

TEST(HListView, RowColoursArePaintedThroughCustomDraw) {
    Window window;
    HListView* list = makeList(window, 695);
    fill(list, 3);
    list->setItemColor(1, HColor(255, 0, 0));
    list->setItemColor(2, HColor(0, 0, 255));
    EXPECT_TRUE(list->getItemColor(0) == HColor::WHITE);
    window.show();
    RedrawWindow(list->getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    pumpMessages(100);

    // A pixel in the first column's cell, right of its short text.
    auto pixelOf = [&](int row) {
        RECT rect = {};
        rect.left = LVIR_LABEL;
        SendMessageA(list->getHandle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        HDC dc = GetDC(list->getHandle());
        COLORREF colour = GetPixel(dc, rect.right - 10, (rect.top + rect.bottom) / 2);
        ReleaseDC(list->getHandle(), dc);
        return colour;
    };
    EXPECT_EQ(RGB(255, 0, 0), pixelOf(1));
    EXPECT_EQ(RGB(0, 0, 255), pixelOf(2));
    EXPECT_EQ(RGB(255, 255, 255), pixelOf(0));
}

TEST(HListViewEventListener, DefaultCallbacksLogAndAllow) {
    HListViewEventListener listener;
    HListView list(nullptr, 1, "");
    HWND hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(0xABC));
    LogTail log;
    EXPECT_TRUE(listener.onSelecting(hwnd, &list, 3));
    EXPECT_TRUE(listener.onRejecting(hwnd, &list, 4));
    EXPECT_TRUE(listener.onRejected(hwnd, &list, 5));
    EXPECT_TRUE(listener.onColumnClick(hwnd, &list, 2));
    char line[128];
    snprintf(line, sizeof(line), "onRejecting hwnd=ABC, lv=%llX index=4", hexOf(&list));
    EXPECT_TRUE(log.contains(line)) << line;
    snprintf(line, sizeof(line), "onColumnClick hwnd=ABC, lv=%llX index=2", hexOf(&list));
    EXPECT_TRUE(log.contains(line)) << line;

    // Notifications it does not know leave the result alone.
    NMHDR other = {hwnd, 1, static_cast<UINT>(NM_CLICK)};
    LRESULT result = -1;
    EXPECT_TRUE(
        listener.handleEvent(hwnd, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&other), &list, &result));
    EXPECT_EQ(-1, result);
    // An item change for no particular item (-1) calls nothing.
    NMLISTVIEW all = {};
    all.hdr = {hwnd, 1, static_cast<UINT>(LVN_ITEMCHANGING)};
    all.iItem = -1;
    all.uNewState = LVIS_SELECTED;
    EXPECT_TRUE(
        listener.handleEvent(hwnd, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&all), &list, &result));
    EXPECT_EQ(-1, result);
}
