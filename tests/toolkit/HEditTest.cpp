#include "tests/common/TestSupport.h"
#include "tests/toolkit/ControlTestWindow.h"
#include "toolkit/HEdit.h"
#include "toolkit/HEditListener.h"
#include "toolkit/HLabel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

using controltest::Window;
using testsupport::LogTail;
using testsupport::pumpMessages;

namespace {
struct Call {
    std::string name;
    HWND hwnd;
    int id;
    HComponent* component;
};

// Records the callbacks; the base versions still write their debug lines.
class EditRecorder : public HEditListener {
  public:
    bool onFocusGain(HWND h, int id, HComponent* c) override {
        return record("onFocusGain", h, id, c) && HEditListener::onFocusGain(h, id, c);
    }
    bool onFocusLost(HWND h, int id, HComponent* c) override {
        return record("onFocusLost", h, id, c) && HEditListener::onFocusLost(h, id, c);
    }
    bool onUpdate(HWND h, int id, HComponent* c) override {
        return record("onUpdate", h, id, c) && HEditListener::onUpdate(h, id, c);
    }
    bool onChange(HWND h, int id, HComponent* c) override {
        return record("onChange", h, id, c) && HEditListener::onChange(h, id, c);
    }
    bool onMaxText(HWND h, int id, HComponent* c) override {
        return record("onMaxText", h, id, c) && HEditListener::onMaxText(h, id, c);
    }
    int count(const std::string& name) const {
        int n = 0;
        for (const Call& call : calls) {
            n += call.name == name ? 1 : 0;
        }
        return n;
    }
    std::vector<Call> calls;

  private:
    bool record(const char* name, HWND h, int id, HComponent* c) {
        calls.push_back(Call{name, h, id, c});
        return true;
    }
};

void typeText(HWND edit, const char* text) {
    for (const char* p = text; *p; ++p) {
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*p), 1);
    }
}

std::pair<DWORD, DWORD> selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}
} // namespace

TEST(HEdit, SettingsMadeBeforeCreateShapeTheNativeBox) {
    Window window;
    HEdit* plain = window.make<HEdit>(window.get(), 401, "初期値");
    HEdit* shaped = window.make<HEdit>(window.get(), 402, "12");
    plain->setBounds(10, 10, 120, 22);
    shaped->setBounds(10, 40, 120, 22);
    shaped->setReadOnly(true);
    shaped->setNumberOnly(true);
    shaped->setTextLimit(4);
    shaped->setAlignment(2);
    EXPECT_EQ("Edit", plain->getKindName());
    EXPECT_EQ(-1, plain->getTextLimit());

    LogTail log;
    window.show();
    ASSERT_NE(nullptr, plain->getHandle());
    ASSERT_NE(nullptr, shaped->getHandle());
    EXPECT_TRUE(log.contains("HEdit               :0047 create 開始"));
    EXPECT_TRUE(log.contains("HEdit               :0082 create 終了"));

    char className[32] = {};
    GetClassNameA(plain->getHandle(), className, sizeof(className));
    EXPECT_STREQ("Edit", className);
    EXPECT_EQ("初期値", plain->getText());
    LONG plainStyle = GetWindowLongA(plain->getHandle(), GWL_STYLE);
    EXPECT_TRUE(plainStyle & ES_AUTOHSCROLL);
    EXPECT_FALSE(plainStyle & ES_READONLY);
    EXPECT_FALSE(plainStyle & ES_NUMBER);
    EXPECT_TRUE(GetWindowLongA(plain->getHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // No limit of our own: the platform's maximum.
    EXPECT_GE(SendMessageA(plain->getHandle(), EM_GETLIMITTEXT, 0, 0), 0x7FFF);

    LONG style = GetWindowLongA(shaped->getHandle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_NUMBER);
    EXPECT_TRUE(style & ES_RIGHT);
    EXPECT_EQ(4, SendMessageA(shaped->getHandle(), EM_GETLIMITTEXT, 0, 0));
}

TEST(HEdit, SettingsMadeAfterCreateActOnTheLiveBox) {
    Window window;
    HEdit* edit = window.make<HEdit>(window.get(), 410, "abcdef");
    edit->setBounds(10, 10, 160, 22);
    window.show();
    HWND hwnd = edit->getHandle();
    ASSERT_NE(nullptr, hwnd);

    edit->setReadOnly(true);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY);
    edit->setReadOnly(false);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY);

    edit->setNumberOnly(true);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & ES_NUMBER);
    edit->setNumberOnly(false);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & ES_NUMBER);

    // A limit below the current length keeps the shown text.
    edit->setTextLimit(4);
    EXPECT_EQ(4, SendMessageA(hwnd, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ("abcdef", edit->getText());
    // ...but typing is held to it.
    SetWindowTextA(hwnd, "");
    typeText(hwnd, "123456");
    EXPECT_EQ("1234", edit->getText());
}

TEST(HEdit, NumberOnlyBoxTakesDigitsAlone) {
    Window window;
    HEdit* edit = window.make<HEdit>(window.get(), 415, "");
    edit->setBounds(10, 10, 160, 22);
    edit->setNumberOnly(true);
    window.show();
    typeText(edit->getHandle(), "1a2-3");
    EXPECT_EQ("123", edit->getText());
}

TEST(HEdit, SelectTextCutsTheEndToTheTextAndSkipsAnEmptyBox) {
    Window window;
    HEdit* edit = window.make<HEdit>(window.get(), 420, "abc");
    HEdit* empty = window.make<HEdit>(window.get(), 421, "");
    edit->setBounds(10, 10, 160, 22);
    empty->setBounds(10, 40, 160, 22);

    // Before create: nothing to select, nothing breaks.
    edit->selectText(0, 2);
    window.show();

    edit->selectText(2, 100);
    EXPECT_EQ(std::make_pair(DWORD(2), DWORD(3)), selection(edit->getHandle()));
    edit->selectText(0, 1);
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(1)), selection(edit->getHandle()));
    // A negative end is a huge unsigned number: cut to the length.
    edit->selectText(1, -1);
    EXPECT_EQ(std::make_pair(DWORD(1), DWORD(3)), selection(edit->getHandle()));

    std::pair<DWORD, DWORD> before = selection(empty->getHandle());
    empty->selectText(2, 100);
    EXPECT_EQ(before, selection(empty->getHandle()));
}

TEST(HEdit, ShowTextLeavesTheBoxAsSettingItAndSkipsOneAlreadySo) {
    Window window;
    HEdit* edit = window.make<HEdit>(window.get(), 425, "");
    edit->setBounds(10, 10, 60, 22);
    EditRecorder* listener = window.make<EditRecorder>();
    window.get()->addListener(listener);
    const std::string longText = "説明文がこの箱の幅よりずっと長く続いていく一行";
    edit->showText(longText); // no control yet: nothing happens
    window.show();
    HWND box = edit->getHandle();

    // How a box may differ from what setting its text leaves, with the same text.
    struct Case {
        const char* state;
        std::function<void()> makeState;
        bool setAgain;
    };
    const Case cases[] = {
        {"as set", [] {}, false},
        {"a selection", [&] { SendMessageA(box, EM_SETSEL, 2, 6); }, true},
        {"the caret and the view at the end",
         [&] {
             SendMessageA(box, EM_SETSEL, longText.size(), longText.size());
             SendMessageA(box, EM_SCROLLCARET, 0, 0);
             ASSERT_GT(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
         },
         true},
        {"an edit to undo",
         [&] {
             SendMessageA(box, EM_SETSEL, 0, 0);
             SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
             SendMessageA(box, EM_SETSEL, 0, 1);
             SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
             SendMessageA(box, EM_SETSEL, 0, 0);
         },
         true},
        {"marked as changed", [&] { SendMessageA(box, EM_SETMODIFY, TRUE, 0); }, true},
    };
    for (const Case& c : cases) {
        edit->setText(longText);
        c.makeState();
        ASSERT_EQ(longText, edit->getText()) << c.state;
        listener->calls.clear();
        edit->showText(longText);
        EXPECT_EQ(c.setAgain ? 1 : 0, listener->count("onChange")) << c.state;
        EXPECT_EQ(longText, edit->getText()) << c.state;
        EXPECT_EQ(std::make_pair(DWORD(0), DWORD(0)), selection(box)) << c.state;
        EXPECT_EQ(0, SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0)) << c.state;
        EXPECT_FALSE(SendMessageA(box, EM_CANUNDO, 0, 0)) << c.state;
        EXPECT_FALSE(SendMessageA(box, EM_GETMODIFY, 0, 0)) << c.state;
    }
    // Another text is always set.
    listener->calls.clear();
    edit->showText("短い");
    EXPECT_EQ("短い", edit->getText());
    EXPECT_EQ(1, listener->count("onChange"));
}

TEST(HEdit, TypingAndFocusReachTheEditListener) {
    Window window;
    HEdit* edit = window.make<HEdit>(window.get(), 430, "");
    HEdit* other = window.make<HEdit>(window.get(), 431, "");
    edit->setBounds(10, 10, 160, 22);
    other->setBounds(10, 40, 160, 22);
    EditRecorder* listener = window.make<EditRecorder>();
    window.get()->addListener(listener);
    window.show();

    LogTail log;
    SetFocus(edit->getHandle());
    pumpMessages(50);
    EXPECT_GE(listener->count("onFocusGain"), 1);

    // Real key strokes: key-down through the message loop turns into WM_CHAR.
    controltest::typeKey('7');
    controltest::typeKey('5');
    pumpMessages(150);
    EXPECT_EQ("75", edit->getText());
    EXPECT_GE(listener->count("onChange"), 2);
    EXPECT_GE(listener->count("onUpdate"), 2);
    ASSERT_FALSE(listener->calls.empty());
    const Call& last = listener->calls.back();
    EXPECT_EQ(window.handle(), last.hwnd);
    EXPECT_EQ(430, last.id);
    EXPECT_EQ(edit, last.component);

    char line[64];
    snprintf(line, sizeof(line), "onChange:%llX 430", hexOf(window.handle()));
    EXPECT_TRUE(log.contains(line)) << line;

    SetFocus(other->getHandle());
    pumpMessages(50);
    EXPECT_GE(listener->count("onFocusLost"), 1);

    // The limit reached: EN_MAXTEXT.
    edit->setTextLimit(2);
    SetFocus(edit->getHandle());
    SendMessageA(edit->getHandle(), EM_SETSEL, 2, 2);
    SendMessageA(edit->getHandle(), WM_CHAR, '9', 1);
    pumpMessages(50);
    EXPECT_GE(listener->count("onMaxText"), 1);
    EXPECT_EQ("75", edit->getText());
}

TEST(HEditListener, IgnoresUnregisteredControlsAndAnswersOnlyKnownCodes) {
    HEditListener listener;
    LRESULT result = -1;
    // A handle no component is registered for: nothing is called.
    EXPECT_TRUE(listener.handleEvent(nullptr, WM_COMMAND, MAKEWPARAM(5, EN_CHANGE), 0x1234, nullptr,
                                     &result));
    EXPECT_EQ(-1, result);

    Window window;
    HEdit* edit = window.make<HEdit>(window.get(), 440, "");
    edit->setBounds(10, 10, 100, 22);
    window.show();
    LPARAM control = reinterpret_cast<LPARAM>(edit->getHandle());
    EXPECT_TRUE(listener.handleEvent(window.handle(), WM_COMMAND, MAKEWPARAM(440, 0x0777), control,
                                     nullptr, &result));
    EXPECT_EQ(-1, result);
    const WORD codes[] = {EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE,  EN_UPDATE,
                          EN_ERRSPACE, EN_MAXTEXT,   EN_HSCROLL, EN_VSCROLL};
    const char* names[] = {"onFocusGain", "onFocusLost", "onChange",  "onUpdate",
                           "onErrSpace",  "onMaxText",   "onHScroll", "onVScroll"};
    for (int i = 0; i < 8; ++i) {
        LogTail log;
        result = -1;
        EXPECT_TRUE(listener.handleEvent(window.handle(), WM_COMMAND, MAKEWPARAM(440, codes[i]),
                                         control, window.get(), &result));
        EXPECT_EQ(0, result) << names[i];
        char line[64];
        snprintf(line, sizeof(line), "%s:%llX 440", names[i], hexOf(window.handle()));
        EXPECT_TRUE(log.contains(line)) << line;
    }
}

TEST(HLabel, IsAStaticTextOnTheFaceColourThatTakesNoFocus) {
    Window window;
    HLabel* label = window.make<HLabel>(window.get(), 450, "名前");
    HLabel* right = window.make<HLabel>(window.get(), 451, "右");
    label->setBounds(10, 10, 100, 20);
    label->setAlignment(1);
    right->setBounds(10, 40, 100, 20);
    right->setAlignment(2);
    EXPECT_EQ("Label", label->getKindName());
    EXPECT_FALSE(label->isFocusable());
    EXPECT_TRUE(label->getBackgroundColor() == HColor(212, 208, 200));

    LogTail log;
    window.show();
    ASSERT_NE(nullptr, label->getHandle());
    EXPECT_TRUE(log.contains("HLabel              :0038 create 開始"));
    EXPECT_TRUE(log.contains("HLabel              :0061 create 終了"));
    char className[32] = {};
    GetClassNameA(label->getHandle(), className, sizeof(className));
    EXPECT_STREQ("Static", className);
    EXPECT_EQ("名前", label->getText());
    EXPECT_EQ(static_cast<LONG>(SS_CENTER),
              GetWindowLongA(label->getHandle(), GWL_STYLE) & SS_TYPEMASK);
    EXPECT_EQ(static_cast<LONG>(SS_RIGHT),
              GetWindowLongA(right->getHandle(), GWL_STYLE) & SS_TYPEMASK);

    // Not focusable: requestFocus leaves the focus where it was.
    HWND before = GetFocus();
    label->requestFocus();
    EXPECT_EQ(before, GetFocus());
    label->dispose();
    EXPECT_EQ(nullptr, label->getHandle());
}
