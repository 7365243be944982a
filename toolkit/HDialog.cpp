#include "toolkit/HDialog.h"

#include "toolkit/HDefaultDialogListener.h"

HDialog::HDialog(HWindow* ownerWindow) : owner(ownerWindow) {
    setClassName("HDialog");
    setKindName("Dialog");
    setWindowClassName("HDialog");
    setWindowStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    setExStyle(WS_EX_DLGMODALFRAME);
    dialogListener = std::make_unique<HDefaultDialogListener>();
    addListener(dialogListener.get());
    addListener(dialogListener->getCompanion());
}

HDialog::~HDialog() {
    // Runs the dialog's own disposal: the window destroyed and the class
    // unregistered.
    dispose();
    removeListener(dialogListener->getCompanion());
    removeListener(dialogListener.get());
}

int HDialog::create() {
    return HWindow::create();
}

void HDialog::dispose() {
    HWND window = getHandle();
    if (!window) {
        return;
    }
    // Unregistered before the native window goes, so its WM_DESTROY reaches no
    // listener: closing a dialog never ends the program.
    HWindow::dispose();
    DestroyWindow(window);
    UnregisterClassA(getWindowClassName().c_str(), instanceHandle());
}

int HDialog::showDialog() {
    setParentHandle(owner ? owner->getHandle() : nullptr);
    create();
    result = -1;
    if (!getHandle()) {
        return result;
    }
    if (getParentHandle()) {
        centerOver(this, owner);
    }
    ShowWindow(getHandle(), SW_SHOW);
    UpdateWindow(getHandle());
    focusFirst();
    if (!modal) {
        result = 0;
        return 0;
    }
    if (owner) {
        owner->setEnabled(false);
    }
    while (result == -1) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The program is quitting (or the queue failed): the dialog gives up
            // its loop and hands the quit on to the outer loop.
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        HACCEL table = getAccelerator();
        if (table && getHandle() && TranslateAcceleratorA(getHandle(), table, &message)) {
            continue;
        }
        // Escape typed while one of the dialog's controls has the focus closes
        // the dialog as well: the character goes to the dialog's own listener.
        if (message.message == WM_CHAR && message.wParam == 27 && getHandle() &&
            IsChild(getHandle(), message.hwnd)) {
            message.hwnd = getHandle();
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (owner) {
        owner->setEnabled(true);
        if (owner->getHandle()) {
            BringWindowToTop(owner->getHandle());
        }
    }
    return result;
}
