// Long input for the spell data: a table line of a megabyte, a table of a
// hundred megabytes and a CharacterData file of 100,000 characters, each
// written at test time. Each is read at a tenth of its size and then in full
// (the figures are printed), and the memory it took is checked against a bound.
#include "app/data/RZCharacterFile.h"
#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZTableExchange.h"
#include "app/data/RZTableTsv.h"
#include "support/HFileReader.h"
#include "tests/app/data/DataTestSupport.h"
#include "tests/common/LongInputSupport.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <algorithm>
#include <string>
#include <vector>

using namespace longinput;

namespace {

// The loader holds each of the two files once (plus a NUL) while it cuts them;
// whatever else it keeps must stay small next to that.
constexpr std::uint64_t TABLE_MEMORY_FACTOR = 2;
// Each character keeps its 324 bytes, its path and the object around them;
// the file buffer is gone once the records are copied.
constexpr std::uint64_t CHARACTER_MEMORY_FACTOR = 4;
// Room for the allocator, the log and the document's own objects.
constexpr std::uint64_t MEMORY_SLACK = 24 * MB;

// The 48 lines of an ordinary table: spell k is named "呪文k", targets k % 3,
// every level's cost is 10 * level + k.
std::string ordinaryLines(std::size_t first = 0) {
    std::string text;
    for (int k = static_cast<int>(first); k < 48; ++k) {
        std::string n = std::to_string(k);
        text += "呪文" + n + " " + std::to_string(k % 3) + " " + std::to_string(10 + k) +
                " 1 1 100  " + std::to_string(20 + k) + " 2 2 100  " + std::to_string(30 + k) +
                " 3 3 100  説明" + n + "\r\n";
    }
    return text;
}

// A game directory with its Data folder and a sound list of 48 names; its two
// files are deleted with it.
struct Game {
    explicit Game(const char* hint) {
        directory = testsupport::makeScratchDir(hint);
        CreateDirectoryA((directory + "\\Data").c_str(), nullptr);
        table = directory + "\\Data\\MagicTable";
        sounds = directory + "\\Data\\SoundFileName";
        std::string names;
        for (int k = 0; k < 48; ++k) {
            names += "se" + std::to_string(k) + ".wav\r\n";
        }
        testsupport::writeFile(sounds, names + "End");
    }
    ~Game() {
        DeleteFileA(table.c_str());
        DeleteFileA(sounds.c_str());
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    std::string directory;
    std::string table;
    std::string sounds;
};

// Loads the game's table into a fresh document, checks the memory it took and
// prints the figures.
// bytes: the size of the larger file.
bool loadTable(const Game& game, RZEditData& document, const char* what, std::uint64_t bytes) {
    RZMagicLoader loader;
    MemoryWatch memory;
    Stopwatch clock;
    bool loaded = loader.load(HFile(game.table), HFile(game.sounds), &document);
    double elapsed = clock.milliseconds();
    report(what, static_cast<double>(bytes) / MB, elapsed, memory.peakGrowth());
    EXPECT_LE(memory.peakGrowth(), TABLE_MEMORY_FACTOR * bytes + MEMORY_SLACK) << what;
    return loaded;
}

// The 81 levels of the 48 spells, with the values of ordinaryLines.
void expectOrdinaryEntries(RZEditData& document, std::size_t fromSpell = 0) {
    ASSERT_EQ(81u, document.count());
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        const RZMagic* entry = document.entryAt(i);
        int k = entry->getIndex();
        ASSERT_EQ(static_cast<std::int32_t>(i + 1), entry->getRow());
        if (static_cast<std::size_t>(k) < fromSpell) {
            continue;
        }
        EXPECT_EQ("呪文" + std::to_string(k), entry->getName());
        EXPECT_EQ(10 * entry->getLevel() + k, entry->getCost()) << k;
        EXPECT_EQ("説明" + std::to_string(k), entry->getDescription());
        EXPECT_EQ("se" + std::to_string(k) + ".wav", entry->getSound());
    }
    EXPECT_EQ(47, document.entryAt(80)->getIndex());
}

} // namespace

TEST(LongInput, MegabyteTableLine) {
    datatest::GameDirectory noGame;
    for (std::uint64_t size : {MB / 10, MB}) {
        // Spell 0's description is one unbroken run of two-byte characters.
        Game game("line");
        std::string head = "長い 1 010 1 1 100  020 2 2 100  030 3 3 100  ";
        ASSERT_TRUE(writeRepeated(game.table, head, "説", size, "\r\n" + ordinaryLines(1)));
        RZEditData document;
        ASSERT_TRUE(loadTable(game, document, "table with a long line", size));
        ASSERT_NO_FATAL_FAILURE(expectOrdinaryEntries(document, 1));
        for (std::uint32_t i = 0; i < 3; ++i) {
            EXPECT_EQ("長い", document.entryAt(i)->getName());
            EXPECT_EQ(size, document.entryAt(i)->getDescription().size());
        }
        EXPECT_EQ(0u, document.entryAt(0)->getDescription().find("説説説"));
    }

    // A long line of short fields: everything after the fifteenth is ignored.
    Game game("fields");
    ASSERT_TRUE(writeRepeated(game.table, "多い 2 ", "7 ", MB, "\r\n" + ordinaryLines(1)));
    RZEditData document;
    ASSERT_TRUE(loadTable(game, document, "table line of many fields", MB));
    ASSERT_NO_FATAL_FAILURE(expectOrdinaryEntries(document, 1));
    EXPECT_EQ("多い", document.entryAt(0)->getName());
    EXPECT_EQ(2, document.entryAt(0)->getTarget());
    EXPECT_EQ(7, document.entryAt(0)->getCost());
    EXPECT_EQ(7, document.entryAt(2)->getEfficiency());
    EXPECT_EQ("7", document.entryAt(0)->getDescription());
}

TEST(LongInput, HundredThousandCharacters) {
    for (std::uint32_t count : {10000u, 100000u}) {
        // Six records repeated: fire aptitude 0, 1, ... 5, the name "キャラ".
        std::string six;
        for (int r = 0; r < 6; ++r) {
            std::string record(RZCharacterFile::RECORD_SIZE, '\0');
            for (int e = 0; e < 6; ++e) {
                record[RZCharacterFile::APTITUDE_OFFSET + e] = static_cast<char>(e == 0 ? r : 3);
            }
            record.replace(RZCharacterFile::NAME_OFFSET, 6, "キャラ");
            six += record;
        }
        std::string header(RZCharacterFile::HEADER_SIZE, '\0');
        header[0] = static_cast<char>(140);
        header[4] = static_cast<char>((count + 1) & 0xFF);
        header[5] = static_cast<char>(((count + 1) >> 8) & 0xFF);
        header[6] = static_cast<char>(((count + 1) >> 16) & 0xFF);

        std::string game = testsupport::makeScratchDir("characters");
        CreateDirectoryA((game + "\\Data").c_str(), nullptr);
        std::uint64_t body = static_cast<std::uint64_t>(RZCharacterFile::RECORD_SIZE) * count;
        BigFile file(game + "\\Data\\CharacterData");
        ASSERT_TRUE(writeRepeated(file.name(), header, six, body));
        std::uint64_t bytes = header.size() + body;

        RZCharacters characters;
        MemoryWatch memory;
        Stopwatch clock;
        ASSERT_TRUE(characters.readAll(HFile(game)));
        // The walk of an S-rank fire spell: every sixth character, from the sixth.
        characters.start(0, 5);
        std::uint32_t listed = 0;
        std::string name;
        std::string aptitude;
        while (characters.hasNext()) {
            characters.next(name, aptitude);
            ++listed;
        }
        double elapsed = clock.milliseconds();
        report("CharacterData read and walked", static_cast<double>(bytes) / MB, elapsed,
               memory.peakGrowth());
        EXPECT_LE(memory.peakGrowth(), CHARACTER_MEMORY_FACTOR * bytes + MEMORY_SLACK);

        ASSERT_EQ(count, characters.count());
        EXPECT_EQ((count - 6) / 6 + 1, listed);
        EXPECT_EQ("キャラ", name);
        EXPECT_EQ("S", aptitude);
        const ZDCharacter* lastOne = characters.characterAt(count - 1);
        EXPECT_EQ(static_cast<std::int32_t>(count - 1), lastOne->getPosition());
        EXPECT_EQ(static_cast<int>((count - 1) % 6), lastOne->aptitude(0));
    }
}

TEST(LongInput, HundredMegabyteTable) {
    datatest::GameDirectory noGame;
    // The 48 spells, then lines of 16 KB the game has no spell for: each is cut
    // and logged, none kept.
    for (std::uint64_t size : {10 * MB, 100 * MB}) {
        Game game("table");
        std::string filler(16 * 1024 - 2, 'x');
        ASSERT_TRUE(writeRepeated(game.table, ordinaryLines(), filler + "\r\n", size));
        RZEditData document;
        ASSERT_TRUE(loadTable(game, document, "table of long lines", size));
        ASSERT_NO_FATAL_FAILURE(expectOrdinaryEntries(document));
    }

    // Line ends only after the spells, in both files: nothing but empty lines
    // to cut, and only the first 48 sound names wanted.
    for (std::uint64_t size : {10 * MB, 100 * MB}) {
        Game game("blank");
        ASSERT_TRUE(writeRepeated(game.table, ordinaryLines(), "\n", size));
        std::string names = testsupport::readFile(game.sounds);
        ASSERT_TRUE(writeRepeated(game.sounds, names.substr(0, names.size() - 3), "\n", size));
        RZEditData document;
        ASSERT_TRUE(loadTable(game, document, "table of empty lines", size));
        ASSERT_NO_FATAL_FAILURE(expectOrdinaryEntries(document));
    }
}

// The table's text form, long: after a whole table, 100 MB of rows of empty
// cells or a million empty lines (read, nothing changes); 100 MB of one row
// given again and again, a row with a description of a megabyte, a UTF-16 line
// of a million tabs (refused, ten errors kept). Each file is read whole, as an
// import reads it, and the reader may hold it once more.
TEST(LongInput, LongTableTexts) {
    datatest::GameDirectory noGame;
    RZEditData document;
    RZMagicLoader().createDefault(&document);
    const std::vector<RZTableTsv::Entry> entries = RZTableExchange::entriesOf(&document);
    const RZTableTsv::Labels labels = RZTableExchange::labels();
    const std::string table = RZTableTsv::write(entries, labels);
    const std::string header = table.substr(0, table.find("\r\n") + 2);
    const std::string row =
        table.substr(header.size(), table.find("\r\n", header.size()) + 2 - header.size());
    std::string wide = "\xFF\xFE";
    for (char c : header) {
        wide += c;
        wide += '\0';
    }
    struct Case {
        const char* what;
        std::string head;
        std::string piece;
        std::uint64_t body;
        std::string tail;
        bool accepted;
    };
    const Case cases[] = {
        {"TSV with rows of empty cells", table, "\t\t\t\t\t\t\t\t\t\t\t\r\n", 100 * MB, "", true},
        {"TSV with a million empty lines", table, "\r\n", 2 * MB, "", true},
        {"TSV of one row again and again", header, row, 100 * MB, "", false},
        {"TSV with a description of a megabyte", header + "0\t1\tx\t\t\t\t1\t1\t1\t1\t", "説", MB,
         "\r\n", false},
        {"UTF-16 TSV line of a million tabs", wide + std::string("0\0\t\0", 4),
         std::string("\t\0", 2), 2 * MB, std::string("\r\0\n\0", 4), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string dir = testsupport::makeScratchDir("tsv");
        BigFile file(dir + "\\table.tsv");
        ASSERT_TRUE(writeRepeated(file.name(), c.head, c.piece, c.body, c.tail));
        const std::uint64_t bytes = c.head.size() + c.body + c.tail.size();
        MemoryWatch memory;
        Stopwatch clock;
        HFileReader reader{HFile(file.name())};
        ASSERT_TRUE(reader.read());
        RZTableTsv::Result result = RZTableTsv::read(reader.data(), reader.size(), entries, labels,
                                                     RZTableTsv::Header::NEEDED);
        report(c.what, static_cast<double>(bytes) / MB, clock.milliseconds(), memory.peakGrowth());
        EXPECT_LE(memory.peakGrowth(), TABLE_MEMORY_FACTOR * bytes + MEMORY_SLACK);
        EXPECT_EQ(c.accepted, result.ok());
        if (c.accepted) {
            EXPECT_EQ(entries, result.values);
        } else {
            EXPECT_TRUE(result.values.empty());
            EXPECT_EQ(std::min(result.errorCount, RZTableTsv::ERRORS_KEPT), result.errors.size());
        }
    }
}
