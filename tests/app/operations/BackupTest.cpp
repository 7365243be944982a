// Backups of the replaced tables, through the real window: every save that
// replaces the files keeps the earlier versions, byte for byte, in
// Data\Backup\<time>; the newest 20 folders stay; a Backup folder that cannot
// be written never stops the save, and the user is told once.
#include "app/data/RZEditData.h"
#include "app/views/RZIds.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace editortest;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const char* const NOT_BACKED_UP = "バックアップを作成できませんでした。";

// The folders directly inside dir, sorted by name.
std::vector<std::string> foldersIn(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." &&
                name != "..") {
                names.push_back(name);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
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
    for (int i = 0; i < 200; ++i) {
        if (((GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_READONLY) != 0) == readOnly) {
            return;
        }
        Sleep(25);
    }
}

class BackupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game = freshGame();
        ASSERT_TRUE(setGameDirectory(game));
        data = game + "\\SetA\\Data";
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
    std::string game;
    std::string data;
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
        editAndSave(editor, name);
        tables.push_back(readFile(data + "\\MagicTable"));
        sounds.push_back(readFile(data + "\\SoundFileName"));
    }
    EXPECT_NE(tables[0], tables[1]);

    // Three folders, oldest first (saves within one second get -2, -3), each
    // holding the two files as they were before that save, and nothing else.
    std::vector<std::string> folders = foldersIn(backups);
    ASSERT_EQ(3u, folders.size());
    // By the time, then by the -N of saves within that second (-2 before -10).
    std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
        if (a.compare(0, 15, b, 0, 15) != 0) {
            return a.compare(0, 15, b, 0, 15) < 0;
        }
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (std::size_t i = 0; i < folders.size(); ++i) {
        SCOPED_TRACE(folders[i]);
        const std::string folder = backups + "\\" + folders[i];
        EXPECT_EQ(tables[i], readFile(folder + "\\MagicTable"));
        EXPECT_EQ(sounds[i], readFile(folder + "\\SoundFileName"));
        EXPECT_TRUE(foldersIn(folder).empty());
        // YYYYMMDD-HHMMSS of today, then nothing or -N.
        SYSTEMTIME now;
        GetLocalTime(&now);
        char today[16];
        snprintf(today, sizeof(today), "%04u%02u%02u-", now.wYear, now.wMonth, now.wDay);
        EXPECT_EQ(today, folders[i].substr(0, 9));
        EXPECT_EQ(std::string::npos, folders[i].find_first_not_of("0123456789-"));
        EXPECT_TRUE(folders[i].size() == 15 || folders[i].substr(15, 1) == "-");
    }
    EXPECT_EQ(0, answers.unexpected);
    EXPECT_TRUE(answers.seen.empty());
}

TEST_F(BackupTest, TheNewestTwentyStayAndOnlyTheOldestOfTheRestGoes) {
    // Twenty earlier backups, and beside them what is not the editor's to delete:
    // an older backup holding a file of the user's, and folders of other names.
    ASSERT_TRUE(CreateDirectoryA(backups.c_str(), nullptr));
    for (int day = 1; day <= 20; ++day) {
        char name[32];
        snprintf(name, sizeof(name), "202001%02d-000000", day);
        const std::string folder = backups + "\\" + name;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(writeFile(folder + "\\MagicTable", name));
        ASSERT_TRUE(writeFile(folder + "\\SoundFileName", name));
    }
    const std::vector<std::string> others{"20191231-235959", "2019-old", "20191231-235959-01",
                                          "mine"};
    for (const std::string& other : others) {
        const std::string folder = backups + "\\" + other;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(writeFile(folder + "\\MagicTable", "old"));
    }
    ASSERT_TRUE(writeFile(backups + "\\20191231-235959\\note.txt", "keep me"));

    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    const std::string before = readFile(data + "\\MagicTable");
    editAndSave(editor, "二十一回目");

    std::vector<std::string> folders = foldersIn(backups);
    ASSERT_EQ(24u, folders.size());
    EXPECT_EQ(folders.end(), std::find(folders.begin(), folders.end(), "20200101-000000"));
    EXPECT_NE(folders.end(), std::find(folders.begin(), folders.end(), "20200102-000000"));
    for (const std::string& other : others) {
        EXPECT_NE(folders.end(), std::find(folders.begin(), folders.end(), other)) << other;
    }
    // The folder with the user's file keeps the table beside it too.
    EXPECT_EQ("old", readFile(backups + "\\20191231-235959\\MagicTable"));
    // One is this save's, holding the table it replaced.
    std::vector<std::string> made;
    for (const std::string& folder : folders) {
        if (folder.compare(0, 4, "2019") != 0 && folder.compare(0, 6, "202001") != 0 &&
            folder != "mine") {
            made.push_back(folder);
        }
    }
    ASSERT_EQ(1u, made.size());
    EXPECT_EQ(before, readFile(backups + "\\" + made[0] + "\\MagicTable"));
    EXPECT_TRUE(answers.seen.empty());
}

TEST_F(BackupTest, AReadOnlyBackupFolderStillSavesAndTellsTheUserOnce) {
    ASSERT_TRUE(CreateDirectoryA(backups.c_str(), nullptr));
    changeMode(backups, "555");
    ASSERT_NE(0u, GetFileAttributesA(backups.c_str()) & FILE_ATTRIBUTE_READONLY);
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    answers.push(IDOK);
    editAndSave(editor, "保存は続く");
    changeMode(backups, "755");

    EXPECT_NE(std::string::npos, readFile(data + "\\MagicTable").find("保存は続く"));
    EXPECT_TRUE(foldersIn(backups).empty());
    ASSERT_EQ(1u, answers.seen.size());
    expectBox(answers.seen[0], "上書き保存", NOT_BACKED_UP, MB_OK, IDI_INFORMATION);
    EXPECT_EQ(0, answers.unexpected);
    // No working file is left beside the tables.
    EXPECT_FALSE(testsupport::fileExists(data + "\\MagicTable.bak~"));
}
