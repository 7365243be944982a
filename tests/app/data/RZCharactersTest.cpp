// Reading CharacterData files built here byte by byte, and the usable-character walk.
#include "app/data/RZCharacterFile.h"
#include "app/data/RZCharacters.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

struct Person {
    std::string name;
    signed char aptitudes[6];
};

void putUint32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// A CharacterData file: version, count = records + 1, the rest of the header
// filled with noise, then one 324-byte record per person.
std::string characterFile(const std::vector<Person>& people, std::uint32_t version = 140) {
    std::string bytes(1348 + 324 * people.size(), '\0');
    putUint32(bytes, 0, version);
    putUint32(bytes, 4, static_cast<std::uint32_t>(people.size() + 1));
    for (std::size_t i = 8; i < 1348; ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    for (std::size_t p = 0; p < people.size(); ++p) {
        std::size_t record = 1348 + 324 * p;
        for (std::size_t i = 0; i < 324; ++i) {
            bytes[record + i] = static_cast<char>(0xA5); // no NUL unless put there
        }
        for (int e = 0; e < 6; ++e) {
            bytes[record + 21 + e] = static_cast<char>(people[p].aptitudes[e]);
        }
        std::string name = people[p].name;
        name.resize(160, '\0');
        bytes.replace(record + 164, 160, name);
    }
    return bytes;
}

std::vector<Person> cast() {
    // fire, water, wind, earth, light, dark
    return {
        {"アルス", {5, 1, 0, 2, 3, 0}}, {"ソフィア", {0, 2, 4, 1, 1, 0}},
        {"能登", {1, 3, 1, 1, 0, 2}},   {"表示板", {0, 0, 0, 0, 5, 5}},
        {"ミラ", {2, 5, 2, 2, 2, 2}},   {"Gust", {0, 1, 5, 0, 0, 1}},
        {"カイ", {3, 4, 0, 3, 1, 0}},
    };
}

struct Walked {
    std::string name;
    std::string aptitude;
};

std::vector<Walked> walk(RZCharacters& characters, int element, int rank) {
    std::vector<Walked> seen;
    characters.start(element, rank);
    while (characters.hasNext() && seen.size() < 1001) {
        Walked w;
        characters.next(&w.name, &w.aptitude);
        seen.push_back(w);
    }
    return seen;
}

std::vector<std::string> namesOf(const std::vector<Walked>& walked) {
    std::vector<std::string> names;
    for (const Walked& w : walked) {
        names.push_back(w.name);
    }
    return names;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(RZCharacters, ReadsEveryRecordOfAFile) {
    std::string dir = makeScratchDir("chars");
    writeFile(dir + "\\CharacterData", characterFile(cast()));
    RZCharacters characters;
    ASSERT_TRUE(characters.readFile(HFile(dir + "\\CharacterData")));
    ASSERT_EQ(7u, characters.count());
    EXPECT_EQ("アルス", characters.characterAt(0)->name());
    EXPECT_EQ("表示板", characters.characterAt(3)->name());
    EXPECT_EQ(3, characters.characterAt(3)->getPosition());
    EXPECT_EQ(dir + "\\CharacterData", characters.characterAt(3)->getSource().fullPath());
    EXPECT_EQ(4, characters.characterAt(6)->aptitude(1));
    EXPECT_EQ(0, characters.characterAt(6)->aptitude(6));
    EXPECT_EQ(0, characters.characterAt(6)->aptitude(-1));
    EXPECT_EQ(nullptr, characters.characterAt(7));

    // A second file appends.
    ASSERT_TRUE(characters.readFile(HFile(dir + "\\CharacterData")));
    EXPECT_EQ(14u, characters.count());
    characters.clear();
    EXPECT_EQ(0u, characters.count());
}

TEST(RZCharacters, NamesEndAtNulOrAfter160Bytes) {
    std::string bytes = characterFile({{"x", {0, 0, 0, 0, 0, 0}}});
    // Fill the whole name with bytes that are never NUL.
    for (std::size_t i = 0; i < 160; ++i) {
        bytes[1348 + 164 + i] = 'N';
    }
    std::string dir = makeScratchDir("names");
    writeFile(dir + "\\CharacterData", bytes);
    RZCharacters characters;
    ASSERT_TRUE(characters.readFile(HFile(dir + "\\CharacterData")));
    EXPECT_EQ(std::string(160, 'N'), characters.characterAt(0)->name());
}

TEST(RZCharacters, HeadersThatDoNotFitAreRefused) {
    std::string dir = makeScratchDir("headers");
    RZCharacters characters;

    // No records at all: count 1, 1348 bytes.
    writeFile(dir + "\\empty", characterFile({}));
    EXPECT_TRUE(characters.readFile(HFile(dir + "\\empty")));
    EXPECT_EQ(0u, characters.count());

    struct Bad {
        const char* name;
        std::string bytes;
        const char* lines[4];
    };
    std::string longer = characterFile(cast()) + "x";
    std::string truncated = characterFile(cast());
    truncated.resize(truncated.size() - 100);
    std::string version = characterFile(cast(), 141);
    std::string zero = characterFile({});
    putUint32(zero, 4, 0);
    std::string huge = characterFile(cast());
    putUint32(huge, 4, 0x80000000u);
    std::vector<Bad> bad = {
        {"longer", longer, {"version=140", "count  =7", "length =3616", "filelen=3617"}},
        {"truncated", truncated, {"version=140", "count  =7", "length =3616", "filelen=3516"}},
        {"version", version, {"version=141", "count  =7", "length =3616", "filelen=3616"}},
        // count 0 would wrap around to 4294967295 records: refused.
        {"zero", zero, {"version=140", "count  =4294967295", "length =1024", "filelen=1348"}},
        {"huge", huge, {"version=140", "count  =2147483647", "length =1024", "filelen=3616"}},
        {"tiny", std::string("\x8c\0\0\0", 4), {"version=140", "count  =4294967295", "", ""}},
        {"nothing", std::string(), {"version=0", "", "", "filelen=0"}},
    };
    for (const Bad& b : bad) {
        writeFile(dir + "\\" + b.name, b.bytes);
        LogTail log;
        EXPECT_FALSE(characters.readFile(HFile(dir + "\\" + b.name))) << b.name;
        EXPECT_TRUE(log.contains("readFile:header check error.")) << b.name;
        for (const char* line : b.lines) {
            EXPECT_TRUE(log.contains(line)) << b.name << " " << line;
        }
        EXPECT_EQ(0u, characters.count()) << b.name;
    }

    // A missing file fails without the header note.
    LogTail log;
    EXPECT_FALSE(characters.readFile(HFile(dir + "\\missing")));
    EXPECT_FALSE(log.contains("header check"));
}

TEST(RZCharacters, ReadAllLooksOneLevelBelowTheGameDirectory) {
    std::string game = makeScratchDir("game");
    CreateDirectoryA((game + "\\Data").c_str(), nullptr);
    CreateDirectoryA((game + "\\Scenario1").c_str(), nullptr);
    CreateDirectoryA((game + "\\Scenario1\\Data").c_str(), nullptr);
    CreateDirectoryA((game + "\\Broken").c_str(), nullptr);
    CreateDirectoryA((game + "\\Empty").c_str(), nullptr);
    std::vector<Person> people = cast();
    writeFile(game + "\\Data\\CharacterData", characterFile(people));
    writeFile(game + "\\Broken\\CharacterData", "garbage");
    // Too deep: Scenario1\Data is two levels below.
    writeFile(game + "\\Scenario1\\Data\\CharacterData", characterFile(people));
    // A plain file at the top is not a directory to look into.
    writeFile(game + "\\CharacterData", characterFile(people));

    RZCharacters characters;
    characters.readFile(HFile(game + "\\CharacterData"));
    ASSERT_TRUE(characters.readAll(HFile(game)));
    EXPECT_EQ(7u, characters.count());
    EXPECT_EQ(game + "\\Data\\CharacterData", characters.characterAt(0)->getSource().fullPath());

    std::string other = makeScratchDir("nogame");
    EXPECT_FALSE(characters.readAll(HFile(other)));
    EXPECT_EQ(0u, characters.count());
    EXPECT_FALSE(characters.readAll(HFile(other + "\\missing")));
}

TEST(RZCharacters, WalkListsThoseWithEnoughAptitude) {
    std::string dir = makeScratchDir("walk");
    writeFile(dir + "\\CharacterData", characterFile(cast()));
    RZCharacters characters;
    ASSERT_TRUE(characters.readFile(HFile(dir + "\\CharacterData")));

    // Water (1), rank C (2): water aptitude C or better, in reading order.
    std::vector<Walked> water = walk(characters, 1, 2);
    EXPECT_EQ((Strings{"ソフィア", "能登", "ミラ", "カイ"}), namesOf(water));
    ASSERT_EQ(4u, water.size());
    EXPECT_EQ("C", water[0].aptitude);
    EXPECT_EQ("B", water[1].aptitude);
    EXPECT_EQ("S", water[2].aptitude);
    EXPECT_EQ("A", water[3].aptitude);
    EXPECT_EQ("", characters.aptitudeText(7, 1)); // no eighth character

    EXPECT_EQ((Strings{"表示板"}), namesOf(walk(characters, 5, 5)));
    EXPECT_EQ(7u, walk(characters, 0, 0).size());
    EXPECT_TRUE(walk(characters, 6, 0).empty());
    EXPECT_TRUE(walk(characters, -1, 0).empty());

    // next without outputs still moves on.
    characters.start(1, 2);
    characters.next(nullptr, nullptr);
    std::string name, text;
    characters.next(name, text);
    EXPECT_EQ("能登", name);

    RZCharacters none;
    none.start(0, 1);
    EXPECT_FALSE(none.hasNext());
}

TEST(RZCharacters, OddAptitudeBytes) {
    std::string dir = makeScratchDir("odd");
    writeFile(dir + "\\CharacterData",
              characterFile({{"Seven", {7, 0, 0, 0, 0, 0}},
                             {"Negative", {static_cast<signed char>(0x80), 0, 0, 0, 0, 0}},
                             {"Equal", {3, 0, 0, 0, 0, 0}}}));
    RZCharacters characters;
    ASSERT_TRUE(characters.readFile(HFile(dir + "\\CharacterData")));
    std::vector<Walked> seen = walk(characters, 0, 3);
    EXPECT_EQ((Strings{"Seven", "Equal"}), namesOf(seen));
    EXPECT_EQ("7", seen[0].aptitude);
    EXPECT_EQ((Strings{"Seven"}), namesOf(walk(characters, 0, 7)));
    // 0x80 is -128: matches no rank from 0 up, but does match a lower one.
    EXPECT_EQ(2u, walk(characters, 0, 0).size());
    std::vector<Walked> all = walk(characters, 0, -128);
    ASSERT_EQ(3u, all.size());
    EXPECT_EQ("-128", all[1].aptitude);
}

TEST(RZCharacterFile, HeaderRulesOnRawBytes) {
    RZCharacterFile::Header header;
    EXPECT_FALSE(RZCharacterFile::checkHeader(nullptr, 0, header));
    unsigned char bytes[1348] = {140, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_TRUE(RZCharacterFile::checkHeader(bytes, sizeof(bytes), header));
    EXPECT_EQ(0u, header.records);
    EXPECT_FALSE(RZCharacterFile::checkHeader(bytes, sizeof(bytes) - 1, header));
    // A count whose expected size wraps to the real size in 32 bits.
    bytes[4] = 1;
    bytes[7] = 0x80; // records = 0x80000000; 324 * that wraps to 0 in 32 bits
    EXPECT_FALSE(RZCharacterFile::checkHeader(bytes, sizeof(bytes), header));
}
