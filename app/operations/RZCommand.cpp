#include "app/operations/RZCommand.h"

#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZIds.h"
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
    // Any command of the main window ends a burst of typing in the form (one
    // undo step).
    rzops::endTyping(target);
    switch (id) {
    case IDC_PREVIOUS:
    case IDM_PREVIOUS:
        RZOP0006(target);
        break;
    case IDC_NEXT:
    case IDM_NEXT:
        RZOP0007(target);
        break;
    case IDC_REVERT:
    case IDM_REVERT:
        RZOP0014(target);
        break;
    case IDC_SOUND_CHOOSE:
        RZOP0012(target);
        break;
    case IDC_PLAY_TEST:
        RZOP0004(target);
        break;
    case IDC_PICTURE_REPLACE:
        RZOP0013(target);
        break;
    case IDM_NEW:
        RZOP0019(target);
        break;
    case IDM_OPEN:
        RZOP0005(target);
        break;
    case IDM_RELOAD:
        RZOP0017(target);
        break;
    case IDM_SAVE:
        RZOP0016(target);
        break;
    case IDM_SAVE_AS:
        RZOP0015(target);
        break;
    case IDM_EXIT:
        RZOP0001(target);
        break;
    case IDM_FIRST:
        RZOP0008(target);
        break;
    case IDM_LAST:
        RZOP0009(target);
        break;
    case IDM_ABOUT:
        RZOP0018(target);
        break;
    case IDC_ABOUT_OK:
    case IDC_FIND_OK:
    case IDC_DIFF_JUMP:
        RZOP0020(target);
        break;
    case IDC_FIND_CANCEL:
    case IDC_DIFF_CLOSE:
    case IDC_CHECK_CLOSE:
    case IDC_COMPARE_CLOSE:
    case IDC_BULK_CANCEL:
    case IDC_CHARACTER_SPELLS_CLOSE:
    case IDC_FILTER_CANCEL:
        RZOP0029(target);
        break;
    case IDC_CHECK_JUMP:
    case IDC_CHARACTER_SPELLS_JUMP:
    case IDC_COMPARE_JUMP:
        enterInListDialog(target);
        break;
    case IDC_CHECK_COPY:
        copyChosenSounds(target);
        break;
    case IDC_BULK_RUN:
        runBulkChange(target);
        break;
    case IDC_COMPARE_TAKE:
        takeCheckedChanges(target);
        break;
    case IDC_COMPARE_CHECK_ALL:
    case IDC_COMPARE_UNCHECK_ALL:
        checkAllChanges(target, id == IDC_COMPARE_CHECK_ALL);
        break;
    case IDM_UNDO:
        RZOP0021(target);
        break;
    case IDM_REDO:
        RZOP0022(target);
        break;
    case IDM_FIND:
        RZOP0023(target);
        break;
    case IDM_FIND_NEXT:
        RZOP0024(target);
        break;
    case IDM_FIND_PREVIOUS:
        RZOP0025(target);
        break;
    case IDM_STOCK_DIFF:
        RZOP0026(target);
        break;
    case IDM_RESET_TO_STOCK:
        RZOP0027(target);
        break;
    case IDM_SHOW_STOCK_DIFF:
        RZOP0028(target);
        break;
    case IDM_EXPORT_TSV:
        RZOP0030(target);
        break;
    case IDM_IMPORT_TSV:
        RZOP0031(target);
        break;
    case IDM_COPY_TABLE:
        RZOP0032(target);
        break;
    case IDM_PASTE_TABLE:
        RZOP0033(target);
        break;
    case IDM_TABLE_CHECK:
        RZOP0034(target);
        break;
    case IDM_BULK_CHANGE:
        RZOP0035(target);
        break;
    case IDM_CHARACTER_SPELLS:
        RZOP0036(target);
        break;
    case IDM_FILTER:
        RZOP0040(target);
        break;
    case IDM_CLEAR_FILTER:
        RZOP0041(target);
        break;
    case IDC_FILTER_OK:
        runFilter(target);
        break;
    case IDM_COMPARE_TABLE:
        RZOP0037(target);
        break;
    default:
        // In practice the data-set entries of the File menu (IDM_FIRST_DATA_SET upward).
        RZOP0002(target, id);
        break;
    }
    return true;
}
