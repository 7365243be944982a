#pragma once

#include "toolkit/HContainer.h"

#include <vector>

// A menu item; one with children of its own becomes a submenu. The text "-"
// makes a separator. The component id is the command id of WM_COMMAND.
class HMenuItem : public HContainer {
  public:
    HMenuItem(HContainer* parent, int id, const std::string& text);
    ~HMenuItem() override;

    int create() override;
    void dispose() override;
    void repaint() override;
    bool isEnabled() override;
    void setEnabled(bool enabled) override;

    // A check mark beside the item; kept for the next create without a menu.
    bool isChecked() const { return itemChecked; }
    void setChecked(bool checked);

    bool isSeparator() const { return separator; }
    HMENU getSubmenu() const { return submenu; }
    // The menu this item lives in: the bar's menu or the parent item's submenu.
    HMENU getParentMenu() const;

  private:
    MENUITEMINFOA info = {};
    bool separator;
    HMENU submenu = nullptr;
    // The caption as the menu reads it (dwTypeData is not const).
    std::vector<char> textCopy;
    bool itemEnabled = true;
    bool itemChecked = false;
};
