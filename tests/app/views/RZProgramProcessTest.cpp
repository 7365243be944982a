// The editor as a program: RZEdit.exe started as its own process on a scratch
// copy of the demo game and worked from outside through its windows, menus,
// buttons, edit boxes and real key strokes, as a user would.
#include "app/views/RZIds.h"
#include "tests/app/views/RZProcessSupport.h"
#include "tests/common/TestSupport.h"
#include "tests/sound/WaveTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace rzprocess;

namespace {

using wavetest::dataChunk;

// Whether the wave-out capture holds the samples as they are. Under load the
// device may pad the end with silence (zero bytes of 16-bit samples), which
// no one hears.
bool played(const std::string& capture, const std::string& samples) {
    const std::string bytes = testsupport::readFile(capture);
    return bytes.size() >= samples.size() && bytes.compare(0, samples.size(), samples) == 0 &&
           bytes.find_first_not_of('\0', samples.size()) == std::string::npos;
}

// A WAVE file in the format of another with other samples.
std::string waveLike(const std::string& file, const std::string& samples) {
    return wavetest::riff(wavetest::chunk("fmt ", wavetest::chunkBody(file, "fmt ")) +
                          wavetest::chunk("data", samples));
}

class RZProgramProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = programPath();
        std::string demo = demoDirectory();
        if (program.empty() || demo.empty()) {
            GTEST_SKIP() << "needs RZEdit.exe (RZ_BUILD_DIR) and the demo game (RZ_DEMO_DIR)";
        }
        game = testsupport::makeScratchDir("game");
        ASSERT_TRUE(testsupport::copyTree(demo, game));
        sets = dataSets(game);
        ASSERT_FALSE(sets.empty()) << "the demo game has no data set";
        registry.reset(new GameDirectoryScope(game));
        // No marker files here: the program must not write a log.
        work = testsupport::makeScratchDir("work");
        ASSERT_TRUE(editor.start(program, work))
            << "no RZWindow appeared (start error " << editor.startError << ")";
        main = editor.mainWindow();
    }

    void TearDown() override {
        if (editor.started() && !editor.exited()) {
            PostMessageA(editor.mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
            editor.waitExit();
        }
    }

    std::string tablePath(size_t set) const {
        return game + "\\" + sets[set] + "\\Data\\MagicTable";
    }

    int rows() const { return testsupport::listRows(editor.control(IDC_SPELL_LIST)); }
    int selectedRow() const {
        return static_cast<int>(SendMessageA(editor.control(IDC_SPELL_LIST), LVM_GETNEXTITEM,
                                             static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    // Sends a menu command and waits until the program has carried it out.
    bool sendCommand(int id) {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, 30000,
                                   &ignored) != 0;
    }

    // Chooses a data set's item of the File menu by its command and waits until
    // its table is shown.
    bool openDataSet(size_t set) {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FIRST_DATA_SET + set, 0), 0);
        std::string title = tablePath(set) + " - RZEdit";
        bool shown = waitUntil([&] {
            return windowText(main) == title && rows() > 0 &&
                   !windowText(editor.control(IDC_NAME)).empty();
        });
        editor.settle();
        return shown;
    }

    // Ctrl+Q as real key strokes; the exit code.
    int quitWithKeys() {
        bringToFront(main);
        pressKeys({VK_CONTROL, 'Q'});
        return editor.waitExit();
    }

    std::string program;
    std::string game;
    std::string work;
    std::vector<std::string> sets;
    std::unique_ptr<GameDirectoryScope> registry;
    EditorProcess editor;
    HWND main = nullptr;
};

TEST_F(RZProgramProcessTest, StartsEmptyTitledWithTheVersionAndQuitsCleanlyWithoutLog) {
    EXPECT_EQ("RZEdit 1.02", windowText(main));
    EXPECT_EQ(0, rows());
    EXPECT_EQ(0, quitWithKeys());
    EXPECT_FALSE(testsupport::fileExists(work + "\\debug.log"));
}

TEST(RZProgramStartTest, LogsItsStartPathAndStopWhenTheMarkersAreThere) {
    std::string program = programPath();
    if (program.empty()) {
        GTEST_SKIP() << "needs RZEdit.exe (RZ_BUILD_DIR)";
    }
    std::string work = testsupport::makeScratchDir("logged");
    for (const char* marker : {"debug", "journal", "info"}) {
        testsupport::writeFile(work + "\\" + marker, "");
    }
    EditorProcess editor;
    ASSERT_TRUE(editor.start(program, work));
    PostMessageA(editor.mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    EXPECT_EQ(0, editor.waitExit());
    std::string log = testsupport::readFile(work + "\\debug.log");
    std::string::size_type start = log.find("RZEdit              :0015 winmain 開始");
    std::string::size_type exec = log.find("exec   : ");
    std::string::size_type window = log.find("RZWindow@");
    std::string::size_type stop = log.find("RZEdit              :0031 winmain 終了");
    ASSERT_NE(std::string::npos, start) << log.substr(0, 500);
    ASSERT_NE(std::string::npos, exec);
    ASSERT_NE(std::string::npos, window);
    ASSERT_NE(std::string::npos, stop);
    EXPECT_LT(start, exec);
    EXPECT_LT(exec, window);
    EXPECT_LT(window, stop);
    std::string path = log.substr(exec + 9, log.find_first_of("\r\n", exec) - exec - 9);
    EXPECT_EQ(0, lstrcmpiA(path.c_str(), program.c_str())) << path;
    // The stop line is the program's last journal line.
    EXPECT_EQ(std::string::npos, log.find(" 開始", stop));
}

TEST_F(RZProgramProcessTest, EveryDataSetOfTheFileMenuOpensItsTable) {
    for (size_t set = 0; set < sets.size(); ++set) {
        EXPECT_TRUE(openDataSet(set)) << sets[set] << ": " << windowText(main);
    }
    // The real menu, by keyboard: the File menu, then up from the top wraps to
    // its last item, the last data set.
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FIRST_DATA_SET, 0), 0);
    ASSERT_TRUE(waitUntil([&] { return windowText(main) == tablePath(0) + " - RZEdit"; }));
    bringToFront(main);
    pressKeys({VK_MENU, 'F'});
    Sleep(300);
    pressKeys({VK_UP});
    pressKeys({VK_RETURN});
    std::string last = tablePath(sets.size() - 1) + " - RZEdit";
    EXPECT_TRUE(waitUntil([&] { return windowText(main) == last; })) << windowText(main);
    EXPECT_EQ(0, quitWithKeys());
}

TEST_F(RZProgramProcessTest, TypingANameAndCtrlSWritesTheTable) {
    ASSERT_TRUE(openDataSet(0));
    std::string table = tablePath(0);
    std::string sounds = game + "\\" + sets[0] + "\\Data\\SoundFileName";

    // The first save writes the table as the editor writes it (the command
    // works without any change); the second one after typing a name. The files
    // are read only once a save has ended: a file this process holds open
    // cannot be replaced, so reading it during the save would make it fail.
    testsupport::writeFile(table, testsupport::readFile(table) + "\r\n");
    std::string before = testsupport::readFile(table);
    ASSERT_TRUE(sendCommand(IDM_SAVE));
    ASSERT_NE(before, testsupport::readFile(table)) << "the save wrote nothing";
    before = testsupport::readFile(table);
    std::string soundsBefore = testsupport::readFile(sounds);

    // WM_SETTEXT reaches the other process's edit box, which reports the change.
    const std::string name = "試験魔法";
    SendMessageA(editor.control(IDC_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_TRUE(bringToFront(main));
    // Keys are handled in turn: once Ctrl+Down has moved the selection, the
    // save of Ctrl+S has ended.
    ASSERT_EQ(0, selectedRow());
    pressKeys({VK_CONTROL, 'S'});
    pressKeys({VK_CONTROL, VK_DOWN});
    ASSERT_TRUE(waitUntil([&] { return selectedRow() == 1; })) << "the keys did not arrive";
    std::string after = testsupport::readFile(table);
    ASSERT_NE(before, after) << "Ctrl+S wrote nothing";
    std::string expectedStart = name + std::string(18 - name.size(), ' ') + " ";
    EXPECT_EQ(expectedStart, after.substr(0, expectedStart.size()));
    // Only the first spell's name changed: every other byte is as it was.
    auto afterName = [](const std::string& text) {
        return text.substr(text.find_first_not_of(' ', text.find(' ')));
    };
    EXPECT_EQ(afterName(before), afterName(after));
    EXPECT_EQ(soundsBefore, testsupport::readFile(sounds));
    // Saved and read back: nothing is left to ask about on exit.
    EXPECT_EQ(table + " - RZEdit", windowText(main));
    EXPECT_EQ(0, quitWithKeys());
}

TEST_F(RZProgramProcessTest, PlayTestSendsTheSoundToTheWaveOutDevice) {
    std::string capture = testsupport::waveOutFile();
    if (capture.empty()) {
        GTEST_SKIP() << "no wave-out capture (RZ_WAVE_OUT)";
    }
    ASSERT_TRUE(openDataSet(0));
    std::string sound = windowText(editor.control(IDC_SOUND));
    ASSERT_FALSE(sound.empty());
    // The data set's own sounds first, then the stock ones.
    std::string file = game + "\\" + sets[0] + "\\Music&Sound\\" + sound + ".wav";
    if (!testsupport::fileExists(file)) {
        file = game + "\\Default\\Music&Sound\\" + sound + ".wav";
    }
    ASSERT_TRUE(testsupport::fileExists(file)) << sound << ".wav is not part of the demo game";
    std::string samples = dataChunk(testsupport::readFile(file));
    ASSERT_FALSE(samples.empty());

    // The capture file is written afresh each time the device opens; the
    // device gets the file's samples as they are.
    testsupport::removeFile(capture);
    PostMessageA(editor.control(IDC_PLAY_TEST), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return played(capture, samples); }, 15000))
        << testsupport::readFile(capture).size() << " bytes played, " << samples.size()
        << " expected";

    // A sound that is not there plays nothing.
    waitUntil([&] { return false; }, 1000);
    SendMessageA(editor.control(IDC_SOUND), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("no-such-sound"));
    testsupport::removeFile(capture);
    PostMessageA(editor.control(IDC_PLAY_TEST), BM_CLICK, 0, 0);
    waitUntil([&] { return false; }, 1500);
    EXPECT_FALSE(testsupport::fileExists(capture));
    // Put the typed name back (元に戻す), so quitting has nothing to ask.
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_REVERT, 0), 0);
    EXPECT_TRUE(waitUntil([&] { return windowText(editor.control(IDC_SOUND)) == sound; }));
    EXPECT_EQ(0, quitWithKeys());
}

// Quitting while a sound plays: by Ctrl+Q and by the close box, the program
// ends cleanly either way.
TEST_F(RZProgramProcessTest, QuittingWhileASoundPlaysEndsCleanly) {
    ASSERT_TRUE(openDataSet(0));
    std::string sound = windowText(editor.control(IDC_SOUND));
    std::string stock = testsupport::readFile(game + "\\Default\\Music&Sound\\" + sound + ".wav");
    ASSERT_FALSE(stock.empty());
    // Five seconds of it in the data set's own folder, which comes first.
    std::string samples = dataChunk(stock);
    while (!samples.empty() && samples.size() < 5 * 8000 * 4) {
        samples += samples;
    }
    std::string own = game + "\\" + sets[0] + "\\Music&Sound";
    CreateDirectoryA(own.c_str(), nullptr);
    ASSERT_TRUE(testsupport::writeFile(own + "\\" + sound + ".wav", waveLike(stock, samples)));

    PostMessageA(editor.control(IDC_PLAY_TEST), BM_CLICK, 0, 0);
    editor.settle();
    EXPECT_EQ(0, quitWithKeys());

    EditorProcess second;
    ASSERT_TRUE(second.start(program, work));
    HWND window = second.mainWindow();
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_FIRST_DATA_SET, 0), 0);
    ASSERT_TRUE(
        waitUntil([&] { return testsupport::listRows(GetDlgItem(window, IDC_SPELL_LIST)) > 0; }));
    second.settle();
    PostMessageA(GetDlgItem(window, IDC_PLAY_TEST), BM_CLICK, 0, 0);
    second.settle();
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0, second.waitExit(20000));
}

// Every entry of the routing table, from outside: accelerators as real keys,
// buttons clicked, menu commands sent; each leaves its mark on the window.
TEST_F(RZProgramProcessTest, EveryRoutedCommandWorksFromOutside) {
    ASSERT_TRUE(openDataSet(0));
    auto keys = [&](std::initializer_list<WORD> combination) {
        bringToFront(main);
        pressKeys(combination);
    };
    auto selects = [&](int row) { return waitUntil([&] { return selectedRow() == row; }, 5000); };
    int last = rows() - 1;
    ASSERT_GT(last, 2);
    ASSERT_EQ(0, selectedRow());

    // Moving through the list: keys, buttons and menu commands.
    keys({VK_CONTROL, VK_DOWN});
    EXPECT_TRUE(selects(1)) << "Ctrl+Down";
    keys({VK_CONTROL, VK_UP});
    EXPECT_TRUE(selects(0)) << "Ctrl+Up";
    keys({VK_CONTROL, VK_NEXT});
    EXPECT_TRUE(selects(1)) << "Ctrl+PageDown";
    keys({VK_CONTROL, VK_PRIOR});
    EXPECT_TRUE(selects(0)) << "Ctrl+PageUp";
    keys({VK_CONTROL, VK_END});
    EXPECT_TRUE(selects(last)) << "Ctrl+End";
    keys({VK_CONTROL, VK_HOME});
    EXPECT_TRUE(selects(0)) << "Ctrl+Home";
    PostMessageA(editor.control(IDC_NEXT), BM_CLICK, 0, 0);
    EXPECT_TRUE(selects(1)) << "次へ↓";
    PostMessageA(editor.control(IDC_PREVIOUS), BM_CLICK, 0, 0);
    EXPECT_TRUE(selects(0)) << "↑前へ";
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_NEXT, 0), 0);
    EXPECT_TRUE(selects(1)) << "menu 次へ";
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_LAST, 0), 0);
    EXPECT_TRUE(selects(last)) << "menu 末尾へ移動";
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_PREVIOUS, 0), 0);
    EXPECT_TRUE(selects(last - 1)) << "menu 前へ";
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FIRST, 0), 0);
    EXPECT_TRUE(selects(0)) << "menu 先頭へ移動";
    editor.settle();

    // Putting a typed name back: Ctrl+F5, the button, the menu.
    HWND name = editor.control(IDC_NAME);
    std::string original = windowText(name);
    auto typeName = [&] {
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("変えた名前"));
        editor.settle();
    };
    auto restored = [&] { return waitUntil([&] { return windowText(name) == original; }, 5000); };
    typeName();
    keys({VK_CONTROL, VK_F5});
    EXPECT_TRUE(restored()) << "Ctrl+F5";
    typeName();
    PostMessageA(editor.control(IDC_REVERT), BM_CLICK, 0, 0);
    EXPECT_TRUE(restored()) << "元に戻す";
    typeName();
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_REVERT, 0), 0);
    EXPECT_TRUE(restored()) << "menu 元に戻す";
    editor.settle();

    // F5 with a change asks first; OK reads the table again.
    typeName();
    keys({VK_F5});
    HWND question = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (question = editor.window("#32770")) != nullptr; }));
    EXPECT_EQ("再読込", windowText(question));
    testsupport::pressButton(question, IDOK);
    EXPECT_TRUE(restored()) << "F5";
    editor.settle();

    // Ctrl+O and Shift+Ctrl+S open their file dialogs; cancelling changes nothing.
    std::string title = windowText(main);
    for (int round = 0; round < 2; ++round) {
        if (round == 0) {
            keys({VK_CONTROL, 'O'});
        } else {
            keys({VK_SHIFT, VK_CONTROL, 'S'});
        }
        HWND chooser = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (chooser = editor.window("#32770")) != nullptr; }))
            << (round == 0 ? "Ctrl+O" : "Shift+Ctrl+S");
        testsupport::pressButton(chooser, IDCANCEL);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(chooser); }));
        EXPECT_EQ(title, windowText(main));
    }
    editor.settle();

    // Ctrl+N: the built-in table.
    keys({VK_CONTROL, 'N'});
    EXPECT_TRUE(waitUntil([&] { return windowText(main) == "新規ファイル - RZEdit"; }))
        << windowText(main);
    EXPECT_TRUE(waitUntil([&] { return rows() > 0; }));
    editor.settle();

    // A separator's command opens nothing.
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FILE_SEPARATOR_1, 0), 0);
    editor.settle();
    EXPECT_EQ("新規ファイル - RZEdit", windowText(main));
    EXPECT_EQ(0, quitWithKeys());
}

// Types a path into the program's open-file dialog and presses its OK button.
bool chooseInFileDialog(HWND dialog, const std::string& path) {
    HWND name = GetDlgItem(dialog, 0x480);
    if (name == nullptr) {
        name = GetDlgItem(dialog, 0x47C);
    }
    if (name == nullptr) {
        return false;
    }
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return testsupport::pressButton(dialog, IDOK);
}

TEST_F(RZProgramProcessTest, ChosenSoundIsSavedAndPlayedAndAChosenPictureAsksBeforeQuitting) {
    ASSERT_TRUE(openDataSet(0));
    std::string stock = game + "\\Default\\Music&Sound";
    std::string own = game + "\\" + sets[0] + "\\Music&Sound";
    std::string sound = windowText(editor.control(IDC_SOUND));
    std::string original = testsupport::readFile(own + "\\" + sound + ".wav");
    if (original.empty()) {
        original = testsupport::readFile(stock + "\\" + sound + ".wav");
    }
    ASSERT_FALSE(original.empty());
    std::string outside = testsupport::makeScratchDir("voices");
    ASSERT_TRUE(testsupport::writeFile(outside + "\\voice.02.wav", original));
    // A sound of another length under the name the table will hold.
    std::string other = waveLike(original, dataChunk(original).substr(0, 2000));
    ASSERT_TRUE(testsupport::writeFile(outside + "\\voice.wav", other));

    PostMessageA(editor.control(IDC_SOUND_CHOOSE), BM_CLICK, 0, 0);
    HWND chooser = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (chooser = editor.window("#32770")) != nullptr; }));
    EXPECT_EQ("ファイルを開く", windowText(chooser));
    ASSERT_TRUE(chooseInFileDialog(chooser, outside + "\\voice.02.wav"));
    ASSERT_TRUE(waitUntil([&] { return windowText(editor.control(IDC_SOUND)) == "voice"; }))
        << windowText(editor.control(IDC_SOUND));

    // The play test finds voice.wav beside the chosen file.
    std::string capture = testsupport::waveOutFile();
    if (!capture.empty()) {
        testsupport::removeFile(capture);
        PostMessageA(editor.control(IDC_PLAY_TEST), BM_CLICK, 0, 0);
        std::string expected = dataChunk(other);
        EXPECT_TRUE(waitUntil([&] { return played(capture, expected); }, 15000));
    }

    // Saved: the first spell's line of SoundFileName holds the name. The command
    // is sent and waited for, so the files are read once the save has ended.
    std::string sounds = game + "\\" + sets[0] + "\\Data\\SoundFileName";
    ASSERT_TRUE(sendCommand(IDM_SAVE));
    EXPECT_EQ("voice\r\n", testsupport::readFile(sounds).substr(0, 7));

    // A replacement picture counts as a change: quitting asks, No quits.
    std::string picture = outside + "\\mine.bmp";
    std::string stockPicture = testsupport::readFile(game + "\\Default\\Picture\\MAGIC0.BMP");
    ASSERT_FALSE(stockPicture.empty());
    ASSERT_TRUE(testsupport::writeFile(picture, stockPicture));
    PostMessageA(editor.control(IDC_PICTURE_REPLACE), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return (chooser = editor.window("#32770")) != nullptr; }));
    ASSERT_TRUE(chooseInFileDialog(chooser, picture));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(chooser); }));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    HWND question = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (question = editor.window("#32770")) != nullptr; }));
    EXPECT_EQ("プログラムの終了", windowText(question));
    testsupport::pressButton(question, IDNO);
    EXPECT_EQ(0, editor.waitExit());
}

// The about box: opened by its menu command, modal over the main window, closed
// by its button, Enter, Escape and the close box; each time the main window is
// enabled and in front again, and the box can be opened again at once.
TEST_F(RZProgramProcessTest, AboutBoxOpensModalAndClosesEveryWay) {
    enum Close { BUTTON, ENTER, ESCAPE, CLOSE_BOX };
    bool byKeys = true;
    for (Close how : {BUTTON, ENTER, ESCAPE, CLOSE_BOX, BUTTON}) {
        SCOPED_TRACE(how);
        if (byKeys) {
            // Through the menu itself: その他(&O), then ﾊﾞｰｼﾞｮﾝ情報(&A).
            ASSERT_TRUE(bringToFront(main));
            pressKeys({VK_MENU, 'O'});
            waitUntil([] { return false; }, 300);
            pressKeys({'A'});
            byKeys = false;
        } else {
            PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
        }
        HWND about = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (about = editor.window("RZVersion")) != nullptr; }));
        EXPECT_EQ("ﾊﾞｰｼﾞｮﾝ情報", windowText(about));
        std::string text = windowText(GetDlgItem(about, IDC_ABOUT_TEXT));
        EXPECT_NE(std::string::npos, text.find(" 魔法エディタ RZEdit \r\n- version 1.02 -\r\r"))
            << text;
        EXPECT_EQ("OK", windowText(GetDlgItem(about, IDC_ABOUT_OK)));
        EXPECT_EQ(main, GetWindow(about, GW_OWNER));
        EXPECT_TRUE(waitUntil([&] { return !IsWindowEnabled(main); }, 2000));

        switch (how) {
        case BUTTON:
            PostMessageA(GetDlgItem(about, IDC_ABOUT_OK), BM_CLICK, 0, 0);
            break;
        case ENTER:
        case ESCAPE:
            ASSERT_TRUE(bringToFront(about));
            pressKeys({static_cast<WORD>(how == ENTER ? VK_RETURN : VK_ESCAPE)});
            break;
        case CLOSE_BOX:
            PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));
        EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
        EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == main; }, 3000));
    }
    EXPECT_EQ(0, quitWithKeys());
}

} // namespace
