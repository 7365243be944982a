#pragma once

#include "toolkit/HCommandListener.h"

// Routes every command (menu item, accelerator, button) to its operation by
// command id; ids without an operation of their own go to RZOP0002.
class RZCommand : public HCommandListener {
  public:
    RZCommand();
    ~RZCommand() override;

    // Always true: the command counts as handled.
    bool onCommand(HWND hwnd, unsigned id, HComponent* component) override;
};
