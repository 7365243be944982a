#include "app/data/ZDMagic.h"

#include "app/data/RZMagicTables.h"

ZDMagic::ZDMagic() {
    // Makes sure the name tables exist before any record is shown.
    RZMagicTables::text(TEXT_LEVEL, 0);
}

std::string ZDMagic::fieldText(int kind) const {
    switch (kind) {
    case TEXT_LEVEL:
        return RZMagicTables::text(kind, level);
    case TEXT_ELEMENT:
        return RZMagicTables::text(kind, element);
    case TEXT_RANK:
        return RZMagicTables::text(kind, rank);
    case TEXT_TARGET:
        return RZMagicTables::text(kind, levelValues.target);
    case TEXT_SPELL:
        return RZMagicTables::text(kind, index);
    default:
        return std::string();
    }
}

std::string ZDMagic::valueText(const RZSpellValues& values, int field) {
    switch (RZSpellFields::isField(field) ? RZSpellFields::info(field).kind
                                          : RZSpellFields::Kind::TEXT) {
    case RZSpellFields::Kind::CHOICE:
        return RZMagicTables::text(TEXT_TARGET, RZSpellFields::number(values, field));
    case RZSpellFields::Kind::NUMBER:
        return std::to_string(RZSpellFields::number(values, field));
    case RZSpellFields::Kind::TEXT:
    default:
        return RZSpellFields::text(values, field);
    }
}
