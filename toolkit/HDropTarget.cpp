#include "toolkit/HDropTarget.h"

#include "toolkit/HComponent.h"

HDropTarget::HDropTarget() : HEventListener(HEventType::byName("WM_DROPFILES")) {
    setClassName("HDropTarget");
}

HDropTarget::~HDropTarget() = default;

void HDropTarget::attach(HComponent* component) {
    if (!component) {
        return;
    }
    // Registered once however often the component is created.
    component->removeListener(this);
    component->addListener(this);
    HWND handle = component->getHandle();
    if (handle) {
        // The same as accepting dropped files through the shell.
        LONG_PTR exStyle = GetWindowLongPtrA(handle, GWL_EXSTYLE);
        SetWindowLongPtrA(handle, GWL_EXSTYLE, exStyle | WS_EX_ACCEPTFILES);
    }
}
