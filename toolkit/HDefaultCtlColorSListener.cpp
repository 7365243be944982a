#include "toolkit/HDefaultCtlColorSListener.h"

#include "toolkit/HComponent.h"

HDefaultCtlColorSListener::HDefaultCtlColorSListener()
    : HEventListener(HEventType::byName("WM_CTLCOLORSTATIC")) {
    setClassName("HDefaultCtlColorSListener");
}

HDefaultCtlColorSListener::~HDefaultCtlColorSListener() = default;

bool HDefaultCtlColorSListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    HComponent* control = HComponent::findByHandle(reinterpret_cast<HWND>(lParam));
    if (control) {
        *result = reinterpret_cast<LRESULT>(control->onCtlColor(reinterpret_cast<HDC>(wParam)));
    }
    return true;
}
