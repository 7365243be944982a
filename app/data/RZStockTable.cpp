#include "app/data/RZStockTable.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicLoader.h"

#include <cstdio>

namespace {

std::string decimal(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return text;
}

} // namespace

const char* RZStockTable::fieldLabel(int field) {
    static const char* const labels[FIELD_COUNT] = {"名称", "対象", "消費", "射程",
                                                    "範囲", "効率", "説明", "効果音"};
    return field >= 0 && field < FIELD_COUNT ? labels[field] : "";
}

bool RZStockTable::isShared(int field) {
    return field == FIELD_NAME || field == FIELD_TARGET || field == FIELD_DESCRIPTION ||
           field == FIELD_SOUND;
}

std::string RZStockTable::fieldText(const ZDMagic& record, int field) {
    switch (field) {
    case FIELD_NAME:
        return record.getName();
    case FIELD_TARGET:
        return record.fieldText(ZDMagic::TEXT_TARGET);
    case FIELD_COST:
        return decimal(record.getCost());
    case FIELD_RANGE:
        return decimal(record.getRange());
    case FIELD_AREA:
        return decimal(record.getArea());
    case FIELD_EFFICIENCY:
        return decimal(record.getEfficiency());
    case FIELD_DESCRIPTION:
        return record.getDescription();
    case FIELD_SOUND:
        return record.getSound();
    default:
        return std::string();
    }
}

bool RZStockTable::sameField(const ZDMagic& a, const ZDMagic& b, int field) {
    switch (field) {
    case FIELD_NAME:
        return a.getName() == b.getName();
    case FIELD_TARGET:
        return a.getTarget() == b.getTarget();
    case FIELD_COST:
        return a.getCost() == b.getCost();
    case FIELD_RANGE:
        return a.getRange() == b.getRange();
    case FIELD_AREA:
        return a.getArea() == b.getArea();
    case FIELD_EFFICIENCY:
        return a.getEfficiency() == b.getEfficiency();
    case FIELD_DESCRIPTION:
        return a.getDescription() == b.getDescription();
    case FIELD_SOUND:
        return a.getSound() == b.getSound();
    default:
        return true;
    }
}

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

ZDMagic RZStockTable::recordFor(std::int32_t index, std::int32_t level) const {
    for (const ZDMagic& record : records) {
        if (record.getIndex() == index && record.getLevel() == level) {
            return record;
        }
    }
    return ZDMagic();
}

bool RZStockTable::differs(const ZDMagic& entry) const {
    ZDMagic stock = recordFor(entry.getIndex(), entry.getLevel());
    for (int field = 0; field < FIELD_COUNT; ++field) {
        if (!sameField(entry, stock, field)) {
            return true;
        }
    }
    return false;
}

std::vector<RZStockTable::Difference> RZStockTable::differences(const RZEditData& document) const {
    std::vector<Difference> found;
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        const RZMagic* entry = document.entryAt(i);
        // The spell's first level carries the shared fields.
        bool first = i == 0 || document.entryAt(i - 1)->getIndex() != entry->getIndex();
        ZDMagic stock = recordFor(entry->getIndex(), entry->getLevel());
        for (int field = 0; field < FIELD_COUNT; ++field) {
            if ((isShared(field) && !first) || sameField(*entry, stock, field)) {
                continue;
            }
            found.push_back({i, entry->getRow(), entry->getName(),
                             entry->fieldText(ZDMagic::TEXT_LEVEL), field, fieldText(stock, field),
                             fieldText(*entry, field)});
        }
    }
    return found;
}

void RZStockTable::resetSpellLevel(RZEditData& document, RZMagic* entry) const {
    if (entry == nullptr) {
        return;
    }
    ZDMagic own = recordFor(entry->getIndex(), entry->getLevel());
    entry->setCost(own.getCost());
    entry->setRange(own.getRange());
    entry->setArea(own.getArea());
    entry->setEfficiency(own.getEfficiency());
    entry->setName(own.getName());
    entry->setTarget(own.getTarget());
    entry->setDescription(own.getDescription());
    entry->setSound(own.getSound());
    document.shareSpellFields(entry, RZEditData::SHARE_NAME | RZEditData::SHARE_TARGET |
                                         RZEditData::SHARE_DESCRIPTION | RZEditData::SHARE_SOUND);
}
