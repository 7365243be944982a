#pragma once

#include "toolkit/HEventListener.h"

// Turns an edit box's WM_COMMAND notifications (EN_...) into named callbacks.
// Each callback gets the window that received the message, the control id and
// the edit box's component; true sets the message result to 0. The defaults
// write a debug line and return true when the component is present.
class HEditListener : public HEventListener {
  public:
    HEditListener();
    ~HEditListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

    virtual bool onFocusGain(HWND hwnd, int id, HComponent* component);
    virtual bool onFocusLost(HWND hwnd, int id, HComponent* component);
    virtual bool onUpdate(HWND hwnd, int id, HComponent* component);
    virtual bool onChange(HWND hwnd, int id, HComponent* component);
    virtual bool onErrSpace(HWND hwnd, int id, HComponent* component);
    virtual bool onMaxText(HWND hwnd, int id, HComponent* component);
    virtual bool onHScroll(HWND hwnd, int id, HComponent* component);
    virtual bool onVScroll(HWND hwnd, int id, HComponent* component);
};
