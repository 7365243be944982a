#pragma once

#include "toolkit/HEditListener.h"

// The form's edit boxes: focusing one selects its text, a change is stored in
// the shown entry at once, and leaving one ends its burst of typing (one undo
// step).
class RZCommandEdit : public HEditListener {
  public:
    RZCommandEdit();
    ~RZCommandEdit() override;

    bool onFocusGain(HWND hwnd, int id, HComponent* component) override;
    bool onFocusLost(HWND hwnd, int id, HComponent* component) override;
    bool onChange(HWND hwnd, int id, HComponent* component) override;
};
