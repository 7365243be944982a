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
// What the dialog driver saw of the chooser.
struct Seen {
    std::string caption;   // the dialog's caption
    std::string firstType; // the first entry of the file-type list
    std::string listed;    // the names the file list shows, each followed by "|"
};

// Notes what the chooser shows, then fills in the file name like a user typing
// it and presses OK (or Cancel, with no name).
bool chooseIn(HWND dialog, const std::string& typed, Seen& seen) {
    seen.caption = testsupport::windowText(dialog);
    const std::vector<std::string> types = testsupport::comboTexts(GetDlgItem(dialog, 0x470));
    if (!types.empty()) {
        seen.firstType = types[0];
    }
    HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND files = view != nullptr ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    for (int i = 0, count = files != nullptr ? testsupport::listRows(files) : 0; i < count; ++i) {
        seen.listed += testsupport::listCell(files, i, 0) + "|";
    }
    if (typed.empty()) {
        testsupport::pressButton(dialog, IDCANCEL);
        return true;
    }
    // The file-name box: a combo box in the newer dialog, an edit in the older.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (name == nullptr) {
        name = GetDlgItem(dialog, 0x480);
    }
    SetWindowTextA(name, typed.c_str());
    testsupport::pressButton(dialog, IDOK);
    return true;
}

// Answers the next chooser of this thread, and only that one (looked for
// every 200 ms, so that its file list is filled).
class Driver {
  public:
    explicit Driver(const std::string& typed)
        : driver([this, typed](HWND dialog) { return !done() && chooseIn(dialog, typed, seen); },
                 "#32770", 200) {}
    Seen seen;
    bool done() const { return driver.handled() == 1; }

  private:
    testsupport::DialogDriver driver;
};

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
    Driver driver("魔法.wav");
    ASSERT_TRUE(chooser.chooseOpenFile());
    EXPECT_TRUE(driver.done());
    EXPECT_EQ("効果音を選ぶ", driver.seen.caption);
    EXPECT_EQ("wave音源 {*.wav}", driver.seen.firstType);
    // The first pattern is in force: the text file is not offered.
    EXPECT_NE(std::string::npos, driver.seen.listed.find("魔法")) << driver.seen.listed;
    EXPECT_EQ(std::string::npos, driver.seen.listed.find("readme")) << driver.seen.listed;
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
    Driver driver("");
    EXPECT_FALSE(chooser.chooseOpenFile());
    EXPECT_STREQ("", chooser.getFileName());
    EXPECT_TRUE(driver.done());
    EXPECT_EQ("ファイルを開く", driver.seen.caption);
    EXPECT_EQ("全てのファイル {*.*}", driver.seen.firstType);
}

TEST(HFileChooser, SaveDialogTakesANewNameWithoutQuestions) {
    std::string dir = makeScratchDir("save");
    ASSERT_TRUE(writeFile(dir + "\\MagicTable", "old"));
    controltest::Window window;
    window.show();

    HFileChooser chooser;
    chooser.setOwner(window.handle());
    chooser.setInitialDirectory(dir);
    Driver driver("NewTable");
    ASSERT_TRUE(chooser.chooseSaveFile());
    EXPECT_EQ(static_cast<DWORD>(OFN_CREATEPROMPT),
              chooser.getDescription().Flags & (OFN_CREATEPROMPT | OFN_OVERWRITEPROMPT));
    EXPECT_EQ("NewTable", chooser.getFile().name());

    // An existing file is taken without an overwrite question.
    HFileChooser again;
    again.setOwner(window.handle());
    again.setInitialDirectory(dir);
    Driver againDriver(dir + "\\MagicTable");
    ASSERT_TRUE(again.chooseSaveFile());
    EXPECT_EQ("MagicTable", again.getFile().name());
    EXPECT_EQ(0, _stricmp(dir.c_str(), again.getFile().directory().c_str()));
}
