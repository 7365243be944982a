// The table codec against files whose bytes are put together here by hand, from
// Shift-JIS literals and the standard formatting functions.
#include "app/data/RZEditData.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZMagicTables.h"
#include "tests/app/data/DataTestSupport.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

const int SPELLS = 48;

// Which levels exist, as the game's spell list gives them (spell, level).
bool levelExists(int spell, int level) {
    static const char* const levels[SPELLS] = {
        "123", "1",  "12", "1", "12",  "12", "1",  "1", "123", "1",   "12", "1",
        "12",  "12", "1",  "1", "123", "1",  "12", "1", "12",  "12",  "1",  "1",
        "123", "1",  "12", "1", "12",  "12", "1",  "1", "123", "123", "12", "12",
        "12",  "12", "1",  "1", "123", "1",  "12", "1", "12",  "12",  "1",  "1"};
    return std::string(levels[spell]).find(static_cast<char>('0' + level)) != std::string::npos;
}

// The invented content of one spell of the test table.
struct Spell {
    std::string name;
    int target;
    int numbers[4][4]; // [level][cost, range, area, efficiency], row 0 unused
    std::string description;
    std::string sound;
};

Spell spellData(int k) {
    Spell s;
    static const char* const names[] = {"表示", "ソード", "能力"};
    s.name = k < 3 ? names[k] : "呪文" + std::to_string(k);
    s.target = k % 3;
    for (int level = 1; level <= 3; ++level) {
        bool exists = levelExists(k, level);
        s.numbers[level][0] = exists ? 10 * level + k : 0;
        s.numbers[level][1] = exists ? level : 0;
        s.numbers[level][2] = exists ? k % 4 : 0;
        s.numbers[level][3] = exists ? 100 + k + level : 0;
    }
    s.description = k == 5 ? "表ソ能の説明" : "説明" + std::to_string(k) + "番";
    s.sound = "snd" + std::to_string(k);
    return s;
}

std::string threeDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%03d", value);
    return text;
}

// A line in the layout the editor writes: the name padded to 18 bytes.
std::string canonicalLine(const Spell& s) {
    std::string line = s.name;
    if (line.size() < 18) {
        line += std::string(18 - line.size(), ' ');
    }
    line += " " + std::to_string(s.target);
    for (int level = 1; level <= 3; ++level) {
        line += level == 1 ? " " : "  ";
        line += threeDigits(s.numbers[level][0]) + " " + std::to_string(s.numbers[level][1]) + " " +
                std::to_string(s.numbers[level][2]) + " " + threeDigits(s.numbers[level][3]);
    }
    return line + "  " + s.description;
}

// The same content, laid out loosely: tabs and spaces, no padding.
std::string looseLine(const Spell& s) {
    std::string line = s.name + "\t" + std::to_string(s.target);
    for (int level = 1; level <= 3; ++level) {
        for (int n = 0; n < 4; ++n) {
            line += (n % 2 ? " \t" : "   ") + std::to_string(s.numbers[level][n]);
        }
    }
    return line + "\t" + s.description;
}

std::string joined(const std::vector<std::string>& lines, const std::string& end,
                   bool endLast = true) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (endLast || i + 1 < lines.size()) {
            text += end;
        }
    }
    return text;
}

std::vector<std::string> tableLines(std::string (*layout)(const Spell&)) {
    std::vector<std::string> lines;
    for (int k = 0; k < SPELLS; ++k) {
        lines.push_back(layout(spellData(k)));
    }
    return lines;
}

std::vector<std::string> soundLines() {
    std::vector<std::string> lines;
    for (int k = 0; k < SPELLS; ++k) {
        lines.push_back(spellData(k).sound);
    }
    return lines;
}

// Checks every entry against the invented content.
void expectFullTable(RZEditData& document, bool withSounds = true) {
    ASSERT_EQ(81u, document.count());
    std::uint32_t at = 0;
    for (int k = 0; k < SPELLS; ++k) {
        Spell s = spellData(k);
        for (int level = 1; level <= 3; ++level) {
            if (!levelExists(k, level)) {
                continue;
            }
            RZMagic* e = document.entryAt(at);
            ASSERT_NE(nullptr, e);
            SCOPED_TRACE("spell " + std::to_string(k) + " level " + std::to_string(level));
            EXPECT_EQ(static_cast<int>(at + 1), e->getRow());
            EXPECT_EQ(k, e->getIndex());
            EXPECT_EQ(k / 8, e->getElement());
            EXPECT_EQ(level, e->getLevel());
            EXPECT_EQ(RZMagicTables::rank(k, level), e->getRank());
            EXPECT_EQ("MAGIC" + std::to_string(k) + ".BMP", e->getPicture());
            EXPECT_EQ(s.name, e->getName());
            EXPECT_EQ(s.target, e->getTarget());
            EXPECT_EQ(s.numbers[level][0], e->getCost());
            EXPECT_EQ(s.numbers[level][1], e->getRange());
            EXPECT_EQ(s.numbers[level][2], e->getArea());
            EXPECT_EQ(s.numbers[level][3], e->getEfficiency());
            EXPECT_EQ(s.description, e->getDescription());
            EXPECT_EQ(withSounds ? s.sound : "", e->getSound());
            EXPECT_FALSE(e->hasChanged());
            ++at;
        }
    }
}

struct Game {
    std::string dir;
    std::string table;
    std::string sound;
    explicit Game(const std::string& hint) {
        dir = makeScratchDir(hint);
        CreateDirectoryA((dir + "\\Data").c_str(), nullptr);
        table = dir + "\\Data\\MagicTable";
        sound = dir + "\\Data\\SoundFileName";
    }
};

bool load(const std::string& table, const std::string& sound, RZEditData* document) {
    RZMagicLoader loader;
    return loader.load(HFile(table), HFile(sound), document);
}

bool save(const std::string& table, const std::string& sound, RZEditData* document) {
    RZMagicLoader loader;
    return loader.save(HFile(table), HFile(sound), document);
}

using testsupport::filesIn;

// An information line of the loader as the log writes it.
std::string loaderNote(int line, const std::string& text) {
    char prefix[32];
    std::snprintf(prefix, sizeof(prefix), "%-20s:%04d ", "RZMagicLoader", line);
    return prefix + std::string("情報：") + text;
}

class RZMagicLoaderTest : public ::testing::Test {
  protected:
    datatest::GameDirectory noGame; // no stock paths
    RZEditData document;
};

} // namespace

TEST_F(RZMagicLoaderTest, LoadsAFullTableAndSavesTheSameBytes) {
    Game game("full");
    std::string table = joined(tableLines(canonicalLine), "\r\n");
    std::string sound = joined(soundLines(), "\r\n") + "End";
    writeFile(game.table, table);
    writeFile(game.sound, sound);

    LogTail log;
    ASSERT_TRUE(load(game.table, game.sound, &document));
    ASSERT_NO_FATAL_FAILURE(expectFullTable(document));
    EXPECT_EQ(game.table, document.tablePath().fullPath());
    EXPECT_EQ(game.sound, document.soundPath().fullPath());
    EXPECT_EQ(game.table, document.entryAt(80)->getSource().fullPath());
    EXPECT_TRUE(log.contains("load: file1=" + game.table + " file2=" + game.sound));
    EXPECT_TRUE(log.contains("minfo:" + std::to_string(table.size()) + "(0,"));

    Game copy("copy");
    ASSERT_TRUE(save(copy.table, copy.sound, &document));
    EXPECT_EQ(table, readFile(copy.table));
    EXPECT_EQ(sound, readFile(copy.sound));
    EXPECT_EQ(copy.table, document.tablePath().fullPath());
    EXPECT_EQ(copy.sound, document.soundPath().fullPath());
    // Nothing is left beside the files.
    EXPECT_EQ(2u, filesIn(copy.dir + "\\Data").size());
}

TEST_F(RZMagicLoaderTest, LineEndsAndLayoutsReadAlike) {
    Game game("layouts");
    std::vector<std::string> loose = tableLines(looseLine);
    const std::string variants[] = {
        joined(loose, "\r\n"),
        joined(loose, "\n"),
        joined(loose, "\r\n", false),
        joined(loose, "\n", false),
        // A lone CR ends a line as well; no byte of the next line is lost.
        joined(loose, "\r"),
    };
    for (const std::string& table : variants) {
        writeFile(game.table, table);
        writeFile(game.sound, joined(soundLines(), "\n"));
        ASSERT_TRUE(load(game.table, game.sound, &document));
        ASSERT_NO_FATAL_FAILURE(expectFullTable(document));
    }
    // Without a SoundFileName every sound is empty.
    ASSERT_TRUE(load(game.table, game.dir + "\\Data\\missing", &document));
    ASSERT_NO_FATAL_FAILURE(expectFullTable(document, false));
}

TEST_F(RZMagicLoaderTest, BlankLinesExtraLinesAndShortLines) {
    Game game("blank");
    std::vector<std::string> lines = tableLines(looseLine);
    // A blank table line uses up no spell number.
    lines.insert(lines.begin() + 3, "");
    lines.insert(lines.begin(), "");
    // Lines past the 48th have no spell and are dropped.
    for (int i = 0; i < 30; ++i) {
        lines.push_back("余分" + std::to_string(i) + " 1 2 3 4 5 6 7 8 9 10 11 12 13 x");
    }
    writeFile(game.table, joined(lines, "\r\n"));
    std::vector<std::string> sounds = soundLines();
    for (int i = 0; i < 20; ++i) {
        sounds.push_back("extra" + std::to_string(i));
    }
    writeFile(game.sound, joined(sounds, "\r\n") + "End");
    ASSERT_TRUE(load(game.table, game.sound, &document));
    ASSERT_NO_FATAL_FAILURE(expectFullTable(document));
    // A blank sound line does use up a spell: it is spell 1's empty name.
    sounds = soundLines();
    sounds.insert(sounds.begin() + 1, "");
    writeFile(game.sound, joined(sounds, "\r\n"));
    ASSERT_TRUE(load(game.table, game.sound, &document));
    EXPECT_EQ("snd0", document.entryAt(2)->getSound());   // spell 0 has three levels
    EXPECT_EQ("", document.entryAt(3)->getSound());       // spell 1
    EXPECT_EQ("snd1", document.entryAt(4)->getSound());   // spell 2, level 1
    EXPECT_EQ("snd46", document.entryAt(80)->getSound()); // the last spell got one more up

    // Short lines: missing fields keep the values after construction.
    writeFile(game.table, "ファイア\r\nアイス 2 5\r\n名 1 1 2 3 4 5 6 7 8 9 10 11 12 名の 説明");
    ASSERT_TRUE(load(game.table, game.sound, &document));
    ASSERT_EQ(6u, document.count());
    EXPECT_EQ("ファイア", document.entryAt(0)->getName());
    EXPECT_EQ(-1, document.entryAt(0)->getTarget());
    EXPECT_EQ("", document.entryAt(0)->getDescription());
    EXPECT_EQ(2, document.entryAt(3)->getTarget());
    EXPECT_EQ(5, document.entryAt(3)->getCost());
    EXPECT_EQ(0, document.entryAt(3)->getRange());
    // Spell 2 (levels 1 and 2); a space in the description cuts it.
    EXPECT_EQ(1, document.entryAt(4)->getCost());
    EXPECT_EQ(5, document.entryAt(5)->getCost());
    EXPECT_EQ(8, document.entryAt(5)->getEfficiency());
    EXPECT_EQ("名の", document.entryAt(5)->getDescription());
    EXPECT_EQ(6, document.entryAt(5)->getRow());
}

TEST_F(RZMagicLoaderTest, TrailingBlanksAndTheEmptyDescription) {
    Game game("blanks");
    // One trailing space stays with the description; two leave " ".
    writeFile(game.table, "ファイア           0 010 3 1 100  020 4 2 150  030 5 3 200  炎の球 \r\n"
                          "キュアポイズン     1 005 1 0 050  000 0 0 000  000 0 0 000  \r\n");
    ASSERT_TRUE(load(game.table, game.sound, &document));
    ASSERT_EQ(4u, document.count());
    EXPECT_EQ("炎の球 ", document.entryAt(0)->getDescription());
    EXPECT_EQ(" ", document.entryAt(3)->getDescription());
    EXPECT_EQ(200, document.entryAt(2)->getEfficiency());

    // An empty description is written as two trailing spaces ...
    document.entryAt(0)->setDescription("");
    document.entryAt(1)->setDescription("");
    document.entryAt(2)->setDescription("");
    Game copy("blanks-copy");
    ASSERT_TRUE(save(copy.table, copy.sound, &document));
    EXPECT_EQ("ファイア           0 010 3 1 100  020 4 2 150  030 5 3 200  \r\n"
              "キュアポイズン     1 005 1 0 050  000 0 0 000  000 0 0 000   \r\n",
              readFile(copy.table));
    EXPECT_EQ("\r\n\r\nEnd", readFile(copy.sound));
    // ... and reads back as one space.
    ASSERT_TRUE(load(copy.table, copy.sound, &document));
    EXPECT_EQ(" ", document.entryAt(0)->getDescription());
    EXPECT_EQ(" ", document.entryAt(3)->getDescription());
}

TEST_F(RZMagicLoaderTest, HugeLinesAndGarbage) {
    Game game("huge");
    std::string huge = "巨大 1 2 3 4 5 6 7 8 9 10 11 12 13 " + std::string(200 * 1024, 'D');
    writeFile(game.table, huge + "\r\nソ 2\r\n");
    ASSERT_TRUE(load(game.table, game.sound, &document));
    ASSERT_EQ(4u, document.count());
    EXPECT_EQ(200u * 1024, document.entryAt(0)->getDescription().size());
    EXPECT_EQ("ソ", document.entryAt(3)->getName());
    // The written line stops at 1023 bytes.
    Game copy("huge-copy");
    ASSERT_TRUE(save(copy.table, copy.sound, &document));
    std::string written = readFile(copy.table);
    EXPECT_EQ(1023u, written.find("\r\n"));

    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>((seed >> 16) & 0xFF);
    }
    writeFile(game.table, garbage);
    writeFile(game.sound, garbage);
    ASSERT_TRUE(load(game.table, game.sound, &document));
    EXPECT_LE(document.count(), 81u);
}

TEST_F(RZMagicLoaderTest, LoadFailures) {
    Game game("fail");
    writeFile(game.table, "ファイア 1\r\n");
    ASSERT_TRUE(load(game.table, game.sound, &document));
    ASSERT_EQ(3u, document.count());

    // A missing table changes nothing.
    LogTail log;
    EXPECT_FALSE(load(game.dir + "\\Data\\missing", game.sound, &document));
    EXPECT_TRUE(log.contains(loaderNote(70, "load:error param")));
    EXPECT_EQ(3u, document.count());
    EXPECT_EQ(game.table, document.tablePath().fullPath());
    EXPECT_FALSE(load(game.table, game.sound, nullptr));

    // A table that exists but cannot be read loads as an empty table.
    EXPECT_TRUE(load(game.dir + "\\Data", game.sound, &document));
    EXPECT_EQ(0u, document.count());
    EXPECT_TRUE(document.tablePath().isEmpty());
    EXPECT_TRUE(document.soundPath().isEmpty());
}

TEST_F(RZMagicLoaderTest, LoadReadsTheGamesCharacters) {
    Game game("characters");
    writeFile(game.table, "ファイア 1\r\n");
    std::string data(1348 + 324, '\0');
    data[0] = static_cast<char>(140);
    data[4] = 2;
    data.replace(1348 + 164, 4, "Ryna");
    writeFile(game.dir + "\\Data\\CharacterData", data);
    ASSERT_TRUE(load(game.table, game.sound, &document));
    ASSERT_EQ(1u, document.characters()->count());
    EXPECT_EQ("Ryna", document.characters()->characterAt(0)->name());
    // A failed load reads them as well.
    document.characters()->clear();
    EXPECT_FALSE(load(game.dir + "\\Data\\missing", game.sound, &document));
    EXPECT_EQ(1u, document.characters()->count());
}

TEST_F(RZMagicLoaderTest, NewTableWritesFortyEightLines) {
    RZMagicLoader loader;
    document.setTablePath(HFile("C:\\x\\MagicTable"));
    document.setShownEntry(nullptr);
    ASSERT_TRUE(loader.createDefault(&document));
    ASSERT_EQ(81u, document.count());
    EXPECT_TRUE(document.tablePath().isEmpty());
    EXPECT_TRUE(document.soundPath().isEmpty());
    EXPECT_EQ("ファイア", document.entryAt(0)->getName());
    EXPECT_EQ(3, document.entryAt(2)->getLevel());
    EXPECT_EQ(81, document.entryAt(80)->getRow());
    EXPECT_EQ("エクスプロージョン", document.entryAt(80)->getName());
    EXPECT_EQ(-1, document.entryAt(5)->getTarget());
    EXPECT_EQ("", document.entryAt(5)->fieldText(ZDMagic::TEXT_TARGET));
    EXPECT_TRUE(document.entryAt(5)->getSource().isEmpty());
    EXPECT_FALSE(document.hasChanged());

    Game game("new");
    ASSERT_TRUE(loader.save(HFile(game.table), HFile(game.sound), &document));
    std::string table = readFile(game.table);
    std::string expectedFirst = "ファイア           -1 000 0 0 000  000 0 0 000  000 0 0 000  \r\n";
    EXPECT_EQ(expectedFirst, table.substr(0, expectedFirst.size()));
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = table.find("\r\n", at)) != std::string::npos; at += 2) {
        ++lines;
    }
    EXPECT_EQ(48u, lines);
    std::string sound;
    for (int i = 0; i < 48; ++i) {
        sound += "\r\n";
    }
    EXPECT_EQ(sound + "End", readFile(game.sound));

    // Read back, it is the same table (the empty descriptions become " ").
    ASSERT_TRUE(loader.load(HFile(game.table), HFile(game.sound), &document));
    ASSERT_EQ(81u, document.count());
    EXPECT_EQ("ウォールスマッシュ", document.entryAt(51)->getName());
    EXPECT_EQ(" ", document.entryAt(51)->getDescription());
}

TEST_F(RZMagicLoaderTest, GroupsAreWrittenByPositionAndIndex) {
    auto entry = [](int spell, int level, int cost) {
        ZDMagic record;
        RZMagicTables::applyDefaults(&record, spell, level);
        record.setName("S" + std::to_string(spell));
        record.setTarget(level);
        record.setCost(cost);
        record.setSound("w" + std::to_string(spell) + std::to_string(level));
        return std::make_unique<RZMagic>(record);
    };
    document.append(entry(2, 2, 22)); // a group whose first member is level 2
    document.append(entry(3, 1, 31));
    document.append(entry(0, 1, 1));
    document.append(entry(0, 2, 2));
    document.append(entry(0, 3, 3));
    document.append(entry(0, 3, 4)); // a fourth member starts a new line
    Game game("groups");
    ASSERT_TRUE(save(game.table, game.sound, &document));
    EXPECT_EQ("S2                 2 022 0 0 000  000 0 0 000  000 0 0 000  \r\n"
              "S3                 1 031 0 0 000  000 0 0 000  000 0 0 000  \r\n"
              "S0                 1 001 0 0 000  002 0 0 000  003 0 0 000  \r\n"
              "S0                 3 004 0 0 000  000 0 0 000  000 0 0 000  \r\n",
              readFile(game.table));
    EXPECT_EQ("w22\r\nw31\r\nw01\r\nw03\r\nEnd", readFile(game.sound));
}

TEST_F(RZMagicLoaderTest, SaveWithoutEntriesOrSoundPath) {
    Game game("empty");
    writeFile(game.table, "old table");
    writeFile(game.sound, "old sound");
    document.setSoundPath(HFile("C:\\kept\\SoundFileName"));
    ASSERT_TRUE(save(game.table, game.sound, &document));
    EXPECT_EQ("", readFile(game.table));
    EXPECT_EQ("old sound", readFile(game.sound));
    EXPECT_EQ("C:\\kept\\SoundFileName", document.soundPath().fullPath());

    RZMagicLoader().createDefault(&document);
    ASSERT_TRUE(RZMagicLoader().save(HFile(game.table), HFile(), &document));
    EXPECT_EQ("old sound", readFile(game.sound));
    EXPECT_NE(std::string::npos, readFile(game.table).find("ファイア"));
    EXPECT_EQ(game.table, document.tablePath().fullPath());
    EXPECT_TRUE(document.soundPath().isEmpty());
    EXPECT_EQ(2u, filesIn(game.dir + "\\Data").size());

    LogTail log;
    EXPECT_FALSE(save(game.table, game.sound, nullptr));
    EXPECT_TRUE(log.contains(loaderNote(161, "save:error param")));
    LogTail noPath;
    EXPECT_FALSE(RZMagicLoader().save(HFile(), HFile(game.sound), &document));
    EXPECT_TRUE(noPath.contains("save:error fileopen"));
}

TEST_F(RZMagicLoaderTest, AFailedSaveLeavesTheFilesAsTheyWere) {
    Game game("keep");
    const std::string oldTable = joined(tableLines(canonicalLine), "\r\n");
    const std::string oldSound = joined(soundLines(), "\r\n") + "End";
    auto reset = [&]() {
        SetFileAttributesA(game.table.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(game.sound.c_str(), FILE_ATTRIBUTE_NORMAL);
        writeFile(game.table, oldTable);
        writeFile(game.sound, oldSound);
    };
    reset();
    RZMagicLoader().createDefault(&document);
    const HFile elsewhere("C:\\elsewhere\\MagicTable");
    document.setTablePath(elsewhere);
    document.setSoundPath(elsewhere);

    // A read-only table: logged as a table that does not open.
    SetFileAttributesA(game.table.c_str(), FILE_ATTRIBUTE_READONLY);
    LogTail readOnlyLog;
    EXPECT_FALSE(save(game.table, game.sound, &document));
    EXPECT_TRUE(readOnlyLog.contains(loaderNote(165, "save:error fileopen")));
    EXPECT_FALSE(readOnlyLog.contains(loaderNote(214, "save:error fileopen(2)")));
    SetFileAttributesA(game.table.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(oldTable, readFile(game.table));
    EXPECT_EQ(oldSound, readFile(game.sound));
    EXPECT_EQ(2u, filesIn(game.dir + "\\Data").size());

    // A read-only sound list: the table is not replaced either.
    reset();
    SetFileAttributesA(game.sound.c_str(), FILE_ATTRIBUTE_READONLY);
    LogTail readOnlySoundLog;
    EXPECT_FALSE(save(game.table, game.sound, &document));
    EXPECT_TRUE(readOnlySoundLog.contains(loaderNote(214, "save:error fileopen(2)")));
    SetFileAttributesA(game.sound.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(oldTable, readFile(game.table));
    EXPECT_EQ(oldSound, readFile(game.sound));
    EXPECT_EQ(2u, filesIn(game.dir + "\\Data").size());

    // A target that is a directory.
    reset();
    std::string folder = game.dir + "\\Data\\Folder";
    CreateDirectoryA(folder.c_str(), nullptr);
    LogTail folderLog;
    EXPECT_FALSE(save(folder, game.sound, &document));
    EXPECT_TRUE(folderLog.contains(loaderNote(165, "save:error fileopen")));
    EXPECT_EQ(oldSound, readFile(game.sound));
    RemoveDirectoryA(folder.c_str());

    // A missing directory for the table.
    LogTail log;
    EXPECT_FALSE(save(game.dir + "\\missing\\MagicTable", game.sound, &document));
    EXPECT_TRUE(log.contains("save:error fileopen"));
    EXPECT_EQ(oldSound, readFile(game.sound));

    // A missing directory for the sound list: the table stays too.
    LogTail log2;
    EXPECT_FALSE(save(game.table, game.dir + "\\missing\\SoundFileName", &document));
    EXPECT_TRUE(log2.contains(loaderNote(214, "save:error fileopen(2)")));
    EXPECT_EQ(oldTable, readFile(game.table));
    EXPECT_EQ(2u, filesIn(game.dir + "\\Data").size());

    // A table held open by another process without sharing cannot be replaced.
    reset();
    HANDLE held = CreateFileA(game.table.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    LogTail heldLog;
    EXPECT_FALSE(save(game.table, game.sound, &document));
    EXPECT_TRUE(heldLog.contains(loaderNote(165, "save:error fileopen")));
    CloseHandle(held);
    EXPECT_EQ(oldTable, readFile(game.table));
    EXPECT_EQ(oldSound, readFile(game.sound));

    // A sound list held open: the table, already made, is put back as it was.
    reset();
    held = CreateFileA(game.sound.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    LogTail heldSoundLog;
    EXPECT_FALSE(save(game.table, game.sound, &document));
    EXPECT_TRUE(heldSoundLog.contains(loaderNote(214, "save:error fileopen(2)")));
    CloseHandle(held);
    EXPECT_EQ(oldTable, readFile(game.table));
    EXPECT_EQ(oldSound, readFile(game.sound));
    EXPECT_EQ(2u, filesIn(game.dir + "\\Data").size());

    // The document still belongs where it was.
    EXPECT_EQ(elsewhere.fullPath(), document.tablePath().fullPath());
    EXPECT_EQ(elsewhere.fullPath(), document.soundPath().fullPath());

    // And once the way is clear the save goes through.
    reset();
    EXPECT_TRUE(save(game.table, game.sound, &document));
    EXPECT_NE(oldTable, readFile(game.table));
}

// Files of the user's that happen to carry the names a save works with are
// neither written over nor deleted, whether the save succeeds or fails.
TEST_F(RZMagicLoaderTest, ASaveLeavesTheUsersLookAlikeFilesAlone) {
    Game game("lookalike");
    const std::vector<std::string> names = {"MagicTable.tmp~", "MagicTable.1.tmp~",
                                            "MagicTable.bak~", "SoundFileName.tmp~"};
    for (const std::string& name : names) {
        writeFile(game.dir + "\\Data\\" + name, "user's own " + name);
    }
    auto untouched = [&]() {
        for (const std::string& name : names) {
            EXPECT_EQ("user's own " + name, readFile(game.dir + "\\Data\\" + name)) << name;
        }
    };
    writeFile(game.table, "old");
    writeFile(game.sound, "oldEnd");
    RZMagicLoader().createDefault(&document);

    // A failed save (sound list read-only) cleans up only what it made.
    SetFileAttributesA(game.sound.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(save(game.table, game.sound, &document));
    SetFileAttributesA(game.sound.c_str(), FILE_ATTRIBUTE_NORMAL);
    untouched();
    EXPECT_EQ("old", readFile(game.table));
    EXPECT_EQ(6u, filesIn(game.dir + "\\Data").size());

    // A successful one replaces both tables and nothing else.
    EXPECT_TRUE(save(game.table, game.sound, &document));
    untouched();
    EXPECT_NE("old", readFile(game.table));
    EXPECT_NE("oldEnd", readFile(game.sound));
    EXPECT_EQ(6u, filesIn(game.dir + "\\Data").size());
}

// The demo game that the test script writes with Python's own Shift-JIS codec.
TEST_F(RZMagicLoaderTest, DemoGameTablesReadAndWriteBack) {
    const std::string demo = testsupport::demoDirectory();
    if (demo.empty()) {
        GTEST_SKIP() << "RZ_DEMO_DIR is not set";
    }
    const std::string game = demo;
    struct Set {
        std::string dir;
        bool hasSound;
        std::uint32_t characters;
    };
    const Set sets[] = {{game + "\\Default", true, 0},
                        {game, true, 12},
                        {game + "\\Scenario1", true, 8},
                        {game + "\\Scenario2", false, 0}};
    for (const Set& set : sets) {
        SCOPED_TRACE(set.dir);
        std::string table = set.dir + "\\Data\\MagicTable";
        std::string sound = set.dir + "\\Data\\SoundFileName";
        ASSERT_TRUE(load(table, sound, &document));
        ASSERT_EQ(81u, document.count());
        EXPECT_EQ(set.characters, document.characters()->count());
        for (std::uint32_t i = 0; i < document.count(); ++i) {
            const RZMagic* e = document.entryAt(i);
            EXPECT_EQ(static_cast<int>(i + 1), e->getRow());
            EXPECT_FALSE(e->getName().empty());
            EXPECT_GE(e->getTarget(), 0);
            EXPECT_LE(e->getTarget(), 2);
            EXPECT_GT(e->getCost(), 0);
            EXPECT_FALSE(e->getDescription().empty());
            EXPECT_EQ(set.hasSound, !e->getSound().empty());
        }
        if (set.dir == game + "\\Default") {
            for (std::uint32_t i = 0; i < document.count(); ++i) {
                EXPECT_EQ(document.entryAt(i)->fieldText(ZDMagic::TEXT_SPELL),
                          document.entryAt(i)->getName());
            }
        }
        // Written back, the files are byte for byte what the generator wrote.
        Game copy("demo-copy");
        ASSERT_TRUE(save(copy.table, copy.sound, &document));
        EXPECT_EQ(readFile(table), readFile(copy.table));
        if (set.hasSound) {
            EXPECT_EQ(readFile(sound), readFile(copy.sound));
        }
    }

    // The live game's characters: water rank C lists exactly those with water C or better.
    ASSERT_TRUE(load(game + "\\Data\\MagicTable", game + "\\Data\\SoundFileName", &document));
    RZCharacters* characters = document.characters();
    std::vector<std::string> expected;
    for (std::uint32_t i = 0; i < characters->count(); ++i) {
        if (characters->characterAt(i)->aptitude(1) >= 2) {
            expected.push_back(characters->characterAt(i)->name());
        }
    }
    EXPECT_EQ(7u, expected.size());
    std::vector<std::string> listed;
    characters->start(1, 2);
    while (characters->hasNext()) {
        std::string name, text;
        characters->next(name, text);
        listed.push_back(name);
    }
    EXPECT_EQ(expected, listed);
    EXPECT_EQ("ソフィア", characters->characterAt(1)->name());
    EXPECT_EQ(5, characters->characterAt(1)->aptitude(1));
}
