#pragma once

#include "toolkit/HEventListener.h"

// WM_DESTROY: Disposes the window and posts WM_QUIT.
class HDefaultDestroyListener : public HEventListener {
  public:
    HDefaultDestroyListener();
    ~HDefaultDestroyListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
