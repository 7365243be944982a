#pragma once

#include "support/HObject.h"

#include <string>

class RZCommand;
class RZCommandEdit;
class RZCommandDropDown;
class RZListViewEvent;
class RZListViewEvent2;
class RZClose;

// The program's version text, "1.02": the main window's first title and the
// about box show it. Made on first use, released when the program ends.
const std::string& versionText();

// Holds the application listeners of the main window: it makes them, the window
// registers them, and they go when the holder goes.
class RZListeners : public HObject {
  public:
    RZListeners();
    ~RZListeners() override;

    // Deletes any listeners held and makes a new one of each kind.
    void create();

    // Ownership stays with the holder.
    RZCommand* getCommandListener() const { return command; }
    RZCommandEdit* getEditListener() const { return edit; }
    RZCommandDropDown* getDropDownListener() const { return dropDown; }
    RZListViewEvent* getListViewListener() const { return listView; }
    RZListViewEvent2* getListViewListener2() const { return listView2; }
    RZClose* getCloseListener() const { return close; }

  private:
    void deleteAll();

    RZCommand* command = nullptr;
    RZCommandEdit* edit = nullptr;
    RZCommandDropDown* dropDown = nullptr;
    RZListViewEvent* listView = nullptr;
    RZListViewEvent2* listView2 = nullptr;
    RZClose* close = nullptr;
};
