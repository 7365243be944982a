// The table's text form: what it writes, and every text it takes or refuses,
// read against a small table; the demo game's tables written and read back.
#include "app/data/RZEditData.h"
#include "app/data/RZFieldScanner.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZTableExchange.h"
#include "app/data/RZTableTsv.h"
#include "app/operations/RZTableTextErrors.h"
#include "tests/app/data/DataTestSupport.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

using RZTableTsv::Entry;
using RZTableTsv::Header;

namespace {

const std::string header =
    "番号\tLv\t名称\t属性\tランク\t対象\t消費\t射程\t範囲\t効率\t説明\t効果音\r\n";
// The errors of a file without the number or level column, which say what is read.
const std::string readable =
    "（Shift-JIS、UTF-8、UTF-16のタブ区切りかコンマ区切りのファイルを読めます）";
const std::string noNumber = "1行目 1列: 「番号」の列がありません" + readable;
const std::string noLevel = "1行目 1列: 「Lv」の列がありません" + readable;

Entry entry(std::int32_t index, std::int32_t level, std::int32_t rank, std::int32_t target,
            const std::string& name, const std::string& description, const std::string& sound,
            std::int32_t cost) {
    Entry e;
    e.index = index;
    e.level = level;
    e.element = index / 8;
    e.rank = rank;
    e.target = target;
    e.cost = cost;
    e.range = 10 * level;
    e.area = level;
    e.efficiency = 100 + level;
    e.name = name;
    e.description = description;
    e.sound = sound;
    return e;
}

// Spell 0 in three levels, spell 9 in one, spell 47 with a target that has no
// label.
std::vector<Entry> table() {
    return {entry(0, 1, 1, 2, "ファイア", "炎の魔法", "fire01.wav", 11),
            entry(0, 2, 2, 2, "ファイア", "炎の魔法", "fire01.wav", 12),
            entry(0, 3, 3, 2, "ファイア", "炎の魔法", "fire01.wav", 13),
            entry(9, 1, 1, 1, "キュアストーン", "石化を治す", "", 91),
            entry(47, 1, 5, 7, "エクス", "d", "s e.wav", 471)};
}

RZTableTsv::Result read(const std::string& text, Header mode = Header::NEEDED) {
    return RZTableTsv::read(text.data(), text.size(), table(), RZTableExchange::labels(), mode);
}

std::vector<std::string> errorTexts(const RZTableTsv::Result& result) {
    std::vector<std::string> texts;
    for (const RZTableTsv::Error& error : result.errors) {
        texts.push_back(RZTableTextErrors::errorText(error));
    }
    return texts;
}

} // namespace

TEST(RZTableTsv, WritesTheHeaderAndOneLinePerEntryAsTheListShowsThem) {
    std::vector<Entry> entries = table();
    entries[3].name = "\"Cure\"";
    entries[4].sound = "tab\there \"q\"";
    EXPECT_EQ(header + "0\t1\tファイア\t火\tD\t敵\t11\t10\t1\t101\t炎の魔法\tfire01.wav\r\n"
                       "0\t2\tファイア\t火\tC\t敵\t12\t20\t2\t102\t炎の魔法\tfire01.wav\r\n"
                       "0\t3\tファイア\t火\tB\t敵\t13\t30\t3\t103\t炎の魔法\tfire01.wav\r\n"
                       "9\t1\t\"\"\"Cure\"\"\"\t水\tD\t味方\t91\t10\t1\t101\t石化を治す\t\r\n"
                       "47\t1\tエクス\t闇\tS\t7\t471\t10\t1\t101\td\t\"tab\there \"\"q\"\"\"\r\n",
              RZTableTsv::write(entries, RZTableExchange::labels()));
}

// Every text the reader takes, with the values it gives, and every text it
// refuses, with its errors (and then no values at all).
TEST(RZTableTsv, ReaderTakesOrRefusesEachText) {
    using Change = std::function<void(std::vector<Entry>&)>;
    struct Case {
        const char* what;
        std::string text;
        Header mode;
        Change change;                   // accepted: the values it gives
        std::vector<std::string> errors; // refused: the errors listed
    };
    const Change none = [](std::vector<Entry>&) {};
    const std::string all = RZTableTsv::write(table(), RZTableExchange::labels());
    const std::string rows = all.substr(header.size());
    const std::string longText(1000, 'x');
    const Case cases[] = {
        {"its own export", all, Header::NEEDED, none, {}},
        {"the rows without the header, from the clipboard", rows, Header::IF_PRESENT, none, {}},
        {"its own export, from the clipboard", all, Header::IF_PRESENT, none, {}},
        {"nothing but the header", header, Header::NEEDED, none, {}},
        {"an empty clipboard", "", Header::IF_PRESENT, none, {}},
        {"numbers with blanks and signs, a target by label and by number",
         "番号\tLv\t消費\t射程\t対象\r\n0\t2\t 42 "
         "\t-2147483648\t味方\r\n47\t1\t+7\t2147483647\t-1\r\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) {
             e[1].cost = 42;
             e[1].range = std::numeric_limits<std::int32_t>::min();
             e[0].target = e[1].target = e[2].target = 1;
             e[4].cost = 7;
             e[4].range = 2147483647;
             e[4].target = -1;
         },
         {}},
        {"a shared field given on one level reaches the spell's others; spaces become full-width",
         "番号\tLv\t名称\t説明\t効果音\r\n0\t3\tFire Ball\t\"hot\tand\"\t bright\r\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) {
             for (int i = 0; i < 3; ++i) {
                 e[i].name = "Fire　Ball";
                 e[i].description = "hot　and";
                 e[i].sound = " bright";
             }
         },
         {}},
        {"a line end inside a quoted description",
         testsupport::utf16WithMark(
             u"効率\tLv\t番号\t名称\t説明\t消費\t備考\n"
             u"555\t1\t0\t\"Fire \"\"Ball\"\"\"\t\"two\nlines\"\t12\tignored\n"
             u"556\t2\t0\t\"Fire \"\"Ball\"\"\"\t\"two\nlines\"\t13\t\n"),
         Header::NEEDED,
         nullptr,
         {"2行目 5列: 改行やNUL文字は使えません", "4行目 5列: 改行やNUL文字は使えません"}},
        {"a spreadsheet's UTF-16: quoted fields, columns reordered, one missing, LF ends",
         testsupport::utf16WithMark(u"効率\tLv\t番号\t名称\t説明\t消費\t備考\n"
                                    u"555\t1\t0\t\"ﾌｧｲｱ \"\"Ball\"\"\"\t\"ソ\t表\"\t12\tignored\n"
                                    u"556\t2\t0\t\"ﾌｧｲｱ \"\"Ball\"\"\"\t\"ソ\t表\"\t13"),
         Header::NEEDED,
         [](std::vector<Entry>& e) {
             for (int i = 0; i < 3; ++i) {
                 e[i].name = "ﾌｧｲｱ　\"Ball\"";
                 e[i].description = "ソ　表";
             }
             e[0].efficiency = 555;
             e[0].cost = 12;
             e[1].efficiency = 556;
             e[1].cost = 13;
         },
         {}},
        {"UTF-8 with its mark; CR ends, empty lines and rows of empty cells skipped",
         std::string("\xEF\xBB\xBF") + u8"番号\tLv\t名称\r\r\n\t\t\r" + u8"9\t1\tｷｭｱ表\r\n\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) { e[3].name = "ｷｭｱ表"; },
         {}},
        {"element and rank are never read; an unknown column is ignored",
         "番号\tLv\t属性\tランク\tメモ\r\n0\t1\t水\tS\t?\r\n",
         Header::NEEDED,
         none,
         {}},
        {"pasted rows apply to exactly those rows",
         rows.substr(rows.find("9\t1")),
         Header::IF_PRESENT,
         none,
         {}},
        {"a description that fills the spell's table line to its last byte",
         "番号\tLv\t説明\r\n9\t1\t" + std::string(962, 'x') + "\r\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) { e[3].description = std::string(962, 'x'); },
         {}},
        {"a pasted row with a changed cost and sound, the last column",
         "47\t1\tエクス\t闇\tS\t7\t5\t10\t1\t101\td\tnew.wav\r\n",
         Header::IF_PRESENT,
         [](std::vector<Entry>& e) {
             e[4].cost = 5;
             e[4].sound = "new.wav";
         },
         {}},
        {"a pasted Shift-JIS row whose half-width katakana would be valid UTF-8",
         "9\t1\tﾃｩ\r\n",
         Header::IF_PRESENT,
         [](std::vector<Entry>& e) { e[3].name = "ﾃｩ"; },
         {}},
        {"a sheet's UTF-8 text without a mark, LF ends; lines of empty cells before the header",
         u8"\n\t\t\n番号\tLv\t名称\n9\t1\t\"キュア\"\"\"\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) { e[3].name = "キュア\""; },
         {}},
        {"Excel's CSV: Shift-JIS, CR LF, quotes where needed, a line break in an unknown "
         "column, a row shorter than the header, an empty line at the end",
         "番号,Lv,名称,消費,備考,効果音\r\n9,1,\"A \"\"B\"\", C\",5,\"two\tand\r\nlines\",x.wav\r\n"
         "47,1,エクス,6\r\n,,,,,\r\n\r\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) {
             e[3].name = "A　\"B\",　C";
             e[3].cost = 5;
             e[3].sound = "x.wav";
             e[4].cost = 6;
         },
         {}},
        {"a header with both separators is tab-separated; commas stay in the cells",
         "番号\tLv\t名称\t備考,メモ\r\n9\t1\tFire,Ball\tx,y\r\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) { e[3].name = "Fire,Ball"; },
         {}},
        {"a line holding only a tab before a comma-separated header",
         "\t\r\n番号,Lv,名称,消費\r\n9,1,Cure,5\r\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) {
             e[3].name = "Cure";
             e[3].cost = 5;
         },
         {}},
        {"a line of commas only before a tab-separated header",
         ",,\r\n番号\tLv\t名称\r\n9\t1\tA,B\r\n",
         Header::NEEDED,
         [](std::vector<Entry>& e) { e[3].name = "A,B"; },
         {}},

        {"a spell the table lacks, and a level it lacks",
         header + "1\t1\r\n0\t4\r\n",
         Header::NEEDED,
         nullptr,
         {"2行目 1列: この表にない呪文です", "3行目 1列: この表にない呪文です"}},
        {"the same row twice",
         "Lv\t番号\r\n1\t9\r\n1\t9\r\n",
         Header::NEEDED,
         nullptr,
         {"3行目 2列: 同じ呪文の同じレベルが2行目にもあります"}},
        {"numbers that are not whole or too large",
         "番号\tLv\t消費\t射程\t範囲\t効率\r\n0\t1\t12a\t1.5\t\t2147483648\r\nx\t1\r\n",
         Header::NEEDED,
         nullptr,
         {"2行目 3列: 整数ではありません", "2行目 4列: 整数ではありません",
          "2行目 5列: 整数ではありません", "2行目 6列: 32ビットの範囲を超えています",
          "3行目 1列: 整数ではありません"}},
        {"levels of one spell that disagree",
         "番号\tLv\t名称\t対象\t説明\t効果音\r\n0\t1\tA\t敵\tx\ts\r\n0\t2\tB\t2\tx\tt\r\n",
         Header::NEEDED,
         nullptr,
         {"3行目 3列: 同じ呪文の2行目と違います", "3行目 6列: 同じ呪文の2行目と違います"}},
        {"a target that is neither a label nor a number",
         "番号\tLv\t対象\r\n0\t1\t味方x\r\n",
         Header::NEEDED,
         nullptr,
         {"2行目 3列: 対象の選択肢にも整数にも当たりません"}},
        {"characters Shift-JIS lacks",
         testsupport::utf16WithMark(u"番号\tLv\t説明\n0\t1\tcafé\n") +
             std::string("\x3D\xD8\x00\xDE", 4),
         Header::NEEDED,
         nullptr,
         {"2行目 3列: Shift-JISにない文字です", "3行目 1列: Shift-JISにない文字です",
          "3行目 2列: 整数ではありません"}},
        {"UTF-16 with an odd last byte",
         testsupport::utf16WithMark(u"番号\tLv\t名称\n0\t1\tA") + "B",
         Header::NEEDED,
         nullptr,
         {"2行目 3列: UTF-16として正しくない文字があります"}},
        {"broken UTF-8: a sequence cut short, and a slash in three bytes",
         std::string("\xEF\xBB\xBF") + u8"番号\tLv\t名称\n0\t1\t" + "\xC3\n0\t2\t\xE0\x80\xAF\n",
         Header::NEEDED,
         nullptr,
         {"2行目 3列: UTF-8として正しくない文字があります",
          "3行目 3列: UTF-8として正しくない文字があります"}},
        {"a broken Shift-JIS name",
         "番号\tLv\t名称\r\n0\t1\t\x82\r\n",
         Header::NEEDED,
         nullptr,
         {"2行目 3列: Shift-JISとして正しくない文字があります"}},
        {"no spell number column", "Lv\t名称\r\n1\tA\r\n", Header::NEEDED, nullptr, {noNumber}},
        {"no header at all in a file", rows, Header::NEEDED, nullptr, {noNumber, noLevel}},
        {"an empty file", "", Header::NEEDED, nullptr, {noNumber}},
        {"a column named twice",
         "番号\tLv\t消費\t消費\r\n0\t1\t1\t2\r\n",
         Header::NEEDED,
         nullptr,
         {"1行目 4列: 列名が重複しています"}},
        {"a quote that never closes",
         header + "0\t1\t\"Fire\r\n",
         Header::NEEDED,
         nullptr,
         {"2行目 3列: 引用符が閉じていません"}},
        {"an error after a quoted CR LF names its own line",
         "番号,Lv,備考\r\n0,1,\"a\r\nb\"\r\n0,x\r\n",
         Header::NEEDED,
         nullptr,
         {"4行目 2列: 整数ではありません"}},
        {"a description one byte too long for the table's line",
         "番号\tLv\t名称\t説明\r\n9\t1\tキュアストーン\t" + std::string(963, 'x') + "\r\n",
         Header::NEEDED,
         nullptr,
         {"2行目 4列: 長すぎます（MagicTableの1行は1023バイトまでです）"}},
        {"a description too long for the table's line",
         "番号\tLv\t説明\r\n9\t1\t" + longText + "\r\n",
         Header::NEEDED,
         nullptr,
         {"2行目 3列: 長すぎます（MagicTableの1行は1023バイトまでです）"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RZTableTsv::Result result = read(c.text, c.mode);
        if (c.change) {
            std::vector<Entry> expected = table();
            c.change(expected);
            EXPECT_TRUE(result.ok())
                << (result.errors.empty() ? "" : RZTableTextErrors::errorText(result.errors[0]));
            EXPECT_EQ(expected, result.values);
        } else {
            EXPECT_FALSE(result.ok());
            EXPECT_TRUE(result.values.empty());
            EXPECT_EQ(c.errors, errorTexts(result));
        }
    }
}

// A file without a mark is UTF-8 only when all of it is valid UTF-8: one bad
// sequence anywhere and it is Shift-JIS, whose header then lacks 番号.
TEST(RZTableTsv, UnmarkedFileIsUtf8OnlyWhenStrictlyValid) {
    const std::string text = u8"番号\tLv\t名称\n9\t1\tキュア\t";
    for (const char* tail : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                             "\xF8\x88\x80\x80\x80", "\xE3\x81", "\x80", "\xFF"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(tail)));
        EXPECT_EQ(std::vector<std::string>{noNumber}, errorTexts(read(text + tail)));
    }
    // The longest forms of each length, and the last code point there is.
    EXPECT_TRUE(read(text + "\xDF\xBF\xEF\xBF\xBD\xF4\x8F\xBF\xBF").ok());
}

// Fields split at the scanner's own separator only; quotes keep separators,
// doubled quotes and line ends, which count as lines.
TEST(RZTableTsv, TheScannerSplitsAtItsOwnSeparator) {
    const std::string text = "a\tb,\"c,\"\"d\"\"\",e\r\n,\"x\ny\"\rz";
    RZFieldScanner scanner(text.data(), text.size(), ',');
    std::vector<std::string> fields;
    std::string value;
    while (!scanner.atEnd()) {
        const std::size_t line = scanner.line();
        const RZFieldScanner::Field found = scanner.field(true, value);
        fields.push_back(std::to_string(line) + ":" + value + (found.last ? "|" : ""));
    }
    EXPECT_EQ(fields,
              (std::vector<std::string>{"1:a\tb", "1:c,\"d\"", "1:e|", "2:", "2:x\ny|", "4:z|"}));
}

TEST(RZTableTsv, KeepsTheFirstTenErrorsAndCountsThemAll) {
    std::string text = header;
    for (int i = 0; i < 25; ++i) {
        text += "0\t1\tx\t\t\t\t12a\r\n";
    }
    RZTableTsv::Result result = read(text);
    EXPECT_EQ(25u, result.errorCount); // one bad cost, then 24 rows already given
    ASSERT_EQ(RZTableTsv::ERRORS_KEPT, result.errors.size());
    EXPECT_EQ("2行目 7列: 整数ではありません", RZTableTextErrors::errorText(result.errors[0]));
}

// The demo game's tables written as text and read back give the same values.
TEST(RZTableTsv, DemoTablesReadBackUnchanged) {
    const std::string demo = testsupport::demoDirectory();
    if (demo.empty()) {
        GTEST_SKIP() << "RZ_DEMO_DIR is not set";
    }
    datatest::GameDirectory noGame;
    for (const char* set : {"\\Default", "", "\\Scenario1", "\\Scenario2"}) {
        SCOPED_TRACE(set);
        std::string data = std::string(demo) + set + "\\Data\\";
        RZEditData document;
        RZMagicLoader loader;
        ASSERT_TRUE(
            loader.load(HFile(data + "MagicTable"), HFile(data + "SoundFileName"), &document));
        std::vector<Entry> entries = RZTableExchange::entriesOf(&document);
        ASSERT_EQ(81u, entries.size());
        std::string text = RZTableTsv::write(entries, RZTableExchange::labels());
        RZTableTsv::Result result = RZTableTsv::read(text.data(), text.size(), entries,
                                                     RZTableExchange::labels(), Header::NEEDED);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(entries, result.values);
    }
}
