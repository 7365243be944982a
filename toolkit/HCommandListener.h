#pragma once

#include "toolkit/HEventListener.h"

// Decodes WM_COMMAND of notification code 0 (menu, button) or 1 (accelerator)
// into onCommand.
class HCommandListener : public HEventListener {
  public:
    HCommandListener();
    ~HCommandListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
    // True: handled, the message result becomes 0.
    virtual bool onCommand(HWND hwnd, unsigned id, HComponent* component);
};
