#include "toolkit/HEditListener.h"

#include "toolkit/HComponent.h"

HEditListener::HEditListener() : HEventListener(HEventType::byName("WM_COMMAND")) {
    setClassName("HEditListener");
}

HEditListener::~HEditListener() {}

bool HEditListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    HComponent* control = HComponent::findByHandle(reinterpret_cast<HWND>(lParam));
    if (control == nullptr) {
        return true;
    }
    int id = LOWORD(wParam);
    bool handled = false;
    switch (HIWORD(wParam)) {
    case EN_SETFOCUS:
        handled = onFocusGain(hwnd, id, control);
        break;
    case EN_KILLFOCUS:
        handled = onFocusLost(hwnd, id, control);
        break;
    case EN_CHANGE:
        handled = onChange(hwnd, id, control);
        break;
    case EN_UPDATE:
        handled = onUpdate(hwnd, id, control);
        break;
    case EN_ERRSPACE:
        handled = onErrSpace(hwnd, id, control);
        break;
    case EN_MAXTEXT:
        handled = onMaxText(hwnd, id, control);
        break;
    case EN_HSCROLL:
        handled = onHScroll(hwnd, id, control);
        break;
    case EN_VSCROLL:
        handled = onVScroll(hwnd, id, control);
        break;
    default:
        break;
    }
    if (handled && result != nullptr) {
        *result = 0;
    }
    return true;
}

bool HEditListener::onFocusGain(HWND hwnd, int id, HComponent* component) {
    printMessage("onFocusGain:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HEditListener::onFocusLost(HWND hwnd, int id, HComponent* component) {
    printMessage("onFocusLost:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HEditListener::onUpdate(HWND hwnd, int id, HComponent* component) {
    printMessage("onUpdate:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HEditListener::onChange(HWND hwnd, int id, HComponent* component) {
    printMessage("onChange:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HEditListener::onErrSpace(HWND hwnd, int id, HComponent* component) {
    printMessage("onErrSpace:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HEditListener::onMaxText(HWND hwnd, int id, HComponent* component) {
    printMessage("onMaxText:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HEditListener::onHScroll(HWND hwnd, int id, HComponent* component) {
    printMessage("onHScroll:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}

bool HEditListener::onVScroll(HWND hwnd, int id, HComponent* component) {
    printMessage("onVScroll:%llX %d", hexOf(hwnd), id);
    return component != nullptr;
}
