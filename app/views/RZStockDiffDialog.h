#pragma once

#include "app/data/RZStockTable.h"
#include "app/views/RZListDialog.h"

#include <vector>

// Lists the differences between the open table and the stock table, one row
// per field. Enter or a double click on a row ends it with IDOK (the row's
// entry is then chosenPosition); "閉じる" and Escape end it with IDCANCEL.
class RZStockDiffDialog : public RZListDialog {
  public:
    RZStockDiffDialog(HWindow* owner, const std::vector<RZStockTable::Difference>& differences);
    ~RZStockDiffDialog() override;
};
