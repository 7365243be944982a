#pragma once

#include "toolkit/HEventListener.h"

// WM_CTLCOLORSTATIC: Labels and read-only edits are drawn with their own colours and brush.
class HDefaultCtlColorSListener : public HEventListener {
  public:
    HDefaultCtlColorSListener();
    ~HDefaultCtlColorSListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
