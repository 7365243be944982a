#pragma once

// Drives the real editor window inside the test process: a small invented game
// on disk, the registry value naming it, the window, and an answerer that finds
// the message boxes and file dialogs the editor opens and replies to them.

#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

class HComponent;
class RZWindow;
class RZEditData;

namespace editortest {

// One spell line of a MagicTable as the editor writes it.
struct SpellLine {
    std::string name;
    int target = 0;
    int numbers[12] = {};
    std::string description;
};

// Writes an invented game into root: Default\Data (stock tables), Default\Picture,
// and data sets "SetA" (tables, characters) and "SetB" (a table without
// SoundFileName), each with a "Config" file, and a directory "Plain" without one.
void makeGame(const std::string& root);
// The 48 spell lines of the invented tables (seed varies names and numbers).
std::vector<SpellLine> spellLines(int seed);
std::string magicTableText(const std::vector<SpellLine>& lines);
std::string soundFileText(const std::vector<std::string>& sounds);
// The table as the editor must write it back: levels that do not exist are zero.
std::vector<SpellLine> asWritten(std::vector<SpellLine> lines);
// The document row of spell k, level (1-based).
int rowOf(int spell, int level);
// The 48 sound names "<prefix>snd00" to "<prefix>snd47".
std::vector<std::string> soundNames(const std::string& prefix);
// A 24-bit bottom-up BMP filled with one colour (and a white pixel per cell).
std::string bmpBytes(int width, int height, COLORREF color);
// A CharacterData file with the given names and aptitudes (6 per character).
std::string characterData(const std::vector<std::string>& names,
                          const std::vector<std::vector<int>>& aptitudes);

using testsupport::demoDirectory;
using testsupport::setGameDirectory;

// What the answerer saw of one dialog.
struct Seen {
    std::string caption;
    std::string text;
    bool fileDialog = false;
    std::string fileTypes; // a file dialog's file types, each followed by "|"
    std::string fileType;  // the file type it starts with
    std::string fileName;  // the text a file dialog's file name box starts with
    HWND owner = nullptr;
    bool ownerEnabled = false; // whether the owner took input while it was open
    bool hasOk = false, hasCancel = false, hasYes = false, hasNo = false;
    HICON icon = nullptr;
};

// Expects a message box (not a file dialog) with this caption, text, button set
// (MB_OK, MB_OKCANCEL or MB_YESNOCANCEL) and system icon.
void expectBox(const Seen& s, const std::string& caption, const std::string& text, UINT buttons,
               LPCSTR icon);

// A reply: a button id for a message box; for a file dialog a path to type and
// OK, or IDCANCEL with an empty path, and the file type to pick first
// (counting from 1; 0 leaves the one shown).
struct Reply {
    int button;
    std::string path;
    int fileType;
};

// Answers the message boxes and file dialogs of this thread from a queue (see
// testsupport::DialogDriver). A dialog with no reply queued is cancelled (and
// counted as unexpected).
class Answerer {
  public:
    Answerer();
    void push(int button, const std::string& path = std::string(), int fileType = 0);
    std::vector<Seen> seen;
    int unexpected = 0;
    bool empty() const { return replies.empty(); }

  private:
    bool answer(HWND dialog);
    std::deque<Reply> replies;
    testsupport::DialogDriver driver;
};

// The editor window, created and shown, and its document.
class Editor {
  public:
    Editor();
    ~Editor();
    RZWindow* window;
    HWND hwnd;
    RZEditData* document();
    HComponent* control(int id);
    HWND controlHandle(int id);
    std::string title();
    // WM_COMMAND as a menu item sends it, then pumps.
    void command(int id);
    // Types into an edit box (SetWindowTextA raises EN_CHANGE).
    void type(int id, const std::string& text);
    // Picks the target drop-down's item with the text, as the user would.
    void pickTarget(const std::string& text);
    void selectRow(int row);
    int selectedRow();
    void clickColumn(int listId, int column);
    std::string cell(int listId, int row, int column);
    int rowCount(int listId);
    // The colour a spell-list row is given, and the one the screen shows
    // beside the sound column's text, where only the row's background is.
    COLORREF rowColour(int row);
    COLORREF rowPixel(int row);
    // Whether the menu item is greyed.
    bool greyed(int id);
    // Gives the control the keyboard focus, with the window in front.
    void focus(int id);
    // Types into the focused box with real keys (digits and letters only).
    void typeKeys(const std::string& text);
    // Real key strokes (SendInput), pressed in order and released in reverse,
    // then the messages pumped through the window's accelerators as its own
    // loop does.
    void press(std::initializer_list<WORD> keys);
    // The command id of the data set whose menu item has the caption
    // (IDM_FIRST_DATA_SET upward), or -1.
    int dataSetId(const std::string& name);
    bool alive();
};

void pump(unsigned ms = 30);

// Every value a user can change, of every entry, one line an entry: compared
// before and after a step to see exactly what it did to the table.
std::string tableState(RZEditData* document);

// The invented game, written once per test program (do not change it).
const std::string& sharedGame();
// A fresh copy of the invented game for a test that writes.
std::string freshGame();

// A test on a fresh copy of the invented game, registered as the game; `data`
// is the folder of data set SetA's tables.
class FreshGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game = freshGame();
        data = game + "\\SetA\\Data";
        ASSERT_TRUE(setGameDirectory(game));
    }
    std::string game;
    std::string data;
};

} // namespace editortest
