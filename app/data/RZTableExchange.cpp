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
        values.index = entry->getIndex();
        values.level = entry->getLevel();
        values.element = entry->getElement();
        values.rank = entry->getRank();
        values.target = entry->getTarget();
        values.cost = entry->getCost();
        values.range = entry->getRange();
        values.area = entry->getArea();
        values.efficiency = entry->getEfficiency();
        values.name = entry->getName();
        values.description = entry->getDescription();
        values.sound = entry->getSound();
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
    entry->setName(values.name);
    entry->setTarget(values.target);
    entry->setCost(values.cost);
    entry->setRange(values.range);
    entry->setArea(values.area);
    entry->setEfficiency(values.efficiency);
    entry->setDescription(values.description);
    entry->setSound(values.sound);
}
