#pragma once

#include "toolkit/HComponent.h"

// A check box ("BUTTON", BS_AUTOCHECKBOX) with its text beside it, drawn on
// the face colour; a click or Space turns it on and off. Its state is kept by
// the component too, so it can be set before create and read until dispose.
class HCheckBox : public HComponent {
  public:
    HCheckBox(HContainer* parent, int id, const std::string& text);
    ~HCheckBox() override;

    int create() override;
    // Keeps the state the box showed last; the native box goes with its parent.
    void dispose() override;

    bool isChecked();
    void setChecked(bool checked);

  private:
    bool checkedState = false;
};
