// Find through the real window and real key strokes: the rows it selects
// forward and backward, Shift-JIS texts matched by whole characters, and the
// box that says nothing was found.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZIds.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace editortest;

namespace {

// Opens the find box (Ctrl+F, or the menu command), types the text into it and
// presses Enter there.
void findWithTheBox(Editor& editor, const std::string& text, bool withKeys = false) {
    testsupport::DialogDriver find(
        [&text](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIND_TEXT, text.c_str());
            testsupport::pressIn(dialog, IDC_FIND_TEXT, {VK_RETURN});
            return true;
        },
        "RZFindDialog");
    if (withKeys) {
        editor.press({VK_CONTROL, 'F'});
    } else {
        editor.command(IDM_FIND);
    }
    EXPECT_EQ(1, find.handled()) << text;
    EXPECT_EQ(0, find.forced()) << text;
}

} // namespace

TEST(FindTest, FindSelectsMatchingRowsForwardAndBackward) {
    ASSERT_TRUE(setGameDirectory(freshGame()));
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    // Texts to find: an ASCII name in two spells, and a description with
    // half-width katakana and the two-byte 表, whose second byte is a backslash
    // and whose first is that of the 文 in every name.
    editor.selectRow(rowOf(5, 1));
    editor.type(IDC_NAME, "Fire Ball");
    editor.selectRow(rowOf(20, 1));
    editor.type(IDC_SOUND, "bigFIRE");
    editor.selectRow(rowOf(9, 1));
    editor.type(IDC_DESCRIPTION, "ｶﾀｶﾅﾉ表の説明");
    editor.selectRow(0);
    // The model: rows whose name, description or sound holds "fire", any case.
    std::vector<int> matches;
    for (int row = 0; row < editor.rowCount(IDC_SPELL_LIST); ++row) {
        std::string texts = editor.document()->entryAt(row)->getName() + "|" +
                            editor.document()->entryAt(row)->getDescription() + "|" +
                            editor.document()->entryAt(row)->getSound();
        std::transform(texts.begin(), texts.end(), texts.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        if (texts.find("fire") != std::string::npos) {
            matches.push_back(row);
        }
    }
    ASSERT_GE(matches.size(), 4u);

    // Ctrl+F from the spell list, then F3 and Shift+F3.
    editor.focus(IDC_SPELL_LIST);
    findWithTheBox(editor, "FiRe", true);
    EXPECT_EQ(editor.selectedRow(), matches[0]);
    for (size_t i = 1; i < matches.size() + 1; ++i) {
        editor.press({VK_F3});
        EXPECT_EQ(editor.selectedRow(), matches[i % matches.size()]) << i;
    }
    editor.press({VK_SHIFT, VK_F3});
    EXPECT_EQ(editor.selectedRow(), matches.back());

    // Whole characters only: 表 is in spell 9 alone, after the katakana; with
    // that row selected, F3 finds it again and says nothing.
    findWithTheBox(editor, "表");
    EXPECT_EQ(editor.selectedRow(), rowOf(9, 1));
    findWithTheBox(editor, "ﾉ表");
    EXPECT_EQ(editor.selectedRow(), rowOf(9, 1));
    editor.press({VK_F3});
    EXPECT_EQ(editor.selectedRow(), rowOf(9, 1));
    EXPECT_TRUE(answers.seen.empty());

    // A backslash is never found inside 表: the box says so, the row stays.
    answers.push(IDOK);
    findWithTheBox(editor, "\\");
    ASSERT_EQ(answers.seen.size(), 1u);
    expectBox(answers.seen[0], "検索", "「\\」は見つかりませんでした。", MB_OK, IDI_INFORMATION);
    EXPECT_EQ(editor.selectedRow(), rowOf(9, 1));
    // Escape cancels the box and keeps the last search text.
    {
        std::string shown;
        testsupport::DialogDriver find(
            [&shown](HWND dialog) {
                shown = testsupport::windowText(GetDlgItem(dialog, IDC_FIND_TEXT));
                testsupport::pressIn(dialog, IDC_FIND_TEXT, {VK_ESCAPE});
                return true;
            },
            "RZFindDialog");
        editor.command(IDM_FIND);
        EXPECT_EQ(shown, "\\");
    }
    EXPECT_EQ(editor.selectedRow(), rowOf(9, 1));
    EXPECT_EQ(answers.unexpected, 0);
}
