#include "toolkit/HCommandListener.h"

#include "toolkit/HComponent.h"

HCommandListener::HCommandListener() : HEventListener(HEventType::byName("WM_COMMAND")) {
    setClassName("HCommandListener");
}

HCommandListener::~HCommandListener() = default;

bool HCommandListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    // Only clicks and menu choices (0) and accelerators (1); change notifications
    // of edits and drop-down lists go elsewhere.
    unsigned code = HIWORD(wParam);
    if (code != 0 && code != 1) {
        return true;
    }
    HComponent* acting = component;
    if (lParam != 0) {
        acting = HComponent::findByHandle(reinterpret_cast<HWND>(lParam));
    }
    if (onCommand(hwnd, LOWORD(wParam), acting)) {
        *result = 0;
    }
    return true;
}

bool HCommandListener::onCommand(HWND hwnd, unsigned id, HComponent* component) {
    printMessage("onCommand handle=%llX id=%u component=%llX", hexOf(hwnd), id, hexOf(component));
    return false;
}
