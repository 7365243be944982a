#pragma once

#include "app/views/RZIds.h"

#include "toolkit/HDialog.h"

#include <string>

class HEdit;

// The find box: one edit box holding the search text, "次を検索" (Enter) and
// "キャンセル" (Escape). showDialog returns IDOK when the user asked to find.
class RZFindDialog : public HDialog {
  public:
    RZFindDialog(HWindow* owner, const std::string& text);

    // Also selects the whole text, so typing replaces the last search.
    int create() override;
    // The edit box's text (read while the dialog still exists).
    std::string searchText();

  private:
    HEdit* edit; // a part of the dialog (HDialog::make)
};
