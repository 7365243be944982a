#pragma once

#include "app/data/RZBulkChange.h"

#include "toolkit/HDialog.h"

#include <memory>

class HButton;
class HEdit;
class HFont;
class HLabel;
template <typename T> class HDropDown;
class RZCommand;

// The bulk change's choices: 項目 (a number field), 操作, 値 (as typed) and 対象,
// with "実行" (also Enter) and "キャンセル" (also Escape). The operation of
// "実行" checks the choices and ends the dialog with IDOK, or keeps it open.
class RZBulkChangeDialog : public HDialog {
  public:
    RZBulkChangeDialog(HWindow* owner, const RZBulkChange::Choice& last);
    ~RZBulkChangeDialog() override;

    // Also shows the choices given.
    int create() override;
    // The choices as the controls show them.
    RZBulkChange::Choice choice();
    // Moves the focus to 値 with its text selected, or to 対象.
    void focusValue();
    void focusTarget();

  private:
    RZBulkChange::Choice shown;
    std::unique_ptr<HFont> font;
    std::unique_ptr<HLabel> fieldLabel;
    std::unique_ptr<HDropDown<int>> field;
    std::unique_ptr<HLabel> operationLabel;
    std::unique_ptr<HDropDown<int>> operation;
    std::unique_ptr<HLabel> valueLabel;
    std::unique_ptr<HEdit> value;
    std::unique_ptr<HLabel> targetLabel;
    std::unique_ptr<HDropDown<int>> target;
    std::unique_ptr<HButton> runButton;
    std::unique_ptr<HButton> cancelButton;
    std::unique_ptr<RZCommand> commandListener;
};
