#pragma once

#include "toolkit/HDropDownListener.h"

// A drop-down list's new selection: the form's target list stores it in the
// shown entry; the character list of the dialog of each character's spells
// lists that character's spells.
class RZCommandDropDown : public HDropDownListener {
  public:
    RZCommandDropDown();
    ~RZCommandDropDown() override;

    bool onChange(HWND hwnd, int id, HComponent* component) override;
};
