#include "toolkit/HDefaultDestroyListener.h"

#include "toolkit/HComponent.h"

HDefaultDestroyListener::HDefaultDestroyListener()
    : HEventListener(HEventType::byName("WM_DESTROY")) {
    setClassName("HDefaultDestroyListener");
}

HDefaultDestroyListener::~HDefaultDestroyListener() = default;

bool HDefaultDestroyListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (component) {
        component->dispose();
    }
    PostQuitMessage(0);
    *result = 0;
    return true;
}
