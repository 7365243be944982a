#pragma once

#include "support/HObject.h"

#include <memory>
#include <string>

class RZCommand;
class RZCommandEdit;
class RZCommandDropDown;
class RZListViewEvent;
class RZListViewEvent2;
class RZClose;
class RZMenuOpen;

// The program's version text (RZ_VERSION_TEXT): the main window's first title
// and the about box show it. Made on first use, released when the program ends.
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
    RZCommand* getCommandListener() const { return command.get(); }
    RZCommandEdit* getEditListener() const { return edit.get(); }
    RZCommandDropDown* getDropDownListener() const { return dropDown.get(); }
    RZListViewEvent* getListViewListener() const { return listView.get(); }
    RZListViewEvent2* getListViewListener2() const { return listView2.get(); }
    RZClose* getCloseListener() const { return close.get(); }
    RZMenuOpen* getMenuOpenListener() const { return menuOpen.get(); }

  private:
    // Deletes them in the order they were made.
    void deleteAll();

    std::unique_ptr<RZCommand> command;
    std::unique_ptr<RZCommandEdit> edit;
    std::unique_ptr<RZCommandDropDown> dropDown;
    std::unique_ptr<RZListViewEvent> listView;
    std::unique_ptr<RZListViewEvent2> listView2;
    std::unique_ptr<RZClose> close;
    std::unique_ptr<RZMenuOpen> menuOpen;
};
