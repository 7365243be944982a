#pragma once

#include "app/data/RZBulkChange.h"

#include "toolkit/HDialog.h"

class HEdit;
template <typename T> class HDropDown;

// The bulk change's choices: 項目 (a number field), 操作, 値 (as typed) and 対象
// (the rows the filter shows among them only while a filter is on), with
// "実行" (also Enter) and "キャンセル" (also Escape). The operation of "実行"
// checks the choices and ends the dialog with IDOK, or keeps it open.
class RZBulkChangeDialog : public HDialog {
  public:
    RZBulkChangeDialog(HWindow* owner, const RZBulkChange::Choice& last, bool filtered);

    // Also shows the choices given.
    int create() override;
    // The choices as the controls show them.
    RZBulkChange::Choice choice();
    // Moves the focus to 値 with its text selected, or to 対象.
    void focusValue();
    void focusTarget();

  private:
    RZBulkChange::Choice shown;
    // Parts of the dialog (HDialog::make).
    HDropDown<int>* field;
    HDropDown<int>* operation;
    HEdit* value;
    HDropDown<int>* target;
};
