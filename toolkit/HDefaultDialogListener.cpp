#include "toolkit/HDefaultDialogListener.h"

#include "toolkit/HDialog.h"

HDefaultDialogListener::HDefaultDialogListener() : HEventListener(HEventType::byName("WM_CLOSE")) {
    setClassName("HDefaultDialogListener");
    // Escape arrives as WM_CHAR: the companion hands it on to this listener.
    companion = std::make_unique<HEventListener>(HEventType::byName("WM_CHAR"));
    companion->setDelegate(this);
}

HDefaultDialogListener::~HDefaultDialogListener() = default;

bool HDefaultDialogListener::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    bool closing = msg == WM_CLOSE || (msg == WM_CHAR && wParam == VK_ESCAPE);
    if (closing && component) {
        component->setVisible(false);
        HDialog* dialog = dynamic_cast<HDialog*>(component);
        if (dialog) {
            dialog->setResult(4);
        }
        *result = 0;
    }
    return true;
}
