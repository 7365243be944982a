#include "toolkit/HImageViewTimerListener.h"

#include "toolkit/HImageView.h"

HImageViewTimerListener::HImageViewTimerListener(HImageView* imageView)
    : HEventListener(HEventType::byName("WM_TIMER")), view(imageView) {
    setClassName("HImageViewTimerListener");
}

HImageViewTimerListener::~HImageViewTimerListener() {}

bool HImageViewTimerListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (view) {
        view->invalidateFrame();
        view->nextFrame();
        *result = 0;
    }
    return true;
}
