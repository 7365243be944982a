#pragma once

#include "toolkit/HListViewEventListener.h"

// The differences list: a double click on a row ends the dialog as Enter does,
// by sending its jump command to the dialog.
class RZStockDiffListEvent : public HListViewEventListener {
  public:
    RZStockDiffListEvent();
    ~RZStockDiffListEvent() override;

    bool onDoubleClick(HWND hwnd, HListView* listView, int index) override;
};
