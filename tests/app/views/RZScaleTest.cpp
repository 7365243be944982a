// The window and every dialog laid out for the screen's resolution. Wine takes
// the resolution from the prefix's LogPixels when a process starts, so the
// editor is run at each resolution in a process of its own (this program again,
// recording what it shows), and set against its own layout at 96 DPI scaled;
// the program file, with its manifest, is started the same way.
#include "app/views/RZIds.h"
#include "app/views/RZImageView.h"
#include "app/views/RZWindow.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/app/views/RZProcessSupport.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HDpi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace editortest;

namespace {

// Names the file the recording process writes its layout to.
const char* const LAYOUT_FILE = "RZ_SCALE_LAYOUT";

const struct {
    int command;
    const char* windowClass;
} DIALOGS[] = {{IDM_FIND, "RZFindDialog"},
               {IDM_BULK_CHANGE, "RZBulkChangeDialog"},
               {IDM_TABLE_CHECK, "RZTableCheckDialog"},
               {IDM_STOCK_DIFF, "RZStockDiffDialog"},
               {IDM_CHARACTER_SPELLS, "RZCharacterSpellsDialog"},
               {IDM_ABOUT, "RZVersion"}};

// The width of a line of text in a font; the & of a mnemonic does not count.
int textWidth(HFONT font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r.right;
}

HFONT fontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

// A line "cut <where> <text>" for each line of the text wider than the room.
void checkFits(std::ostream& out, const std::string& where, HFONT font, const std::string& text,
               int room) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line, '\r');) {
        line.erase(std::remove(line.begin(), line.end(), '\n'), line.end());
        if (textWidth(font, line) > room) {
            out << "cut " << where << " " << line << "\n";
        }
    }
}

int fontHeight(HWND control) {
    LOGFONTA font = {};
    GetObjectA(fontOf(control), sizeof(font), &font);
    return font.lfHeight;
}

// "<name> <id> <left> <top> <right> <bottom> <class> <font height>" for the
// window's outer size (id 0), each control in its client area and each column
// of a list (id "<list>/<column>"), with the texts that do not fit.
void describe(HWND window, const std::string& name, std::ostream& out) {
    RECT r = {};
    GetWindowRect(window, &r);
    out << name << " 0 0 0 " << r.right - r.left << " " << r.bottom - r.top << " Window 0\n";
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        char kind[32] = {};
        GetClassNameA(child, kind, sizeof(kind));
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        out << name << " " << id << " " << r.left << " " << r.top << " " << r.right << " "
            << r.bottom << " " << kind << " " << fontHeight(child) << "\n";
        const std::string where = name + " " + std::to_string(id);
        if (lstrcmpiA(kind, "Static") == 0 || lstrcmpiA(kind, "Button") == 0) {
            checkFits(out, where, fontOf(child), testsupport::windowText(child), r.right - r.left);
        } else if (lstrcmpiA(kind, WC_LISTVIEWA) == 0) {
            HWND header = reinterpret_cast<HWND>(SendMessageA(child, LVM_GETHEADER, 0, 0));
            HFONT font = fontOf(header) != nullptr ? fontOf(header) : fontOf(child);
            for (int c = 0; c < Header_GetItemCount(header); ++c) {
                char text[64] = {};
                HDITEMA item = {};
                item.mask = HDI_TEXT;
                item.pszText = text;
                item.cchTextMax = sizeof(text);
                RECT place = {};
                Header_GetItem(header, c, &item);
                Header_GetItemRect(header, c, &place);
                out << where << "/" << c << " " << place.left << " " << place.top << " "
                    << place.right << " " << place.bottom << " Header " << fontHeight(header)
                    << "\n";
                // A heading keeps a margin of three edges on either side.
                checkFits(out, where, font, text,
                          place.right - place.left - 6 * GetSystemMetrics(SM_CXEDGE));
            }
        }
    }
}

// The font menus are drawn in.
HFONT menuFont() {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return CreateFontIndirectA(&metrics.lfMenuFont);
}

// Each item of the menu shown as a popup, label and key beside each other.
void describeMenu(HMENU menu, std::ostream& out) {
    HFONT font = menuFont();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        std::string label = text;
        const std::string::size_type tab = label.find('\t');
        const std::string key = tab == std::string::npos ? "" : label.substr(tab + 1);
        label = label.substr(0, tab);
        RECT place = {};
        GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &place);
        checkFits(out, "menu", font, label + key, place.right - place.left);
    }
    DeleteObject(font);
}

struct Layout {
    std::map<std::string, RECT> places; // "<name> <id>"
    std::map<std::string, int> fonts;   // their heights
    // Closed drop-downs and headings, as tall as the system makes them for
    // their font (the layout gives a drop-down the height of its open list).
    std::vector<std::string> fontTall;
    std::vector<std::string> cuts;
    int rows = 0;
    SIZE largest = {}; // the largest window the system makes
    int pictureWidth = 0;
    std::vector<DWORD> picture;
};

Layout readLayout(const std::string& file) {
    Layout layout;
    std::istringstream lines(testsupport::readFile(file));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        if (name == "cut") {
            layout.cuts.push_back(line);
        } else if (name == "rows") {
            words >> layout.rows;
        } else if (name == "largest") {
            words >> layout.largest.cx >> layout.largest.cy;
        } else if (name == "picture") {
            words >> layout.pictureWidth;
            const std::string bytes = testsupport::readFile(file + ".pixels");
            layout.picture.resize(bytes.size() / sizeof(DWORD));
            std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(layout.picture.data()));
        } else {
            std::string id;
            std::string kind;
            RECT r = {};
            words >> id >> r.left >> r.top >> r.right >> r.bottom >> kind;
            layout.places[name + " " + id] = r;
            words >> layout.fonts[name + " " + id];
            if (lstrcmpiA(kind.c_str(), "ComboBox") == 0 || kind == "Header") {
                layout.fontTall.push_back(name + " " + id);
            }
        }
    }
    return layout;
}

// The prefix's resolution for the processes started while it lives.
class LogPixelsScope {
  public:
    explicit LogPixelsScope(DWORD dpi) { set(dpi); }
    ~LogPixelsScope() { set(HDpi::BASE); }

  private:
    static void set(DWORD dpi) {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi,
                        sizeof(dpi));
    }
};

} // namespace

// Run by the test below in a process of its own: writes what the editor shows
// at this process's resolution to the file RZ_SCALE_LAYOUT names.
TEST(RZScaleRecording, DISABLED_WindowDialogsMenusAndPicture) {
    const std::string file = testsupport::environment(LAYOUT_FILE);
    ASSERT_FALSE(file.empty());
    ASSERT_TRUE(setGameDirectory(sharedGame()));
    std::ostringstream out;
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    editor.selectRow(0);
    describe(editor.hwnd, "main", out);
    out << "rows " << SendMessageA(editor.controlHandle(IDC_SPELL_LIST), LVM_GETCOUNTPERPAGE, 0, 0)
        << "\n";
    out << "largest " << GetSystemMetrics(SM_CXMAXTRACK) << " " << GetSystemMetrics(SM_CYMAXTRACK)
        << "\n";
    HMENU bar = GetMenu(editor.hwnd);
    HFONT font = menuFont();
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        char text[64] = {};
        GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        RECT place = {};
        GetMenuItemRect(editor.hwnd, bar, static_cast<UINT>(i), &place);
        checkFits(out, "menu bar", font, text, place.right - place.left);
        // Each menu as it opens: its items measured while it is shown.
        testsupport::DialogDriver driver(
            [&out](HWND popup) {
                describeMenu(reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)), out);
                EndMenu();
                return true;
            },
            "#32768");
        TrackPopupMenu(GetSubMenu(bar, i), TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, 0, editor.hwnd,
                       nullptr);
        EXPECT_EQ(1, driver.handled()) << text;
    }
    DeleteObject(font);
    for (const auto& dialog : DIALOGS) {
        testsupport::DialogDriver driver(
            [&out, &dialog](HWND shown) {
                describe(shown, dialog.windowClass, out);
                PostMessageA(shown, WM_CLOSE, 0, 0);
                return true;
            },
            dialog.windowClass);
        editor.command(dialog.command);
        EXPECT_EQ(1, driver.handled()) << dialog.windowClass;
    }
    EXPECT_EQ(0, answers.unexpected);
    // The first frame, drawn as the view draws it (also where it lies off the screen).
    auto* view = static_cast<RZImageView*>(editor.control(IDC_PICTURE));
    view->restartTimerAnimation();
    RECT client = {};
    GetClientRect(view->getHandle(), &client);
    const std::vector<DWORD> pixels = testsupport::pixelsOf(
        client.right, client.bottom, [&](HDC dc) { PrintWindow(view->getHandle(), dc, 0); });
    out << "picture " << client.right << "\n";
    testsupport::writeFile(
        file + ".pixels",
        std::string(reinterpret_cast<const char*>(pixels.data()), pixels.size() * sizeof(DWORD)));
    ASSERT_TRUE(testsupport::writeFile(file, out.str()));
}

TEST(RZScaleTest, WindowAndEveryDialogAreLaidOutForTheScreensResolution) {
    const std::string program = rzprocess::programPath();
    if (program.empty()) {
        GTEST_SKIP() << "needs RZEdit.exe (RZ_BUILD_DIR)";
    }
    const std::string work = testsupport::makeScratchDir("scale");
    // The recordings register a game of their own.
    rzprocess::GameDirectoryScope game(testsupport::gameDirectory());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::map<int, Layout> layouts;
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        LogPixelsScope resolution(static_cast<DWORD>(dpi));
        const std::string file = work + "\\layout-" + std::to_string(dpi) + ".txt";
        SetEnvironmentVariableA(LAYOUT_FILE, file.c_str());
        ASSERT_EQ(0,
                  testsupport::runProcess(
                      std::string("\"") + self +
                          "\" --gtest_also_run_disabled_tests "
                          "--gtest_filter=RZScaleRecording.DISABLED_WindowDialogsMenusAndPicture",
                      work, 120000));
        const Layout& shown = layouts[dpi] = readLayout(file);
        const Layout& base = layouts[HDpi::BASE];
        EXPECT_EQ(std::vector<std::string>(), shown.cuts);
        EXPECT_GE(shown.rows, 7);
        EXPECT_EQ(base.places.size(), shown.places.size());
        for (const auto& place : base.places) {
            RECT want = HDpi::scale(place.second, dpi);
            if (place.first == "main 0") {
                // A window larger than the screen is made as large as the system lets it.
                want.right = std::min(want.right, shown.largest.cx);
                want.bottom = std::min(want.bottom, shown.largest.cy);
            }
            const RECT got =
                shown.places.count(place.first) ? shown.places.at(place.first) : RECT{};
            EXPECT_NEAR(want.left, got.left, 1) << place.first;
            EXPECT_NEAR(want.top, got.top, 1) << place.first;
            EXPECT_NEAR(want.right, got.right, 1) << place.first;
            const bool fontTall =
                std::count(base.fontTall.begin(), base.fontTall.end(), place.first) > 0;
            EXPECT_TRUE(fontTall || std::abs(want.bottom - got.bottom) <= 1)
                << place.first << " bottom " << got.bottom << ", not " << want.bottom;
            EXPECT_NEAR(HDpi::scale(base.fonts.at(place.first), dpi),
                        shown.fonts.count(place.first) ? shown.fonts.at(place.first) : 0, 1)
                << place.first << " font";
        }
        // Frames at a whole-number scale, each pixel a square of pixels: twice
        // the size from 192 DPI, as at 96 below it.
        const int scale = dpi / HDpi::BASE;
        ASSERT_FALSE(shown.picture.empty());
        int differing = 0;
        for (std::size_t at = 0; at < shown.picture.size(); ++at) {
            const int x = static_cast<int>(at % shown.pictureWidth) / scale;
            const int y = static_cast<int>(at / shown.pictureWidth) / scale;
            const std::size_t from = static_cast<std::size_t>(y) * base.pictureWidth + x;
            const DWORD background = base.picture.back();
            const DWORD want = x < base.pictureWidth && from < base.picture.size()
                                   ? base.picture[from]
                                   : background;
            differing += shown.picture[at] != want ? 1 : 0;
        }
        EXPECT_EQ(0, differing);

        // The program file lays its window out alike (its manifest declares it aware).
        rzprocess::EditorProcess editor;
        ASSERT_TRUE(editor.start(program, work));
        RECT outer = {};
        GetWindowRect(editor.mainWindow(), &outer);
        EXPECT_EQ(shown.places.at("main 0").right, outer.right - outer.left);
        for (const auto& place : shown.places) {
            if (place.first.rfind("main ", 0) == 0 && place.first != "main 0" &&
                place.first.find('/') == std::string::npos) {
                RECT r = {};
                GetWindowRect(editor.control(std::stoi(place.first.substr(5))), &r);
                MapWindowPoints(nullptr, editor.mainWindow(), reinterpret_cast<POINT*>(&r), 2);
                EXPECT_TRUE(EqualRect(&r, &place.second)) << place.first;
            }
        }
        PostMessageA(editor.mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
        EXPECT_EQ(0, editor.waitExit());
    }
}

namespace {

// The controls' places in their window's client area, by id.
std::map<int, RECT> placesIn(HWND window) {
    std::map<int, RECT> places;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = {};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        places[GetDlgCtrlID(child)] = r;
    }
    return places;
}

// WM_DPICHANGED as the system sends it when a window is moved to a screen of
// another resolution (Wine, with one resolution for every screen, never does).
void moveToScreen(HWND window, int dpi, RECT suggested) {
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

} // namespace

TEST(RZScaleTest, MovingToAScreenOfAnotherResolutionLaysOutAgainAndKeepsTheWork) {
    ASSERT_TRUE(setGameDirectory(sharedGame()));
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    editor.selectRow(3);
    editor.type(IDC_NAME, "新しい名前");
    const std::string table = tableState(editor.document());
    const std::map<int, RECT> before = placesIn(editor.hwnd);
    const int listFont = fontHeight(editor.controlHandle(IDC_SPELL_LIST));
    RECT outer = {};
    GetWindowRect(editor.hwnd, &outer);

    // Within what the screen of this test takes (the system suggests the new size).
    const RECT suggested = {10, 20, 10 + 1000, 20 + 740};
    moveToScreen(editor.hwnd, 192, suggested);
    RECT moved = {};
    GetWindowRect(editor.hwnd, &moved);
    EXPECT_TRUE(EqualRect(&moved, &suggested));
    for (const auto& place : placesIn(editor.hwnd)) {
        RECT want = HDpi::scale(before.at(place.first), 192);
        if (place.first == IDC_TARGET) {
            want.bottom = place.second.bottom; // as tall as its font makes it
        }
        EXPECT_TRUE(EqualRect(&want, &place.second)) << place.first;
    }
    EXPECT_EQ(-24, fontHeight(editor.controlHandle(IDC_NAME)));
    EXPECT_EQ(listFont * 2, fontHeight(editor.controlHandle(IDC_SPELL_LIST)));
    EXPECT_EQ(2 * 96, ListView_GetColumnWidth(editor.controlHandle(IDC_SPELL_LIST), 1));
    EXPECT_EQ(2, static_cast<RZImageView*>(editor.control(IDC_PICTURE))->getFrameScale());
    // What the user was doing stays as it was.
    EXPECT_EQ(table, tableState(editor.document()));
    EXPECT_EQ(3, editor.selectedRow());
    EXPECT_EQ("新しい名前", testsupport::windowText(editor.controlHandle(IDC_NAME)));
    EXPECT_FALSE(editor.greyed(IDM_UNDO));

    // Back on the first screen every pixel is where it was.
    moveToScreen(editor.hwnd, 96, outer);
    EXPECT_EQ(before.size(), placesIn(editor.hwnd).size());
    for (const auto& place : placesIn(editor.hwnd)) {
        EXPECT_TRUE(EqualRect(&before.at(place.first), &place.second)) << place.first;
    }
    EXPECT_EQ(listFont, fontHeight(editor.controlHandle(IDC_SPELL_LIST)));

    // An open dialog lays itself out again as well, keeping what was typed.
    testsupport::DialogDriver driver(
        [](HWND dialog) {
            SetWindowTextA(GetDlgItem(dialog, IDC_FIND_TEXT), "炎");
            const std::map<int, RECT> shown = placesIn(dialog);
            RECT area = {};
            GetWindowRect(dialog, &area);
            area.right = area.left + 450;
            area.bottom = area.top + 150;
            moveToScreen(dialog, 144, area);
            for (const auto& place : placesIn(dialog)) {
                const RECT want = HDpi::scale(shown.at(place.first), 144);
                EXPECT_TRUE(EqualRect(&want, &place.second)) << place.first;
            }
            EXPECT_EQ(-18, fontHeight(GetDlgItem(dialog, IDC_FIND_TEXT)));
            EXPECT_EQ("炎", testsupport::windowText(GetDlgItem(dialog, IDC_FIND_TEXT)));
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            return true;
        },
        "RZFindDialog");
    editor.command(IDM_FIND);
    EXPECT_EQ(1, driver.handled());
}
