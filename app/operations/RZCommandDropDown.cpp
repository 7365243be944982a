#include "app/operations/RZCommandDropDown.h"

#include "app/operations/RZOperations.h"
#include "app/views/RZIds.h"
#include "toolkit/HComponent.h"

RZCommandDropDown::RZCommandDropDown() {
    setClassName("RZCommandDropDown");
}

RZCommandDropDown::~RZCommandDropDown() {}

bool RZCommandDropDown::onChange(HWND hwnd, int id, HComponent* component) {
    printMessage("[RZ]onChange:%llX %d", hexOf(hwnd), id);
    if (component == nullptr) {
        return true;
    }
    if (id == IDC_CHARACTER_CHOICE) {
        showCharacterSpells(component->getRoot());
    } else {
        RZOP0010(component->getRoot(), component);
    }
    return true;
}
