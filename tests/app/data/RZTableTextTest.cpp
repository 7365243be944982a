// The byte-level table rules, fed with bytes written here by hand.
#include "app/data/RZMagicLoader.h"
#include "app/data/RZTableText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using RZTableText::cutLines;
using RZTableText::parseNumber;
using RZTableText::splitFields;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> result;
    for (const RZTableText::Line& line : cutLines(text.data(), text.size())) {
        result.push_back(text.substr(line.start, line.end - line.start));
    }
    return result;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(RZTableText, EveryKindOfLineEndIsOneLineEnd) {
    EXPECT_EQ((Strings{"ab", "cd", "ef"}), linesOf("ab\r\ncd\r\nef\r\n"));
    EXPECT_EQ((Strings{"ab", "cd", "ef"}), linesOf("ab\ncd\nef\n"));
    // A lone CR ends a line without eating the next line's first byte.
    EXPECT_EQ((Strings{"ab", "cd", "ef"}), linesOf("ab\rcd\ref"));
    // The last line needs no line end.
    EXPECT_EQ((Strings{"ab", "cd"}), linesOf("ab\r\ncd"));
    // Empty lines are lines; a final line end adds none.
    EXPECT_EQ((Strings{"a", "", "", "b"}), linesOf("a\r\n\r\n\nb\n"));
    EXPECT_EQ((Strings{"a", "", "b"}), linesOf("a\n\rb"));
    EXPECT_TRUE(linesOf("").empty());
    EXPECT_EQ((Strings{""}), linesOf("\r\n"));
}

TEST(RZTableText, TextEndsAtItsFirstNul) {
    std::string text("one\r\ntw\0o\r\nthree", 16);
    EXPECT_EQ((Strings{"one", "tw"}), linesOf(text));
    EXPECT_TRUE(cutLines(nullptr, 5).empty());
}

TEST(RZTableText, LinesKeepShiftJisBytesWhole) {
    // 表, ソ and 能 have 0x5C as their second byte; nothing treats it specially.
    std::string text = "表示\tソード 能力\r\nx";
    Strings lines = linesOf(text);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((Strings{"表示", "ソード", "能力"}), splitFields(lines[0]));
}

TEST(RZTableText, FieldsAreSeparatedByRunsOfSpacesAndTabs) {
    EXPECT_EQ((Strings{"a", "1", "b"}), splitFields("a \t 1\t\tb"));
    EXPECT_EQ((Strings{"a"}), splitFields("a"));
    EXPECT_TRUE(splitFields("").empty());
    // A blank at the start leaves an empty first field, so a name written as
    // padding only still keeps the following fields in place.
    EXPECT_EQ((Strings{"", "1", "2"}), splitFields("   1 2"));
}

TEST(RZTableText, TheLastByteNeverSeparates) {
    EXPECT_EQ((Strings{"a", "desc "}), splitFields("a desc "));
    EXPECT_EQ((Strings{"a", "desc\t"}), splitFields("a desc\t"));
    EXPECT_EQ((Strings{"a", "desc", " "}), splitFields("a desc  "));
    EXPECT_EQ((Strings{"a", "desc", "\t"}), splitFields("a desc \t \t"));
    EXPECT_EQ((Strings{" "}), splitFields(" "));
}

TEST(RZTableText, AtMostFifteenFields) {
    std::string line = "n 1 2 3 4 5 6 7 8 9 10 11 12 13 description extra more";
    Strings fields = splitFields(line);
    ASSERT_EQ(15u, fields.size());
    EXPECT_EQ("n", fields[0]);
    EXPECT_EQ("13", fields[13]);
    EXPECT_EQ("description", fields[14]);
    // With fifteen fields the trailing blanks are simply ignored.
    EXPECT_EQ("d", splitFields("n 1 2 3 4 5 6 7 8 9 10 11 12 13 d  ")[14]);
    EXPECT_EQ(15u, splitFields("n 1 2 3 4 5 6 7 8 9 10 11 12 13 d  ").size());
}

TEST(RZTableText, HugeLinesAndGarbageAreHandled) {
    std::string huge(200 * 1024, 'x');
    huge[100000] = ' ';
    Strings fields = splitFields(huge);
    ASSERT_EQ(2u, fields.size());
    EXPECT_EQ(100000u, fields[0].size());
    EXPECT_EQ(huge.size() - 100001u, fields[1].size());

    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 73 + 11) & 0xFF);
    }
    for (const RZTableText::Line& line : cutLines(garbage.data(), garbage.size())) {
        EXPECT_LE(line.start, line.end);
        EXPECT_LE(line.end, garbage.size());
        Strings parts = splitFields(garbage.substr(line.start, line.end - line.start));
        EXPECT_LE(parts.size(), 15u);
        for (const std::string& part : parts) {
            parseNumber(part);
        }
    }
}

TEST(RZTableText, ParseNumberReadsDigitsFromTheRight) {
    EXPECT_EQ(12, parseNumber("12"));
    EXPECT_EQ(-5, parseNumber("-05"));
    EXPECT_EQ(12, parseNumber("1x2"));
    EXPECT_EQ(5, parseNumber("5-"));
    EXPECT_EQ(0, parseNumber("abc"));
    EXPECT_EQ(0, parseNumber(""));
    EXPECT_EQ(0, parseNumber("-0"));
    EXPECT_EQ(-3, parseNumber("--3"));
    EXPECT_EQ(3, parseNumber("3-"));
    EXPECT_EQ(-7, parseNumber("-x7"));
    EXPECT_EQ(2147483647, parseNumber("2147483647"));
    // Both entry points are the same reader.
    EXPECT_EQ(-123, RZMagicLoader::parseNumber("-1 2 3"));
}

TEST(RZTableText, ParseNumberWrapsInThirtyTwoBits) {
    EXPECT_EQ(static_cast<std::int32_t>(0x80000000u), parseNumber("2147483648"));
    EXPECT_EQ(0, parseNumber("4294967296"));
    EXPECT_EQ(-1, parseNumber("4294967295"));
    EXPECT_EQ(1, parseNumber("-4294967295"));
    // A long run of digits keeps multiplying the place value: it wraps, no trap.
    std::string many(5000, '9');
    parseNumber(many);
    parseNumber("-" + many);
}

TEST(RZTableText, FormatsTheTableLine) {
    const std::int32_t numbers[3][4] = {{10, 3, 1, 100}, {20, 4, 2, 150}, {-5, 5, 3, 7}};
    // ファイア is 8 bytes: padded with ten spaces to 18.
    EXPECT_EQ("ファイア           2 010 3 1 100  020 4 2 150  -05 5 3 007  炎の球",
              RZTableText::formatTableLine("ファイア", 2, numbers, "炎の球"));
    const std::int32_t zeros[3][4] = {};
    EXPECT_EQ("                   -1 000 0 0 000  000 0 0 000  000 0 0 000  ",
              RZTableText::formatTableLine("", -1, zeros, ""));
    // A name longer than 18 bytes is never cut.
    EXPECT_EQ(0u, RZTableText::formatTableLine("ウォールスマッシュ", 0, zeros, "")
                      .find("ウォールスマッシュ 0 000"));
    // The line stops at 1023 bytes.
    std::string longText(3000, 'z');
    std::string line = RZTableText::formatTableLine("a", 0, zeros, longText);
    EXPECT_EQ(1023u, line.size());
    EXPECT_EQ(std::string(20, 'z'), line.substr(1003));
    // The cut never leaves half a character: the description starts at byte
    // 60, so a run of two-byte characters would be cut after a lead byte.
    std::string kanji;
    for (int i = 0; i < 600; ++i) {
        kanji += "表";
    }
    line = RZTableText::formatTableLine("a", 0, zeros, kanji);
    EXPECT_EQ(1022u, line.size());
    EXPECT_EQ("表表", line.substr(1018));
    line = RZTableText::formatTableLine("a", 0, zeros, "x" + kanji);
    EXPECT_EQ(1023u, line.size());
    EXPECT_EQ("表表", line.substr(1019));
}

TEST(RZTableText, SoundNamesAreOneLinePerSpellAndNoMore) {
    const std::string list = "fire01\r\nwater02\n\rwind03\r\nEnd";
    // An empty line is a spell without a sound; lines past the spells, such
    // as "End", are not names.
    EXPECT_EQ((Strings{"fire01", "water02", "", "wind03"}),
              RZTableText::soundNames(list.data(), list.size(), 4));
    EXPECT_EQ((Strings{"fire01"}), RZTableText::soundNames(list.data(), list.size(), 1));
    EXPECT_TRUE(RZTableText::soundNames(list.data(), list.size(), 0).empty());
    // A short list names only the first spells; the text ends at a NUL.
    const std::string shortList("ice01\r\nice02\0hidden\r\n", 21);
    EXPECT_EQ((Strings{"ice01", "ice02"}),
              RZTableText::soundNames(shortList.data(), shortList.size(), 48));
    EXPECT_TRUE(RZTableText::soundNames(nullptr, 10, 48).empty());
}
