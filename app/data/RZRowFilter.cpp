#include "app/data/RZRowFilter.h"

#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZFindText.h"
#include "app/data/RZMagic.h"

namespace RZRowFilter {

namespace {

bool meets(int condition, int value) {
    return condition == ANY || condition == value;
}

} // namespace

bool Conditions::isEmpty() const {
    return element == ANY && rank == ANY && target == ANY && character == ANY && text.empty() &&
           !changedOnly && !stockDiffersOnly;
}

bool matches(const Conditions& conditions, const Row& row) {
    return meets(conditions.element, row.element) && meets(conditions.rank, row.rank) &&
           meets(conditions.target, row.target) && (conditions.character == ANY || row.usable) &&
           (conditions.text.empty() || RZFindText::contains(row.name, conditions.text) ||
            RZFindText::contains(row.description, conditions.text) ||
            RZFindText::contains(row.sound, conditions.text)) &&
           (!conditions.changedOnly || row.changed) &&
           (!conditions.stockDiffersOnly || row.differsFromStock);
}

bool holdsText(const RZMagic& entry, const std::string& text) {
    Conditions byText;
    byText.text = text;
    Row row;
    row.name = entry.getName();
    row.description = entry.getDescription();
    row.sound = entry.getSound();
    return matches(byText, row);
}

Row rowOf(const RZEditData& document, const RZMagic& entry, const Conditions& conditions) {
    Row row;
    row.element = entry.getElement();
    row.rank = entry.getRank();
    row.target = entry.getTarget();
    // What no condition asks about is not worked out.
    if (!conditions.text.empty()) {
        row.name = entry.getName();
        row.description = entry.getDescription();
        row.sound = entry.getSound();
    }
    row.changed = conditions.changedOnly && RZEditData::differsFromBaseline(entry);
    row.differsFromStock = conditions.stockDiffersOnly && document.stockTable().isReadable() &&
                           document.stockTable().differs(entry);
    // A negative position is no character.
    row.usable = conditions.character >= 0 && document.characters() != nullptr &&
                 document.characters()->mayUse(static_cast<std::uint32_t>(conditions.character),
                                               entry.getElement(), entry.getRank());
    return row;
}

std::vector<std::uint32_t> select(const RZEditData& document, const Conditions& conditions) {
    std::vector<std::uint32_t> shown;
    for (std::uint32_t position = 0; position < document.count(); ++position) {
        if (matches(conditions, rowOf(document, *document.entryAt(position), conditions))) {
            shown.push_back(position);
        }
    }
    return shown;
}

} // namespace RZRowFilter
