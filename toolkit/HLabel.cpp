#include "toolkit/HLabel.h"

#include "support/HDebug.h"
#include "toolkit/HContainer.h"

HLabel::HLabel(HContainer* parent, int id, const std::string& text) : HComponent(parent, id, text) {
    setClassName("HLabel");
    setKindName("Label");
    setBackgroundColor(HColor::FACE);
    setFocusable(false);
}

HLabel::~HLabel() {}

int HLabel::create() {
    HLOG_START("HLabel", 38, "create");
    HContainer* parent = getParent();
    if (getHandle() == nullptr && parent != nullptr && parent->getHandle() != nullptr) {
        DWORD alignment = SS_LEFT;
        if (getAlignment() == 1) {
            alignment = SS_CENTER;
        } else if (getAlignment() == 2) {
            alignment = SS_RIGHT;
        }
        RECT r = requested;
        HWND hwnd =
            CreateWindowExA(0, "STATIC", getStoredText().c_str(), getStyle() | WS_CHILD | alignment,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, parent->getHandle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(getId())),
                            GetModuleHandleA(nullptr), nullptr);
        setHandle(hwnd);
        HComponent::create();
    }
    HLOG_END("HLabel", 61, "create");
    return 0;
}

void HLabel::dispose() {
    if (getHandle() != nullptr) {
        setHandle(nullptr);
    }
}
