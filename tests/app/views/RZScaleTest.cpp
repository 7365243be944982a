// The window and every dialog laid out for the screen's resolution. Wine takes
// the resolution from the prefix's LogPixels when a process starts, so the
// editor is run at each resolution in a process of its own (this program again)
// and set against its own layout at 96 DPI, scaled; at 96, 120 and 144 DPI each
// also looks, pixel for pixel, as it did when its look was last approved.
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

#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace editortest;

namespace {

const struct {
    int command;
    const char* windowClass;
    const char* chosen = nullptr; // the table a chooser before the dialog is given, in the game
} DIALOGS[] = {{IDM_FIND, "RZFindDialog"},
               {IDM_BULK_CHANGE, "RZBulkChangeDialog"},
               {IDM_TABLE_CHECK, "RZTableCheckDialog"},
               {IDM_STOCK_DIFF, "RZStockDiffDialog"},
               {IDM_CHARACTER_SPELLS, "RZCharacterSpellsDialog"},
               {IDM_FILTER, "RZFilterDialog"},
               {IDM_COMPARE_TABLE, "RZTableCompareDialog", "\\SetB\\Data\\MagicTable"},
               {IDM_ABOUT, "RZVersion"}};

HFONT fontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

int fontHeight(HWND control) {
    LOGFONTA font = {};
    GetObjectA(fontOf(control), sizeof(font), &font);
    return font.lfHeight;
}

// Each line of the text (the & of a mnemonic not counted) fits the room in the font.
void expectFits(HFONT font, const std::string& text, int room, const std::string& where) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line, '\r');) {
        RECT r = {0, 0, 0, 0};
        DrawTextA(dc, line.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_LE(r.right, room) << where << " cuts " << line;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

// A window's client area as the user sees it once what waits is painted
// (nothing else is: a part left unpainted shows as it is).
std::vector<DWORD> clientPixels(HWND window, RECT& client) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HideCaret(nullptr); // it blinks
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    std::vector<DWORD> pixels = testsupport::pixelsOf(client.right, client.bottom, [&](HDC dc) {
        BitBlt(dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    });
    ReleaseDC(window, screen);
    return pixels;
}

// Pixels, rows of `width`, as the FNV-1a hash of their colours in hex, those
// in `skipped` (an animation) left out; kept in `file` as a bitmap to look at.
std::string lookOf(const std::vector<DWORD>& pixels, int width, const std::string& file,
                   RECT skipped) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t at = 0; at < pixels.size(); ++at) {
        const POINT point = {static_cast<LONG>(at % static_cast<std::size_t>(width)),
                             static_cast<LONG>(at / static_cast<std::size_t>(width))};
        hash = (hash ^ (PtInRect(&skipped, point) ? 0 : pixels[at] & 0xFFFFFF)) * 1099511628211ull;
    }
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -static_cast<LONG>(pixels.size() / static_cast<std::size_t>(width));
    info.biPlanes = 1;
    info.biBitCount = 32;
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof(head) + sizeof(info);
    head.bfSize = head.bfOffBits + static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    testsupport::writeFile(file,
                           std::string(reinterpret_cast<const char*>(&head), sizeof(head)) +
                               std::string(reinterpret_cast<const char*>(&info), sizeof(info)) +
                               std::string(reinterpret_cast<const char*>(pixels.data()),
                                           pixels.size() * sizeof(DWORD)));
    char text[24];
    snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// How the window and each dialog look at two resolutions, as lookOf hashes
// them. A change of anything drawn (a place, a size, a text, a font, a colour)
// changes its line: look at the bitmap the failure names, and when it is as
// meant, put the new hash here.
const std::map<std::string, std::string> LOOKS = {
    {"main 96", "59ab8a6b7c0f3914"},
    {"main 120", "708dd19e352d5c6f"},
    {"main 144", "f8ef8cdeb0f947f4"},
    {"main-filtered 96", "0a7aadef1ff68a9d"},
    {"main-filtered 120", "82095d30fbd1ca6d"},
    {"main-filtered 144", "93bd3253f4803366"},
    {"picture 96", "1a12fc9404408f25"},
    {"picture 120", "21633ee5395897a5"},
    {"picture 144", "9127e954c1e46925"},
    {"RZBulkChangeDialog 96", "e17665d2baf0c62d"},
    {"RZBulkChangeDialog 120", "f29decc03aa6f322"},
    {"RZBulkChangeDialog 144", "e8218ee27f3c7810"},
    {"RZCharacterSpellsDialog 96", "b3b01dd9407c83a4"},
    {"RZCharacterSpellsDialog 120", "ec51928432cec508"},
    {"RZCharacterSpellsDialog 144", "06322839d2d96598"},
    {"RZFilterDialog 96", "f675558549c2406f"},
    {"RZFilterDialog 120", "a76d62aace562ef1"},
    {"RZFilterDialog 144", "6413b1521084e5d6"},
    {"RZFindDialog 96", "8e96abcf77604b73"},
    {"RZFindDialog 120", "b9a5aa583f8ac3d4"},
    {"RZFindDialog 144", "a483f89da181b1e2"},
    {"RZStockDiffDialog 96", "31e6b41cb2cd7aaf"},
    {"RZStockDiffDialog 120", "b644fe1cad885044"},
    {"RZStockDiffDialog 144", "e3127e4bee0dadb7"},
    {"RZTableCheckDialog 96", "0cd75d02e5343079"},
    {"RZTableCheckDialog 120", "991adba503d9893c"},
    {"RZTableCheckDialog 144", "e755c21f13bf3a52"},
    {"RZTableCompareDialog 96", "e8406aa25f7a2886"},
    {"RZTableCompareDialog 120", "378772c954472d07"},
    {"RZTableCompareDialog 144", "2f19cb5c6935b997"},
    {"RZVersion 96", "09c0abe4c84f044c"},
    {"RZVersion 120", "6318ef2e6f2fd887"},
    {"RZVersion 144", "ada0d3d67bc1edf8"},
};

// Checks the look of `name` at 96, 120 and 144 DPI (at 192 a dialog is
// larger than the test's screen).
void expectLook(const std::vector<DWORD>& pixels, int width, const std::string& name, int dpi,
                RECT skipped = RECT{}) {
    if (dpi > 144) {
        return;
    }
    const std::string folder = testsupport::programDirectory() + "\\looks";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string key = name + " " + std::to_string(dpi);
    const auto known = LOOKS.find(key);
    const std::string file = folder + "\\" + name + "-" + std::to_string(dpi) + ".bmp";
    EXPECT_EQ(known != LOOKS.end() ? known->second : "", lookOf(pixels, width, file, skipped))
        << key << " looks different: " << file;
}

void expectLook(HWND window, const std::string& name, RECT skipped = RECT{}) {
    RECT client = {};
    const std::vector<DWORD> pixels = clientPixels(window, client);
    expectLook(pixels, client.right, name, HDpi::ofWindow(window), skipped);
}

// Where each thing lies, "<window> <id>" (id 0: the window's outer size; a list
// column "<list>/<column>"): left, top, right, bottom, font height, and 1 when
// the system sizes its height by the font (a closed drop-down, whose layout
// height is that of its open list; a heading).
using Places = std::map<std::string, std::vector<int>>;

void describe(HWND window, const std::string& name, Places& places, int dpi = HDpi::ofSystem()) {
    RECT r = {};
    GetWindowRect(window, &r);
    places[name + " 0"] = {0, 0, r.right - r.left, r.bottom - r.top, 0, 0};
    // Also a window larger than the screen keeps its title bar on it.
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(r.left >= work.left && r.top >= work.top)
        << name << " at " << r.left << ", " << r.top;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string where = name + " " + std::to_string(GetDlgCtrlID(child));
        char kind[32] = {};
        GetClassNameA(child, kind, sizeof(kind));
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        places[where] = {
            r.left, r.top, r.right, r.bottom, fontHeight(child), lstrcmpiA(kind, "ComboBox") == 0};
        if (lstrcmpiA(kind, "Static") == 0 || lstrcmpiA(kind, "Button") == 0) {
            // In the window's or the dialog's 9-point font, never the system's bitmap one.
            EXPECT_EQ(fontHeight(child), -MulDiv(9, dpi, 72)) << where;
            expectFits(fontOf(child), testsupport::windowText(child), r.right - r.left, where);
        }
        HWND header = reinterpret_cast<HWND>(SendMessageA(child, LVM_GETHEADER, 0, 0));
        for (int c = 0; lstrcmpiA(kind, WC_LISTVIEWA) == 0 && c < Header_GetItemCount(header);
             ++c) {
            char text[64] = {};
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            Header_GetItem(header, c, &item);
            Header_GetItemRect(header, c, &r);
            places[where + "/" + std::to_string(c)] = {
                r.left, r.top, r.right, r.bottom, fontHeight(header), 1};
            // A heading keeps a margin of three edges on either side.
            expectFits(fontOf(header) ? fontOf(header) : fontOf(child), text,
                       r.right - r.left - 6 * GetSystemMetrics(SM_CXEDGE), where);
        }
    }
    EXPECT_LE(testsupport::buttonHeights(window), 1u) << name << ": push buttons of uneven heights";
}

} // namespace

// Run by the test below in a process of its own, at the resolution Wine gave
// it: records the window, every dialog and the picture; at 96 DPI into the
// files RZ_SCALE_BASE names, at others checked against them.
TEST(RZScaleRecording, DISABLED_WindowDialogsMenusAndPicture) {
    const std::string base = testsupport::environment("RZ_SCALE_BASE");
    ASSERT_FALSE(base.empty());
    ASSERT_TRUE(setGameDirectory(sharedGame()));
    // No tip or hot item under the mouse.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Places places;
    Answerer answers;
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    editor.selectRow(0);
    describe(editor.hwnd, "main", places);
    RECT animated = {};
    GetWindowRect(editor.controlHandle(IDC_PICTURE), &animated);
    MapWindowPoints(nullptr, editor.hwnd, reinterpret_cast<POINT*>(&animated), 2);
    expectLook(editor.hwnd, "main", animated);
    EXPECT_GE(SendMessageA(editor.controlHandle(IDC_SPELL_LIST), LVM_GETCOUNTPERPAGE, 0, 0), 7);
    // The menu bar's items (a menu's own items the system lays out to fit).
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT menuFont = CreateFontIndirectA(&metrics.lfMenuFont);
    HMENU bar = GetMenu(editor.hwnd);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        char text[64] = {};
        GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        RECT item = {};
        GetMenuItemRect(editor.hwnd, bar, static_cast<UINT>(i), &item);
        expectFits(menuFont, text, item.right - item.left, "menu");
    }
    DeleteObject(menuFont);
    for (const auto& dialog : DIALOGS) {
        testsupport::DialogDriver driver(
            [&](HWND shown) {
                describe(shown, dialog.windowClass, places);
                expectLook(shown, dialog.windowClass);
                PostMessageA(shown, WM_CLOSE, 0, 0);
                return true;
            },
            dialog.windowClass);
        if (dialog.chosen != nullptr) {
            answers.push(IDOK, sharedGame() + dialog.chosen);
        }
        editor.command(dialog.command);
        EXPECT_EQ(1, driver.handled()) << dialog.windowClass;
    }
    // A filter fills the list again, painting only what changed; cleared and
    // the first row selected again, the window looks as it did.
    {
        testsupport::DialogDriver byName(
            [](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_FILTER_TEXT, "呪文1");
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FILTER_OK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_FILTER_OK)));
                return true;
            },
            "RZFilterDialog");
        editor.command(IDM_FILTER);
    }
    expectLook(editor.hwnd, "main-filtered", animated);
    editor.command(IDM_CLEAR_FILTER);
    editor.selectRow(0);
    expectLook(editor.hwnd, "main", animated);
    EXPECT_EQ(0, answers.unexpected);
    // The first frame as the view draws it (PrintWindow: also where it lies off
    // the screen, as at 192 DPI on the test's small screen).
    HWND view = editor.controlHandle(IDC_PICTURE);
    static_cast<RZImageView*>(editor.control(IDC_PICTURE))->restartTimerAnimation();
    RECT client = {};
    GetClientRect(view, &client);
    const std::vector<DWORD> picture = testsupport::pixelsOf(
        client.right, client.bottom, [&](HDC dc) { PrintWindow(view, dc, 0); });
    places["picture view"] = {client.right, 0, 0, 0, 0, 0};
    expectLook(picture, client.right, "picture", HDpi::ofWindow(view));

    const int dpi = HDpi::ofWindow(editor.hwnd);
    if (dpi == HDpi::BASE) {
        std::ostringstream out;
        for (const auto& place : places) {
            out << place.first;
            for (int value : place.second) {
                out << " " << value;
            }
            out << "\n";
        }
        ASSERT_TRUE(testsupport::writeFile(base, out.str()));
        ASSERT_TRUE(testsupport::writeFile(
            base + ".pixels", std::string(reinterpret_cast<const char*>(picture.data()),
                                          picture.size() * sizeof(DWORD))));
        return;
    }
    Places at96;
    std::istringstream lines(testsupport::readFile(base));
    for (std::string window, id; lines >> window >> id;) {
        std::vector<int>& values = at96[window + " " + id] = std::vector<int>(6);
        for (int& value : values) {
            lines >> value;
        }
    }
    ASSERT_EQ(at96.size(), places.size());
    for (const auto& place : at96) {
        const std::vector<int>& got = places[place.first];
        ASSERT_EQ(6u, got.size()) << place.first;
        for (std::size_t i = 0; i < got.size(); ++i) {
            int want = HDpi::scale(place.second[i], dpi);
            if (place.first == "main 0") {
                // A window larger than the screen is as large as the system lets it be.
                want = std::min(want, GetSystemMetrics(i == 2 ? SM_CXMAXTRACK : SM_CYMAXTRACK));
            }
            EXPECT_TRUE((i == 3 && place.second[5]) || i == 5 || std::abs(want - got[i]) <= 1)
                << place.first << " [" << i << "] " << got[i] << ", not " << want;
        }
    }
    // Frames at a whole-number scale, each pixel a square of pixels: twice the
    // size from 192 DPI, as at 96 below it; the background around them.
    const std::string bytes = testsupport::readFile(base + ".pixels");
    const DWORD* pixels96 = reinterpret_cast<const DWORD*>(bytes.data());
    const int width96 = at96["picture view"][0];
    const int height96 = static_cast<int>(bytes.size() / sizeof(DWORD)) / width96;
    const int scale = dpi / HDpi::BASE;
    int differing = 0;
    for (std::size_t at = 0; at < picture.size(); ++at) {
        const int x = static_cast<int>(at) % client.right / scale;
        const int y = static_cast<int>(at) / client.right / scale;
        const DWORD background = pixels96[width96 * height96 - 1];
        differing +=
            picture[at] != (x < width96 && y < height96 ? pixels96[y * width96 + x] : background);
    }
    EXPECT_EQ(0, differing);
}

TEST(RZScaleTest, WindowAndEveryDialogAreLaidOutForTheScreensResolution) {
    rzprocess::GameDirectoryScope game(testsupport::gameDirectory());
    const std::string work = testsupport::makeScratchDir("scale");
    SetEnvironmentVariableA("RZ_SCALE_BASE", (work + "\\at96.txt").c_str());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    for (const DWORD dpi : {96, 120, 144, 192}) {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi,
                        sizeof(dpi));
        const int code = testsupport::runProcess(
            std::string("\"") + self +
                "\" --gtest_also_run_disabled_tests "
                "--gtest_filter=RZScaleRecording.DISABLED_WindowDialogsMenusAndPicture",
            work, 120000);
        const DWORD base = HDpi::BASE;
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &base,
                        sizeof(base));
        EXPECT_EQ(0, code) << "at " << dpi << " DPI (its output above)";
    }
}

// WM_DPICHANGED as the system sends it when a window is moved to a screen of
// another resolution (under Wine, with one resolution for all, the test does).
TEST(RZScaleTest, MovingToAScreenOfAnotherResolutionLaysOutAgainAndKeepsTheWork) {
    ASSERT_TRUE(setGameDirectory(sharedGame()));
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    editor.selectRow(3);
    editor.type(IDC_NAME, "新しい名前");
    const std::string table = tableState(editor.document());
    Places before;
    describe(editor.hwnd, "main", before);
    RECT outer = {};
    GetWindowRect(editor.hwnd, &outer);

    // Within what the test's screen takes (the system suggests the new size).
    RECT suggested = {10, 20, 10 + 1000, 20 + 740};
    SendMessageA(editor.hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    Places moved;
    describe(editor.hwnd, "main", moved, 192);
    EXPECT_EQ(1000, moved["main 0"][2]);
    EXPECT_EQ(740, moved["main 0"][3]);
    for (const auto& place : before) {
        for (std::size_t i = 0; place.first != "main 0" && i < 5; ++i) {
            EXPECT_TRUE((i == 3 && place.second[5]) || moved[place.first][i] == 2 * place.second[i])
                << place.first << " [" << i << "]";
        }
    }
    EXPECT_EQ(2, static_cast<RZImageView*>(editor.control(IDC_PICTURE))->getFrameScale());
    // What the user was doing stays as it was.
    EXPECT_EQ(table, tableState(editor.document()));
    EXPECT_EQ(3, editor.selectedRow());
    EXPECT_EQ("新しい名前", testsupport::windowText(editor.controlHandle(IDC_NAME)));
    EXPECT_FALSE(editor.greyed(IDM_UNDO));

    // Back on the first screen every control is where it was, in its font.
    SendMessageA(editor.hwnd, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&outer));
    Places back;
    describe(editor.hwnd, "main", back);
    EXPECT_EQ(before, back);
}
