#include "app/views/RZListJumpEvent.h"

#include "app/views/RZListDialog.h"
#include "toolkit/HListView.h"

RZListJumpEvent::RZListJumpEvent(int jumpCommand) : command(jumpCommand) {
    setClassName("RZListJumpEvent");
}

RZListJumpEvent::~RZListJumpEvent() {}

bool RZListJumpEvent::onDoubleClick(HWND hwnd, HListView* listView, int index) {
    printMessage("onDoubleClick hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    HComponent* dialog = listView != nullptr ? listView->getRoot() : nullptr;
    // A double click off the rows keeps the dialog open.
    if (index >= 0 && dialog != nullptr && dialog->getHandle() != nullptr) {
        SendMessageA(dialog->getHandle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
    return true;
}

bool RZListJumpEvent::onChecked(HWND hwnd, HListView* listView, int index, bool checked) {
    printMessage("onChecked hwnd=%llX, lv=%llX index=%d checked=%d", hexOf(hwnd), hexOf(listView),
                 index, checked ? 1 : 0);
    RZListDialog* dialog =
        listView != nullptr ? dynamic_cast<RZListDialog*>(listView->getRoot()) : nullptr;
    if (dialog != nullptr) {
        dialog->checkChanged();
    }
    return true;
}
