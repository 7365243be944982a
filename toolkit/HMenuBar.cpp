#include "toolkit/HMenuBar.h"

#include "toolkit/HWindow.h"

HMenuBar::HMenuBar(HWindow* parent, int id, const std::string& text) {
    setClassName("HMenuBar");
    setKindName("MenuBar");
    setId(id);
    setStoredText(text);
    if (parent) {
        parent->setMenuBar(this);
    }
}

HMenuBar::~HMenuBar() {
    // A menu attached to a window goes with the window.
    if (menu && !getParent()) {
        DestroyMenu(menu);
    }
    menu = nullptr;
}

int HMenuBar::create() {
    if (menu || !getParent() || !getParent()->getHandle()) {
        return menu ? 1 : 0;
    }
    menu = CreateMenu();
    if (!menu) {
        return 0;
    }
    setHandle(reinterpret_cast<HWND>(menu));
    // Filled before it is attached: attaching lays out the window's frame with
    // the whole bar at once, and a window not shown yet needs no redraw of it.
    HContainer::create();
    SetMenu(getParent()->getHandle(), menu);
    if (IsWindowVisible(getParent()->getHandle())) {
        repaint();
    }
    return 1;
}

void HMenuBar::dispose() {
    // The items are disposed but kept, so the bar can be made native again.
    for (int i = 0; i < getChildCount(); ++i) {
        HComponent* child = getChild(i);
        if (child) {
            child->dispose();
        }
    }
    if (menu && !getParent()) {
        DestroyMenu(menu);
    }
    menu = nullptr;
    if (getHandle()) {
        setHandle(nullptr);
    }
}

void HMenuBar::repaint() {
    if (getParent() && getParent()->getHandle()) {
        DrawMenuBar(getParent()->getHandle());
    }
}
