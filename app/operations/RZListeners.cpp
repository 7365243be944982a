#include "app/operations/RZListeners.h"

#include "app/operations/RZCommand.h"
#include "app/operations/RZCommandDropDown.h"
#include "app/operations/RZCommandEdit.h"
#include "app/views/RZClose.h"
#include "app/views/RZListViewEvent.h"
#include "app/views/RZListViewEvent2.h"
#include "app/views/RZMenuOpen.h"
#include "app/views/RZProgramVersion.h"

const std::string& versionText() {
    // Function-local static: made before first use, destroyed at program end.
    static const std::string text = RZ_VERSION_TEXT;
    return text;
}

RZListeners::RZListeners() {
    setClassName("RZListeners");
}

RZListeners::~RZListeners() {
    deleteAll();
}

void RZListeners::deleteAll() {
    command.reset();
    edit.reset();
    dropDown.reset();
    listView.reset();
    listView2.reset();
    close.reset();
    menuOpen.reset();
}

void RZListeners::create() {
    deleteAll();
    command = std::make_unique<RZCommand>();
    edit = std::make_unique<RZCommandEdit>();
    dropDown = std::make_unique<RZCommandDropDown>();
    listView = std::make_unique<RZListViewEvent>();
    listView2 = std::make_unique<RZListViewEvent2>();
    close = std::make_unique<RZClose>();
    menuOpen = std::make_unique<RZMenuOpen>();
}
