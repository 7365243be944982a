#include "toolkit/HEdit.h"

#include "support/HDebug.h"
#include "toolkit/HContainer.h"

namespace {
// EM_LIMITTEXT with 0 lifts the limit to the platform's maximum.
WPARAM limitParameter(int limit) {
    return limit < 0 ? 0 : static_cast<WPARAM>(limit);
}
} // namespace

HEdit::HEdit(HContainer* parent, int id, const std::string& text) : HComponent(parent, id, text) {
    setClassName("HEdit");
    setKindName("Edit");
}

HEdit::~HEdit() {}

int HEdit::create() {
    HLOG_START("HEdit", 47, "create");
    HContainer* parent = getParent();
    if (getHandle() == nullptr && parent != nullptr && parent->getHandle() != nullptr) {
        DWORD style = getStyle() | WS_CHILD | ES_AUTOHSCROLL;
        if (getAlignment() == 1) {
            style |= ES_CENTER;
        } else if (getAlignment() == 2) {
            style |= ES_RIGHT;
        } else {
            style |= ES_LEFT;
        }
        if (readOnly) {
            style |= ES_READONLY;
        }
        if (numberOnly) {
            style |= ES_NUMBER;
        }
        HWND hwnd = createChildWindow(WS_EX_CLIENTEDGE, "EDIT", getStoredText().c_str(), style);
        setHandle(hwnd);
        if (hwnd != nullptr) {
            SendMessageA(hwnd, EM_LIMITTEXT, limitParameter(textLimit), 0);
        }
        HComponent::create();
    }
    HLOG_END("HEdit", 82, "create");
    return 0;
}

void HEdit::dispose() {
    if (getHandle() != nullptr) {
        setHandle(nullptr);
    }
}

void HEdit::setReadOnly(bool value) {
    readOnly = value;
    if (getHandle() != nullptr) {
        SendMessageA(getHandle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
    }
}

void HEdit::setNumberOnly(bool value) {
    numberOnly = value;
    HWND hwnd = getHandle();
    if (hwnd != nullptr) {
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if (value) {
            style |= ES_NUMBER;
        } else {
            style &= ~static_cast<LONG>(ES_NUMBER);
        }
        SetWindowLongA(hwnd, GWL_STYLE, style);
    }
}

void HEdit::setTextLimit(int limit) {
    textLimit = limit;
    HWND hwnd = getHandle();
    if (hwnd != nullptr) {
        // The text is taken out and put back so that a limit below the current
        // length leaves the shown text as it was.
        std::string saved = getText();
        SetWindowTextA(hwnd, "");
        SendMessageA(hwnd, EM_LIMITTEXT, limitParameter(limit), 0);
        SetWindowTextA(hwnd, saved.c_str());
    }
}

void HEdit::selectText(int start, int end) {
    HWND hwnd = getHandle();
    if (hwnd == nullptr) {
        return;
    }
    std::string text = getText();
    if (text.empty()) {
        return;
    }
    unsigned length = static_cast<unsigned>(text.size());
    unsigned last = static_cast<unsigned>(end);
    if (last > length) {
        last = length;
    }
    SendMessageA(hwnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(last));
    SendMessageA(hwnd, EM_SCROLLCARET, 0, 0);
}

bool HEdit::isAsSet() const {
    HWND hwnd = getHandle();
    DWORD start = 1;
    DWORD end = 1;
    SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // Of a single-line box, the first character in view.
    return start == 0 && end == 0 && SendMessageA(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0) == 0 &&
           !SendMessageA(hwnd, EM_CANUNDO, 0, 0) && !SendMessageA(hwnd, EM_GETMODIFY, 0, 0);
}

void HEdit::showText(const std::string& text) {
    if (getHandle() == nullptr || (isAsSet() && getText() == text)) {
        return;
    }
    setText(text);
}
