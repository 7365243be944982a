#pragma once

#include "toolkit/HEventListener.h"

class HListView;

// WM_NOTIFY (NM_CUSTOMDRAW) from its list view: paints each row's background
// in the row's colour. Made, registered and owned by the list view.
class HListViewCustomDraw : public HEventListener {
  public:
    explicit HListViewCustomDraw(HListView* listView);
    ~HListViewCustomDraw() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

  private:
    HListView* listView; // borrowed: the list owns this listener
};
