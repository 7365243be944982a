#include "tests/common/TestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"
#include "toolkit/HColor.h"
#include "toolkit/HComponent.h"
#include "toolkit/HContainer.h"
#include "toolkit/HDropTarget.h"
#include "toolkit/HWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace testsupport;
using namespace nativetest;

namespace {
std::string hexText(const char* format, const void* value) {
    char text[64];
    snprintf(text, sizeof(text), format, hexOf(value));
    return text;
}

// A shown host window that is not running its own loop.
std::unique_ptr<HWindow> makeHost(int x, int y, int w, int h) {
    std::unique_ptr<HWindow> window(new HWindow());
    window->setBounds(x, y, w, h);
    return window;
}

HWND plainWindow(const char* text = "") {
    return CreateWindowExA(0, "STATIC", text, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}
} // namespace

TEST(HColor, PartsAreClampedAndNativeValuesSplitLowestByteRed) {
    HColor clamped(-5, 300, 128);
    EXPECT_EQ(0, clamped.getRed());
    EXPECT_EQ(255, clamped.getGreen());
    EXPECT_EQ(128, clamped.getBlue());
    EXPECT_EQ(255, clamped.getAlpha());

    HColor native(static_cast<COLORREF>(212 | (208 << 8) | (192 << 16)));
    EXPECT_EQ(HColor(212, 208, 192), native);
    EXPECT_EQ(RGB(212, 208, 192), native.getColorRef());

    EXPECT_EQ(HColor(0, 0, 0), HColor());
    EXPECT_EQ(RGB(212, 208, 200), HColor::FACE.getColorRef());
    EXPECT_EQ(RGB(192, 192, 192), HColor::SILVER.getColorRef());
    EXPECT_EQ(RGB(255, 255, 255), HColor::WHITE.getColorRef());
    EXPECT_EQ(RGB(0, 0, 0), HColor::BLACK.getColorRef());
}

TEST(HComponent, RegistryFollowsTheHandleAndLogsEachChange) {
    HWND first = plainWindow();
    HWND second = plainWindow();
    ASSERT_TRUE(first && second);
    {
        HComponent component;
        LogTail log;
        component.setHandle(first);
        EXPECT_EQ(&component, HComponent::findByHandle(first));
        EXPECT_TRUE(log.contains(hexText("HWND:new[%llX]", first)));

        LogTail change;
        component.setHandle(second);
        std::string text = change.text();
        std::size_t del = text.find(hexText("HWND:del[%llX]", first));
        std::size_t add = text.find(hexText("HWND:new[%llX]", second));
        ASSERT_NE(std::string::npos, del);
        ASSERT_NE(std::string::npos, add);
        EXPECT_LT(del, add);
        EXPECT_EQ(nullptr, HComponent::findByHandle(first));
        EXPECT_EQ(&component, HComponent::findByHandle(second));
    }
    // A component that goes without forgetting its window leaves no entry behind.
    EXPECT_EQ(nullptr, HComponent::findByHandle(second));
    EXPECT_EQ(nullptr, HComponent::findByHandle(nullptr));
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST(HComponent, MessagesForUnregisteredWindowsGoToTheDefaultProcedure) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    info.lpfnWndProc = &HComponent::windowProcedure;
    info.hInstance = GetModuleHandleA(nullptr);
    info.lpszClassName = "RzUnregisteredTest";
    ASSERT_NE(0, RegisterClassExA(&info));
    // Creation itself needs the default procedure (WM_NCCREATE stores the title).
    HWND window = CreateWindowExA(0, "RzUnregisteredTest", "abcd", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(4, SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    char text[16] = {};
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_STREQ("abcd", text);
    DestroyWindow(window);
    UnregisterClassA("RzUnregisteredTest", GetModuleHandleA(nullptr));
}

TEST(HComponent, BoundsAreTheRequestedOnesUntilTheWindowExists) {
    auto host = makeHost(30, 40, 300, 200);
    NativeChild* child = new NativeChild(host.get(), 11, "STATIC", "x");
    child->setBounds(10, 20, 50, 30);
    RECT before = child->getBounds();
    EXPECT_EQ(10, before.left);
    EXPECT_EQ(20, before.top);
    EXPECT_EQ(60, before.right);
    EXPECT_EQ(50, before.bottom);

    ASSERT_EQ(1, host->create());
    RECT window = {};
    GetWindowRect(host->getHandle(), &window);
    RECT bounds = host->getBounds();
    EXPECT_TRUE(EqualRect(&window, &bounds));
    EXPECT_EQ(30, host->getX());
    EXPECT_EQ(40, host->getY());
    EXPECT_EQ(300, host->getWidth());
    EXPECT_EQ(200, host->getHeight());

    // A child keeps its place in the parent when only its size changes.
    child->setWidth(80);
    child->setHeight(25);
    RECT placed = {};
    GetWindowRect(child->getHandle(), &placed);
    MapWindowPoints(nullptr, host->getHandle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(10, placed.left);
    EXPECT_EQ(20, placed.top);
    EXPECT_EQ(80, placed.right - placed.left);
    EXPECT_EQ(25, placed.bottom - placed.top);
    host.reset();
    delete child;
}

TEST(HComponent, MoveCenterAndCenterOverTruncateTowardZero) {
    auto window = makeHost(0, 0, 640, 480);
    ASSERT_EQ(1, window->create());
    LogTail log;
    HComponent::moveCenter(window.get());
    int screenW = GetSystemMetrics(SM_CXSCREEN);
    int screenH = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(1024, screenW);
    ASSERT_EQ(768, screenH);
    EXPECT_EQ(192, window->getX());
    EXPECT_EQ(144, window->getY());
    EXPECT_TRUE(log.contains("moveCenter:192 144 640 480"));

    HComponent small;
    small.setBounds(0, 0, 101, 51);
    HComponent::centerOver(&small, window.get());
    // (640 - 101) / 2 = 269, (480 - 51) / 2 = 214
    EXPECT_EQ(192 + 269, small.getX());
    EXPECT_EQ(144 + 214, small.getY());

    // A window larger than the screen keeps its title bar on it.
    auto large = makeHost(0, 0, 1200, 900);
    HComponent::moveCenter(large.get());
    EXPECT_EQ(0, large->getX());
    EXPECT_EQ(0, large->getY());

    HComponent::moveCenter(nullptr);
    HComponent::centerOver(nullptr, window.get());
    HComponent::centerOver(&small, nullptr);
    EXPECT_EQ(192 + 269, small.getX());
}

TEST(HComponent, NativeStateTextVisibilityAndColours) {
    auto host = makeHost(0, 0, 200, 100);
    NativeChild* label = new NativeChild(host.get(), 12, "STATIC", "before");
    label->setBounds(5, 5, 100, 20);
    label->setBackgroundColor(HColor(10, 20, 30));
    label->setTextColor(HColor(200, 100, 50));
    EXPECT_EQ(static_cast<DWORD>(WS_VISIBLE), label->getStyle());
    label->setEnabled(false);
    EXPECT_EQ(static_cast<DWORD>(WS_VISIBLE | WS_DISABLED), label->getStyle());
    EXPECT_EQ("", label->getText());
    label->setText("ignored");
    EXPECT_EQ("before", label->getStoredText());
    label->setEnabled(true);

    ASSERT_EQ(1, host->create());
    ShowWindow(host->getHandle(), SW_SHOW);
    UpdateWindow(host->getHandle());
    EXPECT_EQ("before", label->getText());
    label->setText("日本語の文字");
    EXPECT_EQ("日本語の文字", label->getText());
    EXPECT_EQ("before", label->getStoredText());
    label->setText("");
    EXPECT_EQ("", label->getText());

    label->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(label->getHandle()));
    EXPECT_FALSE(label->isEnabled());
    label->setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(label->getHandle()));

    LONG style = GetWindowLongA(label->getHandle(), GWL_STYLE);
    EXPECT_TRUE(label->isVisible());
    EXPECT_FALSE(label->setVisible(false));
    EXPECT_EQ(style & ~WS_VISIBLE, GetWindowLongA(label->getHandle(), GWL_STYLE));
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(label->setVisible(true));
    EXPECT_EQ(style, GetWindowLongA(label->getHandle(), GWL_STYLE));

    // The brush is made once, at the first colour request (here by the label's
    // own painting through its parent), from the background colour of that moment.
    HDC dc = GetDC(label->getHandle());
    HBRUSH brush = label->onCtlColor(dc);
    ASSERT_NE(nullptr, brush);
    EXPECT_EQ(RGB(200, 100, 50), GetTextColor(dc));
    EXPECT_EQ(RGB(10, 20, 30), GetBkColor(dc));
    EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
    ReleaseDC(label->getHandle(), dc);
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof(info), &info);
    EXPECT_EQ(RGB(10, 20, 30), info.lbColor);
    label->setBackgroundColor(HColor(1, 2, 3));
    EXPECT_EQ(brush, label->onCtlColor(nullptr));
    host.reset();
    delete label;
}

TEST(HContainer, ChildrenKeepTheirIndexAndAreSearchedDepthFirst) {
    HContainer root;
    root.setId(1);
    HContainer* group = new HContainer(&root, 2, "group");
    HComponent* inner = new HComponent(group, 7, "inner");
    HComponent* later = new HComponent(&root, 7, "later");
    HComponent* other = new HComponent(&root, 9, "other");

    EXPECT_EQ(0, root.indexOf(group));
    EXPECT_EQ(1, root.add(later));
    EXPECT_EQ(-1, root.add(&root));
    EXPECT_EQ(-1, root.add(nullptr));
    EXPECT_EQ(3, root.getChildCount());
    EXPECT_EQ(&root, later->getParent());
    EXPECT_TRUE(root.contains(other));
    EXPECT_FALSE(root.contains(inner));
    EXPECT_EQ(nullptr, root.getChild(3));
    EXPECT_EQ(nullptr, root.getChild(-1));

    EXPECT_EQ(&root, root.findById(1));
    EXPECT_EQ(inner, root.findById(7)); // the first in child order, depth first
    EXPECT_EQ(other, root.findById(9));
    EXPECT_EQ(nullptr, root.findById(99));
    EXPECT_EQ(&root, inner->getRoot());
    EXPECT_EQ(nullptr, root.getRoot());
    EXPECT_TRUE(root.isContainer());
    EXPECT_FALSE(inner->isContainer());

    // Listeners are switched for the whole tree.
    std::vector<int> calls;
    RecordingListener deep(WM_USER, &calls, 1);
    inner->addListener(&deep);
    root.setListenersEnabled(false);
    EXPECT_FALSE(deep.isEnabled());
    root.setListenersEnabled(true);
    EXPECT_TRUE(deep.isEnabled());
    inner->removeListener(&deep);

    delete other;
    delete later;
    delete inner;
    delete group;
}

TEST(HContainer, CreatingAgainAfterDisposalSkipsTheForgottenChildren) {
    auto window = makeHost(0, 0, 200, 100);
    NativeChild* child = new NativeChild(window.get(), 21, "BUTTON", "b");
    child->setBounds(0, 0, 50, 20);
    ASSERT_EQ(1, window->create());
    EXPECT_NE(nullptr, child->getHandle());
    HWND first = window->getHandle();
    window->dispose();
    EXPECT_EQ(nullptr, window->getHandle());
    EXPECT_EQ(nullptr, child->getHandle());
    EXPECT_EQ(0, window->getChildCount());
    DestroyWindow(first);
    // The order table still names index 0, which is no longer in the list.
    EXPECT_EQ(1, window->create());
    EXPECT_NE(nullptr, window->getHandle());
    EXPECT_EQ(nullptr, child->getHandle());
    window.reset();
    delete child;
}

TEST(HComponent, FocusWalksToFocusableEnabledVisibleSiblingsAndWraps) {
    auto host = makeHost(100, 100, 300, 200);
    NativeChild* a = new NativeChild(host.get(), 31, "EDIT", "a", WS_BORDER);
    NativeChild* disabled = new NativeChild(host.get(), 32, "EDIT", "b", WS_BORDER);
    NativeChild* hidden = new NativeChild(host.get(), 33, "EDIT", "c", WS_BORDER);
    NativeChild* unfocusable = new NativeChild(host.get(), 34, "EDIT", "d", WS_BORDER);
    NativeChild* e = new NativeChild(host.get(), 35, "BUTTON", "e");
    int y = 0;
    for (HComponent* c : {static_cast<HComponent*>(a), static_cast<HComponent*>(disabled),
                          static_cast<HComponent*>(hidden), static_cast<HComponent*>(unfocusable),
                          static_cast<HComponent*>(e)}) {
        c->setBounds(5, y, 100, 20);
        y += 25;
    }
    disabled->setEnabled(false);
    hidden->setVisible(false);
    unfocusable->setFocusable(false);
    ASSERT_EQ(1, host->create());
    ShowWindow(host->getHandle(), SW_SHOW);
    ASSERT_TRUE(bringToFront(host->getHandle()));

    host->focusFirst();
    EXPECT_EQ(a, HComponent::getFocusComponent());
    a->focusNext();
    EXPECT_EQ(e, HComponent::getFocusComponent());
    e->focusNext();
    EXPECT_EQ(a, HComponent::getFocusComponent());
    a->focusPrevious();
    EXPECT_EQ(e, HComponent::getFocusComponent());
    e->focusPrevious();
    EXPECT_EQ(a, HComponent::getFocusComponent());

    // The first focusable, enabled child gets the focus, visible or not.
    a->setFocusable(false);
    host->focusFirst();
    EXPECT_EQ(hidden->getHandle(), GetFocus());

    // With no other candidate nothing changes; an unfocusable one does not take it.
    e->requestFocus();
    e->setEnabled(true);
    a->setEnabled(false);
    e->focusNext();
    EXPECT_EQ(e, HComponent::getFocusComponent());
    e->focusPrevious();
    EXPECT_EQ(e, HComponent::getFocusComponent());
    unfocusable->requestFocus();
    EXPECT_EQ(e, HComponent::getFocusComponent());

    // A component without parent, or not among its parent's children, walks nowhere.
    HComponent loose;
    loose.focusNext();
    loose.focusPrevious();

    host.reset();
    for (HComponent* c : {static_cast<HComponent*>(a), static_cast<HComponent*>(disabled),
                          static_cast<HComponent*>(hidden), static_cast<HComponent*>(unfocusable),
                          static_cast<HComponent*>(e)}) {
        delete c;
    }
}

TEST(HComponent, SubclassingIsUndoneAndDefaultListenersAreNotDoubled) {
    auto host = makeHost(0, 0, 200, 100);
    NativeChild* child = new NativeChild(host.get(), 81, "STATIC", "abc");
    child->setBounds(0, 0, 60, 20);
    HDropTarget drop;
    child->setDropTarget(&drop);
    ASSERT_EQ(1, host->create());
    HWND first = child->getHandle();
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&HComponent::windowProcedure),
              GetWindowLongPtrA(first, GWLP_WNDPROC));
    EXPECT_NE(nullptr, child->getSavedProcedure());
    EXPECT_EQ(1, child->getListenerCount(WM_CHAR));
    EXPECT_EQ(1, child->getListenerCount(WM_PAINT));
    EXPECT_EQ(1, child->getListenerCount(WM_DROPFILES));
    EXPECT_TRUE(GetWindowLongPtrA(first, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    // Made native again: each listener still runs once.
    child->HComponent::dispose();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(nullptr, child->getSavedProcedure());
    child->create();
    EXPECT_EQ(1, child->getListenerCount(WM_CHAR));
    EXPECT_EQ(1, child->getListenerCount(WM_PAINT));
    EXPECT_EQ(1, child->getListenerCount(WM_DROPFILES));

    // A control that only forgets its handle gets its own procedure back and
    // keeps answering.
    HWND second = child->getHandle();
    child->dispose();
    EXPECT_EQ(nullptr, HComponent::findByHandle(second));
    EXPECT_NE(reinterpret_cast<LONG_PTR>(&HComponent::windowProcedure),
              GetWindowLongPtrA(second, GWLP_WNDPROC));
    EXPECT_EQ(3, SendMessageA(second, WM_GETTEXTLENGTH, 0, 0));

    // A window destroyed behind its component's back is forgotten.
    NativeChild* other = new NativeChild(host.get(), 82, "STATIC", "zz");
    other->create();
    HWND third = other->getHandle();
    ASSERT_NE(nullptr, third);
    DestroyWindow(third);
    EXPECT_EQ(nullptr, other->getHandle());
    EXPECT_EQ(nullptr, HComponent::findByHandle(third));

    child->setDropTarget(nullptr);
    host.reset();
    delete other;
    delete child;
}
