#pragma once

#include "toolkit/HListViewEventListener.h"

#include <vector>

class HListView;

// The spell list: a newly selected row is shown in the form, a row that loses
// the selection is rewritten from its entry, a clicked column sorts the rows
// by value (first click ascending, each further click reverses), and Ctrl+C
// and Ctrl+V copy the table and paste into it (in the form's edit boxes the
// keys keep their own meaning, so they are not accelerators).
class RZListViewEvent : public HListViewEventListener {
  public:
    RZListViewEvent();
    ~RZListViewEvent() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
    bool onSelected(HWND hwnd, HListView* listView, int index) override;
    bool onRejected(HWND hwnd, HListView* listView, int index) override;
    bool onColumnClick(HWND hwnd, HListView* listView, int index) override;

    // The comparison of two rows by the entries they hold; column is the sort
    // parameter. The directions are those of the last column click.
    static int CALLBACK compare(LPARAM first, LPARAM second, LPARAM column);

    // The sort directions, one per column (1 ascending, -1 descending, 0 not
    // sorted), shared by every instance and kept across refills of the list.
    static const std::vector<int>& directions();
};
