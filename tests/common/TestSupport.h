#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Helpers shared by the test programs. Each test program runs in a fresh
// temporary working directory (made by the common main), with every debug-log
// marker present, so log lines can be checked by reading ".\debug.log".
namespace testsupport {

// The working directory the program was started in by the common main.
std::string runDirectory();

// A new empty directory under the run directory, as an absolute path.
std::string makeScratchDir(const std::string& hint = "scratch");

bool writeFile(const std::string& path, const std::string& bytes);
// Makes a folder and the folders it lies in.
void makeFolders(const std::string& folder);
// Writes a file, making the folders it lies in first.
bool writeFileAndFolders(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
// The text as UTF-16LE bytes after the byte-order mark, as a Unicode text file.
std::string utf16WithMark(const std::u16string& text);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
// Copies a directory tree; false when anything could not be copied.
bool copyTree(const std::string& from, const std::string& to);

// The entries of a folder that match the pattern ("." and ".." left out), in
// the order the file system gives them.
std::vector<WIN32_FIND_DATAA> listFolder(const std::string& folder,
                                         const std::string& pattern = "*");
bool isFolder(const WIN32_FIND_DATAA& entry);
// The names of the folders, or of the files, directly inside a folder, sorted.
std::vector<std::string> foldersIn(const std::string& folder);
std::vector<std::string> filesIn(const std::string& folder);
// Removes a folder with everything in it, read-only files too.
bool removeTree(const std::string& folder);

// The directory holding the running test program (tool programs lie beside it).
std::string programDirectory();
// An environment variable's value, "" when it is not set.
std::string environment(const char* name);
// The demo game's directory (RZ_DEMO_DIR), "" when the test run made none.
std::string demoDirectory();
// The file the wave-out device plays into (RZ_WAVE_OUT, a Unix path) as this
// program names it, "" when the test run set none.
std::string waveOutFile();

// HKLM\SOFTWARE\Brix\Kolden\Directory, where the game's installer names the
// game, in one view of the registry: 0 (the program's own, the 64-bit view),
// KEY_WOW64_32KEY (the installer's) or KEY_WOW64_64KEY. "" removes the value.
bool setGameDirectory(const std::string& directory, REGSAM view = 0);
std::string gameDirectory(REGSAM view = 0);

// Runs a program and waits for it; returns its exit code, or -1.
int runProcess(const std::string& commandLine, const std::string& workingDirectory,
               unsigned timeoutMs = 60000);

// The log lines written since the object was made.
class LogTail {
  public:
    LogTail();
    std::string text() const;
    bool contains(const std::string& fragment) const;

  private:
    unsigned long long start;
};

// A real key press or release (SendInput), as the keyboard would give it.
void keyEvent(WORD vk, bool up);
// Real key strokes, pressed in order and released in reverse order, as a user
// types a combination.
void pressKeys(std::initializer_list<WORD> keys);

// Makes the window the foreground window (asked again until it is) and waits
// until its thread has taken the activation and the focus, so that real key
// strokes reach it; false when it did not come forward.
bool bringToFront(HWND window);
// Pumps the thread's messages for the given time.
void pumpMessages(unsigned milliseconds);
// Pumps the thread's messages until the condition holds (true) or the time is up.
bool waitUntil(const std::function<bool()>& condition, unsigned milliseconds = 10000);

// Clicks a dialog's button as its owner would see it (WM_COMMAND, BN_CLICKED).
bool pressButton(HWND dialog, int id);
// A window's text (WM_GETTEXT, which also reaches another process's windows).
std::string windowText(HWND window);
// The text of a list view's cell, and how many rows it has.
std::string listCell(HWND list, int row, int column);
int listRows(HWND list);

// Runs an action on each dialog of this thread as it comes up: a visible
// window of the class ("#32770": message boxes and file dialogs), looked for
// by a thread timer, which also fires inside a dialog's own modal loop. The
// action returns false when the dialog is not ready yet (it is tried again).
// A dialog still open three seconds after its action is closed (WM_CLOSE), so
// that a test fails on what it checks next instead of waiting for ever.
class DialogDriver {
  public:
    explicit DialogDriver(std::function<bool(HWND)> action, const char* className = "#32770",
                          unsigned periodMs = 40);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    // How many dialogs the action took, and how many of them had to be closed.
    int handled() const { return handledCount; }
    int forced() const { return forcedCount; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
    void poll();
    struct Handled {
        HWND dialog;
        DWORD at;
        bool closed;
    };
    std::function<bool(HWND)> action;
    std::string className;
    std::vector<Handled> done;
    UINT_PTR timer;
    int handledCount = 0;
    int forcedCount = 0;
};

// A driver's action that takes the steps in turn on one dialog, one a tick,
// each once the dialog is enabled again (no message box over it) and the keys
// of the step before had time to arrive; done after the last. It takes no
// other dialog, so a later one of the same kind is left to another driver.
std::function<bool(HWND)> inTurn(std::vector<std::function<void(HWND)>> steps);

// The headings of a list view's columns, in order.
std::vector<std::string> listHeadings(HWND list);
// How many heights the push buttons of a window have (one row of buttons
// looks even when it is 1; 0 without buttons).
std::size_t buttonHeights(HWND window);
// The texts of a list view's rows, the first `columns` cells of each.
std::vector<std::vector<std::string>> listTexts(HWND list, int columns);

// Selects and focuses a row of a dialog's list view, as a click would, so that
// keys pressed next reach the list.
void focusListRow(HWND dialog, HWND list, int row);

// The texts of a drop-down's items, in order; the text of a dialog's
// drop-down's selected item.
std::vector<std::string> comboTexts(HWND combo);
std::string comboSelection(HWND dialog, int id);
// Selects a drop-down's item by its whole text (no notification); false when
// there is none.
bool selectComboText(HWND combo, const std::string& text);

// Real keys pressed in a dialog brought forward, on its control `id` focused
// first (0: where the focus is), as a user would.
void pressIn(HWND dialog, int id, std::initializer_list<WORD> keys);

// The pixels (0x00RRGGBB, rows top down) of a 32-bit surface of the given size,
// drawn by a function given its device context.
std::vector<DWORD> pixelsOf(int width, int height, const std::function<void(HDC)>& draw);

} // namespace testsupport
