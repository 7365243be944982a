#include "toolkit/HListViewEventListener.h"

#include "toolkit/HListView.h"

#include <commctrl.h>

HListViewEventListener::HListViewEventListener() : HEventListener(HEventType::byName("WM_NOTIFY")) {
    setClassName("HListViewEventListener");
}

HListViewEventListener::~HListViewEventListener() {}

bool HListViewEventListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (msg != WM_NOTIFY || header == nullptr) {
        return true;
    }
    HListView* listView = dynamic_cast<HListView*>(component);
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    LRESULT answer = -1;
    switch (header->code) {
    case LVN_ITEMCHANGED:
        if (change->iItem != -1) {
            bool before = (change->uOldState & LVIS_SELECTED) != 0;
            bool after = (change->uNewState & LVIS_SELECTED) != 0;
            if (after && !before) {
                if (onSelected(hwnd, listView, change->iItem)) {
                    answer = 0;
                }
            } else if (before && !after) {
                leftRow = change->iItem;
                leftTime = GetMessageTime();
                leftPosition = GetMessagePos();
                if (onRejected(hwnd, listView, change->iItem)) {
                    answer = 0;
                }
            }
            // A check box is the row's state image: 1 cleared, 2 ticked.
            const UINT image = change->uNewState & LVIS_STATEIMAGEMASK;
            if ((change->uChanged & LVIF_STATE) != 0 &&
                ((change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK) != 0 &&
                onChecked(hwnd, listView, change->iItem, image == INDEXTOSTATEIMAGEMASK(2))) {
                answer = 0;
            }
        }
        break;
    case LVN_ITEMCHANGING:
        if (change->iItem != -1) {
            bool before = (change->uOldState & LVIS_SELECTED) != 0;
            bool after = (change->uNewState & LVIS_SELECTED) != 0;
            // Answering 1 keeps the item as it is.
            if (after && !before) {
                answer = onSelecting(hwnd, listView, change->iItem) ? 0 : 1;
                if (answer == 1) {
                    restoreLeftRow(listView, change->iItem);
                }
            } else if (before && !after) {
                answer = onRejecting(hwnd, listView, change->iItem) ? 0 : 1;
            }
        }
        break;
    case LVN_COLUMNCLICK:
        if (onColumnClick(hwnd, listView, change->iSubItem)) {
            answer = 0;
        }
        break;
    case NM_DBLCLK:
        if (onDoubleClick(hwnd, listView, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem)) {
            answer = 0;
        }
        break;
    default:
        break;
    }
    if (answer != -1 && result != nullptr) {
        *result = answer;
    }
    return true;
}

void HListViewEventListener::restoreLeftRow(HListView* listView, int vetoed) {
    // Only when the same input message gave up the old row and nothing is
    // selected now; a selection made by the program never clears first.
    bool sameInput = GetMessageTime() == leftTime && GetMessagePos() == leftPosition;
    int row = leftRow;
    leftRow = -1;
    if (listView == nullptr || row < 0 || row == vetoed || !sameInput ||
        row >= listView->getItemCount() || listView->getSelectedIndex() != -1) {
        return;
    }
    listView->setSelectedIndex(row);
}

bool HListViewEventListener::onSelected(HWND hwnd, HListView* listView, int index) {
    printMessage("onSelected hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    return true;
}

bool HListViewEventListener::onRejected(HWND hwnd, HListView* listView, int index) {
    printMessage("onRejected hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    return true;
}

bool HListViewEventListener::onSelecting(HWND hwnd, HListView* listView, int index) {
    printMessage("onSelecting hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    return true;
}

bool HListViewEventListener::onRejecting(HWND hwnd, HListView* listView, int index) {
    printMessage("onRejecting hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    return true;
}

bool HListViewEventListener::onChecked(HWND hwnd, HListView* listView, int index, bool checked) {
    printMessage("onChecked hwnd=%llX, lv=%llX index=%d checked=%d", hexOf(hwnd), hexOf(listView),
                 index, checked ? 1 : 0);
    return true;
}

bool HListViewEventListener::onColumnClick(HWND hwnd, HListView* listView, int index) {
    printMessage("onColumnClick hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    return true;
}

bool HListViewEventListener::onDoubleClick(HWND hwnd, HListView* listView, int index) {
    printMessage("onDoubleClick hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    return true;
}
