#pragma once

#include "toolkit/HEventListener.h"

// Answers its message with a fixed result (the picture view answers
// WM_ERASEBKGND with 0).
class HEventDisable : public HEventListener {
  public:
    HEventDisable(const HEventType& type, LRESULT value);
    ~HEventDisable() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

  private:
    LRESULT value;
};
