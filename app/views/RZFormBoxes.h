#pragma once

// The form's box of each field of a spell level: which control edits it and
// what the box takes. The field table (RZSpellFields) knows the values and
// their ranges; the boxes are the window's, so they are named here. The box
// limits are the form's own and narrower than some ranges on purpose: the
// ranges are what a check of the table and a change of many rows accept.

#include "app/data/RZSpellFields.h"
#include "app/views/RZIds.h"

namespace RZFormBoxes {

struct Box {
    RZSpellFields::Field field;
    int control;     // the form's box
    int textLimit;   // bytes the box takes; 0: not a text box
    bool digitsOnly; // the box takes digits only
};

inline constexpr Box BOXES[RZSpellFields::FIELD_COUNT] = {
    {RZSpellFields::FIELD_NAME, IDC_NAME, 40, false},
    {RZSpellFields::FIELD_TARGET, IDC_TARGET, 0, false},
    {RZSpellFields::FIELD_COST, IDC_COST, 4, false},
    {RZSpellFields::FIELD_RANGE, IDC_RANGE, 4, true},
    {RZSpellFields::FIELD_AREA, IDC_AREA, 2, true},
    {RZSpellFields::FIELD_EFFICIENCY, IDC_EFFICIENCY, 2, true},
    {RZSpellFields::FIELD_DESCRIPTION, IDC_DESCRIPTION, 256, false},
    {RZSpellFields::FIELD_SOUND, IDC_SOUND, 80, false},
};

// The box that edits a field.
constexpr int controlOf(int field) {
    return BOXES[field].control;
}

// The field a box of the form edits, or -1.
constexpr int fieldOfControl(int control) {
    for (const Box& box : BOXES) {
        if (box.control == control) {
            return box.field;
        }
    }
    return -1;
}

// Each field at its own place, so a field's box is found by its number.
constexpr bool tableIsWhole() {
    for (int f = 0; f < RZSpellFields::FIELD_COUNT; ++f) {
        if (BOXES[f].field != f) {
            return false;
        }
    }
    return true;
}
static_assert(tableIsWhole(), "one box per field in order");

} // namespace RZFormBoxes
