#pragma once

#include "toolkit/HEventListener.h"

// A menu of the main window is about to open: its items' states are brought up
// to date first, since some follow what other programs do (the clipboard).
class RZMenuOpen : public HEventListener {
  public:
    RZMenuOpen();
    ~RZMenuOpen() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
