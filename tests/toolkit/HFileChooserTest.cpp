#include "tests/common/TestSupport.h"
#include "tests/toolkit/ControlTestWindow.h"
#include "toolkit/HFileChooser.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

using testsupport::makeScratchDir;
using testsupport::writeFile;

namespace {
// What the dialog driver saw and does, for the timer procedure.
struct Driver {
    std::string typed;     // text for the file-name box; empty: cancel
    std::string caption;   // the dialog's caption as found
    std::string firstType; // the first entry of the file-type list
    std::string listed;    // the names the file list shows, each followed by "|"
    bool done = false;
};
Driver driver;

BOOL CALLBACK findDialog(HWND hwnd, LPARAM found) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    if (strcmp(className, "#32770") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the dialog's own message loop: fills in the file name like a
// user typing it and presses OK (or Cancel).
void CALLBACK driveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr || driver.done) {
        return;
    }
    driver.done = true;
    KillTimer(nullptr, timer);
    char caption[260] = {};
    GetWindowTextA(dialog, caption, sizeof(caption));
    driver.caption = caption;
    HWND types = GetDlgItem(dialog, 0x470); // the file-type list
    if (types != nullptr && SendMessageA(types, CB_GETCOUNT, 0, 0) > 0) {
        char first[260] = {};
        SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        driver.firstType = first;
    }
    HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND files = view != nullptr ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    int count =
        files != nullptr ? static_cast<int>(SendMessageA(files, LVM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        char text[260] = {};
        LVITEMA item = {};
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(files, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        driver.listed += std::string(text) + "|";
    }
    if (driver.typed.empty()) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // The file-name box: a combo box in the newer dialog, an edit in the older.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (name == nullptr) {
        name = GetDlgItem(dialog, 0x480);
    }
    SetWindowTextA(name, driver.typed.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void startDriver(const std::string& typed) {
    driver = Driver();
    driver.typed = typed;
    SetTimer(nullptr, 0, 200, driveDialog);
}

} // namespace

TEST(HFileChooser, StartsWithItsDefaultsAndCutsLongSettings) {
    HFileChooser chooser;
    const OPENFILENAMEA& description = chooser.getDescription();
    EXPECT_EQ(sizeof(OPENFILENAMEA), description.lStructSize);
    EXPECT_EQ(nullptr, description.hwndOwner);
    EXPECT_EQ(0u, description.nFilterIndex);
    EXPECT_EQ(260u, description.nMaxFile);
    EXPECT_EQ(256u, description.nMaxFileTitle);
    EXPECT_EQ(256u, description.nMaxCustFilter);
    EXPECT_STREQ("", chooser.getFileName());
    EXPECT_STREQ(".", chooser.getInitialDirectory());
    EXPECT_STREQ("ファイルを開く", chooser.getTitle());
    const char defaultFilter[] = "全てのファイル {*.*}\0*.*\0";
    ASSERT_EQ(26u, sizeof(defaultFilter));
    EXPECT_EQ(0, memcmp(defaultFilter, chooser.getFilter(), 26));
    EXPECT_EQ(chooser.getFilter(), description.lpstrFilter);
    EXPECT_TRUE(chooser.getFile().name().empty());

    chooser.setInitialDirectory(std::string(300, 'd'));
    EXPECT_EQ(std::string(259, 'd'), chooser.getInitialDirectory());
    chooser.setTitle(std::string(280, 't'));
    EXPECT_EQ(std::string(259, 't'), chooser.getTitle());

    HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    chooser.setOwner(owner);
    EXPECT_EQ(owner, chooser.getOwner());
}

TEST(HFileChooser, FilterKeepsItsZeroBytesAndIsCut) {
    HFileChooser chooser;
    const char filter[] = "wave音源 {*.wav}\0*.wav\0すべてのﾌｧｲﾙ {*.*}\0*.*\0";
    chooser.setFilter(filter, sizeof(filter));
    EXPECT_EQ(0, memcmp(filter, chooser.getFilter(), sizeof(filter)));

    std::string huge(2000, 'f');
    chooser.setFilter(huge.data(), static_cast<int>(huge.size()));
    EXPECT_EQ(std::string(1023, 'f'), std::string(chooser.getFilter()));
    // Cut in the middle of a string, the list still ends with two zero bytes.
    EXPECT_EQ('\0', chooser.getFilter()[1023]);
    EXPECT_EQ('\0', chooser.getFilter()[1024]);

    // A shorter filter leaves nothing of the longer one behind.
    chooser.setFilter("a\0b\0", 5);
    EXPECT_EQ(0, memcmp("a\0b\0\0\0", chooser.getFilter(), 6));
    chooser.setFilter(nullptr, 10);
    EXPECT_EQ('\0', chooser.getFilter()[0]);
}

TEST(HFileChooser, OpenDialogReturnsTheChosenFile) {
    std::string dir = makeScratchDir("chooser");
    ASSERT_TRUE(writeFile(dir + "\\魔法.wav", "RIFF"));
    ASSERT_TRUE(writeFile(dir + "\\readme.txt", "text"));
    controltest::Window window;
    window.show();

    HFileChooser chooser;
    chooser.setOwner(window.handle());
    chooser.setInitialDirectory(dir);
    chooser.setTitle("効果音を選ぶ");
    const char filter[] = "wave音源 {*.wav}\0*.wav\0すべてのﾌｧｲﾙ {*.*}\0*.*\0";
    chooser.setFilter(filter, sizeof(filter));

    // Only the name typed: the dialog opens in the initial directory.
    startDriver("魔法.wav");
    ASSERT_TRUE(chooser.chooseOpenFile());
    EXPECT_TRUE(driver.done);
    EXPECT_EQ("効果音を選ぶ", driver.caption);
    EXPECT_EQ("wave音源 {*.wav}", driver.firstType);
    // The first pattern is in force: the text file is not offered.
    EXPECT_NE(std::string::npos, driver.listed.find("魔法")) << driver.listed;
    EXPECT_EQ(std::string::npos, driver.listed.find("readme")) << driver.listed;
    EXPECT_EQ(static_cast<DWORD>(OFN_FILEMUSTEXIST),
              chooser.getDescription().Flags & OFN_FILEMUSTEXIST);
    HFile file = chooser.getFile();
    EXPECT_EQ("魔法.wav", file.name());
    EXPECT_EQ(0, _stricmp(dir.c_str(), file.directory().c_str())) << file.directory();
    EXPECT_STREQ("魔法.wav", chooser.getFileTitle());
}

TEST(HFileChooser, ACancelledDialogGivesFalseAndKeepsTheBuffers) {
    std::string dir = makeScratchDir("cancel");
    controltest::Window window;
    window.show();
    HFileChooser chooser;
    chooser.setOwner(window.handle());
    chooser.setInitialDirectory(dir);
    startDriver("");
    EXPECT_FALSE(chooser.chooseOpenFile());
    EXPECT_STREQ("", chooser.getFileName());
    EXPECT_TRUE(driver.done);
    EXPECT_EQ("ファイルを開く", driver.caption);
    EXPECT_EQ("全てのファイル {*.*}", driver.firstType);
}

TEST(HFileChooser, SaveDialogTakesANewNameWithoutQuestions) {
    std::string dir = makeScratchDir("save");
    ASSERT_TRUE(writeFile(dir + "\\MagicTable", "old"));
    controltest::Window window;
    window.show();

    HFileChooser chooser;
    chooser.setOwner(window.handle());
    chooser.setInitialDirectory(dir);
    startDriver("NewTable");
    ASSERT_TRUE(chooser.chooseSaveFile());
    EXPECT_EQ(static_cast<DWORD>(OFN_CREATEPROMPT),
              chooser.getDescription().Flags & (OFN_CREATEPROMPT | OFN_OVERWRITEPROMPT));
    EXPECT_EQ("NewTable", chooser.getFile().name());

    // An existing file is taken without an overwrite question.
    HFileChooser again;
    again.setOwner(window.handle());
    again.setInitialDirectory(dir);
    startDriver(dir + "\\MagicTable");
    ASSERT_TRUE(again.chooseSaveFile());
    EXPECT_EQ("MagicTable", again.getFile().name());
    EXPECT_EQ(0, _stricmp(dir.c_str(), again.getFile().directory().c_str()));
}
