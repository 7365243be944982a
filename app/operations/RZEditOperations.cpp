// Edit and tool operations: undo and redo, find, and the comparison with the
// game's stock table.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZRowFilter.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZFindDialog.h"
#include "app/views/RZIds.h"
#include "app/views/RZStockDiffDialog.h"
#include "support/HDebug.h"
#include "toolkit/HComponent.h"
#include "toolkit/HDialog.h"
#include "toolkit/HListView.h"

#include <windows.h>

#include <cstdint>
#include <string>

using namespace rzops;

namespace {

// Undoes or redoes one step and shows its result, the step's row selected.
bool replay(HComponent* window, bool undo) {
    RZEditData* document = documentOf(window);
    if (document == nullptr) {
        return false;
    }
    RZEditHistory& history = document->history();
    std::int64_t focus = undo ? history.undo(*document) : history.redo(*document);
    if (focus >= 0) {
        const RZMagic* entry = document->entryAt(static_cast<std::uint32_t>(focus));
        revealEntry(window, document, entry);
        showStep(window, document, entry);
    } else {
        updateCommandStates(window, document);
    }
    return focus >= 0;
}

// Selects the next (or previous) row after the selected one whose entry holds
// the text, wrapping around; the selected row itself is tried last.
bool findRow(HComponent* window, const std::string& text, bool forward) {
    HListView* list = dynamic_cast<HListView*>(window->findById(IDC_SPELL_LIST));
    const int n = list != nullptr ? list->getItemCount() : 0;
    if (n > 0) {
        int selected = list->getSelectedIndex();
        if (selected < 0) {
            selected = forward ? -1 : n;
        }
        for (int step = 1; step <= n; ++step) {
            int row = ((selected + (forward ? step : -step)) % n + n) % n;
            const RZMagic* entry = reinterpret_cast<const RZMagic*>(list->getItemParam(row, 0));
            if (entry != nullptr && RZRowFilter::holdsText(*entry, text)) {
                list->setSelectedIndex(row);
                return true;
            }
        }
    }
    ask(window, "「" + text + "」は見つかりませんでした。", "検索", MB_OK | MB_ICONINFORMATION);
    return false;
}

bool findAgain(HComponent* window, bool forward) {
    RZEditData* document = documentOf(window);
    if (document == nullptr) {
        return false;
    }
    if (document->searchText().empty()) {
        return RZOP0023(window);
    }
    return findRow(window, document->searchText(), forward);
}

} // namespace

bool RZOP0021(HComponent* window) {
    HLOG_START(SOURCE, 2200, "RZOP0021");
    bool result = replay(window, true);
    HLOG_END(SOURCE, 2210, "RZOP0021");
    return result;
}

bool RZOP0022(HComponent* window) {
    HLOG_START(SOURCE, 2300, "RZOP0022");
    bool result = replay(window, false);
    HLOG_END(SOURCE, 2310, "RZOP0022");
    return result;
}

bool RZOP0023(HComponent* window) {
    HLOG_START(SOURCE, 2400, "RZOP0023");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr) {
        RZFindDialog dialog(owner, document->searchText());
        if (showModal(dialog) == IDOK) {
            std::string text = dialog.searchText();
            document->setSearchText(text);
            if (!text.empty()) {
                result = findRow(window, text, true);
            }
        }
    }
    HLOG_END(SOURCE, 2410, "RZOP0023");
    return result;
}

bool RZOP0024(HComponent* window) {
    HLOG_START(SOURCE, 2500, "RZOP0024");
    bool result = findAgain(window, true);
    HLOG_END(SOURCE, 2510, "RZOP0024");
    return result;
}

bool RZOP0025(HComponent* window) {
    HLOG_START(SOURCE, 2600, "RZOP0025");
    bool result = findAgain(window, false);
    HLOG_END(SOURCE, 2610, "RZOP0025");
    return result;
}

bool RZOP0026(HComponent* window) {
    HLOG_START(SOURCE, 2700, "RZOP0026");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr && document->stockTable().isReadable()) {
        std::vector<RZStockTable::Difference> differences =
            document->stockTable().differences(*document);
        if (differences.empty()) {
            ask(window, "標準データとの違いはありません。", "標準データとの差分",
                MB_OK | MB_ICONINFORMATION);
        } else {
            RZStockDiffDialog dialog(owner, differences);
            if (showModal(dialog) == IDOK) {
                result = selectPosition(window, document, dialog.chosenPosition());
            }
        }
    }
    HLOG_END(SOURCE, 2710, "RZOP0026");
    return result;
}

bool RZOP0027(HComponent* window) {
    HLOG_START(SOURCE, 2800, "RZOP0027");
    bool result = false;
    RZEditData* document = documentOf(window);
    RZMagic* entry = document != nullptr ? document->shownEntry() : nullptr;
    if (entry != nullptr && document->stockTable().isReadable()) {
        result = recordSpellStep(document, entry, [document, entry] {
            document->stockTable().resetSpellLevel(*document, entry);
            return true;
        });
        showStep(window, document);
    }
    HLOG_END(SOURCE, 2810, "RZOP0027");
    return result;
}

bool RZOP0028(HComponent* window) {
    HLOG_START(SOURCE, 2900, "RZOP0028");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && document->stockTable().isReadable()) {
        document->setShowsStockDifferences(!document->showsStockDifferences());
        RZDisplay display;
        display.refreshRows(window, document);
        updateCommandStates(window, document);
        result = true;
    }
    HLOG_END(SOURCE, 2910, "RZOP0028");
    return result;
}

bool RZOP0029(HComponent* window) {
    HLOG_START(SOURCE, 3000, "RZOP0029");
    bool result = false;
    HDialog* dialog = window != nullptr && window->getKindName() == "Dialog"
                          ? dynamic_cast<HDialog*>(window)
                          : nullptr;
    if (dialog != nullptr) {
        dialog->setVisible(false);
        // Ends the modal loop of showDialog.
        dialog->setResult(IDCANCEL);
        result = true;
    }
    HLOG_END(SOURCE, 3010, "RZOP0029");
    return result;
}
