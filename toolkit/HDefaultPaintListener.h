#pragma once

#include "toolkit/HEventListener.h"

// WM_PAINT: Calls the component's paint; the window procedure still paints afterwards.
class HDefaultPaintListener : public HEventListener {
  public:
    HDefaultPaintListener();
    ~HDefaultPaintListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
