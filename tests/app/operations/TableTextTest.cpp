// The table as text through the real window: export and import through the
// Tools menu and its file choosers, copy and paste through Ctrl+C and Ctrl+V on
// the spell list, the error box, the undo step an import makes, and the items'
// greying. Checked by the bytes on disk and on the clipboard, the rows shown
// and their colours.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZIds.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HListView.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace editortest;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const std::string HEADER =
    "番号\tLv\t名称\t属性\tランク\t対象\t消費\t射程\t範囲\t効率\t説明\t効果音\r\n";
const COLORREF YELLOW = RGB(255, 255, 192);

// Opens the Tools menu's states as the system does before showing it.
void openToolsMenu(Editor& editor) {
    HMENU bar = GetMenu(editor.hwnd);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        SendMessageA(editor.hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, i)),
                     i);
    }
    pump(20);
}

// The clipboard's text in one format (CF_TEXT bytes, or CF_UNICODETEXT as
// Shift-JIS), without its NUL.
std::string clipboardText(UINT format) {
    std::string text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    HANDLE data = GetClipboardData(format);
    const void* bytes = data != nullptr ? GlobalLock(data) : nullptr;
    if (bytes != nullptr && format == CF_TEXT) {
        text = static_cast<const char*>(bytes);
    } else if (bytes != nullptr) {
        const wchar_t* wide = static_cast<const wchar_t*>(bytes);
        int size = WideCharToMultiByte(932, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        text.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(932, 0, wide, -1, &text[0], size, nullptr, nullptr);
        text.resize(text.size() - 1);
    }
    if (data != nullptr) {
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Puts Unicode text (given as Shift-JIS) on the clipboard, after a byte-order
// mark when asked, or empties it.
void setClipboard(const std::string& text, bool mark = false) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!text.empty()) {
        const int size = MultiByteToWideChar(932, 0, text.c_str(), -1, nullptr, 0) + (mark ? 1 : 0);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size) * sizeof(wchar_t));
        wchar_t* wide = static_cast<wchar_t*>(GlobalLock(memory));
        if (mark) {
            *wide++ = 0xFEFF;
        }
        MultiByteToWideChar(932, 0, text.c_str(), -1, wide, size - (mark ? 1 : 0));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

class TableTextTest : public FreshGameTest {
  protected:
    std::string out = testsupport::makeScratchDir("tsv");
};

} // namespace

TEST_F(TableTextTest, ExportAndImportThroughTheToolsMenu) {
    setClipboard("1\t1\r\n"); // text to paste, but no table to paste it into
    Editor editor;
    Answerer answers;
    for (int id : {IDM_EXPORT_TSV, IDM_IMPORT_TSV, IDM_COPY_TABLE, IDM_PASTE_TABLE}) {
        EXPECT_TRUE(editor.greyed(id)) << id; // no table yet
    }
    editor.command(editor.dataSetId("SetA"));
    EXPECT_FALSE(editor.greyed(IDM_EXPORT_TSV));
    EXPECT_FALSE(editor.greyed(IDM_IMPORT_TSV));
    editor.command(IDM_SAVE); // the table as the editor writes it
    const std::string table = readFile(data + "\\MagicTable");
    const std::string before = tableState(editor.document());

    // Export: offered under the data set's name; the default extension is
    // added; the header and one row per level.
    answers.push(IDOK, out + "\\spells");
    editor.command(IDM_EXPORT_TSV);
    ASSERT_EQ(1u, answers.seen.size());
    EXPECT_EQ("SetA", answers.seen[0].fileName);
    const std::string exported = readFile(out + "\\spells.tsv");
    ASSERT_EQ(0u, exported.find(HEADER));
    EXPECT_EQ(82, std::count(exported.begin(), exported.end(), '\n'));
    const RZMagic* first = editor.document()->entryAt(0);
    EXPECT_EQ(HEADER.size(), exported.find("0\t1\t" + first->getName() + "\t", HEADER.size()));

    // Read back unchanged: no box, no step, nothing changed.
    answers.push(IDOK, out + "\\spells.tsv");
    editor.command(IDM_IMPORT_TSV);
    EXPECT_EQ(before, tableState(editor.document()));
    EXPECT_TRUE(editor.greyed(IDM_UNDO));

    // A spreadsheet's UTF-16 text with LF ends, columns reordered and most left
    // out: one undo step; the rows it changed turn yellow.
    writeFile(out + "\\edited.tsv",
              testsupport::utf16WithMark(
                  u"Lv\t消費\t番号\t名称\t説明\n1\t77\t0\t\"Fire Ball\"\tｶﾅの説明\n"
                  u"2\t78\t0\t\"Fire Ball\"\tｶﾅの説明\n"));
    answers.push(IDOK, out + "\\edited.tsv");
    editor.command(IDM_IMPORT_TSV);
    RZEditData* document = editor.document();
    EXPECT_EQ(77, document->entryAt(rowOf(0, 1))->getCost());
    EXPECT_EQ(78, document->entryAt(rowOf(0, 2))->getCost());
    for (int level = 1; level <= 3; ++level) {
        EXPECT_EQ("Fire　Ball", editor.cell(IDC_SPELL_LIST, rowOf(0, level), 1));
        EXPECT_EQ("ｶﾅの説明", editor.cell(IDC_SPELL_LIST, rowOf(0, level), 10));
        EXPECT_EQ(YELLOW, editor.rowColour(rowOf(0, level)));
    }
    EXPECT_NE(YELLOW, editor.rowColour(rowOf(1, 1)));
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(0, 1), 6), "77");

    // One step: undone, the table is as it was, the first row it changed is
    // selected, and the table saves as it was read.
    editor.selectRow(40);
    editor.command(IDM_UNDO);
    EXPECT_EQ(before, tableState(document));
    EXPECT_EQ(rowOf(0, 1), editor.selectedRow());
    EXPECT_TRUE(editor.greyed(IDM_UNDO));
    editor.command(IDM_REDO);
    EXPECT_EQ(77, document->entryAt(rowOf(0, 1))->getCost());
    editor.command(IDM_UNDO);
    editor.command(IDM_SAVE);
    EXPECT_EQ(table, readFile(data + "\\MagicTable"));

    // An export over a read-only file fails and leaves the file as it was.
    writeFile(out + "\\kept.tsv", "old");
    SetFileAttributesA((out + "\\kept.tsv").c_str(), FILE_ATTRIBUTE_READONLY);
    answers.push(IDOK, out + "\\kept.tsv");
    answers.push(IDOK);
    editor.command(IDM_EXPORT_TSV);
    SetFileAttributesA((out + "\\kept.tsv").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("old", readFile(out + "\\kept.tsv"));
    ASSERT_FALSE(answers.seen.empty());
    expectBox(answers.seen.back(), "TSVファイル", "TSVファイルを書き出せませんでした。", MB_OK,
              IDI_EXCLAMATION);

    // A table kept outside a Data folder offers its own folder's name; one
    // never saved, the table's usual name.
    CreateDirectoryA((out + "\\Mods").c_str(), nullptr);
    writeFile(out + "\\Mods\\MagicTable", table);
    answers.push(IDOK, out + "\\Mods\\MagicTable");
    editor.command(IDM_OPEN);
    std::vector<std::string> offered;
    for (int id : {0, static_cast<int>(IDM_NEW)}) {
        if (id != 0) {
            editor.command(id);
        }
        answers.push(IDCANCEL);
        editor.command(IDM_EXPORT_TSV);
        offered.push_back(answers.seen.back().fileName);
    }
    EXPECT_EQ(offered, (std::vector<std::string>{"Mods", "MagicTable"}));
    EXPECT_EQ(0, answers.unexpected);
}

// CSV through the choosers' CSV filter and a .csv name: written with commas,
// read back unchanged, and a sheet's edit of it (UTF-8 without a mark, a
// quoted name with a comma) taken as one step and written back quoted.
TEST_F(TableTextTest, CsvThroughTheChoosers) {
    const int csvType = 2;
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    RZEditData* document = editor.document();
    const std::string before = tableState(document);

    // The CSV filter picked and a name typed without an extension.
    answers.push(IDOK, out + "\\spells", csvType);
    editor.command(IDM_EXPORT_TSV);
    ASSERT_EQ(1u, answers.seen.size());
    EXPECT_EQ("TSVファイル (*.tsv)|CSVファイル (*.csv)|すべてのファイル (*.*)|",
              answers.seen[0].fileTypes);
    const std::string csv = readFile(out + "\\spells.csv");
    std::string header = HEADER;
    std::replace(header.begin(), header.end(), '\t', ',');
    ASSERT_EQ(0u, csv.find(header));
    EXPECT_EQ(82, std::count(csv.begin(), csv.end(), '\r'));
    EXPECT_EQ(header.size(), csv.find("0,1," + document->entryAt(0)->getName() + ",", 1));
    // A name ending in .csv, in any case, is comma-separated under the TSV
    // filter too, as is any name under the CSV filter.
    answers.push(IDOK, out + "\\copy.CSV");
    editor.command(IDM_EXPORT_TSV);
    EXPECT_EQ(csv, readFile(out + "\\copy.CSV"));
    answers.push(IDOK, out + "\\sheet.txt", csvType);
    editor.command(IDM_EXPORT_TSV);
    EXPECT_EQ(csv, readFile(out + "\\sheet.txt"));
    // Under すべてのファイル, tab-separated, and .tsv added to a bare name.
    answers.push(IDOK, out + "\\all", 3);
    editor.command(IDM_EXPORT_TSV);
    EXPECT_EQ(0u, readFile(out + "\\all.tsv").find(HEADER));

    // Read back through the import, whose first filter shows both kinds: nothing changes.
    answers.push(IDOK, out + "\\spells.csv");
    editor.command(IDM_IMPORT_TSV);
    EXPECT_EQ("TSV・CSVファイル (*.tsv;*.csv)|TSVファイル (*.tsv)|CSVファイル (*.csv)|"
              "すべてのファイル (*.*)|",
              answers.seen.back().fileTypes);
    EXPECT_EQ(before, tableState(document));

    writeFile(out + "\\edited.csv", u8"\"番号\",\"Lv\",\"名称\",\"消費\"\n"
                                    u8"0,1,\"Fire, Ball\",77\n0,2,\"Fire, Ball\",78\n");
    answers.push(IDOK, out + "\\edited.csv");
    editor.command(IDM_IMPORT_TSV);
    EXPECT_EQ("Fire,　Ball", editor.cell(IDC_SPELL_LIST, rowOf(0, 3), 1));
    EXPECT_EQ("78", editor.cell(IDC_SPELL_LIST, rowOf(0, 2), 6));
    // Exported again, the name with a comma is quoted.
    answers.push(IDOK, out + "\\again.csv");
    editor.command(IDM_EXPORT_TSV);
    EXPECT_NE(std::string::npos, readFile(out + "\\again.csv").find("\r\n0,3,\"Fire,　Ball\","));
    editor.command(IDM_UNDO);
    EXPECT_EQ(before, tableState(document));
    EXPECT_EQ(0, answers.unexpected);
}

TEST_F(TableTextTest, ABrokenFileChangesNothingAndListsItsErrors) {
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    const std::string before = tableState(editor.document());
    std::string text = HEADER;
    text += "0\t1\tX\t\t\t\t12a\t1\t1\t1\t\t\r\n"; // a cost that is no number
    text += "0\t2\tY\t\t\t\t1\t1\t1\t1\t\t\r\n";   // a name that differs from level 1's
    text += "47\t3\r\n";                           // a level the spell lacks
    for (int i = 0; i < 10; ++i) {
        text += "0\t1\r\n"; // given again
    }
    writeFile(out + "\\broken.tsv", text);
    answers.push(IDOK, out + "\\broken.tsv");
    answers.push(IDOK);
    editor.command(IDM_IMPORT_TSV);
    EXPECT_EQ(before, tableState(editor.document()));
    EXPECT_FALSE(editor.document()->hasChanged());
    EXPECT_TRUE(editor.greyed(IDM_UNDO));
    ASSERT_EQ(2u, answers.seen.size());
    const Seen& box = answers.seen[1];
    EXPECT_EQ("TSVファイル", box.caption);
    EXPECT_EQ(LoadIconA(nullptr, IDI_WARNING), box.icon);
    for (const char* line :
         {"2行目 7列: 整数ではありません", "3行目 3列: 同じ呪文の2行目と違います",
          "4行目 1列: この表にない呪文です",
          "5行目 1列: 同じ呪文の同じレベルが2行目にもあります"}) {
        EXPECT_NE(std::string::npos, box.text.find(line)) << line;
    }
    // Thirteen errors: ten listed, and the number of the others.
    EXPECT_EQ(std::string::npos, box.text.find("12行目"));
    EXPECT_NE(std::string::npos, box.text.find("ほかに 3 件の誤りがあります。"));
    EXPECT_EQ(0, answers.unexpected);
}

TEST_F(TableTextTest, CtrlCAndCtrlVOnTheSpellListCopyAndPasteTheTable) {
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    RZEditData* document = editor.document();
    // A name in half-width katakana, ending in a character whose second byte is
    // a backslash: copied and pasted back as it is.
    editor.selectRow(rowOf(3, 1));
    editor.type(IDC_NAME, "ﾊｰﾌｶﾅ表");
    const std::string before = tableState(document);

    ASSERT_NO_FATAL_FAILURE(setClipboard(""));
    openToolsMenu(editor);
    EXPECT_TRUE(editor.greyed(IDM_PASTE_TABLE)); // no text to paste

    // Ctrl+C on the list: the whole table, as Shift-JIS and as Unicode text.
    editor.focus(IDC_SPELL_LIST);
    editor.press({VK_CONTROL, 'C'});
    const std::string copied = clipboardText(CF_TEXT);
    ASSERT_EQ(0u, copied.find(HEADER));
    EXPECT_EQ(82, std::count(copied.begin(), copied.end(), '\n'));
    EXPECT_EQ(copied, clipboardText(CF_UNICODETEXT));
    openToolsMenu(editor);
    EXPECT_FALSE(editor.greyed(IDM_PASTE_TABLE));

    // Pasted back whole, nothing changes.
    editor.press({VK_CONTROL, 'V'});
    EXPECT_EQ(before, tableState(document));
    EXPECT_TRUE(answers.seen.empty());

    // Two rows without the header, as a spreadsheet copies them (after a
    // byte-order mark), with a changed range and target: exactly those rows
    // change.
    std::size_t start = copied.find("\r\n9\t1\t") + 2;
    std::string row = copied.substr(start, copied.find("\r\n", start) + 2 - start);
    std::vector<std::string> cells;
    for (std::size_t at = 0, tab; (tab = row.find_first_of("\t\r", at)) != std::string::npos;
         at = tab + 1) {
        cells.push_back(row.substr(at, tab - at));
    }
    ASSERT_EQ(12u, cells.size());
    cells[5] = "味方";
    cells[7] = "42";
    std::string changed;
    for (const std::string& cell : cells) {
        changed += cell + (&cell == &cells.back() ? "\r\n" : "\t");
    }
    ASSERT_NO_FATAL_FAILURE(setClipboard(changed, true));
    editor.focus(IDC_SPELL_LIST);
    editor.press({VK_CONTROL, 'V'});
    const int pasted = rowOf(9, 1);
    EXPECT_EQ(42, document->entryAt(pasted)->getRange());
    EXPECT_EQ(1, document->entryAt(pasted)->getTarget());
    EXPECT_EQ("味方", editor.cell(IDC_SPELL_LIST, pasted, 5));
    int differing = 0;
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        differing += document->entryAt(i)->hasChanged() ? 1 : 0;
    }
    EXPECT_EQ(2, differing); // spell 9's one level, and spell 3's name typed above

    // Ctrl+Z undoes the paste as one step.
    editor.focus(IDC_SPELL_LIST);
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(before, tableState(document));

    // In an edit box Ctrl+C copies the box's own text.
    editor.focus(IDC_NAME);
    SendMessageA(editor.controlHandle(IDC_NAME), EM_SETSEL, 0, -1);
    editor.press({VK_CONTROL, 'C'});
    EXPECT_EQ(editor.control(IDC_NAME)->getText(), clipboardText(CF_TEXT));
    EXPECT_EQ(before, tableState(document));
    EXPECT_EQ(0, answers.unexpected);
}
