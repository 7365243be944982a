#pragma once

#include "app/data/RZSpellFields.h"
#include "support/HFile.h"

#include <cstdint>
#include <string>

// One level of one spell, as the game's table describes it.
class ZDMagic {
  public:
    // Kinds of fieldText.
    static constexpr int TEXT_LEVEL = 0;
    static constexpr int TEXT_ELEMENT = 1;
    static constexpr int TEXT_RANK = 2;
    static constexpr int TEXT_TARGET = 3;
    static constexpr int TEXT_SPELL = 4;

    ZDMagic();
    ZDMagic(const ZDMagic&) = default;
    ZDMagic& operator=(const ZDMagic&) = default;
    ZDMagic(ZDMagic&&) = default;
    ZDMagic& operator=(ZDMagic&&) = default;
    virtual ~ZDMagic() = default;

    std::int32_t getIndex() const { return index; }
    void setIndex(std::int32_t value) { index = value; }
    HFile getSource() const { return source; }
    void setSource(HFile value) { source = std::move(value); }
    std::int32_t getRow() const { return row; }
    void setRow(std::int32_t value) { row = value; }
    std::string getName() const { return levelValues.name; }
    void setName(std::string value) { levelValues.name = std::move(value); }
    std::int32_t getLevel() const { return level; }
    void setLevel(std::int32_t value) { level = value; }
    std::int32_t getElement() const { return element; }
    void setElement(std::int32_t value) { element = value; }
    std::int32_t getRank() const { return rank; }
    void setRank(std::int32_t value) { rank = value; }
    std::int32_t getTarget() const { return levelValues.target; }
    void setTarget(std::int32_t value) { levelValues.target = value; }
    std::int32_t getCost() const { return levelValues.cost; }
    void setCost(std::int32_t value) { levelValues.cost = value; }
    std::int32_t getRange() const { return levelValues.range; }
    void setRange(std::int32_t value) { levelValues.range = value; }
    std::int32_t getArea() const { return levelValues.area; }
    void setArea(std::int32_t value) { levelValues.area = value; }
    std::int32_t getEfficiency() const { return levelValues.efficiency; }
    void setEfficiency(std::int32_t value) { levelValues.efficiency = value; }
    std::string getDescription() const { return levelValues.description; }
    void setDescription(std::string value) { levelValues.description = std::move(value); }
    std::string getSound() const { return levelValues.sound; }
    void setSound(std::string value) { levelValues.sound = std::move(value); }
    // Every value of the level that is edited (RZSpellFields).
    const RZSpellValues& values() const { return levelValues; }
    void setValues(RZSpellValues value) { levelValues = std::move(value); }
    std::string getPicture() const { return picture; }
    void setPicture(std::string value) { picture = std::move(value); }

    // Display text of a numeric field (TEXT_LEVEL .. TEXT_SPELL) from the
    // built-in tables; "" for a value the table lacks or an unknown kind.
    std::string fieldText(int kind) const;
    // A field's value as the spell list shows it: the target's label ("" for
    // one the table lacks), numbers in decimal.
    std::string valueText(int field) const { return valueText(levelValues, field); }
    // The same of any level's values.
    static std::string valueText(const RZSpellValues& values, int field);

  private:
    std::int32_t index = -1;
    HFile source;
    std::int32_t row = -1;
    std::int32_t level = 0;
    std::int32_t element = -1;
    std::int32_t rank = 0;
    RZSpellValues levelValues;
    std::string picture;
};
