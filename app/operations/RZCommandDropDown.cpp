#include "app/operations/RZCommandDropDown.h"

#include "app/operations/RZOperations.h"
#include "toolkit/HComponent.h"

RZCommandDropDown::RZCommandDropDown() {
    setClassName("RZCommandDropDown");
}

RZCommandDropDown::~RZCommandDropDown() {}

bool RZCommandDropDown::onChange(HWND hwnd, int id, HComponent* component) {
    printMessage("[RZ]onChange:%llX %d", hexOf(hwnd), id);
    if (component != nullptr) {
        RZOP0010(component->getRoot(), component);
    }
    return true;
}
