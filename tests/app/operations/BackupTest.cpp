// Backups of the replaced tables, through the real window: every save that
// replaces the files keeps the earlier versions, byte for byte, in
// Data\Backup\<time>, and a save of what the files hold already keeps none;
// the newest 20 folders stay; a Backup folder that cannot be written never
// stops the save, and the user is told once.
#include "app/data/RZEditData.h"
#include "app/data/RZTableBackup.h"
#include "app/views/RZIds.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using namespace editortest;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const char* const NOT_BACKED_UP = "バックアップを作成できませんでした。";

using testsupport::foldersIn;

// The backup folders inside dir, oldest first: by the time and number the
// editor reads from their names.
std::vector<std::string> backupsIn(const std::string& dir) {
    std::vector<std::tuple<std::string, unsigned long, std::string>> found;
    for (const std::string& name : foldersIn(dir)) {
        std::string stamp;
        unsigned long number = 0;
        if (RZTableBackup::parseName(name, stamp, number)) {
            found.emplace_back(stamp, number, name);
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (const auto& backup : found) {
        names.push_back(std::get<2>(backup));
    }
    return names;
}

// The local time some seconds from now as a backup folder names it.
std::string stampIn(int seconds) {
    SYSTEMTIME time;
    GetLocalTime(&time);
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart += 10000000ULL * static_cast<unsigned>(seconds);
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    FileTimeToSystemTime(&file, &time);
    char name[32];
    snprintf(name, sizeof(name), "%04u%02u%02u-%02u%02u%02u", time.wYear, time.wMonth, time.wDay,
             time.wHour, time.wMinute, time.wSecond);
    return name;
}

// Runs the system's chmod on a folder: under Wine, the folder's read-only
// attribute cannot be set from Windows, and the tests may run as root.
void changeMode(const std::string& folder, const char* mode) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = std::string("/bin/chmod ") + mode + " Backup";
    const std::string parent = folder.substr(0, folder.rfind('\\'));
    ASSERT_TRUE(CreateProcessA("Z:\\bin\\chmod", &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               parent.c_str(), &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine does not wait for a Unix program: the mode shows when it is done.
    const bool readOnly = std::string(mode) == "555";
    testsupport::waitUntil(
        [&] {
            return ((GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_READONLY) != 0) ==
                   readOnly;
        },
        5000);
}

class BackupTest : public FreshGameTest {
  protected:
    void SetUp() override {
        FreshGameTest::SetUp();
        backups = data + "\\Backup";
    }
    // Opens SetA, changes the first spell's name and saves with Ctrl+S's command.
    void editAndSave(Editor& editor, const std::string& name) {
        editor.selectRow(rowOf(0, 1));
        editor.type(IDC_NAME, name);
        editor.selectRow(rowOf(1, 1));
        editor.command(IDM_SAVE);
        ASSERT_FALSE(editor.document()->hasChanged());
    }
    std::string backups;
};

} // namespace

TEST_F(BackupTest, EverySaveKeepsTheVersionItReplaced) {
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    std::vector<std::string> tables{readFile(data + "\\MagicTable")};
    std::vector<std::string> sounds{readFile(data + "\\SoundFileName")};
    for (const char* name : {"一回目", "二回目", "三回目"}) {
        ASSERT_NO_FATAL_FAILURE(editAndSave(editor, name));
        tables.push_back(readFile(data + "\\MagicTable"));
        sounds.push_back(readFile(data + "\\SoundFileName"));
    }
    EXPECT_NE(tables[0], tables[1]);

    // Three backup folders and nothing else, each holding the two files as they
    // were before its save, and nothing else.
    std::vector<std::string> folders = backupsIn(backups);
    ASSERT_EQ(3u, folders.size());
    EXPECT_EQ(3u, foldersIn(backups).size());
    for (std::size_t i = 0; i < folders.size(); ++i) {
        SCOPED_TRACE(folders[i]);
        const std::string folder = backups + "\\" + folders[i];
        EXPECT_EQ(tables[i], readFile(folder + "\\MagicTable"));
        EXPECT_EQ(sounds[i], readFile(folder + "\\SoundFileName"));
        EXPECT_EQ(2u, testsupport::listFolder(folder).size());
        EXPECT_EQ(stampIn(0).substr(0, 9), folders[i].substr(0, 9)); // today's
    }

    // Twenty saves with Ctrl+S that would write the bytes already there make
    // no folder: the real backups stay, and so do the files.
    editor.focus(IDC_SPELL_LIST);
    for (int save = 0; save < RZTableBackup::KEPT; ++save) {
        editor.press({VK_CONTROL, 'S'});
    }
    EXPECT_EQ(folders, backupsIn(backups));
    EXPECT_EQ(3u, foldersIn(backups).size());
    EXPECT_EQ(tables.back(), readFile(data + "\\MagicTable"));
    EXPECT_EQ(sounds.back(), readFile(data + "\\SoundFileName"));
    EXPECT_EQ(0, answers.unexpected);
    EXPECT_TRUE(answers.seen.empty());
}

TEST_F(BackupTest, TheNewestTwentyStayAndOnlyTheOldestOfTheRestGoes) {
    // Twenty-one earlier backups: three saves within one second, then one a day.
    // Beside them what is not the editor's to delete: an older backup holding a
    // file of the user's, and folders of other names.
    ASSERT_TRUE(CreateDirectoryA(backups.c_str(), nullptr));
    std::vector<std::string> earlier{"20200101-000000", "20200101-000000-2", "20200101-000000-10"};
    for (int day = 2; day <= 19; ++day) {
        char name[32];
        snprintf(name, sizeof(name), "202001%02d-000000", day);
        earlier.push_back(name);
    }
    for (const std::string& name : earlier) {
        const std::string folder = backups + "\\" + name;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(writeFile(folder + "\\MagicTable", name));
        ASSERT_TRUE(writeFile(folder + "\\SoundFileName", name));
    }
    const std::vector<std::string> others{"20191231-235959", "2019-old", "20191231-235959-01",
                                          "20191231-235959-02", "mine"};
    for (const std::string& other : others) {
        const std::string folder = backups + "\\" + other;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(writeFile(folder + "\\MagicTable", "old"));
    }
    ASSERT_TRUE(writeFile(backups + "\\20191231-235959\\note.txt", "keep me"));
    // Files named as the backups of this and the next 30 seconds: this save's
    // folder is the second one of its second.
    for (int seconds = 0; seconds <= 30; ++seconds) {
        ASSERT_TRUE(writeFile(backups + "\\" + stampIn(seconds), ""));
    }

    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    const std::string before = readFile(data + "\\MagicTable");
    ASSERT_NO_FATAL_FAILURE(editAndSave(editor, "二十一回目"));

    // The newest twenty stay (this save's and the last second's -10 among them);
    // the user's backup stays as it was.
    std::vector<std::string> kept = backupsIn(backups);
    ASSERT_FALSE(kept.empty());
    const std::string made = kept.back();
    kept.pop_back();
    std::vector<std::string> expected{"20191231-235959", "20200101-000000-10"};
    expected.insert(expected.end(), earlier.begin() + 3, earlier.end());
    EXPECT_EQ(expected, kept);
    for (const std::string& other : others) {
        EXPECT_EQ("old", readFile(backups + "\\" + other + "\\MagicTable")) << other;
    }
    EXPECT_EQ("keep me", readFile(backups + "\\20191231-235959\\note.txt"));
    EXPECT_EQ(stampIn(0).substr(0, 9), made.substr(0, 9));
    EXPECT_EQ("-2", made.substr(15));
    EXPECT_EQ(before, readFile(backups + "\\" + made + "\\MagicTable"));
    EXPECT_TRUE(answers.seen.empty());
}

TEST_F(BackupTest, AReadOnlyBackupFolderStillSavesAndTellsTheUserOnce) {
    ASSERT_TRUE(CreateDirectoryA(backups.c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(changeMode(backups, "555"));
    ASSERT_NE(0u, GetFileAttributesA(backups.c_str()) & FILE_ATTRIBUTE_READONLY);
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    answers.push(IDOK);
    ASSERT_NO_FATAL_FAILURE(editAndSave(editor, "保存は続く"));
    ASSERT_NO_FATAL_FAILURE(changeMode(backups, "755"));

    EXPECT_NE(std::string::npos, readFile(data + "\\MagicTable").find("保存は続く"));
    EXPECT_TRUE(foldersIn(backups).empty());
    ASSERT_EQ(1u, answers.seen.size());
    expectBox(answers.seen[0], "上書き保存", NOT_BACKED_UP, MB_OK, IDI_INFORMATION);
    EXPECT_EQ(0, answers.unexpected);
    // No working file is left beside the tables.
    EXPECT_FALSE(testsupport::fileExists(data + "\\MagicTable.bak~"));
}
