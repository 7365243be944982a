// The filter of the spell list: its dialog, setting it and turning it off.
#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicTables.h"
#include "app/data/RZRowFilter.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZFilterDialog.h"
#include "app/views/RZIds.h"
#include "support/HDebug.h"
#include "toolkit/HComponent.h"

#include <windows.h>

#include <set>
#include <string>
#include <vector>

using namespace rzops;

namespace {

const char FILTER_CAPTION[] = "絞り込み";

// What the dialog's drop-downs offer: the elements and ranks the table has,
// in the order they first appear in it; the targets as the form lists them;
// the game's characters as their spells' list names them.
RZFilterDialog::Choices choicesOf(const RZEditData& document) {
    RZFilterDialog::Choices choices;
    std::set<int> elements;
    std::set<int> ranks;
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        const RZMagic* entry = document.entryAt(i);
        if (elements.insert(entry->getElement()).second) {
            choices.elements.emplace_back(entry->getElement(),
                                          entry->fieldText(ZDMagic::TEXT_ELEMENT));
        }
        if (ranks.insert(entry->getRank()).second) {
            choices.ranks.emplace_back(entry->getRank(), entry->fieldText(ZDMagic::TEXT_RANK));
        }
    }
    for (const auto& target : RZMagicTables::copyTable(RZMagicTables::TABLE_TARGETS)) {
        choices.targets.emplace_back(target.first, target.second);
    }
    const RZCharacters* people = document.characters();
    for (std::uint32_t i = 0; people != nullptr && i < people->count(); ++i) {
        choices.characters.push_back(people->characterAt(i)->name());
    }
    choices.stockReadable = document.stockTable().isReadable();
    return choices;
}

} // namespace

bool applyFilter(HComponent* window, const RZRowFilter::Conditions& conditions) {
    RZEditData* document = documentOf(window);
    if (document == nullptr || !document->hasTable()) {
        return false;
    }
    // No condition: the whole table, which is no filter.
    if (conditions.isEmpty()) {
        clearFilter(window, document);
        return true;
    }
    const std::vector<std::uint32_t> shown = RZRowFilter::select(*document, conditions);
    if (shown.empty()) {
        return false;
    }
    document->setFilter(conditions, shown);
    showFilter(window, document);
    return true;
}

bool RZOP0040(HComponent* window) {
    HLOG_START(SOURCE, 4100, "RZOP0040");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr && document->hasTable()) {
        RZFilterDialog dialog(owner, choicesOf(*document), document->filterConditions());
        if (showModal(dialog) == IDOK) {
            result = applyFilter(window, dialog.conditions());
        }
    }
    HLOG_END(SOURCE, 4110, "RZOP0040");
    return result;
}

bool RZOP0041(HComponent* window) {
    HLOG_START(SOURCE, 4200, "RZOP0041");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && document->isFiltered()) {
        clearFilter(window, document);
        result = true;
    }
    HLOG_END(SOURCE, 4210, "RZOP0041");
    return result;
}

bool runFilter(HComponent* target) {
    HLOG_START(SOURCE, 4120, "runFilter");
    bool result = false;
    RZFilterDialog* dialog = dynamic_cast<RZFilterDialog*>(target);
    RZEditData* document = dialog != nullptr ? documentOf(dialog->getOwner()) : nullptr;
    if (document != nullptr) {
        const RZRowFilter::Conditions conditions = dialog->conditions();
        if (focusedButton(dialog) == IDC_FILTER_CANCEL) {
            // Enter on the cancel button cancels.
            RZOP0029(dialog);
        } else if (!conditions.isEmpty() && RZRowFilter::select(*document, conditions).empty()) {
            // The filter in force stays; the user mends the conditions.
            ask(dialog, "条件に合う行がありません。", FILTER_CAPTION, MB_OK | MB_ICONINFORMATION);
        } else {
            result = RZOP0020(dialog);
        }
    }
    HLOG_END(SOURCE, 4130, "runFilter");
    return result;
}
