// The third start-up baseline for the editor's benchmark: the editor's window
// as plain Win32 calls, without the toolkit, the data or the log. Under COM and
// with the editor's manifest (current common controls), as the editor is; one window of
// the editor's class style and window style (WS_CLIPCHILDREN among them), the
// editor's 33 controls of the same classes, styles, places and font, the two
// report list views with their columns, a menu bar of the same shape, then
// ShowWindow and UpdateWindow; all of it laid out for the screen's resolution
// as the editor lays out its own (places, sizes, columns and font given at 96
// DPI, scaled with MulDiv). At its first WM_PAINT it reports the time since
// the process was created (the clock of the editor's bench hook), then quits.
// What this program takes over the minimal window program is what the window
// itself costs the platform; what the editor takes over this program is what
// the editor adds. Output:
//   BENCH startup.formwin_ms <ms from process creation to the first WM_PAINT>
//   BENCH startup.formwin_entry_ms <ms from process creation to main>
#include "support/HProcessClock.h"
#include "bench/BenchFirstPaint.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>

namespace {

enum Kind { LIST, BUTTON, LABEL, EDIT, READ_ONLY, NUMBER, DROPDOWN, IMAGE };

struct Control {
    Kind kind;
    int x, y, width, height;
};

// The editor's form, control by control in the order it builds them.
const Control CONTROLS[] = {
    {LIST, 0, 0, 632, 144},       {BUTTON, 10, 147, 70, 20},     {BUTTON, 80, 147, 70, 20},
    {BUTTON, 160, 147, 70, 20},   {LABEL, 10, 174, 44, 16},      {EDIT, 54, 172, 156, 20},
    {LABEL, 226, 174, 44, 16},    {READ_ONLY, 270, 172, 40, 20}, {LABEL, 10, 196, 44, 16},
    {READ_ONLY, 54, 194, 40, 20}, {LABEL, 110, 196, 44, 16},     {READ_ONLY, 154, 194, 40, 20},
    {LABEL, 226, 196, 44, 16},    {DROPDOWN, 270, 194, 156, 80}, {LABEL, 10, 218, 44, 16},
    {EDIT, 54, 216, 40, 20},      {LABEL, 110, 218, 44, 16},     {NUMBER, 154, 216, 40, 20},
    {LABEL, 226, 218, 44, 16},    {NUMBER, 270, 216, 40, 20},    {LABEL, 326, 218, 44, 16},
    {NUMBER, 370, 216, 40, 20},   {LABEL, 10, 240, 44, 16},      {EDIT, 54, 238, 372, 20},
    {LABEL, 10, 262, 44, 16},     {EDIT, 54, 260, 156, 20},      {BUTTON, 210, 260, 60, 20},
    {BUTTON, 270, 260, 60, 20},   {LABEL, 10, 284, 44, 16},      {BUTTON, 54, 282, 100, 20},
    {IMAGE, 54, 304, 372, 128},   {LABEL, 442, 174, 180, 16},    {LIST, 442, 192, 180, 188},
};

const int SPELL_COLUMN_WIDTHS[] = {24, 96, 36, 24, 24, 36, 36, 36, 36, 36, 132, 96};
const int CHARACTER_COLUMN_WIDTHS[] = {116, 36};
// Items of each menu of the editor's menu bar (separators included).
const int MENU_ITEMS[] = {8, 13, 8, 1};

// The screen's resolution, which the window is laid out for.
int screenDpi = 96;

int scaled(int value) {
    return MulDiv(value, screenDpi, 96);
}

HWND createControl(HWND parent, const Control& control, int id, HFONT font, bool firstList) {
    const char* windowClass = "STATIC";
    const char* text = "ラベル";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (control.kind) {
    case LIST:
        windowClass = WC_LISTVIEWA;
        text = "";
        style |= WS_CLIPCHILDREN | LVS_REPORT | LVS_SHOWSELALWAYS | (firstList ? LVS_SINGLESEL : 0);
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case BUTTON:
        windowClass = "BUTTON";
        text = "ボタン";
        style |= BS_CENTER;
        break;
    case LABEL:
        break;
    case EDIT:
    case READ_ONLY:
    case NUMBER:
        windowClass = "EDIT";
        text = "";
        style |= ES_AUTOHSCROLL | (control.kind == READ_ONLY ? ES_READONLY : 0) |
                 (control.kind == NUMBER ? ES_NUMBER : 0);
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case DROPDOWN:
        windowClass = "COMBOBOX";
        text = "";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        break;
    case IMAGE:
        text = "";
        break;
    }
    HWND hwnd = CreateWindowExA(
        exStyle, windowClass, text, style, scaled(control.x), scaled(control.y),
        scaled(control.x + control.width) - scaled(control.x),
        scaled(control.y + control.height) - scaled(control.y), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (hwnd != nullptr && !(control.kind == LIST && firstList)) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return hwnd;
}

void addColumns(HWND list, const int* widths, int count) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < count; ++i) {
        char text[] = "列";
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = scaled(widths[i]);
        column.pszText = text;
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

} // namespace

int main() {
    double enteredMs = HProcessClock::msSinceCreation();
    INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HDC screen = GetDC(nullptr);
    screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const char* className = "BenchFormWindow";
    if (!BenchFirstPaint::registerClass(className, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                        CreateSolidBrush(RGB(212, 208, 200)))) {
        return 1;
    }
    HWND window = CreateWindowExA(0, className, "bench",
                                  WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, scaled(640), scaled(480), nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    HFONT font = CreateFontA(-MulDiv(9, screenDpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, "ＭＳ ゴシック");
    bool firstList = true;
    int id = 101;
    for (const Control& control : CONTROLS) {
        HWND hwnd = createControl(window, control, id++, font, firstList);
        if (hwnd == nullptr) {
            return 1;
        }
        if (control.kind == LIST) {
            addColumns(hwnd, firstList ? SPELL_COLUMN_WIDTHS : CHARACTER_COLUMN_WIDTHS,
                       firstList ? 12 : 2);
            firstList = false;
        }
    }
    HMENU bar = CreateMenu();
    for (int items : MENU_ITEMS) {
        HMENU popup = CreatePopupMenu();
        for (int i = 0; i < items; ++i) {
            AppendMenuA(popup, MF_STRING, 1000 + i, "項目");
        }
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "メニュー");
    }
    SetMenu(window, bar);
    CoInitialize(nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    BenchFirstPaint::runMessageLoop();
    CoUninitialize();

    std::printf("BENCH startup.formwin_ms %.3f\n", BenchFirstPaint::paintedMs());
    std::printf("BENCH startup.formwin_entry_ms %.3f\n", enteredMs);
    return BenchFirstPaint::paintedMs() < 0.0 ? 1 : 0;
}
