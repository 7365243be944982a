#include "tests/common/TestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"
#include "toolkit/HMenuBar.h"
#include "toolkit/HMenuItem.h"
#include "toolkit/HWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;
using namespace nativetest;

namespace {
// A window with the menus of an editor; everything deleted after the window.
struct MenuWindow {
    std::unique_ptr<HWindow> window{new HWindow()};
    HMenuBar* bar;
    HMenuItem* file;
    HMenuItem* open;
    HMenuItem* separator;
    HMenuItem* recent;
    HMenuItem* recentA;
    HMenuItem* exit;
    HMenuItem* help;
    HMenuItem* about;
    HMenuItem* single;

    MenuWindow() {
        window->setBounds(120, 100, 400, 240);
        window->setStoredText("メニューの試験");
        bar = new HMenuBar(window.get(), 140, "");
        file = new HMenuItem(bar, 134, "ﾌｧｲﾙ(&F)");
        open = new HMenuItem(file, 135, "開く(&O)");
        separator = new HMenuItem(file, 136, "-");
        recent = new HMenuItem(file, 138, "最近(&R)");
        recentA = new HMenuItem(recent, 139, "甲.txt");
        exit = new HMenuItem(file, 137, "終了(&X)\tCtrl+Q");
        help = new HMenuItem(bar, 150, "ﾍﾙﾌﾟ(&H)");
        about = new HMenuItem(help, 152, "ﾊﾞｰｼﾞｮﾝ情報(&A)");
        single = new HMenuItem(bar, 151, "単独(&S)");
    }
    ~MenuWindow() {
        if (window->getHandle()) {
            DestroyWindow(window->getHandle());
        }
        window.reset();
        for (HComponent* c : std::initializer_list<HComponent*>{
                 single, about, help, exit, recentA, recent, separator, open, file, bar}) {
            delete c;
        }
        waitFor([] { return false; }, 30); // drains the quit message
    }
};

std::string menuText(HMENU menu, UINT position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

UINT menuType(HMENU menu, UINT position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info.fType;
}

class CommandIds : public HEventListener {
  public:
    CommandIds() : HEventListener(HEventType::byName("WM_COMMAND")) {}
    bool handleEvent(HWND, UINT, WPARAM wParam, LPARAM lParam, HComponent*,
                     LRESULT* result) override {
        if (lParam == 0) {
            ids.push_back(LOWORD(wParam));
            *result = 0;
        }
        return true;
    }
    bool has(int id) const { return std::find(ids.begin(), ids.end(), id) != ids.end(); }
    std::vector<int> ids;
};

void typeAltAnd(WORD key) {
    keyEvent(VK_MENU, false);
    keyEvent(key, false);
    keyEvent(key, true);
    keyEvent(VK_MENU, true);
}
} // namespace

TEST(HMenu, TheTreeBecomesNativeInOrder) {
    MenuWindow m;
    m.exit->setEnabled(false); // before creation: only remembered
    EXPECT_FALSE(m.exit->isEnabled());
    EXPECT_EQ("MenuBar", m.bar->getKindName());
    EXPECT_EQ("MenuItem", m.open->getKindName());
    EXPECT_EQ(m.window.get(), m.bar->getParent());
    EXPECT_EQ(m.window.get(), m.window->getMenuBar()->getParent());
    EXPECT_EQ(0, m.window->getChildCount()); // the bar is not a child
    EXPECT_TRUE(m.separator->isSeparator());
    EXPECT_FALSE(m.open->isSeparator());

    ASSERT_EQ(1, m.window->create());
    HMENU barMenu = GetMenu(m.window->getHandle());
    ASSERT_NE(nullptr, barMenu);
    EXPECT_EQ(barMenu, m.bar->getMenu());
    EXPECT_EQ(reinterpret_cast<HWND>(barMenu), m.bar->getHandle());
    EXPECT_EQ(m.bar, HComponent::findByHandle(m.bar->getHandle()));

    ASSERT_EQ(3, GetMenuItemCount(barMenu));
    EXPECT_EQ("ﾌｧｲﾙ(&F)", menuText(barMenu, 0));
    EXPECT_EQ("ﾍﾙﾌﾟ(&H)", menuText(barMenu, 1));
    EXPECT_EQ("単独(&S)", menuText(barMenu, 2));
    EXPECT_EQ(151u, GetMenuItemID(barMenu, 2));
    EXPECT_EQ(nullptr, m.single->getHandle());

    HMENU fileMenu = GetSubMenu(barMenu, 0);
    ASSERT_NE(nullptr, fileMenu);
    EXPECT_EQ(fileMenu, m.file->getSubmenu());
    EXPECT_EQ(reinterpret_cast<HWND>(fileMenu), m.file->getHandle());
    EXPECT_EQ(barMenu, m.file->getParentMenu());
    ASSERT_EQ(4, GetMenuItemCount(fileMenu));
    EXPECT_EQ("開く(&O)", menuText(fileMenu, 0));
    EXPECT_EQ(135u, GetMenuItemID(fileMenu, 0));
    EXPECT_TRUE(menuType(fileMenu, 1) & MFT_SEPARATOR);
    EXPECT_EQ("最近(&R)", menuText(fileMenu, 2));
    EXPECT_EQ("終了(&X)\tCtrl+Q", menuText(fileMenu, 3));
    EXPECT_TRUE(GetMenuState(fileMenu, 137, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(fileMenu, 135, MF_BYCOMMAND) & MF_GRAYED);
    HMENU recentMenu = GetSubMenu(fileMenu, 2);
    ASSERT_NE(nullptr, recentMenu);
    EXPECT_EQ(1, GetMenuItemCount(recentMenu));
    EXPECT_EQ("甲.txt", menuText(recentMenu, 0));
    EXPECT_EQ(139u, GetMenuItemID(recentMenu, 0));

    // One id space for controls and menu items.
    EXPECT_EQ(m.recentA, m.window->findById(139));
    EXPECT_EQ(m.bar, m.window->findById(140));
    EXPECT_EQ(nullptr, m.window->findById(999));

    // A second creation of an item with a submenu is refused and logged.
    LogTail log;
    EXPECT_EQ(0, m.file->create());
    EXPECT_TRUE(log.contains("HMenuItem           :0043 情報：既に生成されている"));
    EXPECT_EQ(3, GetMenuItemCount(barMenu));

    // Disposed with the window: every menu component forgets its handle.
    HWND fileHandle = m.file->getHandle();
    DestroyWindow(m.window->getHandle());
    EXPECT_EQ(nullptr, m.bar->getHandle());
    EXPECT_EQ(nullptr, m.bar->getMenu());
    EXPECT_EQ(nullptr, m.file->getSubmenu());
    EXPECT_EQ(nullptr, HComponent::findByHandle(fileHandle));
    EXPECT_EQ(4, m.file->getChildCount()); // the tree is kept
}

TEST(HMenu, ItemsAreGreyedAndEnabledWhileLive) {
    MenuWindow m;
    ASSERT_EQ(1, m.window->create());
    HMENU barMenu = m.bar->getMenu();
    HMENU fileMenu = m.file->getSubmenu();
    // Redrawing the bar recalculates the window's frame.
    std::vector<int> frames;
    RecordingListener frameCalculation(WM_NCCALCSIZE, &frames, 1);
    m.window->addListener(&frameCalculation);

    // An item inside a drop-down menu is drawn when the menu opens: the bar
    // is left alone.
    m.open->setEnabled(false);
    EXPECT_FALSE(m.open->isEnabled());
    EXPECT_TRUE(GetMenuState(fileMenu, 135, MF_BYCOMMAND) & MF_GRAYED);
    m.open->setEnabled(true);
    EXPECT_TRUE(m.open->isEnabled());
    EXPECT_FALSE(GetMenuState(fileMenu, 135, MF_BYCOMMAND) & MF_GRAYED);
    m.recentA->setEnabled(false);
    EXPECT_TRUE(GetMenuState(m.recent->getSubmenu(), 139, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(frames.empty());

    // An item with a submenu is greyed in the bar, where it is shown, and the
    // bar is redrawn.
    m.file->setEnabled(false);
    EXPECT_FALSE(m.file->isEnabled());
    EXPECT_TRUE(GetMenuState(barMenu, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(fileMenu, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(frames.empty());
    frames.clear();
    m.single->setEnabled(false);
    EXPECT_TRUE(GetMenuState(barMenu, 151, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(frames.empty());
    m.file->setEnabled(true);
    EXPECT_TRUE(m.file->isEnabled());
    EXPECT_FALSE(GetMenuState(barMenu, 0, MF_BYPOSITION) & MF_GRAYED);
    m.window->removeListener(&frameCalculation);
}

TEST(HMenu, ItemsKeepTheirOrderWhenIdsRepeatAndFailuresAreLogged) {
    std::unique_ptr<HWindow> window(new HWindow());
    window->setBounds(0, 0, 200, 100);
    HMenuBar* bar = new HMenuBar(window.get(), 0, "");
    HMenuItem* top = new HMenuItem(bar, 10, "選択(&C)");
    HMenuItem* first = new HMenuItem(top, 160, "甲");
    HMenuItem* second = new HMenuItem(top, 160, "乙");
    HMenuItem* line1 = new HMenuItem(top, 0, "-");
    HMenuItem* third = new HMenuItem(top, 0, "丙");
    ASSERT_EQ(1, window->create());
    HMENU menu = top->getSubmenu();
    ASSERT_EQ(4, GetMenuItemCount(menu));
    EXPECT_EQ("甲", menuText(menu, 0));
    EXPECT_EQ("乙", menuText(menu, 1));
    EXPECT_TRUE(menuType(menu, 2) & MFT_SEPARATOR);
    EXPECT_EQ("丙", menuText(menu, 3));

    // A parent whose handle is no menu: the insertion fails and is logged.
    HWND notAMenu = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    HContainer fake;
    fake.setHandle(notAMenu);
    HMenuItem orphan(&fake, 1, "x");
    LogTail log;
    orphan.create();
    EXPECT_TRUE(log.contains("HMenuItem           :0076 情報：InsertMenuItem:error"));
    fake.setHandle(nullptr);
    DestroyWindow(notAMenu);

    // Without a parent menu nothing happens.
    HMenuItem loose(nullptr, 2, "y");
    EXPECT_EQ(0, loose.create());
    loose.setEnabled(false);
    EXPECT_FALSE(loose.isEnabled());

    DestroyWindow(window->getHandle());
    window.reset();
    for (HComponent* c :
         std::initializer_list<HComponent*>{third, line1, second, first, top, bar}) {
        delete c;
    }
    waitFor([] { return false; }, 30);
}

TEST(HMenu, ChoosingItemsWithRealKeysSendsTheirIdsOnly) {
    MenuWindow m;
    CommandIds commands;
    m.window->addListener(&commands);
    ASSERT_EQ(1, m.window->create());
    ShowWindow(m.window->getHandle(), SW_SHOW);
    ASSERT_TRUE(bringToFront(m.window->getHandle()));

    typeAltAnd('F');
    pressKeys({'O'});
    EXPECT_TRUE(waitFor([&] { return commands.has(135); }));

    typeAltAnd('H');
    pressKeys({'A'});
    EXPECT_TRUE(waitFor([&] { return commands.has(152); }));

    // A greyed item sends nothing; neither do items that open submenus.
    m.exit->setEnabled(false);
    typeAltAnd('F');
    pressKeys({'X'});
    waitFor([] { return false; }, 300);
    pressKeys({VK_ESCAPE});
    pressKeys({VK_ESCAPE});
    waitFor([] { return false; }, 300);
    EXPECT_FALSE(commands.has(137));
    EXPECT_FALSE(commands.has(134));
    EXPECT_FALSE(commands.has(150));
    EXPECT_FALSE(commands.has(138));
    EXPECT_FALSE(commands.has(136));

    m.exit->setEnabled(true);
    typeAltAnd('F');
    pressKeys({'X'});
    EXPECT_TRUE(waitFor([&] { return commands.has(137); }));
    m.window->removeListener(&commands);
}
