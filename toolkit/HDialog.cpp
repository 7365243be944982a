#include "toolkit/HDialog.h"

#include "toolkit/HDefaultDialogListener.h"
#include "toolkit/HFont.h"

namespace {

bool isComboBox(HWND window) {
    char name[16] = {};
    return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
           lstrcmpiA(name, "ComboBox") == 0;
}

// Whether the key goes to a drop-down whose list is open: the focus is the
// combo box itself, or the edit box inside an editable one.
bool keyForOpenList(const MSG& message) {
    if (message.message != WM_KEYDOWN ||
        (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) {
        return false;
    }
    for (HWND window : {message.hwnd, GetParent(message.hwnd)}) {
        if (isComboBox(window)) {
            return SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
        }
    }
    return false;
}

} // namespace

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
    // unregistered. Only then go the parts, so that no message of the
    // windows' destruction reaches a deleted control or listener.
    dispose();
    for (HEventListener* listener : ownListeners) {
        removeListener(listener);
    }
    ownListeners.clear();
    while (!parts.empty()) {
        parts.pop_back();
    }
    removeListener(dialogListener->getCompanion());
    removeListener(dialogListener.get());
}

void HDialog::useFont(const std::string& faceName, int points) {
    font = std::make_unique<HFont>(faceName, HFont::PLAIN, points);
    setFont(font.get());
}

void HDialog::setKeyCommands(WORD enterCommand, WORD escapeCommand) {
    addAccelerator(FVIRTKEY | FNOINVERT, VK_RETURN, enterCommand);
    addAccelerator(FVIRTKEY | FNOINVERT, VK_ESCAPE, escapeCommand);
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
        if (keyForOpenList(message)) {
            // The drop-down closes its list itself (taking the highlighted item
            // on Enter). Not translated: an Escape character arriving after the
            // list has closed would close the dialog below.
            DispatchMessageA(&message);
            continue;
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
