#include "tests/common/TestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"
#include "toolkit/HCommandListener.h"
#include "toolkit/HComponent.h"
#include "toolkit/HEventDisable.h"
#include "toolkit/HEventListener.h"
#include "toolkit/HEventType.h"
#include "toolkit/HWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

using namespace testsupport;
using namespace nativetest;

namespace {
const UINT TEST_MESSAGE = WM_USER + 1;

// A shown window with one native label child.
struct Host {
    std::unique_ptr<HWindow> window{new HWindow()};
    NativeChild* label;

    Host() {
        window->setBounds(50, 50, 300, 200);
        label = new NativeChild(window.get(), 41, "STATIC", "label");
        label->setBounds(5, 5, 100, 20);
        window->create();
        ShowWindow(window->getHandle(), SW_SHOW);
    }
    ~Host() {
        window.reset();
        delete label;
    }
};

class RecordingCommands : public HCommandListener {
  public:
    bool onCommand(HWND hwnd, unsigned id, HComponent* component) override {
        ++count;
        lastHwnd = hwnd;
        lastId = id;
        lastComponent = component;
        return answer;
    }
    int count = 0;
    HWND lastHwnd = nullptr;
    unsigned lastId = 0;
    HComponent* lastComponent = nullptr;
    bool answer = true;
};

class CountingContainer : public HContainer {
  public:
    void resize() override { ++resizes; }
    int resizes = 0;
};

class PaintCounter : public NativeChild {
  public:
    PaintCounter(HContainer* parent) : NativeChild(parent, 42, "STATIC", "paint") {}
    void paint() override { ++paints; }
    int paints = 0;
};

// Answers -1 explicitly, as if it were a real result.
class MinusOneListener : public HEventListener {
  public:
    explicit MinusOneListener(UINT msg) : HEventListener(HEventType(static_cast<int>(msg), "M")) {}
    bool handleEvent(HWND, UINT, WPARAM, LPARAM, HComponent*, LRESULT* result) override {
        *result = -1;
        return true;
    }
};
} // namespace

TEST(HEventType, ThePredefinedTypesInTheirOrder) {
    ASSERT_EQ(35, HEventType::count());
    EXPECT_STREQ("UNDEFINED_TYPE", HEventType::at(0).getName());
    EXPECT_EQ(0, HEventType::at(0).getMessage());
    EXPECT_STREQ("WM_PAINT", HEventType::at(2).getName());
    EXPECT_EQ(15, HEventType::at(2).getMessage());
    EXPECT_STREQ("WM_COMMAND", HEventType::at(7).getName());
    EXPECT_STREQ("WM_DROPFILES", HEventType::at(16).getName());
    EXPECT_EQ(563, HEventType::at(16).getMessage());
    EXPECT_STREQ("MM_WOM_OPEN", HEventType::at(32).getName());
    EXPECT_EQ(955, HEventType::at(32).getMessage());
    EXPECT_STREQ("MM_WOM_CLOSE", HEventType::at(34).getName());
    EXPECT_EQ(956, HEventType::at(34).getMessage());
    EXPECT_EQ(16, HEventType::byName("WM_CLOSE").getMessage());
    EXPECT_EQ(957, HEventType::byName("MM_WOM_DONE").getMessage());
    EXPECT_STREQ("UNDEFINED_TYPE", HEventType::byName("WM_NOSUCH").getName());
    EXPECT_STREQ("UNDEFINED_TYPE", HEventType::byName(nullptr).getName());
    for (int i = 0; i < HEventType::count(); ++i) {
        EXPECT_EQ(&HEventType::at(i), &HEventType::byName(HEventType::at(i).getName()));
    }

    std::string longName(100, 'x');
    HEventType cut(5, longName.c_str());
    EXPECT_EQ(63u, std::strlen(cut.getName()));
    HEventType copy(cut);
    EXPECT_EQ(5, copy.getMessage());
    EXPECT_STREQ(cut.getName(), copy.getName());
    HEventType assigned;
    assigned = HEventType::byName("WM_TIMER");
    EXPECT_EQ(275, assigned.getMessage());
    EXPECT_STREQ("WM_TIMER", assigned.getName());
}

TEST(Dispatch, ListenersRunInOrderSkipDisabledOnesAndStopOnFalse) {
    Host host;
    std::vector<int> calls;
    RecordingListener first(TEST_MESSAGE, &calls, 1);
    RecordingListener disabled(TEST_MESSAGE, &calls, 2, true, 11);
    RecordingListener answering(TEST_MESSAGE, &calls, 3, true, 5);
    RecordingListener stopping(TEST_MESSAGE, &calls, 4, false);
    RecordingListener never(TEST_MESSAGE, &calls, 5, true, 9);
    EXPECT_EQ(1, host.label->addListener(&first));
    EXPECT_EQ(2, host.label->addListener(&disabled));
    EXPECT_EQ(3, host.label->addListener(&answering));
    EXPECT_EQ(4, host.label->addListener(&stopping));
    EXPECT_EQ(5, host.label->addListener(&never));
    disabled.setEnabled(false);

    // The stopping listener wrote nothing: the result of the one before it stays.
    EXPECT_EQ(5, SendMessageA(host.label->getHandle(), TEST_MESSAGE, 0, 0));
    EXPECT_EQ((std::vector<int>{1, 3, 4}), calls);
    EXPECT_EQ(host.label, first.lastComponent);

    // A listener registered twice runs twice; removal takes every occurrence.
    calls.clear();
    host.label->removeListener(&stopping);
    host.label->removeListener(&never);
    EXPECT_EQ(4, host.label->addListener(&first));
    SendMessageA(host.label->getHandle(), TEST_MESSAGE, 0, 0);
    EXPECT_EQ((std::vector<int>{1, 3, 1}), calls);
    host.label->removeListener(&first);
    host.label->removeListener(&first);
    EXPECT_EQ(2, host.label->getListenerCount(TEST_MESSAGE));
    host.label->removeListener(&answering);
    host.label->removeListener(&disabled);
    EXPECT_EQ(0, host.label->getListenerCount(TEST_MESSAGE));
}

TEST(Dispatch, MinusOneIsNeverAnAnswerAndReachesTheWindowProcedure) {
    Host host;
    std::vector<int> calls;
    MinusOneListener minusOne(WM_GETTEXTLENGTH);
    host.label->addListener(&minusOne);
    // The label's own procedure answers.
    EXPECT_EQ(5, SendMessageA(host.label->getHandle(), WM_GETTEXTLENGTH, 0, 0));

    RecordingListener answering(WM_GETTEXTLENGTH, &calls, 1, true, 42);
    host.label->addListener(&answering);
    EXPECT_EQ(42, SendMessageA(host.label->getHandle(), WM_GETTEXTLENGTH, 0, 0));
    host.label->removeListener(&answering);

    // With useDefault the default procedure answers, not the label's own.
    char text[16] = {};
    LRESULT viaDefault = host.label->handleMessage(
        host.label->getHandle(), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), true);
    EXPECT_EQ(DefWindowProcA(host.label->getHandle(), WM_GETTEXT, sizeof(text),
                             reinterpret_cast<LPARAM>(text)),
              viaDefault);

    // A disabled listener answers nothing.
    HEventDisable fixed(HEventType(static_cast<int>(WM_GETTEXTLENGTH), "FIXED"), 77);
    host.label->addListener(&fixed);
    EXPECT_EQ(77, SendMessageA(host.label->getHandle(), WM_GETTEXTLENGTH, 0, 0));
    host.label->setListenersEnabled(false);
    EXPECT_EQ(5, SendMessageA(host.label->getHandle(), WM_GETTEXTLENGTH, 0, 0));
    host.label->setListenersEnabled(true);
    host.label->removeListener(&fixed);
    host.label->removeListener(&minusOne);
}

TEST(Dispatch, AListenerMayRemoveListenersWhileTheMessageRuns) {
    Host host;
    std::vector<int> calls;
    RecordingListener after(TEST_MESSAGE, &calls, 2);
    struct Remover : public HEventListener {
        Remover(HEventListener* victim)
            : HEventListener(HEventType(static_cast<int>(TEST_MESSAGE), "R")), victim(victim) {}
        bool handleEvent(HWND, UINT, WPARAM, LPARAM, HComponent* component, LRESULT*) override {
            component->removeListener(this);
            component->removeListener(victim);
            return true;
        }
        HEventListener* victim;
    } remover(&after);
    host.label->addListener(&remover);
    host.label->addListener(&after);
    SendMessageA(host.label->getHandle(), TEST_MESSAGE, 0, 0);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(0, host.label->getListenerCount(TEST_MESSAGE));
}

TEST(HCommandListener, OnlyClicksAndAcceleratorsReachOnCommand) {
    Host host;
    RecordingCommands commands;
    host.window->addListener(&commands);
    HWND window = host.window->getHandle();

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(134, 0), 0);
    EXPECT_EQ(1, commands.count);
    EXPECT_EQ(134u, commands.lastId);
    EXPECT_EQ(window, commands.lastHwnd);
    EXPECT_EQ(host.window.get(), commands.lastComponent);

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(135, 1), 0);
    EXPECT_EQ(2, commands.count);
    EXPECT_EQ(135u, commands.lastId);

    // A change notification (code 2 and up) is not a command.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(41, EN_CHANGE),
                 reinterpret_cast<LPARAM>(host.label->getHandle()));
    EXPECT_EQ(2, commands.count);

    // A click from a control names the control; an unknown sender names nothing.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(41, BN_CLICKED),
                 reinterpret_cast<LPARAM>(host.label->getHandle()));
    EXPECT_EQ(3, commands.count);
    EXPECT_EQ(host.label, commands.lastComponent);
    HWND stranger = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(7, 0), reinterpret_cast<LPARAM>(stranger));
    EXPECT_EQ(4, commands.count);
    EXPECT_EQ(nullptr, commands.lastComponent);
    DestroyWindow(stranger);

    // Handled: result 0; not handled: the result stays unanswered.
    LRESULT result = -1;
    EXPECT_TRUE(
        commands.handleEvent(window, WM_COMMAND, MAKEWPARAM(5, 0), 0, host.window.get(), &result));
    EXPECT_EQ(0, result);
    commands.answer = false;
    result = -1;
    EXPECT_TRUE(
        commands.handleEvent(window, WM_COMMAND, MAKEWPARAM(5, 0), 0, host.window.get(), &result));
    EXPECT_EQ(-1, result);
    host.window->removeListener(&commands);

    HCommandListener plain;
    LogTail log;
    EXPECT_FALSE(plain.onCommand(window, 152, host.window.get()));
    char line[128];
    snprintf(line, sizeof(line), "onCommand handle=%llX id=152 component=%llX", hexOf(window),
             hexOf(host.window.get()));
    EXPECT_TRUE(log.contains(line));
}

TEST(DefaultListeners, NotificationsAreReflectedToTheSendingControl) {
    Host host;
    std::vector<int> calls;
    RecordingListener onLabel(WM_NOTIFY, &calls, 1, true, 5);
    host.label->addListener(&onLabel);
    NMHDR header = {};
    header.hwndFrom = host.label->getHandle();
    header.idFrom = 41;
    header.code = static_cast<UINT>(-2);
    HWND window = host.window->getHandle();
    EXPECT_EQ(5, SendMessageA(window, WM_NOTIFY, 41, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(host.label, onLabel.lastComponent);
    host.label->removeListener(&onLabel);
    // Unanswered by the control: the window's default answer.
    EXPECT_EQ(0, SendMessageA(window, WM_NOTIFY, 41, reinterpret_cast<LPARAM>(&header)));
    // A notification naming the window itself does not loop.
    header.hwndFrom = window;
    EXPECT_EQ(0, SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(0, SendMessageA(window, WM_NOTIFY, 0, 0));
}

TEST(DefaultListeners, ControlsAreColouredWithTheirOwnBrush) {
    Host host;
    host.label->setTextColor(HColor(1, 2, 3));
    host.label->setBackgroundColor(HColor(90, 80, 70));
    HDC dc = GetDC(host.window->getHandle());
    LRESULT brush =
        SendMessageA(host.window->getHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(host.label->getHandle()));
    EXPECT_EQ(reinterpret_cast<LRESULT>(host.label->onCtlColor(nullptr)), brush);
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(dc));
    EXPECT_EQ(brush,
              SendMessageA(host.window->getHandle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(host.label->getHandle())));
    ReleaseDC(host.window->getHandle(), dc);
}

TEST(DefaultListeners, ResizeOnRestoreOrMaximiseAndPaintBeforeTheOwnProcedure) {
    CountingContainer container;
    HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    container.setHandle(plain);
    container.HComponent::create();
    SendMessageA(plain, WM_SIZE, SIZE_RESTORED, 0);
    SendMessageA(plain, WM_SIZE, SIZE_MAXIMIZED, 0);
    SendMessageA(plain, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(2, container.resizes);
    container.HComponent::dispose();
    EXPECT_FALSE(IsWindow(plain));

    Host host;
    PaintCounter* painted = new PaintCounter(host.window.get());
    painted->setBounds(0, 40, 50, 20);
    painted->create();
    UpdateWindow(painted->getHandle());
    int before = painted->paints;
    InvalidateRect(painted->getHandle(), nullptr, TRUE);
    UpdateWindow(painted->getHandle());
    EXPECT_EQ(before + 1, painted->paints);
    // The label's own procedure still painted (validated) the window.
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(painted->getHandle(), &update, FALSE));
    host.window->dispose();
    delete painted;
}

TEST(DefaultListeners, DestroyingATopLevelWindowDisposesItAndQuits) {
    std::unique_ptr<HWindow> window(new HWindow());
    window->setBounds(0, 0, 100, 100);
    ASSERT_EQ(1, window->create());
    HWND handle = window->getHandle();
    DestroyWindow(handle);
    EXPECT_EQ(nullptr, window->getHandle());
    EXPECT_EQ(nullptr, HComponent::findByHandle(handle));
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

TEST(Focus, TabAndShiftTabTypedInAControlMoveTheFocus) {
    std::unique_ptr<HWindow> window(new HWindow());
    window->setBounds(100, 100, 300, 220);
    NativeChild* a = new NativeChild(window.get(), 51, "EDIT", "a", WS_BORDER);
    NativeChild* off = new NativeChild(window.get(), 52, "EDIT", "off", WS_BORDER);
    NativeChild* c = new NativeChild(window.get(), 53, "EDIT", "c", WS_BORDER);
    NativeChild* hidden = new NativeChild(window.get(), 54, "EDIT", "hidden", WS_BORDER);
    NativeChild* e = new NativeChild(window.get(), 55, "BUTTON", "e");
    NativeChild* children[] = {a, off, c, hidden, e};
    int y = 0;
    for (NativeChild* child : children) {
        child->setBounds(5, y, 120, 22);
        y += 30;
    }
    off->setEnabled(false);
    hidden->setVisible(false);
    ASSERT_EQ(1, window->create());
    ShowWindow(window->getHandle(), SW_SHOW);
    ASSERT_TRUE(bringToFront(window->getHandle()));
    a->requestFocus();
    ASSERT_EQ(a->getHandle(), GetFocus());

    pressKeys({VK_TAB});
    EXPECT_TRUE(waitFor([&] { return GetFocus() == c->getHandle(); }));
    pressKeys({VK_TAB});
    EXPECT_TRUE(waitFor([&] { return GetFocus() == e->getHandle(); }));
    pressKeys({VK_TAB});
    EXPECT_TRUE(waitFor([&] { return GetFocus() == a->getHandle(); }));
    pressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(waitFor([&] { return GetFocus() == e->getHandle(); }));
    pressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(waitFor([&] { return GetFocus() == c->getHandle(); }));
    // The Tab never reaches the edit as a character.
    EXPECT_EQ("c", c->getText());
    // Other characters are the edit's own.
    pressKeys({'X'});
    EXPECT_TRUE(waitFor([&] { return c->getText().size() == 2; }));
    EXPECT_EQ(c->getHandle(), GetFocus());

    window.reset();
    for (NativeChild* child : children) {
        delete child;
    }
}
