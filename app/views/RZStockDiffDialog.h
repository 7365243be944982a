#pragma once

#include "app/data/RZStockTable.h"
#include "app/views/RZIds.h"

#include "toolkit/HDialog.h"

#include <cstdint>
#include <memory>
#include <vector>

class HButton;
class HFont;
class HListView;
class RZCommand;
class RZStockDiffListEvent;

// Lists the differences between the open table and the stock table, one row
// per field. Enter or a double click on a row ends it with IDOK (the row's
// entry is then chosenPosition); "閉じる" and Escape end it with IDCANCEL.
class RZStockDiffDialog : public HDialog {
  public:
    RZStockDiffDialog(HWindow* owner, std::vector<RZStockTable::Difference> differences);
    ~RZStockDiffDialog() override;

    // Also selects the first row.
    int create() override;
    // The document position of the selected row's entry, or -1.
    std::int64_t chosenPosition();

  private:
    std::vector<RZStockTable::Difference> rows;
    std::unique_ptr<HFont> font;
    std::unique_ptr<HListView> list;
    std::unique_ptr<HButton> closeButton;
    std::unique_ptr<RZCommand> commandListener;
    std::unique_ptr<RZStockDiffListEvent> listListener;
};
