#pragma once

#include "app/views/RZIds.h"

#include "toolkit/HDialog.h"

#include <memory>
#include <string>

class HButton;
class HEdit;
class HFont;
class RZCommand;

// The find box: one edit box holding the search text, "次を検索" (Enter) and
// "キャンセル" (Escape). showDialog returns IDOK when the user asked to find.
class RZFindDialog : public HDialog {
  public:
    RZFindDialog(HWindow* owner, const std::string& text);
    ~RZFindDialog() override;

    // Also selects the whole text, so typing replaces the last search.
    int create() override;
    // The edit box's text (read while the dialog still exists).
    std::string searchText();

  private:
    std::unique_ptr<HFont> font;
    std::unique_ptr<HEdit> edit;
    std::unique_ptr<HButton> findButton;
    std::unique_ptr<HButton> cancelButton;
    std::unique_ptr<RZCommand> commandListener;
};
