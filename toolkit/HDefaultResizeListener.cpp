#include "toolkit/HDefaultResizeListener.h"

#include "toolkit/HComponent.h"

HDefaultResizeListener::HDefaultResizeListener() : HEventListener(HEventType::byName("WM_SIZE")) {
    setClassName("HDefaultResizeListener");
}

HDefaultResizeListener::~HDefaultResizeListener() = default;

bool HDefaultResizeListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if ((wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) && component) {
        component->resize();
        *result = 0;
    }
    return true;
}
