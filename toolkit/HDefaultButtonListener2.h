#pragma once

#include "toolkit/HEventListener.h"

// WM_KEYUP: Enter released on a marked button: WM_COMMAND to the top-level window.
class HDefaultButtonListener2 : public HEventListener {
  public:
    HDefaultButtonListener2();
    ~HDefaultButtonListener2() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
