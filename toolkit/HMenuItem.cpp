#include "toolkit/HMenuItem.h"

#include "support/HDebug.h"

HMenuItem::HMenuItem(HContainer* parent, int id, const std::string& text)
    : HContainer(parent, id, text) {
    setClassName("HMenuItem");
    setKindName("MenuItem");
    separator = text == "-";
}

HMenuItem::~HMenuItem() {
    if (submenu && !getParent()) {
        DestroyMenu(submenu);
    }
    submenu = nullptr;
}

HMENU HMenuItem::getParentMenu() const {
    if (!getParent()) {
        return nullptr;
    }
    return reinterpret_cast<HMENU>(getParent()->getHandle());
}

int HMenuItem::create() {
    if (submenu) {
        HLOG_INFO("HMenuItem", 43, "既に生成されている");
        return 0;
    }
    HMENU parentMenu = getParentMenu();
    if (!parentMenu) {
        return 0;
    }
    if (getChildCount() > 0) {
        submenu = CreatePopupMenu();
        setHandle(reinterpret_cast<HWND>(submenu));
    }
    const std::string& caption = getStoredText();
    textCopy.assign(caption.c_str(), caption.c_str() + caption.size() + 1);

    info = MENUITEMINFOA{};
    info.cbSize = sizeof(MENUITEMINFOA);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
    if (submenu) {
        info.fMask |= MIIM_SUBMENU;
    }
    info.fType = separator ? MFT_SEPARATOR : MFT_STRING;
    info.fState = (itemEnabled ? MFS_ENABLED : MFS_GRAYED) | (itemChecked ? MFS_CHECKED : 0);
    info.wID = static_cast<UINT>(getId());
    info.hSubMenu = submenu;
    info.dwTypeData = textCopy.data();
    info.cch = static_cast<UINT>(caption.size());
    // Appended after the items already there, also when another item of the
    // menu (or of one of its submenus) happens to carry the same id.
    int position = GetMenuItemCount(parentMenu);
    if (position < 0) {
        position = 0;
    }
    if (!InsertMenuItemA(parentMenu, static_cast<UINT>(position), TRUE, &info)) {
        HLOG_INFO("HMenuItem", 76, "InsertMenuItem:error");
    }
    HContainer::create();
    return 1;
}

void HMenuItem::dispose() {
    // The children are disposed but kept, so the tree can be made native again.
    for (int i = 0; i < getChildCount(); ++i) {
        HComponent* child = getChild(i);
        if (child) {
            child->dispose();
        }
    }
    if (submenu && !getParent()) {
        DestroyMenu(submenu);
    }
    submenu = nullptr;
    if (getHandle()) {
        setHandle(nullptr);
    }
}

void HMenuItem::repaint() {
    // An item inside a drop-down menu is drawn when that menu opens; only the
    // bar's own items are drawn with the window, and redrawing the bar lays
    // out and repaints the window's whole frame.
    if (getParent() && dynamic_cast<HMenuItem*>(getParent()) == nullptr) {
        getParent()->repaint();
    }
}

bool HMenuItem::isEnabled() {
    return itemEnabled;
}

void HMenuItem::setEnabled(bool enabled) {
    HMENU parentMenu = getParentMenu();
    UINT state = enabled ? MFS_ENABLED : MFS_GRAYED;
    if (submenu) {
        // Addressed by position in the parent's menu: by id the lookup would
        // first search the item's own submenu.
        int count = parentMenu ? GetMenuItemCount(parentMenu) : -1;
        for (int i = 0; i < count; ++i) {
            if (GetSubMenu(parentMenu, i) == submenu) {
                MENUITEMINFOA change = {};
                change.cbSize = sizeof(change);
                change.fMask = MIIM_STATE;
                change.fState = state;
                if (SetMenuItemInfoA(parentMenu, static_cast<UINT>(i), TRUE, &change)) {
                    itemEnabled = enabled;
                    repaint();
                }
                return;
            }
        }
        return;
    }
    if (parentMenu) {
        DWORD previous = EnableMenuItem(parentMenu, static_cast<UINT>(getId()),
                                        MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        if (previous != static_cast<DWORD>(-1)) {
            itemEnabled = enabled;
            repaint();
        }
        return;
    }
    itemEnabled = enabled;
}

void HMenuItem::setChecked(bool checked) {
    HMENU parentMenu = getParentMenu();
    if (parentMenu && !submenu) {
        if (CheckMenuItem(parentMenu, static_cast<UINT>(getId()),
                          MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)) ==
            static_cast<DWORD>(-1)) {
            return;
        }
    }
    itemChecked = checked;
}
