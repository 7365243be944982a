#include "app/operations/RZExMenu.h"

#include "app/data/RZGameDirectory.h"
#include "support/HDebug.h"
#include "support/HFindFiles.h"
#include "toolkit/HMenuItem.h"

#include <vector>

RZExMenu::RZExMenu() {
    setClassName("RZExMenu");
}

RZExMenu::~RZExMenu() {
    for (auto& entry : items) {
        delete entry.second;
    }
    for (auto& entry : paths) {
        delete entry.second;
    }
}

int RZExMenu::create(HMenuItem* parent, int firstId) {
    HLOG_START("RZExMenu", 40, "create");
    nextId = firstId;
    gameDirectory = HFile(RZGameDirectory::path());
    int count = 0;
    std::vector<HFile> directories;
    if (parent != nullptr && !gameDirectory.isEmpty()) {
        HFindFiles::getDirectories(gameDirectory, directories);
    }
    for (const HFile& directory : directories) {
        HFile config;
        config.setDirectory(directory.fullPath());
        config.setName("Config");
        if (!config.exists()) {
            continue;
        }
        if (directory.name() == "." || directory.name() == "..") {
            continue;
        }
        if (count == 0) {
            items[nextId] = new HMenuItem(parent, nextId, "-");
            ++nextId;
        }
        HMenuItem* item = new HMenuItem(parent, nextId, directory.name());
        std::string* path = new std::string(directory.fullPath());
        item->setUserObject(path);
        items[nextId] = item;
        paths[nextId] = path;
        ++nextId;
        ++count;
    }
    printMessage("menuCount=%u", static_cast<unsigned>(count));
    HLOG_END("RZExMenu", 75, "create");
    return count;
}
