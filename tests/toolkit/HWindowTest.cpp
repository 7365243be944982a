#include "tests/common/TestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"
#include "toolkit/HFont.h"
#include "toolkit/HMenuBar.h"
#include "toolkit/HMenuItem.h"
#include "toolkit/HWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

using namespace testsupport;
using namespace nativetest;

namespace {
// Records the raw wParam of every WM_COMMAND that no control sent.
class CommandLog : public HEventListener {
  public:
    CommandLog() : HEventListener(HEventType::byName("WM_COMMAND")) {}
    bool handleEvent(HWND, UINT, WPARAM wParam, LPARAM lParam, HComponent*,
                     LRESULT* result) override {
        if (lParam != 0) {
            return true; // the edit's own notifications
        }
        params.push_back(wParam);
        *result = 0;
        return true;
    }
    std::vector<WPARAM> params;
};

// Runs one step per timer tick while the window's own loop runs.
class TimerSteps : public HEventListener {
  public:
    TimerSteps() : HEventListener(HEventType::byName("WM_TIMER")) {}
    bool handleEvent(HWND hwnd, UINT, WPARAM, LPARAM, HComponent*, LRESULT* result) override {
        *result = 0;
        if (step(tick++)) {
            KillTimer(hwnd, 1);
            DestroyWindow(hwnd);
        }
        return true;
    }
    // Returns true when the window should go.
    std::function<bool(int)> step;
    int tick = 0;
};
} // namespace

TEST(HWindow, DefaultsOfANewWindow) {
    HWindow window;
    EXPECT_EQ("HWindow", window.getClassName());
    EXPECT_EQ("HWindow", window.getWindowClassName());
    EXPECT_EQ("Window", window.getKindName());
    EXPECT_EQ("Data:Default(HWindow)", window.getStoredText());
    EXPECT_EQ(HColor(212, 208, 200), window.getBackgroundColor());
    EXPECT_EQ(0x02CA0000u, window.getWindowStyle());
    EXPECT_EQ(0u, window.getExStyle());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(1, window.getListenerCount(WM_DESTROY));
    EXPECT_EQ(1, window.getListenerCount(WM_CTLCOLOREDIT));
    EXPECT_EQ(1, window.getListenerCount(WM_CTLCOLORSTATIC));
    EXPECT_EQ(1, window.getListenerCount(WM_NOTIFY));
    EXPECT_EQ(1, window.getListenerCount(WM_SIZE));

    window.setResizable(true);
    EXPECT_TRUE(window.isResizable());
    EXPECT_EQ(0x02CA0000u | WS_THICKFRAME | WS_MAXIMIZEBOX, window.getWindowStyle());
    window.setResizable(false);
    EXPECT_EQ(0x02CA0000u, window.getWindowStyle());
}

TEST(HWindow, CreationRegistersTheClassOnceAndLogsItsSteps) {
    LogTail log;
    std::unique_ptr<HWindow> first(new HWindow());
    std::unique_ptr<HWindow> second(new HWindow());
    first->setWindowClassName("RzSharedClass");
    second->setWindowClassName("RzSharedClass");
    first->setBounds(10, 20, 200, 150);
    second->setResizable(true);
    second->setBounds(30, 40, 200, 150);
    ASSERT_EQ(1, first->create());
    // The class exists already: the second window is still made.
    ASSERT_EQ(1, second->create());
    EXPECT_NE(first->getHandle(), second->getHandle());
    EXPECT_EQ(first.get(), HComponent::findByHandle(first->getHandle()));
    char name[64] = {};
    GetClassNameA(second->getHandle(), name, sizeof(name));
    EXPECT_STREQ("RzSharedClass", name);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "RzSharedClass", &info));
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), info.style);
    EXPECT_EQ(&HComponent::windowProcedure, info.lpfnWndProc);
    EXPECT_TRUE(GetWindowLongA(second->getHandle(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ("Data:Default(HWindow)", first->getText());
    // Top-level windows are not subclassed and have no key or paint listener.
    EXPECT_EQ(nullptr, first->getSavedProcedure());
    EXPECT_EQ(0, first->getListenerCount(WM_CHAR));
    EXPECT_EQ(0, first->getListenerCount(WM_PAINT));
    EXPECT_TRUE(log.contains("HWindow             :0133 HWindow.create 開始"));
    EXPECT_TRUE(log.contains("HWindow             :0202 HWindow.create 終了"));
    // Creating again keeps the window.
    HWND handle = first->getHandle();
    first->create();
    EXPECT_EQ(handle, first->getHandle());

    LogTail disposal;
    DestroyWindow(handle);
    EXPECT_EQ(nullptr, first->getHandle());
    EXPECT_TRUE(disposal.contains("HWindow             :0212 HWindow.dispose 開始"));
    EXPECT_TRUE(disposal.contains("HWindow             :0234 HWindow.dispose 終了"));
    second.reset();
    first.reset();
    waitFor([] { return false; }, 50); // drains the quit message
}

TEST(HWindow, FailedCreationIsLoggedAndShowingReturnsFalse) {
    HWindow window;
    window.setBounds(0, 0, 100, 100);
    window.setParentHandle(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0)));
    LogTail log;
    EXPECT_FALSE(window.setVisible(true));
    EXPECT_EQ(nullptr, window.getHandle());
    EXPECT_TRUE(log.contains("HWindow             :0177 情報：HWindow:create error"));
    EXPECT_TRUE(log.contains("HWindow             :0098 情報：ウィンドウの表示に失敗"));
}

TEST(HWindow, SixtyFourAcceleratorsAtMost) {
    HWindow window;
    for (int i = 1; i <= HWindow::MAX_ACCELERATORS; ++i) {
        ASSERT_EQ(i, window.addAccelerator(FVIRTKEY, static_cast<WORD>(VK_F1 + i % 12),
                                           static_cast<WORD>(1000 + i)));
    }
    EXPECT_EQ(-1, window.addAccelerator(FVIRTKEY, 'A', 2000));
    EXPECT_EQ(64, window.getAcceleratorCount());
    window.setBounds(0, 0, 100, 100);
    LogTail log;
    ASSERT_EQ(1, window.create());
    ASSERT_NE(nullptr, window.getAccelerator());
    EXPECT_EQ(64, CopyAcceleratorTableA(window.getAccelerator(), nullptr, 0));
    char line[64];
    snprintf(line, sizeof(line), "accelerator:%llX", hexOf(window.getAccelerator()));
    EXPECT_TRUE(log.contains(line));
    window.dispose();
    EXPECT_EQ(nullptr, window.getAccelerator());

    // An entry added to a live table replaces the table.
    HWindow live;
    live.setBounds(0, 0, 100, 100);
    live.addAccelerator(FVIRTKEY, VK_F2, 1);
    live.create();
    EXPECT_EQ(2, live.addAccelerator(FVIRTKEY, VK_F3, 2));
    ASSERT_NE(nullptr, live.getAccelerator());
    EXPECT_EQ(2, CopyAcceleratorTableA(live.getAccelerator(), nullptr, 0));
}

TEST(HWindow, TheLoopTurnsRealKeyStrokesIntoCommandsUntilTheWindowIsDestroyed) {
    std::unique_ptr<HWindow> window(new HWindow());
    window->setBounds(100, 100, 320, 200);
    NativeChild* edit = new NativeChild(window.get(), 61, "EDIT", "", WS_BORDER);
    edit->setBounds(10, 10, 200, 24);
    EXPECT_EQ(1, window->addAccelerator(FVIRTKEY | FCONTROL, 'S', 1001));
    EXPECT_EQ(2, window->addAccelerator(FVIRTKEY, VK_F5, 1002));
    EXPECT_EQ(3, window->addAccelerator(FVIRTKEY | FCONTROL | FSHIFT, 'N', 1003));
    CommandLog commands;
    window->addListener(&commands);
    TimerSteps steps;
    window->addListener(&steps);
    HWND focusAtStart = nullptr;
    HWND editAtStart = nullptr;
    std::string typed;
    steps.step = [&](int tick) {
        switch (tick) {
        case 0:
            focusAtStart = GetFocus();
            editAtStart = edit->getHandle();
            SetForegroundWindow(window->getHandle());
            return false;
        case 1:
            pressKeys({VK_CONTROL, 'S'});
            return false;
        case 2:
            pressKeys({VK_F5});
            return false;
        case 3:
            pressKeys({VK_CONTROL, VK_SHIFT, 'N'});
            return false;
        case 4:
            pressKeys({'S'}); // no accelerator: typed into the edit
            return false;
        case 5:
            pressKeys({VK_CONTROL, 'S'});
            return false;
        default:
            typed = edit->getText();
            return commands.params.size() >= 4 || tick > 60;
        }
    };
    ASSERT_EQ(1, window->create());
    HWND handle = window->getHandle();
    SetTimer(handle, 1, 100, nullptr);
    EXPECT_TRUE(window->setVisible(true));

    // The loop ended with the window: disposed, children forgotten.
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, window->getHandle());
    EXPECT_EQ(edit->getHandle(), nullptr);
    // Showing gave the first child the focus; keys not in the table reached it.
    EXPECT_EQ(editAtStart, focusAtStart);
    EXPECT_EQ("s", typed);
    ASSERT_EQ(4u, commands.params.size());
    EXPECT_EQ(MAKEWPARAM(1001, 1), commands.params[0]);
    EXPECT_EQ(MAKEWPARAM(1002, 1), commands.params[1]);
    EXPECT_EQ(MAKEWPARAM(1003, 1), commands.params[2]);
    EXPECT_EQ(MAKEWPARAM(1001, 1), commands.params[3]);
    window.reset();
    delete edit;
}

TEST(HWindow, JapaneseTextIsDrawnInTheGothicFont) {
    std::unique_ptr<HWindow> window(new HWindow());
    window->setStoredText("呪文表エディタ ― 表示の試験");
    window->setBounds(40, 40, 560, 260);
    HFont* gothic = new HFont("ＭＳ ゴシック", 0, 12);
    window->setFont(gothic);
    const std::string sample = "火炎の呪文：ファイアボール　威力１２０　ｶﾀｶﾅ";
    NativeChild* label = new NativeChild(window.get(), 71, "STATIC", sample);
    label->setBounds(16, 20, 520, 28);
    NativeChild* second = new NativeChild(window.get(), 72, "STATIC", "水の精霊よ、傷を癒せ。");
    second->setBounds(16, 60, 520, 28);
    HMenuBar* bar = new HMenuBar(window.get(), 140, "");
    HMenuItem* file = new HMenuItem(bar, 134, "ﾌｧｲﾙ(&F)");
    HMenuItem* open = new HMenuItem(file, 135, "開く(&O)");
    HMenuItem* edit = new HMenuItem(bar, 141, "編集(&E)");
    HMenuItem* help = new HMenuItem(bar, 150, "ﾍﾙﾌﾟ(&H)");
    ASSERT_EQ(1, window->create());
    ShowWindow(window->getHandle(), SW_SHOW);
    UpdateWindow(window->getHandle());
    EXPECT_EQ(gothic, label->getFont());
    ASSERT_NE(nullptr, gothic->getHandle());
    EXPECT_EQ(reinterpret_cast<LRESULT>(gothic->getHandle()),
              SendMessageA(label->getHandle(), WM_GETFONT, 0, 0));

    // Every character of the sample has a glyph in the font the label uses.
    HDC dc = GetDC(label->getHandle());
    HGDIOBJ old = SelectObject(dc, gothic->getHandle());
    char face[64] = {};
    GetTextFaceA(dc, sizeof(face), face);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    std::vector<WORD> glyphs(sample.size());
    DWORD count = GetGlyphIndicesA(dc, sample.c_str(), static_cast<int>(sample.size()),
                                   glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    ReleaseDC(label->getHandle(), dc);
    // Wine serves the face through its IPA Gothic substitute.
    const std::string gothicName = "ゴシック";
    std::string faceName = face;
    EXPECT_TRUE(
        faceName.size() >= gothicName.size() &&
        faceName.compare(faceName.size() - gothicName.size(), gothicName.size(), gothicName) == 0)
        << faceName;
    EXPECT_EQ(SHIFTJIS_CHARSET, metrics.tmCharSet);
    ASSERT_NE(GDI_ERROR, count);
    ASSERT_GT(count, 0u);
    for (DWORD i = 0; i < count; ++i) {
        EXPECT_NE(0xFFFF, glyphs[i]) << "character " << i;
    }

    // RZ_HOLD_MS keeps the window up for a screenshot taken by hand.
    char hold[16] = {};
    if (GetEnvironmentVariableA("RZ_HOLD_MS", hold, sizeof(hold)) > 0) {
        waitFor([] { return false; }, static_cast<unsigned>(atoi(hold)));
    }
    DestroyWindow(window->getHandle());
    window.reset();
    for (HComponent* c :
         std::initializer_list<HComponent*>{help, edit, open, file, bar, second, label}) {
        delete c;
    }
    delete gothic;
    waitFor([] { return false; }, 30);
}
