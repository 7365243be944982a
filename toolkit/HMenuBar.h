#pragma once

#include "toolkit/HContainer.h"

class HWindow;

// The window's menu bar. Its parent is the window (set by the constructor
// through setMenuBar), but it is not one of the window's children: the window
// creates it after them.
class HMenuBar : public HContainer {
  public:
    HMenuBar(HWindow* parent, int id, const std::string& text);
    ~HMenuBar() override;

    int create() override;
    void dispose() override;
    void repaint() override;

    HMENU getMenu() const { return menu; }

  private:
    HMENU menu = nullptr;
};
