#pragma once

#include "toolkit/HEventListener.h"

// The main window's close request: it becomes the exit operation, which asks
// whether to save before the window goes. The default procedure never sees it.
class RZClose : public HEventListener {
  public:
    RZClose();
    ~RZClose() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
