#include "toolkit/HDropDownListener.h"

#include "toolkit/HComponent.h"

HDropDownListener::HDropDownListener() : HEventListener(HEventType::byName("WM_COMMAND")) {
    setClassName("HDropDownListener");
}

HDropDownListener::~HDropDownListener() {}

bool HDropDownListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    HComponent* control = HComponent::findByHandle(reinterpret_cast<HWND>(lParam));
    if (control == nullptr) {
        return true;
    }
    int id = LOWORD(wParam);
    bool handled = false;
    switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
        handled = onChange(hwnd, id, control);
        break;
    case CBN_SETFOCUS:
        handled = onFocusGain(hwnd, id, control);
        break;
    case CBN_KILLFOCUS:
        handled = onFocusLost(hwnd, id, control);
        break;
    case CBN_EDITCHANGE:
        handled = onEditChange(hwnd, id, control);
        break;
    case CBN_EDITUPDATE:
        handled = onEditUpdate(hwnd, id, control);
        break;
    case CBN_DROPDOWN:
        handled = onDropDown(hwnd, id, control);
        break;
    case CBN_CLOSEUP:
        handled = onCloseUp(hwnd, id, control);
        break;
    default:
        break;
    }
    if (handled && result != nullptr) {
        *result = 0;
    }
    return true;
}

bool HDropDownListener::onChange(HWND hwnd, int id, HComponent* component) {
    printMessage("onChange:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HDropDownListener::onFocusGain(HWND hwnd, int id, HComponent* component) {
    printMessage("onFocusGain:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HDropDownListener::onFocusLost(HWND hwnd, int id, HComponent* component) {
    printMessage("onFocusLost:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HDropDownListener::onEditChange(HWND hwnd, int id, HComponent* component) {
    printMessage("onEditChange:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HDropDownListener::onEditUpdate(HWND hwnd, int id, HComponent* component) {
    printMessage("onEditUpdate:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HDropDownListener::onDropDown(HWND hwnd, int id, HComponent* component) {
    printMessage("onDropDown:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HDropDownListener::onCloseUp(HWND hwnd, int id, HComponent* component) {
    printMessage("onCloseUp:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}
