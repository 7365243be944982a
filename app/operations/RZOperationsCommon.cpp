#include "app/operations/RZOperationsCommon.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZSpellFields.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "support/HDebug.h"
#include "support/HStageClock.h"
#include "toolkit/HClipboard.h"
#include "toolkit/HComponent.h"
#include "toolkit/HDialog.h"
#include "toolkit/HMenuItem.h"

namespace rzops {

const char* const SOURCE = "RZOperations";

RZEditData* documentOf(HComponent* window) {
    return window != nullptr ? RZEditData::getInstance(window->getHandle()) : nullptr;
}

HWND handleOf(HComponent* window) {
    return window != nullptr ? window->getHandle() : nullptr;
}

int ask(HComponent* window, const std::string& text, const char* caption, UINT type) {
    return MessageBoxA(handleOf(window), text.c_str(), caption, type);
}

bool loadOrForget(const HFile& table, const HFile& sound, RZEditData* document, int line,
                  const char* note) {
    RZMagicLoader loader;
    bool loaded = loader.load(table, sound, document);
    if (!loaded) {
        HLOG_INFO(SOURCE, line, note);
        document->setFlags(0);
    }
    return loaded;
}

void showDocument(HComponent* window, RZEditData* document) {
    if (document != nullptr) {
        HStageClock::Scope stage("stock");
        document->readStockTable();
        if (!document->hasTable()) {
            document->clearFilter();
        }
    }
    RZDisplay display;
    display.showTable(window, document);
    HStageClock::Scope stage("title");
    display.updateTitle(window, document);
    updateCommandStates(window, document);
}

void showNewTable(HComponent* window, RZEditData* document) {
    if (document != nullptr) {
        document->history().clear();
        document->clearFilter();
    }
    showDocument(window, document);
}

void showFilter(HComponent* window, RZEditData* document) {
    RZDisplay display;
    display.showShownRows(window, document);
    display.updateTitle(window, document);
    updateCommandStates(window, document);
}

void clearFilter(HComponent* window, RZEditData* document) {
    if (document != nullptr) {
        document->clearFilter();
        showFilter(window, document);
    }
}

void revealEntry(HComponent* window, RZEditData* document, const RZMagic* entry) {
    if (document == nullptr || entry == nullptr || !document->isFiltered()) {
        return;
    }
    const std::int64_t position = RZEditHistory::positionOf(*document, entry);
    if (position >= 0 && !document->isShown(static_cast<std::uint32_t>(position))) {
        clearFilter(window, document);
    }
}

namespace {

// The items greyed while no table is open (the paste item also waits for text
// on the clipboard).
const int TABLE_COMMANDS[] = {
    IDM_EXPORT_TSV,  IDM_IMPORT_TSV,  IDM_COPY_TABLE,
    IDM_TABLE_CHECK, IDM_BULK_CHANGE, IDM_COMPARE_TABLE,
};

void enableItem(HComponent* window, int id, bool enabled) {
    HMenuItem* item = dynamic_cast<HMenuItem*>(window->findById(id));
    if (item != nullptr && item->isEnabled() != enabled) {
        item->setEnabled(enabled);
    }
}

} // namespace

void updateCommandStates(HComponent* window, RZEditData* document) {
    if (window == nullptr) {
        return;
    }
    // Without a document (the window before it is shown) there is nothing to
    // undo, no stock table and no table.
    enableItem(window, IDM_UNDO, document != nullptr && document->history().canUndo());
    enableItem(window, IDM_REDO, document != nullptr && document->history().canRedo());
    const bool stock = document != nullptr && document->stockTable().isReadable();
    for (int id : {IDM_STOCK_DIFF, IDM_RESET_TO_STOCK, IDM_SHOW_STOCK_DIFF}) {
        enableItem(window, id, stock);
    }
    // The clipboard is asked only when a table is open.
    const bool open = document != nullptr && document->hasTable();
    for (int id : TABLE_COMMANDS) {
        enableItem(window, id, open);
    }
    enableItem(window, IDM_PASTE_TABLE, open && HClipboard::hasText());
    // A filter is set on a table and cleared while one is on.
    enableItem(window, IDM_FILTER, open);
    enableItem(window, IDM_CLEAR_FILTER, document != nullptr && document->isFiltered());
    // Each character's spells also need the game's characters.
    enableItem(window, IDM_CHARACTER_SPELLS,
               open && document->characters() != nullptr && document->characters()->count() > 0);
    const bool showStock = document != nullptr && document->showsStockDifferences();
    HMenuItem* show = dynamic_cast<HMenuItem*>(window->findById(IDM_SHOW_STOCK_DIFF));
    if (show != nullptr && show->isChecked() != showStock) {
        show->setChecked(showStock);
    }
}

bool recordSpellStep(RZEditData* document, const RZMagic* entry,
                     const std::function<bool()>& change) {
    std::int64_t position = RZEditHistory::positionOf(*document, entry);
    return document->history().record(*document, RZEditHistory::spellPositions(*document, entry),
                                      static_cast<std::uint32_t>(position < 0 ? 0 : position),
                                      change);
}

void showStep(HComponent* window, RZEditData* document, const RZMagic* select) {
    RZDisplay display;
    display.refreshRows(window, document);
    // Showing the entry also reloads its picture (a replacement may have changed).
    if (select == nullptr || !display.selectEntry(window, document, select)) {
        display.showEntry(window, document);
    }
    updateCommandStates(window, document);
}

int showModal(HDialog& dialog) {
    const HWND focused = GetFocus();
    const int result = dialog.showDialog();
    if (focused != nullptr && IsWindow(focused)) {
        SetFocus(focused);
    }
    return result;
}

bool selectPosition(HComponent* window, RZEditData* document, std::int64_t position) {
    if (document == nullptr || position < 0) {
        return false;
    }
    const RZMagic* entry = document->entryAt(static_cast<std::uint32_t>(position));
    revealEntry(window, document, entry);
    RZDisplay display;
    return display.selectEntry(window, document, entry);
}

void endTyping(HComponent* window) {
    // A dialog has no document of its own (and must not be given one).
    if (dynamic_cast<HDialog*>(window) != nullptr) {
        return;
    }
    RZEditData* document = documentOf(window);
    if (document != nullptr) {
        document->history().endBurst();
    }
}

std::string listed(const RZMagic* entry, int column) {
    return RZDisplay::columnText(entry, column);
}

std::string rangeText(int field) {
    const RZSpellFields::Info& info = RZSpellFields::info(field);
    return "入力できる範囲(" + std::to_string(info.low) + "～" + std::to_string(info.high) + ")";
}

int focusedButton(HComponent* dialog) {
    HComponent* focused = HComponent::getFocusComponent();
    return focused != nullptr && focused->getKindName() == "Button" && focused->getRoot() == dialog
               ? focused->getId()
               : 0;
}

} // namespace rzops
