#pragma once

#include "toolkit/HListViewEventListener.h"

// The list of a list dialog (RZListDialog): a double click on a row ends the
// dialog as Enter does, by sending the dialog's jump command.
class RZListJumpEvent : public HListViewEventListener {
  public:
    explicit RZListJumpEvent(int jumpCommand);
    ~RZListJumpEvent() override;

    bool onDoubleClick(HWND hwnd, HListView* listView, int index) override;

  private:
    int command;
};
