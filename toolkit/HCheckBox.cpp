#include "toolkit/HCheckBox.h"

#include "support/HDebug.h"
#include "toolkit/HContainer.h"

HCheckBox::HCheckBox(HContainer* parent, int id, const std::string& text)
    : HComponent(parent, id, text) {
    setClassName("HCheckBox");
    setKindName("CheckBox");
    setBackgroundColor(HColor::FACE);
}

HCheckBox::~HCheckBox() {}

int HCheckBox::create() {
    HLOG_START("HCheckBox", 20, "create");
    HContainer* parent = getParent();
    if (getHandle() == nullptr && parent != nullptr && parent->getHandle() != nullptr) {
        HWND hwnd = createChildWindow(0, "BUTTON", getStoredText().c_str(),
                                      getStyle() | WS_CHILD | BS_AUTOCHECKBOX);
        setHandle(hwnd);
        if (hwnd != nullptr) {
            SendMessageA(hwnd, BM_SETCHECK, checkedState ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        HComponent::create();
    }
    HLOG_END("HCheckBox", 32, "create");
    return 0;
}

void HCheckBox::dispose() {
    if (getHandle() != nullptr) {
        checkedState = isChecked();
        setHandle(nullptr);
    }
}

bool HCheckBox::isChecked() {
    if (getHandle() != nullptr) {
        checkedState = SendMessageA(getHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return checkedState;
}

void HCheckBox::setChecked(bool checked) {
    checkedState = checked;
    if (getHandle() != nullptr) {
        SendMessageA(getHandle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}
