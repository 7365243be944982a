#include "support/HFindFiles.h"
#include "support/HProcessClock.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

using namespace testsupport;

namespace {
std::string currentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof(buffer), buffer);
    return std::string(buffer, length);
}
} // namespace

TEST(HFindFiles, ListsSubdirectoriesWithDotEntriesAndAppends) {
    std::string dir = makeScratchDir("find");
    CreateDirectoryA((dir + "\\A").c_str(), nullptr);
    CreateDirectoryA((dir + "\\表示").c_str(), nullptr);
    writeFile(dir + "\\plain", "file");
    std::string before = currentDirectory();

    std::vector<HFile> found;
    ASSERT_EQ(4, HFindFiles::getDirectories(HFile(dir), found));
    ASSERT_EQ(4u, found.size());
    std::vector<std::string> names;
    for (const HFile& f : found) {
        EXPECT_EQ(dir, f.directory());
        names.push_back(f.name());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{".", "..", "A", "表示"}), names);
    EXPECT_EQ(before, currentDirectory());

    EXPECT_EQ(4, HFindFiles::getDirectories(HFile(dir), found));
    EXPECT_EQ(8u, found.size());
}

TEST(HFindFiles, MissingDirectoryLeavesEverythingAsItWas) {
    std::string before = currentDirectory();
    std::vector<HFile> found;
    LogTail log;
    EXPECT_EQ(-1, HFindFiles::getDirectories(HFile(runDirectory() + "\\nothing-here"), found));
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(before, currentDirectory());
    EXPECT_TRUE(
        log.contains("HFindFiles          :0089 情報：getDirectories:ディレクトリ変更に失敗"));
}

TEST(HFindFiles, EnumeratorListsWhatThePatternMatches) {
    std::string dir = makeScratchDir("enumerate");
    CreateDirectoryA((dir + "\\A").c_str(), nullptr);
    CreateDirectoryA((dir + "\\表示").c_str(), nullptr);
    writeFile(dir + "\\plain", "file");
    writeFile(dir + "\\note.txt", "text");
    const struct {
        std::string pattern;
        bool open;
        std::vector<std::string> entries; // sorted; "/" marks a directory
    } rows[] = {
        {dir + "\\*", true, {"../", "./", "A/", "note.txt", "plain", "表示/"}},
        {dir + "\\*.txt", true, {"note.txt"}},
        {dir + "\\表*", true, {"表示/"}},
        {dir + "\\none*", false, {}},
        {dir + "\\missing\\*", false, {}},
    };
    for (const auto& row : rows) {
        HFindFiles search(row.pattern);
        EXPECT_EQ(row.open, search.isOpen()) << row.pattern;
        std::vector<std::string> entries;
        while (search.next()) {
            entries.push_back(search.name() + (search.isDirectory() ? "/" : ""));
        }
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(row.entries, entries) << row.pattern;
        EXPECT_FALSE(search.failed()) << row.pattern;
        EXPECT_FALSE(search.next()) << row.pattern; // stays at the end
    }
    // Each listing lets go of its search: a thousand of them leave the
    // process's private memory as it was (Wine keeps 8 KB and more for each
    // search left open, and counts no handles).
    const long long before = static_cast<long long>(HProcessClock::privateKb());
    for (int i = 0; i < 1000; ++i) {
        HFindFiles search(dir + "\\*");
        ASSERT_TRUE(search.next());
    }
    EXPECT_LT(static_cast<long long>(HProcessClock::privateKb()) - before, 2048);
}
