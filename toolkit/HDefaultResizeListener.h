#pragma once

#include "toolkit/HEventListener.h"

// WM_SIZE: Restored or maximised: the container resizes its children.
class HDefaultResizeListener : public HEventListener {
  public:
    HDefaultResizeListener();
    ~HDefaultResizeListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
