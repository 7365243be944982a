// Data sets, the about box, closing a dialog and Enter in a list dialog.
#include "app/data/RZEditData.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZTableFileNames.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZVersion.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "toolkit/HComponent.h"
#include "toolkit/HDialog.h"
#include "toolkit/HMenuItem.h"

#include <windows.h>

#include <cstdint>
#include <string>

using namespace rzops;

bool RZOP0002(HComponent* window, unsigned id) {
    HLOG_START(SOURCE, 200, "RZOP0002");
    bool result = false;
    // Only the data-set items of the File menu carry a directory.
    HMenuItem* item = window != nullptr
                          ? dynamic_cast<HMenuItem*>(window->findById(static_cast<int>(id)))
                          : nullptr;
    const std::string* directory =
        item != nullptr ? static_cast<const std::string*>(item->getUserObject()) : nullptr;
    RZEditData* document = directory != nullptr ? documentOf(window) : nullptr;
    if (document != nullptr && saveHasEdited(window, document, "開く") != IDCANCEL) {
        HFile table(*directory + "\\Data\\" + TABLE_FILE_NAME);
        HFile sound(*directory + "\\Data\\" + SOUND_FILE_NAME);
        std::uint32_t flags = RZEditData::FLAG_OPENED;
        int answer = IDOK;
        RZMagicLoader loader;
        if (table.exists()) {
            if (!sound.exists()) {
                flags |= RZEditData::FLAG_STOCK_SOUND;
                sound = document->defaultSoundPath();
            }
            if (loader.load(table, sound, document)) {
                result = true;
            } else {
                HLOG_INFO(SOURCE, 240, "RZOP0002:load error");
                flags = 0;
            }
        } else {
            answer = ask(window, "MagicTableがありません。作成しますか？", "開く",
                         MB_OKCANCEL | MB_ICONEXCLAMATION);
            if (answer == IDOK) {
                // Nothing is written now; the next save writes both files here.
                loader.createDefault(document);
                document->setTablePath(table);
                document->setSoundPath(sound);
                result = true;
            }
        }
        if (answer != IDCANCEL) {
            document->replaceFlags(flags);
            // Another table: the steps and the filter of the last one do not apply.
            showNewTable(window, document);
        }
    }
    HLOG_END(SOURCE, 280, "RZOP0002");
    return result;
}

bool RZOP0018(HComponent* window) {
    HLOG_START(SOURCE, 1800, "RZOP0018");
    // Only a window can own the box.
    HWindow* owner = dynamic_cast<HWindow*>(window);
    if (owner != nullptr) {
        RZVersion dialog(owner);
        dialog.showDialog();
    }
    HLOG_END(SOURCE, 1810, "RZOP0018");
    return false;
}

bool RZOP0020(HComponent* window) {
    HLOG_START(SOURCE, 2000, "RZOP0020");
    bool result = false;
    if (window != nullptr && window->getKindName() == "Dialog") {
        HDialog* dialog = dynamic_cast<HDialog*>(window);
        if (dialog != nullptr) {
            dialog->setVisible(false);
            // Ends the modal loop of showDialog.
            dialog->setResult(1);
            result = true;
        }
    }
    HLOG_END(SOURCE, 2010, "RZOP0020");
    return result;
}

bool enterInListDialog(HComponent* dialog) {
    const int button = focusedButton(dialog);
    if (button != 0) {
        // Enter on a button presses it, as it does in any dialog.
        SendMessageA(dialog->getHandle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return true;
    }
    return RZOP0020(dialog);
}
