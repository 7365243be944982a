#include "tests/common/TestSupport.h"
#include "tests/toolkit/ControlTestWindow.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HDropDownListener.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using controltest::Window;
using testsupport::comboTexts;
using testsupport::LogTail;
using testsupport::pumpMessages;

namespace {
class DropDownRecorder : public HDropDownListener {
  public:
    bool onChange(HWND h, int id, HComponent* c) override {
        return record("onChange", id, c) && HDropDownListener::onChange(h, id, c);
    }
    bool onFocusGain(HWND h, int id, HComponent* c) override {
        return record("onFocusGain", id, c) && HDropDownListener::onFocusGain(h, id, c);
    }
    bool onFocusLost(HWND h, int id, HComponent* c) override {
        return record("onFocusLost", id, c) && HDropDownListener::onFocusLost(h, id, c);
    }
    bool onDropDown(HWND h, int id, HComponent* c) override {
        return record("onDropDown", id, c) && HDropDownListener::onDropDown(h, id, c);
    }
    bool onCloseUp(HWND h, int id, HComponent* c) override {
        return record("onCloseUp", id, c) && HDropDownListener::onCloseUp(h, id, c);
    }
    int count(const std::string& name) const {
        int n = 0;
        for (const std::string& call : calls) {
            n += call == name ? 1 : 0;
        }
        return n;
    }
    std::vector<std::string> calls;
    HComponent* lastComponent = nullptr;
    int lastId = 0;

  private:
    bool record(const char* name, int id, HComponent* c) {
        calls.push_back(name);
        lastComponent = c;
        lastId = id;
        return true;
    }
};
} // namespace

TEST(HDropDown, ItemsAddedBeforeCreateAreShownInOrder) {
    Window window;
    HDropDown<int>* list = window.make<HDropDown<int>>(window.get(), 501, "無視される");
    list->setBounds(10, 10, 150, 200);
    list->addItem("火", 10);
    list->addItem("水", 20);
    list->addItem("風", 30);
    EXPECT_EQ("DropDown", list->getKindName());
    EXPECT_EQ(3, list->getItemCount());
    // No control yet: nothing is selected.
    EXPECT_EQ(0, list->getSelectedValue());

    LogTail log;
    window.show();
    ASSERT_NE(nullptr, list->getHandle());
    EXPECT_TRUE(log.contains("HDropDown           :0058 create 開始"));
    EXPECT_TRUE(log.contains("HDropDown           :0075 create 終了"));
    char className[32] = {};
    GetClassNameA(list->getHandle(), className, sizeof(className));
    EXPECT_STREQ("ComboBox", className);
    LONG style = GetWindowLongA(list->getHandle(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(CBS_DROPDOWNLIST), style & 3);
    EXPECT_EQ((std::vector<std::string>{"火", "水", "風"}), comboTexts(list->getHandle()));

    // Added to the live control as well.
    list->addItem("土", 40);
    EXPECT_EQ((std::vector<std::string>{"火", "水", "風", "土"}), comboTexts(list->getHandle()));
    EXPECT_FALSE(log.contains("選択リスト要素数の不一致"));
}

TEST(HDropDown, SetItemsOrdersByValueAndReplacesTheOldItems) {
    Window window;
    HDropDown<int>* list = window.make<HDropDown<int>>(window.get(), 510, "");
    list->setBounds(10, 10, 150, 200);
    list->addItem("old", 99);
    window.show();

    std::map<int, std::string> items = {{5, "five"}, {1, "one"}, {3, "three"}};
    list->setItems(items);
    EXPECT_EQ((std::vector<std::string>{"one", "three", "five"}), comboTexts(list->getHandle()));
    EXPECT_EQ(3, list->getItemCount());
    EXPECT_EQ(1, list->getItemValue(0));
    EXPECT_EQ(5, list->getItemValue(2));
    EXPECT_EQ("", list->getItemText(7));

    list->clearItems();
    EXPECT_EQ(0, SendMessageA(list->getHandle(), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, list->getItemCount());
}

TEST(HDropDown, SelectionByValue) {
    Window window;
    HDropDown<int>* list = window.make<HDropDown<int>>(window.get(), 520, "");
    HDropDown<int>* empty = window.make<HDropDown<int>>(window.get(), 521, "");
    list->setBounds(10, 10, 150, 200);
    empty->setBounds(10, 40, 150, 200);
    list->setItems({{0, "なし"}, {2, "二"}, {4, "四"}, {8, "八"}});
    window.show();

    // Nothing selected yet: a defined value.
    EXPECT_EQ(-1, SendMessageA(list->getHandle(), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, list->getSelectedValue());

    list->setSelectedValue(4);
    EXPECT_EQ(2, SendMessageA(list->getHandle(), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(4, list->getSelectedValue());
    EXPECT_EQ("四", list->getText());

    // A value not in the list selects the last item.
    list->setSelectedValue(77);
    EXPECT_EQ(3, list->getSelectedIndex());
    EXPECT_EQ(8, list->getSelectedValue());

    list->clearSelection();
    EXPECT_EQ(-1, list->getSelectedIndex());
    EXPECT_EQ(0, list->getSelectedValue());

    // The empty list selects nothing and answers the default value.
    empty->setSelectedValue(3);
    EXPECT_EQ(-1, empty->getSelectedIndex());
    EXPECT_EQ(0, empty->getSelectedValue());
    empty->clearItems();
    empty->clearSelection();
}

TEST(HDropDown, KeepsItsItemsAcrossDisposeAndCreate) {
    Window window;
    HDropDown<int>* list = window.make<HDropDown<int>>(window.get(), 530, "");
    list->setBounds(10, 10, 150, 200);
    list->setItems({{1, "a"}, {2, "b"}});
    window.show();
    HWND first = list->getHandle();
    list->dispose();
    EXPECT_EQ(nullptr, list->getHandle());
    EXPECT_TRUE(IsWindow(first));
    // Changes while there is no control stay in the copy only.
    list->addItem("c", 3);
    list->create();
    ASSERT_NE(nullptr, list->getHandle());
    EXPECT_NE(first, list->getHandle());
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), comboTexts(list->getHandle()));
    DestroyWindow(first);
}

TEST(HDropDownListener, SelectionFocusAndDropDownReachTheCallbacks) {
    Window window;
    HDropDown<int>* list = window.make<HDropDown<int>>(window.get(), 540, "");
    HDropDown<int>* other = window.make<HDropDown<int>>(window.get(), 541, "");
    list->setBounds(10, 10, 150, 200);
    other->setBounds(10, 40, 150, 200);
    list->setItems({{1, "一"}, {2, "二"}, {3, "三"}});
    DropDownRecorder* listener = window.make<DropDownRecorder>();
    window.get()->addListener(listener);
    window.show();

    LogTail log;
    SetFocus(list->getHandle());
    pumpMessages(50);
    EXPECT_GE(listener->count("onFocusGain"), 1);

    list->setSelectedValue(1);
    // A selection made by the program sends no CBN_SELCHANGE; the user's does.
    EXPECT_EQ(0, listener->count("onChange"));
    controltest::typeKey(VK_DOWN);
    pumpMessages(150);
    EXPECT_EQ(1, listener->count("onChange"));
    EXPECT_EQ(2, list->getSelectedValue());
    EXPECT_EQ(list, listener->lastComponent);
    EXPECT_EQ(540, listener->lastId);
    char line[64];
    snprintf(line, sizeof(line), "onChange:%llX 540", hexOf(window.handle()));
    EXPECT_TRUE(log.contains(line)) << line;

    SendMessageA(list->getHandle(), CB_SHOWDROPDOWN, TRUE, 0);
    pumpMessages(50);
    SendMessageA(list->getHandle(), CB_SHOWDROPDOWN, FALSE, 0);
    pumpMessages(50);
    EXPECT_EQ(1, listener->count("onDropDown"));
    EXPECT_EQ(1, listener->count("onCloseUp"));

    SetFocus(other->getHandle());
    pumpMessages(50);
    EXPECT_GE(listener->count("onFocusLost"), 1);
}

TEST(HDropDownListener, EveryCodeHasItsCallback) {
    Window window;
    HDropDown<int>* list = window.make<HDropDown<int>>(window.get(), 550, "");
    list->setBounds(10, 10, 150, 200);
    window.show();
    HDropDownListener listener;
    LPARAM control = reinterpret_cast<LPARAM>(list->getHandle());
    const WORD codes[] = {CBN_SELCHANGE,  CBN_SETFOCUS, CBN_KILLFOCUS, CBN_EDITCHANGE,
                          CBN_EDITUPDATE, CBN_DROPDOWN, CBN_CLOSEUP};
    const char* names[] = {"onChange",     "onFocusGain", "onFocusLost", "onEditChange",
                           "onEditUpdate", "onDropDown",  "onCloseUp"};
    for (int i = 0; i < 7; ++i) {
        LogTail log;
        LRESULT result = -1;
        EXPECT_TRUE(listener.handleEvent(window.handle(), WM_COMMAND, MAKEWPARAM(550, codes[i]),
                                         control, window.get(), &result));
        EXPECT_EQ(0, result) << names[i];
        char line[64];
        snprintf(line, sizeof(line), "%s:%llX 550", names[i], hexOf(window.handle()));
        EXPECT_TRUE(log.contains(line)) << line;
    }
    // Unknown codes and unknown controls call nothing.
    LRESULT result = -1;
    listener.handleEvent(window.handle(), WM_COMMAND, MAKEWPARAM(550, 0x55), control, nullptr,
                         &result);
    listener.handleEvent(window.handle(), WM_COMMAND, MAKEWPARAM(550, CBN_SELCHANGE), 0, nullptr,
                         &result);
    EXPECT_EQ(-1, result);
}
