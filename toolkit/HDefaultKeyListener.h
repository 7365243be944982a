#pragma once

#include "toolkit/HEventListener.h"

// WM_CHAR: Tab and Shift+Tab move the focus among the parent's children.
class HDefaultKeyListener : public HEventListener {
  public:
    HDefaultKeyListener();
    ~HDefaultKeyListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
