// The document: its registry-derived stock paths, entries, flags and windows.
#include "app/data/RZEditData.h"
#include "tests/app/data/DataTestSupport.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

using namespace testsupport;
using datatest::GameDirectory;

namespace {

std::unique_ptr<RZMagic> entryNamed(const std::string& name) {
    ZDMagic record;
    record.setName(name);
    return std::make_unique<RZMagic>(record);
}

} // namespace

TEST(RZEditData, StockPathsFollowTheRegisteredGameDirectory) {
    std::string game = makeScratchDir("表ゲーム");
    {
        GameDirectory set(game);
        RZEditData document;
        EXPECT_EQ(game + "\\Default\\Data", document.defaultTablePath().directory());
        EXPECT_EQ("MagicTable", document.defaultTablePath().name());
        EXPECT_EQ(game + "\\Default\\Data\\SoundFileName", document.defaultSoundPath().fullPath());
        EXPECT_TRUE(document.tablePath().isEmpty());
        EXPECT_TRUE(document.soundPath().isEmpty());
    }
    // Missing value, a directory that does not exist, a trailing backslash.
    {
        GameDirectory none;
        LogTail log;
        RZEditData document;
        EXPECT_TRUE(document.defaultTablePath().isEmpty());
        EXPECT_TRUE(document.defaultSoundPath().isEmpty());
        EXPECT_TRUE(log.contains("レジストリ参照：サブキー取得失敗"));
    }
    for (const std::string& value : {game + "\\missing", game + "\\", std::string()}) {
        GameDirectory set(value);
        RZEditData document;
        EXPECT_TRUE(document.defaultTablePath().isEmpty()) << value;
        EXPECT_TRUE(document.defaultSoundPath().isEmpty()) << value;
    }
}

TEST(RZEditData, OneDocumentPerWindowUntilReleased) {
    std::string game = makeScratchDir("perwindow");
    GameDirectory set(game);
    HWND first = reinterpret_cast<HWND>(0x1000);
    HWND second = reinterpret_cast<HWND>(0x2000);
    EXPECT_EQ(nullptr, RZEditData::getInstance(nullptr));
    RZEditData* document = RZEditData::getInstance(first);
    ASSERT_NE(nullptr, document);
    EXPECT_EQ(document, RZEditData::getInstance(first));
    EXPECT_NE(document, RZEditData::getInstance(second));
    EXPECT_FALSE(document->defaultTablePath().isEmpty());

    // After release the next request builds a fresh one and reads the registry again.
    datatest::removeGameDirectory();
    LogTail log;
    RZEditData::release(first);
    EXPECT_TRUE(log.contains("RZEditData@"));
    RZEditData::release(first);
    RZEditData::release(nullptr);
    RZEditData* fresh = RZEditData::getInstance(first);
    ASSERT_NE(nullptr, fresh);
    EXPECT_TRUE(fresh->defaultTablePath().isEmpty());
    RZEditData::release(first);
    RZEditData::release(second);
}

TEST(RZEditData, FlagsFollowTheirRules) {
    GameDirectory none;
    RZEditData document;
    EXPECT_EQ(0u, document.flags());
    EXPECT_TRUE(document.testFlags(0));
    document.setFlags(RZEditData::FLAG_OPENED);
    EXPECT_FALSE(document.testFlags(0));
    document.setFlags(RZEditData::FLAG_STOCK_SOUND);
    EXPECT_EQ(5u, document.flags());
    EXPECT_TRUE(document.testFlags(RZEditData::FLAG_OPENED));
    EXPECT_FALSE(document.testFlags(RZEditData::FLAG_NEW));
    EXPECT_TRUE(document.testFlags(RZEditData::FLAG_NEW | RZEditData::FLAG_STOCK_SOUND));
    document.clearFlags(RZEditData::FLAG_STOCK_SOUND);
    EXPECT_EQ(1u, document.flags());
    document.setFlags(0);
    EXPECT_EQ(0u, document.flags());
    EXPECT_TRUE(document.testFlags(0));

    // The masked bits are read as a signed number: the top bit alone is negative.
    document.setFlags(0x80000000u);
    EXPECT_FALSE(document.testFlags(0x80000000u));
    document.setFlags(1);
    EXPECT_FALSE(document.testFlags(0x80000001u));
    EXPECT_TRUE(document.testFlags(1));
    EXPECT_FALSE(document.testFlags(0));
    document.replaceFlags(RZEditData::FLAG_NEW);
    EXPECT_EQ(RZEditData::FLAG_NEW, document.flags());
}

TEST(RZEditData, HasATableWhenOneIsOpenAndHoldsEntries) {
    GameDirectory none;
    RZEditData document;
    document.append(entryNamed("ファイア"));
    EXPECT_FALSE(document.hasTable()); // entries, but nothing opened
    document.replaceFlags(RZEditData::FLAG_NEW);
    EXPECT_TRUE(document.hasTable());
    document.clear();
    EXPECT_FALSE(document.hasTable()); // opened, but empty
}

TEST(RZEditData, OwnsEntriesAndForgetsTheShownOneWhenCleared) {
    GameDirectory none;
    RZEditData document;
    EXPECT_EQ(0u, document.count());
    EXPECT_EQ(nullptr, document.entryAt(0));
    EXPECT_FALSE(document.hasChanged());
    ASSERT_NE(nullptr, document.characters());

    document.append(entryNamed("ファイア"));
    document.append(entryNamed("ソード"));
    document.append(entryNamed("能力"));
    EXPECT_EQ(3u, document.count());
    EXPECT_EQ("ソード", document.entryAt(1)->getName());
    EXPECT_EQ(nullptr, document.entryAt(document.count()));
    EXPECT_FALSE(document.hasChanged());
    document.entryAt(2)->setCost(5);
    EXPECT_TRUE(document.hasChanged());

    // A filter shows the positions given (one beyond the table left out);
    // without one every row, and still none beyond the table.
    RZRowFilter::Conditions byText;
    byText.text = "ソ";
    document.setFilter(byText, {0, 2, 7});
    std::string shown;
    for (bool filtered : {true, false}) {
        if (!filtered) {
            document.clearFilter();
        }
        shown += std::to_string(document.isFiltered()) + document.filterConditions().text + ":";
        for (std::uint32_t position = 0; position <= 3; ++position) {
            shown += std::to_string(document.isShown(position));
        }
        shown += "/" + std::to_string(document.shownCount()) + " ";
    }
    EXPECT_EQ(shown, "1ソ:1010/2 0:1110/3 ");

    document.setShownEntry(document.entryAt(1));
    EXPECT_EQ(document.entryAt(1), document.shownEntry());
    document.clear();
    EXPECT_EQ(0u, document.count());
    EXPECT_EQ(nullptr, document.shownEntry());
    EXPECT_FALSE(document.hasChanged());

    document.setTablePath(HFile("C:\\表\\MagicTable"));
    document.setSoundPath(HFile("C:\\表\\SoundFileName"));
    EXPECT_EQ("C:\\表", document.tablePath().directory());
    EXPECT_EQ("SoundFileName", document.soundPath().name());
}
