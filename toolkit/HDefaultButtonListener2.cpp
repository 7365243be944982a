#include "toolkit/HDefaultButtonListener2.h"

#include "toolkit/HButton.h"

HDefaultButtonListener2::HDefaultButtonListener2()
    : HEventListener(HEventType::byName("WM_KEYUP")) {
    setClassName("HDefaultButtonListener2");
}

HDefaultButtonListener2::~HDefaultButtonListener2() {}

bool HDefaultButtonListener2::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (wParam == VK_RETURN) {
        SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
        // Only a key-up that follows a key-down on this same button clicks it.
        HButton* button = dynamic_cast<HButton*>(component);
        if (button != nullptr && button->isEnterPressed()) {
            HComponent* root = button->getRoot();
            if (root != nullptr && root->getHandle() != nullptr) {
                SendMessageA(root->getHandle(), WM_COMMAND,
                             MAKEWPARAM(static_cast<WORD>(button->getId()), 0), 0);
            }
        }
        if (button != nullptr) {
            button->setEnterPressed(false);
        }
        if (result != nullptr) {
            *result = 0;
        }
    }
    return true;
}
