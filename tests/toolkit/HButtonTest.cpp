#include "tests/common/TestSupport.h"
#include "tests/toolkit/ControlTestWindow.h"
#include "toolkit/HButton.h"
#include "toolkit/HCheckBox.h"
#include "toolkit/HLabel.h"

#include <gtest/gtest.h>

using controltest::Recorder;
using controltest::Window;
using testsupport::LogTail;
using testsupport::pumpMessages;

namespace {
// The WM_COMMAND messages the window received for one id.
std::vector<Recorder::Seen> commandsFor(const Recorder& recorder, int id) {
    std::vector<Recorder::Seen> found;
    for (const Recorder::Seen& seen : recorder.seen) {
        if (LOWORD(seen.wParam) == id) {
            found.push_back(seen);
        }
    }
    return found;
}
} // namespace

TEST(HButton, CreatesAPushButtonWithItsAlignmentAndLogsTheCreation) {
    Window window;
    HButton* centred = window.make<HButton>(window.get(), 301, "中央");
    HButton* left = window.make<HButton>(window.get(), 302, "左");
    HButton* right = window.make<HButton>(window.get(), 303, "右");
    centred->setBounds(10, 10, 80, 24);
    left->setBounds(10, 40, 80, 24);
    left->setAlignment(0);
    right->setBounds(10, 70, 80, 24);
    right->setAlignment(2);
    EXPECT_EQ("Button", centred->getKindName());
    EXPECT_EQ("HButton", centred->getClassName());
    EXPECT_EQ(1, centred->getAlignment());
    EXPECT_FALSE(centred->isEnterPressed());

    LogTail log;
    window.show();
    ASSERT_NE(nullptr, centred->getHandle());
    EXPECT_TRUE(log.contains("HButton             :0050 create 開始"));
    EXPECT_TRUE(log.contains("HButton             :0078 create 終了"));

    char className[32] = {};
    GetClassNameA(centred->getHandle(), className, sizeof(className));
    EXPECT_STREQ("Button", className);
    EXPECT_EQ(301, GetDlgCtrlID(centred->getHandle()));
    EXPECT_EQ(window.handle(), GetParent(centred->getHandle()));
    EXPECT_EQ("中央", centred->getText());
    LONG style = GetWindowLongA(centred->getHandle(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(BS_CENTER), style & BS_CENTER);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_EQ(static_cast<LONG>(BS_LEFT), GetWindowLongA(left->getHandle(), GWL_STYLE) & BS_CENTER);
    EXPECT_EQ(static_cast<LONG>(BS_RIGHT),
              GetWindowLongA(right->getHandle(), GWL_STYLE) & BS_CENTER);
    EXPECT_EQ(centred, HComponent::findByHandle(centred->getHandle()));

    // A second create of a live button changes nothing.
    HWND first = centred->getHandle();
    centred->create();
    EXPECT_EQ(first, centred->getHandle());

    // dispose only forgets the handle; the native button goes with the window.
    centred->dispose();
    EXPECT_EQ(nullptr, centred->getHandle());
    EXPECT_TRUE(IsWindow(first));
    EXPECT_EQ(nullptr, HComponent::findByHandle(first));
}

TEST(HButton, WithoutAParentWindowCreateOnlyLogs) {
    HButton orphan(nullptr, 310, "孤児");
    LogTail log;
    orphan.create();
    EXPECT_EQ(nullptr, orphan.getHandle());
    EXPECT_TRUE(log.contains("HButton             :0050 create 開始"));
    EXPECT_TRUE(log.contains("HButton             :0078 create 終了"));

    // A parent whose window does not exist yet: the same.
    Window window;
    HButton* early = window.make<HButton>(window.get(), 311, "早い");
    early->create();
    EXPECT_EQ(nullptr, early->getHandle());
}

TEST(HButton, EnterOnAFocusedButtonSendsItsIdToTheTopLevelWindow) {
    Window window;
    HButton* ok = window.make<HButton>(window.get(), 320, "OK");
    HButton* other = window.make<HButton>(window.get(), 321, "他");
    ok->setBounds(10, 10, 80, 24);
    other->setBounds(100, 10, 80, 24);
    Recorder* commands = window.make<Recorder>("WM_COMMAND");
    window.get()->addListener(commands);
    window.show();

    SetForegroundWindow(window.handle());
    SetFocus(ok->getHandle());
    pumpMessages(50);
    ASSERT_EQ(ok->getHandle(), GetFocus());

    controltest::pressKey(VK_RETURN, false);
    pumpMessages(100);
    // Held down: drawn pressed and marked, nothing sent yet.
    EXPECT_TRUE(ok->isEnterPressed());
    EXPECT_TRUE(SendMessageA(ok->getHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_TRUE(commandsFor(*commands, 320).empty());

    controltest::pressKey(VK_RETURN, true);
    pumpMessages(100);
    EXPECT_FALSE(ok->isEnterPressed());
    EXPECT_FALSE(SendMessageA(ok->getHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    std::vector<Recorder::Seen> sent = commandsFor(*commands, 320);
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(window.handle(), sent[0].hwnd);
    EXPECT_EQ(0, HIWORD(sent[0].wParam));
    EXPECT_EQ(0, sent[0].lParam);
    EXPECT_TRUE(commandsFor(*commands, 321).empty());
}

TEST(HButton, KeyUpWithoutKeyDownAndOtherKeysDoNothing) {
    Window window;
    HButton* button = window.make<HButton>(window.get(), 340, "押す");
    button->setBounds(10, 10, 80, 24);
    Recorder* commands = window.make<Recorder>("WM_COMMAND");
    window.get()->addListener(commands);
    window.show();

    // A key-up of Enter alone (the key went down elsewhere) clicks nothing.
    SendMessageA(button->getHandle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    pumpMessages(50);
    EXPECT_TRUE(commandsFor(*commands, 340).empty());

    // Other keys leave the state alone.
    SendMessageA(button->getHandle(), WM_KEYDOWN, 'A', 1);
    EXPECT_FALSE(button->isEnterPressed());
    EXPECT_FALSE(SendMessageA(button->getHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button->getHandle(), WM_KEYUP, 'A', 0xC0000001);
    EXPECT_TRUE(commandsFor(*commands, 340).empty());

    // Sent key messages work the same as typed ones: down then up clicks once.
    EXPECT_EQ(0, SendMessageA(button->getHandle(), WM_KEYDOWN, VK_RETURN, 1));
    EXPECT_TRUE(button->isEnterPressed());
    EXPECT_EQ(0, SendMessageA(button->getHandle(), WM_KEYUP, VK_RETURN, 0xC0000001));
    pumpMessages(50);
    EXPECT_EQ(1u, commandsFor(*commands, 340).size());
}

// The check as set before the box exists, while it does (by the program or the
// user) and after it is gone.
TEST(HCheckBox, KeepsItsCheckBeforeWhileAndAfterItsWindow) {
    Window window;
    HCheckBox* box = window.make<HCheckBox>(window.get(), 304, "変更した行だけ");
    box->setBounds(10, 100, 160, 20);
    box->setChecked(true);
    window.show();
    ASSERT_NE(nullptr, box->getHandle());
    const auto shown = [box] { return SendMessageA(box->getHandle(), BM_GETCHECK, 0, 0); };
    std::vector<LRESULT> states = {shown()};
    box->setChecked(false);
    states.push_back(shown());
    EXPECT_FALSE(box->isChecked());
    SendMessageA(box->getHandle(), BM_CLICK, 0, 0);
    states.push_back(shown());
    EXPECT_EQ(states, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(BS_AUTOCHECKBOX, GetWindowLongA(box->getHandle(), GWL_STYLE) & BS_TYPEMASK);
    box->dispose();
    EXPECT_EQ(nullptr, box->getHandle());
    EXPECT_TRUE(box->isChecked());
}
