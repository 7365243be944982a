// Saves that fail, through the real window: a read-only table, a directory in
// the way, a folder that went away after opening, a sound list that cannot be
// put in place after the table was written, and a disk that fills up. In every
// case the files on disk stay as they were to the byte, the user hears of it
// where the editor tells them, and the document keeps every edit. Throughout
// saves, failing or not, the table's name holds a whole table.
#include "app/data/RZSpellFields.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "support/HFileReplacement.h"
#include "support/HFileWriter.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HComponent.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using RZSpellFields::listColumnOf;

using namespace editortest;

namespace {

const std::uint32_t OPENED = RZEditData::FLAG_OPENED;

const char* const FAILED = "ファイルの保存に失敗しました。";

std::string note(const char* source, int line, const std::string& text) {
    char prefix[32];
    snprintf(prefix, sizeof(prefix), "%-20s:%04d ", source, line);
    return prefix + std::string("情報：") + text;
}

// Every file and folder below dir, by relative path, with the files' bytes.
using Snapshot = std::map<std::string, std::string>;

void collect(const std::string& dir, const std::string& relative, Snapshot& out) {
    for (const WIN32_FIND_DATAA& entry : testsupport::listFolder(dir)) {
        const std::string name = entry.cFileName;
        if (testsupport::isFolder(entry)) {
            out[relative + name + "\\"] = "<folder>";
            collect(dir + "\\" + name, relative + name + "\\", out);
        } else {
            out[relative + name] = testsupport::readFile(dir + "\\" + name);
        }
    }
}

Snapshot snapshot(const std::string& dir) {
    Snapshot out;
    collect(dir, "", out);
    return out;
}

// What differs between two snapshots, one line per path; empty when nothing.
std::string differences(const Snapshot& before, const Snapshot& after) {
    std::string report;
    for (const auto& entry : before) {
        auto now = after.find(entry.first);
        if (now == after.end()) {
            report += "gone: " + entry.first + "\n";
        } else if (now->second != entry.second) {
            report += "changed: " + entry.first + "\n";
        }
    }
    for (const auto& entry : after) {
        if (before.find(entry.first) == before.end()) {
            report += "new: " + entry.first + "\n";
        }
    }
    return report;
}

// After the save that finally succeeds: nothing is left over beside the
// tables, and the one backup folder holds the two files it replaced, as they
// were before.
void expectOnlyBackupAdded(const Snapshot& before, const Snapshot& after,
                           const std::string& tables = "Data\\") {
    const std::string backups = tables + "Backup\\";
    Snapshot rest;
    std::vector<std::string> kept;
    for (const auto& entry : after) {
        if (entry.first.compare(0, backups.size(), backups) != 0) {
            rest.insert(entry);
        } else if (entry.second != "<folder>") {
            kept.push_back(entry.second);
        }
    }
    EXPECT_EQ(rest.size(), before.size());
    EXPECT_EQ(after.size(), before.size() + 4); // Backup, its folder and two files
    const std::vector<std::string> replaced{before.at(tables + "MagicTable"),
                                            before.at(tables + "SoundFileName")};
    EXPECT_EQ(kept, replaced);
}

void expectFailureBox(const Seen& s, const std::string& caption) {
    expectBox(s, caption, FAILED, MB_OK, IDI_EXCLAMATION);
}

// The tables as the user changed them through the form.
struct Edits {
    std::vector<SpellLine> lines;
    std::vector<std::string> sounds;
};

const char* const KEPT_NAME = "残す名前";
const char* const KEPT_DESCRIPTION = "書き換えた説明";

// Runs Save and expects it logged as failed by the operation, and by the loader
// when a loader line is given, and the user told once. The box is answered and
// taken off the list, so the boxes counted after it are the questions' own.
void expectSaveLoggedAsFailed(Editor& editor, Answerer& answers, int loaderLine = 0,
                              const char* loaderText = "") {
    testsupport::LogTail log;
    const std::size_t first = answers.seen.size();
    answers.push(IDOK);
    editor.command(IDM_SAVE);
    if (loaderLine != 0) {
        EXPECT_TRUE(log.contains(note("RZMagicLoader", loaderLine, loaderText)));
    }
    EXPECT_TRUE(log.contains(note("RZOperations", 1650, "RZOP0016:save error")));
    ASSERT_EQ(answers.seen.size(), first + 1);
    expectFailureBox(answers.seen.back(), "上書き保存");
    answers.seen.pop_back();
}

// Exit, Yes to saving first: the save fails, the user is told, and the program
// stays.
void expectExitSaveFails(Editor& editor, Answerer& answers) {
    const std::size_t first = answers.seen.size();
    answers.push(IDYES);
    answers.push(IDOK);
    editor.command(IDM_EXIT);
    ASSERT_EQ(answers.seen.size(), first + 2);
    expectFailureBox(answers.seen[first + 1], "プログラムの終了");
    EXPECT_TRUE(editor.alive());
}

// Changes a name, numbers of two levels, a target, a description and a sound,
// then moves on so that the list rows are rewritten.
Edits editRows(Editor& editor, std::vector<SpellLine> lines, std::vector<std::string> sounds) {
    editor.selectRow(rowOf(0, 1));
    editor.type(IDC_NAME, KEPT_NAME);
    editor.type(IDC_COST, "77");
    lines[0].name = KEPT_NAME;
    lines[0].numbers[0] = 77;
    editor.selectRow(rowOf(8, 3));
    editor.type(IDC_RANGE, "9");
    lines[8].numbers[9] = 9;
    editor.selectRow(rowOf(1, 1));
    editor.pickTarget("敵");
    lines[1].target = 2;
    editor.selectRow(rowOf(33, 1));
    editor.type(IDC_DESCRIPTION, KEPT_DESCRIPTION);
    editor.type(IDC_SOUND, "keptsnd");
    lines[33].description = KEPT_DESCRIPTION;
    sounds[33] = "keptsnd";
    editor.selectRow(rowOf(47, 1));
    return {lines, sounds};
}

// The document, the list and the form still hold every edit.
void expectEditsKept(Editor& editor) {
    RZEditData* document = editor.document();
    ASSERT_EQ(document->count(), 81u);
    EXPECT_TRUE(document->hasChanged());
    EXPECT_EQ(document->entryAt(rowOf(0, 1))->getName(), KEPT_NAME);
    EXPECT_EQ(document->entryAt(rowOf(0, 1))->getCost(), 77);
    EXPECT_EQ(document->entryAt(rowOf(8, 3))->getRange(), 9);
    EXPECT_EQ(document->entryAt(rowOf(1, 1))->getTarget(), 2);
    EXPECT_EQ(document->entryAt(rowOf(33, 1))->getDescription(), KEPT_DESCRIPTION);
    EXPECT_EQ(document->entryAt(rowOf(33, 1))->getSound(), "keptsnd");

    EXPECT_EQ(editor.rowCount(IDC_SPELL_LIST), 81);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(0, 1), listColumnOf(RZSpellFields::FIELD_NAME)),
              KEPT_NAME);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(0, 1), listColumnOf(RZSpellFields::FIELD_COST)),
              "77");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(8, 3), listColumnOf(RZSpellFields::FIELD_RANGE)),
              "9");
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(1, 1), listColumnOf(RZSpellFields::FIELD_TARGET)),
              "敵");
    EXPECT_EQ(
        editor.cell(IDC_SPELL_LIST, rowOf(33, 1), listColumnOf(RZSpellFields::FIELD_DESCRIPTION)),
        KEPT_DESCRIPTION);
    EXPECT_EQ(editor.cell(IDC_SPELL_LIST, rowOf(33, 1), listColumnOf(RZSpellFields::FIELD_SOUND)),
              "keptsnd");

    editor.selectRow(rowOf(0, 1));
    EXPECT_EQ(editor.control(IDC_NAME)->getText(), KEPT_NAME);
    EXPECT_EQ(editor.control(IDC_COST)->getText(), "77");
    editor.selectRow(rowOf(33, 1));
    EXPECT_EQ(editor.control(IDC_DESCRIPTION)->getText(), KEPT_DESCRIPTION);
    EXPECT_EQ(editor.control(IDC_SOUND)->getText(), "keptsnd");
    EXPECT_TRUE(document->hasChanged());
}

void expectWritten(const std::string& dir, const Edits& edits) {
    EXPECT_EQ(testsupport::readFile(dir + "\\MagicTable"), magicTableText(asWritten(edits.lines)));
    EXPECT_EQ(testsupport::readFile(dir + "\\SoundFileName"), soundFileText(edits.sounds));
}

using testsupport::removeTree;

void copyFile(const std::string& from, const std::string& to) {
    ASSERT_TRUE(testsupport::writeFile(to, testsupport::readFile(from)));
}

// The disk the test writer pretends is nearly full, lifted again however the
// test ends.
struct SpaceLimit {
    explicit SpaceLimit(std::int64_t bytes) { HFileWriter::setSpaceLeftForTests(bytes); }
    ~SpaceLimit() { HFileWriter::setSpaceLeftForTests(-1); }
};

// holdfile.exe holding a file open without sharing, as another program would.
class HeldFile {
  public:
    explicit HeldFile(const std::string& path) : signal(path + ".held") {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        std::string command =
            "\"" + testsupport::programDirectory() + "\\holdfile.exe\" \"" + path + "\" 8000";
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return;
        }
        for (int i = 0; i < 400 && !testsupport::fileExists(signal); ++i) {
            Sleep(25);
        }
        holding = testsupport::fileExists(signal);
    }
    ~HeldFile() { release(); }
    void release() {
        if (process.hProcess) {
            // Only our own holder, by its handle, when it has not let go yet.
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 0);
            }
            WaitForSingleObject(process.hProcess, 10000);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            process = {};
        }
        testsupport::removeFile(signal);
    }
    bool holding = false;

  private:
    std::string signal;
    PROCESS_INFORMATION process = {};
};

class SaveFailureTest : public FreshGameTest {
  protected:
    // Opens the data set SetA through the File menu and edits it.
    Edits openAndEdit(Editor& editor) {
        editor.command(editor.dataSetId("SetA"));
        EXPECT_EQ(editor.document()->flags(), OPENED);
        return editRows(editor, spellLines(1), soundNames("a"));
    }
};

} // namespace

TEST_F(SaveFailureTest, ReadOnlyOrHeldTableIsLeftAloneAndTheEditsStay) {
    Editor editor;
    Answerer answers;
    Edits edits = openAndEdit(editor);
    const std::string title = editor.title();
    ASSERT_TRUE(SetFileAttributesA((data + "\\MagicTable").c_str(), FILE_ATTRIBUTE_READONLY));
    const Snapshot before = snapshot(game + "\\SetA");

    // Save: only logged; the flags and the title stay.
    expectSaveLoggedAsFailed(editor, answers, 165, "save:error fileopen");
    EXPECT_TRUE(answers.seen.empty());
    EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), title);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // The save inside the exit question: the user is told and the program stays.
    ASSERT_NO_FATAL_FAILURE(expectExitSaveFails(editor, answers));
    EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
    EXPECT_EQ(editor.document()->flags(), OPENED);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // Writable again but held open by another program: the same.
    ASSERT_TRUE(SetFileAttributesA((data + "\\MagicTable").c_str(), FILE_ATTRIBUTE_NORMAL));
    {
        HeldFile held(data + "\\MagicTable");
        ASSERT_TRUE(held.holding);
        expectSaveLoggedAsFailed(editor, answers, 165, "save:error fileopen");
        held.release(); // also takes away its signal file
        EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
        ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    }

    // Once the file may be written again, the same edits reach it.
    editor.command(IDM_SAVE);
    expectWritten(data, edits);
    EXPECT_FALSE(editor.document()->hasChanged());
    expectOnlyBackupAdded(before, snapshot(game + "\\SetA"));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(SaveFailureTest, DirectoryInTheWayIsLeftAloneAndTheEditsStay) {
    Editor editor;
    Answerer answers;
    Edits edits = openAndEdit(editor);
    const std::string title = editor.title();

    // The table's own name now names a folder (with a file in it).
    ASSERT_TRUE(testsupport::removeFile(data + "\\MagicTable"));
    ASSERT_TRUE(CreateDirectoryA((data + "\\MagicTable").c_str(), nullptr));
    ASSERT_TRUE(testsupport::writeFile(data + "\\MagicTable\\inside", "keep me"));
    const Snapshot before = snapshot(game + "\\SetA");

    expectSaveLoggedAsFailed(editor, answers);
    EXPECT_TRUE(answers.seen.empty());
    EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
    EXPECT_EQ(editor.title(), title);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // New asks to save first; that fails, so the edited table stays open.
    answers.push(IDYES);
    answers.push(IDOK);
    editor.command(IDM_NEW);
    ASSERT_EQ(answers.seen.size(), 2u);
    expectFailureBox(answers.seen[1], "新規作成");
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // Save as to a place where the sound list's name is taken by a folder (the
    // chooser itself never returns a folder for the table): nothing appears
    // there, not even the table.
    std::string out = testsupport::makeScratchDir("dir-sound");
    ASSERT_TRUE(CreateDirectoryA((out + "\\SoundFileName").c_str(), nullptr));
    ASSERT_TRUE(testsupport::writeFile(out + "\\SoundFileName\\inside", "keep me too"));
    const Snapshot there = snapshot(out);
    testsupport::LogTail saveAsLog;
    answers.push(IDOK, out + "\\MagicTable");
    answers.push(IDOK);
    answers.push(IDOK);
    editor.command(IDM_SAVE_AS);
    ASSERT_EQ(answers.seen.size(), 5u);
    expectFailureBox(answers.seen[4], "名前をつけて保存");
    EXPECT_TRUE(saveAsLog.contains(note("RZMagicLoader", 214, "save:error fileopen(2)")));
    EXPECT_TRUE(saveAsLog.contains(note("RZOperations", 1530, "RZOP0015:save error")));
    EXPECT_EQ(differences(there, snapshot(out)), "");
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(editor.document()->tablePath().fullPath(), data + "\\MagicTable");
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // A good place takes the edits.
    std::string good = testsupport::makeScratchDir("good");
    answers.push(IDOK, good + "\\MagicTable");
    answers.push(IDOK);
    editor.command(IDM_SAVE_AS);
    expectWritten(good, edits);
    EXPECT_EQ(editor.title(), good + "\\MagicTable - RZEdit");
    EXPECT_FALSE(editor.document()->hasChanged());
    EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(SaveFailureTest, NewTableThatCannotBeWrittenStaysNew) {
    // A place whose sound list may not be replaced: the table is not made either.
    std::string out = testsupport::makeScratchDir("new-blocked");
    ASSERT_TRUE(testsupport::writeFile(out + "\\SoundFileName", "old\r\nEnd"));
    ASSERT_TRUE(SetFileAttributesA((out + "\\SoundFileName").c_str(), FILE_ATTRIBUTE_READONLY));
    const Snapshot before = snapshot(out);
    std::string good = testsupport::makeScratchDir("new-good");

    Editor editor;
    Answerer answers;
    editor.command(IDM_NEW);
    editor.type(IDC_NAME, "最初の呪文");
    editor.selectRow(1);
    auto expectStillNew = [&]() {
        RZEditData* document = editor.document();
        EXPECT_EQ(document->flags(), RZEditData::FLAG_NEW);
        EXPECT_EQ(editor.title(), "新規ファイル - RZEdit");
        EXPECT_TRUE(document->tablePath().fullPath().empty());
        EXPECT_TRUE(document->hasChanged());
        EXPECT_EQ(document->entryAt(0)->getName(), "最初の呪文");
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_NAME)),
                  "最初の呪文");
    };

    testsupport::LogTail log;
    answers.push(IDOK, out + "\\MagicTable");
    answers.push(IDOK);
    answers.push(IDOK);
    editor.command(IDM_SAVE);
    ASSERT_EQ(answers.seen.size(), 3u);
    EXPECT_TRUE(answers.seen[0].fileDialog);
    EXPECT_EQ(answers.seen[1].caption, "新規作成ファイルの保存");
    expectFailureBox(answers.seen[2], "上書き保存");
    EXPECT_TRUE(log.contains(note("RZMagicLoader", 214, "save:error fileopen(2)")));
    EXPECT_TRUE(log.contains(note("RZOperations", 1650, "RZOP0016:save error")));
    EXPECT_EQ(differences(before, snapshot(out)), "");
    expectStillNew();

    {
        // The disk fills up during the save inside the exit question.
        SpaceLimit limit(500);
        answers.push(IDYES);
        answers.push(IDOK, good + "\\MagicTable");
        answers.push(IDOK);
        answers.push(IDOK);
        editor.command(IDM_EXIT);
        ASSERT_EQ(answers.seen.size(), 7u);
        expectFailureBox(answers.seen[6], "プログラムの終了");
        EXPECT_TRUE(editor.alive());
        EXPECT_TRUE(snapshot(good).empty());
        expectStillNew();
    }

    answers.push(IDOK, good + "\\MagicTable");
    answers.push(IDOK);
    editor.command(IDM_SAVE);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), good + "\\MagicTable - RZEdit");
    EXPECT_EQ(testsupport::readFile(good + "\\MagicTable").substr(0, 10), "最初の呪文");
    EXPECT_TRUE(testsupport::fileExists(good + "\\SoundFileName"));
    EXPECT_EQ(differences(before, snapshot(out)), "");
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(SaveFailureTest, FolderRemovedAfterOpeningIsNotMadeAgainAndTheEditsStay) {
    std::string place = testsupport::makeScratchDir("vanishing");
    std::string folder = place + "\\Data";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(copyFile(data + "\\MagicTable", folder + "\\MagicTable"));
    ASSERT_NO_FATAL_FAILURE(copyFile(data + "\\SoundFileName", folder + "\\SoundFileName"));
    Editor editor;
    Answerer answers;
    answers.push(IDOK, folder + "\\MagicTable");
    editor.command(IDM_OPEN);
    ASSERT_EQ(editor.document()->flags(), OPENED);
    Edits edits = editRows(editor, spellLines(1), soundNames("a"));
    const std::string title = editor.title();
    ASSERT_TRUE(removeTree(folder));
    ASSERT_FALSE(testsupport::fileExists(folder));

    expectSaveLoggedAsFailed(editor, answers, 165, "save:error fileopen");
    EXPECT_EQ(answers.seen.size(), 1u);
    EXPECT_TRUE(snapshot(place).empty());
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // Opening something else asks to save first; the failed save keeps the
    // edited table open, whether a data set or the chooser was used.
    const Snapshot set = snapshot(game + "\\SetA");
    answers.push(IDYES);
    answers.push(IDOK);
    editor.command(editor.dataSetId("SetA"));
    answers.push(IDYES);
    answers.push(IDOK);
    editor.command(IDM_OPEN);
    ASSERT_EQ(answers.seen.size(), 5u);
    expectFailureBox(answers.seen[2], "開く");
    expectFailureBox(answers.seen[4], "開く"); // and no chooser after it
    EXPECT_TRUE(snapshot(place).empty());
    EXPECT_EQ(differences(set, snapshot(game + "\\SetA")), "");
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // Saved under a new name, the edits are all there.
    std::string good = testsupport::makeScratchDir("good");
    answers.push(IDOK, good + "\\MagicTable");
    answers.push(IDOK);
    editor.command(IDM_SAVE_AS);
    expectWritten(good, edits);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    EXPECT_EQ(editor.title(), good + "\\MagicTable - RZEdit");
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(SaveFailureTest, SoundListThatCannotBeReplacedKeepsTheTableAsItWas) {
    Editor editor;
    Answerer answers;
    Edits edits = openAndEdit(editor);
    const std::string title = editor.title();

    // Read-only: found out before anything is replaced.
    ASSERT_TRUE(SetFileAttributesA((data + "\\SoundFileName").c_str(), FILE_ATTRIBUTE_READONLY));
    Snapshot before = snapshot(game + "\\SetA");
    expectSaveLoggedAsFailed(editor, answers, 214, "save:error fileopen(2)");
    EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
    EXPECT_EQ(editor.title(), title);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    ASSERT_NO_FATAL_FAILURE(expectExitSaveFails(editor, answers));
    EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    ASSERT_TRUE(SetFileAttributesA((data + "\\SoundFileName").c_str(), FILE_ATTRIBUTE_NORMAL));

    // Held open by another program: only found out when the new table is
    // already in place, which must then be taken back.
    before = snapshot(game + "\\SetA");
    {
        HeldFile held(data + "\\SoundFileName");
        ASSERT_TRUE(held.holding);
        expectSaveLoggedAsFailed(editor, answers, 214, "save:error fileopen(2)");
        held.release(); // also takes away its signal file
        EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
        EXPECT_EQ(editor.title(), title);
        EXPECT_EQ(editor.document()->flags(), OPENED);
        ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    }
    EXPECT_EQ(answers.seen.size(), 2u);

    editor.command(IDM_SAVE);
    expectWritten(data, edits);
    EXPECT_FALSE(editor.document()->hasChanged());
    expectOnlyBackupAdded(before, snapshot(game + "\\SetA"));
    EXPECT_EQ(answers.unexpected, 0);
}

namespace {

// A step of replacing a file failing from its nth call on, as a file system or
// another program would make it; every step works again however the test ends.
struct FailingStep {
    FailingStep(HFileReplacement::Step step, int nth) { HFileReplacement::failForTests(step, nth); }
    ~FailingStep() { HFileReplacement::failForTests(HFileReplacement::Step::NONE, 1); }
};

} // namespace

// Each step of putting the new files in place failing after both were written:
// no second name for the old table (neither in the backup folder nor beside
// it), the table not moved into place, the sound list not following the table
// (the old table goes back). Where the file system has no second names, the
// backup holds copies.
TEST_F(SaveFailureTest, AFailingStepOfReplacingTheFilesLosesNothing) {
    using Step = HFileReplacement::Step;
    struct Row {
        const char* what;
        Step step;
        int nth;
    };
    const Row rows[] = {
        {"no second name for the old table", Step::SECOND_NAME, 1},
        {"the table not moved into place", Step::MOVE, 1},
        {"the sound list not following the table", Step::MOVE, 2},
    };
    Editor editor;
    Answerer answers;
    Edits edits = openAndEdit(editor);
    const std::string title = editor.title();
    const Snapshot before = snapshot(game + "\\SetA");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FailingStep failing(row.step, row.nth);
        expectSaveLoggedAsFailed(editor, answers);
        EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
        EXPECT_EQ(editor.document()->flags(), OPENED);
        EXPECT_EQ(editor.title(), title);
        expectEditsKept(editor);
    }
    {
        FailingStep failing(Step::MOVE, 2);
        ASSERT_NO_FATAL_FAILURE(expectExitSaveFails(editor, answers));
        EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
        expectEditsKept(editor);
    }
    {
        FailingStep failing(Step::LINK, 1);
        editor.command(IDM_SAVE);
    }
    expectWritten(data, edits);
    EXPECT_FALSE(editor.document()->hasChanged());
    expectOnlyBackupAdded(before, snapshot(game + "\\SetA"));
    EXPECT_EQ(answers.seen.size(), 2u);
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(SaveFailureTest, DiskFillingUpMidwayLosesNothing) {
    Editor editor;
    Answerer answers;
    Edits edits = openAndEdit(editor);
    const std::string title = editor.title();
    const Snapshot before = snapshot(game + "\\SetA");
    const std::string table = magicTableText(asWritten(edits.lines));
    ASSERT_GT(table.size(), 2000u);

    {
        // Room for part of the table only.
        SpaceLimit limit(1000);
        expectSaveLoggedAsFailed(editor, answers);
        EXPECT_TRUE(answers.seen.empty());
        EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
        EXPECT_EQ(editor.title(), title);
        EXPECT_EQ(editor.document()->flags(), OPENED);
        ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    }
    {
        // The same inside the exit question: the user is told, nothing goes.
        SpaceLimit limit(1000);
        ASSERT_NO_FATAL_FAILURE(expectExitSaveFails(editor, answers));
        EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
        ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    }
    {
        // Room for the whole table but not for the sound list after it.
        SpaceLimit limit(static_cast<std::int64_t>(table.size()));
        expectSaveLoggedAsFailed(editor, answers);
        EXPECT_EQ(differences(before, snapshot(game + "\\SetA")), "");
        ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    }
    {
        // Save as to a new place with the disk full: no file appears there.
        std::string out = testsupport::makeScratchDir("full-saveas");
        SpaceLimit limit(0);
        const std::size_t first = answers.seen.size();
        answers.push(IDOK, out + "\\MagicTable");
        answers.push(IDOK);
        answers.push(IDOK);
        editor.command(IDM_SAVE_AS);
        ASSERT_EQ(answers.seen.size(), first + 3);
        expectFailureBox(answers.seen[first + 2], "名前をつけて保存");
        EXPECT_TRUE(snapshot(out).empty());
        EXPECT_EQ(editor.title(), title);
        ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    }

    // With room again the save goes through.
    editor.command(IDM_SAVE);
    expectWritten(data, edits);
    EXPECT_FALSE(editor.document()->hasChanged());
    expectOnlyBackupAdded(before, snapshot(game + "\\SetA"));
    EXPECT_EQ(answers.unexpected, 0);
}

TEST_F(SaveFailureTest, StockSoundListThatCannotBeMadeKeepsTheFlagAndTheTable) {
    const std::string setB = game + "\\SetB\\Data";
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetB"));
    ASSERT_EQ(editor.document()->flags(), OPENED | RZEditData::FLAG_STOCK_SOUND);
    editor.type(IDC_COST, "66");
    editor.type(IDC_SOUND, "madesnd");
    editor.selectRow(1);
    std::vector<SpellLine> lines = spellLines(2);
    lines[0].numbers[0] = 66;
    const std::string table = magicTableText(asWritten(lines));
    const Snapshot before = snapshot(game);
    auto expectKept = [&]() {
        RZEditData* document = editor.document();
        EXPECT_EQ(document->flags(), OPENED | RZEditData::FLAG_STOCK_SOUND);
        EXPECT_EQ(document->soundPath().fullPath(), game + "\\Default\\Data\\SoundFileName");
        EXPECT_TRUE(document->hasChanged());
        EXPECT_EQ(document->entryAt(0)->getSound(), "madesnd");
        EXPECT_EQ(document->entryAt(0)->getCost(), 66);
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_SOUND)),
                  "madesnd");
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_COST)), "66");
        EXPECT_EQ(differences(before, snapshot(game)), "");
    };
    {
        // Room for the table only; the user agreed to make the sound list.
        SpaceLimit limit(static_cast<std::int64_t>(table.size()));
        answers.push(IDYES);
        answers.push(IDOK);
        editor.command(IDM_SAVE);
        ASSERT_EQ(answers.seen.size(), 2u);
        EXPECT_EQ(answers.seen[0].caption, "SoundFileNameファイルの新規作成");
        expectFailureBox(answers.seen[1], "上書き保存");
        expectKept();
    }
    {
        // The same inside the open question, and through the close box.
        SpaceLimit limit(static_cast<std::int64_t>(table.size()));
        answers.push(IDYES);
        answers.push(IDYES);
        answers.push(IDOK);
        editor.command(editor.dataSetId("SetA"));
        ASSERT_EQ(answers.seen.size(), 5u);
        expectFailureBox(answers.seen[4], "開く");
        expectKept();
        HFileWriter::setSpaceLeftForTests(static_cast<std::int64_t>(table.size()));
        answers.push(IDYES);
        answers.push(IDYES);
        answers.push(IDOK);
        SendMessageA(editor.hwnd, WM_CLOSE, 0, 0);
        pump(20);
        ASSERT_EQ(answers.seen.size(), 8u);
        expectFailureBox(answers.seen[7], "プログラムの終了");
        EXPECT_TRUE(editor.alive());
        expectKept();
    }

    answers.push(IDYES);
    editor.command(IDM_SAVE);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    std::vector<std::string> sounds = soundNames("");
    sounds[0] = "madesnd";
    EXPECT_EQ(testsupport::readFile(setB + "\\SoundFileName"), soundFileText(sounds));
    EXPECT_EQ(testsupport::readFile(setB + "\\MagicTable"), table);
    EXPECT_EQ(answers.unexpected, 0);
}

// The test limit behaves as a disk that fills up: what fits is written, the
// rest is refused with ERROR_DISK_FULL, and a later flush finds no room at all.
TEST(SaveFailureWriter, SpaceLimitCutsWritesShortLikeAFullDisk) {
    std::string dir = testsupport::makeScratchDir("limit");
    SpaceLimit limit(10);
    HFileWriter writer{HFile(dir + "\\out")};
    ASSERT_TRUE(writer.open());
    EXPECT_TRUE(writer.write("0123456789abcdef", 16)); // waits in the buffer
    EXPECT_FALSE(writer.flush());
    EXPECT_EQ(writer.lastError(), static_cast<std::uint32_t>(ERROR_DISK_FULL));
    EXPECT_TRUE(writer.write("x", 1));
    EXPECT_FALSE(writer.flush());
    writer.close();
    EXPECT_EQ(testsupport::readFile(dir + "\\out"), "0123456789");
    HFileWriter::setSpaceLeftForTests(-1);
    HFileWriter free{HFile(dir + "\\free")};
    ASSERT_TRUE(free.open());
    EXPECT_TRUE(free.write("0123456789abcdef", 16));
    EXPECT_TRUE(free.close());
    EXPECT_EQ(testsupport::readFile(dir + "\\free"), "0123456789abcdef");
}

namespace {

// Fills the disk holding dir with one file, then gives back the given number
// of 4 KiB pages.
bool fillLeaving(const std::string& filler, int pages) {
    HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    static const char page[4096] = {};
    LARGE_INTEGER end = {};
    SetFilePointerEx(file, end, &end, FILE_END);
    DWORD done = sizeof(page);
    while (done == sizeof(page) && WriteFile(file, page, sizeof(page), &done, nullptr)) {
        end.QuadPart += done;
    }
    end.QuadPart -= end.QuadPart % 4096 + 4096LL * pages;
    bool ok =
        end.QuadPart >= 0 && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

std::uint64_t freeBytes(const std::string& dir) {
    ULARGE_INTEGER available = {};
    GetDiskFreeSpaceExA((dir + "\\").c_str(), &available, nullptr, nullptr);
    return available.QuadPart;
}

} // namespace

// A real small disk (a 64 KiB tmpfs that the test script mounts where it may).
TEST_F(SaveFailureTest, SmallRealDiskFillingUpLosesNothing) {
    const std::string disk = testsupport::environment("RZ_SMALL_DISK_DIR");
    if (disk.empty()) {
        GTEST_SKIP() << "RZ_SMALL_DISK_DIR is not set: no small disk could be mounted here "
                        "(the writer's space limit still covers a full disk)";
    }
    const std::string folder = disk + "\\save-" + std::to_string(GetCurrentProcessId());
    removeTree(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    struct Cleanup {
        std::string dir;
        ~Cleanup() { removeTree(dir); }
    } cleanup{folder};
    ASSERT_NO_FATAL_FAILURE(copyFile(data + "\\MagicTable", folder + "\\MagicTable"));
    ASSERT_NO_FATAL_FAILURE(copyFile(data + "\\SoundFileName", folder + "\\SoundFileName"));
    Editor editor;
    Answerer answers;
    answers.push(IDOK, folder + "\\MagicTable");
    editor.command(IDM_OPEN);
    ASSERT_EQ(editor.document()->flags(), OPENED);
    Edits edits = editRows(editor, spellLines(1), soundNames("a"));
    // Long descriptions, so that the table needs two pages of the disk.
    const std::string longText = "long" + std::string(150, 'x');
    for (int k = 2; k < 16; ++k) {
        editor.selectRow(rowOf(k, 1));
        editor.type(IDC_DESCRIPTION, longText);
        edits.lines[static_cast<size_t>(k)].description = longText;
    }
    editor.selectRow(rowOf(47, 1));
    const std::string table = magicTableText(asWritten(edits.lines));
    ASSERT_GT(table.size(), 4096u);
    ASSERT_LT(table.size(), 8192u);
    const std::string title = editor.title();

    // One page left. What the system does at the edge: the writer gets part
    // of its block written and counts that as a full disk.
    const std::string filler = folder + "\\filler";
    ASSERT_TRUE(fillLeaving(filler, 1));
    ASSERT_EQ(freeBytes(folder), 4096u);
    {
        HFileWriter probe{HFile(folder + "\\probe")};
        ASSERT_TRUE(probe.open());
        EXPECT_TRUE(probe.write(table.data(), static_cast<std::uint32_t>(table.size())));
        EXPECT_FALSE(probe.flush());
        EXPECT_EQ(probe.lastError(), static_cast<std::uint32_t>(ERROR_DISK_FULL));
        EXPECT_TRUE(probe.write("x", 1));
        EXPECT_FALSE(probe.flush()); // nothing fits any more
        EXPECT_EQ(probe.lastError(), static_cast<std::uint32_t>(ERROR_DISK_FULL));
        probe.close();
        EXPECT_EQ(testsupport::readFile(folder + "\\probe"), table.substr(0, 4096));
    }
    ASSERT_TRUE(testsupport::removeFile(folder + "\\probe"));
    ASSERT_EQ(freeBytes(folder), 4096u);

    // The table runs out of room midway.
    Snapshot before = snapshot(folder);
    expectSaveLoggedAsFailed(editor, answers);
    EXPECT_EQ(answers.seen.size(), 1u);
    EXPECT_EQ(differences(before, snapshot(folder)), "");
    EXPECT_EQ(freeBytes(folder), 4096u);
    EXPECT_EQ(editor.title(), title);
    EXPECT_EQ(editor.document()->flags(), OPENED);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    ASSERT_NO_FATAL_FAILURE(expectExitSaveFails(editor, answers));
    EXPECT_EQ(differences(before, snapshot(folder)), "");

    // Room for the table, none for the sound list after it.
    ASSERT_TRUE(fillLeaving(filler, 2));
    ASSERT_EQ(freeBytes(folder), 8192u);
    before = snapshot(folder);
    expectSaveLoggedAsFailed(editor, answers);
    EXPECT_EQ(differences(before, snapshot(folder)), "");
    EXPECT_EQ(freeBytes(folder), 8192u);
    ASSERT_NO_FATAL_FAILURE(expectEditsKept(editor));
    // With the disk emptied the same edits are written.
    ASSERT_TRUE(testsupport::removeFile(filler));
    const Snapshot tables = snapshot(folder);
    ASSERT_EQ(tables.size(), 2u);
    editor.command(IDM_SAVE);
    expectWritten(folder, edits);
    EXPECT_FALSE(editor.document()->hasChanged());
    expectOnlyBackupAdded(tables, snapshot(folder), "");
    EXPECT_EQ(answers.unexpected, 0);
}

namespace {

// Reads MagicTable in its working folder by name, over and over, until the file
// "stop" appears in the folder it is given; then writes there each different
// content it read ("seen<N>") and "<reads> <reads that found no file> <N>".
// A Unix program: its reads do not hold the file open in Wine's server, where
// an open file cannot be replaced, so the saves run as they would alone.
const char WATCH_SCRIPT[] = R"(use strict;
my $dir = shift;
sub put { my ($name, $bytes) = @_; open(my $out, '>:raw', "$dir/$name") or return; print $out $bytes; close($out); }
put('started', '');
my ($reads, $missing, %seen) = (0, 0);
my $until = time + 120;
until (-e "$dir/stop" or time > $until) {
    if (open(my $table, '<:raw', 'MagicTable')) {
        local $/;
        my $bytes = <$table> // '';
        close($table);
        $seen{$bytes}++;
        $reads++;
    } else {
        $missing++;
    }
}
my $n = 0;
put('seen' . $n++, $_) for keys %seen;
put('counts.part', "$reads $missing $n");
rename("$dir/counts.part", "$dir/counts");
)";

bool waitForFile(const std::string& path) {
    for (int i = 0; i < 400 && !testsupport::fileExists(path); ++i) {
        Sleep(25);
    }
    return testsupport::fileExists(path);
}

} // namespace

// Another program reading the table while the editor saves it must always
// find a whole table under its name: the one before the save or the one after.
TEST_F(SaveFailureTest, TheTablesNameHoldsAWholeTableThroughoutSaves) {
    const std::string watch = game + "\\watch";
    ASSERT_TRUE(CreateDirectoryA(watch.c_str(), nullptr));
    ASSERT_TRUE(testsupport::writeFile(watch + "\\watch.pl", WATCH_SCRIPT));
    struct Stop {
        std::string signal;
        ~Stop() { testsupport::writeFile(signal, ""); }
    } stop{watch + "\\stop"};
    Editor editor;
    Answerer answers;
    editor.command(editor.dataSetId("SetA"));
    std::vector<std::string> versions{testsupport::readFile(data + "\\MagicTable")};

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = "/usr/bin/perl ../../watch/watch.pl ../../watch";
    ASSERT_TRUE(CreateProcessA("Z:\\usr\\bin\\perl", &command[0], nullptr, nullptr, FALSE, 0,
                               nullptr, data.c_str(), &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(waitForFile(watch + "\\started")) << "the watching program did not start";

    for (int save = 0; save < 12; ++save) {
        editor.selectRow(rowOf(save % 4, 1));
        editor.type(IDC_NAME, "保存" + std::to_string(save));
        editor.selectRow(rowOf(5, 1));
        if (save == 6) {
            // The sound list held: the new table is put in place and taken
            // back, then written again below.
            HeldFile held(data + "\\SoundFileName");
            ASSERT_TRUE(held.holding);
            ASSERT_NO_FATAL_FAILURE(expectSaveLoggedAsFailed(editor, answers));
            ASSERT_TRUE(editor.document()->hasChanged());
        }
        editor.command(IDM_SAVE);
        ASSERT_FALSE(editor.document()->hasChanged());
        versions.push_back(testsupport::readFile(data + "\\MagicTable"));
    }
    ASSERT_TRUE(testsupport::writeFile(watch + "\\stop", ""));
    ASSERT_TRUE(waitForFile(watch + "\\counts"));

    unsigned long reads = 0, missing = 0, kinds = 0;
    ASSERT_EQ(3, sscanf(testsupport::readFile(watch + "\\counts").c_str(), "%lu %lu %lu", &reads,
                        &missing, &kinds));
    EXPECT_EQ(missing, 0u) << "reads that found no table: " << missing << " of " << reads + missing;
    EXPECT_GE(kinds, 2u) << "the saves went by unwatched";
    for (unsigned long n = 0; n < kinds; ++n) {
        const std::string seen = testsupport::readFile(watch + "\\seen" + std::to_string(n));
        EXPECT_TRUE(std::find(versions.begin(), versions.end(), seen) != versions.end())
            << "a table read during the saves is neither the old nor a new one (" << seen.size()
            << " bytes)";
    }
    EXPECT_EQ(answers.unexpected, 0);
}
