// Where the editor finds its game, through the real program: the value in the
// registry's 32-bit view (where the game's installer writes it), in the 64-bit
// view, in both, or a game folder given on the command line, good or bad. The
// File menu's first data set tells which game the editor took.
#include "app/views/RZIds.h"
#include "tests/app/views/RZProcessSupport.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

using namespace rzprocess;

namespace {

// The texts of a dialog's static controls, one after another.
std::string staticTexts(HWND dialog) {
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof(name));
        if (lstrcmpiA(name, "Static") == 0) {
            texts += windowText(child);
        }
    }
    return texts;
}

// Pixels of a dialog's left third in the warning icon's orange (the error icon
// is red, the information and question icons blue).
int warningPixels(HWND dialog) {
    RECT box = {};
    GetWindowRect(dialog, &box);
    HDC screen = GetDC(nullptr);
    int orange = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.left + (box.right - box.left) / 3; ++x) {
            COLORREF c = GetPixel(screen, x, y);
            orange +=
                GetRValue(c) > 200 && GetGValue(c) > 100 && GetGValue(c) < 200 && GetBValue(c) < 90
                    ? 1
                    : 0;
        }
    }
    ReleaseDC(nullptr, screen);
    return orange;
}

class RZGameDirectoryProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = programPath();
        std::string demo = demoDirectory();
        if (program.empty() || demo.empty()) {
            GTEST_SKIP() << "needs RZEdit.exe (RZ_BUILD_DIR) and the demo game (RZ_DEMO_DIR)";
        }
        std::string games = testsupport::makeScratchDir("games");
        installed = games + "\\Installed";
        // A folder name with a blank and Japanese, as users name them, ending in
        // a character whose second byte is a backslash.
        copied = games + "\\コピー した ゲーム表";
        ASSERT_TRUE(testsupport::copyTree(demo, installed));
        ASSERT_TRUE(testsupport::copyTree(demo, copied));
        ASSERT_FALSE(dataSets(installed).empty());
        firstSet = dataSets(installed)[0];
        // Both views empty unless a case sets them; put back as they were after.
        view32.reset(new GameDirectoryScope("", KEY_WOW64_32KEY));
        view64.reset(new GameDirectoryScope("", KEY_WOW64_64KEY));
        work = testsupport::makeScratchDir("work");
    }

    void TearDown() override {
        if (editor && editor->started() && !editor->exited()) {
            PostMessageA(editor->mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
            editor->waitExit();
        }
        editor.reset();
        view64.reset();
        view32.reset();
    }

    // Opens the File menu's first data set; the game directory of the table
    // shown ("" when none opened).
    std::string gameOfFirstDataSet() {
        HWND main = editor->mainWindow();
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FIRST_DATA_SET, 0), 0);
        std::string tail = "\\" + firstSet + "\\Data\\MagicTable - RZEdit";
        std::string title;
        bool shown = waitUntil([&] {
            title = windowText(main);
            return title.size() > tail.size() &&
                   title.compare(title.size() - tail.size(), tail.size(), tail) == 0 &&
                   testsupport::listRows(editor->control(IDC_SPELL_LIST)) > 0;
        });
        return shown ? title.substr(0, title.size() - tail.size()) : "";
    }

    std::string program;
    std::string installed;
    std::string copied;
    std::string firstSet;
    std::string work;
    std::unique_ptr<GameDirectoryScope> view32;
    std::unique_ptr<GameDirectoryScope> view64;
    std::unique_ptr<EditorProcess> editor;
};

} // namespace

TEST_F(RZGameDirectoryProcessTest, ReadsThe32BitViewFirstThenThe64BitView) {
    struct Case {
        const char* name;
        bool in32;
        bool in64;
        bool installedWins; // else the copy (written into the 64-bit view) wins
    };
    const Case cases[] = {
        {"only in the 32-bit view", true, false, true},
        {"only in the 64-bit view", false, true, false},
        {"in both views, different", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(setGameDirectory(c.in32 ? installed : "", KEY_WOW64_32KEY));
        ASSERT_TRUE(setGameDirectory(c.in64 ? copied : "", KEY_WOW64_64KEY));
        editor.reset(new EditorProcess());
        ASSERT_TRUE(editor->start(program, work)) << "no RZWindow appeared";
        EXPECT_EQ(c.installedWins ? installed : copied, gameOfFirstDataSet());
        PostMessageA(editor->mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
        EXPECT_EQ(0, editor->waitExit());
    }
}

TEST_F(RZGameDirectoryProcessTest, AGameFolderOnTheCommandLineReplacesTheRegistry) {
    struct Case {
        const char* name;
        std::string registry; // the 32-bit view's value
        std::string arguments;
    };
    const Case cases[] = {
        {"no registry value, quoted with a blank and Japanese", "", "\"" + copied + "\""},
        {"over the installed game, with a closing backslash", installed, "\"" + copied + "\\\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(setGameDirectory(c.registry, KEY_WOW64_32KEY));
        editor.reset(new EditorProcess());
        ASSERT_TRUE(editor->start(program, work, c.arguments)) << "no RZWindow appeared";
        EXPECT_EQ(nullptr, editor->window("#32770")) << "a box came up";
        EXPECT_EQ(copied, gameOfFirstDataSet());
        PostMessageA(editor->mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
        EXPECT_EQ(0, editor->waitExit());
    }
}

TEST_F(RZGameDirectoryProcessTest, ABadArgumentIsNamedInAWarningThenTheRegistryIsUsed) {
    ASSERT_TRUE(setGameDirectory(installed, KEY_WOW64_32KEY));
    std::string missing = work + "\\無い ゲーム";
    editor.reset(new EditorProcess());
    ASSERT_TRUE(editor->start(program, work, "\"" + missing + "\"", false));

    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = editor->window("#32770")) != nullptr; }));
    EXPECT_EQ(nullptr, editor->mainWindow()) << "the window came before the warning";
    EXPECT_EQ("RZEdit", windowText(box));
    EXPECT_NE(std::string::npos, staticTexts(box).find(missing)) << staticTexts(box);
    bringToFront(box);
    editor->settle();
    EXPECT_GT(warningPixels(box), 20) << "no warning icon";
    testsupport::pressButton(box, IDOK);

    ASSERT_TRUE(waitUntil([&] { return editor->mainWindow() != nullptr; }, 20000));
    EXPECT_EQ(installed, gameOfFirstDataSet());
}
