#include "app/operations/RZListeners.h"

#include "app/operations/RZCommand.h"
#include "app/operations/RZCommandDropDown.h"
#include "app/operations/RZCommandEdit.h"
#include "app/views/RZClose.h"
#include "app/views/RZListViewEvent.h"
#include "app/views/RZListViewEvent2.h"

const std::string& versionText() {
    // Function-local static: made before first use, destroyed at program end.
    static const std::string text = "1.02";
    return text;
}

RZListeners::RZListeners() {
    setClassName("RZListeners");
}

RZListeners::~RZListeners() {
    deleteAll();
}

void RZListeners::deleteAll() {
    delete command;
    delete edit;
    delete dropDown;
    delete listView;
    delete listView2;
    delete close;
    command = nullptr;
    edit = nullptr;
    dropDown = nullptr;
    listView = nullptr;
    listView2 = nullptr;
    close = nullptr;
}

void RZListeners::create() {
    deleteAll();
    command = new RZCommand();
    edit = new RZCommandEdit();
    dropDown = new RZCommandDropDown();
    listView = new RZListViewEvent();
    listView2 = new RZListViewEvent2();
    close = new RZClose();
}
