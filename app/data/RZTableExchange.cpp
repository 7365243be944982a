#include "app/data/RZTableExchange.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicTables.h"

std::vector<RZTableTsv::Entry> RZTableExchange::entriesOf(const RZEditData* document) {
    std::vector<RZTableTsv::Entry> entries;
    if (document == nullptr) {
        return entries;
    }
    entries.reserve(document->count());
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        const RZMagic* entry = document->entryAt(i);
        RZTableTsv::Entry values;
        static_cast<RZSpellValues&>(values) = entry->values();
        values.index = entry->getIndex();
        values.level = entry->getLevel();
        values.element = entry->getElement();
        values.rank = entry->getRank();
        entries.push_back(std::move(values));
    }
    return entries;
}

RZTableTsv::Labels RZTableExchange::labels() {
    RZTableTsv::Labels labels;
    labels.elements = RZMagicTables::copyTable(RZMagicTables::TABLE_ELEMENTS);
    labels.ranks = RZMagicTables::copyTable(RZMagicTables::TABLE_RANKS);
    labels.targets = RZMagicTables::copyTable(RZMagicTables::TABLE_TARGETS);
    return labels;
}

void RZTableExchange::store(const RZTableTsv::Entry& values, RZMagic* entry) {
    if (entry == nullptr) {
        return;
    }
    entry->setValues(values);
}
