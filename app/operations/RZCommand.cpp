#include "app/operations/RZCommand.h"

#include "app/operations/RZOperations.h"
#include "toolkit/HComponent.h"

RZCommand::RZCommand() {
    setClassName("RZCommand");
}

RZCommand::~RZCommand() {}

bool RZCommand::onCommand(HWND hwnd, unsigned id, HComponent* component) {
    printMessage("[RZ]onCommand handle=%llX id=%u component=%llX", hexOf(hwnd), id,
                 hexOf(component));
    // Menu items and accelerators arrive with the window itself, whose root is
    // null; controls arrive with themselves and lead to their window.
    HComponent* target = nullptr;
    if (component != nullptr) {
        target = component->getRoot();
        if (target == nullptr) {
            target = component;
        }
    }
    switch (id) {
    case 102:
    case 145:
        RZOP0006(target);
        break;
    case 103:
    case 146:
        RZOP0007(target);
        break;
    case 104:
    case 150:
        RZOP0014(target);
        break;
    case 127:
        RZOP0012(target);
        break;
    case 128:
        RZOP0004(target);
        break;
    case 130:
        RZOP0013(target);
        break;
    case 136:
        RZOP0019(target);
        break;
    case 137:
        RZOP0005(target);
        break;
    case 138:
        RZOP0017(target);
        break;
    case 140:
        RZOP0016(target);
        break;
    case 141:
        RZOP0015(target);
        break;
    case 143:
        RZOP0001(target);
        break;
    case 147:
        RZOP0008(target);
        break;
    case 148:
        RZOP0009(target);
        break;
    case 152:
        RZOP0018(target);
        break;
    case 203:
        RZOP0020(target);
        break;
    default:
        // In practice the data-set entries of the File menu (501 upward).
        RZOP0002(target, id);
        break;
    }
    return true;
}
