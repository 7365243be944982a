#pragma once

#include "app/views/RZListDialog.h"

#include <vector>

class HButton;

// The table check's problems, one row each (行, 名称, Lv, 項目, 問題). Enter or
// a double click on a row ends it with IDOK (chosenPosition names the row's
// entry); "閉じる" and Escape end it with IDCANCEL. "効果音をコピー" is greyed
// while copying the chosen sounds would mend no row.
class RZTableCheckDialog : public RZListDialog {
  public:
    // The result when copying mended every problem: the dialog has nothing
    // left to show.
    static constexpr int ALL_MENDED = 100;

    RZTableCheckDialog(HWindow* owner, std::vector<Row> rows, bool copyMends);

    // The rows of a new check, and whether copying would mend any of them.
    void showCheck(std::vector<Row> rows, bool copyMends);

  private:
    HButton* copyButton; // a part of the dialog (HDialog::make)
};
