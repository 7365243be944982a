// File operations through the real window: open, new, save, save as, reload and
// exit, with their questions, the document flags, the title and the bytes on disk.
#include "app/data/RZSpellFields.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using RZSpellFields::listColumnOf;

using namespace editortest;

namespace {

const std::uint32_t OPENED = RZEditData::FLAG_OPENED;
const std::uint32_t NEW = RZEditData::FLAG_NEW;
const std::uint32_t STOCK = RZEditData::FLAG_STOCK_SOUND;

const char* const CHANGED = "現在のデータは更新されています。保存しますか？";

// The save question's text for the tables in a folder.
std::string saveText(const std::string& folder, const char* tail) {
    return "MagicTableファイル ->\r\n    " + folder +
           "\\MagicTable\r\nSoundFileNameファイル ->\r\n    " + folder + "\\SoundFileName" + tail;
}

// A chooser of where a table is saved: owned by the main window, which takes
// no input meanwhile, titled for saving and offering the table's usual name.
void expectSaveChooser(const Seen& s, HWND main) {
    EXPECT_TRUE(s.fileDialog);
    EXPECT_EQ(s.caption, "名前を付けて保存");
    EXPECT_EQ(s.fileName, "MagicTable");
    EXPECT_EQ(s.owner, main);
    EXPECT_FALSE(s.ownerEnabled);
}

class FileOperationsTest : public ::testing::Test {
  protected:
    void useGame(const std::string& root) {
        game = root;
        ASSERT_TRUE(setGameDirectory(root));
    }
    void SetUp() override { useGame(sharedGame()); }
    std::string game;
};

} // namespace

TEST_F(FileOperationsTest, OpeningADataSetShowsItsTableAndFirstRow) {
    Editor editor;
    testsupport::LogTail log;
    int id = editor.dataSetId("SetA");
    ASSERT_GT(id, IDM_DATA_SET_SEPARATOR);
    editor.command(id);
    RZEditData* document = editor.document();
    EXPECT_EQ(document->count(), 81u);
    EXPECT_EQ(document->flags(), OPENED);
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 81);
    EXPECT_EQ(editor.selectedRow(), 0);
    EXPECT_EQ(document->shownEntry(), document->entryAt(0));
    EXPECT_EQ(editor.title(), game + "\\SetA\\Data\\MagicTable - RZEdit");
    EXPECT_EQ(editor.control(IDC_NAME)->getText(), "呪文00-1");
    EXPECT_EQ(editor.control(IDC_LEVEL)->getText(), "1");
    EXPECT_EQ(editor.control(IDC_ELEMENT)->getText(), "火");
    EXPECT_EQ(editor.control(IDC_RANK)->getText(), "D");
    EXPECT_EQ(editor.control(IDC_SOUND)->getText(), "asnd00");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::KEY_ROW)), "1");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_NAME)), "呪文00-1");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::KEY_LEVEL)), "Lv1");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 80, listColumnOf(RZSpellFields::KEY_ROW)), "81");
    // Fire, rank D: every character with fire aptitude of D or better.
    ASSERT_EQ(editor.rowCount(IDC_CHARACTERS), 3);
    EXPECT_EQ(editor.cell(IDC_CHARACTERS, 0, 0), "アリス");
    EXPECT_EQ(editor.cell(IDC_CHARACTERS, 0, 1), "S");
    EXPECT_EQ(editor.cell(IDC_CHARACTERS, 2, 1), "D");
    EXPECT_TRUE(log.contains("RZOP0002 開始"));
    EXPECT_TRUE(log.contains("RZOP0002 終了"));
}

// A data set whose folder name ends in 犾 (0xFB 0x5C, its last byte that of a
// backslash) is listed and opens from the File menu.
TEST_F(FileOperationsTest, ADataSetNamedWithBackslashByteKanjiOpens) {
    useGame(freshGame());
    const std::string set = game + "\\魔法纊犾";
    ASSERT_TRUE(CreateDirectoryA(set.c_str(), nullptr));
    ASSERT_TRUE(testsupport::writeFile(set + "\\Config", "config"));
    ASSERT_TRUE(testsupport::copyTree(game + "\\SetA\\Data", set + "\\Data"));
    Editor editor;
    const int id = editor.dataSetId("魔法纊犾");
    ASSERT_GT(id, IDM_DATA_SET_SEPARATOR);
    editor.command(id);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), set + "\\Data\\MagicTable - RZEdit");
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 81);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_NAME)), "呪文00-1");
    EXPECT_EQ(editor.control(IDC_SOUND)->getText(), "asnd00");
    EXPECT_EQ(editor.rowCount(IDC_CHARACTERS), 3);
}

TEST_F(FileOperationsTest, ADataSetWithoutSoundListUsesTheStockOne) {
    Editor editor;
    editor.command(editor.dataSetId("SetB"));
    EXPECT_EQ(editor.document()->flags(), OPENED | STOCK);
    EXPECT_EQ(editor.control(IDC_SOUND)->getText(), "snd00");
    EXPECT_EQ(editor.document()->soundPath().fullPath(), game + "\\Default\\Data\\SoundFileName");
}

TEST_F(FileOperationsTest, AMissingTableIsOfferedAndBuiltOnlyWhenAccepted) {
    Editor editor;
    Answerer answers;
    answers.push(IDCANCEL);
    int id = editor.dataSetId("Empty");
    editor.command(id);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "開く", "MagicTableがありません。作成しますか？", MB_OKCANCEL,
              IDI_EXCLAMATION);
    EXPECT_EQ(editor.title(), "RZEdit 1.02");
    EXPECT_EQ(editor.document()->flags(), 0u);
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 0);

    answers.push(IDOK);
    editor.command(id);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 81);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_NAME)), "ファイア");
    EXPECT_EQ(editor.title(), game + "\\Empty\\Data\\MagicTable - RZEdit");
    EXPECT_FALSE(testsupport::fileExists(game + "\\Empty\\Data\\MagicTable"));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, CommandsWithoutADirectoryChangeNothing) {
    Editor editor;
    Answerer answers;
    editor.command(IDM_DATA_SET_SEPARATOR);
    editor.command(IDM_FILE_SEPARATOR_1);
    editor.command(IDM_FIRST_DATA_SET + 98); // past the data sets: no item has it
    EXPECT_EQ(editor.title(), "RZEdit 1.02");
    EXPECT_EQ(editor.document()->flags(), 0u);
    EXPECT_TRUE(answers.seen.empty());
    EXPECT_FALSE(RZOP0002(nullptr, IDM_FIRST_DATA_SET));
}

TEST_F(FileOperationsTest, ExitAsksOnlyWhenChangedAndCancelKeepsTheWindow) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    std::string table = game + "\\SetA\\Data\\MagicTable";
    std::string before = testsupport::readFile(table);
    {
        Editor editor;
        Answerer answers;
        editor.command(editor.dataSetId("SetA"));
        editor.type(IDC_NAME, "変更した名前");
        ASSERT_TRUE(editor.document()->hasChanged());
        answers.push(IDCANCEL);
        editor.command(IDM_EXIT);
        ASSERT_EQ(answers.seen.size(), 1u);
        expectBox(answers.seen[0], "プログラムの終了", CHANGED, MB_YESNOCANCEL, IDI_EXCLAMATION);
        EXPECT_TRUE(editor.alive());
        // The close box goes the same way.
        answers.push(IDCANCEL);
        SendMessageA(editor.hwnd, WM_CLOSE, 0, 0);
        pump(20);
        EXPECT_EQ(answers.seen.size(), 2u);
        EXPECT_TRUE(editor.alive());
        EXPECT_EQ(editor.document()->entryAt(0)->getName(), "変更した名前");
        // No: the window goes and nothing is written.
        answers.push(IDNO);
        editor.command(IDM_EXIT);
        EXPECT_FALSE(editor.alive());
        EXPECT_EQ(answers.unexpected, 0);
    }
    EXPECT_EQ(testsupport::readFile(table), before);
    {
        Editor editor;
        Answerer answers;
        editor.command(IDM_EXIT); // nothing loaded, nothing changed: no question
        EXPECT_FALSE(editor.alive());
        EXPECT_TRUE(answers.seen.empty());
    }
}

TEST_F(FileOperationsTest, ExitWithYesSavesFirst) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    editor.type(IDC_COST, "99");
    answers.push(IDYES);
    editor.command(IDM_EXIT);
    EXPECT_FALSE(editor.alive());
    std::vector<SpellLine> lines = spellLines(1);
    lines[0].numbers[0] = 99;
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\MagicTable"),
              magicTableText(asWritten(lines)));
}

TEST_F(FileOperationsTest, SavedFilesMatchTheFormatByteForByte) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    std::vector<SpellLine> lines = spellLines(1);
    std::vector<std::string> sounds = soundNames("a");

    editor.selectRow(rowOf(0, 1));
    editor.type(IDC_NAME, "ほのお");
    editor.type(IDC_COST, "7");
    lines[0].name = "ほのお";
    lines[0].numbers[0] = 7;
    editor.selectRow(rowOf(0, 3));
    editor.type(IDC_COST, "1x2"); // the program's own number reader: 12
    editor.type(IDC_RANGE, "3");
    lines[0].numbers[8] = 12;
    lines[0].numbers[9] = 3;
    editor.selectRow(rowOf(1, 1));
    editor.pickTarget("敵");
    lines[1].target = 2;
    editor.selectRow(rowOf(33, 3));
    editor.pickTarget("地形");
    editor.type(IDC_EFFICIENCY, "");
    editor.type(IDC_DESCRIPTION, "光の説明");
    editor.type(IDC_SOUND, "heal");
    lines[33].target = 0;
    lines[33].numbers[11] = 0;
    lines[33].description = "光の説明";
    sounds[33] = "heal";
    editor.selectRow(rowOf(47, 1));
    editor.type(IDC_AREA, "2");
    lines[47].numbers[2] = 2;
    ASSERT_TRUE(editor.document()->hasChanged());

    editor.command(IDM_SAVE);
    EXPECT_TRUE(answers.seen.empty());
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\MagicTable"),
              magicTableText(asWritten(lines)));
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\SoundFileName"), soundFileText(sounds));
    // Read back: nothing counts as changed, the list shows the saved state.
    EXPECT_FALSE(editor.document()->hasChanged());
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(1, 1), listColumnOf(RZSpellFields::FIELD_TARGET)),
              "敵");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(0, 2), listColumnOf(RZSpellFields::FIELD_NAME)),
              "ほのお");
    EXPECT_EQ(editor.title(), game + "\\SetA\\Data\\MagicTable - RZEdit");
}

TEST_F(FileOperationsTest, SaveAsAsksForAPlaceAndConfirms) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    std::string out = testsupport::makeScratchDir("saveas");
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    editor.type(IDC_NAME, "別名");

    answers.push(IDCANCEL); // the chooser
    editor.command(IDM_SAVE_AS);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectSaveChooser(answers.seen[0], editor.hwnd);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), game + "\\SetA\\Data\\MagicTable - RZEdit");

    // A place named SoundFileName: the table goes beside it as MagicTable.
    answers.push(IDOK, out + "\\SoundFileName");
    answers.push(IDCANCEL);
    editor.command(IDM_SAVE_AS);
    ASSERT_EQ(answers.seen.size(), 3u);
    expectBox(answers.seen[2], "名前をつけて保存",
              saveText(out, "\r\n以上の通りファイルを保存します。よろしいですか？"), MB_OKCANCEL,
              IDI_QUESTION);
    EXPECT_FALSE(testsupport::fileExists(out + "\\MagicTable"));
    EXPECT_FALSE(testsupport::fileExists(out + "\\SoundFileName"));
    EXPECT_TRUE(editor.document()->hasChanged());

    answers.push(IDOK, out + "\\SoundFileName");
    answers.push(IDOK);
    editor.command(IDM_SAVE_AS);
    std::vector<SpellLine> lines = spellLines(1);
    lines[0].name = "別名";
    EXPECT_EQ(testsupport::readFile(out + "\\MagicTable"), magicTableText(asWritten(lines)));
    EXPECT_EQ(testsupport::readFile(out + "\\SoundFileName"), soundFileText(soundNames("a")));
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), out + "\\MagicTable - RZEdit");
    EXPECT_FALSE(editor.document()->hasChanged());
    // The original stays as it was.
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\MagicTable"),
              magicTableText(spellLines(1)));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, ANewTableAsksForAPlaceWhenSaved) {
    std::string out = testsupport::makeScratchDir("newtable");
    Editor editor;
    Answerer answers;
    editor.command(IDM_NEW);
    EXPECT_EQ(editor.document()->flags(), NEW);
    EXPECT_EQ(editor.title(), "新規ファイル - RZEdit");
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 81);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 80, listColumnOf(RZSpellFields::FIELD_NAME)),
              "エクスプロージョン");

    // Reload of a table that has no file does nothing and asks nothing.
    editor.command(IDM_RELOAD);
    EXPECT_TRUE(answers.seen.empty());
    EXPECT_EQ(editor.document()->flags(), NEW);

    answers.push(IDCANCEL);
    editor.command(IDM_SAVE);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectSaveChooser(answers.seen[0], editor.hwnd);
    EXPECT_EQ(editor.title(), "新規ファイル - RZEdit");
    EXPECT_EQ(editor.document()->flags(), NEW);

    answers.push(IDOK, out + "\\MagicTable");
    answers.push(IDCANCEL);
    editor.command(IDM_SAVE);
    ASSERT_EQ(answers.seen.size(), 3u);
    expectBox(answers.seen[2], "新規作成ファイルの保存",
              saveText(out, "\r\n以上の通りファイルを保存します。よろしいですか？"), MB_OKCANCEL,
              IDI_QUESTION);
    EXPECT_EQ(editor.document()->flags(), NEW);
    EXPECT_FALSE(testsupport::fileExists(out + "\\MagicTable"));

    answers.push(IDOK, out + "\\MagicTable");
    answers.push(IDOK);
    editor.command(IDM_SAVE);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), out + "\\MagicTable - RZEdit");
    std::string table = testsupport::readFile(out + "\\MagicTable");
    int lineCount = 0;
    for (size_t at = table.find("\r\n"); at != std::string::npos; at = table.find("\r\n", at + 2)) {
        ++lineCount;
    }
    EXPECT_EQ(lineCount, 48);
    EXPECT_EQ(table.substr(0, 10), "ファイア  ");
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, StockSoundListIsWrittenOnlyWhenASoundChangedAndTheUserAgrees) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    std::string data = game + "\\SetB\\Data";
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetB"));
    editor.type(IDC_COST, "55");
    editor.command(IDM_SAVE);
    EXPECT_TRUE(answers.seen.empty());
    EXPECT_FALSE(testsupport::fileExists(data + "\\SoundFileName"));
    EXPECT_EQ(editor.document()->flags(), OPENED | STOCK);
    std::vector<SpellLine> lines = spellLines(2);
    lines[0].numbers[0] = 55;
    EXPECT_EQ(testsupport::readFile(data + "\\MagicTable"), magicTableText(asWritten(lines)));

    editor.type(IDC_SOUND, "newsound");
    answers.push(IDNO);
    editor.command(IDM_SAVE);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "SoundFileNameファイルの新規作成",
              saveText(data, "\r\n\r\nSoundFileNameファイルを作成しますか？\r\n"), MB_YESNOCANCEL,
              IDI_QUESTION);
    EXPECT_FALSE(testsupport::fileExists(data + "\\SoundFileName"));
    EXPECT_EQ(editor.document()->flags(), OPENED | STOCK);

    editor.type(IDC_SOUND, "newsound");
    answers.push(IDCANCEL);
    editor.command(IDM_SAVE);
    EXPECT_EQ(editor.document()->flags(), OPENED | STOCK);
    EXPECT_FALSE(testsupport::fileExists(data + "\\SoundFileName"));

    answers.push(IDYES);
    editor.command(IDM_SAVE);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    std::vector<std::string> sounds = soundNames("");
    sounds[0] = "newsound";
    EXPECT_EQ(testsupport::readFile(data + "\\SoundFileName"), soundFileText(sounds));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, ReloadAsksBeforeDiscardingAndAFailedReadClearsTheFlags) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    Editor editor;
    Answerer answers;
    // Before anything was loaded: fails quietly.
    editor.command(IDM_RELOAD);
    EXPECT_EQ(editor.title(), "RZEdit");
    EXPECT_TRUE(answers.seen.empty());

    editor.command(editor.dataSetId("SetA"));
    editor.type(IDC_NAME, "捨てる名前");
    answers.push(IDCANCEL);
    editor.command(IDM_RELOAD);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "再読込", "編集中のデータを破棄してファイルを読み込みます。",
              MB_OKCANCEL, IDI_EXCLAMATION);
    EXPECT_EQ(editor.document()->entryAt(0)->getName(), "捨てる名前");

    answers.push(IDOK);
    editor.command(IDM_RELOAD);
    EXPECT_EQ(editor.document()->entryAt(0)->getName(), "呪文00-1");
    EXPECT_EQ(editor.control(IDC_NAME)->getText(), "呪文00-1");
    EXPECT_FALSE(editor.document()->hasChanged());

    // The table vanished: the read-back fails, the flags go, the entries stay,
    // and the tools that need an open table are greyed.
    ASSERT_TRUE(testsupport::removeFile(game + "\\SetA\\Data\\MagicTable"));
    editor.command(IDM_RELOAD);
    EXPECT_EQ(editor.document()->flags(), 0u);
    EXPECT_EQ(editor.title(), "RZEdit");
    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 81);
    for (int id : {IDM_EXPORT_TSV, IDM_IMPORT_TSV, IDM_COPY_TABLE, IDM_PASTE_TABLE, IDM_TABLE_CHECK,
                   IDM_BULK_CHANGE, IDM_CHARACTER_SPELLS}) {
        EXPECT_TRUE(editor.greyed(id)) << id;
    }
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, AFailedSaveInTheQuestionKeepsTheData) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    Editor editor;
    Answerer answers;
    answers.push(IDOK);
    editor.command(editor.dataSetId("Empty")); // no Data folder: saving there fails
    editor.type(IDC_NAME, "残す名前");
    std::string title = editor.title();
    answers.push(IDYES);
    answers.push(IDOK);
    editor.command(editor.dataSetId("SetA"));
    ASSERT_EQ(answers.seen.size(), 3u);
    expectBox(answers.seen[1], "開く", CHANGED, MB_YESNOCANCEL, IDI_EXCLAMATION);
    expectBox(answers.seen[2], "開く", "ファイルの保存に失敗しました。", MB_OK, IDI_EXCLAMATION);
    EXPECT_EQ(editor.document()->entryAt(0)->getName(), "残す名前");
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    // Exiting still asks; a failed save keeps the window.
    answers.push(IDYES);
    answers.push(IDOK);
    editor.command(IDM_EXIT);
    EXPECT_TRUE(editor.alive());
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, OpenThroughTheChooser) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    Editor editor;
    Answerer answers;
    answers.push(IDCANCEL);
    editor.command(IDM_OPEN);
    ASSERT_EQ(answers.seen.size(), 1u);
    EXPECT_TRUE(answers.seen[0].fileDialog);
    EXPECT_EQ(answers.seen[0].caption, "ファイルを開く");
    EXPECT_EQ(answers.seen[0].owner, editor.hwnd);
    EXPECT_EQ(editor.document()->flags(), 0u);
    EXPECT_EQ(editor.title(), "RZEdit 1.02");

    // A table of any name; the sound list is looked for beside it.
    std::string other = testsupport::makeScratchDir("other");
    testsupport::writeFile(other + "\\spells.txt", magicTableText(spellLines(5)));
    answers.push(IDOK, other + "\\spells.txt");
    editor.command(IDM_OPEN);
    EXPECT_EQ(editor.document()->flags(), OPENED | STOCK);
    EXPECT_EQ(editor.title(), other + "\\spells.txt - RZEdit");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_NAME)), "呪文00-5");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_SOUND)), "snd00");

    answers.push(IDOK, game + "\\SetA\\Data\\MagicTable");
    editor.command(IDM_OPEN);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_SOUND)), "asnd00");
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, NewAfterChangesAsksFirst) {
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    editor.type(IDC_NAME, "x");
    answers.push(IDCANCEL);
    editor.command(IDM_NEW);
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "新規作成", CHANGED, MB_YESNOCANCEL, IDI_EXCLAMATION);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    answers.push(IDNO);
    editor.command(IDM_NEW);
    EXPECT_EQ(editor.document()->flags(), NEW);
    EXPECT_EQ(editor.title(), "新規ファイル - RZEdit");
    EXPECT_EQ(saveHasEdited(nullptr, nullptr, "x"), IDCANCEL);
}

TEST_F(FileOperationsTest, LeavingAChangedNewTableAsksForAPlaceFirst) {
    std::string out = testsupport::makeScratchDir("leave-new");
    Editor editor;
    Answerer answers;
    editor.command(IDM_NEW);
    editor.type(IDC_NAME, "最初の呪文");
    // Yes, then cancel the chooser: the window stays and nothing is written.
    answers.push(IDYES);
    answers.push(IDCANCEL);
    editor.command(IDM_EXIT);
    ASSERT_EQ(answers.seen.size(), 2u);
    expectSaveChooser(answers.seen[1], editor.hwnd);
    EXPECT_TRUE(editor.alive());
    EXPECT_EQ(editor.document()->flags(), NEW);
    // Yes, a place, then cancel the confirmation.
    answers.push(IDYES);
    answers.push(IDOK, out + "\\MagicTable");
    answers.push(IDCANCEL);
    editor.command(IDM_EXIT);
    ASSERT_EQ(answers.seen.size(), 5u);
    expectBox(answers.seen[4], "プログラムの終了",
              saveText(out, "\r\n\r\n以上の通りファイルを保存します。"), MB_OKCANCEL, IDI_QUESTION);
    EXPECT_TRUE(editor.alive());
    EXPECT_FALSE(testsupport::fileExists(out + "\\MagicTable"));
    // Yes, a place, OK: both files written, then the window goes.
    answers.push(IDYES);
    answers.push(IDOK, out + "\\MagicTable");
    answers.push(IDOK);
    editor.command(IDM_EXIT);
    EXPECT_FALSE(editor.alive());
    EXPECT_EQ(testsupport::readFile(out + "\\MagicTable").substr(0, 10), "最初の呪文");
    EXPECT_TRUE(testsupport::fileExists(out + "\\SoundFileName"));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, LeavingAStockSoundTableOffersTheSoundList) {
    ASSERT_NO_FATAL_FAILURE(useGame(freshGame()));
    std::string data = game + "\\SetB\\Data";
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetB"));
    editor.type(IDC_SOUND, "changed");
    answers.push(IDYES);
    answers.push(IDNO);
    editor.command(editor.dataSetId("SetA"));
    ASSERT_EQ(answers.seen.size(), 2u);
    expectBox(answers.seen[1], "開く",
              saveText(data, "\r\n\r\nSoundFileNameファイルを作成しますか？\r\n"), MB_YESNOCANCEL,
              IDI_QUESTION);
    // No: only the table was written; then SetA was opened.
    EXPECT_FALSE(testsupport::fileExists(data + "\\SoundFileName"));
    EXPECT_EQ(testsupport::readFile(data + "\\MagicTable"),
              magicTableText(asWritten(spellLines(2))));
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_SOUND)), "asnd00");
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(FileOperationsTest, AcceleratorsReachTheirCommandsAsRealKeys) {
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    SetForegroundWindow(editor.hwnd);
    SetFocus(editor.controlHandle(IDC_SPELL_LIST));
    auto keys = [&](std::initializer_list<WORD> down) { editor.press(down); };
    keys({VK_CONTROL, VK_END});
    EXPECT_EQ(editor.selectedRow(), 80);
    keys({VK_CONTROL, VK_PRIOR});
    EXPECT_EQ(editor.selectedRow(), 79);
    keys({VK_CONTROL, VK_HOME});
    EXPECT_EQ(editor.selectedRow(), 0);
    keys({VK_CONTROL, VK_NEXT});
    EXPECT_EQ(editor.selectedRow(), 1);
    keys({VK_CONTROL, 'N'});
    EXPECT_EQ(editor.title(), "新規ファイル - RZEdit");
}
