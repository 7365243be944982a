#pragma once

#include "toolkit/HWindow.h"

class HButton;
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
    static const int FIRST_CONTROL = 101;
    static const int LAST_CONTROL = 133;
    static const int MENU_BAR = 134;
    static const int FIRST_MENU_ITEM = 135;
    static const int LAST_MENU_ITEM = 152;
    static const int FIRST_DATA_SET = 501;

    RZWindow();
    ~RZWindow() override;

    RZExMenu* getDataSetMenu() const { return dataSetMenu; }
    RZListeners* getListeners() const { return listeners; }
    HWavePlayer* getWavePlayer() const { return wavePlayer; }
    HFont* getWindowFont() const { return font; }
    // The control with the id 101..133, else null.
    HComponent* getControl(int id) const;
    // The menu item with the id 135..152, else null.
    HMenuItem* getMenuItem(int id) const;

  private:
    RZExMenu* dataSetMenu;
    RZListeners* listeners;
    HWavePlayer* wavePlayer;
    HComponent* controls[LAST_CONTROL - FIRST_CONTROL + 1] = {};
    HMenuBar* menuBar;
    HMenuItem* menuItems[LAST_MENU_ITEM - FIRST_MENU_ITEM + 1] = {};
    HFont* font;
};
