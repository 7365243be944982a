#include "app/views/RZStockDiffListEvent.h"

#include "app/views/RZIds.h"
#include "toolkit/HListView.h"

RZStockDiffListEvent::RZStockDiffListEvent() {
    setClassName("RZStockDiffListEvent");
}

RZStockDiffListEvent::~RZStockDiffListEvent() {}

bool RZStockDiffListEvent::onDoubleClick(HWND hwnd, HListView* listView, int index) {
    printMessage("onDoubleClick hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    HComponent* dialog = listView != nullptr ? listView->getRoot() : nullptr;
    // A double click off the rows keeps the dialog open.
    if (index >= 0 && dialog != nullptr && dialog->getHandle() != nullptr) {
        SendMessageA(dialog->getHandle(), WM_COMMAND, MAKEWPARAM(IDC_DIFF_JUMP, 0), 0);
    }
    return true;
}
