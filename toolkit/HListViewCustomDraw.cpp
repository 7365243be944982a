#include "toolkit/HListViewCustomDraw.h"

#include "toolkit/HListView.h"

#include <commctrl.h>

HListViewCustomDraw::HListViewCustomDraw(HListView* listView)
    : HEventListener(HEventType::byName("WM_NOTIFY")), listView(listView) {
    setClassName("HListViewCustomDraw");
}

HListViewCustomDraw::~HListViewCustomDraw() {}

bool HListViewCustomDraw::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (msg != WM_NOTIFY || header == nullptr || listView == nullptr || result == nullptr ||
        header->code != static_cast<UINT>(NM_CUSTOMDRAW) ||
        header->hwndFrom != listView->getHandle() || header->hwndFrom == nullptr) {
        return true;
    }
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        if (listView->isSelectionHighlighted() && (draw->nmcd.uItemState & CDIS_SELECTED) != 0) {
            draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
            draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
            // Otherwise the control paints its own colours over these, and
            // without the focus its selection colour is nearly the window's.
            draw->nmcd.uItemState &= ~CDIS_SELECTED;
        } else {
            draw->clrTextBk =
                listView->getItemColor(static_cast<int>(draw->nmcd.dwItemSpec)).getColorRef();
        }
        *result = CDRF_NEWFONT;
        break;
    default:
        *result = CDRF_DODEFAULT;
        break;
    }
    return true;
}
