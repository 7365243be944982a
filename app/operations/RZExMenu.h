#pragma once

#include "support/HFile.h"
#include "support/HObject.h"

#include <map>
#include <memory>
#include <string>

class HMenuItem;

// The File menu's data-set entries: one item per subdirectory of the game
// directory that holds an entry named "Config", after a separator. Choosing
// one opens that set's tables (RZOP0002 finds the directory as the item's user
// object). The items and their path strings are owned here.
class RZExMenu : public HObject {
  public:
    RZExMenu();
    ~RZExMenu() override;

    // Adds the items under parent, ids from firstId (the separator takes the
    // first); returns the number of data-set items.
    int create(HMenuItem* parent, int firstId);

    int getNextId() const { return nextId; }
    HFile getGameDirectory() const { return gameDirectory; }

  private:
    int nextId = 0;
    std::map<int, std::unique_ptr<HMenuItem>> items;
    HFile gameDirectory;
    // Each data-set item's directory, the item's user object.
    std::map<int, std::unique_ptr<std::string>> paths;
};
