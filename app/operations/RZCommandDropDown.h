#pragma once

#include "toolkit/HDropDownListener.h"

// The form's target list: a new selection is stored in the shown entry.
class RZCommandDropDown : public HDropDownListener {
  public:
    RZCommandDropDown();
    ~RZCommandDropDown() override;

    bool onChange(HWND hwnd, int id, HComponent* component) override;
};
