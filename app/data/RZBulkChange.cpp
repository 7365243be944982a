#include "app/data/RZBulkChange.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"

namespace RZBulkChange {

namespace {

// More digits could leave 64 bits once added to or multiplied with a value.
const std::size_t MOST_DIGITS = 18;

bool reaches(const RZEditData& document, std::uint32_t position, Target target,
             const RZMagic* selected) {
    if (target == ALL_ROWS) {
        return true;
    }
    if (target == SHOWN_ROWS) {
        return document.isShown(position);
    }
    const RZMagic& entry = *document.entryAt(position);
    if (selected == nullptr) {
        return false;
    }
    switch (target) {
    case SELECTED_SPELL:
        return entry.getIndex() == selected->getIndex();
    case SAME_ELEMENT:
        return entry.getElement() == selected->getElement();
    case SAME_LEVEL:
        return entry.getLevel() == selected->getLevel();
    default:
        return false;
    }
}

} // namespace

ValueError parseValue(const std::string& text, Operation operation, std::int64_t& value) {
    const bool negative = operation == ADD && !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > MOST_DIGITS) {
        return ValueError::NOT_A_NUMBER;
    }
    std::int64_t read = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return ValueError::NOT_A_NUMBER;
        }
        read = read * 10 + (c - '0');
    }
    if (operation == PERCENT && read > PERCENT_HIGH) {
        return ValueError::PERCENT_TOO_HIGH;
    }
    value = negative ? -read : read;
    return ValueError::NONE;
}

std::int64_t apply(Operation operation, std::int64_t present, std::int64_t value) {
    switch (operation) {
    case SET:
        return value;
    case ADD:
        return present + value;
    case PERCENT: {
        const std::int64_t product = present * value;
        const std::int64_t whole = product / 100;
        const std::int64_t rest = product % 100; // takes the product's sign
        if (rest >= 50) {
            return whole + 1;
        }
        if (rest <= -50) {
            return whole - 1;
        }
        return whole;
    }
    default:
        return present;
    }
}

Plan plan(const RZEditData& document, int field, Operation operation, std::int64_t value,
          Target target, const RZMagic* selected) {
    Plan result;
    if (!RZSpellFields::isNumeric(field)) {
        return result;
    }
    for (std::uint32_t position = 0; position < document.count(); ++position) {
        const RZMagic* entry = document.entryAt(position);
        if (!reaches(document, position, target, selected)) {
            continue;
        }
        const Change change{position,
                            apply(operation, RZSpellFields::number(entry->values(), field), value)};
        result.changes.push_back(change);
        if (change.value < RZSpellFields::info(field).low ||
            change.value > RZSpellFields::info(field).high) {
            result.outside.push_back(change);
        }
    }
    return result;
}

} // namespace RZBulkChange
