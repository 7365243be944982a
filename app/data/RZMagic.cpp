#include "app/data/RZMagic.h"

RZMagic::RZMagic(ZDMagic record) : ZDMagic(record), loaded(std::move(record)) {}

bool RZMagic::hasChanged() const {
    if (getRow() != loaded.getRow() || getName() != loaded.getName() ||
        getLevel() != loaded.getLevel() || getElement() != loaded.getElement() ||
        getRank() != loaded.getRank() || getTarget() != loaded.getTarget() ||
        getCost() != loaded.getCost() || getRange() != loaded.getRange() ||
        getArea() != loaded.getArea() || getEfficiency() != loaded.getEfficiency() ||
        getDescription() != loaded.getDescription() || getSound() != loaded.getSound()) {
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
    setName(loaded.getName());
    setLevel(loaded.getLevel());
    setElement(loaded.getElement());
    setRank(loaded.getRank());
    setTarget(loaded.getTarget());
    setCost(loaded.getCost());
    setRange(loaded.getRange());
    setArea(loaded.getArea());
    setEfficiency(loaded.getEfficiency());
    setDescription(loaded.getDescription());
    setSound(loaded.getSound());
}
