#include "app/views/RZClose.h"

#include "app/operations/RZOperations.h"
#include "toolkit/HEventType.h"

RZClose::RZClose() : HEventListener(HEventType::byName("WM_CLOSE")) {
    setClassName("RZClose");
}

RZClose::~RZClose() {}

bool RZClose::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                          LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (component != nullptr) {
        RZOP0001(component);
    }
    if (result != nullptr) {
        *result = 0;
    }
    return true;
}
