#pragma once

#include "toolkit/HColor.h"
#include "toolkit/HComponent.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class HListViewCustomDraw;
class HListViewTips;

// A report-style list view ("SysListView32"). The component keeps its own copy
// of every column, row and cell, so rows can be filled before the control
// exists and the control is rebuilt from the copy by create; cell texts are
// read from the copy. Each row has a background colour, painted through the
// custom-draw listener the list view owns.
class HListView : public HComponent {
  public:
    static constexpr int MAX_TEXT = 1023;  // characters of a cell
    static constexpr int MAX_HEADER = 255; // characters of a column header

    struct Column {
        int format;
        int width;
        std::string text;
    };
    struct Cell {
        int row;
        int column;
        std::string text;
        LPARAM param;
    };

    HListView(HContainer* parent, int id, const std::string& text);
    ~HListView() override;

    // Builds the control and replays the columns and rows of the copy.
    int create() override;
    // Forgets the handle; the control goes with its parent window, the copy stays.
    void dispose() override;
    // Also the columns' widths, which are given at 96 DPI like the bounds.
    void applyDpi() override;

    // 0 inserted; -1 the control refused; 1 stored only (no control yet).
    int addColumn(const std::string& text, int width, int format = LVCFMT_LEFT);
    // A position below 0 or beyond the count appends. Results as addColumn.
    int insertItem(int row, const std::string& text);
    // 0 shown (an unchanged text is not sent again); 1 stored only or the
    // control refused; 2 row or column out of range.
    int setItemText(int row, int column, const std::string& text);
    // Empty text (and a note in the log) for a row, column or cell that is not there.
    std::string getItemText(int row, int column) const;
    // 0 stored (and set on the control); 1 the control refused; 2 out of range.
    int setItemParam(int row, int column, LPARAM param);
    // 0 for a row or cell that is not there, or when the control refuses.
    LPARAM getItemParam(int row, int column) const;
    // The sum of the rows the control refused to delete (0: all gone).
    int removeAllItems();
    // Removes one row, the rows below moving up; false for a row out of range
    // or one the control refused to delete (then the copy keeps it too).
    bool removeItem(int row);
    // Many rows change between these two: the control stops redrawing at
    // beginUpdate and shows the result with one repaint at endUpdate, instead of
    // one repaint and scroll-bar update per row. Not nested; without a control
    // they do nothing.
    void beginUpdate();
    void endUpdate();
    // The first selected row, or -1.
    int getSelectedIndex() const;
    // Selects, focuses and shows the row; the row, or -1.
    int setSelectedIndex(int row);
    int getColumnCount() const { return static_cast<int>(columns.size()); }
    int getItemCount() const { return static_cast<int>(rows.size()); }
    // Takes effect at the next create.
    void setSingleSelection(bool single) { singleSelection = single; }
    bool isSingleSelection() const { return singleSelection; }
    // The selected row in the system's selection colours whether or not the
    // list has the focus (the row being edited elsewhere stays marked), over
    // its own colour; off, the control draws the selection as it does.
    void setSelectionHighlighted(bool always) { selectionHighlighted = always; }
    bool isSelectionHighlighted() const { return selectionHighlighted; }
    // Whether a cell too narrow for its text shows the whole text in a tip
    // while the mouse rests on it. Takes effect at the next create.
    void setCellTips(bool shown) { cellTips = shown; }
    // Whether each row starts with a check box, which a click or Space ticks
    // and clears (rows start cleared). Takes effect at the next create.
    void setCheckBoxes(bool shown) { checkBoxes = shown; }
    // The row's check (the control's while it exists); false for a row out
    // of range.
    bool isItemChecked(int row) const;
    // False for a row out of range; a live control shows it at once.
    bool setItemChecked(int row, bool checked);
    // White for a row out of range.
    HColor getItemColor(int row) const;
    // False for a row out of range; a live control is redrawn.
    bool setItemColor(int row, const HColor& color);

    // Sorts the control's rows with LVM_SORTITEMS (the comparison gets the rows'
    // item parameters) and puts the copy's rows and colours in the control's new
    // order, so row indexes mean the same in both. A comparison that holds row
    // numbers as parameters finds the rows with findItemByParam. False without a
    // control or when the control refuses.
    bool sortItems(PFNLVCOMPARE compare, LPARAM param);

    // The row whose column-0 parameter is `param` in the copy, or -1. While
    // LVM_SORTITEMS runs the copy is still in the order before the sort, so a
    // comparison may use it to go from a parameter to a row's texts.
    int findItemByParam(LPARAM param) const;

    const Column* getColumn(int column) const;

  private:
    bool inRange(int row, int column) const;
    void renumberFrom(size_t row);
    int insertNativeItem(int row, const Cell& cell);
    bool redrawQuietly(HWND hwnd);
    bool setNativeText(const Cell& cell);

    std::vector<Column> columns;
    std::vector<std::vector<Cell>> rows;
    std::vector<HColor> rowColors;
    // The checks as last set or read back from the control (at dispose).
    std::vector<bool> rowChecks;
    bool singleSelection = false;
    bool selectionHighlighted = false;
    bool cellTips = false;
    bool checkBoxes = false;
    std::unique_ptr<HListViewCustomDraw> customDraw;
    // Made at the first create that asks for them.
    std::unique_ptr<HListViewTips> tips;
};
