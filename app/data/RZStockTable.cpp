#include "app/data/RZStockTable.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicLoader.h"

bool RZStockTable::read(const HFile& tablePath, const HFile& soundPath) {
    records.clear();
    if (!tablePath.exists()) {
        return false;
    }
    RZMagicLoader loader;
    if (!loader.readRecords(tablePath, soundPath, &records)) {
        records.clear();
    }
    return isReadable();
}

const ZDMagic* RZStockTable::recordFor(std::int32_t index, std::int32_t level) const {
    for (const ZDMagic& record : records) {
        if (record.getIndex() == index && record.getLevel() == level) {
            return &record;
        }
    }
    return nullptr;
}

bool RZStockTable::differs(const ZDMagic& entry) const {
    const ZDMagic* stock = recordFor(entry.getIndex(), entry.getLevel());
    return stock != nullptr && entry.values() != stock->values();
}

std::vector<RZStockTable::Difference> RZStockTable::differences(const RZEditData& document) const {
    std::vector<Difference> found;
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        const RZMagic* entry = document.entryAt(i);
        // The spell's first level carries the shared fields.
        bool first = i == 0 || document.entryAt(i - 1)->getIndex() != entry->getIndex();
        const ZDMagic* stock = recordFor(entry->getIndex(), entry->getLevel());
        if (stock == nullptr) {
            continue;
        }
        for (int field = 0; field < RZSpellFields::FIELD_COUNT; ++field) {
            if ((RZSpellFields::isShared(field) && !first) ||
                RZSpellFields::same(entry->values(), stock->values(), field)) {
                continue;
            }
            found.push_back({i, entry->getRow(), entry->getName(),
                             entry->fieldText(ZDMagic::TEXT_LEVEL), field, stock->valueText(field),
                             entry->valueText(field)});
        }
    }
    return found;
}

void RZStockTable::resetSpellLevel(RZEditData& document, RZMagic* entry) const {
    const ZDMagic* stock =
        entry != nullptr ? recordFor(entry->getIndex(), entry->getLevel()) : nullptr;
    if (stock == nullptr) {
        return;
    }
    entry->setValues(stock->values());
    document.shareSpellFields(entry, RZEditData::SHARE_VALUES);
}
