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
    // The items go in id order, before the paths they point to.
    for (auto& entry : items) {
        entry.second.reset();
    }
    for (auto& entry : paths) {
        entry.second.reset();
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
            items[nextId] = std::make_unique<HMenuItem>(parent, nextId, "-");
            ++nextId;
        }
        auto item = std::make_unique<HMenuItem>(parent, nextId, directory.name());
        auto path = std::make_unique<std::string>(directory.fullPath());
        item->setUserObject(path.get());
        items[nextId] = std::move(item);
        paths[nextId] = std::move(path);
        ++nextId;
        ++count;
    }
    printMessage("menuCount=%u", static_cast<unsigned>(count));
    HLOG_END("RZExMenu", 75, "create");
    return count;
}
