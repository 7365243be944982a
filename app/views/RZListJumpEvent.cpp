#include "app/views/RZListJumpEvent.h"

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
