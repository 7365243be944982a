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
        return RZMagicTables::text(kind, target);
    case TEXT_SPELL:
        return RZMagicTables::text(kind, index);
    default:
        return std::string();
    }
}
