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

DWORD HLabel::alignmentStyle(int alignment) {
    if (alignment == 1) {
        return SS_CENTER;
    }
    return alignment == 2 ? SS_RIGHT : SS_LEFT;
}

int HLabel::create() {
    HLOG_START("HLabel", 38, "create");
    HContainer* parent = getParent();
    if (getHandle() == nullptr && parent != nullptr && parent->getHandle() != nullptr) {
        HWND hwnd = createChildWindow(0, "STATIC", getStoredText().c_str(),
                                      getStyle() | WS_CHILD | alignmentStyle(getAlignment()));
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
