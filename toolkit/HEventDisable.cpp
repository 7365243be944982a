#include "toolkit/HEventDisable.h"

HEventDisable::HEventDisable(const HEventType& type, LRESULT fixedValue)
    : HEventListener(type), value(fixedValue) {
    setClassName("HEventDisable");
}

HEventDisable::~HEventDisable() = default;

bool HEventDisable::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    *result = value;
    return true;
}
