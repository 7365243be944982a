#pragma once

#include "app/views/RZIds.h"
#include "toolkit/HWindow.h"

#include <memory>

class HComponent;
class HFont;
class HMenuBar;
class HMenuItem;
class HWavePlayer;
class RZExMenu;
class RZListeners;

// The editor's one window: the spell list across the top, the form of the
// selected spell level below it, the picture preview and the usable characters
// on the right, the menus and the accelerators. The window owns everything it
// builds and deletes it after the native windows are gone.
class RZWindow : public HWindow {
  public:
    RZWindow();
    ~RZWindow() override;

    RZExMenu* getDataSetMenu() const { return dataSetMenu.get(); }
    RZListeners* getListeners() const { return listeners.get(); }
    HWavePlayer* getWavePlayer() const { return wavePlayer.get(); }
    HFont* getWindowFont() const { return font.get(); }
    // The control with the id IDC_FIRST_CONTROL..IDC_LAST_CONTROL, else null.
    HComponent* getControl(int id) const;
    // The menu item with an id from IDM_FIRST_MENU_ITEM to IDM_LAST_EXTRA_ITEM, else null.
    HMenuItem* getMenuItem(int id) const;

  private:
    std::unique_ptr<HFont> font;
    std::unique_ptr<RZExMenu> dataSetMenu;
    std::unique_ptr<RZListeners> listeners;
    std::unique_ptr<HWavePlayer> wavePlayer;
    std::unique_ptr<HComponent> controls[IDC_LAST_CONTROL - IDC_FIRST_CONTROL + 1];
    std::unique_ptr<HMenuBar> menuBar;
    // By id; ids without an item (between the groups) stay empty.
    std::unique_ptr<HMenuItem> menuItems[IDM_LAST_EXTRA_ITEM - IDM_FIRST_MENU_ITEM + 1];
};
