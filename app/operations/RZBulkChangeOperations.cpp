// The bulk change of a number field over many rows.
#include "app/data/RZBulkChange.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZBulkChangeDialog.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "support/HDebug.h"
#include "toolkit/HComponent.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace rzops;

namespace {

const char BULK_CAPTION[] = "一括変更";
// Rows of the range refusal listed at most.
const std::size_t REFUSAL_ROWS = 10;

std::string valueErrorText(RZBulkChange::Operation operation) {
    switch (operation) {
    case RZBulkChange::SET:
        return "値には0以上の整数を入力してください。";
    case RZBulkChange::ADD:
        return "値には整数を入力してください。";
    default:
        return "％には0～" + std::to_string(RZBulkChange::PERCENT_HIGH) +
               "の整数を入力してください。";
    }
}

std::string refusalText(const RZEditData& document, int field, const RZBulkChange::Plan& plan) {
    std::string text = rangeText(field) + "を超える行があるため、変更していません。\r\n";
    for (std::size_t i = 0; i < plan.outside.size() && i < REFUSAL_ROWS; ++i) {
        const RZMagic* entry = document.entryAt(plan.outside[i].position);
        text += "\r\n" + std::to_string(entry->getRow()) + "行目 " + entry->getName() + " Lv" +
                std::to_string(entry->getLevel()) + ": " + std::to_string(plan.outside[i].value);
    }
    return text;
}

// Whether the change can be made as chosen; otherwise a box says why and the
// focus goes where the user mends it.
bool planBulkChange(RZBulkChangeDialog* dialog, const RZEditData& document,
                    const RZBulkChange::Choice& choice) {
    std::int64_t value = 0;
    if (RZBulkChange::parseValue(choice.value, choice.operation, value) !=
        RZBulkChange::ValueError::NONE) {
        ask(dialog, valueErrorText(choice.operation), BULK_CAPTION, MB_OK | MB_ICONWARNING);
        dialog->focusValue();
        return false;
    }
    if (RZBulkChange::needsSelection(choice.target) && document.shownEntry() == nullptr) {
        ask(dialog, "行を選択してください。", BULK_CAPTION, MB_OK | MB_ICONWARNING);
        dialog->focusTarget();
        return false;
    }
    const RZBulkChange::Plan plan = RZBulkChange::plan(document, choice.field, choice.operation,
                                                       value, choice.target, document.shownEntry());
    if (!plan.allowed()) {
        ask(dialog, refusalText(document, choice.field, plan), BULK_CAPTION,
            MB_OK | MB_ICONWARNING);
        dialog->focusValue();
        return false;
    }
    return true;
}

} // namespace

bool bulkChange(HComponent* window, const RZBulkChange::Choice& choice) {
    RZEditData* document = documentOf(window);
    std::int64_t value = 0;
    if (document == nullptr || !document->hasTable() ||
        RZBulkChange::parseValue(choice.value, choice.operation, value) !=
            RZBulkChange::ValueError::NONE) {
        return false;
    }
    const RZMagic* selected = document->shownEntry();
    const RZBulkChange::Plan plan = RZBulkChange::plan(*document, choice.field, choice.operation,
                                                       value, choice.target, selected);
    if (!plan.allowed() || plan.changes.empty()) {
        return false;
    }
    std::vector<std::uint32_t> positions;
    for (const RZBulkChange::Change& change : plan.changes) {
        positions.push_back(change.position);
    }
    // Undo and redo select the row that was selected.
    const std::int64_t focus = RZEditHistory::positionOf(*document, selected);
    document->history().record(
        *document, positions, focus >= 0 ? static_cast<std::uint32_t>(focus) : positions.front(),
        [&] {
            for (const RZBulkChange::Change& change : plan.changes) {
                RZMagic* entry = document->entryAt(change.position);
                RZSpellValues values = entry->values();
                // In the field's range, so within 32 bits.
                RZSpellFields::setNumber(values, choice.field,
                                         static_cast<std::int32_t>(change.value));
                entry->setValues(std::move(values));
            }
            return true;
        });
    // Numbers only: the picture and the characters of the shown row stay.
    RZDisplay display;
    display.refreshRows(window, document);
    display.refreshForm(window, document);
    updateCommandStates(window, document);
    return true;
}

bool RZOP0035(HComponent* window) {
    HLOG_START(SOURCE, 3600, "RZOP0035");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr && document->hasTable()) {
        RZBulkChangeDialog dialog(owner, document->bulkChoice(), document->isFiltered());
        if (showModal(dialog) == IDOK) {
            result = bulkChange(window, document->bulkChoice());
        }
    }
    HLOG_END(SOURCE, 3610, "RZOP0035");
    return result;
}

bool runBulkChange(HComponent* target) {
    HLOG_START(SOURCE, 3620, "runBulkChange");
    bool result = false;
    RZBulkChangeDialog* dialog = dynamic_cast<RZBulkChangeDialog*>(target);
    RZEditData* document = dialog != nullptr ? documentOf(dialog->getOwner()) : nullptr;
    if (document != nullptr) {
        if (focusedButton(dialog) == IDC_BULK_CANCEL) {
            // Enter on the cancel button cancels.
            RZOP0029(dialog);
        } else {
            const RZBulkChange::Choice choice = dialog->choice();
            document->setBulkChoice(choice);
            result = planBulkChange(dialog, *document, choice) && RZOP0020(dialog);
        }
    }
    HLOG_END(SOURCE, 3630, "runBulkChange");
    return result;
}
