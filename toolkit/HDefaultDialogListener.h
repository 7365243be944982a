#pragma once

#include "toolkit/HEventListener.h"

#include <memory>

// WM_CLOSE, and Escape through a WM_CHAR companion whose delegate is this
// listener: hides the dialog and sets its result code to 4.
class HDefaultDialogListener : public HEventListener {
  public:
    HDefaultDialogListener();
    ~HDefaultDialogListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

    // The WM_CHAR companion (owned); the dialog registers both.
    HEventListener* getCompanion() const { return companion.get(); }

  private:
    std::unique_ptr<HEventListener> companion;
};
