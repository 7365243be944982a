#include "toolkit/HDefaultNotifyListener.h"

#include "toolkit/HComponent.h"

HDefaultNotifyListener::HDefaultNotifyListener() : HEventListener(HEventType::byName("WM_NOTIFY")) {
    setClassName("HDefaultNotifyListener");
}

HDefaultNotifyListener::~HDefaultNotifyListener() = default;

bool HDefaultNotifyListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) {
        return true;
    }
    HComponent* sender = HComponent::findByHandle(header->hwndFrom);
    // A notification naming the receiving window itself is not reflected: it
    // would come straight back here.
    if (sender && sender != component) {
        LRESULT answer = sender->handleMessage(header->hwndFrom, WM_NOTIFY, wParam, lParam, true);
        if (answer != -1) {
            *result = answer;
        }
    }
    return true;
}
