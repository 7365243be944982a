// The spell levels each character may use.
#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZCharacterSpellsDialog.h"
#include "support/HDebug.h"
#include "toolkit/HComponent.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace rzops;

namespace {

std::vector<RZListDialog::Row> characterRows(const RZEditData& document, std::uint32_t character) {
    std::vector<RZListDialog::Row> rows;
    const RZCharacters* people = document.characters();
    for (std::uint32_t position = 0; people != nullptr && position < document.count(); ++position) {
        const RZMagic* entry = document.entryAt(position);
        if (people->mayUse(character, entry->getElement(), entry->getRank())) {
            rows.push_back({position,
                            {listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_ROW)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::FIELD_NAME)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_LEVEL)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_ELEMENT)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_RANK)),
                             people->aptitudeText(character, entry->getElement())}});
        }
    }
    return rows;
}

bool hasCharacters(const RZEditData* document) {
    return document != nullptr && document->characters() != nullptr &&
           document->characters()->count() > 0;
}

} // namespace

bool RZOP0036(HComponent* window) {
    HLOG_START(SOURCE, 3700, "RZOP0036");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr && document->hasTable() &&
        hasCharacters(document)) {
        const RZCharacters* people = document->characters();
        std::vector<std::string> names;
        for (std::uint32_t i = 0; i < people->count(); ++i) {
            names.push_back(people->characterAt(i)->name());
        }
        // The one listed last, while another table may have fewer characters.
        const std::uint32_t chosen =
            document->listedCharacter() < people->count() ? document->listedCharacter() : 0;
        RZCharacterSpellsDialog dialog(owner, names, chosen);
        dialog.setRows(characterRows(*document, chosen));
        if (showModal(dialog) == IDOK) {
            result = selectPosition(window, document, dialog.chosenPosition());
        }
    }
    HLOG_END(SOURCE, 3710, "RZOP0036");
    return result;
}

bool showCharacterSpells(HComponent* target) {
    HLOG_START(SOURCE, 3720, "showCharacterSpells");
    bool result = false;
    RZCharacterSpellsDialog* dialog = dynamic_cast<RZCharacterSpellsDialog*>(target);
    RZEditData* document = dialog != nullptr ? documentOf(dialog->getOwner()) : nullptr;
    if (hasCharacters(document)) {
        const std::uint32_t character = dialog->chosenCharacter();
        document->setListedCharacter(character);
        dialog->setRows(characterRows(*document, character));
        result = true;
    }
    HLOG_END(SOURCE, 3730, "showCharacterSpells");
    return result;
}
