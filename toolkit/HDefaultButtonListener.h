#pragma once

#include "toolkit/HEventListener.h"

// WM_KEYDOWN: Enter pressed on a button: drawn pressed and marked.
class HDefaultButtonListener : public HEventListener {
  public:
    HDefaultButtonListener();
    ~HDefaultButtonListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
