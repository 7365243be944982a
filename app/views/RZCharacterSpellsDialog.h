#pragma once

#include "app/views/RZListDialog.h"

#include <cstdint>
#include <string>
#include <vector>

template <typename T> class HDropDown;

// The spell levels one character may use: a drop-down of the game's
// characters above a list (行, 名称, Lv, 属, Rk, 適性). Choosing another
// character sends the drop-down's change, whose operation puts that
// character's rows in (setRows). Enter or a double click on a row ends it with
// IDOK (chosenPosition names the row's entry); "閉じる" and Escape end it with
// IDCANCEL.
class RZCharacterSpellsDialog : public RZListDialog {
  public:
    // The characters' names in their order, and the place of the one chosen first.
    RZCharacterSpellsDialog(HWindow* owner, const std::vector<std::string>& names,
                            std::uint32_t chosen);

    // Also chooses the first character given.
    int create() override;
    // The chosen character's place.
    std::uint32_t chosenCharacter();

  private:
    HDropDown<int>* choice; // a part of the dialog (HDialog::make)
    std::uint32_t first;
};
