#include "toolkit/HEventListener.h"

HEventListener::HEventListener() : type(HEventType::byName("UNDEFINED_TYPE")) {
    setClassName("HEventListener");
}

HEventListener::HEventListener(const HEventType& eventType) : type(eventType) {
    setClassName("HEventListener");
}

HEventListener::~HEventListener() = default;

bool HEventListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                 HComponent* component, LRESULT* result) {
    if (delegate) {
        return delegate->handleEvent(hwnd, msg, wParam, lParam, component, result);
    }
    return true;
}
