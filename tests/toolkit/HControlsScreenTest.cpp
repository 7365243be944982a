#include "tests/common/TestSupport.h"
#include "tests/toolkit/ControlTestWindow.h"
#include "toolkit/HButton.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HEdit.h"
#include "toolkit/HFont.h"
#include "toolkit/HLabel.h"
#include "toolkit/HListView.h"

#include <gtest/gtest.h>

#include <cstdlib>

using controltest::Window;
using testsupport::pumpMessages;

namespace {
// Pixels of the rectangle that differ from the colour at its top-left corner.
int inkedPixels(HWND hwnd, RECT rect) {
    HDC dc = GetDC(hwnd);
    COLORREF background = GetPixel(dc, rect.left, rect.top);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            count += GetPixel(dc, x, y) != background ? 1 : 0;
        }
    }
    ReleaseDC(hwnd, dc);
    return count;
}
} // namespace

// A form in the program's own face with a filled list. With RZ_SCREEN_HOLD_MS
// set the window stays up that long, so a screenshot can be taken.
TEST(ControlsScreen, JapaneseTextIsDrawnInTheGothicFace) {
    Window window(640, 420);
    HFont* font = window.make<HFont>("ＭＳ ゴシック", HFont::PLAIN, 9);
    window.get()->setFont(font);
    window.get()->setStoredText("呪文エディタ");
    HLabel* nameLabel = window.make<HLabel>(window.get(), 701, "名称");
    HEdit* name = window.make<HEdit>(window.get(), 702, "ファイアボール");
    HLabel* elementLabel = window.make<HLabel>(window.get(), 703, "属性");
    HDropDown<int>* element = window.make<HDropDown<int>>(window.get(), 704, "");
    HButton* play = window.make<HButton>(window.get(), 705, "効果音再生");
    HListView* list = window.make<HListView>(window.get(), 706, "");
    nameLabel->setBounds(10, 12, 60, 16);
    name->setBounds(74, 10, 160, 20);
    elementLabel->setBounds(250, 12, 60, 16);
    element->setBounds(314, 10, 100, 200);
    play->setBounds(430, 8, 120, 24);
    list->setBounds(10, 44, 610, 330);
    element->setItems({{0, "火"}, {1, "水"}, {2, "風"}, {3, "土"}, {4, "光"}, {5, "闇"}});

    list->setSingleSelection(true);
    list->addColumn("行", 40, 0);
    list->addColumn("名称", 160, 0);
    list->addColumn("属", 40, 0);
    list->addColumn("消費", 50, 0);
    list->addColumn("説明", 300, 0);
    const char* names[] = {"ファイアボール",   "アイスニードル", "ウインドカッター",
                           "ストーンウォール", "ホーリーライト", "ダークミスト"};
    const char* elements[] = {"火", "水", "風", "土", "光", "闇"};
    const char* texts[] = {"敵一体に炎の球を放つ", "氷の針で敵を貫く",   "真空の刃で敵全体を切る",
                           "岩の壁で味方を守る",   "聖なる光で傷を癒す", "闇の霧で敵の目を奪う"};
    for (int row = 0; row < 6; ++row) {
        list->insertItem(row, std::to_string(row));
        list->setItemText(row, 1, names[row]);
        list->setItemText(row, 2, elements[row]);
        list->setItemText(row, 3, std::to_string(4 + row * 3));
        list->setItemText(row, 4, texts[row]);
    }
    list->setItemColor(3, HColor(255, 255, 192));
    window.show();
    list->setSelectedIndex(1);
    element->setSelectedValue(0);
    list->requestFocus();
    pumpMessages(200);

    EXPECT_EQ(reinterpret_cast<WPARAM>(font->getHandle()),
              static_cast<WPARAM>(SendMessageA(nameLabel->getHandle(), WM_GETFONT, 0, 0)));
    EXPECT_EQ(reinterpret_cast<WPARAM>(font->getHandle()),
              static_cast<WPARAM>(SendMessageA(list->getHandle(), WM_GETFONT, 0, 0)));
    RECT labelRect = {};
    GetClientRect(nameLabel->getHandle(), &labelRect);
    EXPECT_GT(inkedPixels(nameLabel->getHandle(), labelRect), 20);
    RECT cell = {};
    cell.top = 1;
    cell.left = LVIR_LABEL;
    SendMessageA(list->getHandle(), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_GT(inkedPixels(list->getHandle(), cell), 20);

    const char* hold = getenv("RZ_SCREEN_HOLD_MS");
    if (hold != nullptr) {
        pumpMessages(static_cast<unsigned>(atoi(hold)));
    }
}
