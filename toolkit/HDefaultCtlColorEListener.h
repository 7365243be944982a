#pragma once

#include "toolkit/HEventListener.h"

// WM_CTLCOLOREDIT: Edit boxes are drawn with their own colours and brush.
class HDefaultCtlColorEListener : public HEventListener {
  public:
    HDefaultCtlColorEListener();
    ~HDefaultCtlColorEListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
