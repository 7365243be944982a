#pragma once

#include "toolkit/HEventListener.h"

class HListView;

// WM_NOTIFY from a list view (reflected to the list view's own listeners by
// its top-level window): selection changes, check boxes, column clicks and
// double clicks as callbacks.
// Each gets the window handle passed with the message, the list view (null
// when the listener sits on something else) and the row or column index. The
// defaults write a debug line and return true.
class HListViewEventListener : public HEventListener {
  public:
    HListViewEventListener();
    ~HListViewEventListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

    // A row became selected (LVN_ITEMCHANGED); true sets the result to 0.
    virtual bool onSelected(HWND hwnd, HListView* listView, int index);
    // A row lost its selection (LVN_ITEMCHANGED); true sets the result to 0.
    virtual bool onRejected(HWND hwnd, HListView* listView, int index);
    // A row is about to become selected (LVN_ITEMCHANGING); false vetoes it.
    virtual bool onSelecting(HWND hwnd, HListView* listView, int index);
    // A row is about to lose its selection (LVN_ITEMCHANGING); false vetoes it.
    virtual bool onRejecting(HWND hwnd, HListView* listView, int index);
    // A row's check box was ticked or cleared (LVN_ITEMCHANGED of the row's
    // state image); true sets the result to 0.
    virtual bool onChecked(HWND hwnd, HListView* listView, int index, bool checked);
    // A column header was clicked (LVN_COLUMNCLICK); index is the column.
    virtual bool onColumnClick(HWND hwnd, HListView* listView, int index);
    // A row was double-clicked (NM_DBLCLK); index is the row, -1 off the rows.
    virtual bool onDoubleClick(HWND hwnd, HListView* listView, int index);

  private:
    void restoreLeftRow(HListView* listView, int vetoed);

    // The row whose selection was last given up, and the input message that
    // did it: a click or key first clears the old row and then selects the new
    // one, so a veto of the new row hands the selection back to the old one.
    int leftRow = -1;
    LONG leftTime = 0;
    DWORD leftPosition = 0;
};
