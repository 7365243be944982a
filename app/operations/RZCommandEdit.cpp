#include "app/operations/RZCommandEdit.h"

#include "app/operations/RZOperations.h"
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

bool RZCommandEdit::onChange(HWND hwnd, int id, HComponent* component) {
    printMessage("[RZ]onChange:%llX %d", hexOf(hwnd), id);
    if (component != nullptr) {
        // No fall-back to the component: without a parent there is no window.
        RZOP0010(component->getRoot(), component);
    }
    return true;
}
