#include "toolkit/HListViewTips.h"

#include "toolkit/HListView.h"
#include "toolkit/HWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

namespace {

// What a list view leaves beside a cell's text, both sides together: a text
// this much narrower than its column is shown whole.
const int TEXT_MARGINS = 12;

// The tool description as every version of the tooltip control takes it (the
// older ones refuse the longer structure of the newer headers).
TTTOOLINFOA toolInfo(HWND list, UINT_PTR id) {
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = list;
    info.uId = id;
    return info;
}

// After these the cell under the mouse may be another, or the user acts on
// the list: the tip goes until the mouse moves again.
const HEventType FORGETTING[] = {
    HEventType(WM_LBUTTONDOWN, "WM_LBUTTONDOWN"), HEventType(WM_RBUTTONDOWN, "WM_RBUTTONDOWN"),
    HEventType(WM_MOUSEWHEEL, "WM_MOUSEWHEEL"),   HEventType(WM_VSCROLL, "WM_VSCROLL"),
    HEventType(WM_HSCROLL, "WM_HSCROLL"),         HEventType(WM_KEYDOWN, "WM_KEYDOWN")};

} // namespace

HListViewTips::HListViewTips(HListView* list)
    : HEventListener(HEventType::byName("WM_MOUSEMOVE")), listView(list) {
    setClassName("HListViewTips");
    for (const HEventType& type : FORGETTING) {
        auto companion = std::make_unique<HEventListener>(type);
        companion->setDelegate(this);
        companions.push_back(std::move(companion));
    }
}

HListViewTips::~HListViewTips() {
    detach();
}

void HListViewTips::attach() {
    HWND list = listView->getHandle();
    if (tip != nullptr || list == nullptr) {
        return;
    }
    // Owned by the list's window, so it goes with it at the latest.
    tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                          WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr, HWindow::instanceHandle(),
                          nullptr);
    if (tip == nullptr) {
        return;
    }
    // The list's own font, which has the table's characters; a long text
    // wraps at the list's width instead of running off the screen.
    SendMessageA(tip, WM_SETFONT, static_cast<WPARAM>(SendMessageA(list, WM_GETFONT, 0, 0)), FALSE);
    RECT client = {};
    GetClientRect(list, &client);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, client.right);
}

void HListViewTips::detach() {
    if (tip != nullptr && IsWindow(tip)) {
        DestroyWindow(tip);
    }
    tip = nullptr;
    tool = 0;
    row = -1;
    column = -1;
}

bool HListViewTips::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (tip == nullptr || hwnd != listView->getHandle()) {
        return true;
    }
    if (msg != WM_MOUSEMOVE) {
        forget();
        return true;
    }
    follow(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    // The tooltip times the rest itself from the moves it is shown.
    MSG relayed = {};
    relayed.hwnd = hwnd;
    relayed.message = msg;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    const DWORD at = GetMessagePos();
    relayed.pt = POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    return true;
}

void HListViewTips::follow(POINT point) {
    HWND list = listView->getHandle();
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const int hitRow = (hit.flags & LVHT_ONITEM) != 0 ? hit.iItem : -1;
    const int hitColumn = hitRow >= 0 ? hit.iSubItem : -1;
    if (hitRow == row && hitColumn == column) {
        return;
    }
    forget();
    row = hitRow;
    column = hitColumn;
    if (row < 0) {
        return;
    }
    const std::string text = listView->getItemText(row, column);
    const LRESULT width =
        SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const LRESULT room = SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_LABEL;
    if (text.empty() || width + TEXT_MARGINS <= room ||
        !SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&cell))) {
        return;
    }
    // A new tool for every cell: the tooltip takes it for another place, and
    // shows its tip after the mouse rests there.
    lastTool = lastTool == ~UINT_PTR(0) ? 1 : lastTool + 1;
    TTTOOLINFOA info = toolInfo(list, lastTool);
    info.rect = cell;
    info.lpszText = const_cast<char*>(text.c_str());
    if (SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) {
        tool = lastTool;
    }
}

void HListViewTips::forget() {
    if (tool != 0) {
        SendMessageA(tip, TTM_POP, 0, 0);
        TTTOOLINFOA info = toolInfo(listView->getHandle(), tool);
        SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
        tool = 0;
    }
    row = -1;
    column = -1;
}
