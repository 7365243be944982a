#include "app/data/RZMagic.h"

RZMagic::RZMagic(ZDMagic record) : ZDMagic(record), loaded(std::move(record)) {}

bool RZMagic::hasChanged() const {
    if (getRow() != loaded.getRow() || getLevel() != loaded.getLevel() ||
        getElement() != loaded.getElement() || getRank() != loaded.getRank() ||
        values() != loaded.values()) {
        return true;
    }
    // A picture waiting to replace the spell's own counts as a change.
    return pictureReplacement.exists();
}

void RZMagic::revert() {
    pictureReplacement = HFile();
    soundReplacement = HFile();
    setSource(loaded.getSource());
    setRow(loaded.getRow());
    setLevel(loaded.getLevel());
    setElement(loaded.getElement());
    setRank(loaded.getRank());
    setValues(loaded.values());
}
