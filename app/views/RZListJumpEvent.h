#pragma once

#include "toolkit/HListViewEventListener.h"

// The list of a list dialog (RZListDialog): a double click on a row ends the
// dialog as Enter does, by sending the dialog's jump command; a check box
// ticked or cleared is told to the dialog.
class RZListJumpEvent : public HListViewEventListener {
  public:
    explicit RZListJumpEvent(int jumpCommand);
    ~RZListJumpEvent() override;

    bool onDoubleClick(HWND hwnd, HListView* listView, int index) override;
    bool onChecked(HWND hwnd, HListView* listView, int index, bool checked) override;

  private:
    int command;
};
