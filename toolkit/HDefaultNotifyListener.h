#pragma once

#include "toolkit/HEventListener.h"

// WM_NOTIFY: Reflects WM_NOTIFY to the sending control's own listeners.
class HDefaultNotifyListener : public HEventListener {
  public:
    HDefaultNotifyListener();
    ~HDefaultNotifyListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
};
