#pragma once

#include "app/data/RZTableCompare.h"
#include "app/views/RZListDialog.h"

#include <vector>

class HButton;

// The differences between the open table and another one, a line per field
// (行, 名称, Lv, 項目, この表, 他の表, 標準, 状態), each with a check box. It keeps
// the other table's levels it was made with and hands back the lines checked
// (checkedLines): what the take button takes. Enter or a double click on a
// line ends it with IDOK (chosenPosition names the line's entry); "閉じる" and
// Escape end it with IDCANCEL. The take button is greyed while no line is
// checked, and is not the default button.
class RZTableCompareDialog : public RZListDialog {
  public:
    RZTableCompareDialog(HWindow* owner, std::vector<RZTableCompare::Level> other);

    const std::vector<RZTableCompare::Level>& otherTable() const { return other; }

    // Shows these lines (rows: their texts, in the same order). A line shown
    // before (the same level and field) keeps its check; a new one starts
    // checked when its state says so (RZTableCompare::chosenAtFirst).
    void showLines(std::vector<RZTableCompare::Line> lines, std::vector<Row> rows);
    // The lines checked now, in the list's order.
    std::vector<RZTableCompare::Line> checkedLines() const;
    // Ticks or clears every line's check.
    void checkAll(bool checked);

    void checkChanged() override;

  private:
    std::vector<RZTableCompare::Level> other;
    std::vector<RZTableCompare::Line> lines;
    HButton* takeButton; // a part of the dialog (HDialog::make)
};
