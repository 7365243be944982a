#include "app/operations/RZCommandEdit.h"

#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "toolkit/HEdit.h"

RZCommandEdit::RZCommandEdit() {
    setClassName("RZCommandEdit");
}

RZCommandEdit::~RZCommandEdit() {}

bool RZCommandEdit::onFocusGain(HWND hwnd, int id, HComponent* component) {
    printMessage("[RZ]onFocusGain:%llX %d", hexOf(hwnd), id);
    HEdit* edit = dynamic_cast<HEdit*>(component);
    if (edit != nullptr) {
        edit->selectText(0, 65535);
    }
    return true;
}

bool RZCommandEdit::onFocusLost(HWND hwnd, int id, HComponent* component) {
    printMessage("[RZ]onFocusLost:%llX %d", hexOf(hwnd), id);
    // Typing that goes on after the focus comes back is a new undo step.
    if (component != nullptr && component->getRoot() != nullptr) {
        rzops::endTyping(component->getRoot());
    }
    return true;
}

bool RZCommandEdit::onChange(HWND hwnd, int id, HComponent* component) {
    printMessage("[RZ]onChange:%llX %d", hexOf(hwnd), id);
    if (component != nullptr) {
        // No fall-back to the component: without a parent there is no window.
        RZOP0010(component->getRoot(), component);
    }
    return true;
}
