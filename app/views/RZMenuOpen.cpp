#include "app/views/RZMenuOpen.h"

#include "app/operations/RZOperationsCommon.h"
#include "toolkit/HEventType.h"

RZMenuOpen::RZMenuOpen() : HEventListener(HEventType(WM_INITMENUPOPUP, "WM_INITMENUPOPUP")) {
    setClassName("RZMenuOpen");
}

RZMenuOpen::~RZMenuOpen() {}

bool RZMenuOpen::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                             HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (component != nullptr) {
        rzops::updateCommandStates(component, rzops::documentOf(component));
    }
    if (result != nullptr) {
        *result = 0;
    }
    return true;
}
