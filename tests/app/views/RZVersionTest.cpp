// The about box: its text and layout as built, and its modal life over the real
// main window: shown centred and owned, closed by its button, Enter, Escape and
// the close box, the main window enabled again afterwards, and shown again at once.
#include "app/operations/RZListeners.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZIds.h"
#include "app/views/RZVersion.h"
#include "app/views/RZWindow.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HFont.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

TEST(RZVersionTest, TextIsTitleLineVersionLineAndCredits) {
    std::string text = RZVersion::buildText("1.02");
    std::string middle = " 魔法エディタ RZEdit \r\n- version 1.02 -\r\r";
    std::string::size_type at = text.find(middle);
    ASSERT_NE(std::string::npos, at) << text;
    EXPECT_GT(at, 0u) << "the title line names the program's purpose first";
    std::string title = text.substr(0, at);
    std::string credits = text.substr(at + middle.size());
    EXPECT_EQ(std::string::npos, title.find_first_of("\r\n"));
    EXPECT_FALSE(credits.empty());
    EXPECT_EQ(std::string::npos, credits.find_first_of("\r\n"));
    EXPECT_EQ("1.02", versionText());
}

TEST(RZVersionTest, BuildsItsControlsFontAndKeysBeforeAnyNativeWindow) {
    HWindow owner;
    RZVersion box(&owner);
    EXPECT_EQ("RZVersion", box.getClassName());
    EXPECT_EQ("RZVersion", box.getWindowClassName());
    EXPECT_EQ("Dialog", box.getKindName());
    EXPECT_EQ("ﾊﾞｰｼﾞｮﾝ情報", box.getStoredText());
    EXPECT_EQ(280, box.getWidth());
    EXPECT_EQ(160, box.getHeight());
    EXPECT_TRUE(box.isModal());
    EXPECT_EQ(nullptr, box.getHandle());
    EXPECT_EQ(2, box.getAcceleratorCount());

    ASSERT_NE(nullptr, box.getFont());
    EXPECT_EQ("ＭＳ Ｐゴシック", box.getFont()->getFaceName());
    EXPECT_EQ(9, box.getFont()->getSize());
    EXPECT_EQ(+HFont::PLAIN, box.getFont()->getStyle());

    struct Expected {
        int id;
        int x, y, w, h;
        int alignment;
    } expected[] = {{IDC_ABOUT_TEXT, 10, 10, 260, 60, 1},
                    {IDC_ABOUT_CREDIT, 10, 80, 260, 16, 1},
                    {IDC_ABOUT_OK, 90, 100, 80, 20, 0}};
    ASSERT_EQ(3, box.getChildCount());
    for (int i = 0; i < 3; ++i) {
        const Expected& e = expected[i];
        HComponent* control = box.getChild(i);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(e.id, control->getId());
        EXPECT_EQ(e.x, control->getX()) << e.id;
        EXPECT_EQ(e.y, control->getY()) << e.id;
        EXPECT_EQ(e.w, control->getWidth()) << e.id;
        EXPECT_EQ(e.h, control->getHeight()) << e.id;
        EXPECT_EQ(box.getFont(), control->getFont()) << e.id;
    }
    // Both labels are centred.
    EXPECT_EQ(1, box.getChild(0)->getAlignment());
    EXPECT_EQ(1, box.getChild(1)->getAlignment());
    EXPECT_EQ(RZVersion::buildText("1.02"), box.getChild(0)->getStoredText());
    EXPECT_FALSE(box.getChild(1)->getStoredText().empty());
    EXPECT_EQ("OK", box.getChild(2)->getStoredText());
}

// The ways of closing the about box.
enum How { BUTTON, ENTER, ESCAPE, CLOSE_BOX };

// What the user sees while the about box is open.
struct Seen {
    bool ownerDisabled = false;
    bool ownedByMain = false;
    bool centred = false;
    std::string text;
};

// Notes what the open box shows, then closes it one way (run by a
// testsupport::DialogDriver inside the box's modal loop).
bool noteAndClose(HWND dialog, HWND owner, How how, Seen& seen) {
    seen.ownerDisabled = !IsWindowEnabled(owner);
    seen.ownedByMain = GetWindow(dialog, GW_OWNER) == owner;
    RECT d, o;
    GetWindowRect(dialog, &d);
    GetWindowRect(owner, &o);
    seen.centred = std::abs((d.left + d.right) - (o.left + o.right)) <= 2 &&
                   std::abs((d.top + d.bottom) - (o.top + o.bottom)) <= 2;
    seen.text = testsupport::windowText(GetDlgItem(dialog, IDC_ABOUT_TEXT));
    switch (how) {
    case BUTTON:
        PostMessageA(GetDlgItem(dialog, IDC_ABOUT_OK), BM_CLICK, 0, 0);
        break;
    case ENTER:
        // Keys reach the box's accelerators through its modal loop, wherever the focus is.
        PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        break;
    case ESCAPE:
        PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        break;
    case CLOSE_BOX:
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    return true;
}

class RZVersionModalTest : public ::testing::TestWithParam<How> {
  protected:
    editortest::Editor editor;
};

TEST_P(RZVersionModalTest, ShowDialogReturnsTheCloseResultAndFreesTheOwner) {
    RZVersion box(editor.window);
    Seen seen;
    testsupport::DialogDriver closer(
        [&](HWND dialog) { return noteAndClose(dialog, editor.hwnd, GetParam(), seen); },
        "RZVersion", 30);
    int result = box.showDialog();
    EXPECT_EQ(1, closer.handled());
    EXPECT_EQ(0, closer.forced());
    // The button and both keys go through the OK command (IDC_ABOUT_OK); the close box is the
    // dialog's own.
    EXPECT_EQ(GetParam() == CLOSE_BOX ? 4 : 1, result);
    EXPECT_TRUE(seen.ownerDisabled);
    EXPECT_TRUE(seen.ownedByMain);
    EXPECT_TRUE(seen.centred);
    EXPECT_NE(std::string::npos, seen.text.find("- version 1.02 -")) << seen.text;
    EXPECT_TRUE(IsWindowEnabled(editor.hwnd));
    EXPECT_FALSE(IsWindowVisible(box.getHandle()));
}

TEST_P(RZVersionModalTest, MenuCommandShowsTheBoxAndItOpensAgainAtOnce) {
    for (int round = 0; round < 2; ++round) {
        testsupport::LogTail log;
        Seen seen;
        testsupport::DialogDriver closer(
            [&](HWND dialog) { return noteAndClose(dialog, editor.hwnd, GetParam(), seen); },
            "RZVersion", 30);
        editor.command(IDM_ABOUT);
        EXPECT_EQ(1, closer.handled()) << "round " << round;
        EXPECT_EQ(0, closer.forced());
        EXPECT_TRUE(seen.ownerDisabled);
        EXPECT_TRUE(log.contains("RZOP0018 開始"));
        EXPECT_TRUE(log.contains("RZOP0018 終了"));
        EXPECT_EQ(GetParam() != CLOSE_BOX, log.contains("RZOP0020 開始"));
        // Deleted: the window is gone and its class unregistered.
        EXPECT_EQ(nullptr, FindWindowA("RZVersion", nullptr));
        WNDCLASSEXA info = {};
        info.cbSize = sizeof(info);
        EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "RZVersion", &info));
        EXPECT_TRUE(IsWindowEnabled(editor.hwnd));
        EXPECT_TRUE(editor.alive());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWayOfClosing, RZVersionModalTest,
                         ::testing::Values(BUTTON, ENTER, ESCAPE, CLOSE_BOX));

} // namespace
