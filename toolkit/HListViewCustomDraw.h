#pragma once

#include "toolkit/HEventListener.h"

class HListView;

// WM_NOTIFY (NM_CUSTOMDRAW) from its list view: paints each row's background
// in the row's colour, and the selected row in the selection colours when the
// list asks for it. Made, registered and owned by the list view.
class HListViewCustomDraw : public HEventListener {
  public:
    explicit HListViewCustomDraw(HListView* listView);
    ~HListViewCustomDraw() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

  private:
    HListView* listView; // borrowed: the list owns this listener
};
