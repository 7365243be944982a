#pragma once

#include "toolkit/HListViewEventListener.h"

#include <vector>

class HListView;

// The character list: a clicked column sorts the rows by their texts in that
// column (first click ascending, each further click reverses).
class RZListViewEvent2 : public HListViewEventListener {
  public:
    RZListViewEvent2();
    ~RZListViewEvent2() override;

    bool onColumnClick(HWND hwnd, HListView* listView, int index) override;

    static int CALLBACK compare(LPARAM first, LPARAM second, LPARAM column);
    static const std::vector<int>& directions();
};
