#pragma once

#include "toolkit/HEventListener.h"

// Turns a drop-down list's WM_COMMAND notifications (CBN_...) into named
// callbacks. Each callback gets the window that received the message, the
// control id and the list's component; true sets the message result to 0. The
// defaults write a debug line and return true when the component is present.
class HDropDownListener : public HEventListener {
  public:
    HDropDownListener();
    ~HDropDownListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

    virtual bool onChange(HWND hwnd, int id, HComponent* component);
    virtual bool onFocusGain(HWND hwnd, int id, HComponent* component);
    virtual bool onFocusLost(HWND hwnd, int id, HComponent* component);
    virtual bool onEditChange(HWND hwnd, int id, HComponent* component);
    virtual bool onEditUpdate(HWND hwnd, int id, HComponent* component);
    virtual bool onDropDown(HWND hwnd, int id, HComponent* component);
    virtual bool onCloseUp(HWND hwnd, int id, HComponent* component);
};
