#include "toolkit/HDefaultPaintListener.h"

#include "toolkit/HComponent.h"

HDefaultPaintListener::HDefaultPaintListener() : HEventListener(HEventType::byName("WM_PAINT")) {
    setClassName("HDefaultPaintListener");
}

HDefaultPaintListener::~HDefaultPaintListener() = default;

bool HDefaultPaintListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    // The result stays unanswered: the window procedure still paints afterwards.
    if (component) {
        component->paint();
    }
    return true;
}
