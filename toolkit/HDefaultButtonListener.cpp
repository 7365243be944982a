#include "toolkit/HDefaultButtonListener.h"

#include "toolkit/HButton.h"

HDefaultButtonListener::HDefaultButtonListener()
    : HEventListener(HEventType::byName("WM_KEYDOWN")) {
    setClassName("HDefaultButtonListener");
}

HDefaultButtonListener::~HDefaultButtonListener() {}

bool HDefaultButtonListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (wParam == VK_RETURN) {
        SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
        if (HButton* button = dynamic_cast<HButton*>(component)) {
            button->setEnterPressed(true);
        }
        if (result != nullptr) {
            *result = 0;
        }
    }
    return true;
}
