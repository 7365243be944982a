// Undo and redo through the real window and real key strokes, checked against
// a model of the table, the rows selected and the bytes saved; and the blanks
// typed into names and descriptions, as the table saves them.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace editortest;

using UndoTest = FreshGameTest;

TEST_F(UndoTest, BlanksInNamesAndDescriptionsSaveAsFullWidthSpaces) {
    const struct {
        int row;
        std::string name, description, savedName, savedDescription;
    } cases[] = {
        {0, "Fire Ball", "hot and bright",
         "Fire\x81\x40"
         "Ball",
         "hot\x81\x40"
         "and\x81\x40"
         "bright"},
        {3, " lead", "tab\there ", "\x81\x40lead", "tab\x81\x40here\x81\x40"},
        {6, "NoBlank", "\x95\x5c \x95\x5c", "NoBlank", "\x95\x5c\x81\x40\x95\x5c"},
    };
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    std::vector<SpellLine> expected = asWritten(spellLines(1));
    for (const auto& c : cases) {
        editor.selectRow(c.row);
        editor.type(IDC_NAME, c.name);
        editor.type(IDC_DESCRIPTION, c.description);
        int spell = static_cast<int>(editor.document()->entryAt(c.row)->getIndex());
        expected[static_cast<size_t>(spell)].name = c.savedName;
        expected[static_cast<size_t>(spell)].description = c.savedDescription;
    }
    editor.command(IDM_SAVE);
    // Every number and every other spell reads back as it was written.
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\MagicTable"), magicTableText(expected));
    for (const auto& c : cases) {
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, c.row, 1), c.savedName);
        EXPECT_EQ(editor.cell(IDC_SPELL_LIST, c.row, 10), c.savedDescription);
    }
    EXPECT_FALSE(editor.document()->hasChanged());
}

TEST_F(UndoTest, MixedStepsUndoAndRedoAsTheModelPredicts) {
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    RZEditData* document = editor.document();
    EXPECT_TRUE(editor.greyed(IDM_UNDO));
    EXPECT_TRUE(editor.greyed(IDM_REDO));
    // The model: the table after each step, and the row each step selects.
    std::vector<std::string> states{tableState(document)};
    std::vector<int> rows{0};
    auto stepDone = [&](int row) {
        states.push_back(tableState(document));
        rows.push_back(row);
    };

    editor.selectRow(1);
    editor.focus(IDC_COST);
    editor.typeKeys("47"); // one burst of typing: one step
    stepDone(1);
    editor.focus(IDC_NAME); // the focus moves: a new step, on all three levels
    editor.typeKeys("ab");
    stepDone(1);
    editor.pickTarget("敵");
    stepDone(1);
    editor.selectRow(4);
    editor.focus(IDC_EFFICIENCY);
    editor.typeKeys("9");
    stepDone(4);
    editor.command(IDM_REVERT);
    stepDone(4);
    editor.command(IDM_RESET_TO_STOCK);
    stepDone(4);
    ASSERT_TRUE(testsupport::writeFile(game + "\\SetA\\other.01.wav", "RIFF"));
    answers.push(IDOK, game + "\\SetA\\other.01.wav");
    editor.command(IDC_SOUND_CHOOSE);
    stepDone(4);
    ASSERT_EQ(states.size(), 8u);
    for (size_t i = 1; i < states.size(); ++i) {
        EXPECT_NE(states[i], states[i - 1]) << "step " << i << " changed nothing";
    }
    EXPECT_EQ(tableState(document), states.back());

    // Undo every step with Ctrl+Z from the cost box: the table, the row selected,
    // the box's text and the rows shown follow the model back to the loaded table.
    editor.focus(IDC_COST);
    for (size_t i = states.size() - 1; i > 0; --i) {
        EXPECT_FALSE(editor.greyed(IDM_UNDO));
        editor.press({VK_CONTROL, 'Z'});
        EXPECT_EQ(tableState(document), states[i - 1]) << "undo of step " << i;
        EXPECT_EQ(editor.selectedRow(), rows[i]) << "undo of step " << i;
        EXPECT_EQ(testsupport::windowText(editor.controlHandle(IDC_COST)),
                  std::to_string(document->entryAt(rows[i])->getCost()));
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(editor.cell(IDC_SPELL_LIST, row,
                                  RZSpellFields::listColumnOf(RZSpellFields::FIELD_NAME)),
                      document->entryAt(row)->getName());
        }
    }
    EXPECT_TRUE(editor.greyed(IDM_UNDO));
    EXPECT_FALSE(document->hasChanged());
    // Redo with Ctrl+Y and Shift+Ctrl+Z.
    editor.press({VK_CONTROL, 'Y'});
    EXPECT_EQ(tableState(document), states[1]);
    editor.press({VK_SHIFT, VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(document), states[2]);
    editor.command(IDM_REDO);
    EXPECT_EQ(tableState(document), states[3]);
    EXPECT_EQ(editor.selectedRow(), 1);
    // A new step forgets what could be redone.
    editor.focus(IDC_RANGE);
    editor.typeKeys("5");
    std::string edited = tableState(document);
    EXPECT_TRUE(editor.greyed(IDM_REDO));
    editor.press({VK_CONTROL, 'Y'});
    EXPECT_EQ(tableState(document), edited);
    // Another box of the same row, typed while the focus stays: a step of its own.
    editor.type(IDC_AREA, "7");
    editor.command(IDM_UNDO);
    EXPECT_EQ(tableState(document), edited);
    editor.command(IDM_REDO);

    // Saving keeps the history; undoing after it makes the table differ from the
    // file again, and the exit question asks.
    editor.command(IDM_SAVE);
    std::string saved = testsupport::readFile(game + "\\SetA\\Data\\MagicTable");
    EXPECT_FALSE(document->hasChanged());
    editor.press({VK_CONTROL, 'Z'});
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(document), states[3]);
    EXPECT_TRUE(document->hasChanged());
    answers.push(IDCANCEL);
    editor.command(IDM_EXIT);
    ASSERT_EQ(answers.seen.size(), 2u);
    EXPECT_EQ(answers.seen[1].caption, "プログラムの終了");
    editor.press({VK_CONTROL, 'Y'});
    editor.press({VK_CONTROL, 'Y'});
    EXPECT_FALSE(document->hasChanged());
    EXPECT_EQ(testsupport::readFile(game + "\\SetA\\Data\\MagicTable"), saved);
    // Loading another table clears the history.
    editor.command(IDM_RELOAD);
    EXPECT_TRUE(editor.greyed(IDM_UNDO));
    EXPECT_TRUE(editor.greyed(IDM_REDO));
    // Reverting a row that was not edited is a step too; undoing it changes
    // nothing and selects its row.
    std::string loaded = tableState(document);
    editor.selectRow(7);
    editor.command(IDM_REVERT);
    editor.selectRow(2);
    EXPECT_FALSE(editor.greyed(IDM_UNDO));
    editor.press({VK_CONTROL, 'Z'});
    EXPECT_EQ(tableState(document), loaded);
    EXPECT_EQ(editor.selectedRow(), 7);
    EXPECT_TRUE(editor.greyed(IDM_UNDO));
    EXPECT_EQ(answers.unexpected, 0);
}
