#include "toolkit/HDefaultKeyListener.h"

#include "toolkit/HComponent.h"

HDefaultKeyListener::HDefaultKeyListener() : HEventListener(HEventType::byName("WM_CHAR")) {
    setClassName("HDefaultKeyListener");
}

HDefaultKeyListener::~HDefaultKeyListener() = default;

bool HDefaultKeyListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (wParam == 9 && component) {
        // The high bit of the key state tells a held key.
        if (GetKeyState(VK_SHIFT) & 0x8000) {
            component->focusPrevious();
        } else {
            component->focusNext();
        }
        *result = 0;
    }
    return true;
}
