#include "toolkit/HButton.h"

#include "support/HDebug.h"
#include "toolkit/HContainer.h"
#include "toolkit/HDefaultButtonListener.h"
#include "toolkit/HDefaultButtonListener2.h"

HButton::HButton(HContainer* parent, int id, const std::string& text)
    : HComponent(parent, id, text) {
    setClassName("HButton");
    setKindName("Button");
    setAlignment(1);
    // Enter on a focused button acts like a click, without any accelerator.
    keyDownListener = std::make_unique<HDefaultButtonListener>();
    keyUpListener = std::make_unique<HDefaultButtonListener2>();
    addListener(keyDownListener.get());
    addListener(keyUpListener.get());
}

HButton::~HButton() {
    removeListener(keyDownListener.get());
    removeListener(keyUpListener.get());
}

int HButton::create() {
    HLOG_START("HButton", 50, "create");
    HContainer* parent = getParent();
    if (getHandle() == nullptr && parent != nullptr && parent->getHandle() != nullptr) {
        DWORD alignment = BS_LEFT;
        if (getAlignment() == 1) {
            alignment = BS_CENTER;
        } else if (getAlignment() == 2) {
            alignment = BS_RIGHT;
        }
        HWND hwnd = createChildWindow(
            0, "BUTTON", getStoredText().c_str(),
            getStyle() | WS_CHILD | (defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | alignment);
        setHandle(hwnd);
        HComponent::create();
    }
    HLOG_END("HButton", 78, "create");
    return 0;
}

void HButton::dispose() {
    if (getHandle() != nullptr) {
        setHandle(nullptr);
    }
}
